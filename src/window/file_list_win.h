// The file list (control 3): a list view that reads the files of one folder
// by pattern, in the shared name order, with the shell's icons and type
// names (looked up as rows are drawn). It shows a snapshot: it reads its folder only when its text
// is set and does not watch the folder.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/file_list_text.h"
#include "window/layout.h"

namespace trevalon {

// Display modes: the list-view styles icon, small icon, list and details.
inline constexpr int kLargeIconMode = 0;
inline constexpr int kSmallIconMode = 1;
inline constexpr int kListMode = 2;
inline constexpr int kDetailsMode = 3;

// Columns, each 100 pixels wide (at 96 dpi) when created.
inline constexpr int kNameColumn = 0;
inline constexpr int kSizeColumn = 1;
inline constexpr int kTypeColumn = 2;
inline constexpr int kModifiedColumn = 3;
inline constexpr int kColumnCount = 4;

// Whether the list draws through a buffer. Wine's list view leaves the band
// below the last row of list mode unpainted (black) when it does, so there
// the list draws directly.
bool file_list_double_buffered();

// A row that stands for a file of any folder (search results as you type):
// its path, the text shown, and where it lives, for its tooltip and, in list
// mode, a second column.
struct ListRow {
    std::string path;
    std::string text;
    std::string location;
};

class FileList {
  public:
    // Creates the control in large-icon mode with pattern "*.*" and no
    // folder, its name column `name_width` wide (what set_column_width
    // would set).
    bool create(HWND parent, const Rect& rect, int control_id, int dpi, int name_width);

    HWND window() const { return list_; }

    // Shows a folder and/or a pattern (see apply_list_text) and reads the
    // folder again.
    void set_text(std::string_view text);

    // Shows rows of files from anywhere instead of a folder: the folder is
    // cleared (the pattern stays). The first rows (more than a screen holds)
    // are in the list at once, the rest follow in steps whenever the window
    // has nothing else to do; icons are looked up only for the rows drawn.
    void show_rows(std::vector<ListRow> rows);
    // Whether rows of show_rows are still to follow; fill_all puts them in now.
    bool filling() const { return filled_ < rows_.size(); }
    void fill_all();
    // Adds a row that is no file: a line of text without an icon (the list's
    // answer when it has nothing to show).
    void add_note(std::string_view line);
    const std::vector<ListRow>& rows() const { return rows_; }
    // Changes whenever the list gets new content, by any of the calls above.
    std::uint64_t serial() const { return serial_; }

    // The list's notifications its parent passes on: the icons of the rows
    // shown by show_rows, the icons and type names of a folder's rows. The
    // list asks only for the rows it draws, so the shell's look-up, by far
    // the costliest part of a row, is done for those alone, once per row.
    // An answer means the notification is handled.
    std::optional<LRESULT> answer_notification(const NMHDR& header);
    // Its custom drawing, given what the window answers for its own part
    // (the hover highlight): in list mode the rows of show_rows get a second
    // column saying where each lives. Returns the answer for the list.
    LRESULT draw_locations(NMLVCUSTOMDRAW& draw, LRESULT answer) const;
    // The tooltip of the row under the pointer: where the row's file lives.
    // Made apart from the list (after the window's first paint, which does
    // not need it).
    void create_tooltip();
    HWND tooltip() const { return tooltip_; }
    int tooltip_row() const { return tooltip_row_; }
    // The current folder, ending in "\"; empty when none.
    const std::string& text() const { return source_.folder; }
    const std::string& pattern() const { return source_.pattern; }

    // The selected row, -1 when none.
    int state() const;
    int row_count() const;
    // The text of a cell; column 0 is the file name (until the clean-up
    // replaces it by the display name).
    std::string item_text(int row, int column) const;

    // Applies the mode to the control's style at once and redraws it.
    void set_display_mode(int mode);
    int display_mode() const;
    // Column 0's width is also every entry's width in list mode; there it is
    // kept within the list's inner width, so one entry fills a line without
    // a horizontal scroll bar.
    void set_column_width(int column, int width);
    void set_colours(COLORREF text, COLORREF background);
    void set_font(HFONT font);
    void focus();

  private:
    void read_folder();
    LRESULT answer_folder_row(NMLVDISPINFOW& info);
    int list_entry_width() const;
    // The list's own handling of its timer, the pointer and its tooltip.
    void subclass();
    void fill_up_to(std::size_t count);
    static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR self);

    // The shell's answers for a folder's rows, by the rows' item data.
    struct RowLook {
        std::string path;
        bool looked_up = false;
        int icon = 0;
        std::wstring type;
    };

    HWND list_ = nullptr;
    HWND tooltip_ = nullptr;
    int tooltip_row_ = -1;       // the row the tooltip speaks of, -1 for none
    std::wstring tooltip_text_;  // what the tooltip shows, kept while it shows it
    std::vector<ListRow> rows_;  // the rows of show_rows, while shown
    std::size_t filled_ = 0;     // how many of them are in the list
    // The system image list's icon of each file shown by show_rows so far:
    // the same files come back with every key typed, and the shell's look-up
    // of a link's icon is slow.
    std::unordered_map<std::string, int> icons_;
    bool has_locations_ = false;
    std::uint64_t serial_ = 0;
    ListSource source_;
    std::vector<RowLook> looks_;
    int name_column_width_ = -1;
    COLORREF background_ = RGB(255, 255, 255);  // as set; re-applied on switching to list mode
};

}  // namespace trevalon
