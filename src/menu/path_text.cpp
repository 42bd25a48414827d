#include "menu/path_text.h"

namespace trevalon {

std::string with_trailing_separator(std::string_view path) {
    std::string out(path);
    if (!out.empty() && !is_path_separator(out.back()))
        out += kPathSeparator;
    return out;
}

std::string without_trailing_separator(std::string_view path) {
    if (!path.empty() && is_path_separator(path.back()))
        path.remove_suffix(1);
    return std::string(path);
}

namespace {
char lower_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t after_last_separator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (is_path_separator(path[i - 1]))
            return i;
    }
    return 0;
}
}  // namespace

std::string_view folder_part(std::string_view path) {
    return path.substr(0, after_last_separator(path));
}

std::string_view file_name_part(std::string_view path) {
    return path.substr(after_last_separator(path));
}

NameParts split_extension(std::string_view file_name) {
    const std::size_t dot = file_name.rfind('.');
    if (dot == std::string_view::npos)
        return {file_name, {}, false};
    return {file_name.substr(0, dot), file_name.substr(dot + 1), true};
}

bool matches_pattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    if (!pattern.starts_with("*"))
        return false;
    const std::string_view suffix = pattern.substr(1);
    if (name.size() < suffix.size())
        return false;
    const std::string_view tail = name.substr(name.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (lower_ascii(tail[i]) != lower_ascii(suffix[i]))
            return false;
    }
    return true;
}

}  // namespace trevalon
