// The file list's rows of files from anywhere (search results as you type):
// filled from memory, icons looked up as rows are drawn, the location of
// each row in its tooltip and, in list mode, in a second column.
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/handles_win.h"
#include "platform/shell_info_win.h"
#include "platform/wide_win.h"
#include "window/dpi_win.h"
#include "window/file_list_win.h"

namespace trevalon {
namespace {

// Where the second column starts, in hundredths of an entry's width.
constexpr int kNameShare = 50;
constexpr int kColumnGap = 8;  // pixels at 96 dpi before the second column
constexpr int kTooltipWidth = 480;

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kFillTimer = 1;
// Rows put in at once: more than the largest pane shows in any mode. The
// list control takes a while for each row, so thousands of results go in by
// steps between the user's keys and clicks.
constexpr std::size_t kFirstRows = 100;
constexpr std::size_t kRowsPerStep = 400;
// Icons remembered at most; then the memory starts afresh.
constexpr std::size_t kRememberedIcons = 20000;

void insert_row(HWND list, int row, std::wstring text, int image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = text.data();
    item.iImage = image;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void FileList::show_rows(std::vector<ListRow> rows) {
    ++serial_;
    rows_ = std::move(rows);
    has_locations_ = false;
    for (const ListRow& row : rows_)
        has_locations_ = has_locations_ || !row.location.empty();
    source_.folder.clear();
    looks_.clear();
    tooltip_row_ = -1;
    filled_ = 0;
    if (!list_)
        return;
    if (tooltip_)
        SendMessageW(tooltip_, TTM_POP, 0, 0);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    fill_up_to(kFirstRows);
    if (filling()) {
        // A timer's turn comes only when no key, click or other message waits.
        SetTimer(list_, kFillTimer, USER_TIMER_MINIMUM, nullptr);
    }
}

void FileList::fill_up_to(std::size_t count) {
    const std::size_t end = std::min(count, rows_.size());
    if (filled_ >= end)
        return;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    for (; filled_ < end; ++filled_) {
        insert_row(list_, static_cast<int>(filled_), utf8_to_wide(rows_[filled_].text),
                   I_IMAGECALLBACK);
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void FileList::fill_all() {
    if (list_)
        fill_up_to(rows_.size());
}

void FileList::add_note(std::string_view line) {
    ++serial_;
    if (list_)
        insert_row(list_, row_count(), utf8_to_wide(line), I_IMAGENONE);
}

std::optional<LRESULT> FileList::answer_notification(const NMHDR& header) {
    if (!list_ || header.hwndFrom != list_)
        return std::nullopt;
    // Nobody needs a notification for each row removed.
    if (header.code == LVN_DELETEALLITEMS)
        return TRUE;
    if (header.code == LVN_GETDISPINFOW) {
        auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
        if (rows_.empty())
            return answer_folder_row(info);
        const auto row = static_cast<std::size_t>(info.item.iItem);
        if (!(info.item.mask & LVIF_IMAGE) || info.item.iItem < 0 || row >= rows_.size())
            return std::nullopt;
        const std::string& path = rows_[row].path;
        auto known = icons_.find(path);
        if (known == icons_.end()) {
            if (icons_.size() >= kRememberedIcons)
                icons_.clear();
            // The shell reads a link's target for its icon through COM.
            ComInit com;
            SHFILEINFOW file{};
            shell_file_info(path, SHGFI_SYSICONINDEX, file);
            known = icons_.emplace(path, file.iIcon).first;
        }
        info.item.iImage = known->second;
        info.item.mask |= LVIF_DI_SETITEM;  // the list keeps it: asked once per row
        return 0;
    }
    return std::nullopt;
}

// In list mode each entry is a full line: the location goes into its right
// part, over whatever of a long name would reach there.
LRESULT FileList::draw_locations(NMLVCUSTOMDRAW& draw, LRESULT answer) const {
    if (!has_locations_ || display_mode() != kListMode)
        return answer;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return answer | CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return answer | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT: {
            const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            if (row >= rows_.size() || rows_[row].location.empty())
                return answer;
            RECT item{};
            item.left = LVIR_BOUNDS;
            if (!SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)))
                return answer;
            const int dpi = window_dpi(list_);
            RECT column = item;
            column.left = item.left + (item.right - item.left) * kNameShare / 100;
            const HDC dc = draw.nmcd.hdc;
            const auto background =
                static_cast<COLORREF>(SendMessageW(list_, LVM_GETBKCOLOR, 0, 0));
            SetBkColor(dc, background);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
            column.left += MulDiv(kColumnGap, dpi, 96);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            std::wstring location = utf8_to_wide(rows_[row].location);
            DrawTextW(dc, location.data(), static_cast<int>(location.size()), &column,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
            return answer;
        }
        default:
            return answer;
    }
}

void FileList::create_tooltip() {
    if (!list_ || tooltip_)
        return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        return;
    // The whole list is one tool; it asks the list for its text, and the list
    // pops it whenever the pointer moves on to another row.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list_;
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kTooltipWidth, window_dpi(list_), 96));
}

void FileList::subclass() {
    SetWindowSubclass(list_, list_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FileList::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self) {
    auto* list = reinterpret_cast<FileList*>(self);
    switch (message) {
        case WM_TIMER:
            if (wparam != kFillTimer)
                break;
            list->fill_up_to(list->filled_ + kRowsPerStep);
            if (!list->filling())
                KillTimer(window, kFillTimer);
            return 0;
        case WM_MOUSEMOVE: {
            LVHITTESTINFO hit{};
            hit.pt = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            int row = static_cast<int>(
                SendMessageW(window, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (!(hit.flags & LVHT_ONITEM))
                row = -1;
            if (row != list->tooltip_row_) {
                list->tooltip_row_ = row;
                SendMessageW(list->tooltip_, TTM_POP, 0, 0);
            }
            break;
        }
        case WM_NOTIFY: {
            auto* request = reinterpret_cast<NMTTDISPINFOW*>(lparam);
            if (!request || request->hdr.hwndFrom != list->tooltip_ ||
                request->hdr.code != TTN_GETDISPINFOW)
                break;
            const int row = list->tooltip_row_;
            list->tooltip_text_ =
                row >= 0 && static_cast<std::size_t>(row) < list->rows_.size()
                    ? utf8_to_wide(list->rows_[static_cast<std::size_t>(row)].location)
                    : std::wstring();
            request->lpszText = list->tooltip_text_.data();
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, list_proc, id);
            list->tooltip_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace trevalon
