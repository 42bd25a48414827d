#include "platform/special_folders_win.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

std::string special_folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return with_backslash(wide_to_utf8(path));
}

std::string temporary_folder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH)
        return {};
    return with_backslash(wide_to_utf8(path));
}

std::string program_file() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return wide_to_utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

SystemFolders read_system_folders() {
    SystemFolders folders;
    folders.documents = special_folder(CSIDL_PERSONAL);
    folders.favorites = special_folder(CSIDL_FAVORITES);
    folders.common_start_menu = special_folder(CSIDL_COMMON_STARTMENU);
    folders.user_start_menu = special_folder(CSIDL_STARTMENU);
    folders.common_programs = special_folder(CSIDL_COMMON_PROGRAMS);
    folders.user_programs = special_folder(CSIDL_PROGRAMS);
    folders.recent = special_folder(CSIDL_RECENT);
    folders.desktop = special_folder(CSIDL_DESKTOP);
    folders.windows = special_folder(CSIDL_WINDOWS);
    folders.system = special_folder(CSIDL_SYSTEM);
    folders.app_data = special_folder(CSIDL_APPDATA);
    folders.temp = temporary_folder();
    folders.program_file = program_file();
    return folders;
}

}  // namespace trevalon
