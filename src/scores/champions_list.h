// The ordered champions list of one variant: the ten best entries, best first.
#pragma once

#include "entry.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace marvolen::scores {

/// The sorted list behind the champions table. Entries are kept in EntryOrder; an entry
/// equal to ones already held goes after them, so an earlier champion keeps the better place.
/// The list never holds more than kRanks entries: whatever sorts below the tenth is dropped.
class ChampionsList {
  public:
    static constexpr int kRanks = 10;

    explicit ChampionsList(const QLocale& locale) : m_order(locale) {}

    /// Empties the list.
    void clear() { m_entries.clear(); }

    /// Places entry by the order. Returns its index (0 is rank 1), or nullopt when it sorted
    /// below rank kRanks and so is not kept.
    std::optional<int> add(QByteArray entry);

    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    /// The entry at index (0 is rank 1); the placeholder for an index the list does not reach.
    QByteArray at(int index) const;
    /// The entry ranked last: the one a new result must beat. The placeholder while the list
    /// has a free rank.
    QByteArray last() const;
    const std::vector<QByteArray>& entries() const { return m_entries; }
    const EntryOrder& order() const { return m_order; }

  private:
    EntryOrder m_order;
    std::vector<QByteArray> m_entries;
};

} // namespace marvolen::scores
