#include "window/edge_watcher_win.h"

namespace trevalon {

void start_edge_watcher(App&) {}

}  // namespace trevalon
