#include "menu_copy_bench_win.h"

#include <windows.h>

#include <cstdio>

#include "bare_walk_win.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/merged_copy_win.h"
#include "platform/wide_win.h"
#include "wine_timing_win.h"

namespace trevalon::bench {

namespace {

void print(const std::string& id, const std::string& what, const Summary& summary) {
    std::puts(result_line(id, what, "ms", summary).c_str());
    std::fflush(stdout);
}

// The folder above path: the one root the benchmark's deletions may act in.
std::vector<std::string> roots_around(std::string_view path) {
    return {std::string(folder_part(without_trailing_separator(path)))};
}

// The first link directly in the folder, as bytes to copy under new names.
std::string some_link(const std::string& folder) {
    for (const std::string& name : files_in(folder)) {
        if (name.ends_with(".lnk")) {
            if (auto bytes = read_file(folder + name))
                return *bytes;
        }
    }
    return "placeholder";
}

}  // namespace

int full_copy_update(int runs, const std::string& copy, const std::vector<std::string>& sources,
                     bool warm_up) {
    const auto roots = roots_around(copy);
    const auto update = [&] {
        MergedCopyFolder fresh;
        fresh.bring_up_to_date(copy, sources, roots);
        fresh.forget();
    };
    if (warm_up)
        update();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = counter_ms();
        update();
        times.push_back(counter_ms() - start);
    }
    print("1.ours", "Windows-menu update when nothing is known: delete, then copy everything",
          summarize(std::move(times)));
    return 0;
}

CopyUpdateRuns::CopyUpdateRuns(std::string id, std::string copy, std::vector<std::string> sources)
    : id_(std::move(id)),
      copy_(std::move(copy)),
      sources_(std::move(sources)),
      roots_(roots_around(copy_)),
      link_bytes_(some_link(with_trailing_separator(sources_.back()))) {
    folder_.bring_up_to_date(copy_, sources_, roots_);
}

CopyUpdateRuns::~CopyUpdateRuns() {
    if (!added_.empty())
        delete_file(added_);
    folder_.forget();
}

std::size_t CopyUpdateRuns::walk_both() const {
    std::size_t seen = 0;
    for (const std::string& source : sources_)
        seen += bare_walk(utf8_to_wide(with_trailing_separator(source)));
    return seen;
}

void CopyUpdateRuns::unchanged(int runs) {
    std::vector<double> ours;
    std::vector<double> bare;
    std::size_t steps = 0;
    bool afresh = false;
    walk_both();  // warm-up
    for (int i = 0; i < runs; ++i) {
        double start = counter_ms();
        walk_both();
        bare.push_back(counter_ms() - start);
        start = counter_ms();
        const CopyUpdate update = folder_.bring_up_to_date(copy_, sources_, roots_);
        ours.push_back(counter_ms() - start);
        steps += update.steps;
        afresh = afresh || update.made_afresh;
    }
    print("1u." + id_ + ".bare", "bare FindFirstFileEx walk of both roots, tree " + id_,
          summarize(std::move(bare)));
    print("1u." + id_ + ".ours", "Windows-menu update, nothing changed, tree " + id_,
          summarize(std::move(ours)));
    if (steps || afresh) {
        std::fprintf(stderr, "%s: unchanged updates took %zu steps%s\n", id_.c_str(), steps,
                     afresh ? ", one afresh" : "");
    }
}

void CopyUpdateRuns::changed(int runs) {
    const std::string user = with_trailing_separator(sources_.back());
    // The baseline copies a link beside the copy, not into a tree.
    const std::string beside = with_trailing_separator(roots_.front());
    const std::wstring walk_copy_from = utf8_to_wide(beside + "Link of the benchmark.lnk");
    const std::wstring walk_copy_to = utf8_to_wide(beside + "Copied by the benchmark.lnk");
    write_file(wide_to_utf8(walk_copy_from), link_bytes_);
    std::vector<double> ours;
    std::vector<double> bare;
    for (int i = 0; i < runs; ++i) {
        double start = counter_ms();
        walk_both();
        CopyFileW(walk_copy_from.c_str(), walk_copy_to.c_str(), FALSE);
        bare.push_back(counter_ms() - start);

        const bool removes = !added_.empty();
        if (removes)
            delete_file(added_);
        added_ = user + "Added by the benchmark " + std::to_string(++added_count_) + ".lnk";
        write_file(added_, link_bytes_);
        start = counter_ms();
        const CopyUpdate update = folder_.bring_up_to_date(copy_, sources_, roots_);
        ours.push_back(counter_ms() - start);
        if (update.made_afresh || update.steps != (removes ? 2u : 1u)) {
            std::fprintf(stderr, "%s: the update took %zu steps%s\n", id_.c_str(), update.steps,
                         update.made_afresh ? ", afresh" : "");
        }
    }
    delete_file(wide_to_utf8(walk_copy_from));
    delete_file(wide_to_utf8(walk_copy_to));
    print("1c." + id_ + ".bare", "bare walk of both roots + one CopyFile, tree " + id_,
          summarize(std::move(bare)));
    print("1c." + id_ + ".ours", "Windows-menu update, one link added and one removed, tree " + id_,
          summarize(std::move(ours)));
}

}  // namespace trevalon::bench
