// trevalon_wine_bench.exe: the program's side of the benchmarks under Wine,
// printing result lines for bench/run.
//
//   make-menu ROOT SIZE SEED          a benchmark menu with real shell links
//   rebuild RUNS DEST COMMON USER     goal 1: the Windows-menu update, nothing known
//   update RUNS ID DEST COMMON USER   goal 1: the update, nothing or one link changed
//   updates RUNS                      goal 1 with its baselines, runs alternating
//   search RUNS RESULT TEXT ROOT...   goal 2: the search over the roots
//   scan RUNS ROOT                    goal 3: scan and clean-up into controls
//   start RUNS ID PROGRAM             goal 4: process creation to first paint
//   starts RUNS                       goal 4: bare window, fair baseline and ours in turn
//   memory CYCLES                     goal 5: private dirty memory, ours and the
//                                     baselines, over CYCLES show/hide cycles and
//                                     200 Windows-menu switches (tree M + S)
//   growth SWITCHES MODE              goal 5 in detail: the growth over SWITCHES
//                                     switches after the first, MODE windows
//                                     (Windows menu and recent programs in
//                                     turn), own (own menu and recent
//                                     programs) or both (Windows and own
//                                     menu), with a census of the heaps (the
//                                     census's own lists take about 120 KiB)
//   census X                          where the memory of the program just started
//                                     lies: its allocations and heaps
//   idle SECONDS                      goal 6: CPU and wake-ups of the resident
//                                     program beside a bare window, both idle
//   edge RUNS                         goal 7: top edge to window in front, painted
//   show RUNS                         goal 8: show request to window in front, painted
//   all RUNS                          everything above but goals 6 and 7,
//                                     baselines included, in one Wine session
//                                     (what bench/run calls): menus in
//                                     %TEMP%\trevalon-bench, programs from this
//                                     program's folder
//   desktop RUNS                      goals 6 and 7 (what bench/run calls in a
//                                     Wine virtual desktop, where the desktop
//                                     hears every pointer move, as on Windows)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "arguments_win.h"
#include "link_menu_win.h"
#include "menu_copy_bench_win.h"
#include "menu/directory_listing.h"
#include "menu/file_list_cleanup.h"
#include "menu/folder_scan.h"
#include "menu/memory_folder_views.h"
#include "menu/menu_search.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "resident_win.h"
#include "show_latency_win.h"
#include "support/pointer_input_win.h"
#include "start_probe_win.h"
#include "window/file_list_view_win.h"
#include "window/folder_tree_view_win.h"
#include "wine_timing_win.h"

namespace trevalon::bench {
namespace {

void print(std::string_view id, std::string_view what, std::string_view unit, const Summary& s) {
    std::puts(result_line(id, what, unit, s).c_str());
    std::fflush(stdout);
}

// The folder above path: the one root the benchmark's deletions may act in.
std::vector<std::string> roots_around(std::string_view path) {
    return {std::string(folder_part(without_trailing_separator(path)))};
}

int make_menu(const std::vector<std::string>& args) {
    const auto shape = menu_shape(args[1]);
    if (!shape)
        return 2;
    const double start = counter_ms();
    const bool written = write_link_menu(plan_menu(*shape, std::stoull(args[2])), args[0]);
    std::fprintf(stderr, "menu %s with links below %s in %.0f ms\n", args[1].c_str(),
                 args[0].c_str(), counter_ms() - start);
    return written ? 0 : 1;
}

// What showing the Windows menu does to the disk when nothing is known of
// the working copy (the first showing): delete it, copy both trees into it.
int rebuild(int runs, const std::vector<std::string>& args) {
    return full_copy_update(runs, with_trailing_separator(args[0]), {args[1], args[2]});
}

int search(int runs, const std::vector<std::string>& args) {
    const std::string result = with_trailing_separator(args[0]);
    const auto roots = roots_around(result);
    const std::vector<std::string> menus(args.begin() + 2, args.end());
    print("2.ours", "search over the roots (fresh result folder + search_menu_folder)", "ms",
          measure_runs(runs, [&] {
              remove_tree(result, roots);
              create_folder(result);
              for (const std::string& menu : menus)
                  search_menu_folder(menu, args[1], result);
          }));
    return 0;
}

// Lists the menu folder's files into the list view, as the file list does
// when it is given a folder.
void fill_list(HWND list, const std::string& folder) {
    const auto entries = list_directory(folder);
    if (!entries)
        return;
    int row = 0;
    for (const DirectoryEntry& entry : *entries) {
        if (entry.is_directory)
            continue;
        std::wstring text = utf8_to_wide(entry.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// A visible window with a tree-view and a list-view control, drawing locked
// (LockWindowUpdate) while the menu is shown, as the program's window does;
// measured once with the controls' own redrawing left on and once with it
// suspended (WM_SETREDRAW), which under Wine is most of the cost.
int scan(int runs, const std::vector<std::string>& args) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HWND window = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  900, 640, nullptr, nullptr, nullptr, nullptr);
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 350,
                                600, window, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 350, 0, 500,
                                600, window, nullptr, nullptr, nullptr);
    if (!window || !tree || !list)
        return 1;
    TreeViewFolderTree tree_sink(tree);
    ListViewFileList list_model(list);
    FolderTable table;
    EntryNameTable names;
    const std::string root = args[0];
    for (const bool suspend_redraw : {false, true}) {
        const Summary summary = measure_runs(runs, [&] {
            LockWindowUpdate(window);
            if (suspend_redraw) {
                SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
                SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            }
            tree_sink.clear();
            table.clear();
            SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
            scan_folder_tree(root, 0, tree_sink, table);
            fill_list(list, table.paths[0] + "\\");
            clean_up_file_list(list_model, names);
            if (suspend_redraw) {
                SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
                SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            }
            LockWindowUpdate(nullptr);
        });
        if (suspend_redraw) {
            print("3.controls", "scan + clean-up of L into tree-view and list-view", "ms", summary);
        } else {
            print("3.controls.redrawing",
                  "the same with the controls redrawing (drawing locked only)", "ms", summary);
        }
    }
    {
        MemoryFolderTree memory_tree;
        print("3.wine.memory", "scan of L into the in-memory model under Wine", "ms",
              measure_runs(runs, [&] {
                  memory_tree.clear();
                  table.clear();
                  scan_folder_tree(root, 0, memory_tree, table);
              }));
    }
    DestroyWindow(window);
    return 0;
}

// The program's temporary folder, which its exit removes; the start runs end
// it without that, and each start would find the template links of the ones
// before.
void remove_program_temp_folder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string folder = wide_to_utf8(std::wstring_view(temp, length));
    remove_tree(folder + "Trevalon\\", std::vector<std::string>{folder});
}

int start(int runs, const std::vector<std::string>& args) {
    int failed = 0;
    const Summary summary =
        measure_start_to_paint(args[1], runs, &failed, remove_program_temp_folder);
    const std::string name(file_name_part(args[1]));
    print(args[0], "process creation to first paint: " + name, "ms", summary);
    if (failed)
        std::fprintf(stderr, "%s: %d starts did not paint\n", name.c_str(), failed);
    return failed == runs ? 1 : 0;
}

// Goal 4: the bare window, the fair baseline and the program, their starts
// taking turns.
int starts(int runs, const std::string& folder) {
    const std::vector<std::pair<std::string, std::string>> programs{
        {"4.bare", "bare_window.exe"},
        {"4.fair", "bare_shell_window.exe"},
        {"4.ours", "trevalon_probe.exe"}};
    std::vector<std::string> paths;
    for (const auto& [id, name] : programs)
        paths.push_back(folder + name);
    std::vector<int> failed;
    const std::vector<Summary> summaries =
        measure_starts_in_turn(paths, runs, &failed, remove_program_temp_folder);
    int status = 0;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        print(programs[i].first, "process creation to first paint: " + programs[i].second, "ms",
              summaries[i]);
        if (failed[i])
            std::fprintf(stderr, "%s: %d starts did not paint\n", programs[i].second.c_str(),
                         failed[i]);
        status |= failed[i] == runs ? 1 : 0;
    }
    return status;
}

constexpr std::string_view kMainWindowClass = "TrevalonMainWindow";
constexpr std::string_view kBareWindowClass = "BareBenchWindow";
constexpr int kMemorySamples = 5;
constexpr std::string_view kFairWindowClass = "BareShellBenchWindow";
constexpr int kMenuSwitches = 201;  // the first makes the copy; 200 after it
constexpr DWORD kSwitchLimitMs = 60000;
constexpr int kOwnMenuCommand = 1;
constexpr int kWindowsMenuCommand = 2;

std::string window_title(HWND window) {
    wchar_t title[1000] = {};
    const int length = GetWindowTextW(window, title, 1000);
    return wide_to_utf8(std::wstring_view(title, static_cast<std::size_t>(std::max(length, 0))));
}

// Sends the window one of its view commands (Windows menu, own menu, recent
// programs), as the toolbar buttons send them. It has been handled when the
// title has changed and the window answers again (the command is queued and
// handled by the loop); false when the title never changed.
bool switch_view(const Resident& ours, int command) {
    const std::string before = window_title(ours.window());
    SendMessageW(ours.window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    const ULONGLONG give_up = GetTickCount64() + kSwitchLimitMs;
    while (window_title(ours.window()) == before && GetTickCount64() < give_up)
        Sleep(1);
    ours.sync();
    return window_title(ours.window()) != before;
}

// The median of a few samples of the process's private dirty memory, once it
// has settled.
std::optional<double> settled_private_dirty(const Resident& resident) {
    Sleep(2000);
    std::vector<double> samples;
    for (int i = 0; i < kMemorySamples; ++i) {
        resident.sync();
        if (const auto kb = resident.private_dirty_kb())
            samples.push_back(*kb);
        Sleep(200);
    }
    if (samples.empty())
        return std::nullopt;
    return summarize(samples).median;
}

Summary single(double value) {
    return summarize({value});
}

// The system's counts of a process's GDI and USER objects; zero where it
// keeps none (Wine).
struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
};

GuiObjects gui_objects(const Resident& resident) {
    return {GetGuiResources(resident.process(), GR_GDIOBJECTS),
            GetGuiResources(resident.process(), GR_USEROBJECTS)};
}

void report_gui_object_growth(GuiObjects before, GuiObjects after) {
    if (!before.gdi && !after.gdi && !before.user && !after.user) {
        std::fputs("memory: the system counts no GDI or USER objects of the program\n", stderr);
        return;
    }
    print("5.gdi", "growth of GDI objects over the switches after the first", "objects",
          single(static_cast<double>(after.gdi) - before.gdi));
    print("5.user", "growth of USER objects over the switches after the first", "objects",
          single(static_cast<double>(after.user) - before.user));
}

// The benchmark's menus in the prefix's start-menu folders (tree M in the
// common programs, S in the user's), each in a folder of its own, so that
// the Windows menu the program shows is of a known size. Removed again when
// the object goes.
class StartMenuTrees {
  public:
    StartMenuTrees() {
        for (const auto& [csidl, shape, seed] : {std::tuple{CSIDL_COMMON_PROGRAMS, kMenuMedium, 1u},
                                                 std::tuple{CSIDL_PROGRAMS, kMenuSmall, 2u}}) {
            wchar_t path[MAX_PATH] = {};
            if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
                continue;
            const std::string programs = with_trailing_separator(wide_to_utf8(path));
            folders_.push_back({programs, programs + "Benchmark menu\\"});
            if (!write_link_menu(plan_menu(shape, seed), folders_.back().second))
                std::fputs("memory: could not write the start-menu trees\n", stderr);
        }
    }
    ~StartMenuTrees() {
        for (const auto& [programs, tree] : folders_)
            remove_tree(tree, std::vector<std::string>{programs});
    }
    StartMenuTrees(const StartMenuTrees&) = delete;
    StartMenuTrees& operator=(const StartMenuTrees&) = delete;

  private:
    std::vector<std::pair<std::string, std::string>> folders_;
};

// Where a resident program's private dirty memory lies, largest first
// (stderr, for the README).
void print_memory_map(const Resident& resident, const std::string& name) {
    const auto mappings = resident.private_dirty_by_mapping();
    double total = 0;
    for (const auto& [mapping, kb] : mappings)
        total += kb;
    std::fprintf(stderr, "memory of %s by mapping (private dirty, KiB; total %.0f):\n",
                 name.c_str(), total);
    for (std::size_t i = 0; i < mappings.size() && i < 15; ++i)
        std::fprintf(stderr, "  %8.0f  %s\n", mappings[i].second, mappings[i].first.c_str());
}

int memory(int cycles, const std::string& folder) {
    for (const auto& [id, program, window_class] :
         {std::tuple{"5.bare", "bare_window.exe", kBareWindowClass},
          std::tuple{"5.fair", "bare_shell_window.exe", kFairWindowClass}}) {
        Resident baseline(folder + program, window_class);
        const auto kb = baseline.ready() ? settled_private_dirty(baseline) : std::nullopt;
        if (!kb) {
            std::fprintf(stderr, "memory: %s did not start\n", program);
            return 1;
        }
        print(id, std::string("private dirty memory after start: ") + program, "KiB", single(*kb));
        if (std::string_view(id) == "5.fair")
            print_memory_map(baseline, program);
    }
    StartMenuTrees trees;
    Resident ours(folder + "trevalon.exe", kMainWindowClass);
    const auto at_start = ours.ready() ? settled_private_dirty(ours) : std::nullopt;
    if (!at_start) {
        std::fputs("memory: trevalon.exe did not start\n", stderr);
        return 1;
    }
    print("5.ours.start", "private dirty memory of trevalon.exe after start", "KiB",
          single(*at_start));
    print_memory_map(ours, "trevalon.exe after start");
    for (int i = 0; i < cycles; ++i) {
        ShowWindow(ours.window(), SW_HIDE);
        ours.sync();
        ShowWindow(ours.window(), SW_SHOWNORMAL);
        ours.sync();
    }
    // The switches go through the window's own commands (Windows menu, own
    // menu), as the toolbar buttons send them; each Windows-menu switch is
    // timed until the window has handled it.
    bool switched = false;
    std::vector<double> switch_ms;
    const auto switch_to = [&](int command) { return switch_view(ours, command); };
    // The first switch makes the copy and what the program keeps of it; the
    // switches after it are where memory must not grow.
    std::optional<double> after_first;
    GuiObjects objects_after_first;
    for (int i = 0; i < kMenuSwitches; ++i) {
        const double start = counter_ms();
        switched = switch_to(kWindowsMenuCommand) || switched;
        switch_ms.push_back(counter_ms() - start);
        switch_to(kOwnMenuCommand);
        if (i == 0) {
            after_first = settled_private_dirty(ours);
            objects_after_first = gui_objects(ours);
        }
    }
    report_gui_object_growth(objects_after_first, gui_objects(ours));
    if (!switched)
        std::fputs("memory: the menu commands changed nothing (not dispatched in this build)\n",
                   stderr);
    const auto after = settled_private_dirty(ours);
    if (!after)
        return 1;
    print_memory_map(ours, "trevalon.exe after the switches");
    print("5.ours.after",
          "private dirty memory of trevalon.exe after " + std::to_string(cycles) +
              " show/hide cycles and " + std::to_string(kMenuSwitches) +
              (switched ? " Windows-menu switches" : " (undispatched) menu commands"),
          "KiB", single(*after));
    print("5.growth", "growth of private dirty memory over the cycles and switches", "KiB",
          single(*after - *at_start));
    if (after_first) {
        print("5.growth.switches", "growth of private dirty memory after the first switch", "KiB",
              single(*after - *after_first));
    }
    if (!switch_ms.empty()) {
        print("1s.first", "the first switch to the Windows menu (M + S), until handled", "ms",
              single(switch_ms.front()));
        print("1s.later", "the later switches to the Windows menu, nothing changed", "ms",
              summarize(std::vector<double>(switch_ms.begin() + 1, switch_ms.end())));
    }
    return 0;
}

// Where the growth of menu switches lies: SWITCHES switches after a first
// one, each between `command` and the recent-programs list (command 3), in
// the program with a census of its heaps (trevalon_probe.exe) taken after
// the first and written after the last.
int growth(int switches, const std::string& mode, const std::string& folder) {
    const int command = mode == "own"       ? kOwnMenuCommand
                        : mode == "windows" ? kWindowsMenuCommand
                                            : 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD temp_length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string census_file =
        wide_to_utf8(std::wstring_view(temp, temp_length)) + "trevalon-bench-census.txt";
    StartMenuTrees trees;
    SetEnvironmentVariableW(L"TREVALON_BENCH_HEAP_CENSUS", utf8_to_wide(census_file).c_str());
    Resident ours(folder + "trevalon_probe.exe", kMainWindowClass);
    SetEnvironmentVariableW(L"TREVALON_BENCH_HEAP_CENSUS", nullptr);
    if (!ours.ready())
        return 1;
    const UINT census = RegisterWindowMessageW(L"TrevalonBenchHeapCensus");
    const auto switch_to = [&](int to) { switch_view(ours, to); };
    const auto one_switch = [&] {
        if (command) {
            switch_to(command);
            switch_to(3);
        } else {
            switch_to(kWindowsMenuCommand);
            switch_to(kOwnMenuCommand);
        }
    };
    if (switches == 0) {
        // The program as it started: where its memory lies.
        settled_private_dirty(ours);
        delete_file(census_file);
        SendMessageW(ours.window(), census, 2, 0);
        std::optional<std::string> report;
        for (int wait = 0; wait < 300 && !(report = read_file(census_file, 1 << 20)); ++wait)
            Sleep(100);
        if (report)
            std::fputs(report->c_str(), stderr);
        print_memory_map(ours, "trevalon.exe after start");
        return 0;
    }
    one_switch();
    const auto first = settled_private_dirty(ours);
    const auto first_map = ours.private_dirty_by_mapping();
    SendMessageW(ours.window(), census, 0, 0);
    for (int i = 0; i < switches; ++i)
        one_switch();
    const auto after = settled_private_dirty(ours);
    delete_file(census_file);
    SendMessageW(ours.window(), census, 1, 0);
    std::optional<std::string> report;
    for (int wait = 0; wait < 300 && !(report = read_file(census_file, 1 << 20)); ++wait)
        Sleep(100);
    if (!first || !after)
        return 1;
    std::fprintf(stderr, "%s: %d switches after the first: %.0f -> %.0f KiB private dirty\n",
                 mode.c_str(), switches, *first, *after);
    if (report)
        std::fputs(report->c_str(), stderr);
    std::map<std::string, double> change;
    for (const auto& [mapping, kb] : ours.private_dirty_by_mapping())
        change[mapping] += kb;
    for (const auto& [mapping, kb] : first_map)
        change[mapping] -= kb;
    for (const auto& [mapping, kb] : change) {
        if (kb != 0)
            std::fprintf(stderr, "  %+8.0f KiB  %s\n", kb, mapping.c_str());
    }
    print("5.growth." + mode, "growth of private dirty memory over the switches after the first",
          "KiB", single(*after - *first));
    return 0;
}

// Goal 6: the program and a bare window resident side by side, both idle,
// the pointer away from the top edge; their threads' time on a CPU and
// wake-ups over the same seconds, in three rounds, and the wineserver's CPU
// meanwhile. Run in a virtual desktop, where the program's edge watcher
// sleeps on the pointer's events.
int idle(int seconds, const std::string& folder) {
    // Away from the top edge and from both windows.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10);
    // The program as it waits to be called, behind another window (in front,
    // its search field's caret would blink); started first, the bare window
    // comes up in front of it.
    Resident ours(folder + "trevalon.exe", kMainWindowClass);
    Resident bare(folder + "bare_window.exe", kBareWindowClass);
    if (!bare.ready() || !ours.ready())
        return 1;
    Sleep(5000);  // start-up work done, first paints over
    constexpr int kRounds = 3;
    const int server = wineserver_pid();
    std::vector<double> cpu[2];
    std::vector<double> wakeups[2];
    std::vector<double> server_cpu;
    const double round_seconds = std::max(1.0, seconds / static_cast<double>(kRounds));
    for (int round = 0; round < kRounds; ++round) {
        const Resident* residents[2] = {&bare, &ours};
        std::optional<Resident::Scheduled> before[2];
        for (int i = 0; i < 2; ++i)
            before[i] = residents[i]->scheduled();
        const auto server_before = unix_cpu_seconds(server);
        Sleep(static_cast<DWORD>(round_seconds * 1000));
        for (int i = 0; i < 2; ++i) {
            const auto after = residents[i]->scheduled();
            if (!before[i] || !after)
                return 1;
            cpu[i].push_back((after->cpu_seconds - before[i]->cpu_seconds) * 100.0 / round_seconds);
            wakeups[i].push_back((after->runs - before[i]->runs) / round_seconds);
        }
        if (const auto server_after = unix_cpu_seconds(server); server_before && server_after)
            server_cpu.push_back((*server_after - *server_before) * 100.0 / round_seconds);
    }
    const std::string span =
        std::to_string(kRounds) + " x " + std::to_string(static_cast<int>(round_seconds)) + " s";
    print("6.bare", "CPU of a bare window idle, " + span + ", % of one core", "%",
          summarize(cpu[0]));
    print("6.ours", "CPU of trevalon.exe idle, " + span + ", % of one core", "%",
          summarize(cpu[1]));
    print("6.bare.wakeups", "times a bare window's threads ran per second, idle", "/s",
          summarize(wakeups[0]));
    print("6.ours.wakeups", "times trevalon.exe's threads ran per second, idle", "/s",
          summarize(wakeups[1]));
    if (!server_cpu.empty()) {
        print("6.wineserver", "CPU of the wineserver meanwhile, % of one core", "%",
              summarize(server_cpu));
    }
    return 0;
}

// In a virtual desktop under Wine (and on Windows) the desktop window
// receives every pointer move, and the edge watcher works from events.
bool in_virtual_desktop() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !ntdll || !GetProcAddress(ntdll, "wine_get_version") ||
           GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window") != nullptr;
}

using test::move_pointer;

// The pointer rests on the top row; the time from the move until the main
// window is in front and has painted, less the dwell the watcher waits.
int edge(int runs, const std::string& folder) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD temp_length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string stamp_file =
        wide_to_utf8(std::wstring_view(temp, temp_length)) + "trevalon-bench-edge.txt";
    SetEnvironmentVariableW(kPaintStampVariable, utf8_to_wide(stamp_file).c_str());
    move_pointer(640, 512);
    Resident ours(folder + "trevalon_probe.exe", kMainWindowClass);
    SetEnvironmentVariableW(kPaintStampVariable, nullptr);
    if (!ours.ready())
        return 1;
    constexpr double kDwellMs = 300;
    int missed = 0;
    std::vector<double> beyond = times_to_shown(
        ours, stamp_file, runs, [] { move_pointer(640, 0); }, [] { move_pointer(640, 512); },
        missed);
    for (double& time : beyond)
        time -= kDwellMs;
    print("7.ours", "top edge to window in front and painted, beyond the 300 ms dwell", "ms",
          summarize(beyond));
    if (missed)
        std::fprintf(stderr, "edge: %d of %d rests brought nothing forward within 5 s\n", missed,
                     runs);
    return beyond.empty() ? 1 : 0;
}

std::string own_folder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return std::string(folder_part(wide_to_utf8(std::wstring_view(path, length))));
}

constexpr DWORD kSettleMs = 300;

// Runs a program of this folder with this program's output as its own.
int run_sibling(std::string_view program, const std::vector<std::string>& args) {
    std::wstring command = L"\"" + utf8_to_wide(own_folder() + std::string(program)) + L"\"";
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
                        &startup, &info)) {
        std::fprintf(stderr, "could not start %.*s\n", static_cast<int>(program.size()),
                     program.data());
        return 1;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    // Wine goes on tidying up after the process for a while; what this
    // program measures next should not pay for that.
    Sleep(kSettleMs);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return static_cast<int>(code);
}

// Goal 1, each run alternating with its baseline's, so that the shared
// machine's changing load falls on both sides alike (table.py pools the
// single runs): the update when nothing is known against the bare copy loop
// (only the first run of each warms up); then, for tree M (+S) and tree L
// (+S), with nothing changed against a bare walk of both roots, and with one
// link added and one removed against the walk and one copy. The trees are
// work's common (M), large (L) and user (S).
int update_goal(int runs, const std::string& work) {
    int status = 0;
    for (int run = 0; run < runs; ++run) {
        SetEnvironmentVariableW(L"TREVALON_BENCH_NO_WARM_UP", run ? L"1" : nullptr);
        status |= run_sibling("bare_walk_copy.exe", {"rebuild", "1", work + "winmenu-bare",
                                                     work + "common", work + "user"});
        status |=
            full_copy_update(1, work + "winmenu\\", {work + "common", work + "user"}, run == 0);
    }
    for (const auto& [id, common] : {std::pair{std::string("M"), work + "common"},
                                     std::pair{std::string("L"), work + "large"}}) {
        CopyUpdateRuns updates(id, work + "winmenu-" + id + "\\", {common, work + "user"});
        updates.unchanged(runs);
        updates.changed(runs);
    }
    SetEnvironmentVariableW(L"TREVALON_BENCH_NO_WARM_UP", nullptr);
    return status;
}

// Goal 1 alone: its trees in %TEMP%\trevalon-bench-updates.
int updates(int runs) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD temp_length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string work =
        wide_to_utf8(std::wstring_view(temp, temp_length)) + "trevalon-bench-updates\\";
    const auto around = roots_around(work);
    remove_tree(work, around);
    if (!write_link_menu(plan_menu(kMenuMedium, 1), work + "common") ||
        !write_link_menu(plan_menu(kMenuSmall, 2), work + "user") ||
        !write_link_menu(plan_menu(kMenuLarge, 3), work + "large")) {
        std::fputs("could not make the benchmark menus\n", stderr);
        return 1;
    }
    const int status = update_goal(runs, work);
    remove_tree(work, around);
    return status;
}

int all(int runs) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD temp_length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string work =
        wide_to_utf8(std::wstring_view(temp, temp_length)) + "trevalon-bench\\";
    const std::string runs_text = std::to_string(runs);
    const auto menus = roots_around(work);
    remove_tree(work, menus);
    // Goal 1: tree M as the common programs, S as the user's own.
    bool made = write_link_menu(plan_menu(kMenuMedium, 1), work + "common") &&
                write_link_menu(plan_menu(kMenuSmall, 2), work + "user");
    // Goal 2: four trees M, one per searched root.
    std::vector<std::string> search_roots;
    for (int i = 1; i <= 4; ++i) {
        search_roots.push_back(work + "search" + std::to_string(i));
        made = write_link_menu(plan_menu(kMenuMedium, 10u + static_cast<unsigned>(i)),
                               search_roots.back()) &&
               made;
    }
    // Goal 3: tree L.
    made = write_link_menu(plan_menu(kMenuLarge, 3), work + "large") && made;
    if (!made) {
        std::fputs("could not make the benchmark menus\n", stderr);
        return 1;
    }
    int status = 0;
    status |= update_goal(runs, work);
    std::vector<std::string> bare_search{"search", runs_text, work + "results-bare",
                                         std::string(kSearchWord)};
    bare_search.insert(bare_search.end(), search_roots.begin(), search_roots.end());
    status |= run_sibling("bare_walk_copy.exe", bare_search);
    std::vector<std::string> our_search{work + "results", std::string(kSearchWord)};
    our_search.insert(our_search.end(), search_roots.begin(), search_roots.end());
    status |= search(runs, our_search);
    status |= scan(runs, {work + "large"});
    status |= starts(runs, own_folder());
    status |= memory(200, own_folder());
    status |= show_latency(runs, own_folder());
    remove_tree(work, menus);
    return status;
}

int run(const std::vector<std::string>& argv) {
    if (argv.size() >= 4 && argv[1] == "make-menu")
        return make_menu({argv.begin() + 2, argv.end()});
    if (argv.size() < 3)
        return 2;
    const int runs = std::max(1, std::atoi(argv[2].c_str()));
    const std::vector<std::string> args(argv.begin() + 3, argv.end());
    if (argv[1] == "rebuild" && args.size() == 3)
        return rebuild(runs, args);
    if (argv[1] == "update" && args.size() == 4) {
        CopyUpdateRuns updates(args[0], with_trailing_separator(args[1]), {args[2], args[3]});
        updates.unchanged(runs);
        updates.changed(runs);
        return 0;
    }
    if (argv[1] == "search" && args.size() >= 3)
        return search(runs, args);
    if (argv[1] == "scan" && args.size() == 1)
        return scan(runs, args);
    if (argv[1] == "start" && args.size() == 2)
        return start(runs, args);
    if (argv[1] == "starts" && args.empty())
        return starts(runs, own_folder());
    if (argv[1] == "all" && args.empty())
        return all(runs);
    if (argv[1] == "desktop" && args.empty()) {
        if (!in_virtual_desktop())
            std::fputs("not in a virtual desktop: the edge watcher samples the pointer\n", stderr);
        const int status = idle(runs < 10 ? 15 : 60, own_folder());
        return edge(runs, own_folder()) | status;
    }
    if (argv[1] == "updates" && args.empty())
        return updates(runs);
    if (argv[1] == "memory" && args.empty())
        return memory(runs, own_folder());
    if (argv[1] == "growth" && args.size() == 1)
        return growth(runs, args[0], own_folder());
    if (argv[1] == "census" && args.empty())
        return growth(0, "start", own_folder());
    if (argv[1] == "idle" && args.empty())
        return idle(runs, own_folder());
    if (argv[1] == "edge" && args.empty())
        return edge(runs, own_folder());
    if (argv[1] == "show" && args.empty())
        return show_latency(runs, own_folder());
    return 2;
}

}  // namespace
}  // namespace trevalon::bench

int main() {
    const int status = trevalon::bench::run(trevalon::bench::utf8_arguments());
    if (status == 2)
        std::fputs("usage: see the comment at the top of bench/wine_bench_win.cpp\n", stderr);
    return status;
}
