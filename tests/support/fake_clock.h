// A clock that tells the time the test sets.
#pragma once

#include <cstdint>

#include "shell/clock.h"

namespace trevalon::test {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(std::int64_t now = 1'700'000'000) : now_(now) {}
    std::int64_t now_seconds() const override { return now_; }
    void set(std::int64_t now) { now_ = now; }
    void advance(std::int64_t seconds) { now_ += seconds; }

  private:
    std::int64_t now_;
};

}  // namespace trevalon::test
