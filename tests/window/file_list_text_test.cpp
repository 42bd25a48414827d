#include "window/file_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trevalon {
namespace {

TEST(FileListText, SplitsIntoFolderAndPatternByTheBackslashes) {
    const ListSource start;
    EXPECT_EQ(start.pattern, "*.*");
    EXPECT_EQ(start.folder, "");

    const ListSource folder = apply_list_text(start, "C:\\Menu\\");
    EXPECT_EQ(folder, (ListSource{"C:\\Menu\\", "*.*"}));
    // A bare pattern keeps the folder; a folder afterwards keeps the pattern.
    const ListSource pattern = apply_list_text(folder, "*.url");
    EXPECT_EQ(pattern, (ListSource{"C:\\Menu\\", "*.url"}));
    EXPECT_EQ(apply_list_text(pattern, "D:\\Other\\"), (ListSource{"D:\\Other\\", "*.url"}));
    // Folder and pattern together, split at the last backslash.
    EXPECT_EQ(apply_list_text(start, "C:\\Menu\\Sub\\*.lnk;*.url"),
              (ListSource{"C:\\Menu\\Sub\\", "*.lnk;*.url"}));
    // A leading backslash that is the only one marks a pattern.
    EXPECT_EQ(apply_list_text(folder, "\\*.lnk"), (ListSource{"C:\\Menu\\", "*.lnk"}));
    // The empty text clears the folder and keeps the pattern.
    EXPECT_EQ(apply_list_text(pattern, ""), (ListSource{"", "*.url"}));
}

TEST(FileListText, TheDriveLetterBecomesUpperCase) {
    EXPECT_EQ(apply_list_text({}, "c:\\menu\\").folder, "C:\\menu\\");
    EXPECT_EQ(apply_list_text({}, "x:\\a\\b.lnk").folder, "X:\\a\\");
    EXPECT_EQ(apply_list_text({}, "\\\\server\\share\\").folder, "\\\\server\\share\\");
}

TEST(FileListText, PatternsSplitAtSemicolonsInOrder) {
    EXPECT_EQ(split_patterns("*.lnk;*.url"), (std::vector<std::string_view>{"*.lnk", "*.url"}));
    EXPECT_EQ(split_patterns("*.*"), (std::vector<std::string_view>{"*.*"}));
    EXPECT_EQ(split_patterns(";*.a;;*.b;"), (std::vector<std::string_view>{"*.a", "*.b"}));
    EXPECT_TRUE(split_patterns("").empty());
}

TEST(FileListText, PatternsMatchLikeTheSystemsSearch) {
    EXPECT_TRUE(matches_file_pattern("Editor.lnk", "*.*"));
    EXPECT_TRUE(matches_file_pattern("README", "*.*"));
    EXPECT_TRUE(matches_file_pattern("README", "*"));
    EXPECT_TRUE(matches_file_pattern("Editor.LNK", "*.lnk"));
    EXPECT_FALSE(matches_file_pattern("Editor.lnk", "*.url"));
    EXPECT_FALSE(matches_file_pattern("Editor.lnk2", "*.lnk"));
    EXPECT_TRUE(matches_file_pattern("a.b.lnk", "*.lnk"));
    EXPECT_TRUE(matches_file_pattern("Notes.txt", "N?tes.*"));
    EXPECT_FALSE(matches_file_pattern("Nootes.txt", "N?tes.*"));
    EXPECT_TRUE(matches_file_pattern("Über.lnk", "ü*"));
    EXPECT_TRUE(matches_file_pattern("abcabcabd", "*abc*abd"));
    EXPECT_FALSE(matches_file_pattern("abc", ""));
    // A "*" in the name (possible on other file systems) is a letter there.
    EXPECT_TRUE(matches_file_pattern("*.ln;x", "*"));
    EXPECT_TRUE(matches_file_pattern("a*b.lnk", "a*.lnk"));
    EXPECT_FALSE(matches_file_pattern("a*b.url", "a*.lnk"));
}

}  // namespace
}  // namespace trevalon
