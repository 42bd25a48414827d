// live_search_bench.exe: search as you type under Wine, for bench/run.
//
//   live_search_bench all RUNS
//       The L menu (3,000 real shell links in 400 folders) in each of three
//       roots (own menu, common and user programs) and one root of 50,000
//       files in 5,000 folders, in %TEMP%; then every measure below; then
//       the menus removed.
//   live_search_bench measure RUNS OWN COMMON USER BIG
//       The measures over roots that exist already.
//   live_search_bench memory 1 ROOT...
//       Only the index's memory over the roots, in a fresh process (measure
//       runs this itself).
//
// Result lines:
//   19.build   the index of the three roots built as at start-up: its thread
//              started, every root watched and walked, until it is ready
//   19.walk    the baseline: a bare walk of the same roots (FindFirstFileEx,
//              nothing kept)
//   19.memory  private dirty memory the index adds, KiB per 1,000 entries
//              (19.memory.own: the index's own count of its bytes;
//              19.memory.big.own: the same for the root of 50,000 files)
//   19.usage.file, 19.usage.memory: the launch counts at their bound (400
//              names), their file and their memory, KiB
//   19.key     a key typed into the real window's search field until the
//              list shows the ranked results of the whole text and has
//              painted their first screen (words typed a key at a time, the
//              first key after start included; each key one sample), L in
//              three roots; 19.key.big the same over the 50,000 files
//   19.floor   a bare owner-data list view of the same size, mode and font
//              painting the same first screen from memory (texts and the
//              shell's icons looked up before): what no search can go below;
//              19.floor.big likewise
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "arguments_win.h"
#include "link_menu_win.h"
#include "menu_plan.h"
#include "resident_win.h"
#include "menu/launch_usage.h"
#include "menu/path_text.h"
#include "platform/event.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "settings/settings.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/ui_resources_win.h"
#include "window/view_texts.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"
#include "wine_timing_win.h"

namespace trevalon::bench {
namespace {

// The root of 50,000 files: placeholder files (names and folders are what
// count), in folders of ten.
constexpr MenuShape kBigMenu{"X", 50000, 5000};

// Words typed a key at a time: Latin names of several lengths, one that
// matches few entries, one in another script.
constexpr const wchar_t* kTypedWords[] = {L"editor", L"notes", L"studio", L"lumen v",
                                          L"\u30E1\u30E2\u5E33"};

void print(std::string_view id, std::string_view what, std::string_view unit, const Summary& s) {
    std::puts(result_line(id, what, unit, s).c_str());
    std::fflush(stdout);
}

std::string temp_folder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return wide_to_utf8(std::wstring_view(temp, length));
}

std::string own_folder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return std::string(folder_part(wide_to_utf8(std::wstring_view(path, length))));
}

// --- the index's build against a bare walk ----------------------------------

std::size_t bare_walk(const std::wstring& folder) {
    std::size_t files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
                files += bare_walk(folder + data.cFileName + L"\\");
        } else {
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

std::unique_ptr<SearchIndexer> built_index(const std::vector<std::string>& roots) {
    auto indexer = std::make_unique<SearchIndexer>(roots, nullptr, 0);
    while (!indexer->ready())
        Sleep(0);
    return indexer;
}

// This process as Linux sees it: files are opened by the wineserver, so
// /proc/self would be the server's.
std::optional<double> private_dirty_kb() {
    static const int pid = unix_pid_of("live_search_bench.exe", this_prefix_entry());
    if (pid <= 0) {
        std::fputs("memory: this process was not found among Linux's\n", stderr);
        return std::nullopt;
    }
    return unix_private_dirty_kb(pid);
}

Summary single(double value) {
    return summarize({value});
}

// In a process of its own: a heap that grew for the menus or for earlier
// indexes would hide what the index takes.
int measure_memory(const std::vector<std::string>& roots) {
    // One root: the one of 50,000 files.
    const std::string id = roots.size() == 1 ? "19.memory.big" : "19.memory";
    const auto before = private_dirty_kb();
    auto kept = built_index(roots);
    const auto after = private_dirty_kb();

    const SearchIndexer::Totals totals = kept->totals();
    std::fprintf(stderr,
                 "index: %zu files, %zu bytes by its own count; private dirty %.0f -> %.0f KiB\n",
                 totals.files, totals.bytes, before.value_or(-1), after.value_or(-1));
    if (totals.files == 0)
        return 1;
    if (before && after) {
        print(id, "private dirty memory the index adds, per 1,000 entries", "KiB",
              single((*after - *before) * 1000.0 / static_cast<double>(totals.files)));
    }
    print(id + ".own", "the index's own count of its bytes, per 1,000 entries", "KiB",
          single(static_cast<double>(totals.bytes) / 1024.0 * 1000.0 /
                 static_cast<double>(totals.files)));
    return 0;
}

// Runs this program again with the arguments, its output going to ours.
int run_again(const std::vector<std::string>& args) {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring command = L"\"" + std::wstring(path, length) + L"\"";
    for (const std::string& arg : args)
        command += L" \"" + utf8_to_wide(arg) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    std::fflush(stdout);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info))
        return 1;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

// Alternately, after one warm-up each, and each first every other time: a
// busy machine disturbs both alike, and neither gains from following the
// other (the end of an index leaves the window server work for a while).
void measure_build(int runs, const std::vector<std::string>& roots) {
    std::vector<double> builds;
    std::vector<double> walks;
    const auto build_once = [&] {
        const double start = counter_ms();
        built_index(roots);
        return counter_ms() - start;
    };
    bool reported = false;
    const auto walk_once = [&] {
        const double start = counter_ms();
        std::size_t files = 0;
        for (const std::string& root : roots)
            files += bare_walk(utf8_to_wide(with_trailing_separator(root)));
        const double took = counter_ms() - start;
        if (!reported) {
            // Both must see the same files for the ratio to mean anything.
            std::fprintf(stderr, "bare walk: %zu files\n", files);
            reported = true;
        }
        return took;
    };
    for (int run = 0; run <= runs; ++run) {
        double build = 0;
        double walk = 0;
        if (run % 2 == 0) {
            build = build_once();
            walk = walk_once();
        } else {
            walk = walk_once();
            build = build_once();
        }
        if (run > 0) {
            builds.push_back(build);
            walks.push_back(walk);
        }
    }
    print("19.build", "index of the three roots built (thread, watches, walk) until ready", "ms",
          summarize(builds));
    print("19.walk", "bare walk of the same roots (FindFirstFileEx, nothing kept)", "ms",
          summarize(walks));
}

// --- keystroke to results painted -------------------------------------------

// The floor: a bare owner-data list view in a window of its own, beside the
// program's window, as large as its list, in its mode and font, painting
// rows it holds in memory whole: texts and the shell's icons, looked up
// before the clock starts.
class BareList {
  public:
    BareList(HWND like, HFONT font) {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = window_proc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"TrevalonBenchBareList";
        RegisterClassW(&window_class);
        RECT place{};
        GetWindowRect(like, &place);
        const int width = place.right - place.left;
        const int height = place.bottom - place.top;
        window_ = CreateWindowExW(0, L"TrevalonBenchBareList", L"", WS_POPUP | WS_VISIBLE,
                                  1280 - width, 1024 - height, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
        list_ = CreateWindowExW(
            0, WC_LISTVIEWW, L"",
            WS_CHILD | WS_VISIBLE | LVS_OWNERDATA | LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
            0, 0, width, height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        HIMAGELIST large = nullptr;
        HIMAGELIST small = nullptr;
        SHFILEINFOW info{};
        large = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
        small = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
        SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SendMessageW(list_, LVM_SETVIEW, static_cast<WPARAM>(SendMessageW(like, LVM_GETVIEW, 0, 0)),
                     0);
    }
    ~BareList() {
        if (window_)
            DestroyWindow(window_);
    }

    // The rows, then the time until their first screen is painted.
    double show(std::vector<ListRow> rows, std::size_t count) {
        rows_.clear();
        for (const ListRow& row : rows) {
            SHFILEINFOW file{};
            if (!row.path.empty()) {
                SHGetFileInfoW(utf8_to_wide(row.path).c_str(), 0, &file, sizeof(file),
                               SHGFI_SYSICONINDEX);
            }
            rows_.push_back({utf8_to_wide(row.text), row.path.empty() ? I_IMAGENONE : file.iIcon});
        }
        const double start = counter_ms();
        SendMessageW(list_, LVM_SETITEMCOUNT, count, 0);
        InvalidateRect(list_, nullptr, TRUE);
        UpdateWindow(list_);
        return counter_ms() - start;
    }

  private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<BareList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self) {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
            if (info->hdr.code == LVN_GETDISPINFOW)
                self->answer(*info);
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }

    void answer(NMLVDISPINFOW& info) {
        const auto row = static_cast<std::size_t>(info.item.iItem);
        const bool known = info.item.iItem >= 0 && row < rows_.size();
        if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0)
            lstrcpynW(info.item.pszText, known ? rows_[row].text.c_str() : L"",
                      info.item.cchTextMax);
        if (info.item.mask & LVIF_IMAGE)
            info.item.iImage = known ? rows_[row].icon : I_IMAGENONE;
    }

    struct Row {
        std::wstring text;
        int icon = 0;
    };
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    std::vector<Row> rows_;
};

// The real main window over the roots, with the search as you type started.
class BenchWindow {
  public:
    // The search's roots, and the folder the list shows before a word is
    // typed and after it is cleared.
    BenchWindow(const std::vector<std::string>& roots, const std::string& shown)
        : program_(LoadLibraryExW(utf8_to_wide(own_folder() + "trevalon.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        // As start-up does: OLE on the window's thread for good.
        ole_ = SUCCEEDED(OleInitialize(nullptr));
        state_.instance = GetModuleHandleW(nullptr);
        state_.settings = default_settings(roots[0]);
        state_.settings.search_recent_documents = 0;
        state_.folders.common_programs = roots[1];
        state_.folders.user_programs = roots[2];
        state_.view = choose_first_menu(state_.settings, "", texts());
        state_.ui.fonts = create_fonts(desktop_dpi());
        state_.ui.cursors = load_cursors();
        if (program_)
            load_embedded_images(state_.ui, program_.get());
        if (!build_main_window(state_))
            return;
        ShowWindow(state_.main_window, SW_SHOWNORMAL);
        UpdateWindow(state_.main_window);
        open_folder_in_list(state_, shown);
        start_live_search(state_);
        while (!state_.live_search->indexer->ready())
            Sleep(1);
        pump();
        floor_ =
            std::make_unique<BareList>(state_.window.list.window(), state_.ui.fonts.font12.get());
        pump();
    }
    ~BenchWindow() {
        floor_.reset();
        state_.live_search.reset();
        if (state_.main_window)
            DestroyWindow(state_.main_window);
        if (ole_)
            OleUninitialize();
    }

    bool ready() const { return state_.main_window && state_.live_search && floor_; }

    // One key into the search field, until the first screen of its results
    // is painted.
    double key(wchar_t unit) {
        LiveSearch& live = *state_.live_search;
        const std::uint64_t before = live.generation;
        const double start = counter_ms();
        PostMessageW(state_.window.search_field, WM_CHAR, unit, 1);
        const double give_up = start + 20000;
        while ((live.generation == before || live.due()) && counter_ms() < give_up) {
            if (!pump())
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        UpdateWindow(state_.window.list.window());
        return counter_ms() - start;
    }

    // The same first screen in the bare list: what the list shows now.
    double floor() {
        const FileList& list = state_.window.list;
        const std::size_t count = static_cast<std::size_t>(list.row_count());
        std::vector<ListRow> rows;
        for (int row = 0; row < static_cast<int>(std::min<std::size_t>(count, kFloorRows)); ++row)
            rows.push_back(list.shown_row(row).value_or(ListRow{"", list.item_text(row, 0), ""}));
        const double took = floor_->show(std::move(rows), count);
        pump();
        return took;
    }

    std::size_t rows() const { return state_.window.list.row_total(); }

    // Back to the folder shown before, painted (with its icons) as it is
    // between a person's clearing the field and their next word.
    void clear() {
        SetWindowTextW(state_.window.search_field, L"");
        pump();
        RedrawWindow(state_.main_window, nullptr, nullptr,
                     RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASENOW);
        pump();
    }

  private:
    // More than any screen of the list shows.
    static constexpr std::size_t kFloorRows = 400;

    // The event loop's part that matters here; true when it did anything.
    bool pump() {
        bool worked = false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            settle_before_input(state_, message);
            TranslateMessage(&message);
            DispatchMessageW(&message);
            worked = true;
        }
        while (const std::optional<Event> event = state_.events.pop()) {
            worked = true;
            if (event->control != kSearchField)
                continue;
            if (event->type == kTextChange)
                live_search_text_changed(state_);
            else if (event->type == kResultsWaiting)
                live_search_answer_arrived(state_);
        }
        return worked;
    }

    bool ole_ = false;
    UniqueLibrary program_;
    WindowState state_;
    std::unique_ptr<BareList> floor_;
};

// Keys and floors alternate, key by key, so a busy machine disturbs both
// alike. The first key after the window came up counts like every other.
int measure_keys(int runs, const std::vector<std::string>& roots, const std::string& shown,
                 std::string_view suffix, std::string_view where) {
    BenchWindow window(roots, shown);
    if (!window.ready()) {
        std::fputs("keys: the window could not be built\n", stderr);
        return 1;
    }
    std::vector<double> keys, floors;
    std::size_t rows = 0;
    for (int run = 0; run < runs; ++run) {
        for (const wchar_t* word : kTypedWords) {
            for (const wchar_t* unit = word; *unit; ++unit) {
                keys.push_back(window.key(*unit));
                floors.push_back(window.floor());
                rows += window.rows();
            }
            window.clear();
        }
    }
    std::fprintf(stderr, "keys%s: %zu samples, %.0f rows on average\n", std::string(suffix).c_str(),
                 keys.size(),
                 keys.empty() ? 0.0 : static_cast<double>(rows) / static_cast<double>(keys.size()));
    print(
        "19.key" + std::string(suffix),
        "key typed to the first screen of its ranked results painted (" + std::string(where) + ")",
        "ms", summarize(keys));
    print("19.floor" + std::string(suffix),
          "a bare owner-data list view painting the same first screen (" + std::string(where) + ")",
          "ms", summarize(floors));
    return keys.empty() ? 1 : 0;
}

// The launch counts at their bound: names of a real start menu's length.
void measure_usage() {
    LaunchUsage usage;
    for (std::size_t i = 0; i < kUsageNamesKept; ++i) {
        usage.record("Program number " + std::to_string(i) + " of a vendor.lnk",
                     1'800'000'000 + static_cast<std::int64_t>(i));
    }
    print("19.usage.file", "the launch counts' file at its bound (400 names)", "KiB",
          single(static_cast<double>(usage.format().size()) / 1024.0));
    print("19.usage.memory", "the launch counts in memory at their bound (400 names)", "KiB",
          single(static_cast<double>(usage.approximate_bytes()) / 1024.0));
}

int measure(int runs, const std::vector<std::string>& roots, const std::string& big) {
    // An argument ending in a backslash would swallow its closing quote.
    int status =
        run_again({"memory", "1", without_trailing_separator(roots[0]),
                   without_trailing_separator(roots[1]), without_trailing_separator(roots[2])});
    status |= run_again({"memory", "1", without_trailing_separator(big)});
    measure_usage();
    measure_build(runs, roots);
    status |= measure_keys(runs, roots, roots[0], "", "L in 3 roots");
    // Between its words the list shows an empty folder: the top of the big
    // root holds thousands of files, which the folder's list reads and
    // draws again after every word (none of it timed, but slow).
    const std::string empty = big + "..\\empty\\";
    create_folders(empty);
    status |= measure_keys(std::max(1, runs / 2), {big, empty, empty}, empty, ".big",
                           "one root of 50,000 files");
    return status;
}

int all(int runs) {
    const std::string work = temp_folder() + "trevalon-live-search-bench\\";
    const std::vector<std::string> around{temp_folder()};
    remove_tree(work, around);
    const std::vector<std::string> roots{work + "own\\", work + "common\\", work + "user\\"};
    const std::string big = work + "big\\";
    double start = counter_ms();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (!write_link_menu(plan_menu(kMenuLarge, 190 + i), roots[i])) {
            std::fputs("could not make the benchmark menus\n", stderr);
            return 1;
        }
    }
    std::fprintf(stderr, "three L menus made in %.0f ms\n", counter_ms() - start);
    start = counter_ms();
    if (!write_placeholder_menu(plan_menu(kBigMenu, 200), big)) {
        std::fputs("could not make the root of 50,000 files\n", stderr);
        return 1;
    }
    std::fprintf(stderr, "50,000 files made in %.0f ms\n", counter_ms() - start);
    const int status = measure(runs, roots, big);
    remove_tree(work, around);
    return status;
}

int run(const std::vector<std::string>& argv) {
    if (argv.size() < 3)
        return 2;
    const int runs = std::max(1, std::atoi(argv[2].c_str()));
    if (argv[1] == "all" && argv.size() == 3)
        return all(runs);
    if (argv[1] == "measure" && argv.size() == 7)
        return measure(runs, {argv[3], argv[4], argv[5]}, argv[6]);
    if (argv[1] == "memory" && argv.size() >= 4)
        return measure_memory({argv.begin() + 3, argv.end()});
    return 2;
}

}  // namespace
}  // namespace trevalon::bench

int main() {
    const int status = trevalon::bench::run(trevalon::bench::utf8_arguments());
    if (status == 2)
        std::fputs("usage: see the comment at the top of bench/live_search_bench_win.cpp\n",
                   stderr);
    return status;
}
