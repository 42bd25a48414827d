// A resident program started for a benchmark: its main window, and what the
// Linux kernel knows of the process Wine runs it in (private dirty memory,
// CPU time), read through Wine's Z: drive from /proc.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/handles_win.h"

namespace trevalon::bench {

class Resident {
  public:
    // Starts program and waits (bounded) for its visible top-level window of
    // window_class and for its Linux process. Check ready() afterwards.
    Resident(std::string_view program, std::string_view window_class);
    ~Resident();  // ends the process
    Resident(const Resident&) = delete;
    Resident& operator=(const Resident&) = delete;

    bool ready() const { return window_ && unix_pid_ > 0; }
    HWND window() const { return window_; }
    HANDLE process() const { return process_.get(); }

    // Private dirty memory (smaps_rollup) in KiB.
    std::optional<double> private_dirty_kb() const;
    // The same by mapping (the file mapped, or "[heap]", "[anon]", ...),
    // largest first.
    std::vector<std::pair<std::string, double>> private_dirty_by_mapping() const;
    // User + system CPU time of all its threads, in seconds.
    std::optional<double> cpu_seconds() const;
    // What the scheduler counts for its threads alive now (their
    // schedstat): time on a CPU, in seconds, and how often they were put on
    // one (each wake-up is one).
    struct Scheduled {
        double cpu_seconds = 0;
        double runs = 0;
    };
    std::optional<Scheduled> scheduled() const;

    // Waits until the window's thread has handled everything sent before.
    void sync() const;

  private:
    UniqueHandle process_;
    HWND window_ = nullptr;
    int unix_pid_ = 0;
};

// The newest Linux process of this Wine prefix whose command line holds
// command (Wine puts the Windows path of the program there), or 0.
int unix_pid_of(std::string_view command, std::string_view environment_entry);
std::string this_prefix_entry();

// Private dirty memory of a Linux process (smaps_rollup) in KiB.
std::optional<double> unix_private_dirty_kb(int pid);

// CPU seconds of a Linux process from /proc/<pid>/stat.
std::optional<double> unix_cpu_seconds(int pid);

// The Linux process of this prefix's wineserver, or 0.
int wineserver_pid();

}  // namespace trevalon::bench
