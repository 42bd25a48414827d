// The guard in front of every recursive delete: the program only ever removes
// folders of its own, so a path built from an empty or damaged name (the data
// folder itself, a drive root, the user's profile) is refused.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

struct ProgramFolders;

// True when `path` names something strictly below `root`. Both are absolute
// Windows paths (drive "X:\" or UNC "\\server\share\"); "/" counts as "\",
// letters compare in any case, a trailing backslash does not matter. A path
// with "." or ".." parts, wildcards or the "\\?\" prefix is never inside.
bool is_strictly_inside(std::string_view path, std::string_view root);

// True when `path` is strictly inside one of the roots. A root is only
// accepted when it is itself at least one folder below a drive or share, so a
// failed folder look-up cannot widen the guard to a whole drive.
bool may_delete_tree(std::string_view path, std::span<const std::string> roots);

// The folders a recursive delete may act inside: the data folder and the
// system's temporary folder (which holds the program's own).
std::vector<std::string> deletable_roots(const ProgramFolders& folders);

}  // namespace trevalon
