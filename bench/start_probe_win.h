// Start-up runs: starts a program that writes the end of its first paint to
// the stamp file named by TREVALON_BENCH_PAINT_STAMP, and times process
// creation to that paint with the system clock both processes share.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "bench_stats.h"

namespace trevalon::bench {

inline constexpr const wchar_t* kPaintStampVariable = L"TREVALON_BENCH_PAINT_STAMP";

// runs starts (after one warm-up) of program; each one is ended once it has
// painted. Runs that do not paint within the limit are left out and counted
// in *failed. before_each, if given, runs before every start, untimed.
Summary measure_start_to_paint(std::string_view program, int runs, int* failed,
                               const std::function<void()>& before_each = {});

}  // namespace trevalon::bench
