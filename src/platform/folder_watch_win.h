// The system's reports of changes below one folder: which paths (relative to
// the folder) were created, deleted, renamed or changed in size, or that too
// many changed to tell. Nothing is polled: a report sets the watch's event.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/handles_win.h"

namespace trevalon {

struct FolderChanges {
    std::vector<std::string> paths;  // relative to the folder, "\" between parts
    bool overflow = false;           // more changed than the report could hold
    bool ended = false;              // the folder is gone or cannot be watched any more
};

class FolderWatch {
  public:
    // Starts watching folder and everything below it. Under Wine a subfolder
    // is only watched once it has been opened after this, so walk the folder
    // afterwards, not before.
    explicit FolderWatch(std::string_view folder);
    // Cancels the outstanding request and waits for it to finish.
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    bool watching() const { return pending_; }
    // Set while a report waits to be taken.
    HANDLE event() const { return event_.get(); }

    // The report that set the event, then the watch goes on (unless it ended).
    FolderChanges take();

  private:
    bool request();

    UniqueFile folder_;
    UniqueHandle event_;
    OVERLAPPED overlapped_{};
    std::vector<DWORD> buffer_;  // DWORD-aligned, as the reports must be
    bool pending_ = false;
};

}  // namespace trevalon
