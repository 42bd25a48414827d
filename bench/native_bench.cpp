// trevalon_native_bench: the portable core against native find(1) on
// generated menus (placeholder files), printing result lines for bench/run.
//
//   trevalon_native_bench [--runs N] [--seed S] [--work DIR]
//
// Goal 3: folder scan and clean-up of tree L into the in-memory model, against
// `find L -type d`. Goal 2: the search walk over four trees M, against
// `find M1 M2 M3 M4 -iname '*editor*'`. Times are wall time per run, after
// warm-up runs, with the file system cache warm. find is timed as a process
// (spawn to exit); the cost of starting it is measured on an empty folder and
// printed as a result of its own. Each measure is given twice: wall time, and
// CPU time (user + system; for find from wait4), which a busy machine
// disturbs far less.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "bench_stats.h"
#include "menu/file_list_cleanup.h"
#include "menu/live_matches.h"
#include "menu/search_index.h"
#include "menu/folder_scan.h"
#include "menu/memory_folder_views.h"
#include "menu/menu_search.h"
#include "menu/menu_tables.h"
#include "menu_plan.h"

extern char** environ;

namespace trevalon::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kWarmUpRuns = 3;

struct Options {
    int runs = 30;
    std::uint64_t seed = 1;
    std::string work;
};

struct Timings {
    Summary wall;
    Summary cpu;
};

double process_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double rusage_ms(const rusage& usage) {
    auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// run returns its own CPU time in ms, or a negative number to have the
// process's CPU time taken instead.
Timings measure(int runs, const std::function<double()>& run) {
    for (int i = 0; i < kWarmUpRuns; ++i)
        run();
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double cpu_before = process_cpu_ms();
        const auto start = std::chrono::steady_clock::now();
        const double own_cpu = run();
        wall.push_back(elapsed_ms(start));
        cpu.push_back(own_cpu >= 0 ? own_cpu : process_cpu_ms() - cpu_before);
    }
    return {summarize(std::move(wall)), summarize(std::move(cpu))};
}

Timings measure_here(int runs, const std::function<void()>& run) {
    return measure(runs, [&] {
        run();
        return -1.0;
    });
}

// Runs a program with its output thrown away. Returns its CPU time in ms, or
// a negative number when it did not exit 0.
double run_quietly(const std::vector<std::string>& arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return rusage_ms(usage);
}

Timings measure_command(int runs, const std::vector<std::string>& arguments) {
    if (run_quietly(arguments) < 0) {
        std::fprintf(stderr, "could not run %s\n", arguments[0].c_str());
        std::exit(1);
    }
    return measure(runs, [&] { return std::max(0.0, run_quietly(arguments)); });
}

void report(std::string_view id, std::string_view what, const Timings& timings) {
    std::puts(result_line(id, what, "ms", timings.wall).c_str());
    std::puts(result_line(std::string(id) + ".cpu", std::string(what) + " (CPU)", "ms", timings.cpu)
                  .c_str());
}

// What showing a menu does with the menu content: scan the folder tree, list
// the menu folder's files and clean the list up.
void scan_and_clean_up(const std::string& root) {
    MemoryFolderTree tree;
    FolderTable table;
    scan_folder_tree(root, 0, tree, table);
    MemoryFileList list;
    list.show_folder(table.paths[0] + "/");
    EntryNameTable names;
    clean_up_file_list(list, names);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--runs")
            options.runs = std::max(1, std::atoi(argv[i + 1]));
        else if (key == "--seed")
            options.seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (key == "--work")
            options.work = argv[i + 1];
    }
    if (options.work.empty())
        options.work = path_to_utf8(fs::temp_directory_path() / "trevalon-native-bench");
    return options;
}

int run(int argc, char** argv) {
    const Options options = parse(argc, argv);
    const std::string work = path_to_utf8(utf8_to_path(options.work) / "");
    std::error_code ec;
    fs::remove_all(utf8_to_path(work), ec);

    const std::string large = work + "L/";
    if (!write_placeholder_menu(plan_menu(kMenuLarge, options.seed), large)) {
        std::fprintf(stderr, "could not write the menus below %s\n", work.c_str());
        return 1;
    }
    std::vector<std::string> roots;
    for (int i = 1; i <= 4; ++i) {
        roots.push_back(work + "M" + std::to_string(i) + "/");
        write_placeholder_menu(plan_menu(kMenuMedium, options.seed + static_cast<unsigned>(i)),
                               roots.back());
    }
    const std::string empty = work + "empty/";
    fs::create_directories(utf8_to_path(empty), ec);

    report("3.native", "scan + clean-up of L, in-memory model",
           measure_here(options.runs, [&] { scan_and_clean_up(large); }));
    report("3.find", "find L -type d",
           measure_command(options.runs, {"find", large, "-type", "d"}));

    int matches = 0;
    report("2.walk", "search walk over 4 x M (no copies)", measure_here(options.runs, [&] {
               matches = 0;
               for (const std::string& root : roots)
                   find_menu_matches(root, kSearchWord,
                                     [&](const std::string&, const std::string&) { ++matches; });
           }));
    std::vector<std::string> find_names{"find"};
    find_names.insert(find_names.end(), roots.begin(), roots.end());
    for (const char* part : {"-iname", "*editor*"})
        find_names.emplace_back(part);
    report("2.find", "find 4 x M -iname '*editor*'", measure_command(options.runs, find_names));
    report("find.start", "find on an empty folder (process start)",
           measure_command(options.runs, {"find", empty, "-type", "d"}));
    std::fprintf(stderr, "search matches per run: %d\n", matches);

    // Search as you type: the matcher over the index of L in three roots.
    std::vector<std::unique_ptr<RootIndex>> indexes;
    std::vector<const RootIndex*> indexed;
    for (int i = 0; i < 3; ++i) {
        const std::string root = work + "I" + std::to_string(i) + "/";
        write_placeholder_menu(plan_menu(kMenuLarge, options.seed + 190 + static_cast<unsigned>(i)),
                               root);
        indexes.push_back(std::make_unique<RootIndex>(root));
        indexes.back()->rebuild();
        indexed.push_back(indexes.back().get());
    }
    std::size_t found = 0;
    report("19.match.many", "live matches of \"e\" over the index of 3 x L",
           measure_here(options.runs,
                        [&] { found = find_live_matches(indexed, "e").matches.size(); }));
    std::fprintf(stderr, "live matches of \"e\": %zu\n", found);
    report("19.match.few", "live matches of \"editor\" over the index of 3 x L",
           measure_here(options.runs,
                        [&] { found = find_live_matches(indexed, "editor").matches.size(); }));
    std::fprintf(stderr, "live matches of \"editor\": %zu\n", found);

    fs::remove_all(utf8_to_path(work), ec);
    return 0;
}

}  // namespace
}  // namespace trevalon::bench

int main(int argc, char** argv) {
    return trevalon::bench::run(argc, argv);
}
