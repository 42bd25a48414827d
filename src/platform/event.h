// One user-interface event as the event loop sees it: which window, which
// control, what happened, which command. The window procedures turn Windows
// messages into these; the dispatcher hands them to the handlers.
#pragma once

#include <string>
#include <vector>

namespace trevalon {

enum class EventKind {
    kCommand,  // a toolbar button, a menu item or the Return key
    kDrop,     // files or text dropped onto a control
    kControl,  // a click, double click, drag start or change on a control
    kClose,    // a window's close box
    kOther,
};

// Window numbers.
inline constexpr int kMainWindowNumber = 0;
inline constexpr int kSettingsWindowNumber = 1;

// Event types of the controls' events.
inline constexpr int kLeftClick = 0;
inline constexpr int kRightClick = 1;
inline constexpr int kLeftDoubleClick = 2;
inline constexpr int kRightDoubleClick = 3;
inline constexpr int kDragStart = 14002;
inline constexpr int kSelectionChange = 768;
// The search field's events: its text changed; search results wait to be
// shown.
inline constexpr int kTextChange = 1024;
inline constexpr int kResultsWaiting = 1025;

struct Event {
    EventKind kind = EventKind::kOther;
    int window = kMainWindowNumber;
    int control = -1;  // control number, -1 for none
    int type = -1;     // event type of a control event
    int command = 0;   // command number of a command event
    // A command raised by a key that the context menu of the focused pane
    // must offer first (Delete, F2, Ctrl+C, ...).
    bool menu_gated = false;

    // What a drop carried: file paths, or text; and whether the source offered
    // a move (the user held Shift, or dragged within the same drive).
    std::vector<std::string> dropped_files;
    std::string dropped_text;
    bool drop_is_move = false;
    int drop_x = 0;  // where it was dropped, in screen coordinates
    int drop_y = 0;
};

}  // namespace trevalon
