#include <gtest/gtest.h>

#include <filesystem>
#include <span>

#include "base/utf8_path.h"
#include "icons/icon_file.h"
#include "support/picture_fixtures.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

bool fully_transparent_rows(const Image& image, int from, int to) {
    for (int y = from; y < to; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.pixel(x, y)[3] != 0)
                return false;
        }
    }
    return true;
}

bool same_row(const Image& a, int ya, const Image& b, int yb, int xb = 0) {
    return std::equal(a.pixel(0, ya), a.pixel(0, ya) + a.width * 4, b.pixel(xb, yb));
}

// The one PNG image of a file written by save_icon, after checking the
// directory describes it.
Image png_entry(const Bytes& file, int expected_side) {
    Image none;
    EXPECT_GE(file.size(), 22u + 8u);
    if (file.size() < 30)
        return none;
    EXPECT_EQ(test::read_le16(file, 0), 0);
    EXPECT_EQ(test::read_le16(file, 2), 1);
    EXPECT_EQ(test::read_le16(file, 4), 1);
    EXPECT_EQ(file[6], expected_side >= 256 ? 0 : expected_side);
    EXPECT_EQ(file[7], expected_side >= 256 ? 0 : expected_side);
    EXPECT_EQ(file[8], 0);
    EXPECT_EQ(file[9], 0);
    EXPECT_EQ(test::read_le16(file, 10), 1);
    EXPECT_EQ(test::read_le16(file, 12), 32);
    EXPECT_EQ(test::read_le32(file, 14), file.size() - 22);
    EXPECT_EQ(test::read_le32(file, 18), 22u);
    const Bytes signature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin() + 22));
    auto image = decode_png(std::span(file).subspan(22));
    EXPECT_TRUE(image);
    return image ? *image : none;
}

TEST(MakeSquare, WideImageGetsTransparentBandsAboveAndBelow) {
    const Image wide = test::varied_image(48, 32);
    const Image square = make_square(wide);
    ASSERT_EQ(square.width, 48);
    ASSERT_EQ(square.height, 48);
    EXPECT_TRUE(fully_transparent_rows(square, 0, 8));
    EXPECT_TRUE(fully_transparent_rows(square, 40, 48));
    for (int y = 0; y < 32; ++y)
        EXPECT_TRUE(same_row(wide, y, square, y + 8)) << "row " << y;
}

TEST(MakeSquare, TallImageIsCentredAcrossAndOddDifferencesRoundDown) {
    const Image tall = test::varied_image(3, 8);  // (8 - 3) / 2 = 2 columns on the left
    const Image square = make_square(tall);
    ASSERT_EQ(square.width, 8);
    for (int y = 0; y < 8; ++y) {
        EXPECT_TRUE(same_row(tall, y, square, y, 2)) << "row " << y;
        for (int x : {0, 1, 5, 6, 7})
            EXPECT_EQ(square.pixel(x, y)[3], 0) << x << "," << y;
    }
}

TEST(SaveIcon, WritesHeaderDirectoryAndPngOfASquareImage) {
    test::TempDir dir;
    const Image favicon = test::varied_image(32, 32);
    const std::string path = dir.str() + "1700000000.ico";
    ASSERT_TRUE(save_icon(favicon, path));
    const Image stored = png_entry(test::read_file(path), 32);
    EXPECT_EQ(stored.rgba, favicon.rgba);
    EXPECT_FALSE(fs::exists(utf8_to_path(path + ".tmp")));
}

TEST(SaveIcon, SquaresAWideImageBeforeWriting) {
    test::TempDir dir;
    const Image wide = test::varied_image(48, 32);
    const std::string path = dir.str() + "wide.ico";
    ASSERT_TRUE(save_icon(wide, path));
    const Image stored = png_entry(test::read_file(path), 48);
    ASSERT_EQ(stored.height, 48);
    EXPECT_TRUE(fully_transparent_rows(stored, 0, 8));
    EXPECT_TRUE(fully_transparent_rows(stored, 40, 48));
    EXPECT_TRUE(same_row(wide, 0, stored, 8));
    EXPECT_TRUE(same_row(wide, 31, stored, 39));
}

TEST(SaveIcon, WritesZeroForSidesOf256AndMore) {
    test::TempDir dir;
    for (int side : {255, 256, 300}) {
        const std::string path = dir.str() + std::to_string(side) + ".ico";
        ASSERT_TRUE(save_icon(Image(side, side), path));
        const Bytes file = test::read_file(path);
        EXPECT_EQ(png_entry(file, side).width, side);
    }
}

TEST(SaveIcon, ReadsBackThroughTheIconDecoder) {
    test::TempDir dir;
    const Image favicon = test::varied_image(16, 16);
    const std::string path = dir.str() + "round.ico";
    ASSERT_TRUE(save_icon(favicon, path));
    const auto decoded = decode_ico(test::read_file(path));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rgba, favicon.rgba);
}

TEST(SaveIcon, ReplacesAnOlderFile) {
    test::TempDir dir;
    const std::string path = dir.write_file("old.ico", "an older, longer file that is not an icon");
    const Image favicon = test::varied_image(4, 4);
    ASSERT_TRUE(save_icon(favicon, path));
    EXPECT_EQ(png_entry(test::read_file(path), 4).rgba, favicon.rgba);
}

TEST(SaveIcon, FailuresLeaveNoFileBehind) {
    test::TempDir dir;
    const std::string missing_folder = dir.str() + "missing/1.ico";
    EXPECT_FALSE(save_icon(test::varied_image(8, 8), missing_folder));
    EXPECT_FALSE(fs::exists(utf8_to_path(dir.str() + "missing")));

    const std::string path = dir.str() + "empty.ico";
    EXPECT_FALSE(save_icon(Image(), path));
    Image inconsistent(8, 8);
    inconsistent.rgba.resize(3);
    EXPECT_FALSE(save_icon(inconsistent, path));
    EXPECT_TRUE(fs::is_empty(dir.path()));

    // A folder standing where the file should go: the rename fails, and the
    // temporary file must not stay behind.
    const std::string blocked = dir.make_dir("blocked.ico");
    EXPECT_FALSE(save_icon(test::varied_image(8, 8), blocked.substr(0, blocked.size() - 1)));
    EXPECT_FALSE(fs::exists(utf8_to_path(dir.str() + "blocked.ico.tmp")));
}

TEST(UniqueIconPath, AddsACounterWhenTheSecondIsTaken) {
    test::TempDir dir;
    const std::string first = unique_icon_path(dir.str(), 1700000000);
    EXPECT_EQ(first, dir.str() + "1700000000.ico");
    ASSERT_TRUE(save_icon(Image(1, 1), first));
    const std::string second = unique_icon_path(dir.str(), 1700000000);
    EXPECT_EQ(second, dir.str() + "1700000000-1.ico");
    ASSERT_TRUE(save_icon(Image(1, 1), second));
    EXPECT_EQ(unique_icon_path(dir.str(), 1700000000), dir.str() + "1700000000-2.ico");
    EXPECT_EQ(unique_icon_path(dir.str(), 1700000001), dir.str() + "1700000001.ico");
}

}  // namespace
}  // namespace trevalon
