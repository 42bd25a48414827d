// The system and shell commands with a recording launcher: what each would
// start, the taskbar commands against a stand-in taskbar window, the power
// menu and the two message boxes. Nothing here starts a system program.
#include "commands/system_commands_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/wide_win.h"
#include "support/test_app_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/settings_window_win.h"

namespace trevalon {
namespace {

using test::LaunchRecord;

// A window of the taskbar's class and empty title that notes the commands
// it is sent.
class StandInTaskbar {
  public:
    StandInTaskbar() {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof(window_class);
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"Shell_TrayWnd";
        registered_ = RegisterClassExW(&window_class) != 0;
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0,
                                  0, 200, 30, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        commands().clear();
    }
    ~StandInTaskbar() {
        DestroyWindow(window_);
        if (registered_)
            UnregisterClassW(L"Shell_TrayWnd", GetModuleHandleW(nullptr));
    }
    HWND window() const { return window_; }
    static std::vector<WPARAM>& commands() {
        static std::vector<WPARAM> sent;
        return sent;
    }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_COMMAND && lparam == 0)
            commands().push_back(wparam);
        return DefWindowProcW(window, message, wparam, lparam);
    }
    bool registered_ = false;
    HWND window_ = nullptr;
};

class SystemCommands : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app().main_window); }

    App& app() { return test_app_.app(); }
    const std::vector<LaunchRecord>& launched() { return test_app_.launcher.records; }

    void run(int command) {
        const CommandEntry* row = find_system_command(command);
        ASSERT_TRUE(row) << command;
        ASSERT_TRUE(row->handler) << command;
        Event event;
        event.kind = EventKind::kCommand;
        event.command = command;
        row->handler(app(), event);
    }

    LaunchRecord only_launch(int command) {
        test_app_.launcher.records.clear();
        run(command);
        EXPECT_EQ(launched().size(), 1u) << command;
        return launched().empty() ? LaunchRecord{} : launched().front();
    }

    void put_power_programs(std::string_view shutdown, std::string_view powrprof) {
        test_app_.dir().write_file("Windows\\System32\\Shutdown.exe", shutdown);
        test_app_.dir().write_file("Windows\\System32\\PowrProf.dll", powrprof);
    }

    test::TestApp test_app_{TREVALON_EXE_PATH};
};

struct Expected {
    int command;
    std::string kind;
    std::string program;
    std::string arguments;
    int show_command;
};

void expect_launch(const LaunchRecord& got, const Expected& want, const std::string& folder) {
    EXPECT_EQ(got.kind, want.kind) << want.command;
    EXPECT_EQ(got.program, want.program) << want.command;
    EXPECT_EQ(got.arguments, want.arguments) << want.command;
    EXPECT_EQ(got.working_folder, folder) << want.command;
    EXPECT_EQ(got.show_command, want.show_command) << want.command;
}

TEST_F(SystemCommands, TheRowsAreTheSystemCommandsWithTheirCaptions) {
    std::set<int> numbers;
    for (const CommandEntry& row : system_command_rows()) {
        EXPECT_TRUE(numbers.insert(row.command).second) << row.command;
        EXPECT_TRUE(row.handler) << row.command;
        EXPECT_FALSE(find_text(std::string(row.text_key)).empty()) << row.command;
    }
    EXPECT_EQ(numbers, (std::set<int>{15, 16, 17, 18, 19, 20, 22, 25, 30, 31,
                                      32, 33, 35, 36, 38, 39, 40, 41, 42, 43}));
    EXPECT_EQ(find_system_command(15)->text_key, "TXT00080");
    EXPECT_EQ(find_system_command(43)->text_key, "TXT00035");
    EXPECT_EQ(find_system_command(25)->text_key, "TXT00090");
    EXPECT_EQ(find_system_command(13), nullptr);
}

// The system's programs by their full paths, so a file of the same name in the
// program's folder or the working folder never runs in their place.
std::string in_system_folder(std::string_view name) {
    wchar_t folder[MAX_PATH] = {};
    EXPECT_GT(GetSystemDirectoryW(folder, MAX_PATH), 0u);
    return wide_to_utf8(folder) + "\\" + std::string(name);
}

std::string in_windows_folder(std::string_view name) {
    wchar_t folder[MAX_PATH] = {};
    EXPECT_GT(GetWindowsDirectoryW(folder, MAX_PATH), 0u);
    return wide_to_utf8(folder) + "\\" + std::string(name);
}

TEST_F(SystemCommands, ExplorerAndControlPanelRunWithTheirArgumentsAndFolders) {
    const std::string windows = app().folders.windows;
    const std::string explorer = in_windows_folder("explorer.exe");
    const std::string control = in_system_folder("control.exe");
    expect_launch(only_launch(15),
                  {15, "start", explorer, "/e,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 1}, "");
    expect_launch(only_launch(16), {16, "start", control, "", 1}, windows);
    expect_launch(only_launch(17), {17, "start", control, "printers", 1}, windows);
    // The own menu's folder from the setting, in either menu, quoted so that
    // a comma in its name cannot end it.
    app().settings.my_own_menu = "D:\\Somewhere, Else\\Menu\\";
    app().view.menu_mode = "w";
    expect_launch(only_launch(22),
                  {22, "start", explorer, "/n,/e,\"D:\\Somewhere, Else\\Menu\"", 1}, "");
}

TEST_F(SystemCommands, ThePowerActionsOpenTheSystemProgramsHiddenWithExactlyTheirArguments) {
    const std::string rundll32 = in_system_folder("rundll32.exe");
    const std::string shutdown = in_system_folder("shutdown.exe");
    const Expected table[] = {
        {38, "open", rundll32, "user32.dll,LockWorkStation", SW_HIDE},
        {39, "open", shutdown, "-l", SW_HIDE},
        {40, "open", rundll32, "powrprof.dll,SetSuspendState 0,1,0", SW_HIDE},
        // No -f on restart and shut down: programs may ask to save first.
        {41, "open", shutdown, "-r -t 00", SW_HIDE},
        {42, "open", shutdown, "-s -t 00", SW_HIDE},
        {43, "open", shutdown, "-s -f -t 00", SW_HIDE},
    };
    for (const Expected& want : table)
        expect_launch(only_launch(want.command), want, "");
}

TEST_F(SystemCommands, HelpOpensBesideTheProgramAndTheWebCommandsOpenTheirAddresses) {
    app().folders.program_folder = "C:\\Programs\\Trevalon\\";
    expect_launch(only_launch(30),
                  {30, "open", "C:\\Programs\\Trevalon\\" + find_text("Offline_Hilfe"), "", 1}, "");
    expect_launch(only_launch(31),
                  {31, "open", "C:\\Programs\\Trevalon\\" + find_text("Offline_PDF"), "", 1}, "");
    expect_launch(only_launch(32), {32, "open", find_text("Online_Adresse"), "", 1}, "");
    expect_launch(only_launch(33), {33, "open", find_text("Online_MoreTools"), "", 1}, "");
    EXPECT_NE(find_text("Online_Adresse").find("https://"), std::string::npos);
}

TEST_F(SystemCommands, AnEmptyConfiguredAddressOpensNothing) {
    const std::string kept = find_text("Online_MoreTools");
    texts().set("Online_MoreTools", "");
    test_app_.launcher.records.clear();
    run(33);
    texts().set("Online_MoreTools", kept);
    EXPECT_TRUE(launched().empty());
}

// Notes how many launches had happened when each box was shown.
class BoxesBeforeLaunches final : public Dialogs {
  public:
    explicit BoxesBeforeLaunches(const test::RecordingLauncher& launcher) : launcher_(launcher) {}
    int message_box(std::string_view text, std::string_view caption, UINT type) override {
        boxes.push_back({std::string(text), std::string(caption), type, launcher_.records.size()});
        return IDOK;
    }
    std::string input_box(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    struct Box {
        std::string text;
        std::string caption;
        UINT type;
        std::size_t launches_before;
    };
    std::vector<Box> boxes;

  private:
    const test::RecordingLauncher& launcher_;
};

TEST_F(SystemCommands, TheSignatureNoticeComesFirstThenThePropertiesPageOfTheProgram) {
    BoxesBeforeLaunches dialogs(test_app_.launcher);
    app().dialogs = &dialogs;
    run(35);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, text("TXT00172"));
    EXPECT_EQ(dialogs.boxes[0].text, text("TXT00173") + " " + text("TXT00174") + " " +
                                         text("TXT00175") + "\r\n\r\n" + text("TXT00176"));
    EXPECT_EQ(dialogs.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(dialogs.boxes[0].launches_before, 0u);
    ASSERT_EQ(launched().size(), 1u);
    EXPECT_EQ(launched()[0].kind, "properties");
    EXPECT_EQ(launched()[0].program, app().folders.program_file);
    EXPECT_EQ(launched()[0].arguments, find_text("Digital_Sinatures"));
    EXPECT_EQ(launched()[0].owner, app().main_window);
}

TEST_F(SystemCommands, TheAboutBoxHasNoIconAndEndsWithTwoLineBreaks) {
    run(36);
    const auto& calls = test_app_.dialogs.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, find_text("Program_Name"));
    EXPECT_EQ(calls[0].text, find_text("Program_Name") + "\r\n\r\n" + find_text("Version_Name") +
                                 "\r\n\r\n" + find_text("Copyright_Text") + "\r\n\r\n");
    EXPECT_EQ(calls[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(launched().empty());
}

TEST_F(SystemCommands, TaskManagerAndRunAreTheTaskbarsCommandsAndBringItForward) {
    StandInTaskbar taskbar;
    ASSERT_TRUE(taskbar.window());
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", ""), taskbar.window());
    SetForegroundWindow(app().main_window);
    run(18);
    EXPECT_EQ(GetForegroundWindow(), taskbar.window());
    SetForegroundWindow(app().main_window);
    run(19);
    EXPECT_EQ(StandInTaskbar::commands(), (std::vector<WPARAM>{420, 401}));
    EXPECT_EQ(GetForegroundWindow(), taskbar.window());
    EXPECT_TRUE(launched().empty());
}

TEST_F(SystemCommands, WithoutThePowerProgramsThePowerButtonAsksTheTaskbar) {
    StandInTaskbar taskbar;
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", ""), taskbar.window());
    run(20);                       // neither file
    put_power_programs("MZ", "");  // an empty PowrProf.dll does not count
    run(20);
    EXPECT_EQ(StandInTaskbar::commands(), (std::vector<WPARAM>{506, 506}));
    EXPECT_TRUE(launched().empty());
}

TEST_F(SystemCommands, ThePowerMenuIsOfferedOnlyWithBothProgramsNonEmpty) {
    const std::string system = app().folders.system;
    EXPECT_FALSE(power_menu_available(system));
    put_power_programs("MZ", "");
    EXPECT_FALSE(power_menu_available(system));
    put_power_programs("", "MZ");
    EXPECT_FALSE(power_menu_available(system));
    put_power_programs("MZ", "MZ");
    EXPECT_TRUE(power_menu_available(system));
    // The folder as given, with or without its backslash; never the working folder.
    EXPECT_TRUE(power_menu_available(system.substr(0, system.size() - 1)));
    EXPECT_FALSE(power_menu_available(""));
}

// Closes the popup menu the command shows and notes its items.
std::vector<UINT>& seen_menu_items() {
    static std::vector<UINT> items;
    return items;
}

void CALLBACK close_popup_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
        seen_menu_items().push_back(GetMenuItemID(menu, i));
    EndMenu();
}

TEST_F(SystemCommands, WithBothPowerProgramsThePowerMenuShowsAtThePointer) {
    StandInTaskbar taskbar;
    put_power_programs("MZ", "MZ");
    seen_menu_items().clear();
    SetCursorPos(300, 200);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, close_popup_menu);
    run(20);
    KillTimer(nullptr, timer);
    // 38, 39, 40, a separator (0), 41, 42, 43.
    EXPECT_EQ(seen_menu_items(), (std::vector<UINT>{38, 39, 40, 0, 41, 42, 43}));
    EXPECT_TRUE(StandInTaskbar::commands().empty());
    EXPECT_TRUE(launched().empty());
}

TEST_F(SystemCommands, ThePowerMenuIsTheWindowsPopupWithTheCaptionsOfItsCommands) {
    // Command 20 shows the window's own popup 37, not a menu of its own.
    HMENU menu = app().window.popup(37);
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    const std::pair<int, const char*> items[] = {{38, "TXT00030"}, {39, "TXT00031"},
                                                 {40, "TXT00032"}, {41, "TXT00033"},
                                                 {42, "TXT00034"}, {43, "TXT00035"}};
    for (const auto& [command, key] : items) {
        wchar_t caption[200] = {};
        GetMenuStringW(menu, static_cast<UINT>(command), caption, 200, MF_BYCOMMAND);
        EXPECT_EQ(wide_to_utf8(caption), text(key)) << command;
    }
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST_F(SystemCommands, SettingsOpensTheSettingsWindow) {
    run(25);
    EXPECT_TRUE(app().settings_window);
    EXPECT_TRUE(IsWindowVisible(app().settings_window));
}

}  // namespace
}  // namespace trevalon
