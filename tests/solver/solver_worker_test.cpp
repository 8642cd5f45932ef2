// The warning's worker thread: answers arrive by callback; new questions replace old ones.
#include "game/variants.h"
#include "inbox.h"
#include "solver/solver_worker.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

using namespace marvolen;
using namespace marvolen::solver;
using marvolen::test::holesOf;
using marvolen::test::startOf;
using namespace std::chrono_literals;

namespace {

using Inbox = marvolen::test::Inbox<SolverWorker::Answer>;

/// The positions the look-ahead decides after `marbles`: those one jump ahead, and one jump
/// after each of them that can still leave one marble.
int positionsAhead(Mask holes, Mask marbles) {
    Solver direct(holes, 4 * 1024 * 1024);
    std::set<Mask> ahead;
    for (const Jump& jump : direct.legalJumps(marbles)) {
        const Mask next = applyJump(marbles, jump);
        ahead.insert(next);
        if (direct.canReachOne(next) == Reach::Yes)
            for (const Jump& second : direct.legalJumps(next))
                ahead.insert(applyJump(next, second));
    }
    return int(ahead.size());
}

/// Whether the worker's look-ahead decides `count` positions within a minute.
bool decidesAhead(const SolverWorker& worker, int count) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (worker.decidedAhead() < count && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    return worker.decidedAhead() == count;
}

TEST(SolverWorker, AnswersByCallbackWhatTheSolverAnswers) {
    Inbox inbox;
    SolverWorker worker(1024 * 1024, inbox.callback());
    Solver direct(holesOf(0), 1024 * 1024);
    const Mask marbles = startOf(0);
    const auto first = worker.ask(holesOf(0), marbles);
    const auto answer = inbox.waitFor(first);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->reach, direct.canReachOne(marbles));
    EXPECT_EQ(answer->marbles, marbles);
    EXPECT_EQ(answer->holes, holesOf(0));

    const auto one = worker.ask(holesOf(4), startOf(4));
    const auto reach = inbox.waitFor(one);
    ASSERT_TRUE(reach);
    EXPECT_EQ(reach->ticket, one);
    EXPECT_EQ(reach->reach, Reach::Yes);
}

TEST(SolverWorker, ANewQuestionStopsTheOneInWork) {
    Inbox inbox;
    SolverWorker worker(1024 * 1024, inbox.callback());
    // The start of the large board takes most of a second; the question after it must not wait
    // for it.
    const auto hard = worker.ask(holesOf(14), startOf(14));
    const auto easy = worker.ask(holesOf(0), startOf(0));
    EXPECT_GT(easy, hard);
    const auto answer = inbox.waitFor(easy);
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->reach, Reach::Undecided);
    std::lock_guard lock(inbox.mutex);
    for (const auto& seen : inbox.answers)
        EXPECT_TRUE(seen.ticket == easy || seen.ticket == hard);
}

TEST(SolverWorker, TimeLimitAndCancelEndTheWork) {
    Inbox inbox;
    SolverWorker worker(1024 * 1024, inbox.callback());
    // Answered when its time is up, with what is known then: never a wrong No.
    const auto limited = worker.ask(holesOf(14), startOf(14), 20ms);
    const auto answer = inbox.waitFor(limited);
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->reach, Reach::No);

    // A cancelled question publishes nothing; the worker still takes the next one.
    const auto dropped = worker.ask(holesOf(14), startOf(14));
    worker.cancel();
    const auto next = worker.ask(holesOf(0), startOf(0));
    ASSERT_TRUE(inbox.waitFor(next));
    std::lock_guard lock(inbox.mutex);
    for (const auto& seen : inbox.answers)
        EXPECT_NE(seen.ticket, dropped);
}

// Released in the middle of a hard question, the worker drops it, its table and what it decided
// ahead, and answers the next question from a fresh table as it answered before.
TEST(SolverWorker, ReleasedMidQuestionItAnswersTheNextAsBefore) {
    Inbox inbox;
    SolverWorker worker(1024 * 1024, inbox.callback());
    const auto first = worker.ask(holesOf(4), startOf(4));
    const auto before = inbox.waitFor(first);
    ASSERT_TRUE(before);
    const auto dropped = worker.ask(holesOf(14), startOf(14));
    worker.release();
    EXPECT_EQ(worker.decidedAhead(), 0);
    const auto again = worker.ask(holesOf(4), startOf(4));
    const auto after = inbox.waitFor(again);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->reach, before->reach);
    EXPECT_EQ(after->reach, Reach::Yes);
    std::lock_guard lock(inbox.mutex);
    for (const auto& seen : inbox.answers)
        EXPECT_NE(seen.ticket, dropped);
}

TEST(SolverWorker, AfterAYesThePositionsOfTheNextJumpAreDecidedAheadAndAnsweredAtOnce) {
    Inbox inbox;
    SolverWorker worker(4 * 1024 * 1024, inbox.callback());
    // Fourteen marbles on the cross, on a line that leaves one: of its seven jumps some keep
    // that line open and some lose it.
    const Mask marbles = 0x70e660190800;
    Solver direct(holesOf(4), 4 * 1024 * 1024);
    const auto first = worker.ask(holesOf(4), marbles);
    const auto answer = inbox.waitFor(first);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->reach, Reach::Yes);

    const std::vector<Jump> jumps = direct.legalJumps(marbles);
    ASSERT_TRUE(decidesAhead(worker, positionsAhead(holesOf(4), marbles)));

    std::set<Reach> seen;
    for (const Jump& jump : jumps) {
        const Mask next = applyJump(marbles, jump);
        const auto ticket = worker.ask(holesOf(4), next);
        const auto ahead = inbox.waitFor(ticket);
        ASSERT_TRUE(ahead);
        EXPECT_EQ(ahead->reach, direct.canReachOne(next));
        seen.insert(ahead->reach);
    }
    EXPECT_EQ(worker.answeredAhead(), int(jumps.size()));
    EXPECT_EQ(seen.size(), 2U) << "both answers occur";
}

TEST(SolverWorker, APositionNotDecidedInTimeIsLookedPastToo) {
    Inbox inbox;
    // The look-ahead gets as long as the test waits for it: a sanitizer's build on a busy
    // machine needs more than the game's ten seconds for these positions.
    SolverWorker worker(4 * 1024 * 1024, inbox.callback(), 60s);
    const Mask marbles = 0x70e660190800;
    // No time at all: the question is left undecided, but the positions after its jumps are
    // decided in the look-ahead's own time.
    const auto first = worker.ask(holesOf(4), marbles, 0ms);
    const auto answer = inbox.waitFor(first);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->reach, Reach::Undecided);

    Solver direct(holesOf(4), 4 * 1024 * 1024);
    const std::vector<Jump> jumps = direct.legalJumps(marbles);
    ASSERT_TRUE(decidesAhead(worker, positionsAhead(holesOf(4), marbles)));
    const Mask next = applyJump(marbles, jumps.back());
    const auto ahead = inbox.waitFor(worker.ask(holesOf(4), next));
    ASSERT_TRUE(ahead);
    EXPECT_EQ(ahead->reach, direct.canReachOne(next));
    EXPECT_EQ(worker.answeredAhead(), 1);
}

TEST(SolverWorker, WhatTheKnownLinesTellIsAnsweredWithoutASearch) {
    // A line to one marble, and a proof that two are the fewest: the worker's own solver is
    // stopped at once, so only the memory can answer.
    auto known = std::make_shared<KnownLines>();
    const Mask cross = startOf(4);
    const Mask twelve = startOf(12);
    ASSERT_TRUE(known->learn(holesOf(4), cross, {{10, 17, 24}}, 1, 1, false));
    ASSERT_TRUE(known->learn(holesOf(12), twelve, {}, std::popcount(twelve), 5, true));
    Inbox inbox;
    SolverWorker worker(1024 * 1024, inbox.callback(), 0ms, known);
    const auto yes = inbox.waitFor(worker.ask(holesOf(4), cross, 0ms));
    const auto no = inbox.waitFor(worker.ask(holesOf(12), twelve, 0ms));
    const auto unknown = inbox.waitFor(worker.ask(holesOf(4), applyJump(cross, {38, 31, 24}), 0ms));
    ASSERT_TRUE(yes && no && unknown);
    EXPECT_EQ(yes->reach, Reach::Yes);
    EXPECT_EQ(no->reach, Reach::No);
    EXPECT_EQ(unknown->reach, Reach::Undecided);
}

} // namespace
