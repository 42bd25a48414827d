// The current time, behind an interface so tests can set it: the periodic
// settings save and the ages of recent-program records depend on it.
#pragma once

#include <cstdint>

namespace trevalon {

class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00 UTC, the scale file times are compared on.
    virtual std::int64_t now_seconds() const = 0;
    // Waits on the calling thread (the pause after a launch); a test clock
    // lets the time pass without waiting.
    virtual void pause(int milliseconds) const;
};

class SystemClock final : public Clock {
  public:
    std::int64_t now_seconds() const override;
};

}  // namespace trevalon
