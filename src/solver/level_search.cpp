// The level search: packed canonical positions, sorted runs of varint-coded gaps, merged on read.
#include "solver/level_search.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace marvolen::solver {
namespace {

// A count's positions may be split in this many runs; more are merged into one.
constexpr std::size_t kMostRuns = 16;
// A varint of a gap below 2^49 takes at most this many bytes, fewer than a raw word's eight:
// that is what lets a sorted buffer be coded in place, front to back.
constexpr std::size_t kMostVarintBytes = 7;
static_assert(kMostVarintBytes < sizeof(std::uint64_t));

// Positions a bucket may have to be sorted digit by digit from the lowest (in a second copy);
// a larger one is first split on its highest digit in place.
constexpr std::size_t kScratchWords = std::size_t{1} << 15;
constexpr int kSmallSort = 48;
// Pagoda functions tried on every position made; more are left to the solver.
constexpr std::size_t kMostPagodas = 4;

/// Sorts `values`, all below 2^bits: the canonical positions crowd the low numbers, so the
/// highest digits are taken from the largest value, not from the hole count.
void radixSort(std::span<std::uint64_t> values, int bits, std::span<std::uint64_t> scratch) {
    const std::size_t n = values.size();
    if (n <= std::size_t(kSmallSort) || bits <= 0) {
        std::sort(values.begin(), values.end());
        return;
    }
    if (n <= scratch.size()) {
        // Lowest digit first, each pass stable, back and forth between the two copies; the
        // counts of every digit in one read.
        const int passes = (bits + 10) / 11;
        const int width = (bits + passes - 1) / passes;
        const std::uint64_t digits = (std::uint64_t{1} << width) - 1;
        std::uint64_t* from = values.data();
        std::uint64_t* to = scratch.data();
        std::array<std::array<std::size_t, 2048>, (kPositionCount + 10) / 11> counts{};
        for (std::size_t i = 0; i < n; ++i)
            for (int pass = 0; pass < passes; ++pass)
                ++counts[std::size_t(pass)][(from[i] >> (pass * width)) & digits];
        for (int pass = 0; pass < passes; ++pass) {
            auto& starts = counts[std::size_t(pass)];
            std::size_t sum = 0;
            for (std::size_t d = 0; d <= digits; ++d)
                sum += std::exchange(starts[d], sum);
            const int shift = pass * width;
            for (std::size_t i = 0; i < n; ++i)
                to[starts[(from[i] >> shift) & digits]++] = from[i];
            std::swap(from, to);
        }
        if (from != values.data())
            std::copy(from, from + n, values.data());
        return;
    }
    // Highest digit: count, then swap every value into its bucket, then each bucket on its own.
    const int width = std::min(bits, 8);
    const int shift = bits - width;
    // Four sets of counts: neighbours often share their highest digit, and one count
    // incremented back to back waits for itself.
    std::array<std::array<std::size_t, 256>, 4> counts{};
    for (std::size_t i = 0; i < n; ++i)
        ++counts[i & 3][std::size_t(values[i] >> shift)];
    std::array<std::size_t, 257> starts{};
    for (std::size_t d = 0; d < 256; ++d)
        starts[d + 1] = counts[0][d] + counts[1][d] + counts[2][d] + counts[3][d];
    for (std::size_t d = 1; d <= 256; ++d)
        starts[d] += starts[d - 1];
    std::array<std::size_t, 256> next{};
    std::copy(starts.begin(), starts.begin() + 256, next.begin());
    for (std::size_t d = 0; d < 256; ++d)
        while (next[d] < starts[d + 1]) {
            std::uint64_t value = values[next[d]];
            for (std::size_t home = std::size_t(value >> shift); home != d;
                 home = std::size_t(value >> shift))
                std::swap(value, values[next[home]++]);
            values[next[d]++] = value;
        }
    const std::uint64_t low = (std::uint64_t{1} << shift) - 1;
    for (std::size_t d = 0; d < 256; ++d) {
        const auto bucket = values.subspan(starts[d], starts[d + 1] - starts[d]);
        for (std::uint64_t& value : bucket)
            value &= low;
        radixSort(bucket, shift, scratch);
        for (std::uint64_t& value : bucket)
            value |= std::uint64_t(d) << shift;
    }
}

std::size_t putVarint(std::uint8_t* out, std::uint64_t value) {
    std::size_t n = 0;
    while (value >= 0x80) {
        out[n++] = std::uint8_t(value | 0x80);
        value >>= 7;
    }
    out[n++] = std::uint8_t(value);
    return n;
}

} // namespace

/// The positions of one count, ascending and each once, though its runs may share some.
class LevelSearch::Reader {
  public:
    Reader(const LevelSearch& search, int marbles)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(search.m_memory.data())) {
        for (const Run& run : search.m_runs)
            if (run.marbles == marbles && run.begin < run.end && m_count < kMostRuns) {
                m_cursors[m_count] = {run.begin, run.end, 0};
                advance(m_cursors[m_count]);
                ++m_count;
            }
    }
    bool next(std::uint64_t& value) {
        for (;;) {
            std::size_t least = kMostRuns;
            for (std::size_t i = 0; i < m_count; ++i)
                if (m_cursors[i].live &&
                    (least == kMostRuns || m_cursors[i].value < m_cursors[least].value))
                    least = i;
            if (least == kMostRuns)
                return false;
            value = m_cursors[least].value;
            advance(m_cursors[least]);
            if (!m_started || value != m_last) {
                m_started = true;
                m_last = value;
                return true;
            }
        }
    }
    /// The memory below moved down by `bytes`.
    void shift(std::size_t bytes) {
        for (std::size_t i = 0; i < m_count; ++i) {
            m_cursors[i].pos -= bytes;
            m_cursors[i].end -= bytes;
        }
    }

  private:
    struct Cursor {
        std::size_t pos = 0;
        std::size_t end = 0;
        std::uint64_t value = 0;
        bool live = true;
    };
    void advance(Cursor& cursor) {
        if (cursor.pos >= cursor.end) {
            cursor.live = false;
            return;
        }
        std::uint64_t gap = 0;
        for (int shift = 0;; shift += 7) {
            const std::uint8_t byte = m_bytes[cursor.pos++];
            gap |= std::uint64_t(byte & 0x7F) << shift;
            if (byte < 0x80)
                break;
        }
        cursor.value += gap;
    }

    const std::uint8_t* m_bytes;
    std::array<Cursor, kMostRuns> m_cursors{};
    std::size_t m_count = 0;
    std::uint64_t m_last = 0;
    bool m_started = false;
};

LevelSearch::LevelSearch(const Engine& solver, std::span<std::uint64_t> memory,
                         std::size_t plannedBytes)
    : m_solver(solver), m_board(solver.board()), m_memory(memory),
      m_plannedBytes(plannedBytes != 0 ? plannedBytes : memory.size() * sizeof(std::uint64_t)),
      m_holes(solver.holes()) {
    // Room for a radix sort's second copy of a bucket small enough to stay in the cache.
    const std::size_t scratch = std::min(memory.size() / 16, kScratchWords);
    m_scratch = memory.last(scratch);
    m_memory = memory.first(memory.size() - scratch);
    // The few runs are bookkeeping the memory does not hold; they never grow past this.
    m_runs.reserve(4 * kMostRuns + kPositionCount);
    m_packRows = holeBitRows(m_holes);
    std::array<int, kPositionCount> index{};
    for (int p = 0; p < kPositionCount; ++p)
        if (m_holes & bit(p))
            index[std::size_t(p)] = m_holeCount++;
    const auto packed = [&](int p) { return std::uint64_t{1} << index[std::size_t(p)]; };
    for (int p = 0; p < kPositionCount; ++p)
        if (m_holes & bit(p))
            for (int value = 0; value < 256; ++value)
                if (value & (1 << (index[std::size_t(p)] % 8)))
                    m_unpackBytes[std::size_t(index[std::size_t(p)] / 8)][std::size_t(value)] |=
                        bit(p);
    for (const int s : m_board.symmetries()) {
        const auto t = std::size_t(m_symmetryCount++);
        for (int p = 0; p < kPositionCount; ++p)
            m_map[t][std::size_t(p)] = mapped(s, p);
        m_imageRows[t] = rowTable<std::uint64_t>([&](int p) {
            return (m_holes & bit(p)) ? packed(m_map[t][std::size_t(p)]) : std::uint64_t{0};
        });
    }
    for (std::size_t d = 0; d < 4; ++d)
        for (Mask starts = m_board.startsOf(int(d)); starts != 0; starts &= starts - 1) {
            const int p = std::countr_zero(starts);
            const Mask line = bit(p) | bit(p + kSteps[d]) | bit(p + 2 * kSteps[d]);
            for (std::size_t t = 0; t < std::size_t(m_symmetryCount); ++t) {
                std::uint64_t image = 0;
                for (Mask rest = line; rest != 0; rest &= rest - 1)
                    image |= packed(m_map[t][std::size_t(std::countr_zero(rest))]);
                m_jumpImages[d][std::size_t(p)][t] = image;
            }
        }
}

std::uint64_t LevelSearch::pack(Mask marbles) const {
    return sumOfRows(m_packRows, marbles);
}

Mask LevelSearch::unpack(std::uint64_t packed) const {
    Mask out = 0;
    for (std::size_t byte = 0; packed != 0; ++byte, packed >>= 8)
        out |= m_unpackBytes[byte][std::size_t(packed & 0xFF)];
    return out;
}

void LevelSearch::imagesOf(Mask marbles, std::array<std::uint64_t, 8>& images) const {
    std::array<std::size_t, kSide> rows{};
    for (std::size_t row = 0; row < kSide; ++row)
        rows[row] = rowValue(marbles, row);
    for (std::size_t t = 0; t < std::size_t(m_symmetryCount); ++t) {
        std::uint64_t image = 0;
        for (std::size_t row = 0; row < kSide; ++row)
            image |= m_imageRows[t][row][rows[row]];
        images[t] = image;
    }
}

bool LevelSearch::stopNow() {
    const Limits& limits = *m_limits;
    if (!m_stopped)
        m_stopped = (limits.stop && limits.stop->load(std::memory_order_relaxed)) ||
                    m_answer.positions >= limits.maxNodes || limits.timeUp();
    return m_stopped;
}

LevelAnswer LevelSearch::run(Mask marbles, int target, const Limits& limits) {
    marbles &= m_holes;
    m_answer = {};
    m_stopped = false;
    m_limits = &limits;
    if (std::popcount(marbles) <= target) {
        m_answer.reached = Reach::Yes;
        return m_answer;
    }
    if (m_solver.refutes(marbles, target)) {
        m_answer.reached = Reach::No;
        return m_answer;
    }
    if (stopNow())
        return m_answer;
    const std::vector<Engine::FewMarblesTest> tests = m_solver.fewMarblesTests(marbles, target);
    m_allPagodas = tests.size() <= kMostPagodas;
    m_pagodaRows.assign(std::min(tests.size(), kMostPagodas), {});
    m_pagodaWeights.assign(m_pagodaRows.size(), {});
    m_pagodaLeast.clear();
    for (std::size_t k = 0; k < m_pagodaRows.size(); ++k) {
        std::copy(tests[k].weights.begin(), tests[k].weights.end(), m_pagodaWeights[k].begin());
        m_pagodaRows[k] = rowTable<std::int64_t>(
            [&](int p) { return std::int64_t{tests[k].weights[std::size_t(p)]}; });
        m_pagodaLeast.push_back(tests[k].least);
    }
    bool found = false;
    if (descend(marbles, target, target, 0, found) != Status::Ok)
        return m_answer;
    if (!found) {
        m_answer.reached = Reach::No;
        return m_answer;
    }
    std::vector<Jump> moves;
    if (trace(marbles, target, target, moves) == Status::Ok) {
        m_answer.reached = Reach::Yes;
        m_answer.moves = std::move(moves);
    }
    return m_answer;
}

LevelSearch::Status LevelSearch::descend(Mask root, int stopAt, int target, std::uint64_t goal,
                                         bool& found) {
    m_runs.clear();
    m_buffered = 0;
    found = false;

    const int count = std::popcount(root);
    if (m_memory.size() < 2)
        return Status::Full;
    std::array<std::uint64_t, 8> images{};
    imagesOf(root, images);
    m_memory[0] = *std::min_element(images.begin(), images.begin() + m_symmetryCount);
    m_buffered = 1;
    if (const Status status = flush(count, target, count == stopAt ? goal : 0);
        status != Status::Ok)
        return status;
    double lastRatio = 0;
    for (int marbles = count; marbles > stopAt; --marbles) {
        if (const Status status = expand(marbles, target, marbles - 1 == stopAt ? goal : 0);
            status != Status::Ok)
            return status;
        if (runsEnd() == 0 || m_runs.back().marbles != marbles - 1)
            return Status::Ok;
        // The counts grow less and less from one to the next, then shrink: with the growth
        // slowing as it did from the last to this count, would the largest count fit twice with
        // room to spare? A search that would fail anyway fails before its costliest counts.
        const double last = double(sizeOf(marbles).first);
        const double next = double(sizeOf(marbles - 1).first);
        const double ratio = last > 0 ? next / last : 0;
        const double slowing = std::max(lastRatio - ratio, 0.0);
        lastRatio = ratio;
        double largest = next;
        double size = next;
        for (int k = marbles - 2; k > stopAt && size > 0; --k) {
            size *= ratio - (marbles - 1 - k) * slowing;
            largest = std::max(largest, size);
        }
        const auto bytes = double(m_plannedBytes);
        if (next > bytes / 64 && 2 * largest > 0.75 * bytes) {
            m_answer.tooLarge = true;
            return Status::Full;
        }
    }
    found = true;
    return Status::Ok;
}

LevelSearch::Status LevelSearch::expand(int marbles, int target, std::uint64_t goal) {
    Reader reader(*this, marbles);
    m_reading = &reader;
    std::uint64_t level = 0;
    std::uint64_t packed = 0;
    std::array<std::uint64_t, 8> images{};
    const auto symmetries = std::size_t(m_symmetryCount);
    Status status = Status::Ok;
    while (status == Status::Ok && reader.next(packed)) {
        ++level;
        ++m_answer.positions;
        if ((m_answer.positions & 0x3FF) == 0 && stopNow()) {
            status = Status::Stopped;
            break;
        }
        const Mask board = unpack(packed);
        imagesOf(board, images);
        std::array<std::int64_t, kMostPagodas> sums{};
        for (std::size_t k = 0; k < m_pagodaRows.size(); ++k)
            for (std::size_t row = 0; row < kSide; ++row)
                sums[k] += m_pagodaRows[k][row][rowValue(board, row)];
        const std::array<Mask, 4> starts = m_board.jumpStarts(board);
        for (std::size_t d = 0; d < 4 && status == Status::Ok; ++d)
            for (Mask rest = starts[d]; rest != 0; rest &= rest - 1) {
                const int from = std::countr_zero(rest);
                bool refuted = false;
                for (std::size_t k = 0; k < m_pagodaRows.size() && !refuted; ++k)
                    refuted = sums[k] - weight(k, from) - weight(k, from + kSteps[d]) +
                                  weight(k, from + 2 * kSteps[d]) <
                              m_pagodaLeast[k];
                if (refuted)
                    continue;
                // A jump flips three positions: so does it on every image.
                const auto& flips = m_jumpImages[d][std::size_t(from)];
                std::uint64_t child = images[0] ^ flips[0];
                for (std::size_t t = 1; t < symmetries; ++t)
                    child = std::min(child, images[t] ^ flips[t]);
                const std::size_t at = bufferBegin() + m_buffered;
                m_memory[at] = child;
                ++m_buffered;
                if (at + 1 == m_memory.size()) {
                    status = flush(marbles - 1, target, goal);
                    if (status != Status::Ok)
                        break;
                }
            }
    }
    if (status == Status::Ok)
        status = flush(marbles - 1, target, goal);
    m_reading = nullptr;
    // One run read back is quicker, and its size tells how the counts grow.
    const auto [bytes, runs] = sizeOf(marbles - 1);
    if (status == Status::Ok && runs > 1 && bytes <= (m_memory.size() - bufferBegin()) * 8)
        status = merge(marbles - 1);
    return status;
}

LevelSearch::Status LevelSearch::flush(int marbles, int target, std::uint64_t goal) {
    m_answer.mostBytes = std::max(m_answer.mostBytes, (bufferBegin() + m_buffered) * 8);
    if (m_buffered == 0)
        return Status::Ok;
    std::uint64_t* raw = m_memory.data() + bufferBegin();
    radixSort({raw, m_buffered}, std::bit_width(*std::max_element(raw, raw + m_buffered)),
              m_scratch);
    // Coded in place: the gap of the i-th position ends before the (i + 1)-th raw word begins.
    auto* bytes = reinterpret_cast<std::uint8_t*>(m_memory.data());
    const std::size_t begin = runsEnd();
    std::size_t end = begin;
    std::uint64_t previous = 0;
    bool any = false;
    // Far above the target only the pagoda functions prune, and they have been tried.
    const bool askSolver = !m_allPagodas || marbles <= 2 * target + 6;
    for (std::size_t i = 0; i < m_buffered; ++i) {
        const std::uint64_t packed = raw[i];
        if (any && packed == previous)
            continue;
        if (goal != 0 ? packed != goal : askSolver && m_solver.refutes(unpack(packed), target))
            continue;
        end += putVarint(bytes + end, packed - previous);
        previous = packed;
        any = true;
    }
    m_buffered = 0;
    if (any)
        m_runs.push_back({begin, end, marbles});
    return makeRoom(marbles);
}

LevelSearch::Status LevelSearch::makeRoom(int marbles) {
    const std::size_t least = std::max<std::size_t>(16, m_memory.size() / 32);
    for (;;) {
        const auto [bytes, runs] = sizeOf(marbles);
        const std::size_t freeBytes = (m_memory.size() - bufferBegin()) * 8;
        // The counts above the one being read only serve to trace the jumps back: they give way
        // before the buffer shrinks below half the memory, a small buffer costs many merges.
        const bool older = !m_runs.empty() && m_runs.front().marbles > marbles + 1;
        if (older && 2 * freeBytes < m_memory.size() * 8) {
            dropOlder(marbles + 1);
            continue;
        }
        // Merging frees what the runs share; it needs room for its output, no more than them.
        if (runs > 1 && bytes <= freeBytes && (runs >= kMostRuns || 2 * bytes >= freeBytes)) {
            if (const Status status = merge(marbles); status != Status::Ok)
                return status;
            continue;
        }
        if (runs < kMostRuns && m_memory.size() - bufferBegin() >= least)
            return Status::Ok;
        if (!older)
            return Status::Full;
        dropOlder(marbles + 1);
    }
}

std::pair<std::size_t, std::size_t> LevelSearch::sizeOf(int marbles) const {
    std::size_t bytes = 0;
    std::size_t runs = 0;
    for (const Run& run : m_runs)
        if (run.marbles == marbles) {
            bytes += run.end - run.begin;
            ++runs;
        }
    return {bytes, runs};
}

LevelSearch::Status LevelSearch::merge(int marbles) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(m_memory.data());
    const auto first =
        std::size_t(std::find_if(m_runs.begin(), m_runs.end(),
                                 [&](const Run& run) { return run.marbles == marbles; }) -
                    m_runs.begin());
    const std::size_t begin = m_runs[first].begin;
    const std::size_t out = runsEnd();
    std::size_t end = out;
    {
        Reader reader(*this, marbles);
        std::uint64_t previous = 0;
        std::uint64_t packed = 0;
        for (std::size_t n = 1; reader.next(packed); ++n) {
            if ((n & 0xFFFF) == 0 && stopNow())
                return Status::Stopped;
            end += putVarint(bytes + end, packed - previous);
            previous = packed;
        }
    }
    std::memmove(bytes + begin, bytes + out, end - out);
    m_runs.resize(first);
    m_runs.push_back({begin, begin + (end - out), marbles});
    return Status::Ok;
}

void LevelSearch::dropOlder(int current) {
    const auto kept = std::find_if(m_runs.begin(), m_runs.end(),
                                   [&](const Run& run) { return run.marbles <= current; });
    const std::size_t shift = kept == m_runs.end() ? runsEnd() : kept->begin;
    auto* bytes = reinterpret_cast<std::uint8_t*>(m_memory.data());
    std::memmove(bytes, bytes + shift, runsEnd() - shift);
    m_runs.erase(m_runs.begin(), kept);
    for (Run& run : m_runs) {
        run.begin -= shift;
        run.end -= shift;
    }
    if (m_reading)
        m_reading->shift(shift);
}

LevelSearch::Status LevelSearch::jumpInto(Mask marbles, int count, Jump& jump) {
    // Every way the last jump could have come: a marble back on `from` and `over`.
    std::array<std::pair<std::uint64_t, Jump>, 4 * kPositionCount> before{};
    std::array<std::uint64_t, 8> images{};
    std::size_t n = 0;
    const Mask empty = m_holes & ~marbles;
    for (std::size_t d = 0; d < 4; ++d)
        for (Mask rest = m_board.startsOf(int(d)); rest != 0; rest &= rest - 1) {
            const int from = std::countr_zero(rest);
            const int over = from + kSteps[d];
            const int to = over + kSteps[d];
            if (!(empty & bit(from)) || !(empty & bit(over)) || !(marbles & bit(to)))
                continue;
            imagesOf(marbles ^ (bit(from) | bit(over) | bit(to)), images);
            const std::uint64_t key =
                *std::min_element(images.begin(), images.begin() + m_symmetryCount);
            before[n++] = {key, {std::int8_t(from), std::int8_t(over), std::int8_t(to)}};
        }
    std::sort(before.begin(), before.begin() + std::ptrdiff_t(n),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    Reader reader(*this, count);
    std::uint64_t packed = 0;
    std::size_t i = 0;
    bool met = false;
    while (i < n && !met && reader.next(packed)) {
        if ((++m_answer.positions & 0x3FF) == 0 && stopNow())
            return Status::Stopped;
        while (i < n && before[i].first < packed)
            ++i;
        met = i < n && before[i].first == packed;
    }
    if (!met)
        return Status::Full; // cannot happen: a kept position came from one a count above
    jump = before[i].second;
    return Status::Ok;
}

LevelSearch::Status LevelSearch::trace(Mask root, int found, int target, std::vector<Jump>& moves) {
    const int rootCount = std::popcount(root);
    std::uint64_t packed = 0;
    {
        Reader reader(*this, found);
        if (!reader.next(packed))
            return Status::Full;
    }
    // Backward from a kept position of `found` marbles, through the counts still kept.
    Mask marbles = unpack(packed);
    std::vector<Jump> down; // last jump first
    std::array<std::uint64_t, 8> images{};
    for (int count = found + 1; count <= rootCount; ++count) {
        if (std::none_of(m_runs.begin(), m_runs.end(),
                         [&](const Run& run) { return run.marbles == count; }))
            break;
        Jump jump;
        if (const Status status = jumpInto(marbles, count, jump); status != Status::Ok)
            return status;
        down.push_back(jump);
        marbles ^= bit(jump.from) | bit(jump.over) | bit(jump.to);
    }
    // `marbles` is now an image of a position the root comes to: of the root itself, or of one
    // of a count no longer kept, found again by a search that stops there.
    const int top = std::popcount(marbles);
    Mask reached = root;
    if (top < rootCount) {
        imagesOf(marbles, images);
        const std::uint64_t goal =
            *std::min_element(images.begin(), images.begin() + m_symmetryCount);
        bool again = false;
        if (const Status status = descend(root, top, target, goal, again); status != Status::Ok)
            return status;
        if (!again)
            return Status::Full;
        if (const Status status = trace(root, top, target, moves); status != Status::Ok)
            return status;
        for (const Jump& jump : moves)
            reached = applyJump(reached, jump);
    }
    // The symmetry that takes `marbles` to the position the jumps above reach maps every jump.
    std::size_t t = 0;
    for (; t < std::size_t(m_symmetryCount); ++t) {
        Mask image = 0;
        for (Mask rest = marbles; rest != 0; rest &= rest - 1)
            image |= bit(m_map[t][std::size_t(std::countr_zero(rest))]);
        if (image == reached)
            break;
    }
    if (t == std::size_t(m_symmetryCount))
        return Status::Full;
    for (auto jump = down.rbegin(); jump != down.rend(); ++jump)
        moves.push_back({std::int8_t(m_map[t][std::size_t(jump->from)]),
                         std::int8_t(m_map[t][std::size_t(jump->over)]),
                         std::int8_t(m_map[t][std::size_t(jump->to)])});
    return Status::Ok;
}

} // namespace marvolen::solver
