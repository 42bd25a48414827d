#include "platform/system_programs_win.h"

#include <windows.h>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

using FolderQuery = UINT(WINAPI*)(LPWSTR, UINT);

std::string in_folder(FolderQuery query, std::string_view name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = query(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string path = wide_to_utf8(std::wstring_view(folder, length));
    if (path.back() != '\\')
        path += '\\';
    return path + std::string(name);
}

}  // namespace

std::string system_program(std::string_view name) {
    return in_folder(GetSystemDirectoryW, name);
}

std::string windows_program(std::string_view name) {
    return in_folder(GetWindowsDirectoryW, name);
}

}  // namespace trevalon
