// A clock that tells the time the test sets.
#pragma once

#include <cstdint>

#include "base/clock.h"

namespace trevalon::test {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(std::int64_t now = 1'700'000'000) : now_(now) {}
    std::int64_t now_seconds() const override { return now_; }
    // Never waits; the pauses asked for are added up for the test to check.
    void pause(int milliseconds) const override { paused_ += milliseconds; }
    int paused_milliseconds() const { return paused_; }
    void set(std::int64_t now) { now_ = now; }
    void advance(std::int64_t seconds) { now_ += seconds; }

  private:
    std::int64_t now_;
    mutable int paused_ = 0;
};

}  // namespace trevalon::test
