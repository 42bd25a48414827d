// Files and text dropped onto the folder tree, the file list and the
// bookmarks button.
#pragma once

namespace trevalon {

struct App;

// Registers the window's controls as drop targets.
// For now: registers nothing; the controls that accept drops come later.
void register_drop_targets(App& app);

}  // namespace trevalon
