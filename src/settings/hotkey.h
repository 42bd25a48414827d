// The global hotkey as the settings file writes it: modifiers and a key
// joined by "+", such as "Ctrl+Alt+Space"; empty for none.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// Modifier flags of a hotkey (the values RegisterHotKey takes).
inline constexpr unsigned kHotkeyAlt = 1;
inline constexpr unsigned kHotkeyCtrl = 2;
inline constexpr unsigned kHotkeyShift = 4;
inline constexpr unsigned kHotkeyWin = 8;

struct Hotkey {
    int key = 0;  // virtual-key code; 0: no hotkey
    unsigned modifiers = 0;

    bool none() const { return key == 0; }
    bool operator==(const Hotkey&) const = default;
};

// Ctrl+Alt+Space (kDefaultHotkey written out): Windows claims Win with almost every key, Alt+Space
// (the window menu), Ctrl+Space and Win+Space (input languages) and Ctrl+Shift+Esc, but no Ctrl+Alt
// combination except Ctrl+Alt+Del.
inline constexpr std::string_view kDefaultHotkeyText = "Ctrl+Alt+Space";
inline constexpr Hotkey kDefaultHotkey{0x20, kHotkeyCtrl | kHotkeyAlt};

// "Ctrl+Alt+Space", "Shift+F12", "Win+Alt+K"; a key without a name is
// written as "#" and its decimal code. Empty for none.
std::string format_hotkey(Hotkey hotkey);

// Reads what format_hotkey writes, in any letter case and with blanks around
// the parts ("Control" and "Windows" are read too). Empty text is no hotkey;
// text that names no key, a modifier twice or a modifier key as the key is
// nothing.
bool parse_hotkey(std::string_view text, Hotkey& hotkey);

// The hotkey the setting asks for: its text read, a damaged text giving the
// default, an empty one none.
Hotkey hotkey_setting(std::string_view text);

// The hotkey field of the settings window cannot show the Windows key: when
// the field still holds what it was shown, the setting keeps its own
// modifiers rather than losing the Windows key.
Hotkey hotkey_from_field(Hotkey field, Hotkey shown_setting);

}  // namespace trevalon
