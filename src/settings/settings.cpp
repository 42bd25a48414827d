#include "settings/settings.h"

#include <array>
#include <climits>
#include <cstdint>
#include <optional>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

using NumberField = int Settings::*;
using TextField = std::string Settings::*;

// One row per setting, in the order the file is written. A number outside
// [lowest, highest] reads as the key's default.
struct Field {
    std::string_view key;
    NumberField number;
    TextField text;
    int lowest = INT_MIN;
    int highest = INT_MAX;
};

constexpr std::array kFields{
    Field{"LoadOnWindowsStart", &Settings::load_on_windows_start, nullptr},
    Field{"AllowInternetAccess", &Settings::allow_internet_access, nullptr},
    Field{"SearchRecentDocuments", &Settings::search_recent_documents, nullptr},
    Field{"KeepRecentObjectsDays", &Settings::keep_recent_objects_days, nullptr},
    Field{"MyOwnMenu", nullptr, &Settings::my_own_menu},
    Field{"MenuTypeActive", nullptr, &Settings::menu_type_active},
    Field{"MenuOnProgramStart", &Settings::menu_on_program_start, nullptr},
    Field{"IconFormat", &Settings::icon_format, nullptr},
    Field{"WindowSmaller", &Settings::window_smaller, nullptr},
    Field{"WindowCloseToTabBar", &Settings::window_close_to_tab_bar, nullptr},
    Field{"MouseCursorVertical", &Settings::mouse_cursor_vertical, nullptr},
    Field{"MouseCursorHorizontal", &Settings::mouse_cursor_horizontal, nullptr},
    Field{"ExplorerListClickEvent", &Settings::explorer_list_click_event, nullptr},
    Field{"Hotkey", nullptr, &Settings::hotkey},
    Field{"WindowsKeyAlone", &Settings::windows_key_alone, nullptr, 0, 1},
    Field{"SearchEnterStartsFirst", &Settings::search_enter_starts_first, nullptr, 0, 1},
    Field{"Theme", &Settings::theme, nullptr, kThemeFollowsSystem, kThemeDark},
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The written form only ever removes spaces; tabs inside a path stay.
std::string trim_spaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i]))
            return false;
    }
    return true;
}

const Field* find_field(std::string_view key) {
    for (const auto& field : kFields) {
        if (equal_ignoring_case(field.key, key))
            return &field;
    }
    return nullptr;
}

// A value is one line; a line break inside it would split the file.
std::string single_line(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != '\r' && c != '\n')
            result.push_back(c);
    }
    return result;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

Settings default_settings(std::string_view own_menu_folder) {
    Settings settings;
    settings.my_own_menu = std::string(own_menu_folder);
    return settings;
}

int parse_setting_number(std::string_view text) {
    text = trim_blanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

Settings parse_settings(std::string_view text, std::string_view own_menu_folder) {
    Settings settings = default_settings(own_menu_folder);
    std::array<bool, kFields.size()> seen{};
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());

    while (!text.empty()) {
        // CR LF, LF and a lone CR all end a line: a value never holds a line
        // break, so what is read can always be written back as it was.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        line = trim_blanks(line);
        if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const Field* field = find_field(trim_blanks(line.substr(0, equals)));
        if (!field)
            continue;
        // The first occurrence of a key counts, as a reader scanning from the
        // top would find it.
        const auto index = static_cast<std::size_t>(field - kFields.data());
        if (seen[index])
            continue;
        seen[index] = true;

        const std::string_view value = line.substr(equals + 1);
        if (field->number) {
            const int number = parse_setting_number(value);
            if (number >= field->lowest && number <= field->highest)
                settings.*field->number = number;
        } else {
            settings.*field->text = trim_spaces(trim_blanks(value));
        }
    }
    // An empty own-menu root would point the menu at no folder at all.
    if (settings.my_own_menu.empty())
        settings.my_own_menu = std::string(own_menu_folder);
    return settings;
}

std::string format_settings(const Settings& settings) {
    std::string text;
    for (const auto& field : kFields) {
        text += field.key;
        text += " = ";
        if (field.number) {
            text += std::to_string(settings.*field.number);
        } else if (const auto legacy = settings.legacy_values.find(std::string(field.key));
                   legacy != settings.legacy_values.end() &&
                   legacy->second.read == settings.*field.text) {
            text += legacy->second.bytes;
        } else {
            text += trim_spaces(single_line(settings.*field.text));
        }
        text += "\r\n";
    }
    return text;
}

Settings parse_settings_file(std::string_view bytes, std::string_view own_menu_folder,
                             const LegacyToUtf8& legacy_to_utf8) {
    if (is_valid_utf8(bytes) || !legacy_to_utf8)
        return parse_settings(bytes, own_menu_folder);
    std::string converted;
    std::map<std::string, std::string> legacy_bytes;  // text key -> value bytes
    std::array<bool, kFields.size()> seen{};
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        const std::string_view ending =
            end == std::string_view::npos ? std::string_view{} : rest.substr(end, 1);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const bool utf8 = is_valid_utf8(line);
        converted += utf8 ? std::string(line) : legacy_to_utf8(line);
        converted += ending;
        // Only the first line of a key counts, as when it is read.
        const std::string_view trimmed = trim_blanks(line);
        const std::size_t equals = trimmed.find('=');
        const Field* field = equals == std::string_view::npos
                                 ? nullptr
                                 : find_field(trim_blanks(trimmed.substr(0, equals)));
        if (!field || trimmed.starts_with(kUtf8Bom))
            continue;
        const auto index = static_cast<std::size_t>(field - kFields.data());
        std::string value = trim_spaces(trim_blanks(trimmed.substr(equals + 1)));
        if (!seen[index] && !utf8 && field->text && !value.empty())
            legacy_bytes.emplace(field->key, std::move(value));
        seen[index] = true;
    }
    Settings settings = parse_settings(converted, own_menu_folder);
    for (auto& [key, value_bytes] : legacy_bytes) {
        const Field* field = find_field(key);
        settings.legacy_values[key] = {settings.*field->text, std::move(value_bytes)};
    }
    return settings;
}

}  // namespace trevalon
