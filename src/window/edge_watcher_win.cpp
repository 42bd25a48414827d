#include "window/edge_watcher_win.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

#include "platform/handles_win.h"
#include "settings/settings.h"
#include "window/edge_trigger.h"
#include "window/foreground_win.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr DWORD kSampleIntervalMs = 100;
// HID usage of a mouse (generic desktop page, mouse).
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kMouseUsage = 0x02;
constexpr wchar_t kInputWindowClass[] = L"TrevalonEdgeInput";

class ScreenEdge final : public EdgeWatchEnvironment {
  public:
    ScreenEdge(HWND window, const EdgeTriggerSwitches& switches, const std::atomic<bool>& stop)
        : window_(window), switches_(switches), stop_(stop) {}

    EdgeTriggers triggers() override {
        return EdgeTriggers{switches_.vertical.load(std::memory_order_relaxed),
                            switches_.horizontal.load(std::memory_order_relaxed)};
    }

    PointerSample pointer_position() override {
        POINT position{};
        // No pointer to read (a locked or secure desktop): a sample far below
        // the top, which starts and completes no check.
        if (!GetCursorPos(&position))
            return PointerSample{0, INT_MAX};
        return PointerSample{position.x, position.y};
    }

    bool button_held() override {
        for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2}) {
            if (GetAsyncKeyState(button) & 0x8000)
                return true;
        }
        return false;
    }

    // Asked at most once per event: the list is read again at most once a
    // second, soon enough after a monitor is added or moved.
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
};

// A message-only window that receives the raw input of every mouse, also
// while another program is in front; null when that cannot be had.
HWND create_input_window() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.lpszClassName = kInputWindowClass;
    RegisterClassExW(&window_class);  // fails harmlessly when already registered
    HWND window = CreateWindowExW(0, kInputWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    if (!window)
        return nullptr;
    const RAWINPUTDEVICE mouse{kGenericDesktopPage, kMouseUsage, RIDEV_INPUTSINK, window};
    if (!RegisterRawInputDevices(&mouse, 1, sizeof(mouse))) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

void close_input_window(HWND window) {
    const RAWINPUTDEVICE mouse{kGenericDesktopPage, kMouseUsage, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
    DestroyWindow(window);
}

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Hands every waiting message on; true when one of them was raw input.
bool take_messages() {
    bool input = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        input = input || message.message == WM_INPUT;
        DispatchMessageW(&message);  // WM_INPUT's default handling frees its data
    }
    return input;
}

}  // namespace

bool pointer_events_everywhere() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return true;
    return GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window") != nullptr;
}

void publish_edge_triggers(EdgeTriggerSwitches& switches, const Settings& settings) {
    switches.vertical.store(settings.mouse_cursor_vertical, std::memory_order_relaxed);
    switches.horizontal.store(settings.mouse_cursor_horizontal, std::memory_order_relaxed);
    if (switches.changed)
        SetEvent(switches.changed.get());
}

EdgeWatcher::EdgeWatcher(HWND window, EdgeTriggerSwitches& switches, PointerSource source)
    : source_(source),
      wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_([this, window, &switches] { run(window, switches); }) {}

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

void EdgeWatcher::run(HWND window, EdgeTriggerSwitches& switches) {
    HWND input = source_.load() == PointerSource::events ? create_input_window() : nullptr;
    if (!input)
        source_.store(PointerSource::sampling);
    const bool sampling = source_.load() == PointerSource::sampling;
    ready_.store(true);

    ScreenEdge screen(window, switches, stop_);
    EdgeWatch watch;
    // The pointer may already rest on the edge.
    watch.on_pointer_event(screen, now_ms());
    const HANDLE handles[] = {wake_.get(), switches.changed.get()};
    const DWORD handle_count = handles[1] ? 2 : 1;
    while (!stop_.load()) {
        DWORD timeout = sampling ? kSampleIntervalMs : INFINITE;
        if (const auto due = watch.due())
            timeout = std::min(timeout, static_cast<DWORD>(std::max(0LL, *due - now_ms())));
        const DWORD woken = MsgWaitForMultipleObjectsEx(handle_count, handles, timeout, QS_ALLINPUT,
                                                        MWMO_INPUTAVAILABLE);
        if (stop_.load())
            break;
        const long long now = now_ms();
        const bool moved = take_messages();
        watch.on_due(screen, now);
        if (woken == WAIT_OBJECT_0 + 1) {
            watch.on_pointer_event(screen, now, true);
        } else if (moved || sampling) {
            watch.on_pointer_event(screen, now);
        }
    }
    if (input)
        close_input_window(input);
    finished_.store(true);
}

void start_edge_watcher(WindowState& state) {
    publish_edge_triggers(state.edge_triggers, state.settings);
    if (state.main_window) {
        state.edge_watcher = std::make_unique<EdgeWatcher>(
            state.main_window, state.edge_triggers,
            pointer_events_everywhere() ? PointerSource::events : PointerSource::sampling);
    }
}

}  // namespace trevalon
