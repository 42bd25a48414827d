#include "window/edge_watcher_win.h"

#include <climits>
#include <vector>

#include "platform/handles_win.h"
#include "settings/settings.h"
#include "window/edge_trigger.h"
#include "window/foreground_win.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

class ScreenEdge final : public EdgeWatchEnvironment {
  public:
    // The waits sleep on an event that a stop request sets: the thread wakes
    // only for its own checks (a sliced sleep would wake it many times more
    // often, which is what an idle program's CPU time is made of).
    ScreenEdge(HWND window, const EdgeTriggerSwitches& switches, const std::atomic<bool>& stop,
               HANDLE wake)
        : window_(window), switches_(switches), stop_(stop), wake_(wake) {}

    EdgeTriggers triggers() override {
        return EdgeTriggers{switches_.vertical.load(std::memory_order_relaxed),
                            switches_.horizontal.load(std::memory_order_relaxed)};
    }

    PointerSample pointer() override {
        POINT position{};
        // No pointer to read (a locked or secure desktop): a sample far below
        // the top, which starts and completes no check.
        if (!GetCursorPos(&position))
            return PointerSample{0, INT_MAX};
        bool held = false;
        for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2})
            held = held || (GetAsyncKeyState(button) & 0x8000) != 0;
        return PointerSample{position.x, position.y, held};
    }

    // Asked ten times a second: the list is read again at most once a second,
    // soon enough after a monitor is added or moved.
    std::vector<ScreenRect> monitors() override {
        const ULONGLONG now = GetTickCount64();
        if (monitors_read_ == 0 || now - monitors_read_ >= 1000) {
            monitors_.clear();
            EnumDisplayMonitors(nullptr, nullptr, add_monitor,
                                reinterpret_cast<LPARAM>(&monitors_));
            monitors_read_ = now;
        }
        return monitors_;
    }

    bool full_screen_in_front() override {
        HWND front = GetForegroundWindow();
        // The desktop covers its monitor too, and so does this program's
        // own window in a test; neither is a full-screen program.
        if (!front || front == window_ || front == GetDesktopWindow() || front == GetShellWindow())
            return false;
        wchar_t class_name[16] = {};
        GetClassNameW(front, class_name, 16);
        if (lstrcmpW(class_name, L"WorkerW") == 0 || lstrcmpW(class_name, L"Progman") == 0)
            return false;
        RECT frame{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (!GetWindowRect(front, &frame) ||
            !GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor))
            return false;
        const bool title_bar = (GetWindowLongW(front, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
        const RECT& area = monitor.rcMonitor;
        return full_screen({frame.left, frame.top, frame.right, frame.bottom}, title_bar,
                           {area.left, area.top, area.right, area.bottom});
    }

    void wait(std::chrono::milliseconds duration) override {
        if (duration.count() <= 0 || stop_.load())
            return;
        if (wake_) {
            WaitForSingleObject(wake_, static_cast<DWORD>(duration.count()));
        } else {
            Sleep(static_cast<DWORD>(duration.count()));  // no event: the stop waits one check
        }
    }

    void bring_forward() override {
        if (!stop_.load())
            bring_window_forward(window_);
    }

  private:
    static BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
            ScreenRect{area->left, area->top, area->right, area->bottom});
        return TRUE;
    }

    HWND window_;
    std::vector<ScreenRect> monitors_;
    ULONGLONG monitors_read_ = 0;
    const EdgeTriggerSwitches& switches_;
    const std::atomic<bool>& stop_;
    HANDLE wake_;  // owned by the watcher
};

}  // namespace

void publish_edge_triggers(EdgeTriggerSwitches& switches, const Settings& settings) {
    switches.vertical.store(settings.mouse_cursor_vertical, std::memory_order_relaxed);
    switches.horizontal.store(settings.mouse_cursor_horizontal, std::memory_order_relaxed);
}

EdgeWatcher::EdgeWatcher(HWND window, const EdgeTriggerSwitches& switches)
    : wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread_([this, window, &switches] {
          ScreenEdge screen(window, switches, stop_, wake_.get());
          while (!stop_.load())
              edge_watch_pass(screen);
          finished_.store(true);
      }) {}

EdgeWatcher::~EdgeWatcher() {
    request_stop();
    if (thread_.joinable())
        thread_.join();
}

void EdgeWatcher::request_stop() {
    stop_.store(true);
    if (wake_)
        SetEvent(wake_.get());
}

void start_edge_watcher(WindowState& state) {
    publish_edge_triggers(state.edge_triggers, state.settings);
    if (state.main_window)
        state.edge_watcher = std::make_unique<EdgeWatcher>(state.main_window, state.edge_triggers);
}

}  // namespace trevalon
