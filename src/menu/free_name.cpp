#include "menu/free_name.h"

#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"
#include "menu/path_text.h"

namespace trevalon {

std::optional<std::string> free_name(std::string_view path, const PathExists& exists) {
    const std::string wanted(path);
    if (!exists(wanted))
        return wanted;
    const std::string_view folder = folder_part(path);
    const NameParts parts = split_extension(file_name_part(path));
    for (int n = 1; n <= 99; ++n) {
        std::string candidate(folder);
        candidate += parts.base;
        candidate += " (" + std::to_string(n) + ")";
        if (parts.has_dot) {
            candidate += '.';
            candidate += parts.extension;
        }
        if (!exists(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> free_name(std::string_view path) {
    return free_name(path, [](const std::string& candidate) {
        std::error_code ec;
        // A path whose status cannot be read counts as taken: never risk a file.
        const bool found = std::filesystem::exists(utf8_to_path(candidate), ec);
        return found || ec;
    });
}

}  // namespace trevalon
