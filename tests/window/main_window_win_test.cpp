// The main window as built: every control at its place, the toolbars as
// columns, the popup menus, fonts and colours; the events its messages
// produce; the view toggles.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/wide_win.h"
#include "program/event_loop_win.h"
#include "support/screenshot_win.h"
#include "window/button_images_win.h"
#include "window/file_list_view_win.h"
#include "window/image_buttons_win.h"
#include "window/font_sizes.h"
#include "window/layout.h"
#include "window/list_views_win.h"
#include "window/view_toggles_win.h"
#include "window/window_events_win.h"
#include "window/window_fixture_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

using MainWindow = test::WindowTest;
using test::rect_in_parent;

struct ButtonPlace {
    bool separator;
    RECT rect;
};

std::vector<ButtonPlace> toolbar_buttons(HWND toolbar) {
    std::vector<ButtonPlace> buttons;
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        RECT rect{};
        SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&rect));
        buttons.push_back({(button.fsStyle & BTNS_SEP) != 0, rect});
    }
    return buttons;
}

// Every control's rectangle, in the order the layout lists them.
std::vector<Rect> control_rects(const App& app) {
    const WindowControls& c = app.window;
    std::vector<Rect> rects;
    for (HWND control :
         {c.tree_caption, c.list_caption, c.tree_container, c.tree.window(), c.list_container,
          c.list.window(), c.size_button, c.back_button, c.bookmarks_button, c.search_button,
          c.search_field, c.upper_toolbar, c.lower_toolbar}) {
        rects.push_back(test::rect_in_parent(control));
    }
    return rects;
}

std::vector<Rect> layout_rects(const MainLayout& layout, const App& app) {
    return {layout.tree_caption,
            layout.list_caption,
            layout.tree_container,
            layout.tree,
            layout.list_container,
            layout.list,
            layout.size_button,
            layout.back_button,
            layout.bookmarks_button,
            layout.search_button,
            layout.search_field,
            {layout.upper_toolbar.x, layout.upper_toolbar.y,
             test::rect_in_parent(app.window.upper_toolbar).width,
             test::rect_in_parent(app.window.upper_toolbar).height},
            {layout.lower_toolbar.x, layout.lower_toolbar.y,
             test::rect_in_parent(app.window.lower_toolbar).width,
             test::rect_in_parent(app.window.lower_toolbar).height}};
}

TEST_F(MainWindow, EveryControlStandsAtItsPlaceInTheFullForm) {
    ASSERT_EQ(app_.window.dpi, 96) << "the test prefix runs at 96 dpi";
    EXPECT_EQ(inner_size(), (Size{877, 595}));
    const MainLayout layout = main_layout(WindowForm::full);
    EXPECT_EQ(control_rects(app_), layout_rects(layout, app_));
    // The spot checks of the numbers themselves.
    EXPECT_EQ(rect_in_parent(app_.window.tree_container), (Rect{30, 25, 350, 545}));
    EXPECT_EQ(rect_in_parent(app_.window.tree.window()), (Rect{-2, -2, 354, 549}));
    EXPECT_EQ(rect_in_parent(app_.window.list.window()), (Rect{4, 4, 482, 537}));
    EXPECT_EQ(rect_in_parent(app_.window.size_button).y, 573);
    EXPECT_EQ(rect_in_parent(app_.window.search_field), (Rect{440, 573, 432, 16}));
    // The tree's sunken border lies in the 2 pixels its container clips.
    EXPECT_TRUE(GetWindowLongPtrW(app_.window.tree.window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrW(app_.window.tree_container, GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(MainWindow, TheToolbarsAreSingleColumnsWithTheirSeparatorsInsideTheStrip) {
    const auto upper = toolbar_buttons(app_.window.upper_toolbar);
    ASSERT_EQ(upper.size(), kUpperToolbarButtons.size());
    const RECT* previous = nullptr;
    bool separated = false;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(upper[i].separator, kUpperToolbarButtons[i].separator()) << i;
        if (upper[i].separator) {
            separated = true;
            continue;
        }
        EXPECT_EQ(upper[i].rect.left, upper[0].rect.left) << i;
        if (previous) {
            // Each button below the last; a separator leaves a gap between groups.
            if (separated) {
                EXPECT_GT(upper[i].rect.top, previous->bottom) << i;
            } else {
                EXPECT_EQ(upper[i].rect.top, previous->bottom) << i;
            }
        }
        previous = &upper[i].rect;
        separated = false;
    }
    const auto lower = toolbar_buttons(app_.window.lower_toolbar);
    ASSERT_EQ(lower.size(), 6u);
    for (std::size_t i = 1; i < lower.size(); ++i) {
        EXPECT_EQ(lower[i].rect.left, lower[0].rect.left);
        EXPECT_EQ(lower[i].rect.top, lower[i - 1].rect.bottom);
    }
    for (HWND toolbar : {app_.window.upper_toolbar, app_.window.lower_toolbar}) {
        const Rect place = rect_in_parent(toolbar);
        EXPECT_LE(place.right(), kLeftStrip) << "the column must not reach over the tree";
        EXPECT_GE(place.height, static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) * 16);
    }
    // The upper column ends above the lower one in both forms.
    EXPECT_LT(rect_in_parent(app_.window.upper_toolbar).bottom(), 330);
    EXPECT_LE(rect_in_parent(app_.window.lower_toolbar).bottom(), inner_size().height);
}

// The five popup menus as the window's description lists them, with Undo at
// the end of both context menus: command and caption key of each item, 0 for
// a separator. (Undo's caption names the edit once there is one.)
struct ExpectedItem {
    int command;
    const char* caption_key;
};
const std::map<int, std::vector<ExpectedItem>>& expected_popup_menus() {
    static const std::map<int, std::vector<ExpectedItem>> menus{
        {21,
         {{25, "TXT00090"},
          {23, "TXT00091"},
          {24, "TXT00092"},
          {0, ""},
          {22, "TXT00093"},
          {0, ""},
          {26, "TXT00094"},
          {27, "TXT00095"},
          {28, "TXT00096"}}},
        {29,
         {{30, "TXT00070"},
          {31, "TXT00071"},
          {32, "TXT00072"},
          {33, "TXT00073"},
          {0, ""},
          {35, "TXT00075"},
          {0, ""},
          {36, "TXT00076"}}},
        {37,
         {{38, "TXT00030"},
          {39, "TXT00031"},
          {40, "TXT00032"},
          {0, ""},
          {41, "TXT00033"},
          {42, "TXT00034"},
          {43, "TXT00035"}}},
        {45,
         {{46, "TXT00100"},
          {47, "TXT00101"},
          {0, ""},
          {48, "TXT00102"},
          {49, "TXT00103"},
          {0, ""},
          {50, "TXT00104"},
          {51, "TXT00105"},
          {0, ""},
          {52, "TXT00106"},
          {0, ""},
          {53, "TXT00107"},
          {0, ""},
          {70, "TXT00300"}}},
        {54,
         {{55, "TXT00110"}, {0, ""},          {59, "TXT00111"}, {60, "TXT00112"}, {61, "TXT00113"},
          {0, ""},          {62, "TXT00114"}, {63, "TXT00115"}, {0, ""},          {64, "TXT00116"},
          {65, "TXT00117"}, {0, ""},          {66, "TXT00118"}, {67, "TXT00119"}, {91, "TXT00364"},
          {0, ""},          {68, "TXT00120"}, {0, ""},          {69, "TXT00121"}, {0, ""},
          {70, "TXT00300"}}},
    };
    return menus;
}

TEST_F(MainWindow, PopupMenusHoldTheirItemsAndSeparatorsWithTheirTexts) {
    for (const auto& [number, items] : expected_popup_menus()) {
        HMENU popup = app_.window.popup(number);
        ASSERT_TRUE(popup) << number;
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size())) << number;
        for (std::size_t i = 0; i < items.size(); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID;
            ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info));
            const bool separator = items[i].command == 0;
            EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, separator) << number << "/" << i;
            if (separator)
                continue;
            EXPECT_EQ(static_cast<int>(info.wID), items[i].command) << number << "/" << i;
            wchar_t caption[200] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), caption, 200, MF_BYPOSITION);
            // The words as the text table has them; a key hint after a tab.
            const std::string shown = wide_to_utf8(caption);
            EXPECT_EQ(shown.substr(0, shown.find('\t')), find_text(items[i].caption_key))
                << items[i].command;
            EXPECT_FALSE(find_text(items[i].caption_key).empty()) << items[i].command;
        }
    }
    EXPECT_EQ(app_.window.popup(44), nullptr);
}

std::string menu_caption(HMENU menu, int command) {
    wchar_t caption[200] = {};
    GetMenuStringW(menu, static_cast<UINT>(command), caption, 200, MF_BYCOMMAND);
    return wide_to_utf8(caption);
}

TEST_F(MainWindow, TheEntryAndFolderMenusNameTheKeysThatDoTheSameThere) {
    HMENU list = app_.window.popup(kFileListMenu);
    HMENU tree = app_.window.popup(kFolderTreeMenu);
    ASSERT_TRUE(list && tree);
    const std::pair<int, const char*> list_keys[] = {{59, "\tCtrl+C"},
                                                     {60, "\tCtrl+X"},
                                                     {61, "\tCtrl+V"},
                                                     {62, "\tDel"},
                                                     {63, "\tF2"},
                                                     {70, "\tCtrl+Z"},
                                                     {kShowInFolderCommand, "\tCtrl+Enter"}};
    for (const auto& [command, hint] : list_keys) {
        const std::string caption = menu_caption(list, command);
        EXPECT_TRUE(caption.ends_with(hint)) << command << ": " << caption;
    }
    EXPECT_TRUE(menu_caption(tree, 48).ends_with("\tDel"));
    EXPECT_TRUE(menu_caption(tree, 49).ends_with("\tF2"));
    EXPECT_TRUE(menu_caption(tree, 70).ends_with("\tCtrl+Z"));
    // No key pastes into the tree or makes a new shortcut: no hint there.
    EXPECT_EQ(menu_caption(tree, 46), find_text("TXT00100"));
    EXPECT_EQ(menu_caption(list, 55), find_text("TXT00110"));
}

TEST_F(MainWindow, APopupMenuChoiceBecomesACommandEventOfItsOwn) {
    // The menu's own loop reads the keys posted to this thread; a timer ends
    // the menu should they never arrive, so the test cannot hang.
    const UINT_PTR guard =
        SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    PostMessageW(app_.main_window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(app_.main_window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(show_popup_menu(app_, kHelpMenu), 30);
    auto events = take_events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, EventKind::kCommand);
    EXPECT_EQ(events[0].command, 30);

    PostMessageW(app_.main_window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(show_popup_menu(app_, kToolsMenu), 0);
    EXPECT_TRUE(take_events().empty());
    KillTimer(nullptr, guard);
    EXPECT_EQ(show_popup_menu(app_, 44), 0);
}

TEST_F(MainWindow, FontsColoursAndStylesOfTheControls) {
    const UiFonts& fonts = app_.ui.fonts;
    auto font_of = [](HWND control) {
        return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(font_of(app_.window.tree_caption), fonts.font11.get());
    EXPECT_EQ(font_of(app_.window.list_caption), fonts.font11.get());
    EXPECT_EQ(font_of(app_.window.tree.window()), fonts.font10.get());
    EXPECT_EQ(font_of(app_.window.list.window()), fonts.font12.get());
    EXPECT_EQ(font_of(app_.window.search_field), fonts.font12.get());

    HWND tree = app_.window.tree.window();
    EXPECT_EQ(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(250, 250, 250)));
    EXPECT_EQ(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(96, 96, 96)));
    const auto tree_style = GetWindowLongPtrW(tree, GWL_STYLE);
    EXPECT_TRUE(tree_style & TVS_HASBUTTONS);
    EXPECT_TRUE(tree_style & TVS_LINESATROOT);
    EXPECT_TRUE(tree_style & TVS_SHOWSELALWAYS);
    EXPECT_FALSE(tree_style & TVS_HASLINES);

    HWND list = app_.window.list.window();
    EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(96, 96, 96)));
    EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(255, 255, 255)));
    const auto list_style = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_TRUE(list_style & LVS_SINGLESEL);
    EXPECT_TRUE(list_style & LVS_NOSORTHEADER);
    EXPECT_TRUE(list_style & LVS_SHAREIMAGELISTS);
    EXPECT_FALSE(list_style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ((SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_DOUBLEBUFFER) != 0,
              file_list_double_buffered());
    // Large icons once built; in details mode four columns, the first as
    // wide as the pane.
    EXPECT_EQ(app_.window.list.display_mode(), kLargeIconMode);
    app_.window.list.set_display_mode(kDetailsMode);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 490);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 100);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
    for (int column = 0; column < 4; ++column) {
        wchar_t title[100] = {};
        LVCOLUMNW data{};
        data.mask = LVCF_TEXT;
        data.pszText = title;
        data.cchTextMax = 100;
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&data));
        EXPECT_NE(title[0], L'\0') << column;
    }
    // The captions start empty; the search field is borderless.
    EXPECT_EQ(window_text(app_.window.tree_caption), "");
    EXPECT_FALSE(GetWindowLongPtrW(app_.window.search_field, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrW(app_.window.search_field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The size button shows the picture for making the window smaller.
    EXPECT_EQ(reinterpret_cast<HICON>(button_picture(app_.window.size_button)),
              app_.window.button_icons[kSmallerImage].get());
}

TEST_F(MainWindow, ToolbarButtonsMenuItemsAndTheCloseBoxBecomeEvents) {
    // A click on the last button of the upper toolbar: Exit.
    const auto upper = toolbar_buttons(app_.window.upper_toolbar);
    const RECT exit = upper.back().rect;
    const LPARAM at = MAKELPARAM((exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2);
    SendMessageW(app_.window.upper_toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(app_.window.upper_toolbar, WM_LBUTTONUP, 0, at);
    // A menu item, posted as the installer does; the close box.
    PostMessageW(app_.main_window, WM_COMMAND, 52, 0);
    PostMessageW(app_.main_window, WM_CLOSE, 0, 0);

    const std::vector<Event> events = take_events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, EventKind::kCommand);
    EXPECT_EQ(events[0].command, 13);
    EXPECT_EQ(events[1].kind, EventKind::kCommand);
    EXPECT_EQ(events[1].command, 52);
    EXPECT_EQ(events[2].kind, EventKind::kClose);
    EXPECT_EQ(events[2].window, kMainWindowNumber);
}

// How many pixels of an icon show at all.
int visible_pixels(HICON icon) {
    const auto image = image_from_icon(icon);
    int count = 0;
    for (std::size_t i = 3; image && i < image->rgba.size(); i += 4)
        count += image->rgba[i] > 0 ? 1 : 0;
    return count;
}

TEST_F(MainWindow, ButtonsShowTheLoadedPicturesAtTheWindowsResolution) {
    for (HIMAGELIST images : {app_.window.upper_images.get(), app_.window.lower_images.get()}) {
        const int count = ImageList_GetImageCount(images);
        ASSERT_GT(count, 0);
        for (int i = 0; i < count; ++i) {
            UniqueIcon icon(ImageList_GetIcon(images, i, ILD_NORMAL));
            EXPECT_GT(visible_pixels(icon.get()), 20) << i;
        }
    }
    EXPECT_EQ(ImageList_GetImageCount(app_.window.upper_images.get()), 11);
    for (const ImageButton& button : kImageButtons) {
        const auto icon =
            reinterpret_cast<HICON>(button_picture(app_.window.control(button.control)));
        EXPECT_GT(visible_pixels(icon), 20) << button.control;
        const auto image = image_from_icon(icon);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 16);
    }
    // At 96 dpi the pictures are the loaded ones, pixel for pixel.
    const Image* loaded = app_.ui.icon_image(kSmallerImage);
    const auto shown = image_from_icon(app_.window.button_icons[kSmallerImage].get());
    ASSERT_TRUE(loaded && shown);
    EXPECT_EQ(shown->rgba, loaded->rgba);
}

TEST_F(MainWindow, EveryButtonAndTheSearchFieldHaveTheirTooltips) {
    // The two toolbars' buttons, by command, as the window's description
    // gives their tooltips.
    const std::map<int, const char*> toolbar_tips{
        {1, "TXT00050"},  {2, "TXT00051"},  {3, "TXT00053"},  {4, "TXT00054"},  {6, "TXT00055"},
        {7, "TXT00056"},  {8, "TXT00057"},  {9, "TXT00058"},  {11, "TXT00060"}, {12, "TXT00061"},
        {13, "TXT00062"}, {15, "TXT00080"}, {16, "TXT00081"}, {17, "TXT00082"}, {18, "TXT00083"},
        {19, "TXT00084"}, {20, "TXT00085"},
    };
    std::map<int, const char*> asked;
    for (HWND toolbar : {app_.window.upper_toolbar, app_.window.lower_toolbar}) {
        HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
        ASSERT_TRUE(tips);
        const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON button{};
            SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&button));
            if (button.fsStyle & BTNS_SEP)
                continue;
            const auto found = toolbar_tips.find(button.idCommand);
            ASSERT_NE(found, toolbar_tips.end()) << button.idCommand;
            NMTTDISPINFOW request{};
            request.hdr = {tips, static_cast<UINT_PTR>(button.idCommand), TTN_GETDISPINFOW};
            SendMessageW(app_.main_window, WM_NOTIFY, static_cast<WPARAM>(button.idCommand),
                         reinterpret_cast<LPARAM>(&request));
            ASSERT_TRUE(request.lpszText) << button.idCommand;
            // The views of the first four name their keys.
            const std::string key_hint = button.idCommand <= 4
                                             ? " (Ctrl+" + std::to_string(button.idCommand) + ")"
                                             : std::string();
            EXPECT_EQ(wide_to_utf8(request.lpszText), find_text(found->second) + key_hint)
                << button.idCommand;
            asked[button.idCommand] = found->second;
        }
    }
    EXPECT_EQ(asked, toolbar_tips);

    // The bottom row: the image buttons and the search field.
    const std::map<HWND, std::string> bottom_tips{
        {app_.window.size_button, find_text("TXT00130")},
        {app_.window.back_button, find_text("TXT00136") + " (Backspace)"},
        {app_.window.bookmarks_button, find_text("TXT00131") + " (Ctrl+5)"},
        {app_.window.search_button, find_text("TXT00133")},
        {app_.window.search_field, find_text("TXT00134")},
    };
    EXPECT_EQ(SendMessageW(app_.window.tooltips, TTM_GETTOOLCOUNT, 0, 0), 5);
    for (const auto& [control, expected] : bottom_tips) {
        wchar_t tip[200] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = app_.main_window;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = tip;
        SendMessageW(app_.window.tooltips, TTM_GETTEXTW, 200, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(wide_to_utf8(tip), expected);
        EXPECT_FALSE(expected.empty());
    }
}

TEST_F(MainWindow, ImageButtonClicksAreControlEventsNeverTheCommandOfTheSameNumber) {
    for (const ImageButton& button : kImageButtons) {
        HWND control = app_.window.control(button.control);
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        const std::vector<Event> events = take_events();
        ASSERT_EQ(events.size(), 1u) << button.control;
        EXPECT_EQ(events[0].kind, EventKind::kControl);
        EXPECT_EQ(events[0].control, button.control);
        EXPECT_EQ(events[0].type, kLeftClick);
        EXPECT_EQ(events[0].command, 0);
    }
    // Typing into the search field (control 11, like command 11) is the
    // field's change, never the tools menu.
    SetWindowTextW(app_.window.search_field, L"note");
    const std::vector<Event> typed = take_events();
    ASSERT_EQ(typed.size(), 1u);
    EXPECT_EQ(typed[0].kind, EventKind::kControl);
    EXPECT_EQ(typed[0].control, kSearchField);
    EXPECT_EQ(typed[0].type, kTextChange);
    EXPECT_EQ(typed[0].command, 0);
}

TEST_F(MainWindow, TreeAndListNotificationsBecomeTheirEventNumbers) {
    struct Case {
        HWND from;
        UINT code;
        int control;
        int type;
    };
    HWND tree = app_.window.tree.window();
    HWND list = app_.window.list.window();
    for (const Case& c :
         {Case{tree, NM_CLICK, 1, 0}, Case{tree, NM_RCLICK, 1, 1}, Case{list, NM_CLICK, 3, 0},
          Case{list, NM_RCLICK, 3, 1}, Case{list, NM_DBLCLK, 3, 2}, Case{list, NM_RDBLCLK, 3, 3},
          Case{list, NM_RETURN, 3, 2}, Case{list, LVN_BEGINDRAG, 3, 14002}}) {
        NMLISTVIEW note{};
        note.hdr = {c.from, static_cast<UINT_PTR>(GetDlgCtrlID(c.from)), c.code};
        note.iItem = -1;
        SendMessageW(GetParent(c.from), WM_NOTIFY, note.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&note));
        const std::vector<Event> events = take_events();
        ASSERT_EQ(events.size(), 1u) << c.code;
        EXPECT_EQ(events[0].kind, EventKind::kControl);
        EXPECT_EQ(events[0].control, c.control);
        EXPECT_EQ(events[0].type, c.type);
    }
    // A tree double click is none of the tree's events.
    NMHDR other{tree, 1, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(GetParent(tree), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&other));
    EXPECT_TRUE(take_events().empty());
}

TEST_F(MainWindow, ASelectionChangeInTheListIsEvent768AndAnotherChangeIsNot) {
    write_file(app_.folders.own_menu + "Editor.lnk", "x");
    write_file(app_.folders.own_menu + "Notes.txt", "x");
    app_.window.list.set_text(app_.folders.own_menu);
    ASSERT_EQ(app_.window.list.row_count(), 2);
    take_events();

    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(app_.window.list.window(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    auto events = take_events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].control, kFileListControl);
    EXPECT_EQ(events[0].type, kSelectionChange);
    EXPECT_EQ(app_.window.list.state(), 1);

    // Rewriting a row's text is not a selection change.
    ListViewFileList(app_.window.list.window()).set_row_text(0, "Editor");
    EXPECT_TRUE(take_events().empty());
}

TEST_F(MainWindow, TheSmallerFormGivesUpTheBandAndTwoTogglesRestoreEveryRectangle) {
    const std::vector<Rect> full = control_rects(app_);
    const Size full_size = inner_size();
    RECT frame{};
    GetWindowRect(app_.main_window, &frame);

    make_window_smaller(app_);
    EXPECT_EQ(app_.settings.window_smaller, 1);
    EXPECT_EQ(inner_size(), (Size{877, 485}));
    EXPECT_EQ(control_rects(app_), layout_rects(main_layout(WindowForm::smaller), app_));
    EXPECT_EQ(rect_in_parent(app_.window.lower_toolbar).y, 330);
    EXPECT_EQ(rect_in_parent(app_.window.tree_container).height, 435);
    EXPECT_EQ(rect_in_parent(app_.window.size_button).y, 463);
    EXPECT_EQ(reinterpret_cast<HICON>(button_picture(app_.window.size_button)),
              app_.window.button_icons[kLargerImage].get());
    RECT small_frame{};
    GetWindowRect(app_.main_window, &small_frame);
    EXPECT_EQ(small_frame.left, frame.left);
    EXPECT_EQ(small_frame.top, frame.top);

    make_window_larger(app_);
    EXPECT_EQ(app_.settings.window_smaller, 0);
    EXPECT_EQ(inner_size(), full_size);
    EXPECT_EQ(control_rects(app_), full);
    EXPECT_EQ(reinterpret_cast<HICON>(button_picture(app_.window.size_button)),
              app_.window.button_icons[kSmallerImage].get());

    // And the other way round.
    make_window_smaller(app_);
    const std::vector<Rect> small = control_rects(app_);
    make_window_larger(app_);
    make_window_smaller(app_);
    EXPECT_EQ(control_rects(app_), small);
}

// Start-up builds the smaller form at once when the settings ask for it.
TEST_F(MainWindow, BuiltInTheSmallerFormItIsTheFullWindowMadeSmaller) {
    make_window_smaller(app_);
    const std::vector<Rect> expected = control_rects(app_);
    RECT expected_frame{};
    GetWindowRect(app_.main_window, &expected_frame);

    App built;
    built.folders = app_.folders;
    built.settings = app_.settings;
    built.view = app_.view;
    built.instance = app_.instance;
    built.clock = app_.clock;
    built.ui.fonts = create_fonts(desktop_dpi());
    load_embedded_images(built.ui, program_.get());
    ASSERT_TRUE(build_main_window(built, WindowForm::smaller));
    EXPECT_EQ(built.window.form, WindowForm::smaller);
    EXPECT_EQ(control_rects(built), expected);
    RECT frame{};
    GetWindowRect(built.main_window, &frame);
    EXPECT_EQ(frame.left, expected_frame.left);
    EXPECT_EQ(frame.top, expected_frame.top) << "centred as the full form, then made smaller";
    EXPECT_EQ(frame.bottom - frame.top, expected_frame.bottom - expected_frame.top);
    EXPECT_EQ(reinterpret_cast<HICON>(button_picture(built.window.size_button)),
              built.window.button_icons[kLargerImage].get());

    // The saved position is weighed against the full form's height: a top
    // half the full height above the usable bottom is refused.
    const int dpi = built.window.dpi;
    const int full_height = frame.bottom - frame.top +
                            main_layout(WindowForm::full, dpi).inner.height -
                            main_layout(WindowForm::smaller, dpi).inner.height;
    built.screen = ScreenArea{0, 0, 1920, 1000};
    built.saved_position = SavedPosition{std::nullopt, 1000 - full_height / 2};
    place_main_window(built);
    GetWindowRect(built.main_window, &frame);
    EXPECT_EQ(frame.top, expected_frame.top);
    built.saved_position = SavedPosition{std::nullopt, 1000 - full_height / 2 - 1};
    place_main_window(built);
    GetWindowRect(built.main_window, &frame);
    EXPECT_EQ(frame.top, 1000 - full_height / 2 - 1);
    DestroyWindow(built.main_window);
}

TEST_F(MainWindow, ANewResolutionLaysEverythingOutAgain) {
    auto change_dpi = [this](int dpi) {
        RECT frame{};
        GetWindowRect(app_.main_window, &frame);
        RECT suggested{frame.left, frame.top, frame.left + 1400, frame.top + 1000};
        SendMessageW(app_.main_window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };
    change_dpi(144);
    EXPECT_EQ(app_.window.dpi, 144);
    const MainLayout big = main_layout(WindowForm::full, 144);
    EXPECT_EQ(inner_size(), big.inner);
    EXPECT_EQ(control_rects(app_), layout_rects(big, app_));
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(app_.window.upper_images.get(), &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_LE(rect_in_parent(app_.window.upper_toolbar).right(), scale_length(kLeftStrip, 144));
    const auto upper = toolbar_buttons(app_.window.upper_toolbar);
    EXPECT_EQ(upper[1].rect.top, upper[0].rect.bottom);
    EXPECT_GE(upper[0].rect.bottom - upper[0].rect.top, 24);
    const auto search =
        image_from_icon(reinterpret_cast<HICON>(button_picture(app_.window.search_button)));
    ASSERT_TRUE(search);
    EXPECT_EQ(search->width, 24);
    EXPECT_GT(visible_pixels(reinterpret_cast<HICON>(button_picture(app_.window.search_button))),
              40);
    // The fonts follow the resolution's rule.
    LOGFONTW caption{};
    GetObjectW(app_.ui.fonts.font11.get(), sizeof(caption), &caption);
    EXPECT_EQ(caption.lfHeight, font_height_for_points(8, 144));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(app_.window.tree_caption, WM_GETFONT, 0, 0)),
              app_.ui.fonts.font11.get());

    make_window_smaller(app_);
    EXPECT_EQ(control_rects(app_), layout_rects(main_layout(WindowForm::smaller, 144), app_));
    change_dpi(96);
    EXPECT_EQ(inner_size(), (Size{877, 485}));
    EXPECT_EQ(control_rects(app_), layout_rects(main_layout(WindowForm::smaller), app_));
}

TEST_F(MainWindow, DisplayModeAndWindowSizeAreIndependentChoices) {
    const int window_smaller = app_.settings.window_smaller;
    show_list(app_);
    EXPECT_EQ(app_.settings.icon_format, 1);
    EXPECT_EQ(app_.settings.window_smaller, window_smaller);
    EXPECT_EQ(app_.window.list.display_mode(), kListMode);
    EXPECT_EQ(GetWindowLongPtrW(app_.window.list.window(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    // In list mode every entry is as wide as the list: one entry per line.
    RECT inner{};
    GetClientRect(app_.window.list.window(), &inner);
    EXPECT_EQ(SendMessageW(app_.window.list.window(), LVM_GETCOLUMNWIDTH, 0, 0), inner.right);
    EXPECT_GE(inner.right, 482 - GetSystemMetrics(SM_CXVSCROLL));

    make_window_smaller(app_);
    EXPECT_EQ(app_.window.list.display_mode(), kListMode);
    EXPECT_EQ(app_.settings.icon_format, 1);
    show_large_icons(app_);
    EXPECT_EQ(app_.settings.icon_format, 0);
    EXPECT_EQ(app_.window.list.display_mode(), kLargeIconMode);
    EXPECT_EQ(GetWindowLongPtrW(app_.window.list.window(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    EXPECT_EQ(app_.settings.window_smaller, 1);
}

TEST_F(MainWindow, InListModeEveryEntryTakesAWholeLine) {
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        write_file(app_.folders.own_menu + name, "x");
    app_.window.list.set_text(app_.folders.own_menu);
    show_list(app_);
    // The folder's entries, then rows from anywhere shown after the mode
    // was chosen: each a whole line.
    for (const bool rows : {false, true}) {
        SCOPED_TRACE(rows ? "rows" : "folder");
        if (rows) {
            app_.window.list.show_rows(
                std::vector<ListRow>{{app_.folders.own_menu + "a.lnk", "a", "there"},
                                     {app_.folders.own_menu + "b.lnk", "b", "there"}});
        }
        HWND list = app_.window.list.window();
        // Drawn, also for the first time: a list view measures its entries
        // afresh when it is first drawn.
        UpdateWindow(list);
        test::pump_messages();
        RECT first{LVIR_BOUNDS, 0, 0, 0};
        RECT second{LVIR_BOUNDS, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        EXPECT_EQ(second.left, first.left);
        EXPECT_GT(second.top, first.top);
        EXPECT_GE(first.right - first.left, 482 - GetSystemMetrics(SM_CXVSCROLL));
        // No horizontal scroll bar for a single column of entries.
        EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL);
    }
}

// The selected folder stays plainly visible while another control has the
// keyboard: its highlight stands out from the tree's background.
TEST_F(MainWindow, TheSelectedFolderStaysVisibleWhenTheTreeHasNoFocus) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    FolderTree& tree = app_.window.tree;
    tree.select(2);
    SetFocus(app_.window.search_field);
    ASSERT_NE(GetFocus(), tree.window());
    RedrawWindow(app_.main_window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::pump_messages();
    EXPECT_TRUE(test::save_artifact_screenshot(app_.main_window, "tree_selection_without_focus"));

    RECT text_box{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.window(), tree.item_handle(2), &text_box, TRUE));
    const auto screen = test::capture_screen(tree.window());
    ASSERT_TRUE(screen);
    // The tree's own background, and the most common colour inside the item's
    // text box (its highlight; the letters are few pixels).
    // The capture starts at the window's outer corner, the text box at its
    // inner one.
    RECT outer{};
    GetWindowRect(tree.window(), &outer);
    POINT inner{0, 0};
    ClientToScreen(tree.window(), &inner);
    const int dx = inner.x - outer.left;
    const int dy = inner.y - outer.top;
    const auto pixel = [&](int x, int y) {
        const std::size_t at =
            (static_cast<std::size_t>(y + dy) * screen->width + static_cast<std::size_t>(x + dx)) *
            4;
        return std::array<int, 3>{screen->rgba[at], screen->rgba[at + 1], screen->rgba[at + 2]};
    };
    const std::array<int, 3> background = pixel(screen->width - 30, screen->height - 30);
    EXPECT_EQ(background, (std::array<int, 3>{250, 250, 250}));
    std::map<std::array<int, 3>, int> counts;
    for (int y = text_box.top + 1; y < text_box.bottom - 1; ++y) {
        for (int x = text_box.left + 1; x < text_box.right - 1; ++x)
            ++counts[pixel(x, y)];
    }
    ASSERT_FALSE(counts.empty());
    const auto highlight =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    int difference = 0;
    for (int c = 0; c < 3; ++c)
        difference += std::abs(highlight[c] - background[c]);
    EXPECT_GE(difference, 60) << "highlight " << highlight[0] << "," << highlight[1] << ","
                              << highlight[2];
}

}  // namespace
}  // namespace trevalon
