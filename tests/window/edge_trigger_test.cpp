// The top-edge trigger against made-up pointer movements on a made-up clock:
// the pointer's path is a function of time, and the watcher hears of it as
// the system tells of it, through an event whenever the pointer moves or a
// button changes, and through the second look each check asks for.
#include "window/edge_trigger.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace trevalon {
namespace {

using std::chrono::milliseconds;

// Where the pointer is at a time (ms since the start of the run).
using PointerPath = std::function<PointerSample(long long)>;

class SimulatedScreen final : public EdgeWatchEnvironment {
  public:
    SimulatedScreen(EdgeTriggers triggers, PointerPath path, std::vector<ScreenRect> monitors = {},
                    bool full_screen = false)
        : triggers_(triggers),
          path_(std::move(path)),
          monitors_(std::move(monitors)),
          full_screen_(full_screen) {}

    EdgeTriggers triggers() override { return triggers_; }
    PointerSample pointer_position() override {
        ++looks;
        PointerSample sample = path_(now_);
        sample.button_held = false;
        return sample;
    }
    bool button_held() override { return path_(now_).button_held; }
    std::vector<ScreenRect> monitors() override { return monitors_; }
    bool full_screen_in_front() override { return full_screen_; }
    void bring_forward() override { fired_at.push_back(now_); }

    // Runs the time on to `until`, one millisecond at a time: the watcher
    // gets an event whenever the pointer's sample changes, and its second
    // looks when they are due (before the events of the same moment, as the
    // real watcher takes them).
    void run_until(long long until) {
        for (; now_ < until; ++now_) {
            if (const auto due = watch_.due(); due && *due <= now_)
                watch_.on_due(*this, now_);
            const PointerSample sample = path_(now_);
            if (sample != seen_) {
                seen_ = sample;
                watch_.on_pointer_event(*this, now_);
            }
        }
    }

    // The settings window applies new triggers.
    void publish(EdgeTriggers triggers) {
        triggers_ = triggers;
        watch_.on_pointer_event(*this, now_, true);
    }

    std::vector<long long> fired_at;
    int looks = 0;

  private:
    EdgeTriggers triggers_;
    PointerPath path_;
    long long now_ = 0;
    std::vector<ScreenRect> monitors_;
    bool full_screen_;
    EdgeWatch watch_;
    std::optional<PointerSample> seen_;
};

std::vector<long long> fires(EdgeTriggers triggers, const PointerPath& path, long long until = 3000,
                             std::vector<ScreenRect> monitors = {}, bool full_screen = false) {
    SimulatedScreen screen(triggers, path, std::move(monitors), full_screen);
    screen.run_until(until);
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

// Arrival times all over a second, so no moment is special.
std::vector<long long> arrivals() {
    std::vector<long long> result;
    for (long long arrive = 1000; arrive < 2000; arrive += 37)
        result.push_back(arrive);
    return result;
}

TEST(EdgeTrigger, RestingOnTheTopRowBringsTheWindowForwardWhenTheDwellEnds) {
    for (const long long arrive : arrivals()) {
        // Forward the moment the 300 ms rest is complete, not a poll later.
        EXPECT_EQ(fires(kRest, touch_top(arrive, 500), 4000),
                  (std::vector<long long>{arrive + 300}))
            << "arriving at " << arrive;
    }
}

TEST(EdgeTrigger, TouchingTheTopRowForAtMostThreeTenthsOfASecondDoesNothing) {
    for (const long long arrive : arrivals()) {
        EXPECT_TRUE(fires(kRest, touch_top(arrive, 300)).empty()) << "arriving at " << arrive;
        EXPECT_TRUE(fires(kRest, touch_top(arrive, 150)).empty()) << "arriving at " << arrive;
    }
}

TEST(EdgeTrigger, RestingThereBringsItForwardOnceMovingAlongTheTopAgainAndTheRowBelowNever) {
    const PointerPath resting = [](long long) { return PointerSample{10, 0}; };
    EXPECT_EQ(fires(kRest, resting, 5000), (std::vector<long long>{300}));
    // Moving along the top row, a pixel every 10 ms: every move after a
    // check starts the next one.
    const PointerPath sliding = [](long long t) {
        return PointerSample{static_cast<int>(t / 10), 0};
    };
    EXPECT_EQ(fires(kRest, sliding, 1000), (std::vector<long long>{300, 610, 920}));
    const PointerPath one_below = [](long long) { return PointerSample{10, 1}; };
    EXPECT_TRUE(fires(kRest, one_below).empty());
}

TEST(EdgeTrigger, ASwipeOfSixtyPixelsWithinHalfASecondFiresAndFortyDoesNot) {
    for (const long long arrive : arrivals()) {
        EXPECT_EQ(fires(kSwipe, swipe(arrive, 60)), (std::vector<long long>{arrive + 500}))
            << "arriving at " << arrive;
        EXPECT_EQ(fires(kSwipe, swipe(arrive, -60)).size(), 1u) << "arriving at " << arrive;
        EXPECT_TRUE(fires(kSwipe, swipe(arrive, 40)).empty()) << "arriving at " << arrive;
        EXPECT_TRUE(fires(kSwipe, swipe(arrive, 50)).empty()) << "arriving at " << arrive;
    }
}

TEST(EdgeTrigger, ASwipeMayEndJustBelowTheTopButNotTenRowsDown) {
    EXPECT_EQ(fires(kSwipe, swipe(1000, 60, 9)).size(), 1u);
    EXPECT_TRUE(fires(kSwipe, swipe(1000, 60, 10)).empty());
}

TEST(EdgeTrigger, WithBothSettingsRestingOnTheTopDoesNothing) {
    for (const long long arrive : arrivals())
        EXPECT_TRUE(fires(kSwipe, touch_top(arrive, 2000), 5000).empty())
            << "arriving at " << arrive;
}

TEST(EdgeTrigger, WithoutTheVerticalSettingTheTopEdgeNeverFires) {
    for (const int horizontal : {0, 1, -1}) {
        const EdgeTriggers off{0, horizontal};
        EXPECT_TRUE(fires(off, touch_top(1000, 2000)).empty()) << horizontal;
        EXPECT_TRUE(fires(off, swipe(1000, 300)).empty()) << horizontal;
    }
}

TEST(EdgeTrigger, AnyNonZeroValueSwitchesATriggerOn) {
    EXPECT_EQ(edge_check_wait({-1, 0}, {0, 0}), milliseconds(300));
    EXPECT_EQ(edge_check_wait({2, 7}, {0, 0}), milliseconds(500));
    EXPECT_EQ(edge_check_wait({1, 0}, {0, 5}), std::nullopt);
}

TEST(EdgeTrigger, LooksAtThePointerOnlyWhenItMovesOrACheckEnds) {
    // Still, away from the edge, for ten seconds: the one look at the start.
    SimulatedScreen away(kRest, [](long long) { return kAway; });
    away.run_until(10000);
    EXPECT_EQ(away.looks, 1);
    // Resting on the top after the window came forward: nothing more.
    SimulatedScreen resting(kRest, touch_top(1000, 100000));
    resting.run_until(1500);
    const int looks = resting.looks;
    resting.run_until(10000);
    EXPECT_EQ(resting.looks, looks);
    EXPECT_EQ(resting.fired_at, (std::vector<long long>{1300}));
}

TEST(EdgeTrigger, NewTriggersLookAgainWhereThePointerRests) {
    SimulatedScreen screen({0, 0}, [](long long) { return PointerSample{10, 0}; });
    screen.run_until(1000);
    EXPECT_TRUE(screen.fired_at.empty());
    screen.publish(kRest);
    screen.run_until(2000);
    EXPECT_EQ(screen.fired_at, (std::vector<long long>{1300}));
    // Published again unchanged, they look again too.
    screen.publish(kRest);
    screen.run_until(3000);
    EXPECT_EQ(screen.fired_at, (std::vector<long long>{1300, 2300}));
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
    EXPECT_TRUE(fires(kRest, rest_holding(0, 2000), 2000).empty());
    // The release starts the rest.
    EXPECT_EQ(fires(kRest, rest_holding(0, 2150)), (std::vector<long long>{2150 + 300}));
    // Pressed during a rest and released after it: that check does not fire,
    // the release starts the next.
    const PointerPath pressed_while_resting = [](long long t) {
        return t < 1000 ? kAway : PointerSample{200, 0, t >= 1100 && t < 1400};
    };
    EXPECT_EQ(fires(kRest, pressed_while_resting), (std::vector<long long>{1400 + 300}));
    // The swipe too: a drag along the top is no swipe.
    const PointerPath dragging = [](long long t) {
        return PointerSample{static_cast<int>(t / 5), 0, true};
    };
    EXPECT_TRUE(fires(kSwipe, dragging).empty());
}

TEST(EdgeTrigger, AFullScreenWindowInFrontBlocksIt) {
    EXPECT_TRUE(fires(kRest, touch_top(1000, 500), 3000, {}, true).empty());
    EXPECT_TRUE(fires(kSwipe, swipe(1000, 60), 3000, {}, true).empty());
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
    EXPECT_EQ(fires(kRest, second_top, 3000, kMonitors).size(), 1u);
    const PointerPath passage = [](long long) { return PointerSample{1500, 0}; };
    EXPECT_TRUE(fires(kRest, passage, 3000, kMonitors).empty());
    // A swipe along the second monitor's top may end within ten rows of it.
    const PointerPath second_swipe = [](long long t) {
        if (t < 1000)
            return PointerSample{-600, 600};
        return t < 1100 ? PointerSample{-600, 200} : PointerSample{-540, 209};
    };
    EXPECT_EQ(fires(kSwipe, second_swipe, 3000, kMonitors).size(), 1u);
}

}  // namespace
}  // namespace trevalon
