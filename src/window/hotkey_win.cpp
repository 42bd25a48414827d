#include "window/hotkey_win.h"

#include <array>
#include <memory>

#include "platform/handles_win.h"
#include "settings/hotkey.h"
#include "window/window_state_win.h"
#include "window/windows_key.h"

namespace trevalon {
namespace {

// A key code no keyboard sends and no program takes: pressed between a
// Windows key's press and release, it makes them a combination.
constexpr WORD kMaskKey = 0xE8;

struct HookContext {
    HWND window;
    WindowsKeyAlone decider;
};

// The hook runs on the thread that set it, so its state is that thread's.
thread_local HookContext* hook_context = nullptr;

INPUT key_input(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LWIN || key == VK_RWIN)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

LRESULT CALLBACK keyboard_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && hook_context) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        const bool down = wparam == WM_KEYDOWN || wparam == WM_SYSKEYDOWN;
        const bool injected = (key->flags & LLKHF_INJECTED) != 0;
        const int vk = static_cast<int>(key->vkCode);
        if (down && !injected && (vk == kLeftWindowsKey || vk == kRightWindowsKey)) {
            hook_context->decider.forget_released(
                [](int held) { return GetAsyncKeyState(held) < 0; });
        }
        const WindowsKeyDecision decision = hook_context->decider.on_key(vk, down, injected);
        if (decision.mask) {
            // The release waits behind the mask key; all three go in as
            // one injected sequence.
            std::array inputs{key_input(kMaskKey, false), key_input(kMaskKey, true),
                              key_input(static_cast<WORD>(vk), true)};
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        }
        if (decision.open)
            PostMessageW(hook_context->window, WM_HOTKEY, kWindowsKeyHotkeyId, 0);
        if (decision.mask)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

bool register_window_hotkey(HWND window, const Hotkey& hotkey) {
    if (!window)
        return false;
    UnregisterHotKey(window, kWindowHotkeyId);
    if (hotkey.none())
        return true;
    // Held down, the key raises one press, not a stream that would show and
    // hide the window in turn.
    return RegisterHotKey(window, kWindowHotkeyId, hotkey.modifiers | MOD_NOREPEAT,
                          static_cast<UINT>(hotkey.key)) != 0;
}

WindowsKeyHook::WindowsKeyHook(HWND window) {
    UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this, window, signal = ready.get()] {
        MSG message;
        // The thread's message queue exists before the owner may post to it.
        PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        auto context = std::make_unique<HookContext>(HookContext{window, {}});
        hook_context = context.get();
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboard_hook, GetModuleHandleW(nullptr), 0);
        installed_.store(hook != nullptr);
        thread_id_.store(GetCurrentThreadId());
        SetEvent(signal);
        if (hook) {
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            }
            UnhookWindowsHookEx(hook);
        }
        hook_context = nullptr;
    });
    WaitForSingleObject(ready.get(), INFINITE);
}

WindowsKeyHook::~WindowsKeyHook() {
    if (installed_.load())
        PostThreadMessageW(thread_id_.load(), WM_QUIT, 0, 0);
    if (thread_.joinable())
        thread_.join();
}

bool apply_keyboard_settings(WindowState& state) {
    const bool registered =
        register_window_hotkey(state.main_window, hotkey_setting(state.settings.hotkey));
    if (state.settings.windows_key_alone == 0) {
        state.windows_key_hook.reset();
    } else if (!state.windows_key_hook && state.main_window) {
        state.windows_key_hook = std::make_unique<WindowsKeyHook>(state.main_window);
    }
    return registered;
}

}  // namespace trevalon
