// Trev1.exe: pins the program named by its one argument to the taskbar.
//
// Only the shell can pin, through its "taskbarpin" verb for the file, and it
// offers that verb to other programs only on some Windows versions (7 and
// 8.x). Where it is not offered there is no other way that works: a shortcut
// in the user's pinned-taskbar folder is ignored by the taskbar. The
// companion then says so and ends with ERROR_NOT_SUPPORTED, so the program
// that started it can tell the user how to pin by hand (see README.md).
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

void write_line(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    utf8 += "\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

template <typename Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released() {
        if (pointer)
            pointer->Release();
    }
    Interface* operator->() const { return pointer; }
};

struct Pidl {
    PIDLIST_ABSOLUTE pointer = nullptr;
    ~Pidl() { CoTaskMemFree(pointer); }
};

struct Menu {
    HMENU handle = CreatePopupMenu();
    ~Menu() {
        if (handle)
            DestroyMenu(handle);
    }
};

enum class Pinning { pinned, not_offered, failed };

// The shell's own pin command for the file, when its context menu has one.
Pinning pin_with_shell_verb(const std::wstring& path) {
    Pidl pidl;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &pidl.pointer, 0, nullptr)))
        return Pinning::not_offered;
    Released<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(SHBindToParent(pidl.pointer, IID_IShellFolder,
                              reinterpret_cast<void**>(&parent.pointer), &child)))
        return Pinning::not_offered;
    Released<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(&menu.pointer))))
        return Pinning::not_offered;
    Menu popup;
    constexpr UINT kFirst = 1;
    if (!popup.handle ||
        FAILED(menu->QueryContextMenu(popup.handle, 0, kFirst, 0x7FFF, CMF_NORMAL)))
        return Pinning::not_offered;
    for (int i = 0, count = GetMenuItemCount(popup.handle); i < count; ++i) {
        const UINT id = GetMenuItemID(popup.handle, i);
        if (id == static_cast<UINT>(-1) || id < kFirst)
            continue;
        wchar_t verb[64] = {};
        if (FAILED(menu->GetCommandString(id - kFirst, GCS_VERBW, nullptr,
                                          reinterpret_cast<LPSTR>(verb), 64)))
            continue;
        if (lstrcmpiW(verb, L"taskbarpin") != 0)
            continue;
        CMINVOKECOMMANDINFO invoke{};
        invoke.cbSize = sizeof(invoke);
        invoke.fMask = CMIC_MASK_FLAG_NO_UI;
        invoke.lpVerb = MAKEINTRESOURCEA(id - kFirst);
        invoke.nShow = SW_SHOWNORMAL;
        return SUCCEEDED(menu->InvokeCommand(&invoke)) ? Pinning::pinned : Pinning::failed;
    }
    return Pinning::not_offered;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2 || argv[1][0] == L'\0') {
        write_line(L"ERROR_BAD_ARGUMENTS: Arguments missing");
        return ERROR_BAD_ARGUMENTS;
    }
    const std::wstring path = argv[1];
    LocalFree(argv);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        write_line(L"ERROR_FILE_NOT_FOUND: " + path);
        return ERROR_FILE_NOT_FOUND;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const Pinning pinning = pin_with_shell_verb(path);
    if (SUCCEEDED(com))
        CoUninitialize();
    switch (pinning) {
        case Pinning::pinned:
            return 0;
        case Pinning::not_offered:
            write_line(L"ERROR_NOT_SUPPORTED: " + path);
            return ERROR_NOT_SUPPORTED;
        case Pinning::failed:
            break;
    }
    write_line(L"ERROR_CANNOT_MAKE: " + path);
    return ERROR_CANNOT_MAKE;
}
