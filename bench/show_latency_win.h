// Goal 8 under Wine: from a request to show the resident program's window
// to the window in front and painted.
#pragma once

#include <string>

namespace trevalon::bench {

// RUNS times (after one warm-up), the program's window is minimised, as
// closing it leaves it, then shown again on request, and the time from the
// request to the window in front, restored and painted is taken
// (trevalon_probe.exe, in folder, stamps its paints): "8.ours" from the
// hotkey (its default, Ctrl+Alt+Space, pressed with SendInput), "8.second"
// from the request a second start of the program sends
// (bring_instance_forward, made from this process).
int show_latency(int runs, const std::string& folder);

}  // namespace trevalon::bench
