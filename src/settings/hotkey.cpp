#include "settings/hotkey.h"

#include <array>
#include <charconv>

namespace trevalon {
namespace {

struct KeyName {
    int key;
    std::string_view name;
};

// Keys with a name beyond letters, digits and F1-F24.
constexpr std::array kKeyNames{
    KeyName{0x08, "Backspace"}, KeyName{0x09, "Tab"},      KeyName{0x0D, "Enter"},
    KeyName{0x13, "Pause"},     KeyName{0x1B, "Esc"},      KeyName{0x20, "Space"},
    KeyName{0x21, "PageUp"},    KeyName{0x22, "PageDown"}, KeyName{0x23, "End"},
    KeyName{0x24, "Home"},      KeyName{0x25, "Left"},     KeyName{0x26, "Up"},
    KeyName{0x27, "Right"},     KeyName{0x28, "Down"},     KeyName{0x2C, "PrintScreen"},
    KeyName{0x2D, "Insert"},    KeyName{0x2E, "Delete"},   KeyName{0x5D, "Menu"},
    KeyName{0x6A, "Num*"},      KeyName{0x6B, "Num+"},     KeyName{0x6D, "Num-"},
    KeyName{0x6E, "Num."},      KeyName{0x6F, "Num/"},
};

struct ModifierName {
    unsigned flag;
    std::string_view name;
};

// In the order they are written.
constexpr std::array kModifierNames{
    ModifierName{kHotkeyCtrl, "Ctrl"},    ModifierName{kHotkeyAlt, "Alt"},
    ModifierName{kHotkeyShift, "Shift"},  ModifierName{kHotkeyWin, "Win"},
    ModifierName{kHotkeyCtrl, "Control"}, ModifierName{kHotkeyWin, "Windows"},
};

// Shift, Ctrl, Alt (either side and both) and the Windows keys are
// modifiers, never the key itself.
bool is_modifier_key(int key) {
    return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C ||
           (key >= 0xA0 && key <= 0xA5);
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string key_name(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87)
        return "F" + std::to_string(key - 0x70 + 1);
    if (key >= 0x60 && key <= 0x69)
        return "Num" + std::to_string(key - 0x60);
    for (const KeyName& named : kKeyNames) {
        if (named.key == key)
            return std::string(named.name);
    }
    return "#" + std::to_string(key);
}

int number_in(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

// The key a name stands for; 0 for none.
int key_of(std::string_view name) {
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 'A';
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
    }
    if (name.size() > 1 && name[0] == '#') {
        const int key = number_in(name.substr(1));
        return key > 0 && key < 0xFF ? key : 0;
    }
    if (name.size() > 1 && (name[0] == 'F' || name[0] == 'f')) {
        const int number = number_in(name.substr(1));
        if (number >= 1 && number <= 24)
            return 0x70 + number - 1;
    }
    if (name.size() == 4 && same_name(name.substr(0, 3), "Num") && name[3] >= '0' && name[3] <= '9')
        return 0x60 + (name[3] - '0');
    for (const KeyName& named : kKeyNames) {
        if (same_name(named.name, name))
            return named.key;
    }
    return 0;
}

}  // namespace

std::string format_hotkey(Hotkey hotkey) {
    if (hotkey.none())
        return {};
    std::string text;
    for (std::size_t i = 0; i < 4; ++i) {
        if (hotkey.modifiers & kModifierNames[i].flag) {
            text += kModifierNames[i].name;
            text += '+';
        }
    }
    return text + key_name(hotkey.key);
}

bool parse_hotkey(std::string_view text, Hotkey& hotkey) {
    text = trimmed(text);
    if (text.empty()) {
        hotkey = Hotkey{};
        return true;
    }
    Hotkey read;
    for (;;) {
        // The last part is the key; "Num+" keeps its own "+".
        std::size_t plus = text.find('+');
        if (plus == text.size() - 1 && plus > 0)
            plus = std::string_view::npos;
        const std::string_view part = trimmed(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            read.key = key_of(part);
            if (read.key == 0 || is_modifier_key(read.key))
                return false;
            hotkey = read;
            return true;
        }
        unsigned flag = 0;
        for (const ModifierName& modifier : kModifierNames) {
            if (same_name(modifier.name, part))
                flag = modifier.flag;
        }
        if (flag == 0 || (read.modifiers & flag))
            return false;
        read.modifiers |= flag;
        text.remove_prefix(plus + 1);
    }
}

Hotkey hotkey_setting(std::string_view text) {
    Hotkey hotkey;
    return parse_hotkey(text, hotkey) ? hotkey : kDefaultHotkey;
}

Hotkey hotkey_from_field(Hotkey field, Hotkey shown_setting) {
    const Hotkey shown_in_field{shown_setting.key, shown_setting.modifiers & ~kHotkeyWin};
    return field == shown_in_field ? shown_setting : field;
}

}  // namespace trevalon
