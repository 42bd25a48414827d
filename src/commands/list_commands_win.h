// The tools-menu commands that make a desktop shortcut and clear the lists.
#pragma once

namespace trevalon {

struct App;
class MenuView;

// A link to the program on the desktop, named after the program. The notice
// says so only when the link was made.
void create_desktop_shortcut(App& app);

// Each asks first, then empties its list and shows it again when the window
// shows it.
void clear_recent_programs(App& app, MenuView& view);
void clear_recent_documents(App& app, MenuView& view);
void clear_bookmarks(App& app, MenuView& view);

}  // namespace trevalon
