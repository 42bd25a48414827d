// Names as the search compares them: case and diacritics dropped, the
// letters that do not decompose spelt out, other scripts kept, and where
// the words of a name begin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/text_fold.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

std::string folded(std::string_view text) {
    return utf16_to_utf8(fold_text(text));
}

std::vector<std::size_t> starts_of(const SearchKey& key) {
    std::vector<std::size_t> starts;
    for (const char16_t start : key.word_starts())
        starts.push_back(SearchKey::word_position(start));
    return starts;
}

TEST(TextFold, DropsCaseAndDiacriticsAndSpellsOutTheLettersThatDoNotDecompose) {
    EXPECT_EQ(folded("Éditeur vidéo"), "editeur video");
    EXPECT_EQ(folded("ÜBER"), "uber");
    EXPECT_EQ(folded("Straße ẞ"), "strasse ss");
    EXPECT_EQ(folded("Æble Œuvre Øre Łódź Đakovo"), "aeble oeuvre ore lodz dakovo");
    EXPECT_EQ(folded("æœøłđ"), "aeoeold");
    EXPECT_EQ(folded("Crème brûlée Ñandú Čeština Ångström"), "creme brulee nandu cestina angstrom");
    // A mark written apart from its letter goes too, as it does when composed.
    EXPECT_EQ(folded("Cafe\xCC\x81"), "cafe");
    EXPECT_EQ(folded("Tiếng Việt"), "tieng viet");
}

TEST(TextFold, KeepsOtherScriptsMatchingAsTheyDid) {
    EXPECT_EQ(folded("Ёлка ЙОГУРТ"), "елка иогурт");
    EXPECT_EQ(folded("Αθήνα ΚΑΙΡΌΣ"), "αθηνα καιροσ");
    EXPECT_EQ(folded("微信 メモ帳"), "微信 メモ帳");
    // A voiced kana and a Hangul syllable stay whole: their marks are letters.
    EXPECT_EQ(folded("ガイド 한국어"), "ガイド 한국어");
    EXPECT_EQ(folded("ＦＵＬＬ"), "ｆｕｌｌ");
    // Beyond the Basic Multilingual Plane nothing changes.
    EXPECT_EQ(folded("\xF0\x9F\x93\x9D Notes"), "\xF0\x9F\x93\x9D notes");
}

// Whatever matched before without regard to case still matches: a unit and
// its upper case fold alike, for every unit.
TEST(TextFold, FoldsEveryUnitAsItsUpperCase) {
    for (char32_t code = 0; code < 0x10000; ++code) {
        const auto unit = static_cast<char16_t>(code);
        const std::u16string alone(1, unit);
        const std::u16string upper(1, upper_case(unit));
        ASSERT_EQ(fold_text(alone), fold_text(upper)) << std::hex << static_cast<unsigned>(code);
    }
}

TEST(TextFold, FindsWhereWordsBegin) {
    EXPECT_EQ(starts_of(SearchKey("Visual Studio Code.lnk", true)),
              (std::vector<std::size_t>{0, 7, 14}));
    EXPECT_EQ(starts_of(SearchKey("VisualStudioCode", false)),
              (std::vector<std::size_t>{0, 6, 12}));
    EXPECT_EQ(starts_of(SearchKey("7-Zip File Manager.lnk", true)),
              (std::vector<std::size_t>{0, 2, 6, 11}));
    EXPECT_EQ(starts_of(SearchKey("Win32Tool", false)), (std::vector<std::size_t>{0, 3, 5}));
    EXPECT_EQ(starts_of(SearchKey("  (Notes) 100", false)), (std::vector<std::size_t>{3, 10}));
    // Folding that changes a length moves the starts with it.
    EXPECT_EQ(starts_of(SearchKey("Straße Atlas", false)), (std::vector<std::size_t>{0, 8}));
    EXPECT_EQ(starts_of(SearchKey("E\xCC\x81"
                                  "diteur Vide\xCC\x81o",
                                  false)),
              (std::vector<std::size_t>{0, 8}));
}

TEST(TextFold, TellsMinorWordsAndTheDisplayName) {
    const SearchKey key("Windows Subsystem for Linux.lnk", true);
    std::vector<bool> minor;
    for (const char16_t start : key.word_starts())
        minor.push_back(SearchKey::is_minor_word(start));
    EXPECT_EQ(minor, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(utf16_to_utf8(key.display()), "windows subsystem for linux");
    EXPECT_EQ(utf16_to_utf8(key.text()), "windows subsystem for linux.lnk");
    // A lower-case first word is no minor word; a folder keeps its dots.
    EXPECT_FALSE(SearchKey::is_minor_word(SearchKey("balenaEtcher", false).word_starts()[0]));
    EXPECT_EQ(utf16_to_utf8(SearchKey("Node.js", false).display()), "node.js");
    EXPECT_EQ(utf16_to_utf8(SearchKey("Node.js.lnk", true).display()), "node.js");
}

}  // namespace
}  // namespace trevalon
