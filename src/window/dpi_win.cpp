#include "window/dpi_win.h"

#include "platform/handles_win.h"

namespace trevalon {
namespace {

// Looked up at run time: both arrived with Windows 10 (1607), and the
// program also runs on older systems.
template <typename Function>
Function user32_function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

}  // namespace

int window_dpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window =
        user32_function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (window && get_dpi_for_window) {
        if (const UINT dpi = get_dpi_for_window(window); dpi > 0)
            return static_cast<int>(dpi);
    }
    WindowDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

SIZE frame_size_for_inner(SIZE inner, DWORD style, DWORD ex_style, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_for_dpi = user32_function<AdjustFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, inner.cx, inner.cy};
    if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, FALSE, ex_style, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace trevalon
