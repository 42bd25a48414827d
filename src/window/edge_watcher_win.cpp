#include "window/edge_watcher_win.h"

#include <climits>

#include "settings/settings.h"
#include "shell/handles_win.h"
#include "shell/app_win.h"
#include "window/edge_trigger.h"
#include "window/foreground_win.h"

namespace trevalon {
namespace {

// Sets the event that ends the watcher's current wait.
struct WakeOnStop {
    HANDLE event;
    void operator()() const { SetEvent(event); }
};

class ScreenEdge final : public EdgeWatchEnvironment {
  public:
    // The waits sleep on an event that a stop request sets: the thread wakes
    // only for its own checks (a sliced sleep would wake it many times more
    // often, which is what an idle program's CPU time is made of).
    ScreenEdge(HWND window, const EdgeTriggerSwitches& switches, std::stop_token stop)
        : window_(window),
          switches_(switches),
          stop_(std::move(stop)),
          wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          on_stop_(stop_, WakeOnStop{wake_.get()}) {}

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
        if (duration.count() <= 0 || stop_.stop_requested())
            return;
        if (wake_) {
            WaitForSingleObject(wake_.get(), static_cast<DWORD>(duration.count()));
        } else {
            Sleep(static_cast<DWORD>(duration.count()));  // no event: the stop waits one check
        }
    }

    void bring_forward() override {
        if (!stop_.stop_requested())
            force_foreground(window_);
    }

  private:
    HWND window_;
    const EdgeTriggerSwitches& switches_;
    std::stop_token stop_;
    UniqueHandle wake_;  // before on_stop_, which uses it
    std::stop_callback<WakeOnStop> on_stop_;
};

}  // namespace

void publish_edge_triggers(EdgeTriggerSwitches& switches, const Settings& settings) {
    switches.vertical.store(settings.mouse_cursor_vertical, std::memory_order_relaxed);
    switches.horizontal.store(settings.mouse_cursor_horizontal, std::memory_order_relaxed);
}

EdgeWatcher::EdgeWatcher(HWND window, const EdgeTriggerSwitches& switches)
    : thread_([this, window, &switches](std::stop_token stop) {
          ScreenEdge screen(window, switches, stop);
          while (!stop.stop_requested())
              edge_watch_pass(screen);
          finished_.store(true);
      }) {}

EdgeWatcher::~EdgeWatcher() = default;  // the thread asks itself to stop and is joined

void EdgeWatcher::request_stop() {
    thread_.request_stop();
}

void start_edge_watcher(App& app) {
    publish_edge_triggers(app.edge_triggers, app.settings);
    if (app.main_window)
        app.edge_watcher = std::make_unique<EdgeWatcher>(app.main_window, app.edge_triggers);
}

}  // namespace trevalon
