// Waiting for conditions in Wine tests: a bound, never a fixed sleep alone.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace trevalon::test {

// Pumps this thread's messages and polls the condition every few
// milliseconds until it holds or the time is up. Returns the last answer.
bool wait_until(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(10));

// Processes every message waiting for this thread.
void pump_messages();

}  // namespace trevalon::test
