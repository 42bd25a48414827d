// The main thread keeps a window alive while slow work runs elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/background_work_win.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

struct Seen {
    int timers = 0;
    int paints = 0;
    int clicks = 0;
    int keys = 0;
    bool disabled_during_timer = false;
    bool quit_on_timer = false;
};
Seen* seen = nullptr;

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_TIMER:
            ++seen->timers;
            seen->disabled_during_timer = !IsWindowEnabled(window);
            if (seen->quit_on_timer) {
                seen->quit_on_timer = false;
                PostQuitMessage(7);
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++seen->paints;
            return 0;
        }
        case WM_LBUTTONDOWN:
            ++seen->clicks;
            return 0;
        case WM_KEYDOWN:
            ++seen->keys;
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

class WindowWaits : public ::testing::Test {
  protected:
    void SetUp() override {
        seen = &seen_;
        WNDCLASSW type{};
        type.lpfnWndProc = window_procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"TrevalonWaitTest";
        RegisterClassW(&type);
        window_ = CreateWindowW(L"TrevalonWaitTest", L"wait test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, 200, 150, nullptr, nullptr, type.hInstance, nullptr);
        ASSERT_TRUE(window_);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    void TearDown() override {
        if (window_)
            DestroyWindow(window_);
        seen = nullptr;
    }

    Seen seen_;
    HWND window_ = nullptr;
};

TEST_F(WindowWaits, PaintsAndRunsTimersButTakesNoInputWhileTheWorkRuns) {
    SetTimer(window_, 1, 30, nullptr);
    std::atomic<bool> ran_elsewhere{false};
    const DWORD main_thread = GetCurrentThreadId();
    const int paints_before = seen_.paints;
    run_while_window_waits(window_, [&] {
        ran_elsewhere = GetCurrentThreadId() != main_thread;
        InvalidateRect(window_, nullptr, TRUE);
        PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(window_, WM_KEYDOWN, VK_DELETE, 0);
        std::this_thread::sleep_for(600ms);
    });
    KillTimer(window_, 1);

    EXPECT_TRUE(ran_elsewhere);
    EXPECT_GE(seen_.timers, 3);
    EXPECT_TRUE(seen_.disabled_during_timer);
    EXPECT_GT(seen_.paints, paints_before);
    EXPECT_EQ(seen_.clicks, 0);
    EXPECT_EQ(seen_.keys, 0);
    EXPECT_TRUE(IsWindowEnabled(window_));

    // Input after the wait is taken again.
    PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(seen_.clicks, 1);
}

TEST_F(WindowWaits, AQuitRequestDuringTheWorkIsKeptForTheMainLoop) {
    seen_.quit_on_timer = true;
    SetTimer(window_, 1, 20, nullptr);
    run_while_window_waits(window_, [] { std::this_thread::sleep_for(300ms); });
    KillTimer(window_, 1);
    MSG message;
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(message.wParam, 7u);
        }
    }
    EXPECT_TRUE(quit);
}

TEST_F(WindowWaits, LeavesADisabledWindowDisabledAndPassesFailuresOn) {
    EnableWindow(window_, FALSE);
    run_while_window_waits(window_, [] {});
    EXPECT_FALSE(IsWindowEnabled(window_));
    EnableWindow(window_, TRUE);

    EXPECT_THROW(run_while_window_waits(window_, [] { throw std::runtime_error("work failed"); }),
                 std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST(WindowWaitsWithoutWindow, StillRunsTheWork) {
    bool ran = false;
    run_while_window_waits(nullptr, [&] { ran = true; });
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace trevalon
