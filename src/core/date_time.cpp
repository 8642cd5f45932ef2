// The system's wall clock and steady clock.
#include "date_time.h"

namespace marvolen {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

std::chrono::milliseconds SystemClock::steady() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace marvolen
