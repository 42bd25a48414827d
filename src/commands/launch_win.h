// Starting a menu entry and recording it as a recent program.
#pragma once

#include <string>

namespace trevalon {

struct App;

// Opens the entry at path with the shell. A link whose target exists (or that
// names a shell item without a file path) is recorded: copied into the
// recent-programs folder while launches are recorded there and kept at all,
// and the recorded copy's time set to now, so that it is kept for another
// KeepRecentObjectsDays days. A link that cannot be read or whose target is
// gone opens nothing and says so. Afterwards the wait cursor shows for a
// second, while the started program comes up. Every launch the shell took
// is counted for the search's order (window/live_search_win.h).
void launch_entry(App& app, const std::string& path);

}  // namespace trevalon
