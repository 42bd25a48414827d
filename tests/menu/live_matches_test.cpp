// The search results worked out from the index against the search command's
// own way over the same trees (walk, flat copies, internet-shortcut
// conversion, listing, clean-up): every row of the command is among them,
// under its name, each the file the command would have copied.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8_path.h"
#include "menu/directory_listing.h"
#include "menu/file_list_cleanup.h"
#include "menu/internet_shortcut.h"
#include "menu/live_matches.h"
#include "menu/memory_folder_views.h"
#include "menu/menu_search.h"
#include "menu/search_index.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// A row of the results: the name the list shows (with its extension) and
// what the file holds.
using Row = std::pair<std::string, std::string>;

std::string content_of(const std::string& path) {
    std::ifstream in(utf8_to_path(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A link made by the conversion, as a file that says what it points at.
bool write_test_link(const ShortcutContents& link) {
    std::ofstream out(utf8_to_path(link.link_file), std::ios::binary);
    out << "link to " << link.description;
    return static_cast<bool>(out);
}

// The search command over the roots: a fresh results folder, the search of
// every root into it, its internet shortcuts converted, then listed and
// cleaned up as the file list does.
std::vector<Row> command_rows(const std::vector<std::string>& roots, std::string_view text,
                              const test::TempDir& results) {
    for (const auto& item : fs::directory_iterator(results.path()))
        fs::remove_all(item.path());
    for (const std::string& root : roots)
        search_menu_folder(root, text, results.str());
    convert_internet_shortcuts(results.str(), write_test_link);
    std::vector<std::string> names;
    for (const DirectoryEntry& entry :
         list_directory(results.str()).value_or(std::vector<DirectoryEntry>{})) {
        if (!entry.is_directory)
            names.push_back(entry.name);
    }
    MemoryFileList list(names);
    EntryNameTable table;
    clean_up_file_list(list, table);
    std::vector<Row> rows;
    for (const std::string& name : table.names)
        rows.emplace_back(name, content_of(results.str() + name));
    return rows;
}

// The same from the index: a converted internet shortcut holds what the
// conversion would have written for its original.
std::vector<Row> live_rows(const std::vector<std::unique_ptr<RootIndex>>& indexes,
                           std::string_view text) {
    std::vector<const RootIndex*> roots;
    for (const auto& index : indexes)
        roots.push_back(index.get());
    std::vector<Row> rows;
    const LiveResults found = find_live_matches(roots, text);
    for (const LiveMatch& match : found.matches) {
        std::string content = content_of(found.path_of(match));
        if (!match.converted.empty())
            content = "link to " + parse_internet_shortcut(content).address;
        rows.emplace_back(found.shown_name_of(match), content);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Whether every row of `part` is in `whole` (both sorted).
bool all_among(const std::vector<Row>& part, const std::vector<Row>& whole) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

class LiveMatches : public ::testing::Test {
  protected:
    // Every file holds its own path below the fixture, so a row tells which
    // original it came from.
    void file(const test::TempDir& root, const std::string& relative) {
        root.write_file(relative, root_name(root) + "/" + relative);
    }
    void url(const test::TempDir& root, const std::string& relative) {
        root.write_file(relative, "[InternetShortcut]\r\nURL=https://example.org/" +
                                      root_name(root) + "/" + relative + "\r\n");
    }
    std::string root_name(const test::TempDir& root) const {
        return &root == &own      ? "own"
               : &root == &common ? "common"
               : &root == &user   ? "user"
                                  : "recent";
    }

    std::vector<std::unique_ptr<RootIndex>> indexes(bool with_recent) const {
        std::vector<std::unique_ptr<RootIndex>> made;
        for (const test::TempDir* root : {&own, &common, &user, &recent}) {
            if (root == &recent && !with_recent)
                continue;
            made.push_back(std::make_unique<RootIndex>(root->str()));
            made.back()->rebuild();
        }
        return made;
    }
    std::vector<std::string> roots(bool with_recent) const {
        std::vector<std::string> made{own.str(), common.str(), user.str()};
        if (with_recent)
            made.push_back(recent.str());
        return made;
    }

    test::TempDir own, common, user, recent, results;
};

TEST_F(LiveMatches, HoldTheSearchCommandsRowsForManyTextsWithAndWithoutRecentDocuments) {
    // Names in several scripts, full-width letters, accents.
    file(own, "Office/Мой Файл заметки.lnk");
    file(own, "日本/メモ帳 note.lnk");
    file(common, "Ελληνικά/ΣΗΜΕΙΩΣΕΙΣ notes.txt");
    file(user, "Ärger Note.lnk");
    file(user, "ＦＵＬＬ ｎｏｔｅ.lnk");
    file(common, "ملاحظة note.lnk");
    // One name in several roots and folders: the last root, and within a
    // root the last in walk order, stays.
    file(own, "Office/Notes.txt");
    file(own, "Tools/Deep/Notes.txt");
    file(common, "Notes.txt");
    file(user, "A/Notes.txt");
    file(recent, "Notes.txt");
    file(own, "B/Editor.lnk");
    file(own, "Z/Deep/Editor.lnk");
    file(common, "Editor.lnk");
    // Internet shortcuts: converted to links under a free name, moving in
    // the listing; an empty one stays.
    url(own, "Note page.url");
    file(common, "Note page.lnk");
    url(user, "Notebook.url");
    file(user, "Notebook.txt");
    own.write_file("Empty note.url", "");
    url(own, "Web/desktop.url");
    // What a menu never lists.
    file(own, "desktop.ini");
    file(common, "Thumbs.db");
    file(user, "desktop.lnk");
    file(own, "Office/note.INI");
    // Only in the recent documents.
    file(recent, "Budget note.txt");

    for (const bool with_recent : {false, true}) {
        const auto made = indexes(with_recent);
        for (const std::string text :
             {"note", "NOTE", "lnk", "заметки", "ＮＯＴＥ", "σημειώσεις", "ärger", "editor", "e",
              ".", "desk", "url", "Notes.txt", "zzz"}) {
            SCOPED_TRACE(text + (with_recent ? " with recent documents" : ""));
            std::vector<Row> expected = command_rows(roots(with_recent), text, results);
            std::sort(expected.begin(), expected.end());
            const std::vector<Row> live = live_rows(made, text);
            EXPECT_TRUE(all_among(expected, live)) << ::testing::PrintToString(live);
        }
    }
}

TEST_F(LiveMatches, AnInternetShortcutCanBecomeALinkTheMenuHides) {
    url(own, "Web/desktop.url");
    file(common, "Desk lamp.lnk");
    const auto made = indexes(false);
    const std::vector<Row> expected = command_rows(roots(false), "desk", results);
    ASSERT_EQ(expected, (std::vector<Row>{{"Desk lamp.lnk", "common/Desk lamp.lnk"}}));
    EXPECT_EQ(live_rows(made, "desk"), expected);
}

TEST_F(LiveMatches, KeepTheLaterRootsCopyAndNameTheOriginalsPlace) {
    file(own, "Office/Tools/Chess.lnk");
    file(user, "Games/Chess.lnk");
    file(own, "Checkers.lnk");
    const auto made = indexes(false);
    std::vector<const RootIndex*> roots;
    for (const auto& index : made)
        roots.push_back(index.get());
    const LiveResults live = find_live_matches(roots, "CH");
    const std::vector<LiveMatch>& found = live.matches;
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(live.name_of(found[0]), "Checkers.lnk");
    EXPECT_EQ(found[0].root, 0u);
    EXPECT_EQ(folder_below_root(own.str(), live.folder_of(found[0])), "");
    EXPECT_EQ(found[1].root, 2u);
    EXPECT_EQ(live.path_of(found[1]), (user.path() / "Games" / "Chess.lnk").string());
    EXPECT_EQ(folder_below_root(user.str(), live.folder_of(found[1])), "Games");
    EXPECT_EQ(folder_below_root(own.str(), own.str() + "Office/Tools/"), "Office/Tools");
}

TEST_F(LiveMatches, MissingRootsAndMissingIndexesContributeNothing) {
    file(own, "Chess.lnk");
    RootIndex missing(own.str() + "not there");
    missing.rebuild();
    RootIndex present(own.str());
    present.rebuild();
    const std::vector<const RootIndex*> roots{&missing, nullptr, &present};
    const auto found = find_live_matches(roots, "chess").matches;
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].root, 2u);
    EXPECT_TRUE(find_live_matches(roots, "queen").matches.empty());
}

}  // namespace
}  // namespace trevalon
