#include "platform/dialogs_win.h"

#include <shlobj.h>

#include <memory>
#include <vector>

#include "platform/busy_frame_win.h"
#include "platform/handles_win.h"
#include "platform/input_box_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

// Opens the browser at the start folder once it exists.
int CALLBACK folder_browser_callback(HWND browser, UINT message, LPARAM, LPARAM start_folder) {
    if (message == BFFM_INITIALIZED && start_folder)
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start_folder);
    return 0;
}

// Frees the item list the browser answers with.
struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

std::string Dialogs::choose_folder(std::string_view, std::string_view, HWND) {
    return {};
}

void Dialogs::beep(UINT type) {
    MessageBeep(type);
}

int SystemDialogs::message_box(std::string_view text, std::string_view caption, UINT type) {
    const DialogPause pause;
    return MessageBoxW(owner_, utf8_to_wide(text).c_str(), utf8_to_wide(caption).c_str(), type);
}

std::string SystemDialogs::input_box(std::string_view title, std::string_view prompt,
                                     std::string_view default_text) {
    const DialogPause pause;
    return run_input_box(owner_, title, prompt, default_text);
}

std::string SystemDialogs::choose_folder(std::string_view title, std::string_view start_folder,
                                         HWND owner) {
    const DialogPause pause;
    // The new dialog style needs COM on this thread.
    ComInit com;
    const std::wstring wide_title = utf8_to_wide(title);
    // The browser selects a folder given without its trailing backslash.
    std::wstring start = utf8_to_wide(start_folder);
    while (start.size() > 3 && (start.back() == L'\\' || start.back() == L'/'))
        start.pop_back();
    BROWSEINFOW browse{};
    browse.hwndOwner = owner ? owner : owner_;
    browse.lpszTitle = wide_title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = folder_browser_callback;
    browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    const std::unique_ptr<ITEMIDLIST, ItemListFree> chosen(SHBrowseForFolderW(&browse));
    if (!chosen)
        return {};
    // Long paths: the extended call takes a buffer of any size.
    std::vector<wchar_t> path(32768, L'\0');
    if (!SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()),
                               GPFIDL_DEFAULT)) {
        return {};
    }
    return wide_to_utf8(path.data());
}

}  // namespace trevalon
