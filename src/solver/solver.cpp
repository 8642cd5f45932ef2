// The solver's public face: positions as masks, and the questions handed to its engine.
#include "solver/solver.h"

#include "solver/engine.h"

namespace marvolen::solver {

Mask maskFromPattern(std::string_view pattern) {
    Mask holes = 0;
    int position = 0;
    for (const char ch : pattern) {
        if (ch == '.')
            continue;
        if (position >= kPositionCount)
            break;
        if (ch == '1')
            holes |= bit(position);
        ++position;
    }
    return holes;
}

namespace {
class SteadyClock : public Clock {
  public:
    std::chrono::nanoseconds now() const override {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};
} // namespace

const Clock& Clock::steady() {
    static const SteadyClock clock;
    return clock;
}

Limits Limits::within(std::chrono::duration<double> time, const Clock& clock) {
    Limits limits;
    limits.clock = &clock;
    // Beyond a day a limit means none, and adding it to the clock could overflow.
    if (time < std::chrono::hours(24))
        limits.deadline = clock.now() + std::chrono::duration_cast<std::chrono::nanoseconds>(time);
    return limits;
}

Solver::Solver(Mask holes, std::size_t tableBytes)
    : m_engine(std::make_unique<Engine>(holes, tableBytes)) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

Mask Solver::holes() const {
    return m_engine->holes();
}
std::vector<Jump> Solver::legalJumps(Mask marbles) const {
    return m_engine->legalJumps(marbles);
}
int Solver::staticLowerBound(Mask marbles) const {
    return m_engine->staticLowerBound(marbles);
}
Result Solver::solve(Mask marbles, const Limits& limits) {
    return m_engine->solve(marbles, limits);
}
Reach Solver::canReachOne(Mask marbles, const Limits& limits) {
    return m_engine->canReachOne(marbles, limits);
}
void Solver::decideAhead(Mask marbles, const Limits& limits,
                         const std::function<std::optional<Reach>(Mask)>& known,
                         const std::function<void(Mask, Reach)>& decided) {
    m_engine->decideAhead(marbles, limits, known, decided);
}

} // namespace marvolen::solver
