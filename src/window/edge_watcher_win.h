// Bringing the main window forward when the pointer touches the top edge of
// the screen: a background thread samples the pointer and decides by the
// rules of window/edge_trigger.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/handles_win.h"

namespace trevalon {

struct WindowState;
struct Settings;

// The two settings the watcher reads, mirrored for it by the main thread
// whenever the settings are loaded or changed. Atomics: the watcher reads
// them from its own thread while the settings window may be writing them.
struct EdgeTriggerSwitches {
    std::atomic<int> vertical{1};
    std::atomic<int> horizontal{0};
};

// Copies MouseCursorVertical and MouseCursorHorizontal into the switches.
void publish_edge_triggers(EdgeTriggerSwitches& switches, const Settings& settings);

// The watcher thread. The program's runs until the process ends; a test's
// ends when it is stopped or destroyed (within one check's wait).
class EdgeWatcher {
  public:
    // Starts watching for `window`, reading the switches on every check.
    // Both must outlive the watcher.
    EdgeWatcher(HWND window, const EdgeTriggerSwitches& switches);
    ~EdgeWatcher();
    EdgeWatcher(const EdgeWatcher&) = delete;
    EdgeWatcher& operator=(const EdgeWatcher&) = delete;

    // Asks the thread to end; it ends after its current wait.
    void request_stop();
    // Whether the thread has ended. A thread bringing a window forward may
    // need that window's thread to answer, so a stopping owner keeps
    // processing its messages until this holds.
    bool finished() const { return finished_.load(); }

  private:
    // A plain flag and event rather than std::stop_callback: the library's
    // wait inside the callback's removal can miss its wake-up on this
    // platform and leave the joining owner waiting for ever.
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    UniqueHandle wake_;  // set by request_stop; before thread_, which waits on it
    std::thread thread_;
};

// Publishes the settings' triggers and starts the program's watcher for the
// main window (start-up, after the window is shown).
void start_edge_watcher(WindowState& state);

}  // namespace trevalon
