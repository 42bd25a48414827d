// The rules behind rename, the folder look-up, the right-click analysis of an
// entry and the launch decision.
#include "commands/entry_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "menu/path_text.h"

namespace trevalon {
namespace {

// Paths with the platform's own separator: "/" natively, a backslash under Wine.
std::string p(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

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
    EXPECT_EQ(renamed_folder_path(p("/m/Games/"), "Play"), p("/m/Play/"));
    EXPECT_EQ(renamed_folder_path(p("/m/Games/Games/"), "Old"), p("/m/Games/Old/"));
    EXPECT_EQ(renamed_folder_path(p("/Games/m/Games"), "Spiele"), p("/Games/m/Spiele/"));
}

TEST(RenameRule, AnEntryKeepsItsExtension) {
    EXPECT_EQ(entry_base_name("a.b.lnk"), "a.b");
    EXPECT_EQ(entry_base_name("README"), "README");
    EXPECT_EQ(renamed_entry_path(p("/m/"), "a.b.lnk", "Editor"), p("/m/Editor.lnk"));
    EXPECT_EQ(renamed_entry_path(p("/m"), "Page.URL", "News"), p("/m/News.URL"));
    // A name without an extension does not gain a dangling dot.
    EXPECT_EQ(renamed_entry_path(p("/m/"), "README", "Readme first"), p("/m/Readme first"));
}

TEST(RenameRule, ALongNameIsCutSoThePathFitsWithRoomForAFreeNumber) {
    const std::string folder = p("/m/") + std::string(230, 'f') + kPathSeparator;
    const std::string long_name(300, 'x');
    const std::string entry = renamed_entry_path(folder, "a.lnk", long_name);
    EXPECT_TRUE(entry.ends_with("x.lnk"));
    EXPECT_EQ(entry.size() + 5, 259u);
    const std::string renamed = renamed_folder_path(folder + "Old" + kPathSeparator, long_name);
    EXPECT_EQ(renamed.size() - 1 + 5, 259u);  // without its closing separator
    // A cut that would end a folder's name in blanks or dots loses them.
    // (20 units are left there: 17 letters and ". .")
    std::string dotted(17, 'y');
    dotted += ". . tail";
    EXPECT_EQ(renamed_folder_path(folder + "Old" + kPathSeparator, dotted),
              folder + std::string(17, 'y') + kPathSeparator);
    // No room at all: no path rather than a name of nothing.
    const std::string full = p("/m/") + std::string(255, 'f') + kPathSeparator;
    EXPECT_EQ(renamed_entry_path(full, "a.lnk", "x"), "");
    EXPECT_EQ(renamed_folder_path(full + "Old" + kPathSeparator, "x"), "");
}

TEST(FolderLookUp, FindsTheFirstItemInAnyLetterCase) {
    FolderTable table;
    table.paths = {p("/m"), p("/m/Games"), p("/m/Games/Cards"), p("/m/Tools")};
    EXPECT_EQ(find_folder_item(table, p("/m/")), 0);
    EXPECT_EQ(find_folder_item(table, p("/M/games/")), 1);
    EXPECT_EQ(find_folder_item(table, p("/m/Games/Cards")), 2);
    EXPECT_EQ(find_folder_item(table, p("/m/Cards/")), -1);
    EXPECT_EQ(find_folder_item(FolderTable{}, p("/m/")), -1);
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
    links_[p("/m/Editor.LNK")] = {"C:\\Tools\\Editor.EXE", "-n"};
    existing_.insert("C:\\Tools\\Editor.EXE");
    const SelectedEntry entry = analyse(p("/m/Editor.LNK"));
    EXPECT_EQ(entry.path, p("/m/Editor.LNK"));
    EXPECT_EQ(entry.display, "shown");
    EXPECT_EQ(entry.target, "C:\\Tools\\Editor.EXE");
    EXPECT_EQ(entry.note, "");
    EXPECT_TRUE(entry.program);
}

TEST_F(EntryAnalysis, ABookmarkShowsItsAddressWithoutQuotes) {
    links_[p("/m/News.lnk")] = {"C:\\WINDOWS\\Explorer.exe", "\"https://news.example/\""};
    const SelectedEntry entry = analyse(p("/m/News.lnk"));
    EXPECT_EQ(entry.target, "https://news.example/");
    EXPECT_EQ(entry.note, "");
    EXPECT_FALSE(entry.program);
}

TEST_F(EntryAnalysis, NotesTellAShellItemFromAMissingOrUnreadableTarget) {
    links_[p("/m/App.lnk")] = {"", ""};
    links_[p("/m/Gone.lnk")] = {"C:\\Old\\gone.exe", ""};
    const SelectedEntry app = analyse(p("/m/App.lnk"));
    EXPECT_EQ(app.target, "");
    EXPECT_EQ(app.note, "Universal App");
    EXPECT_FALSE(app.program);

    const SelectedEntry gone = analyse(p("/m/Gone.lnk"));
    EXPECT_EQ(gone.target, "C:\\Old\\gone.exe");
    EXPECT_EQ(gone.note, "Target missing");
    EXPECT_TRUE(gone.program);

    const SelectedEntry broken = analyse(p("/m/Broken.lnk"));
    EXPECT_EQ(broken.target, "");
    EXPECT_EQ(broken.note, "Target missing");
}

TEST_F(EntryAnalysis, AnInternetShortcutNamesItsAddressAndOtherFilesThemselves) {
    texts_[p("/m/Page.url")] = "[InternetShortcut]\r\nURL=https://page.example/\r\n";
    EXPECT_EQ(analyse(p("/m/Page.url")).target, "https://page.example/");
    EXPECT_EQ(analyse(p("/m/Unreadable.url")).target, "");
    const SelectedEntry document = analyse(p("/m/notes.txt"));
    EXPECT_EQ(document.target, p("/m/notes.txt"));
    EXPECT_FALSE(document.program);
}

TEST(LaunchDecision, LinksOpenOnlyWhenTheirTargetIsThereOrIsAShellItem) {
    const PathExists exists = [](const std::string& path) { return path == "C:\\e.exe"; };
    EXPECT_EQ(decide_launch(p("/m/a.lnk"), LinkFields{"C:\\e.exe", ""}, exists),
              LaunchKind::open_and_record);
    EXPECT_EQ(decide_launch(p("/m/a.LNK"), LinkFields{"", ""}, exists),
              LaunchKind::open_and_record);
    EXPECT_EQ(decide_launch(p("/m/a.lnk"), LinkFields{"C:\\gone.exe", ""}, exists),
              LaunchKind::missing_target);
    // A link that could not be read is not opened blindly.
    EXPECT_EQ(decide_launch(p("/m/a.lnk"), std::nullopt, exists), LaunchKind::missing_target);
    EXPECT_EQ(decide_launch(p("/m/a.url"), std::nullopt, exists), LaunchKind::open);
    EXPECT_EQ(decide_launch(p("/m/notes.txt"), std::nullopt, exists), LaunchKind::open);
}

}  // namespace
}  // namespace trevalon
