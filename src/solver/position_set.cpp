// Position set: linear probing, slots picked by a multiplicative hash of the whole range.
#include "solver/position_set.h"

#include "solver/board_geometry.h"

#include <bit>

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

namespace marvolen::solver {
namespace {

constexpr std::uint64_t kFactor = 0x9E3779B97F4A7C15ULL;
// The positions whose bucket is full: a sixteenth of the memory, a few percent of the positions.
constexpr std::size_t kOverflowShare = 16;

} // namespace

PackedPositionSet::PackedPositionSet(std::span<std::uint64_t> words, std::uint64_t holes)
    : m_bytes(words.size() * sizeof(std::uint64_t)), m_compress(holeBitRows(holes)) {
    int index = 0;
    for (int p = 0; p < 49; ++p)
        if (holes & (std::uint64_t{1} << p)) {
            for (int value = 0; value < 128; ++value)
                if (value & (1 << (index % 7)))
                    m_expand[std::size_t(index / 7)][std::size_t(value)] |= std::uint64_t{1} << p;
            ++index;
        }
    m_holeCount = index;
    m_all = index >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << index) - 1;
    m_shift = (index + 1) / 2;
    // Newton's iteration doubles the correct low bits of the inverse of an odd number each time.
    std::uint64_t inverse = kFactor;
    for (int i = 0; i < 6; ++i)
        inverse *= 2 - kFactor * inverse;
    m_inverse = inverse & m_all;

    const std::size_t overflowWords = words.size() / kOverflowShare;
    m_overflow = PositionSet(words.first(overflowWords));
    std::span<std::uint64_t> rest = words.subspan(overflowWords);
    // Buckets start on a cache line, so that one lookup reads one line.
    const std::size_t skip =
        (kLineWords -
         (reinterpret_cast<std::uintptr_t>(rest.data()) / sizeof(std::uint64_t)) % kLineWords) %
        kLineWords;
    if (rest.size() < skip + kLineWords)
        return;
    m_lines = rest.data() + skip;
    m_buckets = (rest.size() - skip) / kLineWords;
    // Entries keep remainder + 1 (0 is an empty slot) in as few bits as hold it, packed across
    // the line's words: every bit saved is room for more positions.
    const std::uint64_t most = m_all / m_buckets + 1;
    m_entryBits = std::bit_width(most);
    m_entryMask = m_entryBits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m_entryBits) - 1;
    m_perBucket = kLineWords * 64 / std::size_t(m_entryBits);
    clear();
}

std::uint64_t PackedPositionSet::mixed(std::uint64_t position) const {
    std::uint64_t x = 0;
    for (std::size_t row = 0; row < 7; ++row)
        x |= m_compress[row][std::size_t((position >> (row * 7)) & 0x7F)];
    // One to one on the hole bits: each step is undone by unmixed.
    x ^= x >> m_shift;
    x = (x * kFactor) & m_all;
    x ^= x >> m_shift;
    return x;
}

std::uint64_t PackedPositionSet::unmixed(std::uint64_t x) const {
    // A shift by at least half the bits undoes itself.
    x ^= x >> m_shift;
    x = (x * m_inverse) & m_all;
    x ^= x >> m_shift;
    std::uint64_t position = 0;
    for (std::size_t chunk = 0; x != 0; ++chunk, x >>= 7)
        position |= m_expand[chunk][std::size_t(x & 0x7F)];
    return position;
}

std::uint64_t PackedPositionSet::entry(std::size_t bucket, std::size_t i) const {
    const std::uint64_t* line = m_lines + bucket * kLineWords;
    const std::size_t bit = i * std::size_t(m_entryBits);
    const auto word = bit / 64;
    const auto shift = int(bit % 64);
    std::uint64_t value = line[word] >> shift;
    if (shift + m_entryBits > 64)
        value |= line[word + 1] << (64 - shift);
    return value & m_entryMask;
}

void PackedPositionSet::setEntry(std::size_t bucket, std::size_t i, std::uint64_t value) {
    std::uint64_t* line = m_lines + bucket * kLineWords;
    const std::size_t bit = i * std::size_t(m_entryBits);
    const auto word = bit / 64;
    const auto shift = int(bit % 64);
    line[word] = (line[word] & ~(m_entryMask << shift)) | (value << shift);
    if (shift + m_entryBits > 64) {
        const int spill = 64 - shift;
        line[word + 1] = (line[word + 1] & ~(m_entryMask >> spill)) | (value >> spill);
    }
}

std::size_t PackedPositionSet::slotIn(std::size_t bucket, std::uint64_t stored) const {
    // Entries fill a bucket from its start and never leave it: the slot of `stored`, or of the
    // first empty entry (0), or the bucket's size when neither is there.
    for (std::size_t i = 0; i < m_perBucket; ++i) {
        const std::uint64_t e = entry(bucket, i);
        if (e == stored || e == 0)
            return i;
    }
    return m_perBucket;
}

bool PackedPositionSet::insert(std::uint64_t position) {
    if (m_buckets != 0) {
        const std::uint64_t x = mixed(position);
        const std::size_t bucket = bucketOf(x);
        const std::uint64_t stored = x / m_buckets + 1;
        const std::size_t i = slotIn(bucket, stored);
        if (i < m_perBucket) {
            if (entry(bucket, i) == 0) {
                setEntry(bucket, i, stored);
                ++m_size;
            }
            return true;
        }
    }
    return position != 0 && m_overflow.insert(position);
}

bool PackedPositionSet::contains(std::uint64_t position) const {
    if (m_buckets != 0) {
        const std::uint64_t x = mixed(position);
        const std::size_t bucket = bucketOf(x);
        const std::size_t i = slotIn(bucket, x / m_buckets + 1);
        if (i < m_perBucket)
            return entry(bucket, i) != 0;
    }
    return position != 0 && m_overflow.contains(position);
}

std::size_t PackedPositionSet::capacity() const {
    // Buckets overflow unevenly: they take nine tenths of their slots before the overflow fills.
    return m_buckets * m_perBucket / 10 * 9 + m_overflow.bytes() / sizeof(std::uint64_t) / 4 * 3;
}

void PackedPositionSet::clear() {
    for (std::size_t i = 0; i < m_buckets * kLineWords; ++i)
        m_lines[i] = 0;
    m_size = 0;
    m_overflow.clear();
}

} // namespace marvolen::solver
