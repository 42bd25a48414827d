#include "menu/reserved_names.h"

#include <array>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

constexpr std::size_t kLongestPlainPath = 259;

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_drive_path(std::string_view path) {
    return path.size() >= 3 && is_letter(path[0]) && path[1] == ':' && is_separator(path[2]);
}

bool is_unc_path(std::string_view path) {
    return path.size() >= 3 && is_separator(path[0]) && is_separator(path[1]) &&
           !is_separator(path[2]) && path[2] != '?' && path[2] != '.';
}

// "1" to "9", or a superscript one, two or three.
bool is_port_digit(std::string_view rest) {
    if (rest.size() == 1)
        return rest[0] >= '1' && rest[0] <= '9';
    return rest == "\xC2\xB9" || rest == "\xC2\xB2" || rest == "\xC2\xB3";
}

}  // namespace

bool is_device_name(std::string_view file_name) {
    std::string_view base = file_name.substr(0, file_name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    const std::string lower = ascii_lower(base);
    constexpr std::array kDevices{"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : kDevices) {
        if (lower == device)
            return true;
    }
    if (lower.size() > 3 && (lower.starts_with("com") || lower.starts_with("lpt")))
        return is_port_digit(std::string_view(lower).substr(3));
    return false;
}

bool is_reserved_name(std::string_view file_name) {
    if (file_name.empty())
        return false;
    return is_device_name(file_name) || file_name.back() == '.' || file_name.back() == ' ';
}

bool has_reserved_part(std::string_view path) {
    std::size_t position = 0;
    if (is_drive_path(path)) {
        position = 3;
    } else if (is_unc_path(path)) {
        // The server and the share are names of the network, not files.
        std::size_t parts = 0;
        position = 2;
        while (position < path.size() && parts < 2) {
            if (is_separator(path[position]))
                ++parts;
            ++position;
        }
    }
    while (position < path.size()) {
        std::size_t end = position;
        while (end < path.size() && !is_separator(path[end]))
            ++end;
        const std::string_view part = path.substr(position, end - position);
        if (part != "." && part != ".." && is_reserved_name(part))
            return true;
        position = end + 1;
    }
    return false;
}

std::string literal_path_form(std::string_view path) {
    std::string prefix;
    std::size_t position = 0;
    if (is_drive_path(path)) {
        prefix = "\\\\?\\" + std::string(path.substr(0, 2)) + "\\";
        position = 3;
    } else if (is_unc_path(path)) {
        prefix = "\\\\?\\UNC\\";
        position = 2;
    } else {
        return {};
    }
    std::string result = prefix;
    while (position < path.size()) {
        std::size_t end = position;
        while (end < path.size() && !is_separator(path[end]))
            ++end;
        const std::string_view part = path.substr(position, end - position);
        if (part == "." || part == "..")
            return {};
        if (!part.empty()) {
            if (result.size() > prefix.size())
                result.push_back('\\');
            result += part;
        }
        position = end + 1;
    }
    // A folder keeps its closing separator.
    if (!path.empty() && is_separator(path.back()) && result.size() > prefix.size())
        result.push_back('\\');
    return result;
}

std::string file_system_path(std::string_view path) {
    if (has_reserved_part(path) || utf16_length(path) > kLongestPlainPath) {
        std::string literal = literal_path_form(path);
        if (!literal.empty())
            return literal;
    }
    return std::string(path);
}

}  // namespace trevalon
