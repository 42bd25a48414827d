#include "commands/system_commands_win.h"

#include <algorithm>
#include <array>
#include <string>

#include "commands/app_win.h"
#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/launcher_win.h"
#include "platform/system_programs_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"
#include "window/foreground_win.h"
#include "window/settings_window_win.h"
#include "window/window_controls_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::system_commands;

// The taskbar's own commands behind buttons 18 and 19, and the power dialog
// it offers where the system has no power programs.
constexpr int kTaskbarTaskManager = 420;
constexpr int kTaskbarRun = 401;
constexpr int kTaskbarPowerDialog = 506;

// A taskbar that does not answer within this time is given up on, so a hung
// shell cannot hang the menu as well.
constexpr UINT kTaskbarAnswerLimitMs = 5000;

constexpr std::string_view kThisPcArguments = "/e,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// Programs are named by their full paths; an empty path (the system did not
// say where its folders are) starts nothing.
void run(App& app, const std::string& program, std::string_view arguments,
         std::string_view working_folder) {
    if (app.launcher && !program.empty())
        app.launcher->start(program, arguments, working_folder, SW_SHOWNORMAL);
}

void shell_open(App& app, const std::string& file, std::string_view arguments, int show_command) {
    if (app.launcher && !file.empty())
        app.launcher->shell_execute("open", file, arguments, {}, show_command);
}

// A folder as one quoted argument; Explorer ends an unquoted one at a comma.
// The closing quote must not follow a backslash, so the folder goes without
// its own (a drive's root keeps it).
std::string quoted_folder(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return "\"" + folder + "\"";
}

// Opens a configured name: an empty one would make the shell open whatever
// folder it is in, so it opens nothing.
void shell_open_configured(App& app, std::string_view prefix, std::string_view key) {
    const std::string name = find_text(key);
    if (!name.empty())
        shell_open(app, std::string(prefix) + name, {}, SW_SHOWNORMAL);
}

bool is_non_empty_file(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(utf8_to_wide(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (data.nFileSizeHigh != 0 || data.nFileSizeLow != 0);
}

void this_pc(App& app, const Event&) {
    TREVALON_MARK();
    run(app, windows_program("explorer.exe"), kThisPcArguments, {});
}

void control_panel(App& app, const Event&) {
    TREVALON_MARK();
    run(app, system_program("control.exe"), {}, app.folders.windows);
}

void printers(App& app, const Event&) {
    TREVALON_MARK();
    run(app, system_program("control.exe"), "printers", app.folders.windows);
}

void task_manager(App&, const Event&) {
    TREVALON_MARK();
    send_taskbar_command(kTaskbarTaskManager);
}

void run_dialog(App&, const Event&) {
    TREVALON_MARK();
    send_taskbar_command(kTaskbarRun);
}

void power_menu(App& app, const Event&) {
    TREVALON_MARK();
    if (power_menu_available(app.folders.system)) {
        show_popup_menu(app, kPowerMenu);
    } else {
        send_taskbar_command(kTaskbarPowerDialog);
    }
}

void own_menu_in_explorer(App& app, const Event&) {
    TREVALON_MARK();
    run(app, windows_program("explorer.exe"), "/n,/e," + quoted_folder(app.settings.my_own_menu),
        {});
}

void settings_window(App& app, const Event&) {
    open_settings_window(app);
}

void help(App& app, const Event&) {
    TREVALON_MARK();
    shell_open_configured(app, app.folders.program_folder, "Offline_Hilfe");
}

void manual(App& app, const Event&) {
    TREVALON_MARK();
    shell_open_configured(app, app.folders.program_folder, "Offline_PDF");
}

void website(App& app, const Event&) {
    TREVALON_MARK();
    shell_open_configured(app, {}, "Online_Adresse");
}

void more_tools(App& app, const Event&) {
    TREVALON_MARK();
    shell_open_configured(app, {}, "Online_MoreTools");
}

void signature_notice(App& app, const Event&) {
    TREVALON_MARK();
    const std::string notice = text("TXT00173") + " " + text("TXT00174") + " " + text("TXT00175") +
                               "\r\n\r\n" + text("TXT00176");
    if (app.dialogs)
        app.dialogs->message_box(notice, text("TXT00172"), MB_OK | MB_ICONINFORMATION);
    if (app.launcher) {
        app.launcher->show_properties(app.main_window, app.folders.program_file,
                                      text("Digital_Sinatures"));
    }
}

void about_box(App& app, const Event&) {
    TREVALON_MARK();
    std::string about;
    for (const std::string_view key : {"Program_Name", "Version_Name", "Copyright_Text"})
        about += text(key) + "\r\n\r\n";
    if (app.dialogs)
        app.dialogs->message_box(about, text("Program_Name"), MB_OK);
}

// The power actions run the system's own programs, hidden.
void lock(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("rundll32.exe"), "user32.dll,LockWorkStation", SW_HIDE);
}

void sign_out(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("shutdown.exe"), "-l", SW_HIDE);
}

void suspend(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("rundll32.exe"), "powrprof.dll,SetSuspendState 0,1,0", SW_HIDE);
}

// Without force: programs with unsaved work may ask to save first. Only the
// forced shut down (43) closes them without asking, and its caption says so.
void restart(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("shutdown.exe"), "-r -t 00", SW_HIDE);
}

void shut_down(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("shutdown.exe"), "-s -t 00", SW_HIDE);
}

void force_shut_down(App& app, const Event&) {
    TREVALON_MARK();
    shell_open(app, system_program("shutdown.exe"), "-s -f -t 00", SW_HIDE);
}

constexpr std::array kRows{
    CommandEntry{15, "TXT00080", this_pc},
    CommandEntry{16, "TXT00081", control_panel},
    CommandEntry{17, "TXT00082", printers},
    CommandEntry{18, "TXT00083", task_manager},
    CommandEntry{19, "TXT00084", run_dialog},
    CommandEntry{20, "TXT00085", power_menu},
    CommandEntry{22, "TXT00093", own_menu_in_explorer},
    CommandEntry{25, "TXT00090", settings_window},
    CommandEntry{30, "TXT00070", help},
    CommandEntry{31, "TXT00071", manual},
    CommandEntry{32, "TXT00072", website},
    CommandEntry{33, "TXT00073", more_tools},
    CommandEntry{35, "TXT00075", signature_notice},
    CommandEntry{36, "TXT00076", about_box},
    CommandEntry{38, "TXT00030", lock},
    CommandEntry{39, "TXT00031", sign_out},
    CommandEntry{40, "TXT00032", suspend},
    CommandEntry{41, "TXT00033", restart},
    CommandEntry{42, "TXT00034", shut_down},
    CommandEntry{43, "TXT00035", force_shut_down},
};

}  // namespace

std::span<const CommandEntry> system_command_rows() {
    return kRows;
}

const CommandEntry* find_system_command(int command) {
    const auto found = std::find_if(kRows.begin(), kRows.end(), [command](const CommandEntry& row) {
        return row.command == command;
    });
    return found == kRows.end() ? nullptr : &*found;
}

bool power_menu_available(std::string_view system_folder) {
    const std::string folder = with_backslash(system_folder);
    return !folder.empty() && is_non_empty_file(folder + "Shutdown.exe") &&
           is_non_empty_file(folder + "PowrProf.dll");
}

bool send_taskbar_command(int command) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", "");
    if (!taskbar)
        return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(taskbar, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG,
                        kTaskbarAnswerLimitMs, &ignored);
    force_foreground(taskbar);
    return true;
}

}  // namespace trevalon
