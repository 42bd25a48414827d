// Trev1.exe: pins the program named by its one argument to the taskbar.
//
// Where the shell offers its "taskbarpin" verb for the file (Windows 7 and
// 8.x) that verb does the pinning. Elsewhere a shortcut goes into the user's
// pinned-taskbar folder and the taskbar is asked to refresh; whether the
// taskbar shows it depends on the Windows version (see README.md).
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

// The shell's own pin command for the file, when its context menu has one.
bool pin_with_shell_verb(const std::wstring& path) {
    Pidl pidl;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &pidl.pointer, 0, nullptr)))
        return false;
    Released<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(SHBindToParent(pidl.pointer, IID_IShellFolder,
                              reinterpret_cast<void**>(&parent.pointer), &child)))
        return false;
    Released<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(&menu.pointer))))
        return false;
    Menu popup;
    constexpr UINT kFirst = 1;
    if (!popup.handle ||
        FAILED(menu->QueryContextMenu(popup.handle, 0, kFirst, 0x7FFF, CMF_NORMAL)))
        return false;
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
        return SUCCEEDED(menu->InvokeCommand(&invoke));
    }
    return false;
}

std::wstring pinned_taskbar_folder() {
    wchar_t app_data[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data)))
        return {};
    return std::wstring(app_data) +
           L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
}

bool make_link(const std::wstring& target, const std::wstring& link_file) {
    Released<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.pointer))))
        return false;
    const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(folder.c_str());
    link->SetIconLocation(target.c_str(), 0);
    Released<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.pointer))))
        return false;
    return SUCCEEDED(file->Save(link_file.c_str(), TRUE));
}

// A shortcut in the pinned-taskbar folder (a copy when the path already is
// one), then a nudge to the shell to read its folders again.
bool pin_with_taskbar_folder(const std::wstring& path) {
    const std::wstring folder = pinned_taskbar_folder();
    if (folder.empty())
        return false;
    const int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS)
        return false;

    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    const bool is_link = dot != std::wstring::npos && lstrcmpiW(name.c_str() + dot, L".lnk") == 0;
    if (dot != std::wstring::npos)
        name.resize(dot);
    const std::wstring link_file = folder + L"\\" + name + L".lnk";
    const bool done = is_link ? CopyFileW(path.c_str(), link_file.c_str(), FALSE) != FALSE
                              : make_link(path, link_file);
    if (!done)
        return false;

    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, link_file.c_str(), nullptr);
    if (HWND desktop = FindWindowW(L"Progman", nullptr)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(desktop, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"TraySettings"),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    return true;
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
    const bool pinned = pin_with_shell_verb(path) || pin_with_taskbar_folder(path);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (!pinned) {
        write_line(L"ERROR_CANNOT_MAKE: " + path);
        return ERROR_CANNOT_MAKE;
    }
    return 0;
}
