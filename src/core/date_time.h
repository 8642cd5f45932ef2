// The clock the game reads: the local date-time for what the player reads as a date, and a
// steady reading for every duration it measures.
#pragma once

#include <QDateTime>

#include <chrono>

namespace marvolen {

/// A source of "now"; the game never reads the system clock itself, so tests pass a fake one.
class Clock {
  public:
    virtual ~Clock() = default;
    /// The local date and time, as the player's clock shows it (the error protocol's date).
    virtual QDateTime now() const = 0;
    /// Milliseconds since some fixed moment on a clock that never jumps: a clock set back or
    /// a change of daylight-saving time leaves it alone, so clicks and game times measure
    /// what really passed.
    virtual std::chrono::milliseconds steady() const = 0;
};

/// The real clock.
class SystemClock : public Clock {
  public:
    QDateTime now() const override;
    std::chrono::milliseconds steady() const override;
};

} // namespace marvolen
