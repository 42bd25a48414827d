// The system's folders as the shell names them for the current user.
#pragma once

#include "menu/program_folders.h"

namespace trevalon {

// Looks up the eleven special folders, the temporary folder and the running
// program's path. A folder the system cannot name stays empty.
SystemFolders read_system_folders();

}  // namespace trevalon
