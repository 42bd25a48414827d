// The file list (control 3): a list view that reads the files of one folder
// by pattern, in the shared name order, with the shell's icons and type
// names (looked up as rows are drawn). It shows a snapshot: it reads its folder only when its text
// is set and does not watch the folder.
//
// Rows of files from anywhere (search results as the user types) go to a
// second list view of its own that holds no rows at all: it asks for each
// row as it draws it (a virtual list), so showing thousands costs no more
// than one screen. The two take turns in the same place under the same
// control number; window() is the one shown.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
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

// Rows the list asks for one at a time, as it draws them.
class ListRows {
  public:
    virtual ~ListRows() = default;
    virtual std::size_t count() const = 0;
    virtual ListRow row(std::size_t index) = 0;
};

// Rows held whole in memory.
class ListRowVector final : public ListRows {
  public:
    explicit ListRowVector(std::vector<ListRow> rows) : rows_(std::move(rows)) {}
    std::size_t count() const override { return rows_.size(); }
    ListRow row(std::size_t index) override { return rows_[index]; }

  private:
    std::vector<ListRow> rows_;
};

class FileList {
  public:
    // Creates the control in large-icon mode with pattern "*.*" and no
    // folder, its name column `name_width` wide (what set_column_width
    // would set).
    bool create(HWND parent, const Rect& rect, int control_id, int dpi, int name_width);

    // The list view shown: the folder's or the rows'.
    HWND window() const { return showing_rows_ ? rows_list_ : list_; }
    // Whether a window is one of the two.
    bool owns(HWND window) const { return window && (window == list_ || window == rows_list_); }
    // Both list views, for what each needs alike (subclasses).
    std::array<HWND, 2> windows() const { return {list_, rows_list_}; }

    // Shows a folder and/or a pattern (see apply_list_text) and reads the
    // folder again.
    void set_text(std::string_view text);

    // Shows rows of files from anywhere instead of a folder: the folder is
    // cleared (the pattern stays). The list asks for the rows it draws. It
    // holds the first thousand rows at first and more as it is scrolled
    // towards their end. A row drawn before its file's icon is known shows
    // the icon of its kind of file; the file's own icon is looked up
    // afterwards, while no input waits, and the row drawn again.
    void show_rows(std::shared_ptr<ListRows> rows);
    void show_rows(std::vector<ListRow> rows);
    bool showing_rows() const { return showing_rows_; }
    // Adds a row that is no file: a line of text without an icon (the list's
    // answer when it has nothing to show).
    void add_note(std::string_view line);
    // The rows shown by show_rows (none while a folder shows), and one of
    // them; the note is no row.
    std::size_t row_total() const { return showing_rows_ && rows_ ? rows_->count() : 0; }
    std::optional<ListRow> shown_row(int row) const;
    // Rows drawn whose files' icons are still to be looked up.
    std::size_t icons_waiting() const { return icons_due_.size(); }
    // How many of the rows the list holds so far.
    std::size_t rows_given() const { return rows_given_; }
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
    // The names, the background, and where a search result lives.
    void set_colours(COLORREF text, COLORREF background, COLORREF quiet_text);
    void set_font(HFONT font);
    void focus();
    // While the list has the keyboard focus, one row shows the focus mark:
    // the first when none has it (the selection stays as it is).
    void mark_focus_row();
    // Makes `row` the one selected and focused row, scrolled into view.
    void select_row(int row);

  private:
    void read_folder();
    LRESULT answer_folder_row(NMLVDISPINFOW& info);
    LRESULT answer_rows_row(NMLVDISPINFOW& info);
    int icon_for(int row, const std::string& path);
    void look_up_due_icons();
    int list_entry_width() const;
    void show_rows_list(bool rows);
    // In list mode each entry is a whole line, whatever the list measured.
    void keep_whole_lines(HWND list);
    // The scroll bars measured again for the list's content as it stands.
    void measure_scroll_range(HWND list);
    void give_more_rows();
    // The lists' own handling of their timers, the pointer and the tooltip.
    void subclass();
    static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR self);

    // The shell's answers for a folder's rows, by the rows' item data.
    struct RowLook {
        std::string path;
        bool looked_up = false;
        int icon = 0;
        std::wstring type;
    };

    HWND list_ = nullptr;       // the folder's rows
    HWND rows_list_ = nullptr;  // the rows of show_rows: a virtual list
    bool showing_rows_ = false;
    int control_id_ = 0;
    HWND tooltip_ = nullptr;
    int tooltip_row_ = -1;            // the row the tooltip speaks of, -1 for none
    std::wstring tooltip_text_;       // what the tooltip shows, kept while it shows it
    std::shared_ptr<ListRows> rows_;  // the rows of show_rows, while shown
    std::size_t rows_given_ = 0;      // how many of them the list holds
    bool more_rows_asked_ = false;
    std::wstring note_;  // the line after them, when there is one
    // The system image list's icon of each file shown by show_rows so far:
    // the same files come back with every key typed, and the shell's look-up
    // of a link's icon is slow. The icons of kinds of files, by extension,
    // stand in meanwhile; the rows still to look up wait in their order.
    std::unordered_map<std::string, int> icons_;
    std::unordered_map<std::string, int> kind_icons_;
    std::deque<std::pair<int, std::string>> icons_due_;
    std::unordered_set<std::string> icons_asked_;
    std::uint64_t serial_ = 0;
    ListSource source_;
    std::vector<RowLook> looks_;
    int name_column_width_ = -1;
    COLORREF background_ = RGB(255, 255, 255);  // as set; re-applied on switching to list mode
    COLORREF quiet_text_ = RGB(109, 109, 109);
};

}  // namespace trevalon
