// Where the edits of the running program work: its data folder's places for
// waiting cut entries, Undo's copies and whole copies, and the menus a cut
// may come from and go back to.
#pragma once

#include "commands/edit_operations.h"

namespace trevalon {

struct App;
struct ProgramFolders;
struct Settings;

// Places for `folders` with `own_menu` (the own menu's root) as the menu a
// cut may go back to, besides the program's own menu, recent programs and
// bookmarks folders.
EditPlaces edit_places(const ProgramFolders& folders, const std::string& own_menu);
// The same for the running program (its own menu is the setting MyOwnMenu).
EditPlaces edit_places(const App& app);

}  // namespace trevalon
