// The hint's worker: work on the position followed, answers at once once it is done, rounds that
// keep what the ones before them found.
#include "game/position.h"
#include "game/variants.h"
#include "inbox.h"
#include "solver/hint_worker.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace marvolen;
using namespace marvolen::solver;
using marvolen::test::holesOf;
using marvolen::test::startOf;
using namespace std::chrono_literals;

namespace {

using Inbox = marvolen::test::Inbox<HintWorker::Answer>;

/// Whether `moves` can be made one after the other from `marbles` and leave `best` marbles.
bool lineLeaves(Mask holes, Mask marbles, const std::vector<Jump>& moves, int best) {
    game::Position position(holes, marbles);
    for (const Jump& jump : moves) {
        if (!position.marble(jump.from) || !position.canJump(jump.from, jump.to))
            return false;
        position = position.apply({jump.from, jump.over, jump.to});
    }
    return position.marbleCount() == best;
}

TEST(HintWorker, AHintOnAPositionWhoseWorkIsDoneIsAnsweredWithoutItsBudget) {
    Inbox inbox;
    HintWorker worker(1 << 20, 60s, inbox.into(inbox.answers), inbox.into(inbox.learned));
    worker.follow(holesOf(4), startOf(4));
    ASSERT_TRUE(inbox.waitUntil([&] { return !inbox.learned.empty(); }));
    HintWorker::Answer done;
    {
        std::lock_guard lock(inbox.mutex);
        done = inbox.learned.back();
    }
    ASSERT_TRUE(done.finished);
    EXPECT_EQ(done.result.best, 1);
    EXPECT_TRUE(done.result.proven());

    // A budget of days: only an answer from the work done comes within the deadline.
    const auto ticket = worker.ask(holesOf(4), startOf(4), std::chrono::hours(24 * 7));
    ASSERT_TRUE(inbox.waitUntil([&] { return !inbox.answers.empty(); }));
    std::lock_guard lock(inbox.mutex);
    const HintWorker::Answer& answer = inbox.answers.front();
    EXPECT_EQ(answer.ticket, ticket);
    EXPECT_TRUE(answer.finished);
    EXPECT_EQ(answer.marbles, startOf(4));
    EXPECT_EQ(answer.result.moves, done.result.moves);
}

TEST(HintWorker, TheWorkGoesOnAfterEachHintAndNeverForgetsWhatItFound) {
    Inbox inbox;
    // The full square is far from proven: the work ends on its time.
    HintWorker worker(1 << 20, 600ms, inbox.into(inbox.answers), inbox.into(inbox.learned));
    const Mask holes = holesOf(7);
    const Mask marbles = startOf(7);
    const auto first = worker.ask(holes, marbles, 50ms);
    ASSERT_TRUE(inbox.waitUntil([&] { return inbox.answers.size() == 1; }));
    const auto second = worker.ask(holes, marbles, 50ms);
    ASSERT_TRUE(inbox.waitUntil([&] {
        return inbox.answers.size() == 2 && !inbox.learned.empty() && inbox.learned.back().finished;
    }));
    std::lock_guard lock(inbox.mutex);
    EXPECT_EQ(inbox.answers[0].ticket, first);
    EXPECT_EQ(inbox.answers[1].ticket, second);
    // Each answer and each round after it comes down to no more marbles than the one before,
    // with a line that leaves them.
    const std::vector<HintWorker::Answer>& told = inbox.inOrder;
    int best = told.front().result.best;
    int bound = told.front().result.lowerBound;
    for (const HintWorker::Answer& answer : told) {
        EXPECT_EQ(answer.marbles, marbles);
        EXPECT_LE(answer.result.best, best);
        EXPECT_GE(answer.result.lowerBound, bound);
        EXPECT_TRUE(lineLeaves(holes, marbles, answer.result.moves, answer.result.best));
        best = answer.result.best;
        bound = answer.result.lowerBound;
    }
    EXPECT_FALSE(inbox.answers[1].finished);
}

TEST(HintWorker, ANewPositionTakesOverAndTheOldOneTellsWhatItFound) {
    Inbox inbox;
    HintWorker worker(1 << 20, 60s, inbox.into(inbox.answers), inbox.into(inbox.learned));
    const auto dropped = worker.ask(holesOf(7), startOf(7), 10s);
    worker.cancelAsk();
    const auto asked = worker.ask(holesOf(7), startOf(7), 10s);
    worker.follow(holesOf(0), startOf(0)); // the game moved on: no answer for the old position
    ASSERT_TRUE(inbox.waitUntil([&] {
        for (const auto& told : inbox.learned)
            if (told.marbles == startOf(0) && told.finished)
                return true;
        return false;
    }));
    std::lock_guard lock(inbox.mutex);
    EXPECT_TRUE(inbox.answers.empty())
        << "answered " << inbox.answers.front().ticket << " of " << dropped << ", " << asked;
    for (const auto& told : inbox.learned)
        EXPECT_TRUE(told.marbles == startOf(0) || told.marbles == startOf(7));
}

// Released, the worker tells nothing more of the work it dropped, and answers the next hint
// from a fresh table as it answered before.
TEST(HintWorker, ReleasedItTellsNothingMoreAndAnswersTheNextHintAsBefore) {
    Inbox inbox;
    HintWorker worker(1 << 20, 60s, inbox.into(inbox.answers), inbox.into(inbox.learned));
    const auto untilDone = std::chrono::hours(24 * 7); // answered once the work is done
    worker.ask(holesOf(4), startOf(4), untilDone);
    ASSERT_TRUE(inbox.waitUntil([&] { return inbox.answers.size() == 1; }));
    worker.ask(holesOf(7), startOf(7), 10s);
    worker.release();
    worker.ask(holesOf(4), startOf(4), untilDone);
    ASSERT_TRUE(inbox.waitUntil([&] { return inbox.answers.size() == 2; }));
    std::lock_guard lock(inbox.mutex);
    const HintWorker::Answer& before = inbox.answers[0];
    const HintWorker::Answer& after = inbox.answers[1];
    EXPECT_TRUE(after.finished);
    EXPECT_EQ(after.result.best, before.result.best);
    EXPECT_EQ(after.result.lowerBound, before.result.lowerBound);
    EXPECT_TRUE(lineLeaves(holesOf(4), startOf(4), after.result.moves, after.result.best));
    for (const auto& told : inbox.learned)
        EXPECT_EQ(told.marbles, startOf(4)) << "the released work told what it found";
}

/// A clock `slowdown` times slower than the steady clock.
class SlowClock : public Clock {
  public:
    explicit SlowClock(int slowdown) : m_slowdown(slowdown) {}
    std::chrono::nanoseconds now() const override {
        return (std::chrono::steady_clock::now() - m_origin) / m_slowdown;
    }

  private:
    const std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
    const int m_slowdown;
};

TEST(HintWorker, BudgetsAndWorkTimeAreCountedOnTheClockItIsGiven) {
    // A clock fifty times slower than the wall: 10 ms of it pass in half a second.
    using Steady = std::chrono::steady_clock;
    const SlowClock slow(50);
    Inbox inbox;
    // This start takes seconds to prove: the answer and the end of the work come on time.
    HintWorker worker(1 << 20, 20ms, inbox.into(inbox.answers), inbox.into(inbox.learned), slow);
    const Steady::time_point asked = Steady::now();
    worker.ask(holesOf(12), startOf(12), 10ms);
    ASSERT_TRUE(inbox.waitUntil([&] { return !inbox.answers.empty(); }));
    EXPECT_GE(Steady::now() - asked, 500ms);
    ASSERT_TRUE(
        inbox.waitUntil([&] { return !inbox.learned.empty() && inbox.learned.back().finished; }));
    EXPECT_GE(Steady::now() - asked, 1000ms);
    std::lock_guard lock(inbox.mutex);
    EXPECT_FALSE(inbox.answers.front().finished);
    EXPECT_FALSE(inbox.learned.back().result.proven());
}

TEST(HintWorker, OnItsOwnClockTheSearchStillHasHalfTheHintsTime) {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "how far the search gets in a second is a matter of speed, and "
                    "ThreadSanitizer slows it many times over";
#endif
    // Growing the known one-marble positions of this board (27 marbles) as far as memory goes
    // takes longer than the hint's two seconds: on the steady clock it stops halfway to the
    // deadline, and so it must on a clock of the worker's own, or the hint comes with no more
    // than a single jump. How far the search gets in its half depends on the build's speed.
    const SlowClock own(1);
    Inbox inbox;
    HintWorker worker(32 << 20, 30s, inbox.into(inbox.answers), {}, own);
    worker.ask(holesOf(4), 0x070267efecc1cULL, 2s);
    ASSERT_TRUE(inbox.waitUntil([&] { return !inbox.answers.empty(); }));
    std::lock_guard lock(inbox.mutex);
    EXPECT_LT(inbox.answers.front().result.best, 20);
}

} // namespace
