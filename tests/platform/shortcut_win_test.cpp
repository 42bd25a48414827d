// Shell links written and read back through the shell's link object.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/utf8_path.h"
#include "platform/shortcut_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

ShortcutContents tool_link(const test::TempDir& dir, const std::string& target) {
    ShortcutContents contents;
    contents.target = target;
    contents.link_file = dir.str() + "Tool.lnk";
    contents.arguments = "--open \"my file.txt\"";
    contents.description = "A tool";
    contents.working_directory = dir.str() + "work";
    contents.show_command = SW_SHOWMINNOACTIVE;
    contents.icon_file = target;
    contents.icon_index = 2;
    return contents;
}

int show_command_in_file(const std::string& link_file) {
    std::ifstream in(utf8_to_path(link_file), std::ios::binary);
    in.seekg(0x3C);
    unsigned char bytes[4] = {};
    in.read(reinterpret_cast<char*>(bytes), 4);
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24);
}

TEST(Shortcut, WritesEveryValueAndReadsThemBack) {
    test::TempDir dir;
    const std::string target = dir.write_file("tool.exe", "MZ");
    dir.make_dir("work");
    const ShortcutContents contents = tool_link(dir, target);
    ASSERT_TRUE(create_shortcut(contents));

    const LinkFields fields = read_shortcut_fields(contents.link_file);
    EXPECT_TRUE(fs::equivalent(utf8_to_path(fields.target), utf8_to_path(target))) << fields.target;
    EXPECT_EQ(fields.arguments, contents.arguments);

    const auto stored = read_shortcut_contents(contents.link_file);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->arguments, contents.arguments);
    EXPECT_EQ(stored->description, "A tool");
    EXPECT_EQ(stored->working_directory, contents.working_directory);
    // Wine's loader does not restore the show command, so look at the saved
    // header itself (the value at offset 0x3C).
    EXPECT_EQ(show_command_in_file(contents.link_file), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(stored->icon_file, target);
    EXPECT_EQ(stored->icon_index, 2);
}

TEST(Shortcut, OverwritesAnExistingLinkFile) {
    test::TempDir dir;
    const std::string first = dir.write_file("first.exe", "MZ");
    const std::string second = dir.write_file("second.exe", "MZ");
    ShortcutContents contents = tool_link(dir, first);
    ASSERT_TRUE(create_shortcut(contents));
    contents.target = second;
    contents.arguments = "changed";
    ASSERT_TRUE(create_shortcut(contents));
    EXPECT_EQ(read_shortcut_fields(contents.link_file).arguments, "changed");
}

TEST(Shortcut, NonLatinNamesAndLongArgumentsSurvive) {
    test::TempDir dir;
    const std::string target = dir.write_file("Программы/エディタ.exe", "MZ");
    ShortcutContents contents;
    contents.target = target;
    contents.link_file = dir.str() + "Редактор エディタ.lnk";
    // A quoted web address well past 256 bytes, with non-Latin letters.
    contents.arguments = "\"https://example.org/путь?q=" + std::string(400, 'x') + "\"";
    ASSERT_TRUE(create_shortcut(contents));
    ASSERT_TRUE(fs::exists(utf8_to_path(contents.link_file)));
    const LinkFields fields = read_shortcut_fields(contents.link_file);
    EXPECT_TRUE(fs::equivalent(utf8_to_path(fields.target), utf8_to_path(target))) << fields.target;
    EXPECT_EQ(fields.arguments, contents.arguments);
}

TEST(Shortcut, MissingLinkFileReadsAsAnEmptyTarget) {
    test::TempDir dir;
    const std::string joined = read_shortcut(dir.str() + "missing.lnk");
    EXPECT_EQ(joined, std::string(1, kLinkSeparator));
    EXPECT_FALSE(read_shortcut_contents(dir.str() + "missing.lnk"));
}

TEST(Shortcut, UnwritableLinkPathReportsFailure) {
    test::TempDir dir;
    ShortcutContents contents = tool_link(dir, "C:\\x.exe");
    contents.link_file = dir.str() + "no such folder\\Tool.lnk";
    EXPECT_FALSE(create_shortcut(contents));
}

TEST(Shortcut, WorksWhetherOrNotTheThreadAlreadyUsesCom) {
    test::TempDir dir;
    const std::string target = dir.write_file("tool.exe", "MZ");
    for (DWORD model : {COINIT_MULTITHREADED, COINIT_APARTMENTTHREADED}) {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, model)));
        const ShortcutContents contents = tool_link(dir, target);
        EXPECT_TRUE(create_shortcut(contents));
        EXPECT_EQ(read_shortcut_fields(contents.link_file).arguments, contents.arguments);
        CoUninitialize();
    }
    // Each call balanced its own initialisation: COM is off again.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
}

TEST(Shortcut, BookmarkLinkIsRecognisedOnReading) {
    test::TempDir dir;
    const ShortcutContents contents =
        bookmark_shortcut(dir.str() + "Site.lnk", "https://example.org/");
    ASSERT_TRUE(create_shortcut(contents));
    const LinkFields fields = read_shortcut_fields(contents.link_file);
    EXPECT_TRUE(is_bookmark_link(fields)) << fields.target;
    EXPECT_EQ(bookmark_address(fields), "https://example.org/");
}

}  // namespace
}  // namespace trevalon
