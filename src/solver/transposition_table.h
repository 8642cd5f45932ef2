// A fixed-size table of positions with a proven lower bound on the marbles they can leave.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace marvolen::solver {

/// Open addressing over a fixed array that is allocated once and never grows: a full bucket of
/// four gives up an entry whose bound is below the new one (iterative deepening has gone past
/// it) or that an earlier question stored, else its cheapest entry (the least search went into
/// it). A position is turned into one
/// bit per hole and mixed one to one; the low bits pick the bucket, so an entry keeps only the
/// rest beside the magnitude of its search and its bound: half a word when that fits, else a word.
class TranspositionTable {
  public:
    /// The largest power-of-two number of words that fit in `bytes` (none below 8), for positions
    /// on `holes`.
    explicit TranspositionTable(std::size_t bytes,
                                std::uint64_t holes = (std::uint64_t{1} << 49) - 1);

    /// All its memory, a half lent out included.
    std::size_t bytes() const { return m_words.size() * sizeof(std::uint64_t); }
    /// Entries it can hold.
    std::size_t capacity() const { return m_entries; }
    /// Gives up the upper half of its words (empty if it has fewer than two) to another user for
    /// good, and forgets every bound it holds.
    std::span<std::uint64_t> lendUpperHalf();

    /// The words of the table itself (not a half lent out), as scratch memory for a while: what
    /// they hold means nothing to the table until clear() is called.
    std::span<std::uint64_t> scratch() {
        return std::span<std::uint64_t>(m_words).first(m_wordsInUse);
    }

    /// The bound stored for `position`, or 0 when none is known.
    int lowerBound(std::uint64_t position) const;
    /// Asks for the memory `lowerBound(position)` reads, without waiting for it.
    void prefetch(std::uint64_t position) const;
    /// Records that `position` cannot leave fewer than `bound` marbles (keeps a higher one);
    /// `work` is the number of positions searched to find it.
    void store(std::uint64_t position, int bound, std::uint64_t work = 0);
    void clear();
    /// Marks the entries stored so far as those of earlier questions: they still answer, but a
    /// full bucket gives them up first (only where an entry has room for the mark: a whole word).
    void newGeneration();

  private:
    void layOut(std::size_t words);
    std::uint64_t mixed(std::uint64_t position) const;
    int boundOf(std::uint64_t entry) const;
    bool isOld(std::uint64_t entry) const;
    std::uint64_t entry(std::size_t i) const;
    void setEntry(std::size_t i, std::uint64_t value);

    std::vector<std::uint64_t> m_words;
    std::size_t m_wordsInUse = 0;
    std::size_t m_entries = 0;
    std::size_t m_bucketMask = 0; // buckets, less one
    int m_bucketBits = 0;
    bool m_half = false; // two entries to a word
    int m_holeCount = 0;
    int m_workShift = 0;
    int m_boundShift = 0;
    int m_generationShift = 0;
    bool m_generations = false;
    std::uint64_t m_generation = 0;
    std::uint64_t m_tagMask = 0;
    std::array<std::array<std::uint64_t, 128>, 7> m_compress{}; // per row value, its hole bits
    bool m_lent = false;
};

} // namespace marvolen::solver
