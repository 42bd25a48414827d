// The settings window's controls as data and the mapping between the settings
// and the controls' states.
#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace trevalon {
namespace {

namespace control = settings_control;

const SettingsControl* find_control(int number) {
    const auto controls = settings_controls();
    const auto found =
        std::find_if(controls.begin(), controls.end(),
                     [number](const SettingsControl& c) { return c.number == number; });
    return found == controls.end() ? nullptr : &*found;
}

TEST(SettingsForm, EveryControlIsThereOnceInCreationOrderAndFitsItsParent) {
    const auto controls = settings_controls();
    ASSERT_EQ(controls.size(), 37u);
    EXPECT_EQ(controls.front().number, control::kTabPanel);
    EXPECT_EQ(controls.back().number, control::kConfirm);
    std::set<int> numbers;
    int last_tab = 0;
    for (const SettingsControl& c : controls) {
        EXPECT_TRUE(numbers.insert(c.number).second) << c.number;
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
    EXPECT_EQ(numbers.size(), 37u);
    for (int number = 15; number <= 51; ++number)
        EXPECT_TRUE(numbers.count(number)) << number;
    EXPECT_EQ(settings_tab_text_keys().size(), 3u);
}

TEST(SettingsForm, ControlsSitOnTheirTabsAtTheirPlaces) {
    const auto* autostart = find_control(control::kAutostart);
    ASSERT_TRUE(autostart);
    EXPECT_EQ(autostart->tab, 0);
    EXPECT_EQ(autostart->rect.y, 38);
    EXPECT_EQ(autostart->text_key, "TXT00143");
    const auto* spin = find_control(control::kKeepDays);
    ASSERT_TRUE(spin);
    EXPECT_EQ(spin->tab, 1);
    EXPECT_EQ(spin->kind, SettingsControlKind::kSpinField);
    const auto* swipe = find_control(control::kEdgeSwipe);
    ASSERT_TRUE(swipe);
    EXPECT_EQ(swipe->tab, 2);
    EXPECT_EQ(swipe->rect.x, 310);
    EXPECT_TRUE(swipe->text_key.empty());
    for (const auto& [number, picture] :
         {std::pair{42, 40}, std::pair{43, 41}, std::pair{46, 42}}) {
        const auto* c = find_control(number);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->kind, SettingsControlKind::kPicture);
        EXPECT_EQ(c->picture, picture);
    }
    const auto* confirm = find_control(control::kConfirm);
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirm->tab, kOutsideThePanel);
    EXPECT_EQ(confirm->rect.x, 425);
    EXPECT_EQ(confirm->rect.y, 430);
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
    form = form_from_settings(settings);
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
    EXPECT_EQ(settings, expected);

    // No hotkey is written as an empty value and shown as none again.
    form.hotkey = Hotkey{};
    apply_form(settings, form, "C:\\Data\\My Menu\\");
    EXPECT_EQ(settings.hotkey, "");
    EXPECT_TRUE(form_from_settings(settings).hotkey.none());
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
