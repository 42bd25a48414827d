#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>

#include "icons/image.h"
#include "support/picture_fixtures.h"

namespace trevalon {
namespace {

using test::Bytes;

void expect_pixel(const Image& image, int x, int y, int r, int g, int b, int a) {
    const std::uint8_t* p = image.pixel(x, y);
    EXPECT_EQ(p[0], r) << "red at " << x << "," << y;
    EXPECT_EQ(p[1], g) << "green at " << x << "," << y;
    EXPECT_EQ(p[2], b) << "blue at " << x << "," << y;
    EXPECT_EQ(p[3], a) << "alpha at " << x << "," << y;
}

Bytes with_garbage(Bytes prefix, std::size_t length) {
    std::uint32_t state = 12345;
    while (prefix.size() < length) {
        state = state * 1103515245 + 12345;
        prefix.push_back(static_cast<std::uint8_t>(state >> 16));
    }
    return prefix;
}

Bytes first_half(const Bytes& data) {
    return Bytes(data.begin(), data.begin() + data.size() / 2);
}

// --- PNG -------------------------------------------------------------------

TEST(Png, RoundTripKeepsEveryChannelIncludingVariedAlpha) {
    const Image original = test::varied_image(19, 7);
    const auto png = encode_png(original);
    ASSERT_TRUE(png);
    const auto decoded = decode_png(*png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 19);
    EXPECT_EQ(decoded->height, 7);
    EXPECT_EQ(decoded->rgba, original.rgba);
}

TEST(Png, EncoderRefusesImagesWithoutConsistentPixels) {
    EXPECT_FALSE(encode_png(Image()));
    Image short_of_pixels(4, 4);
    short_of_pixels.rgba.resize(10);
    EXPECT_FALSE(encode_png(short_of_pixels));
}

TEST(Png, DecodesPaletteWithTransparencyToRgba) {
    const std::uint8_t colormap[] = {255, 0, 0, 255, 0, 0, 255, 128, 0, 255, 0, 0};
    const std::uint8_t indices[] = {0, 1, 2, 1, 0, 2};
    const Bytes png = test::write_png(PNG_FORMAT_RGBA_COLORMAP, 3, 2, indices, colormap, 3);
    ASSERT_EQ(png[25], 3) << "fixture is not a palette PNG";  // IHDR colour type
    const auto image = decode_png(png);
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 255, 0, 0, 255);
    expect_pixel(*image, 1, 0, 0, 0, 255, 128);
    EXPECT_EQ(image->pixel(2, 0)[3], 0);
    expect_pixel(*image, 1, 1, 255, 0, 0, 255);
}

TEST(Png, DecodesGreyToOpaqueRgb) {
    const std::uint8_t grey[] = {0, 100, 200, 255};
    const Bytes png = test::write_png(PNG_FORMAT_GRAY, 2, 2, grey);
    ASSERT_EQ(png[25], 0) << "fixture is not a grey PNG";
    const auto image = decode_png(png);
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 0, 0, 0, 255);
    expect_pixel(*image, 1, 0, 100, 100, 100, 255);
    expect_pixel(*image, 0, 1, 200, 200, 200, 255);
    expect_pixel(*image, 1, 1, 255, 255, 255, 255);
}

TEST(Png, ScalesSixteenBitSamplesToEightWithoutGammaChange) {
    const std::uint16_t rgb[] = {0xFFFF, 0x8080, 0x0000, 0x1010, 0x2020, 0xC0C0};
    const Bytes png = test::write_png(PNG_FORMAT_LINEAR_RGB, 2, 1, rgb);
    ASSERT_EQ(png[24], 16) << "fixture is not a 16-bit PNG";  // IHDR bit depth
    const auto image = decode_png(png);
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 255, 128, 0, 255);
    expect_pixel(*image, 1, 0, 16, 32, 192, 255);
}

TEST(Png, RefusesPicturesLargerThanTheCap) {
    const Bytes row(kMaxImageSide + 1, 7);
    EXPECT_FALSE(decode_png(test::write_png(PNG_FORMAT_GRAY, kMaxImageSide + 1, 1, row.data())));
    EXPECT_TRUE(decode_png(test::write_png(PNG_FORMAT_GRAY, kMaxImageSide, 1, row.data())));
}

TEST(Png, RefusesEmptyGarbageTruncatedAndCorruptedData) {
    const Bytes png = *encode_png(test::varied_image(40, 40));
    EXPECT_FALSE(decode_png({}));
    EXPECT_FALSE(decode_png(with_garbage({}, 300)));
    EXPECT_FALSE(decode_png(with_garbage(Bytes(png.begin(), png.begin() + 8), 300)));
    EXPECT_FALSE(decode_png(Bytes(png.begin(), png.begin() + 8)));
    EXPECT_FALSE(decode_png(Bytes(png.begin(), png.begin() + 30)));  // inside the header
    EXPECT_FALSE(decode_png(first_half(png)));
    Bytes flipped = png;
    flipped[png.size() / 2] ^= 0x55;  // the image data's checksum no longer matches
    EXPECT_FALSE(decode_png(flipped));
}

// --- JPEG ------------------------------------------------------------------

TEST(Jpeg, DecodesColourWithinCompressionTolerance) {
    const Image original = test::smooth_image(24, 16);
    const auto image = decode_jpeg(test::write_jpeg(original));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 24);
    ASSERT_EQ(image->height, 16);
    int worst = 0;
    for (std::size_t i = 0; i < original.rgba.size(); ++i) {
        worst = std::max(worst, std::abs(image->rgba[i] - original.rgba[i]));
    }
    EXPECT_LE(worst, 8);  // alpha included: it must come out opaque
}

TEST(Jpeg, DecodesGreyToEqualChannels) {
    const Bytes grey(8 * 8, 150);
    const auto image = decode_jpeg(test::write_jpeg(8, 8, 1, grey.data()));
    ASSERT_TRUE(image);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* p = image->pixel(x, y);
            EXPECT_NEAR(p[0], 150, 2);
            EXPECT_EQ(p[0], p[1]);
            EXPECT_EQ(p[0], p[2]);
            EXPECT_EQ(p[3], 255);
        }
    }
}

TEST(Jpeg, RefusesPicturesLargerThanTheCap) {
    const Bytes wide((kMaxImageSide + 8) * 1, 100);
    EXPECT_FALSE(decode_jpeg(test::write_jpeg(kMaxImageSide + 8, 1, 1, wide.data())));
}

TEST(Jpeg, RefusesEmptyGarbageAndTruncatedDataWithoutEndingTheProcess) {
    const Bytes jpeg = test::write_jpeg(test::smooth_image(64, 64));
    EXPECT_FALSE(decode_jpeg({}));
    EXPECT_FALSE(decode_jpeg(with_garbage({}, 500)));
    EXPECT_FALSE(decode_jpeg(with_garbage({0xFF, 0xD8, 0xFF}, 500)));
    EXPECT_FALSE(decode_jpeg(Bytes(jpeg.begin(), jpeg.begin() + 20)));  // inside the headers
    EXPECT_FALSE(decode_jpeg(first_half(jpeg)));                        // image data cut off
}

// --- ICO -------------------------------------------------------------------

Bytes png_of(const Image& image) {
    return *encode_png(image);
}

// A 2x2 32-bit bitmap with its own alpha: red, green / blue, half-white.
Bytes bgra_bitmap_2x2() {
    const Bytes colour = {0, 0, 255, 255, 0, 255, 0, 200, 255, 0, 0, 100, 255, 255, 255, 128};
    const Bytes mask(2 * 4, 0);
    return test::bitmap_entry(2, 2, 32, {}, colour, mask);
}

TEST(Ico, DecodesAPngEntry) {
    const Image original = test::varied_image(20, 20);
    const auto image = decode_ico(test::ico_file({{png_of(original), 20, 20}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->rgba, original.rgba);
}

TEST(Ico, DecodesA32BitBitmapEntryTopDownWithItsAlpha) {
    const auto image = decode_ico(test::ico_file({{bgra_bitmap_2x2(), 2, 2}}));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 2);
    ASSERT_EQ(image->height, 2);
    expect_pixel(*image, 0, 0, 255, 0, 0, 255);
    expect_pixel(*image, 1, 0, 0, 255, 0, 200);
    expect_pixel(*image, 0, 1, 0, 0, 255, 100);
    expect_pixel(*image, 1, 1, 255, 255, 255, 128);
}

TEST(Ico, AppliesTheMaskToA32BitBitmapWithoutAlpha) {
    const Bytes colour = {10, 20, 30, 0, 40, 50, 60, 0};
    const Bytes mask = {0x40, 0, 0, 0};  // second pixel transparent
    const auto image =
        decode_ico(test::ico_file({{test::bitmap_entry(2, 1, 32, {}, colour, mask)}}));
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 30, 20, 10, 255);
    EXPECT_EQ(image->pixel(1, 0)[3], 0);
}

TEST(Ico, DecodesPaletteBitmapsWithTheirMask) {
    const Bytes palette = {0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0};  // black, blue, green
    // 4-bit, 3x2: row 0 = 1 2 0, row 1 = 2 1 1; rows padded to 4 bytes.
    const Bytes colour4 = {0x12, 0x00, 0, 0, 0x21, 0x10, 0, 0};
    const Bytes mask = {0x20, 0, 0, 0, 0x00, 0, 0, 0};  // row 0, third pixel transparent
    auto image =
        decode_ico(test::ico_file({{test::bitmap_entry(3, 2, 4, palette, colour4, mask)}}));
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 0, 0, 255, 255);
    expect_pixel(*image, 1, 0, 0, 255, 0, 255);
    EXPECT_EQ(image->pixel(2, 0)[3], 0);
    expect_pixel(*image, 0, 1, 0, 255, 0, 255);
    expect_pixel(*image, 2, 1, 0, 0, 255, 255);

    // 1-bit, 9x1 crosses a byte boundary: pixels 0 and 8 set.
    const Bytes colour1 = {0x80, 0x80, 0, 0};
    const Bytes no_mask(4, 0);
    const Bytes two_colours(palette.begin(), palette.begin() + 8);
    image =
        decode_ico(test::ico_file({{test::bitmap_entry(9, 1, 1, two_colours, colour1, no_mask)}}));
    ASSERT_TRUE(image);
    expect_pixel(*image, 0, 0, 0, 0, 255, 255);
    expect_pixel(*image, 1, 0, 0, 0, 0, 255);
    expect_pixel(*image, 8, 0, 0, 0, 255, 255);
}

TEST(Ico, ChoosesTheLargestImageWhateverTheDirectorySays) {
    const Image small = test::varied_image(16, 16);
    const Image large = test::varied_image(48, 48);
    // The directory claims the small one is larger; the data decides.
    const auto image = decode_ico(test::ico_file(
        {{bgra_bitmap_2x2(), 255, 255}, {png_of(large), 1, 1}, {png_of(small), 200, 200}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 48);
    EXPECT_EQ(image->rgba, large.rgba);
}

TEST(Ico, SkipsEntriesWhoseDirectoryPointsOutsideTheFile) {
    const Image good = test::varied_image(8, 8);
    const Bytes big = png_of(test::varied_image(32, 32));
    test::IcoEntry beyond{big, 32, 32};
    beyond.offset_override = 0xFFFFFFF0;  // offset plus size wraps around 32 bits
    test::IcoEntry too_long{big, 32, 32};
    too_long.size_override = 0x7FFFFFFF;
    const auto image = decode_ico(test::ico_file({beyond, too_long, {png_of(good), 8, 8}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->rgba, good.rgba);

    EXPECT_FALSE(decode_ico(test::ico_file({beyond})));
    EXPECT_FALSE(decode_ico(test::ico_file({too_long})));
}

TEST(Ico, RefusesEmptyGarbageTruncatedAndLyingFiles) {
    const Bytes ico = test::ico_file({{png_of(test::varied_image(30, 30)), 30, 30}});
    EXPECT_FALSE(decode_ico({}));
    EXPECT_FALSE(decode_ico(with_garbage({}, 200)));
    EXPECT_FALSE(decode_ico(with_garbage({0, 0, 1, 0, 1, 0}, 200)));
    EXPECT_FALSE(decode_ico(first_half(ico)));
    EXPECT_FALSE(decode_ico(Bytes{0, 0, 1, 0, 0, 0}));     // no entries
    EXPECT_FALSE(decode_ico(Bytes{0, 0, 1, 0, 9, 0, 1}));  // directory longer than the file
    // A bitmap whose rows run past the end of its data.
    Bytes cut = bgra_bitmap_2x2();
    cut.resize(40 + 8);
    EXPECT_FALSE(decode_ico(test::ico_file({{cut, 2, 2}})));
    // A bitmap claiming a palette larger than its depth allows.
    Bytes palette_lie = test::bitmap_entry(1, 1, 1, Bytes(8, 0), {0, 0, 0, 0}, {0, 0, 0, 0});
    palette_lie[32] = 0xFF;
    EXPECT_FALSE(decode_ico(test::ico_file({{palette_lie, 1, 1}})));
}

// --- Sniffing --------------------------------------------------------------

TEST(Picture, TellsTheFormatsApartByTheirFirstBytes) {
    const Image original = test::smooth_image(16, 16);
    const auto from_png = decode_picture(png_of(original));
    ASSERT_TRUE(from_png);
    EXPECT_EQ(from_png->rgba, original.rgba);
    const auto from_jpeg = decode_picture(test::write_jpeg(original));
    ASSERT_TRUE(from_jpeg);
    EXPECT_EQ(from_jpeg->width, 16);
    const auto from_ico = decode_picture(test::ico_file({{bgra_bitmap_2x2(), 2, 2}}));
    ASSERT_TRUE(from_ico);
    EXPECT_EQ(from_ico->width, 2);

    EXPECT_FALSE(decode_picture({}));
    EXPECT_FALSE(decode_picture(Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}));
    EXPECT_FALSE(decode_picture(with_garbage({}, 100)));
}

}  // namespace
}  // namespace trevalon
