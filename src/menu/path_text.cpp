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

}  // namespace trevalon
