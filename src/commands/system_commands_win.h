// The system and shell commands: This PC, Control Panel, printers, the
// taskbar's commands, the power menu and its actions, the own menu in
// Explorer, help, web pages, the signature notice, the about box, and the
// settings window. Programs start through the App's launcher.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "commands/command_table.h"
#include "platform/handles_win.h"

namespace trevalon {

struct App;

// Rows for commands 15-20, 22, 25, 30-33, 35, 36 and 38-43.
std::span<const CommandEntry> system_command_rows();

// The row of a command among system_command_rows(); null when it is not one.
const CommandEntry* find_system_command(int command);

// Whether the power menu is offered: "Shutdown.exe" and "PowrProf.dll" are
// both non-empty files in the system folder.
bool power_menu_available(std::string_view system_folder);

// Sends the taskbar window a command (WM_COMMAND with the number) and brings
// it forward. Returns whether there was a taskbar to send it to.
bool send_taskbar_command(int command);

}  // namespace trevalon
