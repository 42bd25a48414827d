#include "commands/import_win.h"

#include <windows.h>

#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

bool carry_out(const ImportStep& step) {
    if (step.action == ImportAction::copy)
        return copy_file_if_absent(step.source, step.target);
    ShortcutContents contents;
    contents.target = step.link_target;
    contents.link_file = step.target;
    contents.working_directory = step.working_folder;
    return create_shortcut(contents);
}

}  // namespace

bool path_taken(const std::string& path) {
    if (GetFileAttributesW(utf8_to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

PathKind probe_path(const std::string& path) {
    if (is_directory(path))
        return PathKind::directory;
    const std::optional<std::uint64_t> size = file_size(path);
    if (!size)
        return PathKind::missing;
    return *size == 0 ? PathKind::empty_file : PathKind::file;
}

ImportResult import_paths(const std::vector<std::string>& paths, std::string_view target_folder) {
    ImportResult result;
    const ImportPlan plan = plan_import(paths, target_folder, probe_path, path_taken);
    result.skipped = plan.skipped;
    for (const ImportStep& step : plan.steps) {
        if (carry_out(step)) {
            result.imported.push_back(step);
        } else {
            ++result.failed;
        }
    }
    return result;
}

}  // namespace trevalon
