// Change notifications on the folders of one tree, one per folder: each
// reports changes to the names, sizes, times and attributes of the items
// directly inside its folder. (A single notification over the whole subtree
// would be cheaper, but Wine reports only the top folder's own items with
// it.) The program asks them whether anyone changed the tree since it last
// wrote to it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handles_win.h"

namespace trevalon {

class FolderWatches {
  public:
    // More folders than this are not watched: the tree counts as changed.
    static constexpr std::size_t kMaxFolders = 4096;

    // Starts (or starts again, forgetting what it saw) watching the folder
    // at `absolute`, known as `relative` within the tree ("" for the root).
    // False when it cannot be watched; the tree then counts as changed until
    // stop_all.
    bool watch(const std::string& relative, std::string_view absolute);
    // Stops watching the folder and every folder below it (by relative path,
    // as given to watch), so they can be removed.
    void stop(std::string_view relative);
    void stop_all();

    // Whether anything changed in a watched folder since it was watched, or
    // a folder could not be watched.
    bool any_changed();

    std::size_t count() const { return watches_.size(); }

  private:
    std::map<std::string, UniqueChangeNotification, std::less<>> watches_;
    std::vector<HANDLE> handles_;  // of watches_, rebuilt when it changed
    bool handles_current_ = true;
    bool failed_ = false;
};

}  // namespace trevalon
