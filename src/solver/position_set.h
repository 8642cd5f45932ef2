// A fixed-size set of positions, for the positions known to leave a single marble.
#pragma once

#include <algorithm>
#include <array>
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
    std::size_t slotCount() const { return m_slots.size(); }
    /// Every position from slot `from` on while `visit` returns true: the slot to go on from
    /// when it returned false, else `slotCount()`. Positions never move, so one inserted meanwhile
    /// may or may not be visited, and none that was there is missed.
    template <typename Visit> std::size_t forEach(std::size_t from, Visit visit) const {
        for (std::size_t slot = from; slot < m_slots.size(); ++slot)
            if (m_slots[slot] != 0 && !visit(m_slots[slot]))
                return slot;
        return m_slots.size();
    }

  private:
    std::size_t slotOf(std::uint64_t position) const;

    std::span<std::uint64_t> m_slots;
    std::size_t m_size = 0;
    std::size_t m_most = 0;
};

/// The same for positions on given holes, in less memory: a position is turned into one bit per
/// hole and mixed one to one, and the remainder after its bucket number is all an entry keeps, in
/// as few bits as the holes and the buckets need. A bucket fills one cache line; the few
/// positions whose bucket is full go to a small PositionSet beside the buckets.
class PackedPositionSet {
  public:
    static constexpr std::size_t kDone = SIZE_MAX;

    /// Empties `words` and keeps its positions there; positions must lie on `holes`.
    explicit PackedPositionSet(std::span<std::uint64_t> words = {},
                               std::uint64_t holes = (std::uint64_t{1} << 49) - 1);

    std::size_t bytes() const { return m_bytes; }
    std::size_t size() const { return m_size + m_overflow.size(); }
    /// About how many positions it takes before it is full.
    std::size_t capacity() const;
    /// Bits an entry takes in its bucket.
    int entryBits() const { return m_entryBits; }

    /// Adds `position`; false when the set is full and it is not already in it.
    bool insert(std::uint64_t position);
    bool contains(std::uint64_t position) const;
    /// Asks for the memory `contains(position)` starts with, without waiting for it.
    void prefetch(std::uint64_t position) const {
        if (m_buckets != 0)
            __builtin_prefetch(m_lines + bucketOf(mixed(position)) * kLineWords);
    }
    void clear();
    /// Every position in the set, in no particular order, from place `from` on while `visit`
    /// returns true; the place to go on from when it returned false, else `kDone`. It may insert
    /// while it visits: what it inserts may or may not be visited.
    template <typename Visit> std::size_t forEach(std::size_t from, Visit visit) const {
        // A place is a slot of the buckets, or past them a slot of the overflow: no position
        // ever moves, so a visit that goes on misses none that was there when it stopped.
        const std::size_t inBuckets = m_buckets * m_perBucket;
        for (std::size_t place = from; place < inBuckets; ++place) {
            const std::size_t b = place / m_perBucket;
            const std::uint64_t e = entry(b, place % m_perBucket);
            if (e == 0)
                place = (b + 1) * m_perBucket - 1; // the rest of the bucket is empty
            else if (!visit(unmixed((e - 1) * m_buckets + b)))
                return place;
        }
        const std::size_t slot = m_overflow.forEach(std::max(from, inBuckets) - inBuckets, visit);
        return slot == m_overflow.slotCount() ? kDone : inBuckets + slot;
    }

  private:
    static constexpr std::size_t kLineWords = 8;
    std::uint64_t mixed(std::uint64_t position) const;
    std::uint64_t unmixed(std::uint64_t x) const;
    std::size_t bucketOf(std::uint64_t x) const { return std::size_t(x % m_buckets); }
    std::uint64_t entry(std::size_t bucket, std::size_t i) const;
    std::size_t slotIn(std::size_t bucket, std::uint64_t stored) const;
    void setEntry(std::size_t bucket, std::size_t i, std::uint64_t value);

    std::uint64_t* m_lines = nullptr; // the buckets, a cache line each
    std::size_t m_buckets = 0;
    std::size_t m_perBucket = 0;
    int m_entryBits = 64;
    std::uint64_t m_entryMask = ~std::uint64_t{0};
    std::size_t m_bytes = 0;
    std::size_t m_size = 0; // in the buckets
    PositionSet m_overflow;
    int m_holeCount = 0;
    int m_shift = 0;
    std::uint64_t m_all = 0;     // the hole bits
    std::uint64_t m_inverse = 0; // of the mixing factor, modulo 2^holes
    std::array<std::array<std::uint64_t, 128>, 7> m_compress{}; // per row value, its hole bits
    std::array<std::array<std::uint64_t, 128>, 7> m_expand{};   // per 7 hole bits, positions
};

} // namespace marvolen::solver
