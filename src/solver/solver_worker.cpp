// The solver's worker thread: newest question first, answers published under a lock.
#include "solver/solver_worker.h"

namespace marvolen::solver {

SolverWorker::SolverWorker(std::size_t tableBytes, Callback callback)
    : m_tableBytes(tableBytes), m_callback(std::move(callback)), m_thread([this] { run(); }) {}

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

std::uint64_t SolverWorker::ask(Mask holes, Mask marbles, Question question,
                                std::chrono::milliseconds timeLimit) {
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(m_mutex);
        ticket = m_nextTicket++;
        m_pending = Job{ticket, holes, marbles, question, timeLimit};
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

std::optional<SolverWorker::Answer> SolverWorker::latest() const {
    std::lock_guard lock(m_mutex);
    return m_latest;
}

void SolverWorker::run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_pending.has_value(); });
            if (m_quit)
                return;
            job = *m_pending;
            m_pending.reset();
            m_stop = false;
        }
        if (!m_solver || m_solver->holes() != job.holes) {
            m_solver.reset(); // the old table goes before the new one is allocated
            m_solver = std::make_unique<Solver>(job.holes, m_tableBytes);
        }
        Limits limits;
        limits.stop = &m_stop;
        const auto now = std::chrono::steady_clock::now();
        // Beyond a day a limit means none, and adding it to the clock could overflow.
        if (job.timeLimit < std::chrono::hours(24))
            limits.deadline = now + job.timeLimit;
        Answer answer;
        answer.ticket = job.ticket;
        answer.question = job.question;
        answer.holes = job.holes;
        answer.marbles = job.marbles;
        if (job.question == Question::Fewest)
            answer.result = m_solver->solve(job.marbles, limits);
        else
            answer.reach = m_solver->canReachOne(job.marbles, limits);
        {
            std::lock_guard lock(m_mutex);
            if (m_current != job.ticket)
                continue;
            m_latest = answer;
        }
        if (m_callback)
            m_callback(answer);
    }
}

} // namespace marvolen::solver
