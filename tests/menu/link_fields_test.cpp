// The read-back string of a shell link and the bookmark form.
#include <gtest/gtest.h>

#include "menu/link_fields.h"
#include "menu/shortcut_contents.h"

namespace trevalon {
namespace {

TEST(LinkFields, SplitGivesBackWhatWasJoined) {
    const LinkFields fields =
        split_link_fields(join_link_fields("C:\\Программы\\a.exe", "-x \"y z\""));
    EXPECT_EQ(fields.target, "C:\\Программы\\a.exe");
    EXPECT_EQ(fields.arguments, "-x \"y z\"");
}

TEST(LinkFields, MissingSeparatorMeansNoArgumentsAndEmptyTargetStaysEmpty) {
    EXPECT_EQ(split_link_fields("C:\\a.exe").arguments, "");
    EXPECT_EQ(split_link_fields(join_link_fields("", "")).target, "");
}

TEST(LinkFields, RecognisesBookmarksWhateverCaseOrExpansionTheShellReturns) {
    for (const char* target :
         {"%WinDir%\\Explorer.exe", "C:\\WINDOWS\\explorer.exe", "c:\\windows\\EXPLORER.EXE",
          "C:\\users\\me\\%WinDir%\\Explorer.exe"}) {
        EXPECT_TRUE(is_bookmark_link({target, "\"https://example.org\""})) << target;
    }
    EXPECT_FALSE(is_bookmark_link({"C:\\Tools\\MyExplorer.exe", ""}));
    EXPECT_FALSE(is_bookmark_link({"", ""}));
}

TEST(LinkFields, BookmarkAddressIsTheArgumentWithoutQuotes) {
    const ShortcutContents contents = bookmark_shortcut("x.lnk", "https://example.org/?q=1");
    EXPECT_EQ(contents.arguments, "\"https://example.org/?q=1\"");
    EXPECT_EQ(bookmark_address({contents.target, contents.arguments}), "https://example.org/?q=1");
}

TEST(ShortcutContents, BookmarkUsesTheGivenIconOrThatOfUrlDll) {
    const ShortcutContents plain = bookmark_shortcut("x.lnk", "https://a.example", "", 5);
    EXPECT_EQ(plain.target, "%WinDir%\\Explorer.exe");
    EXPECT_EQ(plain.description, "https://a.example");
    EXPECT_EQ(plain.working_directory, "");
    EXPECT_EQ(plain.show_command, 1);
    EXPECT_EQ(plain.icon_file, "%WinDir%\\System32\\url.dll");
    EXPECT_EQ(plain.icon_index, 0);
    const ShortcutContents own = bookmark_shortcut("x.lnk", "https://a.example", "C:\\i.ico", 3);
    EXPECT_EQ(own.icon_file, "C:\\i.ico");
    EXPECT_EQ(own.icon_index, 3);
}

}  // namespace
}  // namespace trevalon
