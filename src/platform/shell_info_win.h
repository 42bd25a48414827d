// The shell's information about a file (its icon, its type's name), asked so
// that a name Windows reads as a device is never opened.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace trevalon {

// SHGetFileInfoW for the path. For a path with a reserved part
// (menu/reserved_names.h) the shell is asked by the extension alone, as for
// a file it cannot read: the generic icon and type of that kind of file.
DWORD_PTR shell_file_info(std::string_view path, UINT flags, SHFILEINFOW& info);

}  // namespace trevalon
