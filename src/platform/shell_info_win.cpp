#include "platform/shell_info_win.h"

#include <string>

#include "menu/path_text.h"
#include "menu/reserved_names.h"
#include "platform/wide_win.h"

namespace trevalon {

DWORD_PTR shell_file_info(std::string_view path, UINT flags, SHFILEINFOW& info) {
    if (!has_reserved_part(path))
        return SHGetFileInfoW(utf8_to_wide(path).c_str(), 0, &info, sizeof(info), flags);
    const NameParts parts = split_extension(file_name_part(path));
    const std::wstring stand_in = L"entry." + utf8_to_wide(parts.extension);
    return SHGetFileInfoW(stand_in.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                          flags | SHGFI_USEFILEATTRIBUTES);
}

}  // namespace trevalon
