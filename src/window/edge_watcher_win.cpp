#include "window/edge_watcher_win.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

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
constexpr UINT_PTR kDueTimer = 1;
constexpr UINT_PTR kSampleTimer = 2;

class ScreenEdge final : public EdgeWatchEnvironment {
  public:
    ScreenEdge(HWND window, const EdgeTriggerSwitches& switches)
        : window_(window), switches_(switches) {}

    EdgeTriggers triggers() override {
        return EdgeTriggers{switches_.vertical, switches_.horizontal};
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

    void bring_forward() override { bring_window_forward(window_); }

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
};

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

bool pointer_events_everywhere() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return true;
    return GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window") != nullptr;
}

EdgeWatcher::EdgeWatcher(HWND window, const EdgeTriggerSwitches& switches, PointerSource source)
    : window_(window),
      switches_(switches),
      source_(source),
      screen_(std::make_unique<ScreenEdge>(window, switches)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = input_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kInputWindowClass;
    RegisterClassExW(&window_class);  // fails harmlessly when already registered
    input_ = CreateWindowExW(0, kInputWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             instance, nullptr);
    if (input_)
        SetWindowLongPtrW(input_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Raw input of every mouse, also while another program is in front.
    const RAWINPUTDEVICE mouse{kGenericDesktopPage, kMouseUsage, RIDEV_INPUTSINK, input_};
    if (source_ == PointerSource::events &&
        (!input_ || !RegisterRawInputDevices(&mouse, 1, sizeof(mouse))))
        source_ = PointerSource::sampling;
    if (source_ == PointerSource::sampling && input_)
        SetTimer(input_, kSampleTimer, kSampleIntervalMs, nullptr);
    // The pointer may already rest on the edge.
    on_pointer_event(false);
}

EdgeWatcher::~EdgeWatcher() {
    if (!input_)
        return;
    if (source_ == PointerSource::events) {
        const RAWINPUTDEVICE mouse{kGenericDesktopPage, kMouseUsage, RIDEV_REMOVE, nullptr};
        RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
    }
    SetWindowLongPtrW(input_, GWLP_USERDATA, 0);
    DestroyWindow(input_);
}

void EdgeWatcher::look_again() {
    on_pointer_event(true);
}

void EdgeWatcher::on_pointer_event(bool look_again) {
    const bool was_due = watch_.due().has_value();
    watch_.on_pointer_event(*screen_, now_ms(), look_again);
    if (!was_due)
        arm_due_timer();
}

void EdgeWatcher::arm_due_timer() {
    if (const auto due = watch_.due(); due && input_) {
        const long long wait = std::max(0LL, *due - now_ms());
        SetTimer(input_, kDueTimer,
                 static_cast<UINT>(std::max<long long>(wait, USER_TIMER_MINIMUM)), nullptr);
    }
}

void EdgeWatcher::on_timer(UINT_PTR timer) {
    if (timer == kSampleTimer) {
        on_pointer_event(false);
        return;
    }
    if (timer != kDueTimer)
        return;
    const auto due = watch_.due();
    if (due && now_ms() < *due) {
        arm_due_timer();  // early by a few milliseconds: wait out the rest
        return;
    }
    KillTimer(input_, kDueTimer);
    watch_.on_due(*screen_, now_ms());
}

LRESULT CALLBACK EdgeWatcher::input_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* watcher = reinterpret_cast<EdgeWatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (watcher && message == WM_INPUT) {
        // The moves waiting behind this one go with it: one look at the
        // pointer for all of them. Their default handling frees their data.
        MSG more;
        while (PeekMessageW(&more, window, WM_INPUT, WM_INPUT, PM_REMOVE))
            DefWindowProcW(more.hwnd, more.message, more.wParam, more.lParam);
        watcher->on_pointer_event(false);
    } else if (watcher && message == WM_TIMER) {
        watcher->on_timer(wparam);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void publish_edge_triggers(WindowState& state) {
    state.edge_triggers.vertical = state.settings.mouse_cursor_vertical;
    state.edge_triggers.horizontal = state.settings.mouse_cursor_horizontal;
    if (state.edge_watcher)
        state.edge_watcher->look_again();
}

void start_edge_watcher(WindowState& state) {
    publish_edge_triggers(state);
    if (state.main_window) {
        state.edge_watcher = std::make_unique<EdgeWatcher>(
            state.main_window, state.edge_triggers,
            pointer_events_everywhere() ? PointerSource::events : PointerSource::sampling);
    }
}

}  // namespace trevalon
