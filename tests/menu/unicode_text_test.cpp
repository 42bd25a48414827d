// UTF-8/UTF-16 conversion, upper case and the NTFS-like name order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "menu/directory_listing.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

TEST(UnicodeText, RoundTripsNonLatinTextAndCharactersOutsideTheBmp) {
    for (const std::string text : {"Привет", "日本語のフォルダ", "a\xF0\x9F\x98\x80z", ""}) {
        EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(text)), text);
    }
    EXPECT_EQ(utf8_to_utf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
    EXPECT_EQ(utf16_length("a\xF0\x9F\x98\x80Ж"), 4u);
}

TEST(UnicodeText, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf8_to_utf16("a\xFF"
                            "b"),
              (std::u16string{u'a', 0xFFFD, u'b'}));
    EXPECT_EQ(utf8_to_utf16("\xE6\x97"), (std::u16string{0xFFFD, 0xFFFD}));
    EXPECT_EQ(utf8_to_utf16("\xC0\x80"), (std::u16string{0xFFFD, 0xFFFD}));  // overlong
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xD800, u'x'}),
              "\xEF\xBF\xBD"
              "x");
}

TEST(UnicodeText, UpperCaseCoversTheScriptsOfMenuNames) {
    EXPECT_EQ(utf16_to_utf8(upper_case(utf8_to_utf16("abz éÿ ё жя ως ß 日本 ａ"))),
              "ABZ ÉŸ Ё ЖЯ ΩΣ ß 日本 Ａ");
    EXPECT_EQ(ascii_lower("DeskTop.LNK Ж"), "desktop.lnk Ж");
}

TEST(UnicodeText, ContainsIgnoringCase) {
    EXPECT_TRUE(contains_ignoring_case("Notes.TXT", "note"));
    EXPECT_TRUE(contains_ignoring_case("Мой ФАЙЛ", "файл"));
    EXPECT_FALSE(contains_ignoring_case("Editor.lnk", "notes"));
}

TEST(NameOrder, ComparesUpperCaseFormsOrdinally) {
    std::vector<std::string> names{"c", "a_", "B", "aB", "бета", "Вега", "Альфа", "日本", "A1"};
    std::sort(names.begin(), names.end(), ntfs_name_less);
    EXPECT_EQ(names, (std::vector<std::string>{"A1", "aB", "a_", "B", "c", "Альфа", "бета", "Вега",
                                               "日本"}));
}

}  // namespace
}  // namespace trevalon

namespace trevalon {
namespace {

TEST(UnicodeText, RandomBytesConvertToValidTextOfTheCountedLength) {
    std::mt19937 rng(5);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(rng() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng() % 256);
        const std::u16string wide = utf8_to_utf16(bytes);
        ASSERT_EQ(wide.size(), utf16_length(bytes));
        // Whatever came in, what goes out is well-formed and stable.
        const std::string clean = utf16_to_utf8(wide);
        ASSERT_EQ(utf8_to_utf16(clean), wide);
    }
}

}  // namespace
}  // namespace trevalon
