#include "platform/folder_watch_win.h"

#include "platform/wide_win.h"

namespace trevalon {
namespace {

// 64 KiB: the most a report over the network can hold, and room for about a
// thousand changes between two looks.
constexpr std::size_t kBufferBytes = 64 * 1024;

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE;

}  // namespace

FolderWatch::FolderWatch(std::string_view folder) : buffer_(kBufferBytes / sizeof(DWORD)) {
    event_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    folder_.reset(CreateFileW(file_path_wide(folder).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                              nullptr));
    if (event_ && folder_)
        pending_ = request();
}

FolderWatch::~FolderWatch() {
    if (!pending_)
        return;
    DWORD bytes = 0;
    if (CancelIoEx(folder_.get(), &overlapped_) || GetLastError() != ERROR_NOT_FOUND)
        GetOverlappedResult(folder_.get(), &overlapped_, &bytes, TRUE);
}

bool FolderWatch::request() {
    ResetEvent(event_.get());
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_.get();
    return ReadDirectoryChangesW(folder_.get(), buffer_.data(),
                                 static_cast<DWORD>(buffer_.size() * sizeof(DWORD)), TRUE,
                                 kWatchedChanges, nullptr, &overlapped_, nullptr) != FALSE;
}

FolderChanges FolderWatch::take() {
    FolderChanges changes;
    if (!pending_) {
        changes.ended = true;
        return changes;
    }
    DWORD bytes = 0;
    pending_ = false;
    if (!GetOverlappedResult(folder_.get(), &overlapped_, &bytes, FALSE)) {
        if (GetLastError() == ERROR_IO_INCOMPLETE) {
            pending_ = true;  // nothing to take yet
            return changes;
        }
        // ERROR_NOTIFY_ENUM_DIR: too much at once; anything else: the watch broke.
        changes.overflow = true;
        changes.ended = GetLastError() != ERROR_NOTIFY_ENUM_DIR;
    } else if (bytes == 0) {
        changes.overflow = true;  // the system had more than the buffer held
    } else {
        const auto* start = reinterpret_cast<const char*>(buffer_.data());
        for (DWORD offset = 0;;) {
            const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(start + offset);
            changes.paths.push_back(wide_to_utf8(
                std::wstring_view(record->FileName, record->FileNameLength / sizeof(wchar_t))));
            if (record->NextEntryOffset == 0 || offset + record->NextEntryOffset >= bytes)
                break;
            offset += record->NextEntryOffset;
        }
    }
    if (!changes.ended) {
        pending_ = request();
        changes.ended = !pending_;
    }
    return changes;
}

}  // namespace trevalon
