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
    SimulatedScreen(EdgeTriggers triggers, PointerPath path, long long start)
        : triggers_(triggers), path_(std::move(path)), now_(start) {}

    EdgeTriggers triggers() override { return triggers_; }
    PointerSample pointer() override { return path_(now_); }
    void wait(milliseconds duration) override { now_ += duration.count(); }
    void bring_forward() override { fired_at.push_back(now_); }

    long long now() const { return now_; }
    std::vector<long long> fired_at;

  private:
    EdgeTriggers triggers_;
    PointerPath path_;
    long long now_;
};

// Runs the watcher until the given time; the first pass starts at `phase`,
// so the pointer's movement falls anywhere between two samples.
std::vector<long long> fires(EdgeTriggers triggers, const PointerPath& path, long long phase,
                             long long until = 3000) {
    SimulatedScreen screen(triggers, path, phase);
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

}  // namespace
}  // namespace trevalon
