// The portable folder listing behind the scan, the search and the file list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/directory_listing.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

TEST(DirectoryListing, ListsFilesAndFoldersInNameOrderWithTheirKinds) {
    test::TempDir dir;
    dir.write_file("b.txt", "12345");
    dir.make_dir("A");
    dir.write_file(".hidden", "");
    dir.write_file("Я.lnk", "x");
    const auto entries = list_directory(dir.str(), ListingDetail::full);
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const auto& entry : *entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "A", "b.txt", "Я.lnk"}));
    EXPECT_TRUE((*entries)[1].is_directory);
    EXPECT_FALSE((*entries)[2].is_directory);
    EXPECT_EQ((*entries)[2].size, 5u);
    EXPECT_NE((*entries)[2].modified, std::filesystem::file_time_type{});
}

TEST(DirectoryListing, MissingFolderGivesNothing) {
    test::TempDir dir;
    EXPECT_FALSE(list_directory(dir.str() + "missing"));
    EXPECT_FALSE(list_directory(dir.write_file("file", "x")));
}

}  // namespace
}  // namespace trevalon
