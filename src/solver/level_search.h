// A breadth-first search, one marble count at a time, that proves how few marbles can be left.
#pragma once

#include "solver/engine.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace marvolen::solver {

/// What a level search found out.
struct LevelAnswer {
    Reach reached = Reach::Undecided; ///< Undecided: a limit or the memory stopped it
    std::vector<Jump> moves;          ///< on Yes: legal jumps down to at most the target
    std::uint64_t positions = 0;      ///< distinct positions (up to symmetry) met
    std::size_t mostBytes = 0;        ///< most of the memory in use at once
    bool tooLarge = false;            ///< Undecided because its counts grow past the memory planned
};

/// Goes down from a position one marble count at a time: every position of n marbles (up to the
/// symmetries of the holes) that the solver's bounds do not refute, then those of n - 1. A
/// depth-first search meets the same positions again and again once they no longer fit its
/// table; here each is met once, and a count's positions are kept sorted and delta coded, so a
/// few bytes hold one. The older counts are kept while they fit, to trace the jumps back.
class LevelSearch {
  public:
    /// Works within `memory` (lent, not owned, its contents overwritten), and asks `solver` for
    /// symmetries and bounds. It gives up as soon as the counts look like they will not fit in
    /// `plannedBytes` (when not 0; else in `memory`): a first try in little memory tells whether
    /// one in more would do.
    LevelSearch(const Engine& solver, std::span<std::uint64_t> memory,
                std::size_t plannedBytes = 0);

    /// Whether `marbles` can come down to `target` marbles or fewer.
    LevelAnswer run(Mask marbles, int target, const Limits& limits = {});

  private:
    struct Run {
        std::size_t begin = 0; // bytes into the memory
        std::size_t end = 0;
        int marbles = 0;
    };
    class Reader;
    enum class Status { Ok, Stopped, Full };

    std::uint64_t pack(Mask marbles) const;
    Mask unpack(std::uint64_t packed) const;
    /// The canonical packed images under each symmetry, into `images`.
    void imagesOf(Mask marbles, std::array<std::uint64_t, 8>& images) const;

    /// Every count from the root's down to `stopAt` (of it only `goal`, unless 0); `found` when
    /// a position of `stopAt` marbles is kept.
    Status descend(Mask root, int stopAt, int target, std::uint64_t goal, bool& found);
    /// The positions one jump below those of `marbles` marbles, as runs of a count less.
    Status expand(int marbles, int target, std::uint64_t goal);
    Status flush(int marbles, int target, std::uint64_t goal);
    Status makeRoom(int marbles);
    Status merge(int marbles);
    /// Bytes and runs of the positions of `marbles` marbles.
    std::pair<std::size_t, std::size_t> sizeOf(int marbles) const;
    void dropOlder(int current);
    std::size_t runsEnd() const { return m_runs.empty() ? 0 : m_runs.back().end; }
    std::size_t bufferBegin() const { return (runsEnd() + 7) / 8; }
    bool stopNow();
    std::int64_t weight(std::size_t pagoda, int position) const {
        return m_pagodaWeights[pagoda][std::size_t(position)];
    }
    /// Traces the jumps from `root` down to a position of `found` marbles (the first one kept).
    Status trace(Mask root, int found, int target, std::vector<Jump>& moves);
    /// The jump from a kept position of `count` marbles that leads to `marbles`.
    Status jumpInto(Mask marbles, int count, Jump& jump);

    const Engine& m_solver;
    const BoardGeometry& m_board;
    std::span<std::uint64_t> m_memory;
    std::size_t m_plannedBytes = 0;
    std::size_t m_buffered = 0; // raw positions in the buffer after the runs
    std::vector<Run> m_runs;
    std::span<std::uint64_t> m_scratch; // for sorting
    Reader* m_reading = nullptr;        // the count being read, moved along when memory moves
    bool m_stopped = false;
    const Limits* m_limits = nullptr; // of the question being answered
    LevelAnswer m_answer;

    Mask m_holes = 0;
    int m_holeCount = 0;
    int m_symmetryCount = 0;
    std::array<std::array<int, kPositionCount>, 8> m_map{}; // where each position goes
    // Per symmetry and row value, the packed bits of the row's image.
    std::array<RowTable<std::uint64_t>, 8> m_imageRows{};
    RowTable<std::uint64_t> m_packRows{};
    std::array<std::array<Mask, 256>, 7> m_unpackBytes{};
    // Per direction and starting position, the packed image under each symmetry of the three
    // positions a jump changes.
    std::array<std::array<std::array<std::uint64_t, 8>, kPositionCount>, 4> m_jumpImages{};
    // The solver's pagoda functions against the target, per row value, to prune a position as
    // it is made; with all of them here, the solver is asked only near the target.
    std::vector<RowTable<std::int64_t>> m_pagodaRows;
    std::vector<std::array<std::int64_t, kPositionCount>> m_pagodaWeights;
    std::vector<std::int64_t> m_pagodaLeast;
    bool m_allPagodas = true;
};

} // namespace marvolen::solver
