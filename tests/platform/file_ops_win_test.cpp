// File helpers on real files: the guarded recursive delete, pattern copies.
#include "platform/file_ops_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "menu/path_text.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "support/temp_dir.h"
#include "support/unix_links_win.h"

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

// Links made on the Unix side, as another program or the user makes them:
// Wine reports a folder link as one only without the closing separator, a
// file link not at all, and deletes or moves what either points to when
// asked to delete or move the link.
bool path_taken_here(const std::string& path) {
    return GetFileAttributesW(utf8_to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class LinksInOwnFolders : public testing::Test {
  protected:
    void SetUp() override {
        target_ = dir_.make_dir("precious");
        ASSERT_TRUE(write_file(target_ + "keep.txt", "precious"));
        file_ = dir_.write_file("precious file.txt", "precious file");
        root_ = dir_.make_dir("Data");
    }
    void TearDown() override {
        for (const std::string& link : links_)
            test::remove_unix_link(link);
    }
    std::string link(const std::string& at, const std::string& to) {
        EXPECT_TRUE(test::make_unix_link(at, to)) << at;
        links_.push_back(at);
        return at;
    }
    bool untouched() {
        return read_file(target_ + "keep.txt") == "precious" &&
               read_file(file_) == "precious file" && files_in(target_).size() == 1;
    }

    test::TempDir dir_;
    std::string target_;
    std::string file_;
    std::string root_;
    std::vector<std::string> links_;
};

TEST_F(LinksInOwnFolders, AFolderThatIsALinkIsNeverEmptiedWithOrWithoutItsSeparator) {
    const std::vector<std::string> roots{root_};
    const std::string undo = link(root_ + "Undo", without_trailing_separator(target_));
    EXPECT_TRUE(is_link(undo));
    EXPECT_TRUE(is_link(undo + "\\"));
    remove_tree(undo + "\\", roots);
    EXPECT_TRUE(untouched());
    remove_tree(undo, roots);
    EXPECT_TRUE(untouched());
}

TEST_F(LinksInOwnFolders, LinksInsideATreeAreNeverFollowed) {
    const std::vector<std::string> roots{root_};
    ASSERT_TRUE(create_folders(root_ + "Clipboard\\1"));
    ASSERT_TRUE(write_file(root_ + "Clipboard\\1\\mine.lnk", "mine"));
    link(root_ + "Clipboard\\1\\file link.txt", file_);
    link(root_ + "Clipboard\\folder link", without_trailing_separator(target_));
    EXPECT_TRUE(is_link(root_ + "Clipboard\\1\\file link.txt"));
    EXPECT_FALSE(is_link(root_ + "Clipboard\\1\\mine.lnk"));
    remove_tree(root_ + "Clipboard\\", roots);
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(is_file(root_ + "Clipboard\\1\\mine.lnk"));
}

TEST_F(LinksInOwnFolders, AFileLinkIsNeitherDeletedNorRenamedThroughIt) {
    const std::string file_link = link(root_ + "link.txt", file_);
    delete_file(file_link);
    EXPECT_TRUE(untouched());
    rename_path(file_link, root_ + "renamed.txt");
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(path_taken_here(root_ + "renamed.txt"));
}

// Names Windows reads as devices, or cuts: reached through the literal path
// form, so the file on disk is what is read, copied, renamed and deleted.
TEST(ReservedNamesOnDisk, EveryOperationReachesTheFileNeverTheDevice) {
    test::TempDir dir;
    const std::string folder = dir.make_dir("menu");
    for (const char* name : {"COM1.lnk", "CON", "aux.txt", "trailingdot.", "trailingspace ",
                             "ends.dot.lnk.", "NUL.lnk"}) {
        SCOPED_TRACE(name);
        const std::string path = folder + name;
        ASSERT_TRUE(write_file(path, "bytes"));
        EXPECT_TRUE(is_file(path));
        EXPECT_EQ(read_file(path), "bytes");
        EXPECT_EQ(file_size(path), 5u);
        ASSERT_TRUE(copy_file_if_absent(path, folder + "copy of it"));
        EXPECT_TRUE(same_file_bytes(path, folder + "copy of it"));
        ASSERT_TRUE(delete_file(folder + "copy of it"));
        ASSERT_TRUE(rename_path(path, folder + "LPT1.x"));
        EXPECT_EQ(files_in(folder), std::vector<std::string>{"LPT1.x"});
        ASSERT_TRUE(delete_file(folder + "LPT1.x"));
        EXPECT_TRUE(files_in(folder).empty());
    }
    // A folder of such a name: made, listed, filled and removed.
    ASSERT_TRUE(create_folders(folder + "CON\\Deep"));
    ASSERT_TRUE(write_file(folder + "CON\\Deep\\a.lnk", "a"));
    EXPECT_EQ(files_in(folder + "CON\\Deep\\"), std::vector<std::string>{"a.lnk"});
    EXPECT_TRUE(remove_tree(folder + "CON\\", std::vector<std::string>{folder}));
    EXPECT_FALSE(is_directory(folder + "CON"));
}

TEST(SameFileBytes, FilesOfAnySizeAreComparedWholeAndAnUnreadableOneEqualsNothing) {
    test::TempDir dir;
    std::string big(17u << 20, 'x');
    const std::string a = dir.write_file("a", big);
    const std::string b = dir.write_file("b", big);
    EXPECT_TRUE(same_file_bytes(a, b));
    big.back() = 'y';
    const std::string c = dir.write_file("c", big);
    EXPECT_FALSE(same_file_bytes(a, c));
    std::uint64_t seen = 0;
    EXPECT_TRUE(read_in_pieces(c, [&](std::string_view piece) { seen += piece.size(); }));
    EXPECT_EQ(seen, big.size());

    // Another program holds it without sharing: neither is readable.
    UniqueFile held(CreateFileW(utf8_to_wide(a).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(same_file_bytes(a, b));
    EXPECT_FALSE(same_file_bytes(a, a));
    EXPECT_FALSE(read_in_pieces(a, [](std::string_view) {}));
    EXPECT_FALSE(same_file_bytes(dir.str() + "missing", dir.str() + "missing too"));
}

}  // namespace
}  // namespace trevalon
