#include "program/single_instance_win.h"

#include <string>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

struct WindowSearch {
    std::wstring class_name;
    std::wstring title_part;
    HWND found = nullptr;
};

BOOL CALLBACK match_instance_window(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    wchar_t class_name[256] = {};
    GetClassNameW(window, class_name, 256);
    if (search->class_name != class_name)
        return TRUE;
    wchar_t title[1000] = {};
    GetWindowTextW(window, title, 1000);
    if (std::wstring_view(title).find(search->title_part) == std::wstring_view::npos)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool means_another_instance(bool created, DWORD error) {
    if (created)
        return error == ERROR_ALREADY_EXISTS;
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

InstanceClaim claim_single_instance(std::string_view name) {
    InstanceClaim claim;
    const std::wstring wide = utf8_to_wide(name);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, wide.c_str());
    const DWORD error = GetLastError();
    claim.mutex.reset(mutex);
    claim.another_running = means_another_instance(static_cast<bool>(claim.mutex), error);
    if (claim.another_running)
        claim.mutex.reset();
    return claim;
}

FolderLock lock_data_folder(std::string_view data_folder) {
    FolderLock lock;
    if (data_folder.empty())
        return lock;
    const std::wstring path = file_path_wide(std::string(data_folder) + "Running.lock");
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return lock;
    OVERLAPPED first_byte{};
    if (LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &first_byte)) {
        lock.file = std::move(file);
        return lock;
    }
    lock.held_elsewhere = GetLastError() == ERROR_LOCK_VIOLATION;
    return lock;
}

HWND find_instance_window(std::string_view class_name, std::string_view title_part) {
    WindowSearch search{utf8_to_wide(class_name), utf8_to_wide(title_part)};
    EnumWindows(match_instance_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void bring_instance_forward(HWND window) {
    if (!window)
        return;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

}  // namespace trevalon
