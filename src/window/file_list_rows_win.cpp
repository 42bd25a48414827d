// The file list's rows of files from anywhere (search results as you type):
// a virtual list that asks for each row as it draws it, icons looked up for
// those rows alone, the location of each row in its tooltip and, in list
// mode, in a second column.
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

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
constexpr UINT_PTR kIconTimer = 2;
// Rows the list holds at first, and how near its end a drawn row lets it
// hold more (posted to itself, so the count never changes while it draws).
// A list view lays out every row it holds in the icon modes (Wine's, each
// time it is shown or counts anew): a screen's worth and far more, not tens
// of thousands.
constexpr std::size_t kRowsAtOnce = 1000;
constexpr std::size_t kMoreRowsAhead = 200;
constexpr UINT kMoreRowsMessage = WM_APP + 40;
// Icons remembered at most; then the memory starts afresh.
constexpr std::size_t kRememberedIcons = 20000;
// Time given to icon look-ups in one turn, in milliseconds: a key typed
// meanwhile waits at most about this long.
constexpr ULONGLONG kIconTurn = 15;

bool input_waiting() {
    return HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

std::string extension_of(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("\\/");
    return dot == std::string::npos || (slash != std::string::npos && dot < slash)
               ? std::string()
               : path.substr(dot);
}

void copy_text(NMLVDISPINFOW& info, const std::wstring& text) {
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0)
        lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
}

}  // namespace

void FileList::show_rows(std::vector<ListRow> rows) {
    show_rows(std::make_shared<ListRowVector>(std::move(rows)));
}

void FileList::show_rows(std::shared_ptr<ListRows> rows) {
    ++serial_;
    rows_ = std::move(rows);
    note_.clear();
    // Icons asked for earlier rows: asked again when their rows are drawn.
    icons_due_.clear();
    icons_asked_.clear();
    source_.folder.clear();
    looks_.clear();
    tooltip_row_ = -1;
    if (!list_ || !rows_list_)
        return;
    if (tooltip_)
        SendMessageW(tooltip_, TTM_POP, 0, 0);
    // The folder's rows go; the rows' list starts at its top with nothing
    // selected, and asks for what it draws.
    if (SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    if (SendMessageW(rows_list_, LVM_GETSELECTEDCOUNT, 0, 0) > 0 ||
        SendMessageW(rows_list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                     MAKELPARAM(LVNI_FOCUSED, 0)) >= 0) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(rows_list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&none));
    }
    rows_given_ = std::min(rows_ ? rows_->count() : 0, kRowsAtOnce);
    more_rows_asked_ = false;
    SendMessageW(rows_list_, LVM_SETITEMCOUNT, rows_given_, 0);
    SendMessageW(rows_list_, LVM_ENSUREVISIBLE, 0, FALSE);
    show_rows_list(true);
    keep_whole_lines(rows_list_);
    InvalidateRect(rows_list_, nullptr, TRUE);
    mark_focus_row();
}

void FileList::add_note(std::string_view line) {
    ++serial_;
    if (showing_rows_) {
        note_ = utf8_to_wide(line);
        if (rows_given_ == row_total())
            SendMessageW(rows_list_, LVM_SETITEMCOUNT, rows_given_ + 1, 0);
        InvalidateRect(rows_list_, nullptr, TRUE);
        return;
    }
    if (list_) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row_count();
        std::wstring text = utf8_to_wide(line);
        item.pszText = text.data();
        item.iImage = I_IMAGENONE;
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

std::optional<ListRow> FileList::shown_row(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= row_total())
        return std::nullopt;
    return rows_->row(static_cast<std::size_t>(row));
}

LRESULT FileList::answer_rows_row(NMLVDISPINFOW& info) {
    const auto row = static_cast<std::size_t>(info.item.iItem);
    if (info.item.iItem < 0 || info.item.iSubItem != 0) {
        copy_text(info, L"");
        return 0;
    }
    if (row >= row_total()) {
        // The line after the rows.
        copy_text(info, row == row_total() ? note_ : std::wstring());
        if (info.item.mask & LVIF_IMAGE)
            info.item.iImage = I_IMAGENONE;
        return 0;
    }
    if (row + kMoreRowsAhead >= rows_given_ && rows_given_ < row_total() && !more_rows_asked_) {
        more_rows_asked_ = true;
        PostMessageW(rows_list_, kMoreRowsMessage, 0, 0);
    }
    const ListRow shown = rows_->row(row);
    copy_text(info, utf8_to_wide(shown.text));
    if (info.item.mask & LVIF_IMAGE)
        info.item.iImage = icon_for(info.item.iItem, shown.path);
    return 0;
}

int FileList::icon_for(int row, const std::string& path) {
    if (const auto known = icons_.find(path); known != icons_.end())
        return known->second;
    // Its kind's icon for now: the shell knows it without reading the file.
    const std::string extension = extension_of(path);
    auto kind = kind_icons_.find(extension);
    if (kind == kind_icons_.end()) {
        SHFILEINFOW file{};
        SHGetFileInfoW(utf8_to_wide(extension.empty() ? "file" : extension).c_str(),
                       FILE_ATTRIBUTE_NORMAL, &file, sizeof(file),
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
        kind = kind_icons_.emplace(extension, file.iIcon).first;
    }
    if (icons_asked_.insert(path).second) {
        icons_due_.emplace_back(row, path);
        SetTimer(rows_list_, kIconTimer, USER_TIMER_MINIMUM, nullptr);
    }
    return kind->second;
}

void FileList::look_up_due_icons() {
    // A timer's turn comes when no other message waits; a key or a click
    // that comes meanwhile goes first.
    const ULONGLONG until = GetTickCount64() + kIconTurn;
    while (!icons_due_.empty() && !input_waiting() && GetTickCount64() < until) {
        const auto [row, path] = std::move(icons_due_.front());
        icons_due_.pop_front();
        if (icons_.size() >= kRememberedIcons)
            icons_.clear();
        // The shell reads a link's target for its icon through COM.
        ComInit com;
        SHFILEINFOW file{};
        shell_file_info(path, SHGFI_SYSICONINDEX, file);
        icons_.emplace(path, file.iIcon);
        const std::optional<ListRow> shown = shown_row(row);
        if (shown && shown->path == path)
            SendMessageW(rows_list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
    if (icons_due_.empty())
        KillTimer(rows_list_, kIconTimer);
}

std::optional<LRESULT> FileList::answer_notification(const NMHDR& header) {
    if (!owns(header.hwndFrom))
        return std::nullopt;
    // Nobody needs a notification for each row removed.
    if (header.code == LVN_DELETEALLITEMS)
        return TRUE;
    if (header.code == LVN_GETDISPINFOW) {
        auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
        return header.hwndFrom == rows_list_ ? answer_rows_row(info) : answer_folder_row(info);
    }
    return std::nullopt;
}

// In list mode each entry is a full line: the location goes into its right
// part, over whatever of a long name would reach there.
LRESULT FileList::draw_locations(NMLVCUSTOMDRAW& draw, LRESULT answer) const {
    if (!showing_rows_ || draw.nmcd.hdr.hwndFrom != rows_list_ || display_mode() != kListMode)
        return answer;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return answer | CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return answer | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT: {
            const std::optional<ListRow> shown = shown_row(static_cast<int>(draw.nmcd.dwItemSpec));
            if (!shown || shown->location.empty())
                return answer;
            RECT item{};
            item.left = LVIR_BOUNDS;
            if (!SendMessageW(rows_list_, LVM_GETITEMRECT, draw.nmcd.dwItemSpec,
                              reinterpret_cast<LPARAM>(&item)))
                return answer;
            const int dpi = window_dpi(rows_list_);
            RECT column = item;
            column.left = item.left + (item.right - item.left) * kNameShare / 100;
            const HDC dc = draw.nmcd.hdc;
            const auto background =
                static_cast<COLORREF>(SendMessageW(rows_list_, LVM_GETBKCOLOR, 0, 0));
            SetBkColor(dc, background);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
            column.left += MulDiv(kColumnGap, dpi, 96);
            SetTextColor(dc, quiet_text_);
            std::wstring location = utf8_to_wide(shown->location);
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
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, rows_list_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        return;
    // The whole rows' list is one tool; it asks the list for its text, and
    // the list pops it whenever the pointer moves on to another row.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = rows_list_;
    tool.uId = reinterpret_cast<UINT_PTR>(rows_list_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0,
                 MulDiv(kTooltipWidth, window_dpi(rows_list_), 96));
}

void FileList::subclass() {
    for (HWND list : windows())
        SetWindowSubclass(list, list_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void FileList::give_more_rows() {
    more_rows_asked_ = false;
    if (!showing_rows_ || rows_given_ >= row_total())
        return;
    rows_given_ = std::min(row_total(), rows_given_ * 2);
    const std::size_t note = rows_given_ == row_total() && !note_.empty() ? 1 : 0;
    SendMessageW(rows_list_, LVM_SETITEMCOUNT, rows_given_ + note,
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void FileList::keep_whole_lines(HWND list) {
    if (display_mode() != kListMode || name_column_width_ < 0)
        return;
    const int width = list_entry_width();
    if (SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) == width)
        return;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
    measure_scroll_range(list);
    InvalidateRect(list, nullptr, TRUE);
}

void FileList::measure_scroll_range(HWND list) {
    // Wine's list view keeps the scroll range of the old entry width after a
    // change of mode or width: the rows beyond the first column could be
    // selected but never scrolled to. Giving a virtual list its count again
    // measures the range afresh, the scroll position kept.
    if (list == rows_list_ && showing_rows_)
        SendMessageW(list, LVM_SETITEMCOUNT, rows_given_, LVSICF_NOSCROLL);
}

LRESULT CALLBACK FileList::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self) {
    auto* list = reinterpret_cast<FileList*>(self);
    switch (message) {
        case WM_TIMER:
            if (wparam != kIconTimer)
                break;
            list->look_up_due_icons();
            return 0;
        case kMoreRowsMessage:
            list->give_more_rows();
            return 0;
        case WM_PAINT: {
            // A list view measures its entries again when it is first drawn
            // (in list mode as narrow columns): each stays a whole line.
            const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
            list->keep_whole_lines(window);
            return result;
        }
        case WM_SETFOCUS: {
            // The keys' target shows from the moment the list has them.
            const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
            list->mark_focus_row();
            return result;
        }
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
            const std::optional<ListRow> shown = list->shown_row(list->tooltip_row_);
            list->tooltip_text_ = shown ? utf8_to_wide(shown->location) : std::wstring();
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
