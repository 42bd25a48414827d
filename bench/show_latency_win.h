// Goal 8 under Wine: from a request to show the resident program's window
// to the window in front and painted.
#pragma once

#include <string>

namespace trevalon::bench {

// "8.ours": RUNS times (after one warm-up), the program's window is
// minimised, as closing it leaves it; then the show request a second start
// of the program sends (bring_instance_forward) is made from this process,
// and the time to the window in front, restored and painted is taken.
// trevalon_probe.exe (in folder) stamps its paints.
int show_latency(int runs, const std::string& folder);

}  // namespace trevalon::bench
