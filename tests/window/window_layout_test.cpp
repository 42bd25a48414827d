#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "window/font_sizes.h"
#include "window/icon_directory.h"
#include "window/placement.h"

namespace trevalon {
namespace {

// A 900 × 640 frame on a 1280 × 1024 screen, centred at (190, 192).
WindowPlacementInput placement(int saved_x, int saved_y) {
    return WindowPlacementInput{.centred_x = 190,
                                .centred_y = 192,
                                .width = 900,
                                .height = 640,
                                .saved_x = saved_x,
                                .saved_y = saved_y,
                                .usable_right = 1280,
                                .usable_bottom = 1024};
}

TEST(Placement, SavedXIsTakenWhileHalfTheWindowStaysOnTheScreen) {
    EXPECT_EQ(place_window(placement(-(450 - 1), 10)).x, -449);
    EXPECT_EQ(place_window(placement(-450, 10)).x, 190);
    EXPECT_EQ(place_window(placement(1280 - 450 - 1, 10)).x, 829);
    EXPECT_EQ(place_window(placement(1280 - 450, 10)).x, 190);
    EXPECT_EQ(place_window(placement(0, 10)).x, 0);
}

TEST(Placement, SavedYIsTakenFromZeroToHalfAWindowAboveTheBottom) {
    EXPECT_EQ(place_window(placement(10, -1)).y, 192);
    EXPECT_EQ(place_window(placement(10, 0)).y, 0);
    EXPECT_EQ(place_window(placement(10, 1024 - 320 - 1)).y, 703);
    EXPECT_EQ(place_window(placement(10, 1024 - 320)).y, 192);
}

TEST(Placement, EachAxisIsDecidedOnItsOwn) {
    const WindowPosition x_only = place_window(placement(-100, -1));
    EXPECT_EQ(x_only.x, -100);
    EXPECT_EQ(x_only.y, 192);
    const WindowPosition y_only = place_window(placement(5000, 300));
    EXPECT_EQ(y_only.x, 190);
    EXPECT_EQ(y_only.y, 300);
}

TEST(Placement, ACoordinateNeverSavedLeavesItsAxisCentred) {
    WindowPlacementInput input = placement(0, 0);
    input.saved_x.reset();
    input.saved_y.reset();
    EXPECT_EQ(place_window(input).x, 190);
    EXPECT_EQ(place_window(input).y, 192);
    input.saved_y = 0;
    EXPECT_EQ(place_window(input).x, 190);
    EXPECT_EQ(place_window(input).y, 0);
}

TEST(Placement, OddSizesHalveDownwards) {
    WindowPlacementInput input = placement(-450, 0);
    input.width = 901;  // half is 450
    EXPECT_EQ(place_window(input).x, 190);
    input.saved_x = -449;
    EXPECT_EQ(place_window(input).x, -449);
}

TEST(FontSizes, AtMostNinetySixDpiUsesTheSemiboldFace) {
    const FontRequests requests = font_requests(96, "Segoe UI");
    EXPECT_EQ(requests.font1, (FontRequest{"Segoe UI", 9, false}));
    EXPECT_EQ(requests.font10, (FontRequest{"Segoe UI", 10, false}));
    EXPECT_EQ(requests.font11, (FontRequest{"Segoe UI Semibold", 10, false}));
    EXPECT_EQ(requests.font12, (FontRequest{"Segoe UI", 9, false}));
    EXPECT_EQ(font_requests(72, "Segoe UI"), requests);
}

TEST(FontSizes, AboveNinetySixDpiEveryFontIsTwoPointsSmallerAndTheCaptionBold) {
    const FontRequests normal = font_requests(96, "MS Sans Serif");
    const FontRequests high = font_requests(97, "MS Sans Serif");
    EXPECT_EQ(high.font1.points, normal.font1.points - 2);
    EXPECT_EQ(high.font10.points, normal.font10.points - 2);
    EXPECT_EQ(high.font11.points, normal.font11.points - 2);
    EXPECT_EQ(high.font12.points, normal.font12.points - 2);
    EXPECT_EQ(high.font11, (FontRequest{"MS Sans Serif", 8, true}));
    EXPECT_FALSE(high.font10.bold);
}

TEST(FontSizes, PointsBecomeNegativePixelHeights) {
    EXPECT_EQ(font_height_for_points(9, 96), -12);
    EXPECT_EQ(font_height_for_points(10, 96), -13);
    EXPECT_EQ(font_height_for_points(7, 144), -14);
}

// An icon file with the given entries (width, bit count, payload length).
std::vector<std::uint8_t> icon_file(const std::vector<std::array<int, 3>>& entries) {
    std::vector<std::uint8_t> file{0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const auto& [width, bits, length] : entries) {
        const auto w = static_cast<std::uint8_t>(width == 256 ? 0 : width);
        const auto len = static_cast<std::uint32_t>(length);
        file.insert(file.end(), {w, w, 0, 0, 1, 0, static_cast<std::uint8_t>(bits), 0});
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<std::uint8_t>(len >> shift));
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<std::uint8_t>(offset >> shift));
        offset += len;
    }
    for (const auto& entry : entries) {
        file.insert(file.end(), static_cast<std::size_t>(entry[2]),
                    static_cast<std::uint8_t>(entry[0]));
    }
    return file;
}

TEST(IconDirectory, PicksTheRequestedSizeWithMostColoursElseTheLargest) {
    const auto file = icon_file({{32, 32, 10}, {16, 8, 5}, {16, 32, 7}, {256, 32, 3}});
    const auto sixteen = find_icon_entry(file, 16);
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->width, 16);
    EXPECT_EQ(sixteen->bit_count, 32);
    EXPECT_EQ(sixteen->data.size(), 7u);
    EXPECT_EQ(sixteen->data[0], 16);

    const auto other = find_icon_entry(file, 48);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->width, 256);
}

TEST(IconDirectory, RejectsWhatIsNotAnIconOrPointsOutsideTheFile) {
    EXPECT_FALSE(find_icon_entry({}, 16));
    const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_FALSE(find_icon_entry(png, 16));
    auto file = icon_file({{16, 32, 7}});
    EXPECT_TRUE(find_icon_entry(file, 16));
    file.pop_back();  // the payload now ends one byte early
    EXPECT_FALSE(find_icon_entry(file, 16));
    auto no_entries = icon_file({});
    EXPECT_FALSE(find_icon_entry(no_entries, 16));
    auto truncated_directory = icon_file({{16, 32, 7}, {32, 32, 7}});
    truncated_directory.resize(6 + 16 + 8);
    EXPECT_FALSE(find_icon_entry(truncated_directory, 16));
}

}  // namespace
}  // namespace trevalon
