// The busy frame: the wait cursor and suspended drawing around work, nested
// frames, and dialogs that lift it while they wait for the user.
#include "platform/busy_frame_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/dialogs_win.h"

namespace trevalon {
namespace {

class BusyFrames : public testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
        probe_ = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(window_ && probe_);
        SetCursor(other_);
    }
    void TearDown() override {
        DestroyWindow(probe_);
        DestroyWindow(window_);
    }

    // Only one window's drawing can be suspended at a time: the probe's can
    // not while another one's is.
    bool suspended() const {
        if (!LockWindowUpdate(probe_))
            return true;
        LockWindowUpdate(nullptr);
        return false;
    }

    HWND window_ = nullptr;
    HWND probe_ = nullptr;
    HCURSOR wait_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));
    HCURSOR arrow_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    HCURSOR other_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));  // the cross
};

TEST_F(BusyFrames, AFrameShowsTheWaitCursorAndSuspendsDrawingUntilItEnds) {
    EXPECT_EQ(busy_cursor(), nullptr);
    {
        BusyFrame outer(window_, wait_, arrow_, BusyFrame::Drawing::suspended);
        EXPECT_EQ(GetCursor(), wait_);
        EXPECT_EQ(busy_cursor(), wait_);
        EXPECT_TRUE(suspended());
        {
            // The frame of a view shown inside an operation's own frame.
            BusyFrame inner(window_, wait_, arrow_, BusyFrame::Drawing::suspended);
            EXPECT_TRUE(suspended());
        }
        EXPECT_EQ(GetCursor(), wait_) << "the inner frame must not end the wait";
        EXPECT_TRUE(suspended()) << "nor the suspension";
    }
    EXPECT_EQ(GetCursor(), arrow_);
    EXPECT_EQ(busy_cursor(), nullptr);
    EXPECT_FALSE(suspended());
}

TEST_F(BusyFrames, ALiveFrameWaitsWithoutSuspendingAndTheViewsInsideAreShownOnce) {
    BusyFrame outer(window_, wait_, arrow_, BusyFrame::Drawing::live);
    EXPECT_EQ(GetCursor(), wait_);
    EXPECT_FALSE(suspended());
    {
        BusyFrame inner(window_, wait_, arrow_, BusyFrame::Drawing::suspended);
        EXPECT_TRUE(suspended());
    }
    EXPECT_FALSE(suspended());
    EXPECT_EQ(GetCursor(), wait_);
}

TEST_F(BusyFrames, ADialogLiftsTheFrameWhileItWaitsForTheUser) {
    {
        DialogPause nothing_open;  // no frame: nothing to lift
        EXPECT_EQ(GetCursor(), other_);
    }
    BusyFrame outer(window_, wait_, arrow_, BusyFrame::Drawing::suspended);
    {
        DialogPause pause;
        EXPECT_EQ(GetCursor(), arrow_);
        EXPECT_EQ(busy_cursor(), nullptr);
        EXPECT_FALSE(suspended());
        DialogPause nested;
        EXPECT_FALSE(suspended());
    }
    EXPECT_EQ(GetCursor(), wait_);
    EXPECT_EQ(busy_cursor(), wait_);
    EXPECT_TRUE(suspended());
}

// What a message box sees while it is up, then it is closed.
struct DuringTheBox {
    HWND probe = nullptr;
    bool seen = false;
    bool busy = true;
    bool suspended = true;
};
DuringTheBox* during = nullptr;

void CALLBACK look_and_close(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box || !during)
        return;
    KillTimer(nullptr, timer);
    during->seen = true;
    during->busy = busy_cursor() != nullptr;
    during->suspended = !LockWindowUpdate(during->probe);
    if (!during->suspended)
        LockWindowUpdate(nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(BusyFrames, TheRealMessageBoxIsAnsweredWithoutTheFrame) {
    SystemDialogs dialogs;
    dialogs.set_owner(window_);
    DuringTheBox seen{probe_};
    during = &seen;
    BusyFrame outer(window_, wait_, arrow_, BusyFrame::Drawing::suspended);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, look_and_close);
    const int answer = dialogs.message_box("A question?", "Trevalon test", MB_OK);
    KillTimer(nullptr, timer);
    during = nullptr;
    EXPECT_EQ(answer, IDOK);
    ASSERT_TRUE(seen.seen);
    EXPECT_FALSE(seen.busy);
    EXPECT_FALSE(seen.suspended);
    EXPECT_TRUE(suspended()) << "the frame returns after the box";
    EXPECT_EQ(busy_cursor(), wait_);
}

}  // namespace
}  // namespace trevalon
