#include "platform/safe_delete.h"

#include "menu/program_folders.h"

#include <optional>
#include <vector>

namespace trevalon {
namespace {

char fold(char c) {
    if (c == '/')
        return '\\';
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The path's parts below its drive or share, with the drive or share as the
// first part; nothing when the path is not an absolute path we accept.
std::optional<std::vector<std::string>> split_absolute(std::string_view path) {
    std::string folded;
    folded.reserve(path.size());
    for (char c : path)
        folded.push_back(fold(c));
    if (folded.find_first_of("*?\"<>|") != std::string::npos)
        return std::nullopt;

    std::vector<std::string> parts;
    std::size_t position = 0;
    if (folded.size() >= 3 && is_letter(folded[0]) && folded[1] == ':' && folded[2] == '\\') {
        parts.push_back(folded.substr(0, 2));
        position = 3;
    } else if (folded.starts_with("\\\\") && !folded.starts_with("\\\\?\\") &&
               !folded.starts_with("\\\\.\\")) {
        const std::size_t server_end = folded.find('\\', 2);
        if (server_end == std::string::npos || server_end == 2)
            return std::nullopt;
        const std::size_t share_end = folded.find('\\', server_end + 1);
        const std::size_t end = share_end == std::string::npos ? folded.size() : share_end;
        if (end == server_end + 1)
            return std::nullopt;
        parts.push_back(folded.substr(0, end));
        position = end + 1;
    } else {
        return std::nullopt;
    }

    while (position < folded.size()) {
        std::size_t end = folded.find('\\', position);
        if (end == std::string::npos)
            end = folded.size();
        const std::string part = folded.substr(position, end - position);
        if (part == "." || part == ".." || part.find(':') != std::string::npos) {
            return std::nullopt;
        }
        // Doubled separators are tolerated; they add no part.
        if (!part.empty())
            parts.push_back(part);
        position = end + 1;
    }
    return parts;
}

}  // namespace

bool is_strictly_inside(std::string_view path, std::string_view root) {
    const auto path_parts = split_absolute(path);
    const auto root_parts = split_absolute(root);
    if (!path_parts || !root_parts)
        return false;
    if (path_parts->size() <= root_parts->size())
        return false;
    for (std::size_t i = 0; i < root_parts->size(); ++i) {
        if ((*path_parts)[i] != (*root_parts)[i])
            return false;
    }
    return true;
}

bool may_delete_tree(std::string_view path, std::span<const std::string> roots) {
    for (const auto& root : roots) {
        const auto root_parts = split_absolute(root);
        if (!root_parts || root_parts->size() < 2)
            continue;
        if (is_strictly_inside(path, root))
            return true;
    }
    return false;
}

std::vector<std::string> deletable_roots(const ProgramFolders& folders) {
    return {folders.data, folders.temp};
}

}  // namespace trevalon
