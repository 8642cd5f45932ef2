// The solver's worker threads behind the practice aids' questions.
#include "solver_questions.h"

#include "start_lines.h"

#include "solver/hint_worker.h"
#include "solver/solver_worker.h"

namespace marvolen::app::assist {

namespace {
// Each solver's table: the two together within what the game may give them.
constexpr std::size_t kSolverTableBytes = std::size_t(32) << 20;
// A position not decided by then stays undecided: nothing changes on the board.
constexpr std::chrono::milliseconds kThinkingTime{10000};
// What the warning's worker decides ahead while the player thinks, all positions together.
constexpr std::chrono::milliseconds kLookAheadTime{10000};

// The one place where the game's positions and jumps meet the solver's: both number the
// places row x 7 + column, so the masks pass as they are.
SolverAdvice advice(const solver::HintWorker::Answer& answer) {
    SolverAdvice out;
    out.position = game::Position(answer.holes, answer.marbles);
    for (const solver::Jump& jump : answer.result.moves)
        out.line.push_back(game::Jump{jump.from, jump.over, jump.to});
    out.leaves = answer.result.best;
    out.atLeast = answer.result.lowerBound;
    out.finished = answer.finished;
    return out;
}

class WorkerQuestions : public SolverQuestions {
  public:
    WorkerQuestions(std::shared_ptr<solver::KnownLines> known, ReachAnswered reachAnswered,
                    HintAnswered hintAnswered, WorkLearned workLearned)
        : m_known(std::move(known)), m_reachAnswered(std::move(reachAnswered)),
          m_hintAnswered(std::move(hintAnswered)), m_workLearned(std::move(workLearned)) {}
    std::uint64_t askReachOne(const game::Position& position) override {
        if (!m_reach)
            m_reach = std::make_unique<solver::SolverWorker>(
                kSolverTableBytes,
                [answered = m_reachAnswered](const Answer& answer) {
                    answered(answer.ticket, answer.reach);
                },
                kLookAheadTime, m_known);
        return m_reach->ask(position.holes(), position.marbles(), kThinkingTime);
    }
    void cancelReachOne() override {
        if (m_reach)
            m_reach->cancel();
    }
    std::uint64_t askHint(const game::Position& position) override {
        return hints().ask(position.holes(), position.marbles(), kHintTime);
    }
    std::uint64_t askBestLine(const game::Position& position) override {
        return hints().ask(position.holes(), position.marbles(), kLineTime);
    }
    void cancelHint() override {
        if (m_hint)
            m_hint->cancelAsk();
    }
    void workOn(const game::Position& position) override {
        hints().follow(position.holes(), position.marbles());
    }
    void stopWork() override {
        if (m_hint)
            m_hint->stop();
    }
    void releaseReachOne() override {
        if (m_reach)
            m_reach->release();
    }
    void releaseWork() override {
        if (m_hint)
            m_hint->release();
    }
    std::optional<SolverAdvice> lineFromStart(game::Position::Mask holes) const override {
        return startLine(holes);
    }

  private:
    using Answer = solver::SolverWorker::Answer;
    solver::HintWorker& hints() {
        if (!m_hint)
            m_hint = std::make_unique<solver::HintWorker>(
                kSolverTableBytes, kWorkTime,
                [answered = m_hintAnswered](const solver::HintWorker::Answer& answer) {
                    answered(answer.ticket, advice(answer));
                },
                [learned = m_workLearned](const solver::HintWorker::Answer& answer) {
                    learned(advice(answer));
                },
                solver::Clock::steady(), m_known);
        return *m_hint;
    }

    std::shared_ptr<solver::KnownLines> m_known;
    ReachAnswered m_reachAnswered;
    HintAnswered m_hintAnswered;
    WorkLearned m_workLearned;
    std::unique_ptr<solver::SolverWorker> m_reach;
    std::unique_ptr<solver::HintWorker> m_hint;
};
} // namespace

std::unique_ptr<SolverQuestions> solverOnThreads(std::shared_ptr<solver::KnownLines> known,
                                                 ReachAnswered reachAnswered,
                                                 HintAnswered hintAnswered,
                                                 WorkLearned workLearned) {
    return std::make_unique<WorkerQuestions>(std::move(known), std::move(reachAnswered),
                                             std::move(hintAnswered), std::move(workLearned));
}

} // namespace marvolen::app::assist
