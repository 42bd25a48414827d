// The screenshot helper other tests use, checked on a window of one colour.
#include <windows.h>

#include <gtest/gtest.h>

#include "icons/image.h"
#include "support/picture_fixtures.h"
#include "support/screenshot_win.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"

namespace trevalon {
namespace {

constexpr COLORREF kColour = RGB(200, 30, 40);

class ColouredWindow {
  public:
    ColouredWindow() : brush_(CreateSolidBrush(kColour)) {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.hbrBackground = brush_;
        window_class.lpszClassName = "TrevalonScreenshotTest";
        RegisterClassA(&window_class);
        window_ = CreateWindowExA(WS_EX_TOPMOST, window_class.lpszClassName, "", WS_POPUP, 100, 120,
                                  160, 90, nullptr, nullptr, window_class.hInstance, nullptr);
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    ~ColouredWindow() {
        DestroyWindow(window_);
        UnregisterClassA("TrevalonScreenshotTest", GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    HWND get() const { return window_; }

  private:
    HBRUSH brush_;
    HWND window_ = nullptr;
};

bool has_colour(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return p[0] == GetRValue(kColour) && p[1] == GetGValue(kColour) && p[2] == GetBValue(kColour) &&
           p[3] == 255;
}

TEST(Screenshot, CapturesAWindowAsAnOpaquePng) {
    ColouredWindow window;
    ASSERT_TRUE(window.get());
    // The X server shows the window some time after it is mapped.
    ASSERT_TRUE(test::wait_until([&] {
        const auto shot = test::capture_screen(window.get());
        return shot && has_colour(*shot, 80, 45);
    }));

    test::TempDir dir;
    const auto file = dir.path() / "window.png";
    ASSERT_TRUE(test::save_screenshot(window.get(), file));
    const auto image = decode_png(test::read_file(dir.str() + "window.png"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 160);
    EXPECT_EQ(image->height, 90);
    for (const auto& [x, y] : {std::pair{2, 2}, std::pair{157, 2}, std::pair{80, 45},
                               std::pair{2, 87}, std::pair{157, 87}}) {
        EXPECT_TRUE(has_colour(*image, x, y)) << x << "," << y;
    }
    test::save_artifact_screenshot(window.get(), "screenshot-window");
}

TEST(Screenshot, CapturesTheWholeScreenWithoutAWindow) {
    ColouredWindow window;
    ASSERT_TRUE(test::wait_until([&] {
        const auto shot = test::capture_screen(window.get());
        return shot && has_colour(*shot, 80, 45);
    }));
    const auto screen = test::capture_screen(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(screen->height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(has_colour(*screen, 100 + 80, 120 + 45));
    EXPECT_FALSE(has_colour(*screen, 20, 20));  // the desktop around it

    const auto folder = test::artifacts_dir();
    if (!folder.empty()) {
        EXPECT_TRUE(test::save_artifact_screenshot(nullptr, "screenshot-screen"));
        EXPECT_TRUE(std::filesystem::exists(folder / "screenshot-screen.png"));
    }
}

}  // namespace
}  // namespace trevalon
