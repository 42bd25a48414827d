#include "commands/import_win.h"

#include <windows.h>

#include "commands/edit_operations.h"
#include "commands/windows_disk_win.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"

namespace trevalon {

bool path_taken(const std::string& path) {
    if (GetFileAttributesW(file_path_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

ImportResult import_paths(const std::vector<std::string>& paths, std::string_view target_folder) {
    WindowsFileDisk disk;
    const ImportOutcome outcome = import_entries(
        disk, EditPlaces{}, 0, ImportRequest{paths, std::string(target_folder), false, {}, {}});
    ImportResult result;
    result.imported = outcome.imported;
    for (const SkippedPath& skipped : outcome.skipped) {
        if (skipped.reason == SkipReason::failed)
            ++result.failed;
        else
            result.skipped.push_back(skipped);
    }
    return result;
}

}  // namespace trevalon
