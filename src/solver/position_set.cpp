// Position set: linear probing, slots picked by a multiplicative hash of the whole range.
#include "solver/position_set.h"

namespace marvolen::solver {

PositionSet::PositionSet(std::span<std::uint64_t> slots)
    : m_slots(slots), m_most(slots.size() / 4 * 3) {
    clear();
}

void PositionSet::clear() {
    for (auto& slot : m_slots)
        slot = 0;
    m_size = 0;
}

std::size_t PositionSet::slotOf(std::uint64_t position) const {
    // The top 32 bits of the hash scaled to the slots: sets of up to 2^32 slots.
    const std::uint64_t hash = (position * 0x9E3779B97F4A7C15ULL) >> 32;
    return std::size_t((hash * std::uint64_t(m_slots.size())) >> 32);
}

bool PositionSet::insert(std::uint64_t position) {
    if (m_slots.empty() || position == 0)
        return false;
    for (std::size_t slot = slotOf(position);; slot = slot + 1 == m_slots.size() ? 0 : slot + 1) {
        if (m_slots[slot] == position)
            return true;
        if (m_slots[slot] == 0) {
            if (m_size >= m_most)
                return false;
            m_slots[slot] = position;
            ++m_size;
            return true;
        }
    }
}

bool PositionSet::contains(std::uint64_t position) const {
    if (m_slots.empty())
        return false;
    for (std::size_t slot = slotOf(position);; slot = slot + 1 == m_slots.size() ? 0 : slot + 1) {
        if (m_slots[slot] == position)
            return true;
        if (m_slots[slot] == 0)
            return false;
    }
}

} // namespace marvolen::solver
