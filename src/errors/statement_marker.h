// The statement marker: which source file and line of the program's own code
// ran last, shown as "Program line" in the error report.
//
// Marking every statement would cost a store per line everywhere; instead the
// program marks its operation entry points: each start-up step, each event
// the loop dispatches and each command a handler starts. The report then names
// the last operation that began, which is what a support reply needs. A file
// marks with TREVALON_MARK() after naming itself once:
//
//     constexpr auto kMarkerFile = SourceFile::startup;  // in an unnamed namespace
//
// The marker holds the file index in its top 8 bits and the line in the low 24.
#pragma once

#include <atomic>
#include <cstdint>

namespace trevalon {

// One index per source file that marks; append new files at the end so that
// reported indices keep their meaning across versions.
enum class SourceFile : std::uint8_t {
    none = 0,
    startup = 1,
    event_loop = 2,
    exit_cleanup = 3,
    first_run = 4,
    settings_store = 5,
    main_window = 6,
    settings_window = 7,
    system_commands = 8,
    list_views = 9,
    view_toggles = 10,
    entry_operations = 11,
    folder_operations = 12,
    dispatch = 13,
    undo = 14,
    test_helper = 255,
};

// Written by the main thread, read by the fault handler on whichever thread
// faulted; relaxed atomics keep that well defined at the cost of a plain store.
inline std::atomic<std::uint32_t> g_statement_marker{0};

inline void mark_statement(SourceFile file, int line) {
    const auto value =
        (static_cast<std::uint32_t>(file) << 24) | (static_cast<std::uint32_t>(line) & 0xFFFFFFu);
    g_statement_marker.store(value, std::memory_order_relaxed);
}

inline SourceFile marked_file(std::uint32_t marker) {
    return static_cast<SourceFile>(marker >> 24);
}

// The line part of a marker; -1 when nothing has been marked.
inline int marked_line(std::uint32_t marker) {
    return marker == 0 ? -1 : static_cast<int>(marker & 0xFFFFFFu);
}

inline std::uint32_t current_statement_marker() {
    return g_statement_marker.load(std::memory_order_relaxed);
}

}  // namespace trevalon

#define TREVALON_MARK() ::trevalon::mark_statement(kMarkerFile, __LINE__)
