// When touching the top edge of the screen brings the window forward: the
// decision over pointer events and time, apart from the thread that receives
// the real pointer's events, so it can be tested with made-up movements and a
// made-up clock.
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <vector>

namespace trevalon {

// A pointer position in screen coordinates (y = 0 is the primary monitor's
// top row), and whether a mouse button was held at that moment: a window
// dragged to the top edge to be maximised must not open the menu.
struct PointerSample {
    int x = 0;
    int y = 0;
    bool button_held = false;

    bool operator==(const PointerSample&) const = default;
};

// A rectangle in screen coordinates, right and bottom outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Whether the point is on a top edge of the screen: the top row of a monitor
// with no monitor above it there, so the pointer cannot move on upwards.
// Without monitors the row y = 0 is the edge.
bool on_top_edge(int x, int y, std::span<const ScreenRect> monitors);

// Whether a window is full screen on its monitor (a video or a game): it
// covers the whole monitor and has no title bar. A maximised window keeps its
// title bar, and covers the monitor too when the taskbar hides itself. The
// edge does not take the foreground from a full-screen window.
bool full_screen(ScreenRect window, bool has_title_bar, ScreenRect monitor);

// The settings MouseCursorVertical and MouseCursorHorizontal as read for one
// check: the vertical trigger alone means "rest on the top row", both mean
// "swipe along the top row".
struct EdgeTriggers {
    int vertical = 1;
    int horizontal = 0;
};

inline constexpr std::chrono::milliseconds kEdgeRestTime{300};
inline constexpr std::chrono::milliseconds kEdgeSwipeTime{500};
// A swipe must move further than this along the top...
inline constexpr int kEdgeSwipeDistance = 50;
// ...and end within this many rows of the top.
inline constexpr int kEdgeSwipeBand = 10;

// How long to wait before looking at the pointer a second time, or nothing
// when this first sample starts no check (not on a top edge, or a button
// held).
std::optional<std::chrono::milliseconds> edge_check_wait(EdgeTriggers triggers, PointerSample first,
                                                         std::span<const ScreenRect> monitors = {});

// Whether the second look completes the check the first sample started:
// still on a top edge (resting), or moved far enough along the row it
// started on (swiping), in both cases with no button held.
bool edge_check_fires(EdgeTriggers triggers, PointerSample first, PointerSample second,
                      std::span<const ScreenRect> monitors = {});

// What the watcher needs from the world.
class EdgeWatchEnvironment {
  public:
    virtual ~EdgeWatchEnvironment() = default;
    virtual EdgeTriggers triggers() = 0;
    // Where the pointer is; whether a button is held is asked apart, only
    // where it matters (on a top edge).
    virtual PointerSample pointer_position() = 0;
    virtual bool button_held() = 0;
    // The monitors; none: the row y = 0 is the edge.
    virtual std::vector<ScreenRect> monitors() { return {}; }
    // Whether the foreground window covers its whole monitor; asked only
    // when a check would fire.
    virtual bool full_screen_in_front() { return false; }
    virtual void bring_forward() = 0;
};

// The watcher's decisions, driven by the pointer's events rather than by a
// clock: nothing is looked at while the pointer stays still. A check starts
// when the pointer arrives on a top edge with no button held, or a button is
// released there; its second look comes when due() says, one dwell later.
// Times are milliseconds on any steady clock.
class EdgeWatch {
  public:
    // The pointer moved or a button went down or up. While a check runs
    // nothing else is needed; otherwise a new position or button state on a
    // top edge starts one. `look_again` starts one even where the last
    // check ended (the triggers have just changed).
    void on_pointer_event(EdgeWatchEnvironment& environment, long long now,
                          bool look_again = false);

    // When the running check wants its second look, if one runs.
    std::optional<long long> due() const { return due_; }

    // The second look, at or after due(): brings the window forward when
    // the check fires and no full-screen window is in front.
    void on_due(EdgeWatchEnvironment& environment, long long now);

  private:
    EdgeTriggers triggers_;  // as read when the check started
    PointerSample first_;
    std::optional<long long> due_;
    std::vector<ScreenRect> monitors_;
    // Where the last check started or ended: resting there starts no other.
    std::optional<PointerSample> last_;
};

}  // namespace trevalon
