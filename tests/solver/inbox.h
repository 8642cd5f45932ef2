// Collecting what a solver worker hands to its callbacks on its own thread, and waiting for it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace marvolen::test {

/// The answers of a worker, as they arrive; `Answer` has a `ticket`.
template <typename Answer> struct Inbox {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Answer> answers;
    std::vector<Answer> learned;
    std::vector<Answer> inOrder; ///< both lists as they arrived

    /// A callback that adds each answer to `list`.
    std::function<void(const Answer&)> into(std::vector<Answer>& list) {
        return [this, &list](const Answer& answer) {
            {
                std::lock_guard lock(mutex);
                list.push_back(answer);
                inOrder.push_back(answer);
            }
            arrived.notify_all();
        };
    }
    std::function<void(const Answer&)> callback() { return into(answers); }

    /// Waits until `done` holds of the lists; false when it did not within the deadline, which
    /// is long: a slow build still answers well within it.
    template <typename Done> bool waitUntil(Done done) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(60), done);
    }
    /// The answer with this ticket, once it came.
    std::optional<Answer> waitFor(std::uint64_t ticket) {
        std::optional<Answer> found;
        waitUntil([&] {
            for (const Answer& answer : answers)
                if (answer.ticket == ticket)
                    found = answer;
            return found.has_value();
        });
        return found;
    }
};

} // namespace marvolen::test
