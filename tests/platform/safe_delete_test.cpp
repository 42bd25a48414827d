#include "platform/safe_delete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trevalon {
namespace {

TEST(SafeDelete, OnlyPathsStrictlyBelowTheRootAreInside) {
    const std::string root = "C:\\Users\\u\\AppData\\Roaming\\Trevalon\\";
    EXPECT_TRUE(is_strictly_inside(root + "Windows Menu\\", root));
    EXPECT_TRUE(is_strictly_inside(root + "Windows Menu", root));
    EXPECT_TRUE(is_strictly_inside(root + "a\\b\\c", root));
    EXPECT_TRUE(is_strictly_inside("c:/users/U/appdata/roaming/TREVALON/x", root));
    EXPECT_TRUE(is_strictly_inside(root + "x", "C:\\Users\\u\\AppData\\Roaming\\Trevalon"));

    EXPECT_FALSE(is_strictly_inside(root, root));
    EXPECT_FALSE(is_strictly_inside("C:\\Users\\u\\AppData\\Roaming\\Trevalon", root));
    EXPECT_FALSE(is_strictly_inside("C:\\Users\\u\\AppData\\Roaming\\", root));
    EXPECT_FALSE(is_strictly_inside("C:\\Users\\u\\AppData\\Roaming\\TrevalonX\\a", root));
    EXPECT_FALSE(is_strictly_inside("D:\\Users\\u\\AppData\\Roaming\\Trevalon\\a", root));
    EXPECT_FALSE(is_strictly_inside("C:\\", root));
    EXPECT_FALSE(is_strictly_inside("", root));
}

TEST(SafeDelete, DamagedPathsAreNeverInside) {
    const std::string root = "C:\\Data\\Trevalon\\";
    EXPECT_FALSE(is_strictly_inside(root + "..", root));
    EXPECT_FALSE(is_strictly_inside(root + "..\\..\\Windows", root));
    EXPECT_FALSE(is_strictly_inside(root + "a\\..\\..\\b", root));
    EXPECT_FALSE(is_strictly_inside(root + ".\\a", root));
    EXPECT_FALSE(is_strictly_inside(root + "*", root));
    EXPECT_FALSE(is_strictly_inside(root + "a?", root));
    EXPECT_FALSE(is_strictly_inside(root + "a:stream", root));
    EXPECT_FALSE(is_strictly_inside("Trevalon\\a", "Trevalon\\"));  // relative
    EXPECT_FALSE(is_strictly_inside("\\Data\\Trevalon\\a", "\\Data\\Trevalon\\"));
    EXPECT_FALSE(is_strictly_inside("\\\\?\\C:\\Data\\Trevalon\\a", root));
    EXPECT_FALSE(is_strictly_inside("\\\\?\\C:\\Data\\Trevalon\\a", "\\\\?\\C:\\Data\\Trevalon\\"));
}

TEST(SafeDelete, NetworkSharesCompareServerAndShare) {
    const std::string root = "\\\\server\\share\\Trevalon\\";
    EXPECT_TRUE(is_strictly_inside("\\\\SERVER\\share\\Trevalon\\a", root));
    EXPECT_FALSE(is_strictly_inside("\\\\server\\other\\Trevalon\\a", root));
    EXPECT_FALSE(is_strictly_inside("\\\\server2\\share\\Trevalon\\a", root));
}

TEST(SafeDelete, RootsThatAreDrivesOrEmptyWidenNothing) {
    const std::vector<std::string> roots{"C:\\Data\\Trevalon\\", "C:\\Temp\\"};
    EXPECT_TRUE(may_delete_tree("C:\\Data\\Trevalon\\Windows Menu\\", roots));
    EXPECT_TRUE(may_delete_tree("C:\\Temp\\Trevalon\\", roots));
    EXPECT_FALSE(may_delete_tree("C:\\Temp\\", roots));
    EXPECT_FALSE(may_delete_tree("C:\\Data\\Trevalon\\", roots));
    EXPECT_FALSE(may_delete_tree("C:\\Users\\u\\Documents\\", roots));

    // An empty folder name or a failed look-up leaves a drive root or nothing.
    const std::vector<std::string> damaged{"C:\\", "", "\\\\server\\share\\", "Trevalon\\"};
    EXPECT_FALSE(may_delete_tree("C:\\Windows\\", damaged));
    EXPECT_FALSE(may_delete_tree("\\\\server\\share\\x\\", damaged));
    EXPECT_FALSE(may_delete_tree("Trevalon\\x\\", damaged));
}

}  // namespace
}  // namespace trevalon
