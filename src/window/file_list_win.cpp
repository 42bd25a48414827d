#include "window/file_list_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <commoncontrols.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <array>
#include <algorithm>
#include <chrono>
#include <vector>

#include "menu/directory_listing.h"
#include "platform/handles_win.h"
#include "platform/shell_info_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr int kCreatedColumnWidth = 100;
// The number of whichever list view is hidden: none the program uses.
constexpr int kHiddenListId = 0xF003;

// IID_IImageList, which MinGW's import libraries lack; an image list from
// SHGetImageList is also its HIMAGELIST.
constexpr IID kImageListInterface{
    0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

// Text keys of the column titles, used where the shell gives none.
constexpr std::array<std::string_view, kColumnCount> kColumnTitleKeys{
    "Column_Name", "Column_Size", "Column_Type", "Column_Modified"};

// The shell's own (localised) titles of its name, size, type and
// modification-date columns, found by the property each column shows.
std::array<std::wstring, kColumnCount> shell_column_titles() {
    std::array<std::wstring, kColumnCount> titles;
    ComInit com;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put())))
        return titles;
    wchar_t windows_folder[MAX_PATH] = {};
    if (!GetSystemWindowsDirectoryW(windows_folder, MAX_PATH))
        return titles;
    PIDLIST_RELATIVE pidl = nullptr;
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, windows_folder, nullptr, &pidl, nullptr)))
        return titles;
    ComPtr<IShellFolder2> folder;
    const HRESULT bound =
        desktop->BindToObject(pidl, nullptr, IID_IShellFolder2, folder.put_void());
    CoTaskMemFree(pidl);
    if (FAILED(bound))
        return titles;
    // The storage properties: display name, size, type text, date modified.
    constexpr GUID kStorageProperties{
        0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}};
    constexpr std::array<DWORD, kColumnCount> kPropertyIds{10, 12, 4, 14};
    for (UINT column = 0; column < 64; ++column) {
        SHCOLUMNID id{};
        if (FAILED(folder->MapColumnToSCID(column, &id)))
            break;
        for (std::size_t i = 0; i < kPropertyIds.size(); ++i) {
            if (!titles[i].empty() || !IsEqualGUID(id.fmtid, kStorageProperties) ||
                id.pid != kPropertyIds[i])
                continue;
            SHELLDETAILS details{};
            wchar_t* text = nullptr;
            if (SUCCEEDED(folder->GetDetailsOf(nullptr, column, &details)) &&
                SUCCEEDED(StrRetToStrW(&details.str, nullptr, &text)) && text) {
                titles[i] = text;
                CoTaskMemFree(text);
            }
        }
    }
    return titles;
}

std::wstring size_text(std::uintmax_t size) {
    wchar_t text[64] = {};
    StrFormatKBSizeW(static_cast<LONGLONG>(size), text, 64);
    return text;
}

// Date and time in the user's short formats, in local time.
std::wstring modified_text(std::filesystem::file_time_type modified) {
    const auto since_1970 = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(modified).time_since_epoch());
    const std::int64_t ticks = (since_1970.count() + 11'644'473'600LL) * 10'000'000LL;
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return {};
    wchar_t date[80] = {};
    wchar_t time[80] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 80);
    return std::wstring(date) + L" " + time;
}

void set_cell(HWND list, int row, int column, std::wstring text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

constexpr std::array<DWORD, 4> kModeStyles{LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

}  // namespace

bool file_list_double_buffered() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !ntdll || !GetProcAddress(ntdll, "wine_get_version");
}

bool FileList::create(HWND parent, const Rect& rect, int control_id, int dpi, int name_width) {
    control_id_ = control_id;
    const std::array<std::wstring, kColumnCount> shell_titles = shell_column_titles();
    // The system image lists, shared with the shell (never destroyed here),
    // asked for directly rather than through a file's icon.
    IImageList* small_images = nullptr;
    IImageList* large_images = nullptr;
    SHGetImageList(SHIL_SMALL, kImageListInterface, reinterpret_cast<void**>(&small_images));
    SHGetImageList(SHIL_LARGE, kImageListInterface, reinterpret_cast<void**>(&large_images));

    // The folder's list, then the rows' list: hidden, and under another
    // number until it is shown. The rows keep their order in every mode
    // (arranged, so the arrow keys go from one to the next). Both are made in
    // the mode first shown: switching from another costs a list a layout.
    for (HWND* made : {&list_, &rows_list_}) {
        const bool rows = made == &rows_list_;
        *made = CreateWindowExW(
            0, WC_LISTVIEWW, L"",
            WS_CHILD | WS_TABSTOP | LVS_ICON | LVS_SHAREIMAGELISTS | LVS_SINGLESEL |
                LVS_NOSORTHEADER | (rows ? LVS_OWNERDATA | LVS_AUTOARRANGE : WS_VISIBLE),
            rect.x, rect.y, rect.width, rect.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(rows ? kHiddenListId : control_id)),
            GetModuleHandleW(nullptr), nullptr);
        if (!*made)
            return false;
        HWND list = *made;
        if (file_list_double_buffered()) {
            SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER,
                         LVS_EX_DOUBLEBUFFER);
        }
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small_images));
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large_images));
        for (int column = 0; column < kColumnCount; ++column) {
            std::wstring title = shell_titles[static_cast<std::size_t>(column)];
            if (title.empty())
                title = utf8_to_wide(
                    trevalon::text(kColumnTitleKeys[static_cast<std::size_t>(column)]));
            LVCOLUMNW data{};
            data.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            data.fmt = column == kSizeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
            // The icon view takes no column width later: it is set now.
            data.cx = column == kNameColumn ? name_width : scale_length(kCreatedColumnWidth, dpi);
            data.pszText = title.data();
            data.iSubItem = column;
            SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&data));
        }
    }
    name_column_width_ = name_width;
    subclass();
    return true;
}

void FileList::show_rows_list(bool rows) {
    if (rows == showing_rows_ || !list_ || !rows_list_)
        return;
    HWND from = window();
    HWND to = rows ? rows_list_ : list_;
    // The one shown takes the other's place, number and focus. Moved only
    // when the window's form changed meanwhile: a list view that arranges
    // its items does so again for every move.
    RECT place{};
    RECT own{};
    GetWindowRect(from, &place);
    GetWindowRect(to, &own);
    if (!EqualRect(&place, &own)) {
        MapWindowPoints(nullptr, GetParent(from), reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(to, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowLongPtrW(from, GWLP_ID, kHiddenListId);
    SetWindowLongPtrW(to, GWLP_ID, control_id_);
    const bool had_focus = GetFocus() == from;
    showing_rows_ = rows;
    ShowWindow(to, SW_SHOWNA);
    ShowWindow(from, SW_HIDE);
    if (had_focus)
        SetFocus(to);
    tooltip_row_ = -1;
    if (tooltip_)
        SendMessageW(tooltip_, TTM_POP, 0, 0);
}

void FileList::set_text(std::string_view text) {
    source_ = apply_list_text(source_, text);
    read_folder();
}

void FileList::read_folder() {
    ++serial_;
    rows_.reset();
    rows_given_ = 0;
    note_.clear();
    icons_due_.clear();
    icons_asked_.clear();
    if (!list_)
        return;
    show_rows_list(false);
    // The rows' list lets go of its rows while hidden.
    if (rows_list_)
        SendMessageW(rows_list_, LVM_SETITEMCOUNT, 0, 0);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    looks_.clear();
    if (!source_.folder.empty()) {
        const auto entries = list_directory(source_.folder, ListingDetail::full);
        for (const std::string_view pattern : split_patterns(source_.pattern)) {
            if (!entries)
                break;
            for (const DirectoryEntry& entry : *entries) {
                if (entry.is_directory || !matches_file_pattern(entry.name, pattern))
                    continue;
                std::wstring name = utf8_to_wide(entry.name);
                RowLook look;
                look.path = source_.folder + entry.name;
                looks_.push_back(std::move(look));
                // Icon and type name are looked up when the row is drawn.
                LVITEMW item{};
                item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
                item.iItem = row_count();
                item.pszText = name.data();
                item.iImage = I_IMAGECALLBACK;
                item.lParam = static_cast<LPARAM>(looks_.size() - 1);
                const int row = static_cast<int>(
                    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
                if (row < 0)
                    continue;
                set_cell(list_, row, kSizeColumn, size_text(entry.size));
                LVITEMW type{};
                type.iSubItem = kTypeColumn;
                type.pszText = LPSTR_TEXTCALLBACKW;
                SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&type));
                set_cell(list_, row, kModifiedColumn, modified_text(entry.modified));
            }
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    mark_focus_row();
}

LRESULT FileList::answer_folder_row(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    const auto index = static_cast<std::size_t>(item.lParam);
    if (index >= looks_.size())
        return 0;
    RowLook& look = looks_[index];
    if (!look.looked_up) {
        // The shell reads a link's target for its icon through COM.
        ComInit com;
        SHFILEINFOW shell{};
        shell_file_info(look.path, SHGFI_SYSICONINDEX | SHGFI_TYPENAME, shell);
        look.icon = shell.iIcon;
        look.type = shell.szTypeName;
        look.looked_up = true;
    }
    if (item.mask & LVIF_IMAGE) {
        item.iImage = look.icon;
        item.mask |= LVIF_DI_SETITEM;
    }
    if ((item.mask & LVIF_TEXT) && item.iSubItem == kTypeColumn && item.pszText &&
        item.cchTextMax > 0) {
        lstrcpynW(item.pszText, look.type.c_str(), item.cchTextMax);
    }
    return 0;
}

int FileList::state() const {
    HWND list = window();
    return list ? static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                MAKELPARAM(LVNI_SELECTED, 0)))
                : -1;
}

int FileList::row_count() const {
    HWND list = window();
    return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string FileList::item_text(int row, int column) const {
    if (row < 0 || row >= row_count() || column < 0 || column >= kColumnCount)
        return {};
    std::wstring buffer(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(SendMessageW(
        window(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    buffer.resize(std::min(length, buffer.size()));
    return wide_to_utf8(buffer);
}

void FileList::set_display_mode(int mode) {
    if (!list_ || mode < 0 || mode >= static_cast<int>(kModeStyles.size()))
        return;
    for (HWND list : windows()) {
        if (!list)
            continue;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
        SetWindowLongPtrW(list, GWL_STYLE,
                          static_cast<LONG_PTR>((style & ~LVS_TYPEMASK) |
                                                kModeStyles[static_cast<std::size_t>(mode)]));
        if (mode == kListMode && name_column_width_ >= 0)
            SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(list_entry_width(), 0));
        SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
        measure_scroll_range(list);
        InvalidateRect(list, nullptr, TRUE);
    }
}

int FileList::list_entry_width() const {
    RECT inner{};
    GetClientRect(window(), &inner);
    return inner.right > 0 ? std::min(name_column_width_, static_cast<int>(inner.right))
                           : name_column_width_;
}

int FileList::display_mode() const {
    if (!list_)
        return kDetailsMode;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE)) & LVS_TYPEMASK;
    for (std::size_t mode = 0; mode < kModeStyles.size(); ++mode) {
        if (kModeStyles[mode] == style)
            return static_cast<int>(mode);
    }
    return kDetailsMode;
}

void FileList::set_column_width(int column, int width) {
    if (column == kNameColumn)
        name_column_width_ = width;
    const int applied =
        column == kNameColumn && display_mode() == kListMode ? list_entry_width() : width;
    for (HWND list : windows()) {
        if (list) {
            SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                         MAKELPARAM(applied, 0));
        }
    }
}

void FileList::set_colours(COLORREF text, COLORREF background, COLORREF quiet_text) {
    quiet_text_ = quiet_text;
    for (HWND list : windows()) {
        SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
        SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    }
}

void FileList::set_font(HFONT font) {
    for (HWND list : windows()) {
        if (font && list)
            SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void FileList::focus() {
    if (HWND list = window())
        SetFocus(list);
}

void FileList::select_row(int row) {
    HWND list = window();
    if (!list || row < 0 || row >= row_count())
        return;
    // The list selects single rows, but the old one's mark goes all the same.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void FileList::mark_focus_row() {
    HWND list = window();
    if (!list || GetFocus() != list || row_count() <= 0 ||
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0)
        return;
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
}

}  // namespace trevalon
