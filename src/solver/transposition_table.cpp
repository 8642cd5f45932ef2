// Transposition table: fixed array, bucket of four, an outdated or the cheapest entry replaced.
#include "solver/transposition_table.h"

#include <bit>
#include <cstdint>

namespace marvolen::solver {
namespace {

constexpr int kBoundShift = 56;
// The bit width of the number of positions searched for the entry.
constexpr int kWorkShift = 49;
constexpr std::uint64_t kWorkBits = 0x7F;
constexpr std::uint64_t kPositionBits = (std::uint64_t{1} << 49) - 1;
constexpr std::size_t kBucket = 4;

} // namespace

TranspositionTable::TranspositionTable(std::size_t bytes) {
    const std::size_t words = bytes / sizeof(std::uint64_t);
    if (words == 0)
        return;
    const std::size_t count = std::bit_floor(words);
    m_entries.assign(count, 0);
    m_mask = count - 1;
}

std::size_t TranspositionTable::slotOf(std::uint64_t position) const {
    // Buckets start on a multiple of four: one cache line holds a whole bucket.
    return std::size_t((position * 0x9E3779B97F4A7C15ULL) >> 20) & m_mask & ~(kBucket - 1);
}

int TranspositionTable::lowerBound(std::uint64_t position) const {
    if (m_entries.empty())
        return 0;
    const std::size_t start = slotOf(position);
    for (std::size_t i = 0; i < kBucket; ++i) {
        const std::uint64_t entry = m_entries[(start + i) & m_mask];
        if ((entry & kPositionBits) == position)
            return int(entry >> kBoundShift);
    }
    return 0;
}

void TranspositionTable::store(std::uint64_t position, int bound, std::uint64_t work) {
    if (m_entries.empty() || position == 0)
        return;
    const std::size_t start = slotOf(position);
    const std::uint64_t entryOf = position | (std::uint64_t(std::bit_width(work)) << kWorkShift) |
                                  (std::uint64_t(bound) << kBoundShift);
    std::size_t victim = start;
    int victimCost = INT32_MAX;
    for (std::size_t i = 0; i < kBucket; ++i) {
        const std::size_t slot = (start + i) & m_mask;
        const std::uint64_t entry = m_entries[slot];
        if ((entry & kPositionBits) == position) {
            if (int(entry >> kBoundShift) < bound)
                m_entries[slot] = entryOf;
            return;
        }
        // Empty slots first, then entries below the new bound, cheapest first.
        const int outdated = int(entry >> kBoundShift) < bound ? 0 : 1;
        const int cost = entry == 0 ? -1 : outdated * 128 + int((entry >> kWorkShift) & kWorkBits);
        if (cost < victimCost) {
            victimCost = cost;
            victim = slot;
        }
    }
    m_entries[victim] = entryOf;
}

std::span<std::uint64_t> TranspositionTable::lendUpperHalf() {
    if (m_lent || m_entries.size() < 2)
        return {};
    m_lent = true;
    // A position's slot is its hash under the mask: with one bit less, the entries of the lower
    // half keep their slots.
    m_mask >>= 1;
    return std::span<std::uint64_t>(m_entries).subspan(m_mask + 1);
}

void TranspositionTable::clear() {
    for (std::size_t i = 0; i < capacity(); ++i)
        m_entries[i] = 0;
}

} // namespace marvolen::solver
