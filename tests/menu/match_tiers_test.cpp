// The tiers of a match, one name and one text at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/match_tiers.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

MatchTier tier(std::string_view file, std::string_view text,
               const std::vector<std::string_view>& folders = {}) {
    const SearchText search = make_search_text(text);
    std::vector<MatchTier> best(search.words.size(), MatchTier::none);
    for (const std::string_view folder : folders) {
        const std::vector<MatchTier> own = folder_word_tiers(SearchKey(folder, false), search);
        for (std::size_t i = 0; i < best.size(); ++i)
            best[i] = std::min(best[i], own[i]);
    }
    return text_tier(SearchKey(file, true), upper_case(utf8_to_utf16(file)), search, best);
}

TEST(MatchTiers, RankEachWayOfMatchingOneWord) {
    EXPECT_EQ(tier("Notepad.lnk", "notepad"), MatchTier::exact);
    EXPECT_EQ(tier("Notepad.lnk", "NOTE"), MatchTier::prefix);
    EXPECT_EQ(tier("Sticky Notes.lnk", "notes"), MatchTier::word_prefix);
    EXPECT_EQ(tier("balenaEtcher.lnk", "etch"), MatchTier::word_prefix);
    EXPECT_EQ(tier("Character Map.lnk", "cm"), MatchTier::initials);
    EXPECT_EQ(tier("Visual Studio Code.lnk", "vsc"), MatchTier::initials);
    EXPECT_EQ(tier("Visual Studio Code.lnk", "vscode"), MatchTier::initials);
    EXPECT_EQ(tier("Windows Subsystem for Linux.lnk", "wsl"), MatchTier::initials);
    EXPECT_EQ(tier("League of Legends.lnk", "lol"), MatchTier::initials);
    EXPECT_EQ(tier("Notepad.lnk", "pad"), MatchTier::inside);
    EXPECT_EQ(tier("Adobe Photoshop 2024.lnk", "phtshp"), MatchTier::fuzzy);
    EXPECT_EQ(tier("Notepad.lnk", "xyz"), MatchTier::none);
    // One word never spells initials alone, nor do words that are not next
    // to each other (other than over a minor word).
    EXPECT_EQ(tier("Visual Studio Code.lnk", "vc"), MatchTier::fuzzy);
    EXPECT_EQ(tier("Character.lnk", "ch"), MatchTier::prefix);
}

TEST(MatchTiers, ForgiveCaseAndDiacriticsBothWays) {
    EXPECT_EQ(tier("Übersetzer.lnk", "uber"), MatchTier::prefix);
    EXPECT_EQ(tier("Ubersetzer.lnk", "über"), MatchTier::prefix);
    EXPECT_EQ(tier("Éditeur vidéo.lnk", "EDITEUR VIDEO"), MatchTier::exact);
    EXPECT_EQ(tier("Straßenatlas.lnk", "strassen"), MatchTier::prefix);
    EXPECT_EQ(tier("Яндекс Браузер.lnk", "браузер"), MatchTier::word_prefix);
    EXPECT_EQ(tier("微信.lnk", "微信"), MatchTier::exact);
}

TEST(MatchTiers, TakeTheWeakestWordOfSeveralInAnyOrderAndThePhraseWhenBetter) {
    EXPECT_EQ(tier("Sticky Notes.lnk", "notes sticky"), MatchTier::word_prefix);
    EXPECT_EQ(tier("Sticky Notes.lnk", "sticky notes"), MatchTier::exact);
    EXPECT_EQ(tier("Visual Studio Code.lnk", "visual stu"), MatchTier::prefix);
    EXPECT_EQ(tier("Visual Studio Code.lnk", "code  vsc"), MatchTier::initials);
    EXPECT_EQ(tier("Visual Studio Code.lnk", "code visual zz"), MatchTier::none);
}

TEST(MatchTiers, PutAMatchOnlyAFolderMakesBelowEveryNameMatch) {
    EXPECT_EQ(tier("Word.lnk", "office", {"Microsoft Office"}), MatchTier::folder_word_prefix);
    EXPECT_EQ(tier("Word.lnk", "office word", {"Microsoft Office"}), MatchTier::folder_word_prefix);
    EXPECT_EQ(tier("Word.lnk", "office", {"Office", "Tools"}), MatchTier::folder_exact);
    EXPECT_EQ(tier("Word.lnk", "wrd", {"Office"}), MatchTier::fuzzy);
    EXPECT_EQ(tier("Word.lnk", "games", {"Office"}), MatchTier::none);
    EXPECT_LT(MatchTier::fuzzy, MatchTier::folder_exact);
}

TEST(MatchTiers, FindWhatTheSearchCommandFindsEvenInTheExtension) {
    EXPECT_EQ(tier("Word.lnk", "lnk"), MatchTier::fuzzy);
    EXPECT_EQ(tier("Word.lnk", "d.l"), MatchTier::fuzzy);
    // A text of marks alone folds to nothing but still finds them.
    EXPECT_EQ(tier("Cafe\xCC\x81.lnk", "\xCC\x81"), MatchTier::fuzzy);
    EXPECT_EQ(tier("Word.lnk", " "), MatchTier::none);
}

TEST(MatchTiers, NarrowOnlyWhenTheLaterTextCanMatchNothingNew) {
    const auto narrows_to = [](std::string_view earlier, std::string_view later) {
        return narrows(make_search_text(earlier), make_search_text(later));
    };
    EXPECT_TRUE(narrows_to("no", "not"));
    EXPECT_TRUE(narrows_to("notes", "notes st"));
    EXPECT_TRUE(narrows_to("notes s", "notes st"));
    EXPECT_FALSE(narrows_to("not", "no"));
    EXPECT_FALSE(narrows_to("notes s", "notes"));
    EXPECT_FALSE(narrows_to("ab", "a b"));
    EXPECT_FALSE(narrows_to("é", "ex"));
    EXPECT_FALSE(narrows_to("", "a"));
}

}  // namespace
}  // namespace trevalon
