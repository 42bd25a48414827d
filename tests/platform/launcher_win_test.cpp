// The real launcher: what the user sees when the shell cannot open something.
#include "platform/launcher_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "support/temp_dir.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

// Waits on a thread of its own for a dialog box of the given thread and
// closes it.
class DialogCloser {
  public:
    explicit DialogCloser(DWORD thread) {
        worker_ = std::thread([this, thread] {
            const auto deadline = std::chrono::steady_clock::now() + 15s;
            while (!stop_ && std::chrono::steady_clock::now() < deadline) {
                HWND box = nullptr;
                EnumThreadWindows(
                    thread,
                    [](HWND window, LPARAM found) -> BOOL {
                        wchar_t name[32] = {};
                        GetClassNameW(window, name, 32);
                        if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
                            *reinterpret_cast<HWND*>(found) = window;
                            return FALSE;
                        }
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&box));
                if (box) {
                    shown_ = true;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    PostMessageW(box, WM_CLOSE, 0, 0);
                    return;
                }
                std::this_thread::sleep_for(50ms);
            }
        });
    }
    ~DialogCloser() {
        stop_ = true;
        worker_.join();
    }
    bool shown() const { return shown_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> shown_{false};
    std::thread worker_;
};

TEST(SystemLauncher, AFileTheShellCannotOpenShowsTheShellsOwnMessage) {
    test::TempDir dir;
    SystemLauncher launcher;
    bool accepted = true;
    {
        DialogCloser closer(GetCurrentThreadId());
        accepted =
            launcher.shell_execute("open", dir.str() + "missing help.chm", {}, {}, SW_SHOWNORMAL);
        // The box is modal: the call returns once it was closed.
        EXPECT_TRUE(closer.shown()) << "the user was told nothing";
    }
    EXPECT_FALSE(accepted);
}

}  // namespace
}  // namespace trevalon
