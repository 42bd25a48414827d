// Timing inside a Windows benchmark program: the performance counter, and
// repeated runs after one warm-up run.
#pragma once

#include <windows.h>

#include <vector>

#include "bench_stats.h"

namespace trevalon::bench {

inline double counter_ms() {
    static const double per_ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / per_ms;
}

// System time in 100 ns units, the clock two processes can compare.
inline ULONGLONG system_time_100ns() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

template <typename Run>
Summary measure_runs(int runs, Run run) {
    run();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = counter_ms();
        run();
        times.push_back(counter_ms() - start);
    }
    return summarize(std::move(times));
}

}  // namespace trevalon::bench
