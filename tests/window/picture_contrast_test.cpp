// Button pictures on a dark face and on high-contrast schemes: every visible
// pixel stands out, nothing else of the picture changes.
#include "window/picture_contrast.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

Colour colour_at(const Image& image, int x, int y) {
    const std::uint8_t* pixel = image.pixel(x, y);
    return rgb(pixel[0], pixel[1], pixel[2]);
}

// Every colour of a coarse cube, opaque, and a row of the same colours
// half transparent.
Image colour_cube() {
    constexpr int kLevels = 16;
    Image image(kLevels * kLevels, kLevels * 2);
    for (int r = 0; r < kLevels; ++r) {
        for (int g = 0; g < kLevels; ++g) {
            for (int b = 0; b < kLevels; ++b) {
                for (int half : {0, 1}) {
                    std::uint8_t* pixel = image.pixel(r * kLevels + g, b + half * kLevels);
                    pixel[0] = static_cast<std::uint8_t>(r * 17);
                    pixel[1] = static_cast<std::uint8_t>(g * 17);
                    pixel[2] = static_cast<std::uint8_t>(b * 17);
                    pixel[3] = half ? 128 : 255;
                }
            }
        }
    }
    return image;
}

TEST(PictureContrast, EveryVisiblePixelStandsOutOnDarkBlackAndWhiteFaces) {
    const Image cube = colour_cube();
    for (const Colour face :
         {rgb(43, 43, 43), rgb(0, 0, 0), rgb(255, 255, 255), rgb(0, 0, 128), rgb(255, 255, 0)}) {
        const Image legible = legible_against(cube, face);
        ASSERT_EQ(legible.width, cube.width);
        ASSERT_EQ(legible.height, cube.height);
        int changed = 0;
        for (int y = 0; y < cube.height; ++y) {
            for (int x = 0; x < cube.width; ++x) {
                const Colour before = colour_at(cube, x, y);
                const Colour after = colour_at(legible, x, y);
                EXPECT_GE(contrast_ratio(after, face), kPictureContrast)
                    << "pixel " << x << "," << y << " on face " << face;
                EXPECT_EQ(legible.pixel(x, y)[3], cube.pixel(x, y)[3]);
                if (contrast_ratio(before, face) >= kPictureContrast) {
                    EXPECT_EQ(after, before) << "a legible pixel was changed";
                }
                changed += after != before;
            }
        }
        EXPECT_GT(changed, 0);
    }
}

TEST(PictureContrast, APixelMovesOnlyAsFarAsItMust) {
    Image picture(2, 1);
    // A dark blue and a black, on the dark face.
    const std::uint8_t pixels[] = {0, 60, 160, 255, 0, 0, 0, 255};
    std::copy(std::begin(pixels), std::end(pixels), picture.rgba.begin());
    const Colour face = rgb(43, 43, 43);
    const Image legible = legible_against(picture, face);
    const Colour blue = colour_at(legible, 0, 0);
    // Lighter, still blue, and close to the ratio rather than far past it.
    EXPECT_LT(contrast_ratio(blue, face), kPictureContrast + 0.2);
    EXPECT_GT((blue >> 16) & 0xFF, blue & 0xFF);
    EXPECT_GT((blue >> 16) & 0xFF, (blue >> 8) & 0xFF);
    // Black becomes a grey, not white.
    const Colour grey = colour_at(legible, 1, 0);
    EXPECT_LT(contrast_ratio(grey, face), kPictureContrast + 0.2);
    EXPECT_LT(grey & 0xFF, 200u);
}

TEST(PictureContrast, TransparentPixelsAndOddImagesStayAsTheyAre) {
    Image clear(3, 3);
    clear.pixel(1, 1)[0] = 40;  // a colour under no alpha
    EXPECT_EQ(legible_against(clear, rgb(43, 43, 43)).rgba, clear.rgba);
    Image odd(2, 2);
    odd.rgba.resize(5);  // not width × height × 4 bytes
    EXPECT_EQ(legible_against(odd, rgb(0, 0, 0)).rgba, odd.rgba);
    EXPECT_TRUE(legible_against(Image(), rgb(0, 0, 0)).empty());
}

TEST(PictureContrast, OnlyTheLightColoursKeepTheirPicturesUntouched) {
    SystemLook system;
    system.colours.button_face = rgb(0, 0, 0);
    EXPECT_FALSE(picture_face(choose_palette(kThemeLight, system)));
    EXPECT_EQ(picture_face(choose_palette(kThemeDark, system)),
              choose_palette(kThemeDark, system).face);
    system.high_contrast = true;
    EXPECT_EQ(picture_face(choose_palette(kThemeLight, system)), rgb(0, 0, 0));
}

}  // namespace
}  // namespace trevalon
