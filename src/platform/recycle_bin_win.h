// The Recycle Bin: whether a place has one, and the shell's delete into it.
#pragma once

#include <windows.h>

#include <string_view>

namespace trevalon {

// Whether the system keeps what is deleted at `path` in a Recycle Bin (a
// network share, some removable drives and a Wine prefix without a trash
// folder have none).
bool recycle_bin_available(std::string_view path);

// Deletes the file or folder with the shell, undo allowed, so Windows can
// restore it from the Recycle Bin. The shell asks nothing and shows no
// progress or error of its own; it warns only when it would delete for good
// after all. True when the item is gone afterwards.
bool move_to_recycle_bin(std::string_view path, HWND owner);

}  // namespace trevalon
