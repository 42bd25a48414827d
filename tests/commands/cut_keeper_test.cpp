// Settling waiting cut entries on an in-memory disk, with damaged and
// crafted state: origins outside the menus, places the note does not
// explain, links, and more entries of one name than the free-name rule has
// numbers for. Whatever the state, nothing is written outside the menus and
// the program's folders, and nothing found is lost.
#include "commands/cut_keeper.h"

#include <gtest/gtest.h>

#include "commands/safety_texts.h"
#include "menu/path_text.h"
#include "support/memory_disk.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

using test::MemoryDisk;

const std::string kData = "C:/Data/";
const std::string kClip = kData + "Clipboard/";
const std::string kMenu = "C:/Menu/";

CutFolders folders() {
    CutFolders folders;
    folders.data = kData;
    folders.cut_entries = kClip;
    folders.staging = {kData + "Undo/Copying/", kData};
    folders.menus = {kMenu, "C:/Data/Bookmarks/"};
    folders.own_menu = kMenu;
    folders.recovered_name = "Recovered";
    return folders;
}

std::string note(const std::string& origin, bool pasted = false) {
    return "origin=" + origin + "\r\npasted=" + (pasted ? "1" : "0") + "\r\n";
}

class Settling : public testing::Test {
  protected:
    void SetUp() override {
        disk_.add_folder(kClip);
        disk_.add_folder(kMenu + "Games");
        disk_.add_folder("C:/Windows/System32");
        disk_.add_file("C:/Other/keep.txt", "not ours");
    }
    void place(int number, const std::string& origin, const std::string& name,
               const std::string& bytes) {
        disk_.add_file(kClip + std::to_string(number) + "/" + name, bytes);
        disk_.add_file(kClip + std::to_string(number) + ".cut", note(origin));
    }
    std::map<std::string, std::string> outside() const {
        auto all = disk_.contents();
        std::erase_if(all, [](const auto& item) {
            return item.first.starts_with("C:/Menu") || item.first.starts_with("C:/Data");
        });
        return all;
    }

    MemoryDisk disk_;
};

TEST_F(Settling, AnOriginOutsideTheMenusSendsTheEntryToTheOwnMenusTopAndSaysSo) {
    const std::vector<std::string> origins{
        "C:/Windows/System32/Evil.lnk",
        "C:/Users/me/Start Menu/Programs/Startup/Evil.exe",
        "Z:/tmp/Evil.lnk",
        "../../Evil.lnk",
        "C:/Menu/../../Evil.lnk",
        "C:/Menu/x/../../Evil.lnk",
        kMenu + "\xFF\xFE.lnk",
        kMenu + std::string("a\0b.lnk", 7),
        "//server/share/Evil.lnk",
        "\\\\?\\C:\\Menu\\Evil.lnk",
        kMenu + "COM1.lnk",
        kMenu + std::string(10000, 'x') + ".lnk",
        "C:/",
    };
    int number = 1;
    for (const std::string& origin : origins) {
        // Named as the note says; a name no folder can hold is named anew.
        std::string name = origin.substr(origin.find_last_of("/\\") + 1);
        if (name.empty() || name.find('\0') != std::string::npos ||
            name.find('\xFF') != std::string::npos)
            name = "Evil" + std::to_string(number) + ".lnk";
        place(number, origin, name, "evil " + std::to_string(number));
        ++number;
    }
    const auto before = outside();
    const SettleReport report = settle_cuts(disk_, folders());
    EXPECT_EQ(outside(), before);
    // Every entry is in the menu: at the top, or (named unlike its note) among
    // the recovered.
    const auto in_menu = disk_.file_bytes_below(kMenu);
    EXPECT_EQ(in_menu.size(), origins.size());
    for (int i = 1; i < number; ++i)
        EXPECT_EQ(in_menu.count("evil " + std::to_string(i)), 1u) << i;
    EXPECT_EQ(report.settled.size() + report.recovered.size(), origins.size());
    // All but the long one (a path inside the menu) went elsewhere.
    EXPECT_EQ(report.elsewhere.size() + report.recovered.size(), origins.size() - 1);
    EXPECT_TRUE(disk_.contents_below(kClip).empty());

    TextTable texts;
    load_builtin_texts(texts);
    const std::string message = settle_report_text(report, texts);
    EXPECT_NE(message.find(texts.find("TXT00401")), std::string::npos);
}

TEST_F(Settling, AnOriginInsideAMenuGetsItsFolderMadeAgain) {
    place(1, kMenu + "Gone/Deep/A.lnk", "A.lnk", "a");
    const SettleReport report = settle_cuts(disk_, folders());
    EXPECT_EQ(disk_.bytes_at(kMenu + "Gone/Deep/A.lnk"), "a");
    EXPECT_TRUE(report.elsewhere.empty());
}

TEST_F(Settling, WhatAPlaceHoldsBeyondItsNoteIsRecoveredOnceAndSaid) {
    // No note; a second file; a subfolder; a note that is no note.
    disk_.add_file(kClip + "1/NoNote.lnk", "no note");
    place(2, kMenu + "Games/Two.lnk", "Two.lnk", "two");
    disk_.add_file(kClip + "2/Extra.lnk", "extra");
    place(3, kMenu + "Games/Three.lnk", "Three.lnk", "three");
    disk_.add_file(kClip + "3/Sub/Deep.lnk", "deep");
    disk_.add_file(kClip + "4/Four.lnk", "four");
    disk_.add_file(kClip + "4.cut", "not a note at all");
    // An entry an older version left beside the places is not ours to move.
    disk_.add_file(kClip + "Old.lnk", "old");

    const SettleReport report = settle_cuts(disk_, folders());
    EXPECT_EQ(disk_.bytes_at(kMenu + "Games/Two.lnk"), "two");
    EXPECT_EQ(disk_.bytes_at(kMenu + "Games/Three.lnk"), "three");
    EXPECT_EQ(report.recovery_folder, with_trailing_separator(kMenu + "Recovered"));
    for (const char* bytes : {"no note", "extra", "deep", "four"})
        EXPECT_EQ(disk_.file_bytes_below(kMenu + "Recovered").count(bytes), 1u) << bytes;
    EXPECT_EQ(disk_.bytes_at(kMenu + "Recovered/Sub/Deep.lnk"), "deep");
    EXPECT_EQ(report.recovered.size(), 4u);
    EXPECT_EQ(disk_.contents_below(kClip),
              (std::map<std::string, std::string>{{"C:/Data/Clipboard/Old.lnk", "old"}}));

    // A second settling with nothing to recover makes no second folder.
    EXPECT_TRUE(settle_cuts(disk_, folders()).recovery_folder.empty());
}

TEST_F(Settling, LinksInAndAsPlacesAreRemovedNeverFollowed) {
    disk_.add_file("C:/Other/target.txt", "precious");
    disk_.add_file("C:/Other/Folder/inside.txt", "precious too");
    place(1, kMenu + "Games/A.lnk", "A.lnk", "a");
    disk_.add_link(kClip + "1/file link", "C:/Other/target.txt", false);
    disk_.add_link(kClip + "2", "C:/Other/Folder", true);
    disk_.add_file(kClip + "2.cut", note(kMenu + "Games/inside.txt"));
    const auto before = outside();
    settle_cuts(disk_, folders());
    EXPECT_EQ(outside(), before);
    EXPECT_EQ(disk_.bytes_at(kMenu + "Games/A.lnk"), "a");
    EXPECT_TRUE(disk_.contents_below(kClip).empty());
}

TEST_F(Settling, MoreEntriesOfOneNameThanFreeNumbersAllComeOut) {
    for (int i = 1; i <= 250; ++i)
        place(i, kMenu + "Games/X.lnk", "X.lnk", "x" + std::to_string(i));
    const SettleReport report = settle_cuts(disk_, folders());
    EXPECT_EQ(disk_.file_bytes_below(kMenu).size(), 250u);
    EXPECT_EQ(disk_.file_bytes_below(kMenu + "Games").size(), 100u);
    EXPECT_EQ(report.elsewhere.size(), 150u);
    EXPECT_TRUE(report.stuck.empty());
    EXPECT_TRUE(disk_.contents_below(kClip).empty());

    TextTable texts;
    load_builtin_texts(texts);
    const std::string message = settle_report_text(report, texts);
    EXPECT_NE(message.find(texts.find("TXT00417") + " 130"), std::string::npos);
}

TEST_F(Settling, AnEntryThatCanGoNowhereStaysWaitingAndIsSaid) {
    CutFolders nowhere = folders();
    nowhere.own_menu = "C:/NoSuchMenu/";
    place(1, "C:/Windows/System32/Evil.lnk", "Evil.lnk", "evil");
    const SettleReport report = settle_cuts(disk_, nowhere);
    EXPECT_EQ(report.stuck.size(), 1u);
    EXPECT_EQ(disk_.bytes_at(kClip + "1/Evil.lnk"), "evil");
}

TEST_F(Settling, WhatTheProgramRemembersCountsOverAnEditedNote) {
    disk_.add_file(kMenu + "Games/A.lnk", "bytes of A");
    const std::optional<std::string> waiting = start_cut(disk_, folders(), kMenu + "Games/A.lnk");
    ASSERT_TRUE(waiting);
    disk_.remove_file(kMenu + "Games/A.lnk");
    disk_.add_file(kClip + "1.cut", note(kMenu + "Elsewhere/A.lnk"));
    settle_cuts(disk_, folders(), {}, {{*waiting, kMenu + "Games/A.lnk"}});
    EXPECT_EQ(disk_.bytes_at(kMenu + "Games/A.lnk"), "bytes of A");
    EXPECT_FALSE(disk_.contents().count(kMenu + "Elsewhere/A.lnk"));
}

TEST(Origins, OnlyStrictlyInsideAMenuAndNeverThroughADeviceOrDamagedText) {
    const std::vector<std::string> menus{"C:\\Menu\\", "D:\\Bookmarks\\"};
    EXPECT_TRUE(origin_allowed("C:\\Menu\\Games\\A.lnk", menus));
    EXPECT_TRUE(origin_allowed("d:/bookmarks/x.url", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\Games\\..\\..\\Windows\\x.lnk", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\NUL\\x.lnk", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\x\tb.lnk", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\x\xC3.lnk", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\a.lnk:stream", menus));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\a*.lnk", menus));
    // A menu at a drive's root would open the whole drive.
    EXPECT_FALSE(origin_allowed("C:\\x.lnk", std::vector<std::string>{"C:\\"}));
    EXPECT_FALSE(origin_allowed("C:\\Menu\\a.lnk", std::vector<std::string>{""}));
}

}  // namespace
}  // namespace trevalon
