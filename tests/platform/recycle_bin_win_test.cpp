// The Recycle Bin under Wine: a prefix without a trash folder has none, and
// where the trash folder exists the shell's delete puts files and folders
// there. Wine decides once per process whether there is a trash, so the
// delete into it runs in a second process started after the trash exists.
#include "platform/recycle_bin_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/file_ops_win.h"
#include "support/process_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

TEST(RecycleBin, APrefixWithoutATrashHasNoneAndOneWithATrashTakesFilesAndFolders) {
    test::TempDir dir;
    const std::string file = dir.write_file("Editor.lnk", "link bytes");
    std::string folder = dir.make_dir("Games");
    folder.pop_back();  // a quoted argument must not end in a backslash
    dir.write_file("Games\\Chess.lnk", "chess");
    EXPECT_FALSE(recycle_bin_available(file));

    // The home folder wine-run made for this run; Wine keeps its trash there.
    const char* run_dir = std::getenv("TREVALON_RUN_DIR_WIN");
    ASSERT_TRUE(run_dir) << "run under tools/wine-run";
    const std::string trash = std::string(run_dir) + "\\home\\.local\\share\\Trash\\";
    ASSERT_TRUE(create_folders(trash + "files"));
    ASSERT_TRUE(create_folders(trash + "info"));

    for (const std::string& path : {file, folder}) {
        const test::ChildProcess helper =
            test::start_process(TREVALON_TEST_HELPER_PATH, "recycle \"" + path + "\"");
        EXPECT_EQ(helper.wait(), 0u) << path;
        EXPECT_FALSE(is_file(path) || is_directory(path)) << path;
    }
    EXPECT_EQ(read_file(trash + "files\\Editor.lnk"), "link bytes");
    EXPECT_EQ(read_file(trash + "files\\Games\\Chess.lnk"), "chess");
    EXPECT_TRUE(is_file(trash + "info\\Editor.lnk.trashinfo"));
    // Something that is not there is not reported as deleted.
    const test::ChildProcess again =
        test::start_process(TREVALON_TEST_HELPER_PATH, "recycle \"" + file + "\"");
    EXPECT_EQ(again.wait(), 5u);

    const std::vector<std::string> roots{std::string(run_dir) + "\\home\\"};
    EXPECT_TRUE(remove_tree(std::string(run_dir) + "\\home\\.local\\", roots));
}

}  // namespace
}  // namespace trevalon
