// The rules behind rename, the folder look-up, the right-click analysis of an
// entry and the launch decision.
#include "shell/entry_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace trevalon {
namespace {

TEST(TypedNames, LoseForbiddenCharactersControlCharactersAndTrailingDots) {
    EXPECT_EQ(usable_name("a/b:c"), "abc");
    EXPECT_EQ(usable_name("Tab\there"), "Tabhere");
    EXPECT_EQ(usable_name("Games. . "), "Games");
    EXPECT_EQ(usable_name("  Spiele"), "  Spiele");
    EXPECT_EQ(usable_name(".."), "");
    EXPECT_EQ(usable_name("?*"), "");
    EXPECT_EQ(usable_name("Übersicht\x01"), "Übersicht");
}

TEST(RenameRule, OnlyTheFoldersLastComponentChanges) {
    EXPECT_EQ(renamed_folder_path("/m/Games/", "Play"), "/m/Play/");
    EXPECT_EQ(renamed_folder_path("/m/Games/Games/", "Old"), "/m/Games/Old/");
    EXPECT_EQ(renamed_folder_path("/Games/m/Games", "Spiele"), "/Games/m/Spiele/");
}

TEST(RenameRule, AnEntryKeepsItsExtension) {
    EXPECT_EQ(entry_base_name("a.b.lnk"), "a.b");
    EXPECT_EQ(entry_base_name("README"), "README");
    EXPECT_EQ(renamed_entry_path("/m/", "a.b.lnk", "Editor"), "/m/Editor.lnk");
    EXPECT_EQ(renamed_entry_path("/m", "Page.URL", "News"), "/m/News.URL");
    // A name without an extension does not gain a dangling dot.
    EXPECT_EQ(renamed_entry_path("/m/", "README", "Readme first"), "/m/Readme first");
}

TEST(FolderLookUp, FindsTheFirstItemInAnyLetterCase) {
    FolderTable table;
    table.paths = {"/m", "/m/Games", "/m/Games/Cards", "/m/Tools"};
    EXPECT_EQ(find_folder_item(table, "/m/"), 0);
    EXPECT_EQ(find_folder_item(table, "/M/games/"), 1);
    EXPECT_EQ(find_folder_item(table, "/m/Games/Cards"), 2);
    EXPECT_EQ(find_folder_item(table, "/m/Cards/"), -1);
    EXPECT_EQ(find_folder_item(FolderTable{}, "/m/"), -1);
}

TEST(UrlLine, TheFirstAddressLineWinsInAnyLetterCase) {
    EXPECT_EQ(first_url_line("[InternetShortcut]\r\nurl=https://a.example/\r\nURL=https://b/\r\n"),
              "https://a.example/");
    EXPECT_EQ(first_url_line("URL=last line without end"), "last line without end");
    EXPECT_EQ(first_url_line("[InternetShortcut]\nIconIndex=1\n"), "");
    EXPECT_EQ(first_url_line(""), "");
}

class EntryAnalysis : public testing::Test {
  protected:
    SelectedEntry analyse(const std::string& path) {
        EntryReaders readers;
        readers.read_link = [this](const std::string& file) -> std::optional<LinkFields> {
            const auto found = links_.find(file);
            if (found == links_.end())
                return std::nullopt;
            return found->second;
        };
        readers.read_text = [this](const std::string& file) -> std::optional<std::string> {
            const auto found = texts_.find(file);
            if (found == texts_.end())
                return std::nullopt;
            return found->second;
        };
        readers.exists = [this](const std::string& file) { return existing_.count(file) > 0; };
        return analyse_entry(path, "shown", readers, {"Universal App", "Target missing"});
    }

    std::map<std::string, LinkFields> links_;
    std::map<std::string, std::string> texts_;
    std::set<std::string> existing_;
};

TEST_F(EntryAnalysis, AProgramLinkNamesItsTargetAndIsAProgram) {
    links_["/m/Editor.LNK"] = {"C:\\Tools\\Editor.EXE", "-n"};
    existing_.insert("C:\\Tools\\Editor.EXE");
    const SelectedEntry entry = analyse("/m/Editor.LNK");
    EXPECT_EQ(entry.path, "/m/Editor.LNK");
    EXPECT_EQ(entry.display, "shown");
    EXPECT_EQ(entry.target, "C:\\Tools\\Editor.EXE");
    EXPECT_EQ(entry.note, "");
    EXPECT_TRUE(entry.program);
}

TEST_F(EntryAnalysis, ABookmarkShowsItsAddressWithoutQuotes) {
    links_["/m/News.lnk"] = {"C:\\WINDOWS\\Explorer.exe", "\"https://news.example/\""};
    const SelectedEntry entry = analyse("/m/News.lnk");
    EXPECT_EQ(entry.target, "https://news.example/");
    EXPECT_EQ(entry.note, "");
    EXPECT_FALSE(entry.program);
}

TEST_F(EntryAnalysis, NotesTellAShellItemFromAMissingOrUnreadableTarget) {
    links_["/m/App.lnk"] = {"", ""};
    links_["/m/Gone.lnk"] = {"C:\\Old\\gone.exe", ""};
    const SelectedEntry app = analyse("/m/App.lnk");
    EXPECT_EQ(app.target, "");
    EXPECT_EQ(app.note, "Universal App");
    EXPECT_FALSE(app.program);

    const SelectedEntry gone = analyse("/m/Gone.lnk");
    EXPECT_EQ(gone.target, "C:\\Old\\gone.exe");
    EXPECT_EQ(gone.note, "Target missing");
    EXPECT_TRUE(gone.program);

    const SelectedEntry broken = analyse("/m/Broken.lnk");
    EXPECT_EQ(broken.target, "");
    EXPECT_EQ(broken.note, "Target missing");
}

TEST_F(EntryAnalysis, AnInternetShortcutNamesItsAddressAndOtherFilesThemselves) {
    texts_["/m/Page.url"] = "[InternetShortcut]\r\nURL=https://page.example/\r\n";
    EXPECT_EQ(analyse("/m/Page.url").target, "https://page.example/");
    EXPECT_EQ(analyse("/m/Unreadable.url").target, "");
    const SelectedEntry document = analyse("/m/notes.txt");
    EXPECT_EQ(document.target, "/m/notes.txt");
    EXPECT_FALSE(document.program);
}

TEST(LaunchDecision, LinksOpenOnlyWhenTheirTargetIsThereOrIsAShellItem) {
    const PathExists exists = [](const std::string& path) { return path == "C:\\e.exe"; };
    EXPECT_EQ(decide_launch("/m/a.lnk", LinkFields{"C:\\e.exe", ""}, exists),
              LaunchKind::open_and_record);
    EXPECT_EQ(decide_launch("/m/a.LNK", LinkFields{"", ""}, exists), LaunchKind::open_and_record);
    EXPECT_EQ(decide_launch("/m/a.lnk", LinkFields{"C:\\gone.exe", ""}, exists),
              LaunchKind::missing_target);
    // A link that could not be read is not opened blindly.
    EXPECT_EQ(decide_launch("/m/a.lnk", std::nullopt, exists), LaunchKind::missing_target);
    EXPECT_EQ(decide_launch("/m/a.url", std::nullopt, exists), LaunchKind::open);
    EXPECT_EQ(decide_launch("/m/notes.txt", std::nullopt, exists), LaunchKind::open);
}

}  // namespace
}  // namespace trevalon
