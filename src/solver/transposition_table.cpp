// Transposition table: fixed array, bucket of four, an outdated, old or cheapest entry replaced.
#include "solver/transposition_table.h"

#include "solver/board_geometry.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace marvolen::solver {
namespace {

constexpr std::size_t kBucket = 4;
// An entry: the tag (the mixed position without its bucket bits), the bit width of the number of
// positions searched for it (capped), the bound on top (a count of marbles, below 64). Half a
// word leaves the tag 21 bits: enough for 41 holes in 16 MB.
constexpr int kHalfWorkBits = 5;
constexpr int kBoundBits = 6;
constexpr int kHalfTagBits = 32 - kHalfWorkBits - kBoundBits;
constexpr int kWholeWorkBits = 7;
// A whole word has room above the bound for the question that stored it: entries of earlier
// questions go first when a bucket is full, so that they do not crowd out the proof in work.
constexpr int kGenerationBits = 8;
constexpr std::uint64_t kGenerationMask = (std::uint64_t{1} << kGenerationBits) - 1;

} // namespace

TranspositionTable::TranspositionTable(std::size_t bytes, std::uint64_t holes)
    : m_holeCount(std::popcount(holes & kAllPositions)), m_compress(holeBitRows(holes)) {
    const std::size_t words = bytes / sizeof(std::uint64_t);
    if (words == 0)
        return;
    m_words.assign(std::bit_floor(words), 0);
    layOut(m_words.size());
}

void TranspositionTable::layOut(std::size_t words) {
    m_wordsInUse = words;
    // Half words when the tag left beside the bucket bits fits in them.
    const int halfBuckets = std::countr_zero(words * 2 / kBucket);
    m_half = words * 2 >= kBucket && m_holeCount - halfBuckets <= kHalfTagBits;
    m_entries = m_half ? words * 2 : words;
    m_bucketBits = m_entries >= kBucket ? std::countr_zero(m_entries / kBucket) : 0;
    m_bucketMask = (std::size_t{1} << m_bucketBits) - 1;
    const int tagBits = std::max(0, m_holeCount - m_bucketBits);
    m_tagMask = (std::uint64_t{1} << tagBits) - 1;
    m_workShift = m_half ? kHalfTagBits : tagBits;
    m_boundShift = m_workShift + (m_half ? kHalfWorkBits : kWholeWorkBits);
    m_generationShift = m_boundShift + kBoundBits;
    m_generations = !m_half && m_generationShift + kGenerationBits <= 64;
}

void TranspositionTable::newGeneration() {
    m_generation = (m_generation + 1) & kGenerationMask;
}

int TranspositionTable::boundOf(std::uint64_t entry) const {
    return int((entry >> m_boundShift) & ((std::uint64_t{1} << kBoundBits) - 1));
}

bool TranspositionTable::isOld(std::uint64_t entry) const {
    return m_generations && ((entry >> m_generationShift) & kGenerationMask) != m_generation;
}

std::uint64_t TranspositionTable::mixed(std::uint64_t position) const {
    std::uint64_t x = 0;
    for (std::size_t row = 0; row < 7; ++row)
        x |= m_compress[row][std::size_t((position >> (row * 7)) & 0x7F)];
    // One to one on the hole bits: shifts and an odd factor modulo 2^holes.
    const std::uint64_t all =
        m_holeCount >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m_holeCount) - 1;
    const int shift = (m_holeCount + 1) / 2;
    x ^= x >> shift;
    x = (x * 0x9E3779B97F4A7C15ULL) & all;
    x ^= x >> shift;
    return x;
}

std::uint64_t TranspositionTable::entry(std::size_t i) const {
    if (!m_half)
        return m_words[i];
    return (m_words[i >> 1] >> (32 * (i & 1))) & 0xFFFFFFFFu;
}

void TranspositionTable::setEntry(std::size_t i, std::uint64_t value) {
    if (!m_half) {
        m_words[i] = value;
        return;
    }
    const int shift = int(32 * (i & 1));
    std::uint64_t& word = m_words[i >> 1];
    word = (word & ~(std::uint64_t{0xFFFFFFFFu} << shift)) | (value << shift);
}

int TranspositionTable::lowerBound(std::uint64_t position) const {
    if (m_entries == 0)
        return 0;
    const std::uint64_t x = mixed(position);
    const std::size_t start = std::size_t(x & m_bucketMask) * kBucket;
    const std::uint64_t tag = x >> m_bucketBits;
    for (std::size_t i = 0; i < kBucket && start + i < m_entries; ++i) {
        const std::uint64_t e = entry(start + i);
        if (e != 0 && (e & m_tagMask) == tag)
            return boundOf(e);
    }
    return 0;
}

void TranspositionTable::prefetch(std::uint64_t position) const {
    if (m_entries == 0)
        return;
    const std::size_t start = std::size_t(mixed(position) & m_bucketMask) * kBucket;
    __builtin_prefetch(&m_words[m_half ? start / 2 : start]);
}

void TranspositionTable::store(std::uint64_t position, int bound, std::uint64_t work) {
    if (m_entries == 0 || bound <= 0)
        return;
    const std::uint64_t x = mixed(position);
    const std::size_t start = std::size_t(x & m_bucketMask) * kBucket;
    const std::uint64_t tag = x >> m_bucketBits;
    const int workBits = m_half ? kHalfWorkBits : kWholeWorkBits;
    const int mostWork = (1 << workBits) - 1;
    const std::uint64_t entryOf =
        tag | (std::uint64_t(std::min(int(std::bit_width(work)), mostWork)) << m_workShift) |
        (std::uint64_t(bound) << m_boundShift) |
        (m_generations ? m_generation << m_generationShift : 0);
    std::size_t victim = start;
    int victimCost = INT32_MAX;
    for (std::size_t i = 0; i < kBucket && start + i < m_entries; ++i) {
        const std::size_t slot = start + i;
        const std::uint64_t e = entry(slot);
        if (e != 0 && (e & m_tagMask) == tag) {
            if (boundOf(e) < bound)
                setEntry(slot, entryOf);
            else if (isOld(e)) // found again: it belongs to this question too
                setEntry(slot, (e & ~(kGenerationMask << m_generationShift)) |
                                   m_generation << m_generationShift);
            return;
        }
        // Empty slots first, then entries below the new bound or of earlier questions, cheapest
        // first.
        const int kept = boundOf(e) < bound || isOld(e) ? 0 : 1;
        const int cost =
            e == 0 ? -1 : kept * 128 + int((e >> m_workShift) & std::uint64_t(mostWork));
        if (cost < victimCost) {
            victimCost = cost;
            victim = slot;
        }
    }
    setEntry(victim, entryOf);
}

std::span<std::uint64_t> TranspositionTable::lendUpperHalf() {
    if (m_lent || m_words.size() < 2)
        return {};
    m_lent = true;
    layOut(m_words.size() / 2);
    clear();
    return std::span<std::uint64_t>(m_words).subspan(m_wordsInUse);
}

void TranspositionTable::clear() {
    for (std::size_t i = 0; i < m_wordsInUse; ++i)
        m_words[i] = 0;
}

} // namespace marvolen::solver
