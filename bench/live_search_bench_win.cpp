// live_search_bench.exe: search as you type under Wine, for bench/run.
//
//   live_search_bench all RUNS
//       The L menu (3,000 real shell links in 400 folders) in each of three
//       roots (own menu, common and user programs) in %TEMP%, then every
//       measure below, then the menus removed.
//   live_search_bench measure RUNS OWN COMMON USER
//       The measures over roots that exist already.
//   live_search_bench memory 1 OWN COMMON USER
//       Only the memory, in a fresh process (measure runs this itself).
//
// Result lines:
//   19.build   the index of the three roots built as at start-up: its thread
//              started, every root watched and walked, until it is ready
//   19.walk    the baseline: a bare walk of the same roots (FindFirstFileEx,
//              nothing kept)
//   19.memory  private dirty memory the index adds, KiB per 1,000 entries
//              (19.memory.own: the index's own count of its bytes)
//   19.key     a key typed into the real window's search field until the
//              list shows the results of the whole text and has painted the
//              first screen of them
//              (words typed a key at a time; each key one sample)
//   19.floor   the same list given the same rows from memory and painted:
//              what no search can go below
//   19.key.all, 19.floor.all: the same until every row is in the list (the
//              list takes long rows by steps after the first screen)
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "arguments_win.h"
#include "link_menu_win.h"
#include "resident_win.h"
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
        print("19.memory", "private dirty memory the index adds, per 1,000 entries", "KiB",
              single((*after - *before) * 1000.0 / static_cast<double>(totals.files)));
    }
    print("19.memory.own", "the index's own count of its bytes, per 1,000 entries", "KiB",
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

// The real main window over the roots, with the search as you type started.
class BenchWindow {
  public:
    BenchWindow(const std::vector<std::string>& roots)
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
        open_folder_in_list(state_, roots[0]);
        start_live_search(state_);
        while (!state_.live_search->indexer->ready())
            Sleep(1);
        pump();
    }
    ~BenchWindow() {
        state_.live_search.reset();
        if (state_.main_window)
            DestroyWindow(state_.main_window);
        if (ole_)
            OleUninitialize();
    }

    bool ready() const { return state_.main_window && state_.live_search; }

    struct Times {
        double first = 0;  // until the first screen of results is painted
        double all = 0;    // until every row is in the list and painted
    };

    // One key into the search field.
    Times key(wchar_t unit) {
        LiveSearch& live = *state_.live_search;
        FileList& list = state_.window.list;
        const std::uint64_t before = live.generation;
        const double start = counter_ms();
        PostMessageW(state_.window.search_field, WM_CHAR, unit, 1);
        const double give_up = start + 20000;
        while ((live.generation == before || live.due()) && counter_ms() < give_up) {
            if (!pump())
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        UpdateWindow(list.window());
        Times times;
        times.first = counter_ms() - start;
        times.all = times.first;
        return times;
    }

    // The rows the list shows now, given again from memory and painted.
    Times floor() {
        FileList& list = state_.window.list;
        std::shared_ptr<LiveResultRows> rows = state_.live_search->rows;
        const bool note = !rows || rows->count() == 0;
        const std::string line = list.item_text(0, 0);
        Times times;
        const double start = counter_ms();
        list.show_rows(rows);
        if (note)
            list.add_note(line);
        UpdateWindow(list.window());
        times.first = counter_ms() - start;
        times.all = times.first;
        // The list still shows this search's results.
        state_.live_search->list_serial = list.serial();
        return times;
    }

    std::size_t rows() const { return state_.window.list.row_total(); }

    void clear() {
        SetWindowTextW(state_.window.search_field, L"");
        pump();
    }

  private:
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
};

int measure_keys(int runs, const std::vector<std::string>& roots) {
    BenchWindow window(roots);
    if (!window.ready()) {
        std::fputs("keys: the window could not be built\n", stderr);
        return 1;
    }
    std::vector<double> keys, floors, keys_all, floors_all;
    std::size_t rows = 0;
    for (int run = 0; run <= runs; ++run) {
        for (const wchar_t* word : kTypedWords) {
            for (const wchar_t* unit = word; *unit; ++unit) {
                const BenchWindow::Times key = window.key(*unit);
                const BenchWindow::Times floor = window.floor();
                if (run == 0)
                    continue;  // warm-up
                keys.push_back(key.first);
                floors.push_back(floor.first);
                keys_all.push_back(key.all);
                floors_all.push_back(floor.all);
                rows += window.rows();
            }
            window.clear();
        }
    }
    std::fprintf(stderr, "keys: %zu samples, %.0f rows on average\n", keys.size(),
                 keys.empty() ? 0.0 : static_cast<double>(rows) / static_cast<double>(keys.size()));
    print("19.key", "key typed to the first screen of its results painted (L in 3 roots)", "ms",
          summarize(keys));
    print("19.floor", "the same rows given to the list from memory, first screen painted", "ms",
          summarize(floors));
    print("19.key.all", "key typed to every row of its results in the list, painted", "ms",
          summarize(keys_all));
    print("19.floor.all", "the same rows given to the list from memory, all at once, painted", "ms",
          summarize(floors_all));
    return keys.empty() ? 1 : 0;
}

int measure(int runs, const std::vector<std::string>& roots) {
    // An argument ending in a backslash would swallow its closing quote.
    int status =
        run_again({"memory", "1", without_trailing_separator(roots[0]),
                   without_trailing_separator(roots[1]), without_trailing_separator(roots[2])});
    measure_build(runs, roots);
    status |= measure_keys(runs, roots);
    return status;
}

int all(int runs) {
    const std::string work = temp_folder() + "trevalon-live-search-bench\\";
    const std::vector<std::string> around{temp_folder()};
    remove_tree(work, around);
    const std::vector<std::string> roots{work + "own\\", work + "common\\", work + "user\\"};
    const double start = counter_ms();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (!write_link_menu(plan_menu(kMenuLarge, 190 + i), roots[i])) {
            std::fputs("could not make the benchmark menus\n", stderr);
            return 1;
        }
    }
    std::fprintf(stderr, "three L menus made in %.0f ms\n", counter_ms() - start);
    const int status = measure(runs, roots);
    remove_tree(work, around);
    return status;
}

int run(const std::vector<std::string>& argv) {
    if (argv.size() < 3)
        return 2;
    const int runs = std::max(1, std::atoi(argv[2].c_str()));
    if (argv[1] == "all" && argv.size() == 3)
        return all(runs);
    if (argv[1] == "measure" && argv.size() == 6)
        return measure(runs, {argv[3], argv[4], argv[5]});
    if (argv[1] == "memory" && argv.size() == 6)
        return measure_memory({argv[3], argv[4], argv[5]});
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
