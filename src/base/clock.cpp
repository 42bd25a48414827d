#include "base/clock.h"

#include <chrono>
#include <thread>

namespace trevalon {

void Clock::pause(int milliseconds) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t SystemClock::now_seconds() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace trevalon
