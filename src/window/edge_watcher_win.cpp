#include "window/edge_watcher_win.h"

#include <climits>

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
        return PointerSample{position.x, position.y};
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
            force_foreground(window_);
    }

  private:
    HWND window_;
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
