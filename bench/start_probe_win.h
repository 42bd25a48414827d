// Start-up runs: starts a program that writes the end of its first paint to
// the stamp file named by TREVALON_BENCH_PAINT_STAMP, and times process
// creation to that paint with the system clock both processes share.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_stats.h"

namespace trevalon::bench {

inline constexpr const wchar_t* kPaintStampVariable = L"TREVALON_BENCH_PAINT_STAMP";

// runs starts (after one warm-up) of program; each one is ended once it has
// painted. Runs that do not paint within the limit are left out and counted
// in *failed. before_each, if given, runs before every start, untimed.
Summary measure_start_to_paint(std::string_view program, int runs, int* failed,
                               const std::function<void()>& before_each = {});

// The same for several programs, their starts taking turns (each after a
// short pause for Wine to tidy up after the one before), so that a change of
// the machine's load falls on all alike. One summary per program, in order.
std::vector<Summary> measure_starts_in_turn(const std::vector<std::string>& programs, int runs,
                                            std::vector<int>* failed,
                                            const std::function<void()>& before_each = {});

}  // namespace trevalon::bench
