#include "shell/drop_targets_win.h"

namespace trevalon {

void register_drop_targets(App&) {}

}  // namespace trevalon
