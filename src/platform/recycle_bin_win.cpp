#include "platform/recycle_bin_win.h"

#include <shellapi.h>

#include <string>

#include "menu/reserved_names.h"
#include "platform/wide_win.h"

namespace trevalon {

bool recycle_bin_available(std::string_view path) {
    // The shell's file operations take no literal paths, so they would reach
    // a device, or another file, for such a name.
    if (has_reserved_part(path))
        return false;
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(SHQueryRecycleBinW(utf8_to_wide(path).c_str(), &info));
}

bool move_to_recycle_bin(std::string_view path, HWND owner) {
    std::wstring from = utf8_to_wide(path);
    while (!from.empty() && from.back() == L'\\')
        from.pop_back();
    // Nothing there is nothing deleted, whatever the shell answers.
    if (from.empty() || has_reserved_part(path) ||
        GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // The list of names ends in a second zero.
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_WANTNUKEWARNING;
    const int result = SHFileOperationW(&operation);
    return result == 0 && !operation.fAnyOperationsAborted &&
           GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace trevalon
