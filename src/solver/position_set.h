// A fixed-size set of positions, for the positions known to leave a single marble.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace marvolen::solver {

/// Open addressing over words it is lent (it owns no memory): it refuses a position rather than
/// grow, and keeps a quarter of its slots free so that a miss is found in a few probes.
class PositionSet {
  public:
    /// Empties `slots` and keeps its positions there.
    explicit PositionSet(std::span<std::uint64_t> slots = {});

    std::size_t bytes() const { return m_slots.size() * sizeof(std::uint64_t); }
    std::size_t size() const { return m_size; }

    /// Adds `position` (not 0); false when the set is full and it is not already in it.
    bool insert(std::uint64_t position);
    bool contains(std::uint64_t position) const;
    /// Asks for the memory `contains(position)` starts with, without waiting for it.
    void prefetch(std::uint64_t position) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[slotOf(position)]);
    }
    void clear();
    /// Every position in the set, in slot order.
    template <typename Visit> void forEach(Visit visit) const {
        for (const std::uint64_t slot : m_slots)
            if (slot != 0)
                visit(slot);
    }

  private:
    std::size_t slotOf(std::uint64_t position) const;

    std::span<std::uint64_t> m_slots;
    std::size_t m_size = 0;
    std::size_t m_most = 0;
};

} // namespace marvolen::solver
