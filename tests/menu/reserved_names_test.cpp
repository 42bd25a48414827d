// Names Windows reads as devices or cuts, and the literal path form that
// reaches the file on disk instead.
#include "menu/reserved_names.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(ReservedNames, DeviceNamesInAnyCaseWithAnyExtension) {
    for (const char* name :
         {"CON", "con", "PRN", "aux.txt", "NUL.lnk", "nul.tar.gz", "COM1", "com9.lnk", "LPT1",
          "lpt5.txt", "CON .txt", "CONIN$", "conout$.x", "COM\xC2\xB9", "LPT\xC2\xB3.lnk"}) {
        EXPECT_TRUE(is_device_name(name)) << name;
        EXPECT_TRUE(is_reserved_name(name)) << name;
    }
    for (const char* name : {"CONSOLE", "con1", "COM0", "COM10", "LPT", "xCON", "AUX_", "NULL.lnk",
                             "", "COM\xC2\xB4", "Editor.lnk"}) {
        EXPECT_FALSE(is_device_name(name)) << name;
    }
}

TEST(ReservedNames, NamesEndingInADotOrABlankAreReservedButNotOthers) {
    EXPECT_TRUE(is_reserved_name("trailingdot."));
    EXPECT_TRUE(is_reserved_name("trailingspace "));
    EXPECT_TRUE(is_reserved_name("ends.dot.lnk."));
    EXPECT_FALSE(is_reserved_name(".hidden"));
    EXPECT_FALSE(is_reserved_name("a b.lnk"));
    EXPECT_FALSE(is_reserved_name(""));
}

TEST(ReservedNames, AnyPartOfThePathBelowTheDriveOrShareCounts) {
    EXPECT_TRUE(has_reserved_part("C:\\Menu\\COM1.lnk"));
    EXPECT_TRUE(has_reserved_part("C:\\Menu\\CON\\Editor.lnk"));
    EXPECT_TRUE(has_reserved_part("C:/Menu/dot./x"));
    EXPECT_TRUE(has_reserved_part("C:\\Menu\\COM1\\"));
    EXPECT_FALSE(has_reserved_part("C:\\Menu\\Editor.lnk"));
    EXPECT_FALSE(has_reserved_part("C:\\Menu\\..\\x"));
    // The server and the share are the network's names.
    EXPECT_FALSE(has_reserved_part("\\\\CON\\NUL\\Editor.lnk"));
    EXPECT_TRUE(has_reserved_part("\\\\server\\share\\aux.txt"));
}

TEST(ReservedNames, TheLiteralFormOfDriveAndSharePaths) {
    EXPECT_EQ(literal_path_form("C:\\Menu\\COM1.lnk"), "\\\\?\\C:\\Menu\\COM1.lnk");
    EXPECT_EQ(literal_path_form("C:/Menu//Games/"), "\\\\?\\C:\\Menu\\Games\\");
    EXPECT_EQ(literal_path_form("\\\\server\\share\\a.lnk"), "\\\\?\\UNC\\server\\share\\a.lnk");
    EXPECT_EQ(literal_path_form("C:\\"), "\\\\?\\C:\\");
    // Only the plain form resolves these; relative and literal paths stay.
    EXPECT_EQ(literal_path_form("C:\\Menu\\..\\x"), "");
    EXPECT_EQ(literal_path_form("C:\\Menu\\.\\x"), "");
    EXPECT_EQ(literal_path_form("Menu\\x"), "");
    EXPECT_EQ(literal_path_form("\\\\?\\C:\\x"), "");
    EXPECT_EQ(literal_path_form("\\\\.\\COM1"), "");
}

TEST(ReservedNames, OnlyPathsThatNeedItGetTheLiteralForm) {
    EXPECT_EQ(file_system_path("C:\\Menu\\Editor.lnk"), "C:\\Menu\\Editor.lnk");
    EXPECT_EQ(file_system_path("C:\\Menu\\aux.txt"), "\\\\?\\C:\\Menu\\aux.txt");
    EXPECT_EQ(file_system_path("C:\\Menu\\x.\\..\\y"), "C:\\Menu\\x.\\..\\y");
    const std::string long_path = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(file_system_path(long_path), "\\\\?\\" + long_path);
}

}  // namespace
}  // namespace trevalon
