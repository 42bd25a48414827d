// The program's state: everything start-up builds and the operations share.
// The window's part is WindowState; App adds what only the commands and the
// program use. Operations take App&; the only other global state is the text
// table (texts()) and what the fault handler must reach.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bookmarks/network_config.h"
#include "commands/undo_journal.h"
#include "platform/drop_target_win.h"
#include "platform/handles_win.h"
#include "settings/periodic_save.h"
#include "window/window_state_win.h"

namespace trevalon {

class Clock;
class Launcher;

struct App : WindowState {
    // Seams, owned by whoever runs the program (real ones in WinMain, test
    // ones in tests); they outlive the App.
    Launcher* launcher = nullptr;
    const Clock* clock = nullptr;
    // Where the bookmark look-ups go; tests point it at local stand-ins.
    NetworkConfig network;

    // The edits of this run that Undo can take back.
    UndoJournal undo;
    // The cuts of this run still waiting: waiting path -> where it was cut
    // from. What the program remembers counts over a note edited meanwhile.
    std::map<std::string, std::string> cut_origins;

    SaveSchedule save_schedule;
    // Set by Exit (and by closing the window when that ends the program);
    // the loop ends after the event that set it.
    bool end_requested = false;

    // Held for the whole run; the system releases them when the process ends.
    UniqueHandle instance_mutex;
    UniqueFile data_lock;
    // Windows ends the session: the exit clean-up asks nothing and says
    // nothing.
    bool session_ending = false;

    // The tree, the list and the bookmarks button as drop targets.
    std::vector<std::unique_ptr<DropRegistration>> drop_targets;
};

}  // namespace trevalon
