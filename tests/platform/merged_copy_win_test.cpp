// The merged copy on real files: over a sequence of changes in both source
// trees, the copy brought up to date holds exactly what the whole rebuild
// (delete, then copy each tree over the one before) gives, names, bytes and
// read-only flags; it copies only what changed; and it starts afresh after
// an update that did not finish or a change from outside.
#include "platform/merged_copy_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// "path" for folders, "path=bytes" for files, plus "(read-only)"; sorted.
std::vector<std::string> snapshot(const std::string& root) {
    std::vector<std::string> lines;
    std::error_code error;
    for (fs::recursive_directory_iterator it(utf8_to_path(root), error), end; it != end;
         it.increment(error)) {
        const std::string path = path_to_utf8(it->path());
        std::string line = path.substr(root.size());
        if (it->is_directory()) {
            line += "\\";
        } else {
            line += "=" + read_file(path).value_or("<unreadable>");
            if (GetFileAttributesW(utf8_to_wide(path).c_str()) & FILE_ATTRIBUTE_READONLY)
                line += " (read-only)";
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool set_read_only(const std::string& path, bool read_only) {
    return SetFileAttributesW(utf8_to_wide(path).c_str(),
                              read_only ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

class MergedCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        common_ = dir_.make_dir("Common");
        user_ = dir_.make_dir("User");
        copy_ = dir_.str() + "Data\\Copy\\";
        reference_ = dir_.str() + "Data\\Reference\\";
        roots_ = {dir_.str() + "Data\\"};
    }
    void TearDown() override {
        copy_folder_.forget();
        for (const std::string& tree : {common_, user_}) {
            for (const std::string& line : snapshot(tree)) {
                if (line.find("(read-only)") != std::string::npos)
                    set_read_only(tree + line.substr(0, line.find('=')), false);
            }
        }
    }

    std::string common(std::string_view relative) const { return common_ + std::string(relative); }
    std::string user(std::string_view relative) const { return user_ + std::string(relative); }
    void write(const std::string& path, std::string_view content) {
        create_folders(std::string(folder_of(path)));
        ASSERT_TRUE(write_file(path, content)) << path;
    }
    static std::string_view folder_of(std::string_view path) {
        return path.substr(0, path.rfind('\\') + 1);
    }

    // What the program always did: delete the copy, copy each tree over it.
    std::vector<std::string> rebuilt_in_full() {
        remove_tree(reference_, roots_);
        copy_tree(common_, reference_, "*.*", true);
        copy_tree(user_, reference_, "*.*", true);
        return snapshot(reference_);
    }

    CopyUpdate update() { return copy_folder_.bring_up_to_date(copy_, {common_, user_}, roots_); }

    // Updates the copy and checks it against the whole rebuild; returns the update.
    CopyUpdate update_and_compare() {
        const CopyUpdate result = update();
        EXPECT_TRUE(result.done);
        EXPECT_EQ(snapshot(copy_), rebuilt_in_full());
        return result;
    }

    test::TempDir dir_;
    std::string common_, user_, copy_, reference_;
    std::vector<std::string> roots_;
    MergedCopyFolder copy_folder_;
};

TEST_F(MergedCopy, EqualsTheWholeRebuildOverASequenceOfChanges) {
    write(common("Accessories\\Calculator.lnk"), "calc");
    write(common("Shared.lnk"), "common shared");
    write(common("Gone.lnk"), "gone soon");
    write(common("Tools\\Old\\x.lnk"), "x");
    write(user("Shared.lnk"), "user shared");
    write(user("Own.lnk"), "own");
    write(common("Mail.lnk"), "mail: common");
    ASSERT_TRUE(set_file_write_time(common("Mail.lnk"), 1'500'000'000));
    ASSERT_TRUE(set_read_only(common("Accessories\\Calculator.lnk"), true));
    CopyUpdate first = update_and_compare();
    EXPECT_TRUE(first.made_afresh);

    // Nothing changed: nothing to do.
    CopyUpdate same = update_and_compare();
    EXPECT_FALSE(same.made_afresh);
    EXPECT_EQ(same.steps, 0u);

    // Added, removed, changed in both trees.
    write(user("Games\\Chess.lnk"), "chess");
    ASSERT_TRUE(delete_file(common("Gone.lnk")));
    ASSERT_TRUE(remove_tree(common("Tools\\Old\\"), std::vector<std::string>{common_}));
    write(common("Shared.lnk"), "common shared, longer now");
    write(user("Own.lnk"), "OWN");  // same size: only the time differs
    ASSERT_TRUE(set_file_write_time(user("Own.lnk"), 2'000'000'000));
    CopyUpdate changed = update_and_compare();
    EXPECT_FALSE(changed.made_afresh);
    // Chess and its folder, Gone, Old, Own (the common Shared is hidden by the user's).
    EXPECT_EQ(changed.steps, 5u);

    // A link moved to the other tree as it was, a user's copy appearing over
    // a common one with the same size and time, and the user's going away.
    ASSERT_TRUE(MoveFileW(utf8_to_wide(common("Accessories\\Calculator.lnk")).c_str(),
                          utf8_to_wide(user("Calculator.lnk")).c_str()));
    write(user("Mail.lnk"), "mail: user!!");
    ASSERT_TRUE(set_file_write_time(user("Mail.lnk"), 1'500'000'000));
    EXPECT_FALSE(update_and_compare().made_afresh);
    ASSERT_TRUE(delete_file(user("Shared.lnk")));
    EXPECT_FALSE(update_and_compare().made_afresh);

    // A read-only source, names in other scripts, another letter case, a
    // deep path longer than the old 260-character limit.
    write(user("Office\\Writer.lnk"), "writer");
    ASSERT_TRUE(set_read_only(user("Office\\Writer.lnk"), true));
    write(common("Программы\\Блокнот.lnk"), "notepad");
    write(user("日本語\\メモ帳.lnk"), "memo");
    ASSERT_TRUE(rename_path(common("Accessories"), common("ACCESSORIES")));
    std::string deep = "Deep";
    while (deep.size() < 240)
        deep += "\\A folder with a long name";
    write(common(deep + "\\Deep.lnk"), "deep");
    EXPECT_FALSE(update_and_compare().made_afresh);
    EXPECT_EQ(read_file(copy_ + deep + "\\Deep.lnk"), "deep");

    // The user's folder now differs from the common one only by case.
    write(user("accessories\\Notes.lnk"), "notes");
    EXPECT_FALSE(update_and_compare().made_afresh);
    EXPECT_EQ(update().steps, 0u);
}

TEST_F(MergedCopy, StartsAfreshAfterAnUpdateThatDidNotFinish) {
    write(common("A\\one.lnk"), "one");
    write(common("A\\two.lnk"), "two");
    write(user("three.lnk"), "three");
    update_and_compare();

    // A source that cannot be read stops one copy: the update reports it.
    write(common("A\\two.lnk"), "two, changed");
    write(user("four.lnk"), "four");
    {
        UniqueFile locked(CreateFileW(utf8_to_wide(common("A\\two.lnk")).c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_FALSE(update().done);
    }
    const CopyUpdate after_failure = update_and_compare();
    EXPECT_TRUE(after_failure.made_afresh);

    // The program ended in the middle of an update: the next run knows
    // nothing of the copy, which holds half of the changes.
    const CopyContents before =
        merge_trees(std::vector<TreeListing>{list_tree(common_), list_tree(user_)});
    write(user("five.lnk"), "five");
    ASSERT_TRUE(delete_file(common("A\\one.lnk")));
    CopySyncPlan half = plan_copy_sync(
        merge_trees(std::vector<TreeListing>{list_tree(common_), list_tree(user_)}), before);
    ASSERT_EQ(half.removals.size(), 1u);
    ASSERT_EQ(half.copies.size(), 1u);
    half.copies.clear();
    ASSERT_TRUE(apply_copy_plan(half, std::vector<std::string>{common_, user_}, copy_, roots_));
    copy_folder_.forget();
    MergedCopyFolder next_run;
    const CopyUpdate fresh = next_run.bring_up_to_date(copy_, {common_, user_}, roots_);
    EXPECT_TRUE(fresh.made_afresh);
    EXPECT_EQ(snapshot(copy_), rebuilt_in_full());
    next_run.forget();
}

TEST_F(MergedCopy, AChangeFromOutsideAnywhereInTheCopyMeansAFreshCopy) {
    write(common("A\\B\\C\\deep.lnk"), "deep");
    write(common("top.lnk"), "top");
    update_and_compare();
    for (const std::string changed : {"A\\B\\C\\deep.lnk", "top.lnk"}) {
        SCOPED_TRACE(changed);
        ASSERT_TRUE(write_file(copy_ + changed, "changed by hand"));
        EXPECT_TRUE(update_and_compare().made_afresh);
        EXPECT_FALSE(update_and_compare().made_afresh);
    }
    ASSERT_TRUE(write_file(copy_ + "A\\B\\extra.lnk", "added by hand"));
    EXPECT_TRUE(update_and_compare().made_afresh);
    ASSERT_TRUE(set_read_only(copy_ + "top.lnk", true));
    EXPECT_TRUE(update_and_compare().made_afresh);
}

TEST_F(MergedCopy, ItsOwnLinkConversionIsTakenBackWithoutAFreshCopy) {
    write(common("Web\\Site.url"), "[InternetShortcut]\r\nURL=https://example.com/\r\n");
    write(common("Web\\Other.lnk"), "other");
    write(common("Sub\\x.lnk"), "x");
    update_and_compare();

    // Showing the folder turns its internet shortcut into a link.
    ASSERT_EQ(convert_internet_shortcuts(copy_ + "Web\\"), 1);
    ASSERT_TRUE(is_file(copy_ + "Web\\Site.lnk"));
    copy_folder_.note_files_changed(copy_ + "Web\\");
    const CopyUpdate after = update_and_compare();
    EXPECT_FALSE(after.made_afresh);
    // Site.lnk removed, Site.url and Other.lnk copied again.
    EXPECT_EQ(after.steps, 3u);

    // A folder that is not the copy's, or a subfolder changed besides, is
    // not taken for the program's own change.
    copy_folder_.note_files_changed(common("Web\\"));
    EXPECT_FALSE(update_and_compare().made_afresh);
    ASSERT_EQ(convert_internet_shortcuts(copy_ + "Web\\"), 1);
    ASSERT_TRUE(create_folder(copy_ + "Web\\New"));
    copy_folder_.note_files_changed(copy_ + "Web\\");
    EXPECT_TRUE(update_and_compare().made_afresh);
}

TEST_F(MergedCopy, KnownFoldersListAsTheDiskDoesUntilAnyoneChangesTheCopy) {
    write(common("b\\x.lnk"), "x");
    write(common("A\\Ä\\y.lnk"), "y");
    write(user("C\\z.lnk"), "z");
    write(user("a\\w.lnk"), "w");
    update_and_compare();
    auto lister = copy_folder_.known_lister();
    ASSERT_TRUE(lister);
    for (const std::string folder : {"", "A\\", "A\\Ä\\", "b\\", "C\\"}) {
        const auto known = (*lister)(copy_ + folder);
        const auto on_disk = list_directory(copy_ + folder);
        ASSERT_TRUE(known && on_disk) << folder;
        ASSERT_EQ(known->size(), on_disk->size()) << folder;
        for (std::size_t i = 0; i < known->size(); ++i) {
            EXPECT_EQ((*known)[i].name, (*on_disk)[i].name);
            EXPECT_EQ((*known)[i].is_directory, (*on_disk)[i].is_directory);
        }
    }
    ASSERT_TRUE(write_file(copy_ + "b\\hand.lnk", "by hand"));
    EXPECT_FALSE(copy_folder_.known_lister());
}

TEST_F(MergedCopy, TouchesNothingOutsideTheAllowedRoots) {
    write(common("a.lnk"), "a");
    const std::string outside = dir_.make_dir("Outside");
    write(outside + "keep.txt", "keep");
    const CopyUpdate refused = copy_folder_.bring_up_to_date(outside, {common_, user_}, roots_);
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(snapshot(outside), (std::vector<std::string>{"keep.txt=keep"}));
}

}  // namespace
}  // namespace trevalon
