// The two name rules, with their examples and properties over random titles.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "menu/name_rules.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

TEST(StripNameCharacters, RemovesTheNineForbiddenCharactersOnly) {
    EXPECT_EQ(strip_name_characters("a/b:c"), "abc");
    EXPECT_EQ(strip_name_characters("\\/:*?\"<>|"), "");
    EXPECT_EQ(strip_name_characters("  My  Folder. "), "  My  Folder. ");
    EXPECT_EQ(strip_name_characters("Папка:日本"), "Папка日本");
}

TEST(MakeFileName, TurnsTabsAndLineBreaksIntoSpaces) {
    EXPECT_EQ(make_file_name("Hello\tWorld", "C:\\m\\"), "Hello World");
    EXPECT_EQ(make_file_name("One\r\nTwo", "C:\\m\\"), "One  Two");
}

TEST(MakeFileName, GivesEachForbiddenCharacterItsStandIn) {
    EXPECT_EQ(make_file_name("Why?", "C:\\m\\"), "Why.");
    EXPECT_EQ(make_file_name("News: Today", "C:\\m\\"), "News. Today");
    EXPECT_EQ(make_file_name("a\\b/c*d\"e<f>g|h", "C:\\m\\"), "a b c d'e f g h");
}

TEST(MakeFileName, ValidTitleOnlyLosesWhatExceedsTheLengthBudget) {
    EXPECT_EQ(make_file_name("Plain title.html", "C:\\m\\"), "Plain title.html");
    // 240 + 5 + ".html" + " (99)" + ".lnk" = 259, the longest path there is.
    const std::string folder(240, 'f');
    EXPECT_EQ(make_file_name("abcdefghijklmnopqrstuvwxyzABCD.html", folder), "abcde.html");
}

TEST(MakeFileName, ALongTitleInADeepFolderLeavesRoomForTheLinkAndAFreeNumber) {
    const std::string folder =
        "C:\\Users\\Someone With A Long Name\\AppData\\Roaming\\Trevalon\\Bookmarks\\Work\\";
    const std::string title(300, 'T');
    const std::string name = make_file_name(title, folder);
    EXPECT_FALSE(name.empty());
    const std::string longest = folder + name + " (99).lnk";
    EXPECT_EQ(utf16_length(longest), static_cast<std::size_t>(kLongestPath));
}

TEST(MakeFileName, ExhaustedBudgetLeavesOnlyTheExtension) {
    EXPECT_EQ(make_file_name("Title.html", std::string(260, 'f')), ".html");
    EXPECT_EQ(make_file_name("Title", std::string(250, 'f')), "");
    EXPECT_EQ(make_file_name("Title", std::string(249, 'f')), "T");
}

TEST(MakeFileName, BudgetCountsUtf16UnitsAndNeverSplitsACharacter) {
    const std::string folder(244, 'f');
    // 6 units left: six Cyrillic letters fit (12 bytes), the seventh does not.
    EXPECT_EQ(make_file_name("Привет мир", folder), "Привет");
    // A character outside the BMP takes two units and is kept or dropped whole.
    EXPECT_EQ(make_file_name("abcde\xF0\x9F\x98\x80", folder), "abcde");
    EXPECT_EQ(make_file_name("abcd\xF0\x9F\x98\x80", folder), "abcd\xF0\x9F\x98\x80");
}

TEST(MakeFileName, ReplacesOtherControlCharactersSoTheFileCanBeMade) {
    EXPECT_EQ(make_file_name(std::string("Bell\x07Title"), "C:\\m\\"), "Bell Title");
}

// Random titles built from a pool that is heavy in the characters the rule
// treats specially, plus random bytes.
std::string random_title(std::mt19937& rng) {
    static const std::string pool = "\\/:*?\"<>|\t\r\n.. aZ\x01\x1f\x7f";
    static const std::string utf8[] = {"Ж", "日本", "\xF0\x9F\x98\x80", "é"};
    std::uniform_int_distribution<int> length(0, 300), kind(0, 9), byte(0, 255);
    std::string title;
    for (int i = length(rng); i > 0; --i) {
        const int k = kind(rng);
        if (k < 5) {
            title += pool[static_cast<std::size_t>(byte(rng)) % pool.size()];
        } else if (k < 8) {
            title += utf8[static_cast<std::size_t>(byte(rng)) % 4];
        } else {
            title += static_cast<char>(byte(rng));
        }
    }
    return title;
}

TEST(MakeFileName, NoForbiddenOrControlCharacterSurvivesAndTheBudgetHolds) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 20000; ++round) {
        const std::string title = random_title(rng);
        const std::string folder(static_cast<std::size_t>(rng() % 270), 'f');
        const std::string name = make_file_name(title, folder);
        for (char c : name) {
            ASSERT_EQ(kForbiddenNameCharacters.find(c), std::string_view::npos) << title;
            ASSERT_GE(static_cast<unsigned char>(c), 32) << title;
        }
        ASSERT_LE(name.size(), title.size());
        const std::size_t dot = name.rfind('.');
        const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
        // The link with its free-name number: folder, base, " (99)", the
        // extension with its dot, ".lnk".
        const long room =
            kLongestPath - static_cast<long>(folder.size()) - 5 -
            static_cast<long>(dot == std::string::npos ? 0 : 1 + utf16_length(extension)) - 4;
        ASSERT_LE(static_cast<long>(utf16_length(base)), std::max(room, 0L)) << title;
    }
}

TEST(MakeFileName, ValidUtf8TitlesGiveValidUtf8Names) {
    std::mt19937 rng(7);
    static const std::string pieces[] = {"Ж", "日本", "\xF0\x9F\x98\x80", "a", "?", ":", "."};
    for (int round = 0; round < 5000; ++round) {
        std::string title;
        for (int i = static_cast<int>(rng() % 200); i > 0; --i)
            title += pieces[rng() % 7];
        const std::string name = make_file_name(title, std::string(rng() % 260, 'f'));
        ASSERT_EQ(utf16_to_utf8(utf8_to_utf16(name)), name) << title;
    }
}

}  // namespace
}  // namespace trevalon
