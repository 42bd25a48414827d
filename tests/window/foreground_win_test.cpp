// Bringing the main window forward: the order of the forced-foreground calls,
// the real thing under Wine (restoring a minimised window, from another
// thread), and the edge watcher reacting to the pointer's input events on the
// test's own display.
#include "window/foreground_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/pointer_input_win.h"
#include "support/test_app_win.h"
#include "support/wait_win.h"
#include "window/edge_watcher_win.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

// Records every call; the foreground moves to the window it is set to, as it
// would on the screen.
class RecordingForegroundCalls final : public ForegroundCalls {
  public:
    RecordingForegroundCalls(DWORD caller, DWORD foreground_thread, DWORD window_thread)
        : caller_(caller), foreground_thread_(foreground_thread), window_thread_(window_thread) {}

    DWORD current_thread_id() override { return caller_; }
    HWND foreground_window() override { return foreground_; }
    DWORD window_thread_id(HWND window) override {
        return window == kWindow ? window_thread_ : foreground_thread_;
    }
    void attach_thread_input(DWORD from, DWORD to, bool attach) override {
        calls.push_back((attach ? "attach " : "detach ") + std::to_string(from) + ">" +
                        std::to_string(to));
    }
    UINT foreground_lock_timeout() override {
        calls.push_back("get timeout");
        return 200000;
    }
    void set_foreground_lock_timeout(UINT timeout) override {
        calls.push_back("set timeout " + std::to_string(timeout));
    }
    void unlock_set_foreground() override { calls.push_back("unlock"); }
    void allow_any_set_foreground() override { calls.push_back("allow any"); }
    void set_foreground(HWND window) override {
        calls.push_back("set foreground");
        foreground_ = window;
    }
    bool is_minimised(HWND) override {
        calls.push_back("is minimised");
        return minimised;
    }
    void restore(HWND) override { calls.push_back("restore"); }

    static inline const HWND kWindow = reinterpret_cast<HWND>(0x1234);
    static inline const HWND kOther = reinterpret_cast<HWND>(0x5678);
    bool minimised = false;
    std::vector<std::string> calls;

  private:
    DWORD caller_;
    DWORD foreground_thread_;
    DWORD window_thread_;
    HWND foreground_ = kOther;
};

TEST(ForceForeground, AttachesLiftsTheLockSetsRestoresAndDetachesInOrder) {
    // The edge watcher's case: three different threads.
    RecordingForegroundCalls calls(1, 2, 3);
    calls.minimised = true;
    EXPECT_EQ(force_foreground(RecordingForegroundCalls::kWindow, calls), 0);
    EXPECT_EQ(calls.calls, (std::vector<std::string>{
                               "attach 1>2", "attach 3>1", "get timeout", "set timeout 0", "unlock",
                               "allow any", "set foreground", "is minimised", "restore",
                               "set timeout 200000", "detach 1>2", "detach 3>1"}));
}

TEST(ForceForeground, AttachesOnlyToOtherThreadsAndRestoresOnlyAMinimisedWindow) {
    // The main thread bringing its own window forward from its own foreground.
    RecordingForegroundCalls same(7, 7, 7);
    force_foreground(RecordingForegroundCalls::kWindow, same);
    EXPECT_EQ(same.calls,
              (std::vector<std::string>{"get timeout", "set timeout 0", "unlock", "allow any",
                                        "set foreground", "is minimised", "set timeout 200000"}));
    // Another program in front: only the caller attaches to it. The ids read
    // first decide the detaching too, though the foreground has moved.
    RecordingForegroundCalls other(7, 9, 7);
    force_foreground(RecordingForegroundCalls::kWindow, other);
    EXPECT_EQ(other.calls.front(), "attach 7>9");
    EXPECT_EQ(other.calls.back(), "detach 7>9");
    EXPECT_EQ(std::count(other.calls.begin(), other.calls.end(), "restore"), 0);
}

class Foreground : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app().main_window);
        other_ =
            CreateWindowExW(0, L"Static", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                            50, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(other_);
        // The pointer starts well away from the top edge.
        SetCursorPos(640, 600);
        publish_edge_triggers(app());
    }
    void TearDown() override { DestroyWindow(other_); }

    App& app() { return test_app_.app(); }

    // The main window minimised and another window in front.
    void send_main_window_away() {
        ShowWindow(app().main_window, SW_MINIMIZE);
        SetForegroundWindow(other_);
        test::pump_messages();
        ASSERT_TRUE(IsIconic(app().main_window));
        ASSERT_EQ(GetForegroundWindow(), other_);
    }

    std::unique_ptr<EdgeWatcher> start_watcher(PointerSource source) {
        return std::make_unique<EdgeWatcher>(app().main_window, app().edge_triggers, source);
    }

    bool main_window_in_front() {
        return GetForegroundWindow() == app().main_window && !IsIconic(app().main_window);
    }

    test::TestApp test_app_{TREVALON_EXE_PATH};
    HWND other_ = nullptr;
};

TEST_F(Foreground, AMinimisedWindowIsRestoredAndComesToTheFront) {
    send_main_window_away();
    force_foreground(app().main_window);
    test::pump_messages();
    EXPECT_TRUE(main_window_in_front());
}

TEST_F(Foreground, AnotherThreadCanBringTheWindowForward) {
    // As a second start's request does.
    send_main_window_away();
    std::atomic<bool> done{false};
    std::jthread watcher([&] {
        force_foreground(app().main_window);
        done = true;
    });
    // The window's thread answers the restore while the other thread waits.
    EXPECT_TRUE(test::wait_until([&] { return done.load(); }));
    watcher.join();
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 5s));
}

using test::move_pointer;

TEST_F(Foreground, ThePointerArrivingOnTheTopRowBringsTheMainWindowForward) {
    send_main_window_away();
    app().edge_watcher = start_watcher(PointerSource::events);
    ASSERT_EQ(app().edge_watcher->source(), PointerSource::events);
    move_pointer(640, 0);
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 10s));
    // Sent away again with the pointer still there, it stays away: nothing
    // moved.
    send_main_window_away();
    EXPECT_FALSE(test::wait_until([&] { return main_window_in_front(); }, 1s));
    // A move along the top row is a new arrival.
    move_pointer(700, 0);
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 10s));
}

TEST_F(Foreground, AMoveThatLeavesTheTopRowBeforeTheDwellEndsDoesNothing) {
    send_main_window_away();
    app().edge_watcher = start_watcher(PointerSource::events);
    move_pointer(640, 0);
    move_pointer(640, 600);
    EXPECT_FALSE(test::wait_until([&] { return main_window_in_front(); }, 1s));
}

TEST_F(Foreground, SamplingThePointerFindsItOnTheTopRowToo) {
    send_main_window_away();
    app().edge_watcher = start_watcher(PointerSource::sampling);
    SetCursorPos(640, 0);
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 10s));
}

TEST_F(Foreground, TheWatcherFollowsTheTriggersTheSettingsPublish) {
    app().settings.mouse_cursor_vertical = 0;
    publish_edge_triggers(app());
    app().edge_watcher = start_watcher(PointerSource::events);
    send_main_window_away();
    move_pointer(640, 0);
    // Switched off: the pointer rests on the top row for a whole second.
    EXPECT_FALSE(test::wait_until([&] { return main_window_in_front(); }, 1s));

    // Switched on, the watcher looks again where the pointer rests.
    app().settings.mouse_cursor_vertical = 1;
    publish_edge_triggers(app());
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 10s));
}

TEST_F(Foreground, AWatcherEndedMidCheckLeavesNothingBehind) {
    for (const PointerSource source : {PointerSource::events, PointerSource::sampling}) {
        send_main_window_away();
        app().edge_watcher = start_watcher(source);
        move_pointer(640, 0);  // mid-check when it ends
        test::pump_messages();
        app().edge_watcher.reset();
        EXPECT_FALSE(test::wait_until([&] { return main_window_in_front(); }, 1s));
        move_pointer(640, 600);
    }
    // A new one starts afresh (raw input registered again).
    send_main_window_away();
    app().edge_watcher = start_watcher(PointerSource::events);
    EXPECT_EQ(app().edge_watcher->source(), PointerSource::events);
    move_pointer(640, 0);
    EXPECT_TRUE(test::wait_until([&] { return main_window_in_front(); }, 10s));
}

TEST_F(Foreground, TheProgramsWatcherUsesEventsWhereTheyReachIt) {
    start_edge_watcher(app());
    ASSERT_TRUE(app().edge_watcher);
    EXPECT_EQ(app().edge_watcher->source(),
              pointer_events_everywhere() ? PointerSource::events : PointerSource::sampling);
}

}  // namespace
}  // namespace trevalon
