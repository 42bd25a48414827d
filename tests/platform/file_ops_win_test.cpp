// File helpers on real files: the guarded recursive delete, pattern copies.
#include "platform/file_ops_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace trevalon {
namespace {

TEST(RemoveTree, DeletesNestedReadOnlyContentInsideTheRoot) {
    test::TempDir dir;
    const std::string root = dir.str() + "Data\\";
    dir.write_file("Data\\Windows Menu\\a\\b\\deep.lnk", "x");
    const std::string read_only = dir.write_file("Data\\Windows Menu\\locked.lnk", "y");
    SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((root + "Windows Menu\\a").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<std::string> roots{root};

    EXPECT_TRUE(remove_tree(root + "Windows Menu\\", roots));
    EXPECT_FALSE(is_directory(root + "Windows Menu"));
    EXPECT_TRUE(is_directory(root));
    // Removing what is not there is no failure.
    EXPECT_TRUE(remove_tree(root + "Windows Menu\\", roots));
}

TEST(RemoveTree, RefusesTheRootItselfAndEverythingOutsideIt) {
    test::TempDir dir;
    const std::string root = dir.str() + "Data\\";
    const std::string inside = dir.write_file("Data\\keep.txt", "x");
    const std::string outside = dir.write_file("Elsewhere\\keep.txt", "x");
    const std::vector<std::string> roots{root};

    EXPECT_FALSE(remove_tree(root, roots));
    EXPECT_FALSE(remove_tree(dir.str() + "Elsewhere\\", roots));
    EXPECT_FALSE(remove_tree(root + "..\\Elsewhere\\", roots));
    EXPECT_FALSE(remove_tree("", roots));
    EXPECT_FALSE(remove_tree(dir.str() + "Elsewhere\\", std::vector<std::string>{"C:\\"}));
    EXPECT_TRUE(is_file(inside));
    EXPECT_TRUE(is_file(outside));
}

TEST(CopyTree, CopiesMatchingFilesWithTheirFoldersAndReplacesReadOnlyTargets) {
    test::TempDir dir;
    dir.write_file("From\\a.lnk", "new a");
    dir.write_file("From\\skip.txt", "no");
    dir.write_file("From\\Sub\\b.LNK", "b");
    const std::string old_target = dir.write_file("To\\a.lnk", "old a");
    SetFileAttributesA(old_target.c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(copy_tree(dir.str() + "From", dir.str() + "To", "*.lnk", true), 2);
    EXPECT_EQ(read_file(dir.str() + "To\\a.lnk"), "new a");
    EXPECT_EQ(read_file(dir.str() + "To\\Sub\\b.LNK"), "b");
    EXPECT_FALSE(is_file(dir.str() + "To\\skip.txt"));
    EXPECT_EQ(GetFileAttributesA(old_target.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    // A read-only source gives a writable copy, in a new folder and in one
    // that was there.
    const std::string locked = dir.write_file("From\\Sub\\locked.lnk", "l");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(copy_tree(dir.str() + "From", dir.str() + "To", "*.lnk", true), 3);
    EXPECT_EQ(copy_tree(dir.str() + "From", dir.str() + "Fresh", "*.lnk", true), 3);
    for (const char* copy : {"To\\Sub\\locked.lnk", "Fresh\\Sub\\locked.lnk"}) {
        EXPECT_EQ(GetFileAttributesA((dir.str() + copy).c_str()) & FILE_ATTRIBUTE_READONLY, 0u)
            << copy;
    }
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(copy_tree(dir.str() + "From", dir.str() + "Flat", "*.*", false), 2);
    EXPECT_FALSE(is_directory(dir.str() + "Flat\\Sub"));
    EXPECT_EQ(copy_tree(dir.str() + "Missing", dir.str() + "Never", "*.*", true), 0);
    EXPECT_FALSE(is_directory(dir.str() + "Never"));
}

TEST(RenamePath, ANewLetterCaseIsARenameAndAnotherItemIsNeverReplaced) {
    test::TempDir dir;
    const std::string folder = dir.str();
    const std::string file = dir.write_file("editor.lnk", "e");
    ASSERT_TRUE(rename_path(file, folder + "Editor.lnk"));
    EXPECT_EQ(files_in(folder), std::vector<std::string>{"Editor.lnk"});
    // Outside ASCII too: \u00c4rger becomes \u00e4RGER.
    dir.write_file("\xC3\x84rger.lnk", "a");
    ASSERT_TRUE(rename_path(folder + "\xC3\x84rger.lnk", folder + "\xC3\xA4RGER.lnk"));
    EXPECT_EQ(read_file(folder + "\xC3\xA4RGER.lnk"), "a");
    const std::vector<std::string> names = files_in(folder);
    EXPECT_NE(std::find(names.begin(), names.end(), "\xC3\xA4RGER.lnk"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "\xC3\x84rger.lnk"), names.end());
    // Folders as well.
    dir.make_dir("games");
    ASSERT_TRUE(rename_path(folder + "games", folder + "Games"));
    EXPECT_TRUE(is_directory(folder + "Games"));
    // A different item of that name stays, and so does the source.
    EXPECT_FALSE(rename_path(folder + "Editor.lnk", folder + "\xC3\xA4rger.lnk"));
    EXPECT_EQ(read_file(folder + "Editor.lnk"), "e");
    EXPECT_EQ(read_file(folder + "\xC3\xA4RGER.lnk"), "a");
    EXPECT_EQ(files_in(folder).size(), 2u);
}

TEST(CreateFolders, MakesEveryMissingLevel) {
    test::TempDir dir;
    EXPECT_TRUE(create_folders(dir.str() + "a\\b\\c\\"));
    EXPECT_TRUE(is_directory(dir.str() + "a\\b\\c"));
    EXPECT_FALSE(create_folders(""));
}

}  // namespace
}  // namespace trevalon
