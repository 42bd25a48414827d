// The settings window as data: its controls with their numbers, kinds, tabs,
// positions and texts, and the mapping between the settings record and what
// the controls show. The window itself (settings_window_win.h) only creates
// and reads controls by these rows.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace trevalon {

// Control numbers of the settings window.
namespace settings_control {
inline constexpr int kTabPanel = 15;
inline constexpr int kAutostart = 17;
inline constexpr int kStartOwnMenu = 19;
inline constexpr int kStartWindowsMenu = 20;
inline constexpr int kStartLastMenu = 21;
inline constexpr int kOwnMenuField = 23;
inline constexpr int kChooseFolder = 24;
inline constexpr int kDefaultFolder = 25;
inline constexpr int kCloseToTabBar = 27;
inline constexpr int kKeepDays = 29;
inline constexpr int kDoubleClick = 32;
inline constexpr int kSearchRecent = 34;
inline constexpr int kInternet = 36;
inline constexpr int kEdgeRest = 38;
inline constexpr int kEdgeSwipe = 39;
inline constexpr int kPinProgram = 45;
inline constexpr int kConfirm = 47;
inline constexpr int kHotkeyField = 50;
inline constexpr int kWindowsKey = 51;
inline constexpr int kThemeSystemOption = 53;
inline constexpr int kThemeLightOption = 54;
inline constexpr int kThemeDarkOption = 55;
}  // namespace settings_control

// Inner size of the window.
inline constexpr int kSettingsWindowWidth = 630;
inline constexpr int kSettingsWindowHeight = 470;

// The spin field's range.
inline constexpr int kKeepDaysMin = 0;
inline constexpr int kKeepDaysMax = 999;

enum class SettingsControlKind {
    kTabPanel,
    kFrame,
    kCheckBox,
    kOptionButton,
    kReadOnlyField,
    kButton,
    kSpinField,
    kHotkeyField,
    kLabel,
    kPicture,
};

struct ControlRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kOutsideThePanel = -1;

struct SettingsControl {
    int number;
    SettingsControlKind kind;
    int tab;                    // 0-3: on that tab of the panel; kOutsideThePanel: on the window
    ControlRect rect;           // inside its parent (the panel, or the window)
    std::string_view text_key;  // empty: no text
    int picture = -1;           // image number of a picture
};

// Every control in the order it is created: the panel, the four tabs'
// controls, the confirm button.
std::span<const SettingsControl> settings_controls();

// The tabs' captions, in tab order.
std::span<const std::string_view> settings_tab_text_keys();

// Whether an option button is the first of its group: the arrows move
// within a group, Tab reaches it at its first button.
bool starts_option_group(int number);

// The controls Tab stops at on tab `tab`, in order: the tab row, the tab's
// controls that take the focus (of a group of option buttons only the chosen
// one, or its first when `chosen` says none is), then the controls below the
// panel. Shift+Tab goes the other way; both go round.
std::vector<int> settings_tab_stops(int tab, const std::function<bool(int)>& chosen);

// A rectangle scaled from 96 dpi to the given resolution.
ControlRect scale_rect(ControlRect rect, int dpi);

// What the controls show.
struct SettingsForm {
    bool autostart = false;          // 17
    int menu_on_start = 0;           // 19, 20 or 21 selected: 0, 1, 2
    std::string own_menu;            // 23
    bool close_to_tab_bar = true;    // 27
    int keep_days = 14;              // 29
    bool search_recent = true;       // 34
    bool double_click = false;       // 32
    bool internet = true;            // 36
    bool edge_rest = true;           // 38
    bool edge_swipe = false;         // 39
    Hotkey hotkey = kDefaultHotkey;  // 50
    bool windows_key = false;        // 51
    int theme = 0;                   // 53, 54 or 55 selected: 0, 1, 2
};

// The controls' states for the settings. Each check box shows whether its
// setting has the effect it stands for (LoadOnWindowsStart above 0, ...);
// a day count outside the spin field's range is shown at the nearest end.
SettingsForm form_from_settings(const Settings& settings);

// Takes the settings the window edits from the controls; MenuTypeActive,
// IconFormat and WindowSmaller stay. An empty folder field (a MyOwnMenu that was empty) gives the
// default own-menu folder, never an empty menu root.
void apply_form(Settings& settings, const SettingsForm& form, std::string_view own_menu_folder);

// The coupling of the two screen-edge check boxes after `changed` was
// clicked: unchecking 38 unchecks 39, checking 39 checks 38, so the swipe is
// never on without the rest trigger.
void couple_edge_checks(SettingsForm& form, int changed);

}  // namespace trevalon
