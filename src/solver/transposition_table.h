// A fixed-size table of positions with a proven lower bound on the marbles they can leave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace marvolen::solver {

/// Open addressing over a fixed array that is allocated once and never grows: a full bucket
/// gives up an entry whose bound is below the new one (iterative deepening has gone past it),
/// else its cheapest entry (the least search went into it). Each entry is one 64-bit word: the
/// position in the low 49 bits, the magnitude of its search, the bound on top.
class TranspositionTable {
  public:
    /// The largest power-of-two number of entries whose words fit in `bytes` (none below 8).
    explicit TranspositionTable(std::size_t bytes);

    /// All its memory, a half lent out included.
    std::size_t bytes() const { return m_entries.size() * sizeof(std::uint64_t); }
    std::size_t capacity() const { return m_entries.empty() ? 0 : m_mask + 1; }
    /// Gives up the upper half of its entries (empty if it has fewer than two) to another user
    /// for good; the entries of the lower half stay where the smaller table looks for them.
    std::span<std::uint64_t> lendUpperHalf();

    /// The bound stored for `position`, or 0 when none is known.
    int lowerBound(std::uint64_t position) const;
    /// Records that `position` cannot leave fewer than `bound` marbles (keeps a higher one);
    /// `work` is the number of positions searched to find it.
    void store(std::uint64_t position, int bound, std::uint64_t work = 0);
    void clear();

  private:
    std::size_t slotOf(std::uint64_t position) const;

    std::vector<std::uint64_t> m_entries;
    std::size_t m_mask = 0; // entries in use, less one
    bool m_lent = false;
};

} // namespace marvolen::solver
