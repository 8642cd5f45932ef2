// The exact peg-solitaire solver: fewest marbles that can be left, and the jumps that leave them.
// The game asks it through its two workers, each on a thread of its own: the hint and the work
// toward it (hint_worker.h), and the warning (solver_worker.h); the best lines known are one
// memory that they share (known_lines.h). Its tables are private to src/solver (engine.h).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace marvolen::solver {

/// A set of positions: bit p is position p = row x 7 + column (0 to 48), as the board numbers them.
using Mask = std::uint64_t;

constexpr int kSide = 7;
constexpr int kPositionCount = kSide * kSide;
constexpr Mask kAllPositions = (Mask{1} << kPositionCount) - 1;

/// The holes of a 49-character pattern ("1" is a hole); "." separators are skipped, so a variant's
/// pattern can be given as it is written, with its row separators.
Mask maskFromPattern(std::string_view pattern);

/// One jump: the marble at `from` jumps over `over` into the empty hole `to`.
struct Jump {
    std::int8_t from = 0;
    std::int8_t over = 0;
    std::int8_t to = 0;
    friend bool operator==(const Jump&, const Jump&) = default;
};

/// The marbles after `jump`; the caller makes sure the jump is legal.
constexpr Mask applyJump(Mask marbles, Jump jump) {
    return (marbles & ~(Mask{1} << jump.from) & ~(Mask{1} << jump.over)) | (Mask{1} << jump.to);
}

/// Time as a search counts it, from any fixed origin: the game counts on the steady clock; a
/// benchmark counts processor time, which others' work on a shared machine does not use up.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::nanoseconds now() const = 0;
    static const Clock& steady();
};

/// When a search gives up. Every field is checked often enough that a search stops within a
/// fraction of a millisecond of the moment it is asked to.
struct Limits {
    const std::atomic<bool>* stop = nullptr; ///< set by another thread to stop at once
    std::uint64_t maxNodes = UINT64_MAX;     ///< positions searched
    const Clock* clock = &Clock::steady();
    std::chrono::nanoseconds deadline = std::chrono::nanoseconds::max(); ///< on `clock`

    /// `time` from now on `clock`; beyond a day, no deadline.
    static Limits within(std::chrono::duration<double> time, const Clock& clock = Clock::steady());
    bool timeUp() const {
        return deadline != std::chrono::nanoseconds::max() && clock->now() >= deadline;
    }
};

/// What a search knows. `best` is always reached by `moves`; `lowerBound` is always proven; the
/// answer is exact when the two meet.
struct Result {
    int marbles = 0;         ///< marbles in the position asked about
    int best = 0;            ///< fewest marbles reached so far, by `moves`
    int lowerBound = 0;      ///< no sequence of jumps leaves fewer marbles than this
    std::vector<Jump> moves; ///< legal jumps from the position, leaving `best` marbles
    std::uint64_t nodes = 0; ///< positions searched
    bool proven() const { return best == lowerBound; }
};

enum class Reach { Yes, No, Undecided };

class Engine;

/// A solver for one hole pattern. It keeps a table of positions proven not to reach a count, so
/// later questions on the same pattern profit from earlier ones. Not thread-safe: one thread at
/// a time.
class Solver {
  public:
    /// `tableBytes` is the most memory its tables may take; they are allocated once, never grown.
    Solver(Mask holes, std::size_t tableBytes);
    ~Solver();
    Solver(Solver&&) noexcept;
    Solver& operator=(Solver&&) noexcept;

    Mask holes() const;
    /// Every legal jump of `marbles` (which must lie on holes).
    std::vector<Jump> legalJumps(Mask marbles) const;
    /// A proven lower bound on the marbles that can be left, found without searching.
    int staticLowerBound(Mask marbles) const;
    /// Fewest marbles: what is known when a limit stops it has `best` above `lowerBound`.
    Result solve(Mask marbles, const Limits& limits = {});
    /// Whether a single marble can still be left.
    Reach canReachOne(Mask marbles, const Limits& limits = {});
    /// What the warning is asked next, decided while the player thinks: whether one marble can
    /// be left after each jump of `marbles`, and after each jump of those that can, quick ones
    /// first. Positions `known` answers are not searched; `decided` is told of every other.
    void decideAhead(Mask marbles, const Limits& limits,
                     const std::function<std::optional<Reach>(Mask)>& known,
                     const std::function<void(Mask, Reach)>& decided);

  private:
    std::unique_ptr<Engine> m_engine;
};

} // namespace marvolen::solver
