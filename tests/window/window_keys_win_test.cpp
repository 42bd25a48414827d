// The main window's keys on the real controls: which command a key becomes
// where the focus is, typing in a pane going to the search field, and the
// tree's keyboard selection opening once, after the keys rest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "support/wait_win.h"
#include "window/image_buttons_win.h"
#include "window/key_map.h"
#include "window/list_views_win.h"
#include "window/main_window_win.h"
#include "window/window_events_win.h"
#include "window/window_fixture_win.h"
#include "window/window_keys_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

class WindowKeys : public test::WindowTest {
  protected:
    // A key pressed with the focus on `focus`, as the loop hands it over:
    // the map first, the control otherwise. Modifiers are held for real.
    std::vector<Event> press(HWND focus, WPARAM key, std::vector<BYTE> modifiers = {}) {
        SetFocus(focus);
        set_modifiers(modifiers, true);
        MSG down{focus, WM_KEYDOWN, key, 0x00010001, 0, {}};
        if (!translate_window_keys(app_, down)) {
            TranslateMessage(&down);
            DispatchMessageW(&down);
        }
        set_modifiers(modifiers, false);
        return take_events();
    }

    static void set_modifiers(const std::vector<BYTE>& keys, bool down) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        for (const BYTE key : keys)
            state[key] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }

    bool type(HWND focus, wchar_t typed) {
        SetFocus(focus);
        MSG character{focus, WM_CHAR, typed, 0, 0, {}};
        return translate_window_keys(app_, character);
    }
};

TEST_F(WindowKeys, EachKeyBecomesItsCommandWhereTheFocusIs) {
    const WindowControls& c = app_.window;
    struct Case {
        HWND focus;
        WPARAM key;
        std::vector<BYTE> modifiers;
        int command;
        bool gated;
    };
    const Case cases[] = {
        {c.search_field, VK_RETURN, {}, kSearchEnterCommand, false},
        {c.search_field, VK_RETURN, {VK_SHIFT}, kReturnKeyCommand, false},
        {c.search_field, VK_RETURN, {VK_CONTROL}, kShowInFolderCommand, false},
        {c.list.window(), VK_RETURN, {VK_CONTROL}, kShowInFolderCommand, true},
        {c.tree.window(), VK_RETURN, {}, kReturnKeyCommand, false},
        {c.list.window(), VK_RETURN, {}, kLaunchFocusedCommand, false},
        {c.tree.window(), VK_TAB, {}, kNextPaneCommand, false},
        {c.search_field, VK_TAB, {VK_SHIFT}, kPreviousPaneCommand, false},
        {c.list.window(), 'F', {VK_CONTROL}, kSearchFieldCommand, false},
        {c.search_field, VK_DOWN, {}, kIntoListCommand, false},
        {c.list.window(), VK_ESCAPE, {}, kEscapeCommand, false},
        {c.list.window(), VK_BACK, {}, kBackCommand, false},
        {c.list.window(), VK_APPS, {}, kContextMenuCommand, false},
        {c.list.window(), 'C', {VK_CONTROL}, 59, true},
        {c.tree.window(), VK_F2, {}, 49, true},
    };
    for (const Case& key : cases) {
        const std::vector<Event> events = press(key.focus, key.key, key.modifiers);
        ASSERT_EQ(events.size(), 1u) << key.command;
        EXPECT_EQ(events[0].kind, EventKind::kCommand) << key.command;
        EXPECT_EQ(events[0].command, key.command);
        EXPECT_EQ(events[0].menu_gated, key.gated) << key.command;
    }
    // Keys the map leaves alone reach the control and raise nothing.
    EXPECT_TRUE(press(c.search_field, 'C', {VK_CONTROL}).empty());
    EXPECT_TRUE(press(c.search_field, VK_BACK).empty());
}

TEST_F(WindowKeys, TypingInAPaneStartsANewSearchInTheField) {
    HWND field = app_.window.search_field;
    set_window_text(field, "old");
    ASSERT_TRUE(type(app_.window.list.window(), L'c'));
    EXPECT_EQ(GetFocus(), field);
    // The rest of the word arrives in the field, which had the focus by then.
    for (const wchar_t typed : {L'a', L'l'})
        SendMessageW(field, WM_CHAR, typed, 0);
    EXPECT_EQ(window_text(field), "cal");
    // From the tree too, replacing what the field held.
    ASSERT_TRUE(type(app_.window.tree.window(), L'N'));
    EXPECT_EQ(window_text(field), "N");
    // A space and control characters stay with the pane.
    EXPECT_FALSE(type(app_.window.list.window(), L' '));
    EXPECT_FALSE(type(app_.window.list.window(), L'\x03'));
    EXPECT_FALSE(type(field, L'x'));  // the field takes its own characters
    EXPECT_EQ(window_text(field), "N");
}

TEST_F(WindowKeys, FocusMovesBetweenThePanesAndIntoTheList) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    focus_pane(app_, next_pane(focus_place(app_.window, app_.window.tree.window()), false));
    EXPECT_EQ(GetFocus(), app_.window.list.window());
    focus_pane(app_, kInSearchField);
    EXPECT_EQ(GetFocus(), app_.window.search_field);
    // Down from the field selects the first row when none is.
    ASSERT_GT(app_.window.list.row_count(), 0);
    ASSERT_EQ(app_.window.list.state(), -1);
    focus_list_from_field(app_);
    EXPECT_EQ(GetFocus(), app_.window.list.window());
    EXPECT_EQ(app_.window.list.state(), 0);
}

TEST_F(WindowKeys, HoldingDownInTheTreeOpensOnlyWhereItStops) {
    for (int i = 0; i < 12; ++i)
        create_folders(app_.folders.own_menu + "Folder " + std::to_string(10 + i));
    show_menu(app_, app_.folders.own_menu, "My Menu");
    take_events();
    HWND tree = app_.window.tree.window();
    SetFocus(tree);
    // Ten presses at the keyboard's repeat rate, the window's messages
    // handled in between.
    for (int press = 0; press < 10; ++press) {
        SendMessageW(tree, WM_KEYDOWN, VK_DOWN, 0x00500001);
        test::wait_until([] { return false; }, std::chrono::milliseconds(30));
    }
    EXPECT_EQ(app_.window.tree.selected(), 10);
    std::vector<Event> opened;
    test::wait_until(
        [&] {
            for (const Event& event : take_events())
                opened.push_back(event);
            return !opened.empty();
        },
        std::chrono::seconds(2));
    // Nothing more comes after the first.
    test::wait_until([] { return false; }, std::chrono::milliseconds(400));
    for (const Event& event : take_events())
        opened.push_back(event);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].command, kOpenTreeSelectionCommand);

    // A selection set by the program opens nothing.
    app_.window.tree.select(3);
    test::wait_until([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(take_events().empty());
}

TEST_F(WindowKeys, TheTabRingReachesBothStripsAndTheBottomRowWhereArrowsMoveAndEnterPresses) {
    const WindowControls& c = app_.window;
    // Tab from the list: the upper strip with its first button marked, the
    // lower strip (the upper one's mark gone), the bottom row, the field.
    focus_pane(app_, next_pane(focus_place(c, c.list.window()), false));
    EXPECT_EQ(GetFocus(), c.upper_toolbar);
    EXPECT_EQ(SendMessageW(c.upper_toolbar, TB_GETHOTITEM, 0, 0), 0);
    focus_pane(app_, next_pane(focus_place(c, GetFocus()), false));
    EXPECT_EQ(GetFocus(), c.lower_toolbar);
    EXPECT_EQ(SendMessageW(c.lower_toolbar, TB_GETHOTITEM, 0, 0), 0);
    EXPECT_EQ(SendMessageW(c.upper_toolbar, TB_GETHOTITEM, 0, 0), -1);
    focus_pane(app_, next_pane(focus_place(c, GetFocus()), false));
    EXPECT_EQ(GetFocus(), c.size_button);
    focus_pane(app_, next_pane(focus_place(c, GetFocus()), false));
    EXPECT_EQ(GetFocus(), c.search_field);

    // Within the row the arrows go round, and Enter presses the focused
    // button as a click would.
    const auto pressed_command = [this](HWND focus, WPARAM key) {
        const std::vector<Event> events = press(focus, key);
        return events.size() == 1 && events[0].kind == EventKind::kCommand ? events[0].command : -1;
    };
    EXPECT_EQ(pressed_command(c.size_button, VK_RIGHT), kNextButtonCommand);
    move_button_focus(app_, false);
    EXPECT_EQ(GetFocus(), c.back_button);
    move_button_focus(app_, true);
    move_button_focus(app_, true);
    EXPECT_EQ(GetFocus(), c.search_button);
    EXPECT_EQ(focused_image_button(c), kSearchButton);
    EXPECT_EQ(pressed_command(c.bookmarks_button, VK_RETURN), kPressButtonCommand);
    EXPECT_EQ(pressed_command(c.bookmarks_button, VK_SPACE), kPressButtonCommand);
    // In a strip the toolbar moves and presses itself: Enter is a command
    // of the button it marked.
    SetFocus(c.upper_toolbar);
    SendMessageW(c.upper_toolbar, TB_SETHOTITEM, 1, 0);
    EXPECT_EQ(pressed_command(c.upper_toolbar, VK_RETURN), 2);
}

std::vector<std::pair<HWND, LONG>>& focus_events() {
    static std::vector<std::pair<HWND, LONG>> seen;
    return seen;
}

void CALLBACK note_focus_event(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                               DWORD) {
    if (object == OBJID_CLIENT)
        focus_events().emplace_back(window, child);
}

TEST_F(WindowKeys, TheArrowsInAStripRaiseAFocusEventForTheButtonTheyReach) {
    const DWORD process = GetCurrentProcessId();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         note_focus_event, process, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    focus_pane(app_, kInUpperStrip);
    focus_events().clear();
    SendMessageW(app_.window.upper_toolbar, WM_KEYDOWN, VK_DOWN, 0x00500001);
    test::wait_until([] { return !focus_events().empty(); }, std::chrono::milliseconds(2000));
    UnhookWinEvent(hook);
    EXPECT_EQ(SendMessageW(app_.window.upper_toolbar, TB_GETHOTITEM, 0, 0), 1);
    ASSERT_FALSE(focus_events().empty());
    EXPECT_EQ(focus_events().back(), std::make_pair(app_.window.upper_toolbar, LONG{2}));
}

TEST_F(WindowKeys, AClickOnAnImageButtonLeavesTheFocusInTheField) {
    HWND field = app_.window.search_field;
    SetFocus(field);
    SendMessageW(app_.window.back_button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(app_.window.back_button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(GetFocus(), field);
    const std::vector<Event> events = take_events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].control, kBackButton);
}

TEST_F(WindowKeys, TheListMarksItsFirstRowWhenItTakesTheFocusWithoutOne) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    HWND list = app_.window.list.window();
    ASSERT_GT(app_.window.list.row_count(), 1);
    ASSERT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
    SetFocus(app_.window.tree.window());
    SetFocus(list);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 0);
    EXPECT_EQ(app_.window.list.state(), -1);  // marked, not selected
    // A row marked already keeps the mark.
    LVITEMW second{};
    second.stateMask = LVIS_FOCUSED;
    second.state = LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&second));
    SetFocus(app_.window.tree.window());
    SetFocus(list);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);

    // An entry named, by its file name or by the name of a converted
    // internet shortcut, is selected and focused; one not listed changes
    // nothing.
    const std::string name = app_.window.list.item_text(1, 0);
    ASSERT_FALSE(name.empty());
    SetFocus(app_.window.search_field);
    EXPECT_TRUE(select_listed_entry(app_, app_.window.list.text() + app_.entry_names.names[1]));
    EXPECT_EQ(app_.window.list.state(), 1);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_FALSE(select_listed_entry(app_, app_.window.list.text() + "Not there.lnk"));
    EXPECT_EQ(app_.window.list.state(), 1);
}

}  // namespace
}  // namespace trevalon
