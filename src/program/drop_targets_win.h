// Files and text dropped onto the folder tree, the file list and the
// bookmarks button.
#pragma once

namespace trevalon {

struct App;

// Registers the folder tree (files), the file list (files and text) and the
// bookmarks button (files) as drop targets; a drop becomes an event of the
// loop. The registrations live in App::drop_targets. OLE must be initialised
// on this thread.
void register_drop_targets(App& app);

}  // namespace trevalon
