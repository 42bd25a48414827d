// The end of every regular run: save, send waiting cut entries home, expire
// old recent programs, remove the working folders, end the process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trevalon {

struct App;
struct ProgramFolders;

// Deletes the files directly in the recent-programs folder last modified
// before now - days × 86,400 s. Returns how many were deleted.
int expire_recent_programs(const ProgramFolders& folders, std::int64_t now, int days);

// Everything the clean-up does before the process ends: saves the settings,
// sends cut entries that were never pasted back to their folders, removes
// Undo's copies, expires recent programs, removes the temporary,
// Windows-menu, recent-documents and recent-search folders, forgets the
// cursors.
void exit_cleanup_steps(App& app);

// The clean-up, then the end of the process.
[[noreturn]] void exit_cleanup(App& app);

}  // namespace trevalon
