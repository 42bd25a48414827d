// When touching the top edge of the screen brings the window forward: the
// decision over pointer samples and time, apart from the thread that samples
// the real pointer, so it can be tested with made-up movements and a made-up
// clock.
#pragma once

#include <chrono>
#include <optional>

namespace trevalon {

// A pointer position in screen coordinates (y = 0 is the top row).
struct PointerSample {
    int x = 0;
    int y = 0;
};

// The settings MouseCursorVertical and MouseCursorHorizontal as read for one
// check: the vertical trigger alone means "rest on the top row", both mean
// "swipe along the top row".
struct EdgeTriggers {
    int vertical = 1;
    int horizontal = 0;
};

inline constexpr std::chrono::milliseconds kEdgePollInterval{100};
inline constexpr std::chrono::milliseconds kEdgeRestTime{300};
inline constexpr std::chrono::milliseconds kEdgeSwipeTime{500};
// A swipe must move further than this along the top...
inline constexpr int kEdgeSwipeDistance = 50;
// ...and end within this many rows of the top.
inline constexpr int kEdgeSwipeBand = 10;

// How long to wait before looking at the pointer a second time, or nothing
// when this first sample starts no check.
std::optional<std::chrono::milliseconds> edge_check_wait(EdgeTriggers triggers,
                                                         PointerSample first);

// Whether the second look completes the check the first sample started.
bool edge_check_fires(EdgeTriggers triggers, PointerSample first, PointerSample second);

// What one pass of the watcher needs from the world.
class EdgeWatchEnvironment {
  public:
    virtual ~EdgeWatchEnvironment() = default;
    virtual EdgeTriggers triggers() = 0;
    virtual PointerSample pointer() = 0;
    virtual void wait(std::chrono::milliseconds duration) = 0;
    virtual void bring_forward() = 0;
};

// One pass of the watcher: sample the pointer, wait and sample again when
// that starts a check, bring the window forward when the check fires, then
// wait the poll interval. The triggers are read once per pass.
void edge_watch_pass(EdgeWatchEnvironment& environment);

}  // namespace trevalon
