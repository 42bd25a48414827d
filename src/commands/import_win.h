// Importing pasted and dropped paths into a menu folder on disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/import_plan.h"

namespace trevalon {

// Whether anything might be at path: a path the system cannot examine counts
// as taken, so it is never written over.
bool path_taken(const std::string& path);

struct ImportResult {
    std::vector<ImportStep> imported;  // the steps that made their entry
    std::vector<SkippedPath> skipped;  // left out by the plan
    int failed = 0;                    // planned, but the copy or link failed
};

// Plans and carries out the import (edit_operations.h, import_entries):
// shortcuts are copied, everything else gets a new link (a file's link
// starts in the file's folder). No existing file is replaced. Failures are
// counted, not reported.
ImportResult import_paths(const std::vector<std::string>& paths, std::string_view target_folder);

}  // namespace trevalon
