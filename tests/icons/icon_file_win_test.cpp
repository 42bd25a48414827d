// Icons written by save_icon, read back by Windows' own icon loader.
#include <windows.h>

#include <gtest/gtest.h>

#include "icons/icon_file.h"
#include "platform/handles_win.h"
#include "support/picture_fixtures.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using test::Bytes;

SIZE icon_size(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    if (!colour || !GetObjectA(colour.get(), sizeof(bitmap), &bitmap))
        return {0, 0};
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// Left half opaque red, right half fully transparent.
Image half_red(int side) {
    Image image(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side / 2; ++x) {
            std::uint8_t* p = image.pixel(x, y);
            p[0] = 220;
            p[3] = 255;
        }
    }
    return image;
}

// The icon drawn by Windows onto white, as 0x00RRGGBB per pixel.
std::vector<std::uint32_t> drawn_on_white(HICON icon, int side) {
    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    {
        DCSelection selection(memory.get(), bitmap.get());
        RECT all{0, 0, side, side};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(memory.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(pixels, pixels + static_cast<std::size_t>(side) * side);
    for (auto& pixel : out)
        pixel &= 0xFFFFFF;
    return out;
}

TEST(IconFileWin, WindowsLoadsTheFileAndItsPngEntry) {
    test::TempDir dir;
    const std::string path = dir.str() + "favicon.ico";
    ASSERT_TRUE(save_icon(half_red(32), path));

    UniqueIcon from_file(
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(from_file) << "error " << GetLastError();
    const SIZE size = icon_size(from_file.get());
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, 32);

    Bytes file = test::read_file(path);
    ASSERT_GT(file.size(), 22u);
    UniqueIcon from_entry(CreateIconFromResourceEx(file.data() + 22,
                                                   static_cast<DWORD>(file.size() - 22), TRUE,
                                                   0x00030000, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_TRUE(from_entry) << "error " << GetLastError();
    EXPECT_EQ(icon_size(from_entry.get()).cx, 32);
}

TEST(IconFileWin, WindowsDrawsTheAlphaChannel) {
    test::TempDir dir;
    const std::string path = dir.str() + "half.ico";
    ASSERT_TRUE(save_icon(half_red(32), path));
    UniqueIcon icon(
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE)));
    ASSERT_TRUE(icon);
    const auto pixels = drawn_on_white(icon.get(), 32);
    ASSERT_EQ(pixels.size(), 32u * 32u);
    EXPECT_EQ(pixels[5 * 32 + 3], 0xDC0000u) << std::hex << pixels[5 * 32 + 3];
    EXPECT_EQ(pixels[20 * 32 + 28], 0xFFFFFFu) << std::hex << pixels[20 * 32 + 28];
}

TEST(IconFileWin, WindowsReadsSquaredAndLargeIconsAtTheirSize) {
    test::TempDir dir;
    for (const auto& [width, height, side] : {std::tuple{48, 32, 48}, std::tuple{256, 256, 256}}) {
        const std::string path = dir.str() + std::to_string(width) + ".ico";
        ASSERT_TRUE(save_icon(test::varied_image(width, height), path));
        UniqueIcon icon(static_cast<HICON>(
            LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
        ASSERT_TRUE(icon) << width << "x" << height;
        EXPECT_EQ(icon_size(icon.get()).cx, side);
        EXPECT_EQ(icon_size(icon.get()).cy, side);
    }
}

TEST(IconFileWin, ReplacesAnExistingIcon) {
    test::TempDir dir;
    const std::string path = dir.str() + "again.ico";
    ASSERT_TRUE(save_icon(test::varied_image(16, 16), path));
    ASSERT_TRUE(save_icon(test::varied_image(24, 24), path));
    const auto decoded = decode_ico(test::read_file(path));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 24);
}

}  // namespace
}  // namespace trevalon
