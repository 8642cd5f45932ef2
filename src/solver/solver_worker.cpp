// The solver's worker thread: newest question first, answers published under a lock.
#include "solver/solver_worker.h"

#include <utility>

namespace marvolen::solver {

namespace {
// Two jumps deep from the last few positions: a few hundred.
constexpr std::size_t kKeptAhead = 1024;
} // namespace

SolverWorker::SolverWorker(std::size_t tableBytes, Callback callback,
                           std::chrono::milliseconds lookAheadTime,
                           std::shared_ptr<const KnownLines> known)
    : m_tableBytes(tableBytes), m_callback(std::move(callback)), m_lookAheadTime(lookAheadTime),
      m_known(std::move(known)), m_thread([this] { run(); }) {}

SolverWorker::~SolverWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_pending.reset();
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

std::uint64_t SolverWorker::ask(Mask holes, Mask marbles, std::chrono::milliseconds timeLimit) {
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(m_mutex);
        ticket = m_nextTicket++;
        m_pending = Job{ticket, holes, marbles, timeLimit};
        m_current = ticket;
        m_stop = true;
    }
    m_wake.notify_all();
    return ticket;
}

void SolverWorker::cancel() {
    std::lock_guard lock(m_mutex);
    m_pending.reset();
    m_current = 0;
    m_stop = true;
}

void SolverWorker::release() {
    {
        std::lock_guard lock(m_mutex);
        m_pending.reset();
        m_current = 0;
        m_stop = true;
        m_release = true;
        std::vector<Decided>().swap(m_ahead);
        m_aheadHoles = 0;
    }
    m_wake.notify_all();
}

int SolverWorker::decidedAhead() const {
    std::lock_guard lock(m_mutex);
    return int(m_ahead.size());
}

int SolverWorker::answeredAhead() const {
    std::lock_guard lock(m_mutex);
    return m_answeredAhead;
}

std::optional<Reach> SolverWorker::decidedBefore(Mask holes, Mask marbles) const {
    std::lock_guard lock(m_mutex);
    if (holes != m_aheadHoles)
        return std::nullopt;
    for (const Decided& decided : m_ahead)
        if (decided.marbles == marbles)
            return decided.reach;
    return std::nullopt;
}

void SolverWorker::lookAhead(const Job& job) {
    {
        std::lock_guard lock(m_mutex);
        if (job.holes != m_aheadHoles)
            m_ahead.clear();
        m_aheadHoles = job.holes;
    }
    Limits limits = Limits::within(m_lookAheadTime);
    limits.stop = &m_stop; // a question asked meanwhile ends the look at once
    m_solver->decideAhead(
        job.marbles, limits, [&](Mask marbles) { return decidedBefore(job.holes, marbles); },
        [this](Mask marbles, Reach reach) {
            std::lock_guard lock(m_mutex);
            // The positions of the last few jumps are kept, so that taking one back and trying
            // another is answered at once too.
            if (m_ahead.size() == kKeptAhead)
                m_ahead.erase(m_ahead.begin());
            m_ahead.push_back({marbles, reach});
        });
}

std::optional<Reach> SolverWorker::knownFromLines(const Job& job) const {
    if (!m_known)
        return std::nullopt;
    const auto known = m_known->find(job.holes, job.marbles);
    // A line known to leave one marble, or a proof that none leaves fewer than two.
    if (known && !known->line.empty() && known->leaves == 1)
        return Reach::Yes;
    if (known && known->atLeast > 1)
        return Reach::No;
    return std::nullopt;
}

void SolverWorker::run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_release || m_pending.has_value(); });
            if (m_quit)
                return;
            if (std::exchange(m_release, false)) {
                lock.unlock();
                m_solver.reset();
                continue;
            }
            job = *m_pending;
            m_pending.reset();
            m_stop = false;
        }
        if (!m_solver || m_solver->holes() != job.holes) {
            m_solver.reset(); // the old table goes before the new one is allocated
            m_solver = std::make_unique<Solver>(job.holes, m_tableBytes);
        }
        const std::optional<Reach> known = decidedBefore(job.holes, job.marbles);
        const std::optional<Reach> fromLines = known ? known : knownFromLines(job);
        Limits limits = Limits::within(job.timeLimit);
        limits.stop = &m_stop;
        Answer answer;
        answer.ticket = job.ticket;
        answer.holes = job.holes;
        answer.marbles = job.marbles;
        answer.reach = fromLines ? *fromLines : m_solver->canReachOne(job.marbles, limits);
        {
            std::lock_guard lock(m_mutex);
            if (m_current != job.ticket)
                continue;
            m_answeredAhead += known ? 1 : 0;
        }
        if (m_callback)
            m_callback(answer);
        // A position not decided in time is looked past too: the next one, a marble fewer, is
        // often decided where this one was not, and the one after a jump is what is asked next.
        if (answer.reach != Reach::No)
            lookAhead(job);
    }
}

} // namespace marvolen::solver
