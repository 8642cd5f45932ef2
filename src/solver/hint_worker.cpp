// The hint's worker thread: the search on the position followed, answers when they are due.
#include "solver/hint_worker.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace marvolen::solver {

namespace {
/// What is known of a position of `marbles` marbles, as a search's answer.
Result resultOf(const std::optional<KnownLines::Known>& known, int marbles, std::uint64_t nodes) {
    Result result;
    result.marbles = result.best = marbles;
    result.nodes = nodes;
    if (known) {
        result.best = known->leaves;
        result.lowerBound = known->atLeast;
        result.moves = known->line;
    }
    return result;
}
} // namespace

HintWorker::HintWorker(std::size_t tableBytes, std::chrono::milliseconds workTime,
                       Callback answered, Callback learned, const Clock& clock,
                       std::shared_ptr<KnownLines> known)
    : m_tableBytes(tableBytes), m_workTime(workTime), m_answered(std::move(answered)),
      m_learned(std::move(learned)), m_clock(clock),
      m_known(known ? std::move(known) : std::make_shared<KnownLines>()),
      m_thread([this] { run(); }) {}

Result HintWorker::learn(Mask holes, Mask marbles, const Result& round, std::uint64_t nodes,
                         bool finished) {
    const auto known =
        m_known->learn(holes, marbles, round.moves, round.best, round.lowerBound, finished);
    // A memory with no room keeps nothing: the round's own answer still holds.
    return known ? resultOf(known, round.marbles, nodes) : round;
}

HintWorker::~HintWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_asked.reset();
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void HintWorker::follow(Mask holes, Mask marbles) {
    {
        std::lock_guard lock(m_mutex);
        followLocked(holes, marbles);
    }
    m_wake.notify_all();
}

void HintWorker::followLocked(Mask holes, Mask marbles) {
    holes &= kAllPositions;
    marbles &= holes;
    if (m_work && m_work->holes == holes && m_work->marbles == marbles)
        return;
    Work work;
    work.id = m_nextWork++;
    work.holes = holes;
    work.marbles = marbles;
    m_work = work;
    m_asked.reset();
    m_stop = true;
}

void HintWorker::stop() {
    std::lock_guard lock(m_mutex);
    ++m_stops;
    m_work.reset();
    m_asked.reset();
    m_stop = true;
}

void HintWorker::release() {
    {
        std::lock_guard lock(m_mutex);
        ++m_stops;
        m_work.reset();
        m_asked.reset();
        m_stop = true;
        m_release = true;
    }
    m_wake.notify_all();
}

std::uint64_t HintWorker::ask(Mask holes, Mask marbles, std::chrono::milliseconds budget) {
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(m_mutex);
        followLocked(holes, marbles);
        ticket = m_nextTicket++;
        m_asked = Asked{ticket, Limits::within(budget, m_clock).deadline};
        // The round in work makes way for one that ends when the answer is due.
        m_stop = true;
    }
    m_wake.notify_all();
    return ticket;
}

void HintWorker::cancelAsk() {
    std::lock_guard lock(m_mutex);
    m_asked.reset();
}

void HintWorker::run() {
    for (;;) {
        Round round;
        std::optional<Answer> done;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] {
                return m_quit || m_release ||
                       (m_work && (!m_work->finished || m_asked.has_value()));
            });
            if (m_quit)
                return;
            if (std::exchange(m_release, false)) {
                lock.unlock();
                m_solver.reset();
                continue;
            }
            if (m_work->finished) {
                const Result known = resultOf(m_known->find(m_work->holes, m_work->marbles),
                                              std::popcount(m_work->marbles), m_work->nodes);
                done = Answer{m_asked->ticket, m_work->holes, m_work->marbles, known, true};
                m_asked.reset();
            } else {
                round = beginRound();
            }
        }
        if (done) {
            if (m_answered)
                m_answered(*done);
            continue;
        }
        if (!m_solver || m_solver->holes() != round.holes) {
            m_solver.reset(); // the old table goes before the new one is allocated
            m_solver = std::make_unique<Solver>(round.holes, m_tableBytes);
        }
        const auto start = m_clock.now();
        const Result result = m_solver->solve(round.marbles, round.limits);
        endRound(round, result, m_clock.now() - start);
    }
}

HintWorker::Round HintWorker::beginRound() {
    Round round;
    round.work = m_work->id;
    round.stops = m_stops;
    round.holes = m_work->holes;
    round.marbles = m_work->marbles;
    m_stop = false;
    round.limits.stop = &m_stop;
    round.limits.clock = &m_clock;
    if (m_asked) {
        round.forTicket = m_asked->ticket;
        round.limits.deadline = m_asked->due;
    } else {
        // One search for the rest of the time: a new start would go over the same ground again
        // before it got further.
        round.limits.deadline = m_clock.now() + (m_workTime - m_work->spent);
    }
    return round;
}

void HintWorker::endRound(const Round& round, const Result& result, std::chrono::nanoseconds took) {
    std::optional<Answer> answer;
    std::optional<Answer> learned;
    {
        std::lock_guard lock(m_mutex);
        if (!m_work || m_work->id != round.work) {
            // Stopped for another position: what the rounds found still holds for their own,
            // which the game may come back to. After stop() nothing more is told.
            if (round.stops == m_stops) {
                const Result known = learn(round.holes, round.marbles, result, result.nodes, false);
                learned = Answer{0, round.holes, round.marbles, known, known.proven()};
            }
        } else {
            Work& work = *m_work;
            work.spent += took;
            work.nodes += result.nodes;
            Result known = learn(round.holes, round.marbles, result, work.nodes, false);
            work.finished = known.proven() || work.spent >= m_workTime;
            if (work.finished)
                known = learn(round.holes, round.marbles, known, work.nodes, true);
            const Answer now{0, round.holes, round.marbles, known, work.finished};
            if (m_asked && (m_asked->ticket == round.forTicket || work.finished)) {
                answer = now;
                answer->ticket = m_asked->ticket;
                m_asked.reset();
            } else {
                learned = now;
            }
        }
    }
    if (answer && m_answered)
        m_answered(*answer);
    if (learned && m_learned)
        m_learned(*learned);
}

} // namespace marvolen::solver
