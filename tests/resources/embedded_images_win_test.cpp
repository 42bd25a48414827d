// Opens the built trevalon.exe as data and checks the images it carries: every
// button icon and settings picture under its number, the internet-shortcut
// template icon and the program's own icon, each as Windows reads them.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "icons/image.h"
#include "platform/handles_win.h"
#include "resources/resource_ids.h"

namespace trevalon {
namespace {

constexpr int kSmallIcons[] = {0,  1,  2,  3,  5,  6,  7,  8,  10, 11, 12,
                               13, 14, 20, 21, 22, 23, 24, 25, 30, 31, 32};

struct Picture {
    int number;
    uint32_t width;
    uint32_t height;
};
constexpr Picture kPictures[] = {{40, 270, 160}, {41, 270, 160}, {42, 270, 70}};

using Bytes = std::span<const BYTE>;

uint16_t le16(Bytes b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t le32(Bytes b, size_t at) {
    return le16(b, at) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}
uint32_t be32(Bytes b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

class EmbeddedImages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(TREVALON_EXE_PATH, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() { FreeLibrary(module_); }

    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot open " << TREVALON_EXE_PATH; }

    static Bytes resource(int id, LPCSTR type) {
        HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (!info)
            return {};
        const void* data = LockResource(LoadResource(module_, info));
        if (!data)
            return {};
        return {static_cast<const BYTE*>(data), SizeofResource(module_, info)};
    }

    static HMODULE module_;
};
HMODULE EmbeddedImages::module_ = nullptr;

struct IconEntry {
    int size;  // width = height; the directory writes 256 as 0
    int bits;
    Bytes data;
};

// The entries of a whole .ico file, or nothing when the directory is malformed
// or an entry lies outside the file.
std::optional<std::vector<IconEntry>> parse_ico(Bytes file) {
    if (file.size() < 6 || le16(file, 0) != 0 || le16(file, 2) != 1)
        return std::nullopt;
    const size_t count = le16(file, 4);
    if (file.size() < 6 + 16 * count)
        return std::nullopt;
    std::vector<IconEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + 16 * i;
        const int width = file[at] ? file[at] : 256;
        const int height = file[at + 1] ? file[at + 1] : 256;
        const size_t bytes = le32(file, at + 8);
        const size_t offset = le32(file, at + 12);
        if (width != height || offset > file.size() || bytes > file.size() - offset) {
            return std::nullopt;
        }
        entries.push_back({width, le16(file, at + 6), file.subspan(offset, bytes)});
    }
    return entries;
}

bool is_png(Bytes data) {
    static constexpr BYTE kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return data.size() >= 33 && std::memcmp(data.data(), kSignature, 8) == 0 &&
           std::memcmp(data.data() + 12, "IHDR", 4) == 0;
}

UniqueIcon load_icon(const IconEntry& entry) {
    return UniqueIcon(CreateIconFromResourceEx(
        const_cast<BYTE*>(entry.data.data()), static_cast<DWORD>(entry.data.size()), TRUE,
        0x00030000, entry.size, entry.size, LR_DEFAULTCOLOR));
}

// The size of the icon Windows makes from one entry (0 when it refuses it).
int loaded_icon_size(const IconEntry& entry) {
    UniqueIcon icon = load_icon(entry);
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info))
        return 0;
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    if (!colour || !GetObjectA(colour.get(), sizeof(bitmap), &bitmap))
        return 0;
    return bitmap.bmWidth == bitmap.bmHeight ? bitmap.bmWidth : 0;
}

// True when the entry is a 32-bit bitmap with all its pixels present.
bool holds_bitmap(const IconEntry& entry) {
    const size_t pixels = static_cast<size_t>(entry.size) * entry.size;
    return entry.data.size() >= 40 + 4 * pixels && le32(entry.data, 0) == 40 &&
           le16(entry.data, 14) == 32;
}

// How many pixels Windows draws over white differently from the entry's own:
// fully transparent ones must leave the white and opaque ones show their
// colour, so the alpha channel is honoured rather than the mask alone.
int misdrawn_pixels(const IconEntry& entry) {
    const int size = entry.size;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(nullptr);
    UniqueIcon icon = load_icon(entry);
    if (!holds_bitmap(entry) || !canvas || !bits || !dc.get() || !icon)
        return size * size;
    std::memset(bits, 0xFF, static_cast<size_t>(size) * size * 4);
    {
        DCSelection selection(dc.get(), canvas.get());
        if (!DrawIconEx(dc.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL)) {
            return size * size;
        }
        GdiFlush();
    }
    const auto* drawn = static_cast<const BYTE*>(bits);
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const BYTE* want = entry.data.data() + 40 + 4 * ((size - 1 - y) * size + x);
            const BYTE* got = drawn + 4 * (y * size + x);
            const BYTE alpha = want[3];
            if (alpha != 0 && alpha != 255)
                continue;
            for (int c = 0; c < 3; ++c) {
                const int expected = alpha ? want[c] : 255;
                if (std::abs(got[c] - expected) > 1) {
                    ++wrong;
                    break;
                }
            }
        }
    }
    return wrong;
}

// How many pixels of a 32-bit BMP entry show anything (alpha above 0).
int visible_pixels(const IconEntry& entry) {
    const size_t pixels = static_cast<size_t>(entry.size) * entry.size;
    if (!holds_bitmap(entry))
        return 0;
    int visible = 0;
    for (size_t i = 0; i < pixels; ++i)
        visible += entry.data[40 + 4 * i + 3] != 0;
    return visible;
}

// A 32-bit bitmap entry's pixels as Windows reads them: rows stored bottom-up,
// each pixel blue, green, red, alpha.
Image bitmap_entry_pixels(const IconEntry& entry) {
    Image image(entry.size, entry.size);
    for (int y = 0; y < entry.size; ++y) {
        for (int x = 0; x < entry.size; ++x) {
            const BYTE* from = entry.data.data() + 40 + 4 * ((entry.size - 1 - y) * entry.size + x);
            std::uint8_t* to = image.pixel(x, y);
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = from[3];
        }
    }
    return image;
}

// Mean difference per channel (0-255) between `image` and `large` shrunk to
// its size by averaging blocks, on premultiplied colour. Two renderings of one
// drawing differ by a few units; a flipped or colour-swapped one by far more.
double difference_to_shrunk(const Image& image, const Image& large) {
    const int block = large.width / image.width;
    double total = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            for (int c = 0; c < 4; ++c) {
                double sum = 0;
                for (int dy = 0; dy < block; ++dy) {
                    for (int dx = 0; dx < block; ++dx) {
                        const std::uint8_t* p = large.pixel(x * block + dx, y * block + dy);
                        sum += c == 3 ? p[3] : p[c] * p[3] / 255.0;
                    }
                }
                const std::uint8_t* q = image.pixel(x, y);
                const double own = c == 3 ? q[3] : q[c] * q[3] / 255.0;
                total += std::abs(sum / (block * block) - own);
            }
        }
    }
    return total / (image.width * image.height * 4);
}

// The bitmap entries drawn from the same source as the 256 px PNG entry must
// show the same picture: catches rows or colour channels packed wrongly.
void expect_entries_match_the_large_image(const std::vector<IconEntry>& entries) {
    std::optional<Image> large;
    for (const IconEntry& entry : entries) {
        if (entry.size == 256)
            large = decode_png(entry.data);
    }
    ASSERT_TRUE(large.has_value());
    for (const IconEntry& entry : entries) {
        if (entry.size != 32 && entry.size != 64)
            continue;
        SCOPED_TRACE(::testing::Message() << entry.size << " px against 256 px");
        ASSERT_TRUE(holds_bitmap(entry));
        EXPECT_LT(difference_to_shrunk(bitmap_entry_pixels(entry), *large), 8.0);
    }
}

TEST_F(EmbeddedImages, ButtonIconsAreSingle16PixelAlphaIconsWindowsCanLoad) {
    for (int number : kSmallIcons) {
        SCOPED_TRACE(::testing::Message() << "image " << number);
        Bytes file = resource(IDR_IMAGE_BASE + number, RT_RCDATA);
        ASSERT_FALSE(file.empty());
        auto entries = parse_ico(file);
        ASSERT_TRUE(entries.has_value());
        ASSERT_EQ(entries->size(), 1u);
        const IconEntry& entry = entries->front();
        EXPECT_EQ(entry.size, 16);
        EXPECT_EQ(entry.bits, 32);
        ASSERT_TRUE(holds_bitmap(entry)) << "a 32-bit bitmap entry";
        EXPECT_GT(visible_pixels(entry), 20) << "an icon that shows next to nothing";
        EXPECT_EQ(loaded_icon_size(entry), 16);
        EXPECT_EQ(misdrawn_pixels(entry), 0);
    }
}

TEST_F(EmbeddedImages, SettingsPicturesArePngsOfTheirSizeIn24BitColour) {
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(::testing::Message() << "image " << picture.number);
        Bytes file = resource(IDR_IMAGE_BASE + picture.number, RT_RCDATA);
        ASSERT_TRUE(is_png(file));
        EXPECT_EQ(be32(file, 16), picture.width);
        EXPECT_EQ(be32(file, 20), picture.height);
        EXPECT_EQ(file[24], 8) << "bits per channel";
        EXPECT_EQ(file[25], 2) << "colour type: RGB without alpha";
    }
}

TEST_F(EmbeddedImages, TemplateIconHoldsSixSizesAndWindowsLoadsIts32PixelImage) {
    auto entries = parse_ico(resource(IDR_URL_TEMPLATE_ICON, RT_RCDATA));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 6u);
    const int sizes[] = {16, 24, 32, 48, 64, 256};
    for (size_t i = 0; i < entries->size(); ++i) {
        const IconEntry& entry = (*entries)[i];
        SCOPED_TRACE(::testing::Message() << entry.size << " px");
        EXPECT_EQ(entry.size, sizes[i]);
        EXPECT_EQ(entry.bits, 32);
        if (entry.size == 256) {
            EXPECT_TRUE(is_png(entry.data)) << "the 256 px image is stored compressed";
        } else {
            EXPECT_GT(visible_pixels(entry), entry.size * entry.size / 4);
        }
        if (entry.size == 32) {
            EXPECT_EQ(loaded_icon_size(entry), 32);
            EXPECT_EQ(misdrawn_pixels(entry), 0);
        }
    }
    expect_entries_match_the_large_image(*entries);
}

TEST_F(EmbeddedImages, ProgramIconGroupCoversSmallToLargeAndIsTheFilesIcon) {
    Bytes group = resource(IDI_APP, RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const size_t count = le16(group, 4);
    ASSERT_GE(group.size(), 6 + 14 * count);
    // Each group entry names an RT_ICON resource holding that size's image.
    std::vector<IconEntry> entries;
    std::vector<int> sizes;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + 14 * i;
        const int size = group[at] ? group[at] : 256;
        Bytes image = resource(le16(group, at + 12), RT_ICON);
        ASSERT_FALSE(image.empty()) << size << " px";
        entries.push_back({size, le16(group, at + 6), image});
        sizes.push_back(size);
    }
    for (int size : {16, 24, 32, 48, 256}) {
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size << " px";
    }
    expect_entries_match_the_large_image(entries);

    // The shell shows a program file with its first icon group.
    HICON big_icon = nullptr;
    HICON small_icon = nullptr;
    EXPECT_GT(ExtractIconExA(TREVALON_EXE_PATH, 0, &big_icon, &small_icon, 1), 0u);
    UniqueIcon owned_big(big_icon);
    UniqueIcon owned_small(small_icon);
    EXPECT_TRUE(owned_big);
    EXPECT_TRUE(owned_small);
}

}  // namespace
}  // namespace trevalon
