#include "support/screenshot_win.h"

#include <fstream>

#include "base/utf8_path.h"
#include "platform/handles_win.h"
#include "support/temp_dir.h"

namespace trevalon::test {

std::optional<Image> capture_screen(HWND window) {
    RECT area{};
    if (window) {
        if (!GetWindowRect(window, &area))
            return std::nullopt;
    } else {
        area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return std::nullopt;

    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    if (!screen.get() || !memory.get())
        return std::nullopt;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, like Image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return std::nullopt;
    {
        DCSelection selection(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                    SRCCOPY | CAPTUREBLT)) {
            return std::nullopt;
        }
    }
    GdiFlush();

    Image image(width, height);
    const auto* source = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        image.rgba[i] = source[i + 2];
        image.rgba[i + 1] = source[i + 1];
        image.rgba[i + 2] = source[i];
        image.rgba[i + 3] = 0xFF;  // the screen has no alpha; the DIB's byte is undefined
    }
    return image;
}

bool save_screenshot(HWND window, const std::filesystem::path& png) {
    const auto image = capture_screen(window);
    if (!image)
        return false;
    const auto bytes = encode_png(*image);
    if (!bytes)
        return false;
    std::ofstream out(png, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
    out.close();
    return !out.fail();
}

bool save_artifact_screenshot(HWND window, std::string_view name) {
    const std::filesystem::path folder = artifacts_dir();
    if (folder.empty())
        return false;
    return save_screenshot(window, folder / utf8_to_path(std::string(name) + ".png"));
}

}  // namespace trevalon::test
