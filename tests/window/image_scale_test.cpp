#include "window/image_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace trevalon {
namespace {

Image filled(int width, int height, std::array<std::uint8_t, 4> rgba) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            std::copy(rgba.begin(), rgba.end(), image.pixel(x, y));
    }
    return image;
}

std::array<std::uint8_t, 4> at(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

TEST(ImageScale, SameSizeIsUnchangedAndDoublingRepeatsPixels) {
    Image image = filled(2, 2, {0, 0, 0, 255});
    std::copy_n(std::array<std::uint8_t, 4>{255, 0, 0, 255}.begin(), 4, image.pixel(1, 0));
    EXPECT_EQ(scale_image(image, 2, 2).rgba, image.rgba);
    const Image doubled = scale_image(image, 4, 4);
    ASSERT_EQ(doubled.width, 4);
    EXPECT_EQ(at(doubled, 2, 0), (std::array<std::uint8_t, 4>{255, 0, 0, 255}));
    EXPECT_EQ(at(doubled, 3, 1), (std::array<std::uint8_t, 4>{255, 0, 0, 255}));
    EXPECT_EQ(at(doubled, 1, 1), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
}

TEST(ImageScale, OneAndAHalfTimesBlendsOnlyWhereAPixelIsShared) {
    // 2 × 1: black, white. At 3 × 1 the middle pixel covers half of each.
    Image image = filled(2, 1, {0, 0, 0, 255});
    std::copy_n(std::array<std::uint8_t, 4>{255, 255, 255, 255}.begin(), 4, image.pixel(1, 0));
    const Image scaled = scale_image(image, 3, 1);
    EXPECT_EQ(at(scaled, 0, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
    const auto middle = at(scaled, 1, 0);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(middle[static_cast<std::size_t>(c)], 128, 1) << c;
    EXPECT_EQ(middle[3], 255);
    EXPECT_EQ(at(scaled, 2, 0), (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
}

TEST(ImageScale, TransparentPixelsLendNoColour) {
    // Red beside fully transparent white: the shared pixel is half-covered red.
    Image image = filled(2, 1, {255, 255, 255, 0});
    std::copy_n(std::array<std::uint8_t, 4>{255, 0, 0, 255}.begin(), 4, image.pixel(0, 0));
    const Image scaled = scale_image(image, 3, 1);
    const auto shared = at(scaled, 1, 0);
    EXPECT_EQ(shared[0], 255);
    EXPECT_EQ(shared[1], 0);
    EXPECT_EQ(shared[2], 0);
    EXPECT_NEAR(shared[3], 128, 1);
    EXPECT_EQ(at(scaled, 2, 0)[3], 0);
}

TEST(ImageScale, ShrinkingAveragesAndBadInputGivesNothing) {
    const Image half = scale_image(filled(16, 16, {10, 20, 30, 255}), 8, 8);
    EXPECT_EQ(at(half, 7, 7), (std::array<std::uint8_t, 4>{10, 20, 30, 255}));
    EXPECT_TRUE(scale_image(Image{}, 8, 8).empty());
    EXPECT_TRUE(scale_image(filled(2, 2, {0, 0, 0, 0}), 0, 8).empty());
    Image broken(4, 4);
    broken.rgba.resize(3);
    EXPECT_TRUE(scale_image(broken, 8, 8).empty());
}

}  // namespace
}  // namespace trevalon
