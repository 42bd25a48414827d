// Goal 8 under Wine: from a request to show the resident program's window
// to the window in front and painted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "resident_win.h"

namespace trevalon::bench {

// RUNS times after one warm-up: the window is minimised, then request()
// asks for it; the time (ms) from the request until it is in front,
// restored and its paint stamped into stamp_file. after() runs after each
// try. A try that brings nothing forward within 5 s counts in missed.
std::vector<double> times_to_shown(const Resident& ours, const std::string& stamp_file, int runs,
                                   const std::function<void()>& request,
                                   const std::function<void()>& after, int& missed);

// RUNS times (after one warm-up), the program's window is minimised, as
// closing it leaves it, then shown again on request, and the time from the
// request to the window in front, restored and painted is taken
// (trevalon_probe.exe, in folder, stamps its paints): "8.ours" from the
// hotkey (its default, Ctrl+Alt+Space, pressed with SendInput), "8.second"
// from the request a second start of the program sends
// (bring_instance_forward, made from this process).
int show_latency(int runs, const std::string& folder);

}  // namespace trevalon::bench
