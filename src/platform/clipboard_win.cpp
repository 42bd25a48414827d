#include "platform/clipboard_win.h"

#include <shellapi.h>

#include <cstring>

#include "menu/file_drop_block.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace trevalon {

namespace {

// A program that holds the clipboard (a viewer, a copy under way) usually lets
// go within a few milliseconds: try again for about a fifth of a second, short
// enough that the window never seems stuck, then give up with nothing done.
constexpr int kOpenAttempts = 9;
constexpr DWORD kOpenPauseMs = 25;

// The clipboard, open for as long as the session lives, after those tries.
class PatientClipboard {
  public:
    explicit PatientClipboard(HWND owner) {
        for (int i = 0; i < kOpenAttempts && !open_; ++i) {
            if (i > 0)
                Sleep(kOpenPauseMs);
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~PatientClipboard() {
        if (open_)
            CloseClipboard();
    }
    PatientClipboard(const PatientClipboard&) = delete;
    PatientClipboard& operator=(const PatientClipboard&) = delete;
    bool is_open() const { return open_; }

  private:
    bool open_ = false;
};

HDROP clipboard_drop() {
    return static_cast<HDROP>(GetClipboardData(CF_HDROP));
}

UINT drop_count(HDROP drop) {
    return drop ? DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0;
}
}  // namespace

int clipboard_file_count() {
    PatientClipboard clipboard(nullptr);
    if (!clipboard.is_open())
        return 0;
    return static_cast<int>(drop_count(clipboard_drop()));
}

namespace {

// The file list of the open clipboard.
std::vector<std::string> files_of_open_clipboard() {
    std::vector<std::string> files;
    HDROP drop = clipboard_drop();
    const UINT count = drop_count(drop);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring name(length + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(copied);
        if (!name.empty())
            files.push_back(wide_to_utf8(name));
    }
    return files;
}

}  // namespace

std::vector<std::string> clipboard_files() {
    PatientClipboard clipboard(nullptr);
    if (!clipboard.is_open())
        return {};
    return files_of_open_clipboard();
}

bool empty_clipboard_if_it_lists(const std::vector<std::string>& paths, HWND owner) {
    PatientClipboard clipboard(owner);
    if (!clipboard.is_open() || files_of_open_clipboard() != paths)
        return false;
    return EmptyClipboard() != FALSE;
}

std::string clipboard_file_list() {
    std::string list;
    for (const std::string& file : clipboard_files()) {
        if (!list.empty())
            list += '|';
        list += file;
    }
    return list;
}

bool copy_files_to_clipboard(const std::vector<std::string>& paths, HWND owner) {
    const std::vector<std::byte> block = make_file_drop_block(paths);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size()));
    if (!memory)
        return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data())
            return false;
        std::memcpy(lock.data(), block.data(), block.size());
    }
    PatientClipboard clipboard(owner);
    if (!clipboard.is_open())
        return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_HDROP, memory.get()))
        return false;
    memory.release();  // the clipboard owns it now
    return true;
}

SHELLEXECUTEINFOW properties_request(HWND owner, const std::wstring& file,
                                     const std::wstring& page) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.lpParameters = page.c_str();
    return info;
}

bool show_properties(HWND owner, std::string_view path, std::string_view page) {
    const std::wstring file = utf8_to_wide(path);
    const std::wstring parameters = utf8_to_wide(page);
    SHELLEXECUTEINFOW info = properties_request(owner, file, parameters);
    const bool started = ShellExecuteExW(&info) != FALSE;
    // The sheet runs in this process; a process handle, if any, is not needed.
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return started;
}

}  // namespace trevalon
