#include "shell/clock.h"

#include <chrono>

namespace trevalon {

std::int64_t SystemClock::now_seconds() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace trevalon
