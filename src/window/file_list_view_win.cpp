#include "window/file_list_view_win.h"

#include <algorithm>
#include <string>

#include "platform/wide_win.h"

namespace trevalon {

int ListViewFileList::row_count() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListViewFileList::row_text(int row) const {
    if (row < 0 || row >= row_count())
        return {};
    // The control answers with the number of characters copied; a full
    // buffer may mean a longer text, so try again with more room.
    for (std::size_t size = 512;; size *= 2) {
        std::wstring buffer(size, L'\0');
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<std::size_t>(SendMessageW(
            list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size >= 65536) {
            buffer.resize(std::min(length, size));
            return wide_to_utf8(buffer);
        }
    }
}

void ListViewFileList::remove_row(int row) {
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListViewFileList::set_row_text(int row, std::string_view text) {
    std::wstring wide = utf8_to_wide(text);
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = wide.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace trevalon
