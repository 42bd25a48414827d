// The settings window's controls as data and the mapping between the settings
// and the controls' states.
#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

namespace trevalon {
namespace {

namespace control = settings_control;

using Kind = SettingsControlKind;

// The window's controls as its description lists them, in creation order:
// number, kind, tab (-1: on the window), place, text key, picture.
struct ExpectedControl {
    int number;
    Kind kind;
    int tab;
    int x, y, width, height;
    const char* text_key;
    int picture = -1;
};

const std::vector<ExpectedControl>& expected_controls() {
    static const std::vector<ExpectedControl> controls{
        {15, Kind::kTabPanel, -1, 10, 10, 610, 410, ""},
        {16, Kind::kFrame, 0, 10, 20, 580, 50, "TXT00142"},
        {17, Kind::kCheckBox, 0, 20, 38, 560, 25, "TXT00143"},
        {18, Kind::kFrame, 0, 10, 88, 580, 90, "TXT00144"},
        {19, Kind::kOptionButton, 0, 20, 110, 560, 17, "TXT00145"},
        {20, Kind::kOptionButton, 0, 20, 130, 560, 17, "TXT00146"},
        {21, Kind::kOptionButton, 0, 20, 150, 560, 17, "TXT00147"},
        {22, Kind::kFrame, 0, 10, 198, 580, 90, "TXT00148"},
        {23, Kind::kReadOnlyField, 0, 20, 220, 560, 20, "TXT00149"},
        {24, Kind::kButton, 0, 20, 250, 180, 25, "TXT00150"},
        {25, Kind::kButton, 0, 220, 250, 170, 25, "TXT00151"},
        {26, Kind::kFrame, 0, 10, 308, 580, 50, "TXT00152"},
        {27, Kind::kCheckBox, 0, 20, 328, 560, 25, "TXT00153"},
        {28, Kind::kFrame, 1, 10, 20, 580, 60, "TXT00155"},
        {29, Kind::kSpinField, 1, 20, 45, 60, 22, ""},
        {30, Kind::kLabel, 1, 90, 48, 490, 20, "TXT00156"},
        {33, Kind::kFrame, 1, 10, 90, 580, 50, "TXT00157"},
        {34, Kind::kCheckBox, 1, 20, 110, 560, 25, "TXT00158"},
        {31, Kind::kFrame, 1, 10, 150, 580, 50, "TXT00167"},
        {32, Kind::kCheckBox, 1, 20, 170, 560, 25, "TXT00168"},
        {35, Kind::kFrame, 1, 10, 210, 580, 50, "TXT00169"},
        {36, Kind::kCheckBox, 1, 20, 230, 560, 25, "TXT00169a"},
        {37, Kind::kFrame, 2, 10, 20, 580, 230, "TXT00160"},
        {38, Kind::kCheckBox, 2, 20, 38, 17, 25, ""},
        {40, Kind::kLabel, 2, 38, 43, 250, 32, "TXT00161"},
        {39, Kind::kCheckBox, 2, 310, 38, 17, 25, ""},
        {41, Kind::kLabel, 2, 328, 43, 250, 32, "TXT00162"},
        {42, Kind::kPicture, 2, 20, 80, 270, 160, "", 40},
        {43, Kind::kPicture, 2, 310, 80, 270, 160, "", 41},
        {44, Kind::kFrame, 2, 10, 265, 580, 105, "TXT00163"},
        {45, Kind::kButton, 2, 20, 290, 270, 25, "TXT00164"},
        {46, Kind::kPicture, 2, 310, 290, 270, 70, "", 42},
        {47, Kind::kButton, -1, 425, 430, 180, 25, "TXT00165"},
    };
    return controls;
}

// Every described control is there once, as described and in the described
// order. Controls added later are allowed, but only under numbers of their own.
TEST(SettingsForm, EveryControlIsThereAsDescribedInCreationOrder) {
    const auto controls = settings_controls();
    std::set<int> numbers;
    for (const SettingsControl& c : controls)
        EXPECT_TRUE(numbers.insert(c.number).second) << "twice: " << c.number;
    std::size_t position = 0;
    for (const ExpectedControl& want : expected_controls()) {
        const auto found =
            std::find_if(controls.begin() + static_cast<std::ptrdiff_t>(position), controls.end(),
                         [&](const SettingsControl& c) { return c.number == want.number; });
        ASSERT_NE(found, controls.end()) << "missing or out of order: " << want.number;
        position = static_cast<std::size_t>(found - controls.begin()) + 1;
        const SettingsControl& c = *found;
        EXPECT_EQ(c.kind, want.kind) << want.number;
        EXPECT_EQ(c.tab, want.tab) << want.number;
        EXPECT_EQ(c.rect.x, want.x) << want.number;
        EXPECT_EQ(c.rect.y, want.y) << want.number;
        EXPECT_EQ(c.rect.width, want.width) << want.number;
        EXPECT_EQ(c.rect.height, want.height) << want.number;
        EXPECT_EQ(c.text_key, want.text_key) << want.number;
        EXPECT_EQ(c.picture, want.picture) << want.number;
    }
    for (const SettingsControl& c : controls) {
        const bool described =
            std::any_of(expected_controls().begin(), expected_controls().end(),
                        [&](const ExpectedControl& want) { return want.number == c.number; });
        if (!described) {
            EXPECT_TRUE(c.number < 15 || c.number > 47)
                << c.number << " is a number the description gives to no control";
        }
    }
    // The three described tabs, then the appearance tab added later.
    EXPECT_EQ(std::vector<std::string_view>(settings_tab_text_keys().begin(),
                                            settings_tab_text_keys().end()),
              (std::vector<std::string_view>{"TXT00141", "TXT00154", "TXT00159", "TXT00371"}));
}

TEST(SettingsForm, EveryControlFitsItsParent) {
    int last_tab = 0;
    for (const SettingsControl& c : settings_controls()) {
        if (c.tab == kOutsideThePanel) {
            EXPECT_LE(c.rect.x + c.rect.width, kSettingsWindowWidth) << c.number;
            EXPECT_LE(c.rect.y + c.rect.height, kSettingsWindowHeight) << c.number;
            continue;
        }
        // The tabs' controls come tab by tab, inside the 610 × 410 panel.
        EXPECT_GE(c.tab, last_tab) << c.number;
        last_tab = c.tab;
        EXPECT_LE(c.rect.x + c.rect.width, 610) << c.number;
        EXPECT_LE(c.rect.y + c.rect.height, 410) << c.number;
    }
    // With the keyboard and appearance rows that were added under numbers
    // of their own.
    std::set<int> numbers;
    for (const SettingsControl& c : settings_controls())
        numbers.insert(c.number);
    EXPECT_EQ(numbers.size(), 42u);
    for (int number = 15; number <= 56; ++number)
        EXPECT_TRUE(numbers.count(number)) << number;
}

TEST(SettingsForm, RectanglesScaleWithTheResolution) {
    const ControlRect rect{425, 430, 180, 25};
    EXPECT_EQ(scale_rect(rect, 96).x, 425);
    const ControlRect large = scale_rect(rect, 144);
    EXPECT_EQ(large.x, 638);  // 637.5 rounds up
    EXPECT_EQ(large.y, 645);
    EXPECT_EQ(large.width, 270);
    EXPECT_EQ(large.height, 38);                      // 37.5
    EXPECT_EQ(scale_rect({-3, 0, 0, 0}, 144).x, -5);  // -4.5 rounds away from zero
    EXPECT_EQ(scale_rect(rect, 0).x, 425);            // no resolution: unscaled
}

TEST(SettingsForm, TheControlsShowWhatEachSettingMeans) {
    Settings settings = default_settings("C:\\Data\\My Menu\\");
    SettingsForm form = form_from_settings(settings);
    EXPECT_FALSE(form.autostart);
    EXPECT_EQ(form.menu_on_start, 0);
    EXPECT_EQ(form.own_menu, "C:\\Data\\My Menu\\");
    EXPECT_TRUE(form.close_to_tab_bar);
    EXPECT_EQ(form.keep_days, 14);
    EXPECT_TRUE(form.search_recent);
    EXPECT_FALSE(form.double_click);
    EXPECT_TRUE(form.internet);
    EXPECT_TRUE(form.edge_rest);
    EXPECT_FALSE(form.edge_swipe);
    EXPECT_EQ(form.hotkey, kDefaultHotkey);
    EXPECT_FALSE(form.windows_key);
    EXPECT_EQ(form.theme, kThemeFollowsSystem);

    // Values the file may hold beyond the ones the window writes.
    settings.load_on_windows_start = -1;  // no autostart entry exists for it
    settings.menu_on_program_start = 7;   // neither 0 nor 1: the last menu
    settings.window_close_to_tab_bar = 0;
    settings.keep_recent_objects_days = 5000;
    settings.search_recent_documents = -2;
    settings.explorer_list_click_event = 1;  // only 2 means double click
    settings.allow_internet_access = -5;
    settings.mouse_cursor_horizontal = 3;
    settings.hotkey = "Ctrl+";  // damaged: the default
    settings.windows_key_alone = -1;
    settings.theme = 7;  // no such choice: following the system
    form = form_from_settings(settings);
    EXPECT_EQ(form.theme, kThemeFollowsSystem);
    EXPECT_EQ(form.hotkey, kDefaultHotkey);
    EXPECT_TRUE(form.windows_key);
    EXPECT_FALSE(form.autostart);
    EXPECT_EQ(form.menu_on_start, 2);
    EXPECT_FALSE(form.close_to_tab_bar);
    EXPECT_EQ(form.keep_days, 999);
    EXPECT_FALSE(form.search_recent);
    EXPECT_FALSE(form.double_click);
    EXPECT_TRUE(form.internet);
    EXPECT_TRUE(form.edge_swipe);
    settings.keep_recent_objects_days = -4;
    settings.menu_on_program_start = 1;
    settings.explorer_list_click_event = 2;
    form = form_from_settings(settings);
    EXPECT_EQ(form.keep_days, 0);
    EXPECT_EQ(form.menu_on_start, 1);
    EXPECT_TRUE(form.double_click);
}

TEST(SettingsForm, ApplyTakesTheEditedSettingsAndLeavesTheOtherThree) {
    Settings settings = default_settings("C:\\Data\\My Menu\\");
    settings.menu_type_active = "w";
    settings.icon_format = 1;
    settings.window_smaller = 0;
    SettingsForm form;
    form.autostart = true;
    form.menu_on_start = 1;
    form.own_menu = "D:\\Menu\\";
    form.close_to_tab_bar = false;
    form.keep_days = 30;
    form.search_recent = false;
    form.double_click = true;
    form.internet = false;
    form.edge_rest = false;
    form.edge_swipe = false;
    form.hotkey = Hotkey{'K', kHotkeyCtrl | kHotkeyShift};
    form.windows_key = true;
    form.theme = kThemeDark;
    apply_form(settings, form, "C:\\Data\\My Menu\\");

    Settings expected = default_settings("D:\\Menu\\");
    expected.menu_type_active = "w";
    expected.icon_format = 1;
    expected.window_smaller = 0;
    expected.load_on_windows_start = 1;
    expected.menu_on_program_start = 1;
    expected.window_close_to_tab_bar = 0;
    expected.keep_recent_objects_days = 30;
    expected.search_recent_documents = 0;
    expected.explorer_list_click_event = 2;
    expected.allow_internet_access = 0;
    expected.mouse_cursor_vertical = 0;
    expected.mouse_cursor_horizontal = 0;
    expected.hotkey = "Ctrl+Shift+K";
    expected.windows_key_alone = 1;
    expected.theme = kThemeDark;
    EXPECT_EQ(settings, expected);

    // No hotkey is written as an empty value and shown as none again.
    form.hotkey = Hotkey{};
    apply_form(settings, form, "C:\\Data\\My Menu\\");
    EXPECT_EQ(settings.hotkey, "");
    EXPECT_TRUE(form_from_settings(settings).hotkey.none());
}

TEST(SettingsForm, EachThemeChoiceComesBackAsChosen) {
    for (const int theme : {kThemeFollowsSystem, kThemeLight, kThemeDark}) {
        Settings settings = default_settings("C:\\Data\\My Menu\\");
        SettingsForm form = form_from_settings(settings);
        form.theme = theme;
        apply_form(settings, form, "C:\\Data\\My Menu\\");
        EXPECT_EQ(settings.theme, theme);
        EXPECT_EQ(form_from_settings(settings).theme, theme);
    }
}

// Each group of option buttons stands together on one tab and only its
// first button starts a group: otherwise the arrows would run from one
// choice into another, or Tab would stop at every button.
TEST(SettingsForm, OptionButtonsFormOneGroupPerChoice) {
    std::vector<std::vector<int>> groups;
    int previous_kind_tab = -2;
    bool previous_was_option = false;
    for (const SettingsControl& c : settings_controls()) {
        const bool option = c.kind == SettingsControlKind::kOptionButton;
        if (option) {
            EXPECT_EQ(starts_option_group(c.number),
                      !previous_was_option || c.tab != previous_kind_tab)
                << c.number;
            if (starts_option_group(c.number))
                groups.emplace_back();
            ASSERT_FALSE(groups.empty()) << c.number;
            groups.back().push_back(c.number);
        }
        previous_was_option = option;
        previous_kind_tab = c.tab;
    }
    EXPECT_EQ(groups, (std::vector<std::vector<int>>{{19, 20, 21}, {53, 54, 55}}));
}

// Tab visits the tab row, the shown tab's controls (one stop per group of
// option buttons: the chosen one) and the confirm button, never a control
// of a hidden tab, a frame, a label or a picture.
TEST(SettingsForm, TabStopsAreTheShownTabsControlsBetweenTheTabRowAndTheConfirmButton) {
    const auto chosen = [](int number) { return number == 20 || number == 55; };
    EXPECT_EQ(settings_tab_stops(0, chosen), (std::vector<int>{15, 17, 20, 23, 24, 25, 27, 47}));
    EXPECT_EQ(settings_tab_stops(1, chosen), (std::vector<int>{15, 29, 34, 32, 36, 50, 51, 47}));
    EXPECT_EQ(settings_tab_stops(2, chosen), (std::vector<int>{15, 38, 39, 45, 47}));
    EXPECT_EQ(settings_tab_stops(3, chosen), (std::vector<int>{15, 55, 47}));
    // No option chosen: the group's first.
    const auto none = [](int) { return false; };
    EXPECT_EQ(settings_tab_stops(0, none)[2], 19);
    EXPECT_EQ(settings_tab_stops(3, none), (std::vector<int>{15, 53, 47}));
    // A tab that does not exist: the tab row and the confirm button.
    EXPECT_EQ(settings_tab_stops(9, none), (std::vector<int>{15, 47}));
}

TEST(SettingsForm, AnEmptyFolderFieldGivesTheDefaultFolderNotAnEmptyRoot) {
    Settings settings = default_settings("C:\\Data\\My Menu\\");
    SettingsForm form = form_from_settings(settings);
    form.own_menu.clear();
    apply_form(settings, form, "C:\\Data\\My Menu\\");
    EXPECT_EQ(settings.my_own_menu, "C:\\Data\\My Menu\\");
}

TEST(SettingsForm, TheSwipeIsNeverOnWithoutTheRestTrigger) {
    SettingsForm form;
    form.edge_rest = false;
    form.edge_swipe = true;
    couple_edge_checks(form, control::kEdgeSwipe);
    EXPECT_TRUE(form.edge_rest);

    couple_edge_checks(form, control::kEdgeRest);  // still checked: nothing changes
    EXPECT_TRUE(form.edge_swipe);
    form.edge_rest = false;
    couple_edge_checks(form, control::kEdgeRest);
    EXPECT_FALSE(form.edge_swipe);

    // Unchecking 39 leaves 38; checking 38 leaves 39.
    form.edge_rest = true;
    couple_edge_checks(form, control::kEdgeRest);
    EXPECT_FALSE(form.edge_swipe);
    form.edge_swipe = false;
    couple_edge_checks(form, control::kEdgeSwipe);
    EXPECT_TRUE(form.edge_rest);
    // Other controls never touch the pair.
    form.edge_rest = false;
    form.edge_swipe = true;
    couple_edge_checks(form, control::kAutostart);
    EXPECT_FALSE(form.edge_rest);
    EXPECT_TRUE(form.edge_swipe);
}

}  // namespace
}  // namespace trevalon
