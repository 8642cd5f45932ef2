// The clock tests move: time passing moves both readings, while the wall clock alone can be set.
#pragma once

#include "core/date_time.h"

#include <chrono>
#include <cmath>

namespace marvolen::test {

class TestClock : public Clock {
  public:
    /// Starts between two whole seconds unless told otherwise.
    explicit TestClock(QDateTime wall = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0, 300)),
                       std::chrono::milliseconds steady = std::chrono::milliseconds(300))
        : m_now(std::move(wall)), m_steady(steady) {}
    QDateTime now() const override { return m_now; }
    std::chrono::milliseconds steady() const override { return m_steady; }
    void advance(double seconds) {
        const auto ms = std::chrono::milliseconds(std::llround(seconds * 1000));
        m_now = m_now.addMSecs(ms.count());
        m_steady += ms;
    }
    /// Sets the wall clock forward (or back, when negative) as a user or a time change does.
    void shiftWall(double seconds) { m_now = m_now.addMSecs(std::llround(seconds * 1000)); }
    /// Sets the wall clock to a date and time; no time passes.
    void set(const QDateTime& when) { m_now = when; }

  private:
    QDateTime m_now;
    std::chrono::milliseconds m_steady;
};

} // namespace marvolen::test
