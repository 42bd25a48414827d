// The settings window on a real main window: its controls and states, the
// control events, and what confirming or closing leaves behind (the settings
// file, the autostart value, the shown menu).
#include "window/settings_window_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "program/event_loop_win.h"
#include "settings/settings_form.h"
#include "support/process_win.h"
#include "support/screenshot_win.h"
#include "support/test_app_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

namespace control = settings_control;

class SettingsWindow : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app().main_window); }

    App& app() { return test_app_.app(); }
    HWND window() { return app().settings_window; }
    HWND item(int number) { return settings_window_control(app(), number); }
    HWND panel() { return item(control::kTabPanel); }

    void open() {
        open_settings_window(app());
        ASSERT_TRUE(window());
        test::pump_messages();
    }

    // Clicks a tab's header as the user would.
    void select_tab(int index) {
        RECT header{};
        SendMessageW(panel(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&header));
        const LPARAM at =
            MAKELPARAM((header.left + header.right) / 2, (header.top + header.bottom) / 2);
        SendMessageW(panel(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(panel(), WM_LBUTTONUP, 0, at);
        test::pump_messages();
        ASSERT_EQ(SendMessageW(panel(), TCM_GETCURSEL, 0, 0), index);
    }

    // Clicks a control on its tab, then lets the posted event run.
    void click(int number) {
        HWND target = item(number);
        ASSERT_TRUE(target) << number;
        SendMessageW(target, BM_CLICK, 0, 0);
        test::pump_messages();
    }

    bool checked(int number) {
        return SendMessageW(item(number), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    std::string field_text() { return test::window_title(item(control::kOwnMenuField)); }

    // Clicks the spin field's up or down arrow once.
    void spin(bool up) {
        HWND arrows = GetWindow(item(control::kKeepDays), GW_HWNDNEXT);
        ASSERT_TRUE(arrows);
        RECT area{};
        GetClientRect(arrows, &area);
        const LPARAM at = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
        SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(arrows, WM_LBUTTONUP, 0, at);
        test::pump_messages();
    }

    std::string settings_file() { return read_file(app().folders.settings_file).value_or(""); }

    test::TestApp test_app_{TREVALON_EXE_PATH};
};

TEST_F(SettingsWindow, OpensCentredOnTheMainWindowWithEveryControlInItsPlace) {
    open();
    EXPECT_EQ(GetWindow(window(), GW_OWNER), app().main_window);
    EXPECT_EQ(test::window_title(window()), text("TXT00140"));
    RECT inner{};
    GetClientRect(window(), &inner);
    EXPECT_EQ(inner.right, kSettingsWindowWidth);
    EXPECT_EQ(inner.bottom, kSettingsWindowHeight);
    RECT frame{}, main_frame{};
    GetWindowRect(window(), &frame);
    GetWindowRect(app().main_window, &main_frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, (main_frame.left + main_frame.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (main_frame.top + main_frame.bottom) / 2, 1);
    EXPECT_TRUE(GetWindowLongW(window(), GWL_STYLE) & WS_THICKFRAME);

    ASSERT_EQ(SendMessageW(panel(), TCM_GETITEMCOUNT, 0, 0), 4);
    for (int tab = 0; tab < 4; ++tab) {
        wchar_t caption[100] = {};
        TCITEMW tab_item{};
        tab_item.mask = TCIF_TEXT;
        tab_item.pszText = caption;
        tab_item.cchTextMax = 100;
        SendMessageW(panel(), TCM_GETITEMW, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&tab_item));
        EXPECT_EQ(wide_to_utf8(caption), text(settings_tab_text_keys()[tab]));
    }

    for (const SettingsControl& c : settings_controls()) {
        HWND target = item(c.number);
        ASSERT_TRUE(target) << c.number;
        HWND parent = c.tab == kOutsideThePanel ? window() : panel();
        EXPECT_EQ(GetParent(target), parent) << c.number;
        RECT place{};
        GetWindowRect(target, &place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, c.rect.x) << c.number;
        EXPECT_EQ(place.top, c.rect.y) << c.number;
        // The spin field shares its width with its arrows.
        if (c.kind != SettingsControlKind::kSpinField) {
            EXPECT_EQ(place.right - place.left, c.rect.width) << c.number;
        }
        EXPECT_EQ(place.bottom - place.top, c.rect.height) << c.number;
        if (!c.text_key.empty() && c.kind != SettingsControlKind::kReadOnlyField) {
            EXPECT_EQ(test::window_title(target), text(c.text_key)) << c.number;
        }
        if (c.kind == SettingsControlKind::kPicture) {
            EXPECT_TRUE(SendMessageW(target, STM_GETIMAGE, IMAGE_BITMAP, 0)) << c.number;
        }
        // Only the first tab's controls (and the confirm button) show first.
        EXPECT_EQ(IsWindowVisible(target) != FALSE, c.tab <= 0) << c.number;
    }
}

TEST_F(SettingsWindow, EachTabShowsItsOwnControlsAndIsSavedAsAScreenshot) {
    open();
    const char* const names[] = {"settings_tab_1_general", "settings_tab_2_behaviour",
                                 "settings_tab_3_screen_edge", "settings_tab_4_appearance"};
    for (int tab = 0; tab < 4; ++tab) {
        select_tab(tab);
        for (const SettingsControl& c : settings_controls()) {
            if (c.tab != kOutsideThePanel) {
                EXPECT_EQ(IsWindowVisible(item(c.number)) != FALSE, c.tab == tab) << c.number;
            }
        }
        RedrawWindow(window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        test::pump_messages();
        if (!test::artifacts_dir().empty()) {
            EXPECT_TRUE(test::save_artifact_screenshot(window(), names[tab])) << names[tab];
        }
    }
}

TEST_F(SettingsWindow, TheControlsShowTheSettings) {
    Settings& settings = app().settings;
    settings.load_on_windows_start = 1;
    settings.menu_on_program_start = 1;
    settings.my_own_menu = "C:\\Elsewhere\\Menu\\";
    settings.window_close_to_tab_bar = 0;
    settings.keep_recent_objects_days = 45;
    settings.search_recent_documents = 0;
    settings.allow_internet_access = 0;
    settings.explorer_list_click_event = 2;
    settings.mouse_cursor_vertical = 1;
    settings.mouse_cursor_horizontal = 1;
    open();
    EXPECT_TRUE(checked(control::kAutostart));
    EXPECT_FALSE(checked(control::kStartOwnMenu));
    EXPECT_TRUE(checked(control::kStartWindowsMenu));
    EXPECT_FALSE(checked(control::kStartLastMenu));
    EXPECT_EQ(field_text(), "C:\\Elsewhere\\Menu\\");
    EXPECT_FALSE(checked(control::kCloseToTabBar));
    EXPECT_EQ(test::window_title(item(control::kKeepDays)), "45");
    EXPECT_FALSE(checked(control::kSearchRecent));
    EXPECT_FALSE(checked(control::kInternet));
    EXPECT_TRUE(checked(control::kDoubleClick));
    EXPECT_TRUE(checked(control::kEdgeRest));
    EXPECT_TRUE(checked(control::kEdgeSwipe));
}

TEST_F(SettingsWindow, ChangingEveryControlAndConfirmingSavesAppliesAndShowsTheNewMenu) {
    const std::string new_menu = test_app_.dir().make_dir("Chosen Menu");
    const std::string answer = new_menu.substr(0, new_menu.size() - 1);  // without "\"
    test_app_.dialogs.answer_folder(answer);
    SetWindowTextW(app().main_window, L"before");
    open();

    click(control::kAutostart);
    click(control::kStartLastMenu);
    click(control::kChooseFolder);
    click(control::kCloseToTabBar);
    select_tab(1);
    spin(true);
    spin(true);
    spin(false);
    click(control::kSearchRecent);
    click(control::kDoubleClick);
    click(control::kInternet);
    select_tab(2);
    click(control::kEdgeSwipe);
    EXPECT_EQ(settings_file(), "");  // nothing is written while the window is open
    click(control::kConfirm);

    EXPECT_EQ(window(), nullptr);
    Settings expected = default_settings(app().folders.own_menu);
    expected.load_on_windows_start = 1;
    expected.menu_on_program_start = 2;
    expected.my_own_menu = new_menu;
    expected.window_close_to_tab_bar = 0;
    expected.keep_recent_objects_days = 15;
    expected.search_recent_documents = 0;
    expected.explorer_list_click_event = 2;
    expected.allow_internet_access = 0;
    expected.mouse_cursor_vertical = 1;
    expected.mouse_cursor_horizontal = 1;
    EXPECT_EQ(app().settings, expected);
    EXPECT_EQ(settings_file(), format_settings(expected));
    EXPECT_EQ(test::autostart_value(), app().folders.program_file);
    // The edge watcher sees the new triggers.
    EXPECT_EQ(app().edge_triggers.horizontal, 1);

    // The own menu is shown again from the chosen folder.
    EXPECT_EQ(app().view.menu_root, new_menu);
    EXPECT_EQ(app().view.tree_selection, 0);
    EXPECT_EQ(test::window_title(app().main_window),
              find_text("Program_Name") + " - " + text("TXT00206") + " - " + text("TXT00200"));
}

TEST_F(SettingsWindow, AThemeChosenOnTheAppearanceTabShowsAtOnceAndIsSaved) {
    const auto tree_background = [this] {
        return static_cast<COLORREF>(
            SendMessageW(app().window.tree.window(), TVM_GETBKCOLOR, 0, 0));
    };
    ASSERT_EQ(app().window.palette.kind, PaletteKind::light);
    open();
    select_tab(3);
    EXPECT_TRUE(checked(control::kThemeSystemOption));
    EXPECT_FALSE(checked(control::kThemeLightOption));
    EXPECT_FALSE(checked(control::kThemeDarkOption));
    click(control::kThemeDarkOption);
    EXPECT_FALSE(checked(control::kThemeSystemOption));
    click(control::kConfirm);

    EXPECT_EQ(app().settings.theme, kThemeDark);
    EXPECT_NE(settings_file().find("Theme = 2"), std::string::npos) << settings_file();
    // No restart: the window is dark as the settings window closes.
    EXPECT_EQ(app().window.palette.kind, PaletteKind::dark);
    EXPECT_EQ(tree_background(), RGB(25, 25, 25));

    open();
    select_tab(3);
    EXPECT_TRUE(checked(control::kThemeDarkOption));
    click(control::kThemeLightOption);
    click(control::kConfirm);
    EXPECT_EQ(app().settings.theme, kThemeLight);
    EXPECT_EQ(app().window.palette.kind, PaletteKind::light);
    EXPECT_EQ(tree_background(), RGB(250, 250, 250));
}

// Tab as the loop hands it over: the key goes to the focused control.
bool press_tab(App& app) {
    MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    return settings_window_tab_keys(app, key);
}

TEST_F(SettingsWindow, TabGoesRoundTheShownTabsControlsNotJustTheTabRowAndOk) {
    open();
    SetFocus(panel());
    // The General tab: its check boxes, the chosen start menu, the folder
    // field and buttons, then OK and the tab row again.
    for (const int number : {17, 19, 23, 24, 25, 27, 47, 15}) {
        ASSERT_TRUE(press_tab(app()));
        EXPECT_EQ(GetFocus(), item(number))
            << "expected " << number << ", focus on " << GetDlgCtrlID(GetFocus());
    }
    // On the fourth tab only its chosen colour is a stop.
    select_tab(3);
    SetFocus(panel());
    ASSERT_TRUE(press_tab(app()));
    EXPECT_EQ(GetFocus(), item(control::kThemeSystemOption));
    ASSERT_TRUE(press_tab(app()));
    EXPECT_EQ(GetFocus(), item(control::kConfirm));
    // Other keys are not Tab keys.
    MSG other{GetFocus(), WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(settings_window_tab_keys(app(), other));
    // Left on the tab row shows the tab before, with its own controls.
    SetFocus(panel());
    SendMessageW(panel(), WM_KEYDOWN, VK_LEFT, 0);
    test::pump_messages();
    EXPECT_EQ(SendMessageW(panel(), TCM_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(item(control::kPinProgram)));
    EXPECT_FALSE(IsWindowVisible(item(control::kThemeDarkOption)));
}

TEST_F(SettingsWindow, TheHotkeyFieldShowsTheKeyAndAChosenOneIsSavedAndRegistered) {
    app().settings.hotkey = "Ctrl+Shift+K";
    open();
    HWND field = item(control::kHotkeyField);
    ASSERT_TRUE(field);
    EXPECT_EQ(SendMessageW(field, HKM_GETHOTKEY, 0, 0),
              MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    EXPECT_FALSE(checked(control::kWindowsKey));

    // Alt+F9 chosen, the Windows key alone turned on.
    SendMessageW(field, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_ALT), 0);
    select_tab(1);
    click(control::kWindowsKey);
    click(control::kConfirm);
    EXPECT_EQ(app().settings.hotkey, "Alt+F9");
    EXPECT_EQ(app().settings.windows_key_alone, 1);
    EXPECT_NE(settings_file().find("Hotkey = Alt+F9\r\n"), std::string::npos);
    EXPECT_NE(settings_file().find("WindowsKeyAlone = 1\r\n"), std::string::npos);
    // The window holds the key now: nobody else can register it.
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, MOD_ALT, VK_F9));
    ASSERT_TRUE(app().windows_key_hook);
    EXPECT_TRUE(app().windows_key_hook->installed());
    EXPECT_TRUE(test_app_.dialogs.calls().empty());

    // A Windows-key hotkey from the file, which the field cannot show, stays
    // as it is when the field is left alone.
    app().settings.hotkey = "Ctrl+Win+K";
    open();
    click(control::kConfirm);
    EXPECT_EQ(app().settings.hotkey, "Ctrl+Win+K");
    EXPECT_FALSE(app().windows_key_hook == nullptr);

    // A key another program holds is said, and kept for the next start.
    ASSERT_TRUE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, 'J'));
    open();
    SendMessageW(item(control::kHotkeyField), HKM_SETHOTKEY,
                 MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    select_tab(1);
    click(control::kWindowsKey);
    click(control::kConfirm);
    UnregisterHotKey(nullptr, 78);
    ASSERT_EQ(test_app_.dialogs.calls().size(), 1u);
    EXPECT_EQ(test_app_.dialogs.calls()[0].text, text("TXT00353"));
    EXPECT_EQ(app().settings.hotkey, "Ctrl+Alt+J");
    EXPECT_EQ(app().windows_key_hook, nullptr);
}

TEST_F(SettingsWindow, ClosingByTheCloseBoxKeepsTheChangesAndRemovesTheAutostartAtOnce) {
    app().settings.load_on_windows_start = 1;
    open();
    click(control::kConfirm);
    ASSERT_EQ(test::autostart_value(), app().folders.program_file);

    open();
    click(control::kAutostart);
    click(control::kStartWindowsMenu);
    SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    test::pump_messages();
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(app().settings.load_on_windows_start, 0);
    EXPECT_EQ(app().settings.menu_on_program_start, 1);
    EXPECT_EQ(test::autostart_value(), std::nullopt);
    EXPECT_EQ(settings_file(), format_settings(app().settings));
}

TEST_F(SettingsWindow, CheckingTheSwipeChecksTheRestAndUncheckingTheRestUnchecksTheSwipe) {
    app().settings.mouse_cursor_vertical = 0;
    open();
    select_tab(2);
    ASSERT_FALSE(checked(control::kEdgeRest));
    click(control::kEdgeSwipe);
    EXPECT_TRUE(checked(control::kEdgeSwipe));
    EXPECT_TRUE(checked(control::kEdgeRest));
    click(control::kEdgeRest);
    EXPECT_FALSE(checked(control::kEdgeRest));
    EXPECT_FALSE(checked(control::kEdgeSwipe));
    // The rest alone may be on.
    click(control::kEdgeRest);
    EXPECT_TRUE(checked(control::kEdgeRest));
    EXPECT_FALSE(checked(control::kEdgeSwipe));
    click(control::kConfirm);
    EXPECT_EQ(app().settings.mouse_cursor_vertical, 1);
    EXPECT_EQ(app().settings.mouse_cursor_horizontal, 0);
}

TEST_F(SettingsWindow, WithTheWindowsMenuShownConfirmingDoesNotShowTheMenuAgain) {
    ViewState& view = app().view;
    view.menu_mode = "w";
    view.menu_root = app().folders.windows_menu;
    view.tree_selection = 4;
    SetWindowTextW(app().main_window, L"unchanged");
    const std::string new_menu = test_app_.dir().make_dir("Other Menu");
    test_app_.dialogs.answer_folder(new_menu);
    open();
    click(control::kChooseFolder);
    click(control::kConfirm);
    EXPECT_EQ(app().settings.my_own_menu, new_menu);
    EXPECT_EQ(view.menu_root, app().folders.windows_menu);
    EXPECT_EQ(view.tree_selection, 4);
    EXPECT_EQ(test::window_title(app().main_window), "unchanged");
}

TEST_F(SettingsWindow, TheFolderChooserTakesOnlyAnExistingFolderAndTheDefaultButtonResets) {
    app().settings.my_own_menu = "C:\\Start\\Here\\";
    const std::string file = test_app_.dir().write_file("not a folder.txt", "x");
    const std::string folder = test_app_.dir().make_dir("Real Folder");
    test_app_.dialogs.answer_folder("");  // cancelled
    test_app_.dialogs.answer_folder(test_app_.dir().str() + "missing");
    test_app_.dialogs.answer_folder(file);
    test_app_.dialogs.answer_folder(folder);  // with its backslash already
    open();
    for (int i = 0; i < 3; ++i) {
        click(control::kChooseFolder);
        EXPECT_EQ(field_text(), "C:\\Start\\Here\\") << i;
    }
    click(control::kChooseFolder);
    EXPECT_EQ(field_text(), folder);

    const auto& calls = test_app_.dialogs.calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_TRUE(calls[0].folder_chooser);
    EXPECT_EQ(calls[0].caption, text("TXT00245"));
    EXPECT_EQ(calls[0].default_text, "C:\\Start\\Here\\");  // starts at the field's folder

    click(control::kDefaultFolder);
    EXPECT_EQ(field_text(), app().folders.own_menu);
    click(control::kConfirm);
    EXPECT_EQ(app().settings.my_own_menu, app().folders.own_menu);
}

TEST_F(SettingsWindow, ThePinButtonRunsTheCompanionAndTheUserHearsWhenItCouldNotPin) {
    ASSERT_TRUE(copy_file(test::build_tree_path(TREVALON_COMPANION_PATH),
                          app().folders.own_temp + "Trev1.exe"));
    open();
    select_tab(2);
    click(control::kPinProgram);
    EXPECT_TRUE(window());  // the window stays open
    // The shell here offers no pin command: once the companion has ended,
    // the main window has a message to show.
    ASSERT_TRUE(test::wait_until([&] { return !app().events.empty(); }, std::chrono::seconds(30)));
    PostQuitMessage(0);
    run_event_loop(app());
    ASSERT_EQ(test_app_.dialogs.calls().size(), 1u);
    const test::DialogCall& said = test_app_.dialogs.calls()[0];
    EXPECT_EQ(said.text.rfind(text("TXT00320"), 0), 0u) << said.text;
    EXPECT_NE(said.text.find(app().folders.program_file), std::string::npos) << said.text;
    EXPECT_NE(said.text.find(text("TXT00321")), std::string::npos) << said.text;
    EXPECT_EQ(said.caption, text("Program_Name"));
    EXPECT_EQ(said.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(SettingsWindow, OpeningAgainKeepsOneWindowAndOnlyWindowOnesEventsAreHandled) {
    open();
    HWND first = window();
    open_settings_window(app());
    EXPECT_EQ(window(), first);
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, kSettingsWindowClass, nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);

    // The loop reads the window's posted events as events of window 1.
    MSG posted{first, kSettingsControlEvent, control::kDefaultFolder, kLeftClick, 0, {}};
    const auto event = read_settings_window_event(app(), posted);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->window, kSettingsWindowNumber);
    EXPECT_EQ(event->kind, EventKind::kControl);
    EXPECT_EQ(event->control, control::kDefaultFolder);
    MSG closing{first, kSettingsCloseEvent, 0, 0, 0, {}};
    EXPECT_EQ(read_settings_window_event(app(), closing)->kind, EventKind::kClose);
    MSG elsewhere{app().main_window, kSettingsControlEvent, 24, 0, 0, {}};
    EXPECT_FALSE(read_settings_window_event(app(), elsewhere));

    Event main_close;
    main_close.kind = EventKind::kClose;
    main_close.window = kMainWindowNumber;
    EXPECT_FALSE(handle_settings_window_event(app(), main_close));
    EXPECT_EQ(window(), first);
    Event confirm;
    confirm.kind = EventKind::kControl;
    confirm.window = kSettingsWindowNumber;
    confirm.control = control::kConfirm;
    EXPECT_TRUE(handle_settings_window_event(app(), confirm));
    EXPECT_EQ(window(), nullptr);
    // An event for a window that is gone changes nothing.
    const std::string saved = settings_file();
    EXPECT_TRUE(handle_settings_window_event(app(), confirm));
    EXPECT_EQ(settings_file(), saved);
}

}  // namespace
}  // namespace trevalon
