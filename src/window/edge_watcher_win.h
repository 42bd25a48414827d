// Bringing the main window forward when the pointer touches the top edge of
// the screen: a background thread receives the pointer's events and decides
// by the rules of window/edge_trigger.h. While the pointer stays still the
// thread sleeps.
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
// The event tells a sleeping watcher to look at the pointer again under the
// new settings.
struct EdgeTriggerSwitches {
    std::atomic<int> vertical{1};
    std::atomic<int> horizontal{0};
    UniqueHandle changed{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

// Copies MouseCursorVertical and MouseCursorHorizontal into the switches.
void publish_edge_triggers(EdgeTriggerSwitches& switches, const Settings& settings);

// How the watcher learns that the pointer moved.
enum class PointerSource {
    // The system's raw input, wherever the pointer is: the thread wakes only
    // when the pointer moves or a button changes.
    events,
    // Looking at the pointer ten times a second: for where the system does
    // not pass the pointer's moves over other programs' windows to this one
    // (Wine without a desktop window of its own).
    sampling,
};

// Whether raw input reaches this program wherever the pointer is. Under Wine
// it does only in a virtual desktop, whose desktop window receives every
// move; otherwise the moves over other programs' windows go to those
// programs alone.
bool pointer_events_everywhere();

// The watcher thread. The program's runs until the process ends; a test's
// ends when it is stopped or destroyed.
class EdgeWatcher {
  public:
    // Starts watching for `window`, reading the switches at every check.
    // Both must outlive the watcher. Without raw input (it could not be
    // registered) the watcher samples.
    EdgeWatcher(HWND window, EdgeTriggerSwitches& switches, PointerSource source);
    ~EdgeWatcher();
    EdgeWatcher(const EdgeWatcher&) = delete;
    EdgeWatcher& operator=(const EdgeWatcher&) = delete;

    // Asks the thread to end; it ends at once unless it is bringing the
    // window forward.
    void request_stop();
    // Whether the thread has ended. A thread bringing a window forward may
    // need that window's thread to answer, so a stopping owner keeps
    // processing its messages until this holds.
    bool finished() const { return finished_.load(); }
    // The source in use, once the thread has set itself up.
    PointerSource source() const { return source_.load(); }
    // Whether the thread has set itself up (registered for raw input).
    bool ready() const { return ready_.load(); }

  private:
    void run(HWND window, EdgeTriggerSwitches& switches);

    // A plain flag and event rather than std::stop_callback: the library's
    // wait inside the callback's removal can miss its wake-up on this
    // platform and leave the joining owner waiting for ever.
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> ready_{false};
    std::atomic<PointerSource> source_;
    UniqueHandle wake_;  // set by request_stop; before thread_, which waits on it
    std::thread thread_;
};

// Publishes the settings' triggers and starts the program's watcher for the
// main window (start-up, after the window is shown).
void start_edge_watcher(WindowState& state);

}  // namespace trevalon
