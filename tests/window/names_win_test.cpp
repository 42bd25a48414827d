// Names the file system allows but plain text handling breaks: paths beyond
// 300 characters, characters outside the Basic Multilingual Plane, combining
// marks beside their precomposed form, right-to-left text and names that
// differ only in letter case. They go through the Windows-menu rebuild, the
// search, the list's clean-up, import and rename, and come out byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "commands/entry_commands_win.h"
#include "commands/import_win.h"
#include "menu/directory_listing.h"
#include "platform/handles_win.h"
#include "support/model_menu_view_win.h"
#include "support/scripted_dialogs_win.h"
#include "window/list_views_win.h"
#include "window/window_fixture_win.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

const std::string kGrin = "\xF0\x9F\x98\x80";                    // U+1F600
const std::string kClef = "\xF0\x9D\x84\x9E";                    // U+1D11E
const std::string kCombined = "Cafe\xCC\x81";                    // e + combining acute
const std::string kPrecomposed = "Caf\xC3\xA9";                  // é
const std::string kHebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D";  // right to left
const std::string kArabic = "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7";
const std::string kUpper = "\xC3\x84rger";  // Ärger
const std::string kLower = "\xC3\xA4RGER";  // äRGER, the same name in another case

// A folder chain that makes the path of its file well beyond 300 characters.
std::string long_folder() {
    std::string folder = "Long";
    for (int level = 0; level < 4; ++level)
        folder += "\\" + std::string(60, static_cast<char>('a' + level)) + kGrin;
    return folder;
}

// Every file below root, as UTF-8 paths relative to it, read with the
// program's own listing (long paths included).
std::set<std::string> files_below(const std::string& root, const std::string& prefix = {}) {
    std::set<std::string> files;
    const auto entries = list_directory(root + prefix);
    if (!entries)
        return files;
    for (const DirectoryEntry& entry : *entries) {
        if (entry.is_directory)
            files.merge(files_below(root, prefix + entry.name + "\\"));
        else
            files.insert(prefix + entry.name);
    }
    return files;
}

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const std::string& name : files_in(folder))
        names.insert(name);
    return names;
}

class Names : public test::WindowTest {
  protected:
    // The hostile names as menu entries below root.
    std::set<std::string> write_names(const std::string& root) {
        const std::vector<std::string> relative{
            kGrin + " Grin.lnk",
            kClef + ".lnk",
            kCombined + ".lnk",
            kPrecomposed + ".lnk",
            kHebrew + " 123.lnk",
            "abc " + kArabic + ".txt",
            "Cases\\" + kUpper + ".lnk",
            "Cases\\Inner\\" + kLower + ".lnk",
            long_folder() + "\\" + std::string(40, 'z') + kClef + ".lnk",
        };
        for (const std::string& name : relative) {
            const std::string path = root + name;
            create_folders(path.substr(0, path.rfind('\\')));
            EXPECT_TRUE(write_file(path, name)) << name;
        }
        EXPECT_GT((root + relative.back()).size(), 300u);
        return {relative.begin(), relative.end()};
    }

    std::vector<std::string> row_names() const { return app_.entry_names.names; }
};

TEST_F(Names, SurviveTheWindowsMenuRebuildTheTreeAndTheCleanUp) {
    const std::set<std::string> common = write_names(app_.folders.common_programs);
    write_file(app_.folders.user_programs + "User " + kHebrew + ".lnk", "u");
    app_.view.menu_mode = kWindowsMenuMode;
    show_menu(app_, app_.folders.windows_menu, text("TXT00205"));

    std::set<std::string> expected = common;
    expected.insert("User " + kHebrew + ".lnk");
    EXPECT_EQ(files_below(app_.folders.windows_menu), expected);
    for (const std::string& relative : common) {
        EXPECT_EQ(read_file(app_.folders.windows_menu + relative), relative) << relative;
    }

    // The tree names every folder, the long chain included, by its own bytes.
    std::set<std::string> tree_texts;
    for (int i = 1; i < app_.window.tree.count(); ++i)
        tree_texts.insert(app_.window.tree.items().item_text(i));
    EXPECT_TRUE(tree_texts.contains("Cases"));
    EXPECT_TRUE(tree_texts.contains(std::string(60, 'd') + kGrin));
    ASSERT_EQ(app_.folder_table.count(), app_.window.tree.count());
    const std::string deepest = app_.folder_table.paths[app_.folder_table.count() - 1];
    EXPECT_GT(deepest.size(), 250u);

    // The list of the top folder: rows and entry names keep every byte.
    const std::vector<std::string> names = row_names();
    const std::set<std::string> shown(names.begin(), names.end());
    EXPECT_EQ(shown,
              (std::set<std::string>{kGrin + " Grin.lnk", kClef + ".lnk", kCombined + ".lnk",
                                     kPrecomposed + ".lnk", kHebrew + " 123.lnk",
                                     "abc " + kArabic + ".txt", "User " + kHebrew + ".lnk"}));
    const std::vector<std::string> rows = list_rows();
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()),
              (std::set<std::string>{kGrin + " Grin", kClef, kCombined, kPrecomposed,
                                     kHebrew + " 123", "abc " + kArabic, "User " + kHebrew}));

    // The long folder opens in the list with its file intact.
    open_folder_in_list(app_, deepest + "\\");
    ASSERT_EQ(row_names().size(), 1u);
    EXPECT_EQ(row_names()[0], std::string(40, 'z') + kClef + ".lnk");
}

TEST_F(Names, SurviveTheSearch) {
    write_names(app_.folders.own_menu);
    show_search_results(app_, app_.folders.own_menu, kClef);
    EXPECT_EQ(names_in(app_.folders.recent_search),
              (std::set<std::string>{kClef + ".lnk", std::string(40, 'z') + kClef + ".lnk"}));

    // The combining and the precomposed form are different names.
    show_search_results(app_, app_.folders.own_menu, kCombined);
    EXPECT_EQ(names_in(app_.folders.recent_search), std::set<std::string>{kCombined + ".lnk"});
    show_search_results(app_, app_.folders.own_menu, kHebrew);
    EXPECT_EQ(names_in(app_.folders.recent_search), std::set<std::string>{kHebrew + " 123.lnk"});

    // Names differing in case are one name to the search: one result, with
    // the bytes of one of them.
    show_search_results(app_, app_.folders.own_menu, "rger");
    const std::set<std::string> found = names_in(app_.folders.recent_search);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(*found.begin() == kUpper + ".lnk" || *found.begin() == kLower + ".lnk")
        << *found.begin();
    const std::vector<std::string> names = row_names();
    EXPECT_EQ(names, std::vector<std::string>(found.begin(), found.end()));
}

TEST_F(Names, SurviveImportAndRename) {
    const std::string source = dir_.make_dir("Source");
    const std::set<std::string> written = write_names(source);
    std::vector<std::string> paths;
    // Not both case forms into one folder: there they would be one name.
    for (const std::string& relative : written) {
        if (!relative.ends_with(kLower + ".lnk"))
            paths.push_back(source + relative);
    }
    ComInit com;
    const std::string target = app_.folders.own_menu + "Imported\\";
    create_folders(target);
    const ImportResult result = import_paths(paths, target);
    EXPECT_EQ(result.failed, 0);
    std::set<std::string> imported = names_in(target);
    for (const std::string& path : paths) {
        const std::string name = path.substr(path.rfind('\\') + 1);
        // Shortcuts are copied under their name; other files get a link named
        // without their extension.
        const std::string expected =
            name.ends_with(".lnk") ? name : name.substr(0, name.rfind('.')) + ".lnk";
        EXPECT_TRUE(imported.contains(expected)) << expected;
    }
    EXPECT_EQ(read_file(target + kClef + ".lnk"), kClef + ".lnk");

    test::ScriptedDialogs dialogs;
    app_.dialogs = &dialogs;
    test::ModelMenuView view(app_);
    view.set_list_folder(target);
    // Another letter case of the same name, then a name of every kind.
    dialogs.answer_input(kLower);
    rename_entry(app_, view, read_selected_entry(target + kUpper + ".lnk", kUpper));
    const std::string renamed = kGrin + " " + kHebrew + " " + kCombined + " " + kArabic;
    dialogs.answer_input(renamed);
    rename_entry(app_, view, read_selected_entry(target + kPrecomposed + ".lnk", kPrecomposed));
    app_.dialogs = nullptr;

    imported = names_in(target);
    EXPECT_TRUE(imported.contains(kLower + ".lnk"));
    EXPECT_FALSE(imported.contains(kUpper + ".lnk"));
    EXPECT_TRUE(imported.contains(renamed + ".lnk"));
    EXPECT_FALSE(imported.contains(kPrecomposed + ".lnk"));
    EXPECT_TRUE(imported.contains(kCombined + ".lnk")) << "the look-alike stays as it was";
    EXPECT_EQ(read_file(target + renamed + ".lnk"), kPrecomposed + ".lnk");
    EXPECT_TRUE(dialogs.calls().size() == 2u) << "no refusal shown";
}

}  // namespace
}  // namespace trevalon
