// The solver's worker threads behind the practice aids' questions.
#include "solver_questions.h"

#include "solver/solver_worker.h"

namespace marvolen::app::assist {

namespace {
// Each solver's table: the two together within what the game may give them.
constexpr std::size_t kSolverTableBytes = std::size_t(32) << 20;
// A position not decided by then stays undecided: nothing changes on the board.
constexpr std::chrono::milliseconds kThinkingTime{10000};

// The one place where the game's positions and jumps meet the solver's: both number the
// places row x 7 + column, so the masks pass as they are.
std::optional<game::Jump> gameJump(const solver::Jump& jump) {
    return game::Jump{jump.from, jump.over, jump.to};
}

class WorkerQuestions : public SolverQuestions {
  public:
    WorkerQuestions(ReachAnswered reachAnswered, HintAnswered hintAnswered)
        : m_reachAnswered(std::move(reachAnswered)), m_hintAnswered(std::move(hintAnswered)) {}
    std::uint64_t askReachOne(const game::Position& position) override {
        if (!m_reach)
            m_reach = std::make_unique<solver::SolverWorker>(
                kSolverTableBytes, [answered = m_reachAnswered](const Answer& answer) {
                    answered(answer.ticket, answer.reach);
                });
        return m_reach->ask(position.holes(), position.marbles(), Question::ReachOne,
                            kThinkingTime);
    }
    void cancelReachOne() override {
        if (m_reach)
            m_reach->cancel();
    }
    std::uint64_t askHint(const game::Position& position) override {
        if (!m_hint)
            m_hint = std::make_unique<solver::SolverWorker>(
                kSolverTableBytes, [answered = m_hintAnswered](const Answer& answer) {
                    const auto& moves = answer.result.moves;
                    answered(answer.ticket, moves.empty() ? std::nullopt : gameJump(moves.front()));
                });
        return m_hint->ask(position.holes(), position.marbles(), Question::Fewest, kHintTime);
    }
    void cancelHint() override {
        if (m_hint)
            m_hint->cancel();
    }

  private:
    using Answer = solver::SolverWorker::Answer;
    using Question = solver::SolverWorker::Question;
    ReachAnswered m_reachAnswered;
    HintAnswered m_hintAnswered;
    std::unique_ptr<solver::SolverWorker> m_reach;
    std::unique_ptr<solver::SolverWorker> m_hint;
};
} // namespace

std::unique_ptr<SolverQuestions> solverOnThreads(ReachAnswered reachAnswered,
                                                 HintAnswered hintAnswered) {
    return std::make_unique<WorkerQuestions>(std::move(reachAnswered), std::move(hintAnswered));
}

} // namespace marvolen::app::assist
