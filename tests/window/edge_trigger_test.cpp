// The top-edge trigger against made-up pointer movements on a made-up clock:
// the watcher's passes run on virtual time, so every phase between the
// pointer's movement and the polling can be tried.
#include "window/edge_trigger.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace trevalon {
namespace {

using std::chrono::milliseconds;

// Where the pointer is at a time (ms since the start of the run).
using PointerPath = std::function<PointerSample(long long)>;

class SimulatedScreen final : public EdgeWatchEnvironment {
  public:
    SimulatedScreen(EdgeTriggers triggers, PointerPath path, long long start,
                    std::vector<ScreenRect> monitors = {}, bool full_screen = false)
        : triggers_(triggers),
          path_(std::move(path)),
          now_(start),
          monitors_(std::move(monitors)),
          full_screen_(full_screen) {}

    EdgeTriggers triggers() override { return triggers_; }
    PointerSample pointer() override { return path_(now_); }
    std::vector<ScreenRect> monitors() override { return monitors_; }
    bool full_screen_in_front() override { return full_screen_; }
    void wait(milliseconds duration) override { now_ += duration.count(); }
    void bring_forward() override { fired_at.push_back(now_); }

    long long now() const { return now_; }
    std::vector<long long> fired_at;

  private:
    EdgeTriggers triggers_;
    PointerPath path_;
    long long now_;
    std::vector<ScreenRect> monitors_;
    bool full_screen_;
};

// Runs the watcher until the given time; the first pass starts at `phase`,
// so the pointer's movement falls anywhere between two samples.
std::vector<long long> fires(EdgeTriggers triggers, const PointerPath& path, long long phase,
                             long long until = 3000, std::vector<ScreenRect> monitors = {},
                             bool full_screen = false) {
    SimulatedScreen screen(triggers, path, phase, std::move(monitors), full_screen);
    while (screen.now() < until)
        edge_watch_pass(screen);
    return screen.fired_at;
}

constexpr EdgeTriggers kRest{1, 0};
constexpr EdgeTriggers kSwipe{1, 1};
constexpr PointerSample kAway{400, 300};

// On the top row at x = 200 from `arrive` for `stay` ms, elsewhere before and after.
PointerPath touch_top(long long arrive, long long stay) {
    return [=](long long t) {
        return t >= arrive && t < arrive + stay ? PointerSample{200, 0} : kAway;
    };
}

// Arrives on the top row at x = 200, moves sideways by `distance` 100 ms
// later and stays there; `end_y` is the row it ends on.
PointerPath swipe(long long arrive, int distance, int end_y = 0) {
    return [=](long long t) {
        if (t < arrive)
            return kAway;
        if (t < arrive + 100)
            return PointerSample{200, 0};
        return PointerSample{200 + distance, end_y};
    };
}

// Every phase of the polling against a movement that starts at 1000 ms.
std::vector<long long> phases() {
    std::vector<long long> result;
    for (long long phase = 0; phase < 100; phase += 7)
        result.push_back(phase);
    return result;
}

TEST(EdgeTrigger, RestingOnTheTopRowForHalfASecondBringsTheWindowForward) {
    for (const long long phase : phases()) {
        const auto fired = fires(kRest, touch_top(1000, 500), phase);
        ASSERT_EQ(fired.size(), 1u) << "phase " << phase;
        // Forward within the half second, not before the pointer arrived.
        EXPECT_GE(fired[0], 1300) << "phase " << phase;
        EXPECT_LT(fired[0], 1500) << "phase " << phase;
    }
}

TEST(EdgeTrigger, TouchingTheTopRowForAtMostThreeTenthsOfASecondDoesNothing) {
    for (const long long phase : phases()) {
        EXPECT_TRUE(fires(kRest, touch_top(1000, 300), phase).empty()) << "phase " << phase;
        EXPECT_TRUE(fires(kRest, touch_top(1000, 150), phase).empty()) << "phase " << phase;
    }
}

TEST(EdgeTrigger, RestingThereKeepsBringingItForwardAndTheRowBelowNever) {
    const PointerPath resting = [](long long) { return PointerSample{10, 0}; };
    // One check takes 300 ms, then 100 ms of polling: forward every 400 ms.
    EXPECT_EQ(fires(kRest, resting, 0, 2000), (std::vector<long long>{300, 700, 1100, 1500, 1900}));
    const PointerPath one_below = [](long long) { return PointerSample{10, 1}; };
    EXPECT_TRUE(fires(kRest, one_below, 0).empty());
}

TEST(EdgeTrigger, ASwipeOfSixtyPixelsWithinHalfASecondFiresAndFortyDoesNot) {
    for (const long long phase : phases()) {
        EXPECT_EQ(fires(kSwipe, swipe(1000, 60), phase).size(), 1u) << "phase " << phase;
        EXPECT_EQ(fires(kSwipe, swipe(1000, -60), phase).size(), 1u) << "phase " << phase;
        EXPECT_TRUE(fires(kSwipe, swipe(1000, 40), phase).empty()) << "phase " << phase;
        EXPECT_TRUE(fires(kSwipe, swipe(1000, 50), phase).empty()) << "phase " << phase;
    }
}

TEST(EdgeTrigger, ASwipeMayEndJustBelowTheTopButNotTenRowsDown) {
    EXPECT_EQ(fires(kSwipe, swipe(1000, 60, 9), 0).size(), 1u);
    EXPECT_TRUE(fires(kSwipe, swipe(1000, 60, 10), 0).empty());
}

TEST(EdgeTrigger, WithBothSettingsRestingOnTheTopDoesNothing) {
    for (const long long phase : phases())
        EXPECT_TRUE(fires(kSwipe, touch_top(1000, 2000), phase).empty()) << "phase " << phase;
}

TEST(EdgeTrigger, WithoutTheVerticalSettingTheTopEdgeNeverFires) {
    for (const int horizontal : {0, 1, -1}) {
        const EdgeTriggers off{0, horizontal};
        EXPECT_TRUE(fires(off, touch_top(1000, 2000), 0).empty()) << horizontal;
        EXPECT_TRUE(fires(off, swipe(1000, 300), 0).empty()) << horizontal;
    }
}

TEST(EdgeTrigger, AnyNonZeroValueSwitchesATriggerOn) {
    EXPECT_EQ(edge_check_wait({-1, 0}, {0, 0}), milliseconds(300));
    EXPECT_EQ(edge_check_wait({2, 7}, {0, 0}), milliseconds(500));
    EXPECT_EQ(edge_check_wait({1, 0}, {0, 5}), std::nullopt);
}

TEST(EdgeTrigger, PollsTenTimesASecondWhileNothingHappens) {
    int samples = 0;
    const PointerPath counting = [&samples](long long) {
        ++samples;
        return kAway;
    };
    fires(kRest, counting, 0, 1000);
    EXPECT_EQ(samples, 10);
}

TEST(EdgeTrigger, PointersFarApartDoNotOverflowTheDistance) {
    EXPECT_TRUE(edge_check_fires(kSwipe, {-2'000'000'000, 0}, {2'000'000'000, 0}));
    EXPECT_FALSE(edge_check_fires(kSwipe, {2'147'483'647, 0}, {2'147'483'647, 0}));
}

// Resting on the top row, with a button held from `press` for `hold` ms.
PointerPath rest_holding(long long press, long long hold) {
    return [=](long long t) { return PointerSample{200, 0, t >= press && t < press + hold}; };
}

TEST(EdgeTrigger, NothingFiresWhileAButtonIsHeldAndRestingAfterTheReleaseDoes) {
    // A window dragged to the top and held there for two seconds.
    for (const long long phase : phases()) {
        const auto fired = fires(kRest, rest_holding(0, 2000), phase, 2000);
        EXPECT_TRUE(fired.empty()) << "phase " << phase;
        // Released after the check's first look: that check does not fire.
        const auto released = fires(kRest, rest_holding(0, 2150), phase, 3000);
        ASSERT_FALSE(released.empty()) << "phase " << phase;
        EXPECT_GE(released[0], 2150 + 300) << "phase " << phase;
    }
    // The swipe too: a drag along the top is no swipe.
    const PointerPath dragging = [](long long t) {
        return PointerSample{static_cast<int>(t / 5), 0, true};
    };
    EXPECT_TRUE(fires(kSwipe, dragging, 0).empty());
}

TEST(EdgeTrigger, AFullScreenWindowInFrontBlocksIt) {
    EXPECT_TRUE(fires(kRest, touch_top(1000, 500), 0, 3000, {}, true).empty());
    EXPECT_TRUE(fires(kSwipe, swipe(1000, 60), 0, 3000, {}, true).empty());
    // Full screen: the whole monitor and no title bar. A maximised window
    // (title bar) over a hidden taskbar is not.
    const ScreenRect monitor{1920, 0, 3840, 1080};
    EXPECT_TRUE(full_screen({1920, 0, 3840, 1080}, false, monitor));
    EXPECT_TRUE(full_screen({1900, -20, 3860, 1100}, false, monitor));
    EXPECT_FALSE(full_screen({1912, -8, 3848, 1088}, true, monitor));
    EXPECT_FALSE(full_screen({1920, 0, 3840, 1040}, false, monitor));  // above the taskbar
    EXPECT_FALSE(full_screen({0, 0, 1920, 1080}, false, monitor));     // another monitor
    EXPECT_FALSE(full_screen({0, 0, 0, 0}, false, {0, 0, 0, 0}));
}

// Two monitors side by side, the second lower down and to the left of the
// primary one, and a third above the primary's right half.
const std::vector<ScreenRect> kMonitors{
    {0, 0, 1920, 1080}, {-1280, 200, 0, 1224}, {960, -1080, 2880, 0}};

TEST(EdgeTrigger, EveryMonitorsTopEdgeCountsWhereNoMonitorIsAbove) {
    // The primary's left half, the second monitor's top, the third's top.
    EXPECT_TRUE(on_top_edge(100, 0, kMonitors));
    EXPECT_TRUE(on_top_edge(-1280, 200, kMonitors));
    EXPECT_TRUE(on_top_edge(-1, 200, kMonitors));
    EXPECT_TRUE(on_top_edge(2000, -1080, kMonitors));
    // Below the third monitor the primary's top row is a passage, not an
    // edge; the second monitor's row y = 0 is no row of its own.
    EXPECT_FALSE(on_top_edge(960, 0, kMonitors));
    EXPECT_FALSE(on_top_edge(1919, 0, kMonitors));
    EXPECT_FALSE(on_top_edge(-100, 0, kMonitors));
    EXPECT_FALSE(on_top_edge(-100, 201, kMonitors));
    EXPECT_FALSE(on_top_edge(5000, 0, kMonitors));  // outside every monitor

    // Resting on the second monitor's top fires; on the passage it does not.
    const PointerPath second_top = [](long long t) {
        return t >= 1000 && t < 1500 ? PointerSample{-600, 200} : PointerSample{-600, 600};
    };
    EXPECT_EQ(fires(kRest, second_top, 0, 3000, kMonitors).size(), 1u);
    const PointerPath passage = [](long long) { return PointerSample{1500, 0}; };
    EXPECT_TRUE(fires(kRest, passage, 0, 3000, kMonitors).empty());
    // A swipe along the second monitor's top may end within ten rows of it.
    const PointerPath second_swipe = [](long long t) {
        if (t < 1000)
            return PointerSample{-600, 600};
        return t < 1100 ? PointerSample{-600, 200} : PointerSample{-540, 209};
    };
    EXPECT_EQ(fires(kSwipe, second_swipe, 0, 3000, kMonitors).size(), 1u);
}

}  // namespace
}  // namespace trevalon
