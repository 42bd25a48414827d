// The free-name rule shared by the conversion and the entry operations.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "menu/free_name.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

PathExists taken(std::set<std::string> paths) {
    return [paths = std::move(paths)](const std::string& path) { return paths.count(path) > 0; };
}

TEST(FreeName, FreePathIsKept) {
    EXPECT_EQ(free_name("m/Editor.lnk", taken({})), "m/Editor.lnk");
}

TEST(FreeName, TakenPathGetsTheFirstFreeNumber) {
    EXPECT_EQ(free_name("m/Editor.lnk", taken({"m/Editor.lnk"})), "m/Editor (1).lnk");
    EXPECT_EQ(free_name("m/Editor.lnk", taken({"m/Editor.lnk", "m/Editor (1).lnk"})),
              "m/Editor (2).lnk");
    EXPECT_EQ(free_name("m/Editor.lnk", taken({"m/Editor.lnk", "m/Editor (2).lnk"})),
              "m/Editor (1).lnk");
}

TEST(FreeName, NumberGoesBeforeTheLastExtensionOnly) {
    EXPECT_EQ(free_name("m.d/a.b.lnk", taken({"m.d/a.b.lnk"})), "m.d/a.b (1).lnk");
    EXPECT_EQ(free_name("m.d/README", taken({"m.d/README"})), "m.d/README (1)");
}

TEST(FreeName, NothingWhenAllNinetyNineAreTaken) {
    std::set<std::string> all{"Page.lnk"};
    for (int n = 1; n <= 99; ++n)
        all.insert("Page (" + std::to_string(n) + ").lnk");
    EXPECT_EQ(free_name("Page.lnk", taken(all)), std::nullopt);
    all.erase("Page (99).lnk");
    EXPECT_EQ(free_name("Page.lnk", taken(all)), "Page (99).lnk");
}

TEST(FreeName, FileSystemFormCountsFilesAndFolders) {
    test::TempDir dir;
    dir.write_file("Заметки.lnk", "x");
    dir.make_dir("Заметки (1).lnk");
    EXPECT_EQ(free_name(dir.str() + "Заметки.lnk"), dir.str() + "Заметки (2).lnk");
    EXPECT_EQ(free_name(dir.str() + "New.lnk"), dir.str() + "New.lnk");
}

}  // namespace
}  // namespace trevalon
