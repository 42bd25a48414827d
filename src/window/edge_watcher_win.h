// Bringing the main window forward when the pointer touches the top edge of
// the screen: the pointer's raw input reaches a message-only window of the
// main thread, which decides by the rules of window/edge_trigger.h. While the
// pointer stays still nothing runs; a thread of its own would cost the
// program more memory than all its work (under Wine about a megabyte).
#pragma once

#include <windows.h>

#include <memory>

#include "window/edge_trigger.h"

namespace trevalon {

struct WindowState;
struct Settings;

// The two settings the watcher reads, mirrored for it whenever the settings
// are loaded or changed.
struct EdgeTriggerSwitches {
    int vertical = 1;
    int horizontal = 0;
};

// How the watcher learns that the pointer moved.
enum class PointerSource {
    // The system's raw input, wherever the pointer is: nothing runs unless
    // the pointer moves or a button changes.
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

// The watcher, on the thread that makes it, whose messages must be
// dispatched (the program's loop and every modal loop do).
class EdgeWatcher {
  public:
    // Starts watching for `window`, reading the switches at every check;
    // both must outlive the watcher. Without raw input (it could not be
    // registered) the watcher samples.
    EdgeWatcher(HWND window, const EdgeTriggerSwitches& switches, PointerSource source);
    ~EdgeWatcher();
    EdgeWatcher(const EdgeWatcher&) = delete;
    EdgeWatcher& operator=(const EdgeWatcher&) = delete;

    PointerSource source() const { return source_; }
    // The switches changed: the pointer is looked at again where it is.
    void look_again();

  private:
    static LRESULT CALLBACK input_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void on_pointer_event(bool look_again);
    void on_timer(UINT_PTR timer);
    // Sets the timer of the running check's second look, if one runs.
    void arm_due_timer();

    HWND window_;
    const EdgeTriggerSwitches& switches_;
    PointerSource source_;
    HWND input_ = nullptr;
    std::unique_ptr<EdgeWatchEnvironment> screen_;
    EdgeWatch watch_;
};

// Copies MouseCursorVertical and MouseCursorHorizontal into the switches
// and has a running watcher look at the pointer again.
void publish_edge_triggers(WindowState& state);

// Publishes the settings' triggers and starts the program's watcher for the
// main window (start-up, after the window is shown).
void start_edge_watcher(WindowState& state);

}  // namespace trevalon
