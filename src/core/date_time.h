// Date-times as the classic runtime held them: days since 30 December 1899, with the time of
// day as the fraction, read to the whole second.
#pragma once

#include <QDateTime>

namespace marvolen {

/// The local date-time as days, truncated to the whole second.
double toDays(const QDateTime& when);

/// A source of "now"; the game never reads the system clock itself, so tests pass a fake one.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

/// The real clock.
class SystemClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace marvolen
