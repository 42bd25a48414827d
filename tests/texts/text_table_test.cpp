#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "texts/scramble.h"

namespace trevalon {
namespace {

TEST(Scramble, IsItsOwnInverseOverEveryByte) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    const std::string stored = scramble(all);
    EXPECT_EQ(scramble(stored), all);
    // Codes 35..255 map to 290 - c; below 35 nothing changes.
    EXPECT_EQ(static_cast<unsigned char>(scramble("#")[0]), 255);
    EXPECT_EQ(static_cast<unsigned char>(scramble("$")[0]), 254);
    EXPECT_EQ(static_cast<unsigned char>(scramble(std::string(1, char(162)))[0]), 128);
    EXPECT_EQ(scramble("\r\n \"!"), "\r\n \"!");
}

TEST(Scramble, CompileTimeFormMatchesRuntimeForm) {
    constexpr std::string_view stored = stored_text<"Trevalon \u00e9!">();
    EXPECT_EQ(scramble(stored), "Trevalon \u00e9!");
    EXPECT_NE(stored, "Trevalon \u00e9!");
}

TEST(TextTable, GetOrAddAddsMissingKeyButFindOnlyDoesNot) {
    TextTable table;
    EXPECT_EQ(table.find("TXT99999"), "");
    EXPECT_FALSE(table.contains("TXT99999"));
    EXPECT_EQ(table.text("TXT99999"), "");
    EXPECT_TRUE(table.contains("TXT99999"));
    table.set("Program_Name", "X");
    EXPECT_EQ(table.text("Program_Name"), "X");
    EXPECT_EQ(table.find("Program_Name"), "X");
}

TEST(TextTable, LaterValueOfADuplicateKeyWins) {
    TextTable table;
    table.set("K", "first");
    table.set("K", "second");
    EXPECT_EQ(table.find("K"), "second");
    EXPECT_EQ(table.size(), 1u);
}

TEST(BuiltinTexts, ListsHoldNoDuplicateKeysAndNoNul) {
    std::set<std::string_view> keys;
    for (auto list : {builtin_constants(), builtin_english()}) {
        for (const auto& entry : list) {
            EXPECT_TRUE(keys.insert(entry.key).second) << "duplicate key " << entry.key;
            EXPECT_EQ(entry.stored_value.find('\0'), std::string_view::npos) << entry.key;
        }
    }
}

TEST(BuiltinTexts, LoadUnscramblesEveryValueOnce) {
    TextTable table;
    load_builtin_texts(table);
    EXPECT_EQ(table.find("Program_Name"), "Trevalon");
    EXPECT_EQ(table.find("Settings_File"), "Trevalon.prefs");
    for (const auto& entry : builtin_english()) {
        EXPECT_EQ(table.find(entry.key), scramble(entry.stored_value)) << entry.key;
    }
}

}  // namespace
}  // namespace trevalon
