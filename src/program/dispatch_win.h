// The dispatcher: every event of the loop goes to the handler its table row
// names. Commands are looked up by number among the main window's rows and
// the system commands' rows; drops and control events by control number.
#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "commands/command_table.h"
#include "commands/context_menus.h"
#include "platform/event.h"

namespace trevalon {

struct App;

// The main window's own commands: the menus and lists, the tree and view
// commands, the tools menu, the Return key and the two context menus.
std::span<const CommandEntry> main_command_rows();

// The row of a command number, from either table; null when none has it.
const CommandEntry* find_command(int command);

// Carries out one event, testing in this order: command, drop, control
// event, window close. Exit (command 13, or closing the main window while
// WindowCloseToTabBar is below 1) only sets App::end_requested; the loop ends.
void dispatch_event(App& app, const Event& event);

// The control events of the main window (controls 1, 3, 8, 9, 12, 13), each
// handled as its control's row says. False when the control has none.
bool dispatch_control_event(App& app, const Event& event);

// Runs the search for the field's text: the search results, or, for an empty
// text, the notice that there is nothing to search for (when `tell_empty`).
void search(App& app, bool tell_empty);

// Opens the folder of a tree item in the list, with the flags of a folder
// opened from the tree. Nothing for an item outside the folder table.
void open_tree_folder(App& app, int item);

// The commands only keys raise (80-89; window/key_map.h).
std::span<const CommandEntry> key_command_rows();

// The commands of the search as the user types (90, 91).
std::span<const CommandEntry> search_command_rows();

// The context menus made ready for the tree's item (-1: none) or the list's
// selected row: the selected folder or entry noted, the items enabled by the
// menus' rules, which are returned.
MenuItemStates prepare_tree_menu(App& app, int item);
MenuItemStates prepare_list_menu(App& app);
// ... and shown at `where` (screen coordinates), or at the pointer.
void tree_context_menu(App& app, int item, std::optional<POINT> where);
void list_context_menu(App& app, std::optional<POINT> where);

// Whether the context menu of the focused pane offers the command now (for
// a key that runs a menu's command).
bool focused_menu_offers(App& app, int command);

}  // namespace trevalon
