#include "platform/folder_watches_win.h"

#include <algorithm>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES;

bool inside(std::string_view path, std::string_view folder) {
    return folder.empty() || path == folder ||
           (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '\\');
}

}  // namespace

bool FolderWatches::watch(const std::string& relative, std::string_view absolute) {
    handles_current_ = false;
    auto& slot = watches_[relative];
    slot.reset();
    if (watches_.size() > kMaxFolders) {
        failed_ = true;
        return false;
    }
    slot.reset(FindFirstChangeNotificationW(utf8_to_wide(absolute).c_str(), FALSE, kChanges));
    if (!slot)
        failed_ = true;
    return static_cast<bool>(slot);
}

void FolderWatches::stop(std::string_view relative) {
    if (relative.empty()) {
        stop_all();
        return;
    }
    handles_current_ = false;
    for (auto at = watches_.lower_bound(relative);
         at != watches_.end() && at->first.starts_with(relative);) {
        at = inside(at->first, relative) ? watches_.erase(at) : std::next(at);
    }
}

void FolderWatches::stop_all() {
    watches_.clear();
    handles_.clear();
    handles_current_ = true;
    failed_ = false;
}

bool FolderWatches::any_changed() {
    if (failed_)
        return true;
    if (!handles_current_) {
        handles_.clear();
        for (const auto& [relative, watch] : watches_) {
            if (watch)
                handles_.push_back(watch.get());
        }
        handles_current_ = true;
    }
    // One wait answers for up to 64 folders at once.
    for (std::size_t at = 0; at < handles_.size(); at += MAXIMUM_WAIT_OBJECTS) {
        const DWORD count =
            static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, handles_.size() - at));
        const DWORD result = WaitForMultipleObjects(count, handles_.data() + at, FALSE, 0);
        if (result != WAIT_TIMEOUT)
            return true;
    }
    return false;
}

}  // namespace trevalon
