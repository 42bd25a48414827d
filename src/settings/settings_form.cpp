#include "settings/settings_form.h"

#include <algorithm>
#include <array>

namespace trevalon {
namespace {

using Kind = SettingsControlKind;
namespace control = settings_control;

constexpr int kWindow = kOutsideThePanel;

constexpr std::array kControls{
    SettingsControl{control::kTabPanel, Kind::kTabPanel, kWindow, {10, 10, 610, 410}, {}},
    // General
    SettingsControl{16, Kind::kFrame, 0, {10, 20, 580, 50}, "TXT00142"},
    SettingsControl{control::kAutostart, Kind::kCheckBox, 0, {20, 38, 560, 25}, "TXT00143"},
    SettingsControl{18, Kind::kFrame, 0, {10, 88, 580, 90}, "TXT00144"},
    SettingsControl{control::kStartOwnMenu, Kind::kOptionButton, 0, {20, 110, 560, 17}, "TXT00145"},
    SettingsControl{
        control::kStartWindowsMenu, Kind::kOptionButton, 0, {20, 130, 560, 17}, "TXT00146"},
    SettingsControl{
        control::kStartLastMenu, Kind::kOptionButton, 0, {20, 150, 560, 17}, "TXT00147"},
    SettingsControl{22, Kind::kFrame, 0, {10, 198, 580, 90}, "TXT00148"},
    SettingsControl{
        control::kOwnMenuField, Kind::kReadOnlyField, 0, {20, 220, 560, 20}, "TXT00149"},
    SettingsControl{control::kChooseFolder, Kind::kButton, 0, {20, 250, 180, 25}, "TXT00150"},
    SettingsControl{control::kDefaultFolder, Kind::kButton, 0, {220, 250, 170, 25}, "TXT00151"},
    SettingsControl{26, Kind::kFrame, 0, {10, 308, 580, 50}, "TXT00152"},
    SettingsControl{control::kCloseToTabBar, Kind::kCheckBox, 0, {20, 328, 560, 25}, "TXT00153"},
    // Behaviour
    SettingsControl{28, Kind::kFrame, 1, {10, 20, 580, 60}, "TXT00155"},
    SettingsControl{control::kKeepDays, Kind::kSpinField, 1, {20, 45, 60, 22}, {}},
    SettingsControl{30, Kind::kLabel, 1, {90, 48, 490, 20}, "TXT00156"},
    SettingsControl{33, Kind::kFrame, 1, {10, 90, 580, 50}, "TXT00157"},
    SettingsControl{control::kSearchRecent, Kind::kCheckBox, 1, {20, 110, 560, 25}, "TXT00158"},
    SettingsControl{31, Kind::kFrame, 1, {10, 150, 580, 50}, "TXT00167"},
    SettingsControl{control::kDoubleClick, Kind::kCheckBox, 1, {20, 170, 560, 25}, "TXT00168"},
    SettingsControl{35, Kind::kFrame, 1, {10, 210, 580, 50}, "TXT00169"},
    SettingsControl{control::kInternet, Kind::kCheckBox, 1, {20, 230, 560, 25}, "TXT00169a"},
    SettingsControl{48, Kind::kFrame, 1, {10, 270, 580, 90}, "TXT00350"},
    SettingsControl{49, Kind::kLabel, 1, {20, 294, 260, 20}, "TXT00351"},
    SettingsControl{control::kHotkeyField, Kind::kHotkeyField, 1, {290, 290, 290, 22}, {}},
    SettingsControl{control::kWindowsKey, Kind::kCheckBox, 1, {20, 325, 560, 25}, "TXT00352"},
    // Screen edge and taskbar
    SettingsControl{37, Kind::kFrame, 2, {10, 20, 580, 230}, "TXT00160"},
    SettingsControl{control::kEdgeRest, Kind::kCheckBox, 2, {20, 38, 17, 25}, {}},
    SettingsControl{40, Kind::kLabel, 2, {38, 43, 250, 32}, "TXT00161"},
    SettingsControl{control::kEdgeSwipe, Kind::kCheckBox, 2, {310, 38, 17, 25}, {}},
    SettingsControl{41, Kind::kLabel, 2, {328, 43, 250, 32}, "TXT00162"},
    SettingsControl{42, Kind::kPicture, 2, {20, 80, 270, 160}, {}, 40},
    SettingsControl{43, Kind::kPicture, 2, {310, 80, 270, 160}, {}, 41},
    SettingsControl{44, Kind::kFrame, 2, {10, 265, 580, 105}, "TXT00163"},
    SettingsControl{control::kPinProgram, Kind::kButton, 2, {20, 290, 270, 25}, "TXT00164"},
    SettingsControl{46, Kind::kPicture, 2, {310, 290, 270, 70}, {}, 42},
    // Appearance
    SettingsControl{52, Kind::kFrame, 3, {10, 20, 580, 115}, "TXT00372"},
    SettingsControl{
        control::kThemeSystemOption, Kind::kOptionButton, 3, {20, 45, 560, 20}, "TXT00373"},
    SettingsControl{
        control::kThemeLightOption, Kind::kOptionButton, 3, {20, 72, 560, 20}, "TXT00374"},
    SettingsControl{
        control::kThemeDarkOption, Kind::kOptionButton, 3, {20, 99, 560, 20}, "TXT00375"},
    SettingsControl{56, Kind::kLabel, 3, {10, 150, 580, 40}, "TXT00376"},
    // Below the panel
    SettingsControl{control::kConfirm, Kind::kButton, kWindow, {425, 430, 180, 25}, "TXT00165"},
};

constexpr std::array<std::string_view, 4> kTabTextKeys{"TXT00141", "TXT00154", "TXT00159",
                                                       "TXT00371"};

int scale(int value, int dpi) {
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = 48;
    return static_cast<int>(product >= 0 ? (product + half) / 96 : (product - half) / 96);
}

}  // namespace

std::span<const SettingsControl> settings_controls() {
    return kControls;
}

std::span<const std::string_view> settings_tab_text_keys() {
    return kTabTextKeys;
}

bool starts_option_group(int number) {
    return number == control::kStartOwnMenu || number == control::kThemeSystemOption;
}

namespace {

bool takes_focus(SettingsControlKind kind) {
    switch (kind) {
        case Kind::kCheckBox:
        case Kind::kOptionButton:
        case Kind::kReadOnlyField:
        case Kind::kButton:
        case Kind::kSpinField:
        case Kind::kHotkeyField:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::vector<int> settings_tab_stops(int tab, const std::function<bool(int)>& chosen) {
    std::vector<int> stops{control::kTabPanel};
    std::vector<int> below;
    std::vector<int> group;  // the option buttons of the group being read
    const auto end_group = [&] {
        if (group.empty())
            return;
        const auto picked = std::find_if(group.begin(), group.end(), chosen);
        stops.push_back(picked != group.end() ? *picked : group.front());
        group.clear();
    };
    for (const SettingsControl& c : kControls) {
        if (c.kind == Kind::kOptionButton && c.tab == tab) {
            if (starts_option_group(c.number))
                end_group();
            group.push_back(c.number);
            continue;
        }
        end_group();
        if (!takes_focus(c.kind))
            continue;
        if (c.tab == kWindow)
            below.push_back(c.number);
        else if (c.tab == tab)
            stops.push_back(c.number);
    }
    end_group();
    stops.insert(stops.end(), below.begin(), below.end());
    return stops;
}

ControlRect scale_rect(ControlRect rect, int dpi) {
    if (dpi <= 0)
        return rect;
    return ControlRect{scale(rect.x, dpi), scale(rect.y, dpi), scale(rect.width, dpi),
                       scale(rect.height, dpi)};
}

SettingsForm form_from_settings(const Settings& settings) {
    SettingsForm form;
    form.autostart = settings.load_on_windows_start > 0;
    form.menu_on_start = settings.menu_on_program_start == 0   ? 0
                         : settings.menu_on_program_start == 1 ? 1
                                                               : 2;
    form.own_menu = settings.my_own_menu;
    form.close_to_tab_bar = settings.window_close_to_tab_bar >= 1;
    form.keep_days = std::clamp(settings.keep_recent_objects_days, kKeepDaysMin, kKeepDaysMax);
    form.search_recent = settings.search_recent_documents > 0;
    form.double_click = settings.explorer_list_click_event == 2;
    form.internet = settings.allow_internet_access != 0;
    form.edge_rest = settings.mouse_cursor_vertical != 0;
    form.edge_swipe = settings.mouse_cursor_horizontal != 0;
    form.hotkey = hotkey_setting(settings.hotkey);
    form.windows_key = settings.windows_key_alone != 0;
    form.theme = settings.theme == kThemeLight || settings.theme == kThemeDark
                     ? settings.theme
                     : kThemeFollowsSystem;
    return form;
}

void apply_form(Settings& settings, const SettingsForm& form, std::string_view own_menu_folder) {
    settings.load_on_windows_start = form.autostart ? 1 : 0;
    settings.menu_on_program_start = std::clamp(form.menu_on_start, 0, 2);
    settings.my_own_menu = form.own_menu.empty() ? std::string(own_menu_folder) : form.own_menu;
    settings.window_close_to_tab_bar = form.close_to_tab_bar ? 1 : 0;
    settings.keep_recent_objects_days = std::clamp(form.keep_days, kKeepDaysMin, kKeepDaysMax);
    settings.search_recent_documents = form.search_recent ? 1 : 0;
    settings.allow_internet_access = form.internet ? 1 : 0;
    settings.explorer_list_click_event = form.double_click ? 2 : 0;
    settings.mouse_cursor_vertical = form.edge_rest ? 1 : 0;
    settings.mouse_cursor_horizontal = form.edge_swipe ? 1 : 0;
    settings.hotkey = format_hotkey(form.hotkey);
    settings.windows_key_alone = form.windows_key ? 1 : 0;
    settings.theme = std::clamp(form.theme, kThemeFollowsSystem, kThemeDark);
}

void couple_edge_checks(SettingsForm& form, int changed) {
    if (changed == settings_control::kEdgeRest && !form.edge_rest)
        form.edge_swipe = false;
    if (changed == settings_control::kEdgeSwipe && form.edge_swipe)
        form.edge_rest = true;
}

}  // namespace trevalon
