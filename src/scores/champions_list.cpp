// Keeping the champions list in order and ten long.
#include "champions_list.h"

#include <algorithm>

namespace marvolen::scores {

std::optional<int> ChampionsList::add(QByteArray entry) {
    const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), entry, m_order);
    const int index = int(place - m_entries.begin());
    if (index >= kRanks)
        return std::nullopt;
    m_entries.insert(place, std::move(entry));
    if (m_entries.size() > std::size_t(kRanks))
        m_entries.pop_back();
    return index;
}

QByteArray ChampionsList::at(int index) const {
    if (index < 0 || index >= size())
        return QByteArray(kPlaceholder);
    return m_entries[std::size_t(index)];
}

QByteArray ChampionsList::last() const {
    return size() < kRanks ? QByteArray(kPlaceholder) : m_entries.back();
}

} // namespace marvolen::scores
