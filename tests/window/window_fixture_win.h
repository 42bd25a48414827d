// The real main window over fixture folders: the data folder, the temporary
// folder and the system's programs and Recent folders all lie in the test's
// own temporary folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/app_win.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "settings/settings.h"
#include "support/fake_clock.h"
#include "support/process_win.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/main_window_win.h"
#include "window/ui_resources_win.h"

namespace trevalon::test {

// The control's rectangle in the main window's inner coordinates (or in its
// container's, for the tree and the list).
inline Rect rect_in_parent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        SystemFolders system;
        system.app_data = dir_.make_dir("AppData");
        system.temp = dir_.make_dir("Temp");
        system.common_programs = dir_.make_dir("Common Programs");
        system.user_programs = dir_.make_dir("User Programs");
        system.recent = dir_.make_dir("Recent");
        app_.folders = derive_program_folders(system, texts());
        for (const std::string* folder : {&app_.folders.data, &app_.folders.own_temp,
                                          &app_.folders.own_menu, &app_.folders.recent_programs,
                                          &app_.folders.recent_search, &app_.folders.bookmarks}) {
            create_folders(*folder);
        }
        app_.settings = default_settings(app_.folders.own_menu);
        app_.view = choose_first_menu(app_.settings, app_.folders.windows_menu, texts());
        app_.instance = GetModuleHandleW(nullptr);
        app_.clock = &clock_;
        app_.ui.fonts = create_fonts(desktop_dpi());
        app_.ui.cursors = load_cursors();
        // The pictures come from the built program, as start-up loads them.
        program_.reset(LoadLibraryExW(utf8_to_wide(build_tree_path(TREVALON_EXE_PATH)).c_str(),
                                      nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(program_);
        load_embedded_images(app_.ui, program_.get());
        ASSERT_TRUE(build_main_window(app_));
        ShowWindow(app_.main_window, SW_SHOWNORMAL);
        UpdateWindow(app_.main_window);
        create_tooltips(app_);
    }
    void TearDown() override {
        DestroyWindow(app_.main_window);
        pump_messages();
    }

    // The own menu of the examples: folders A (with A1) and B; files the
    // menu never shows beside two it does.
    void make_fixture_menu() {
        const std::string& menu = app_.folders.own_menu;
        create_folders(menu + "A\\A1");
        create_folders(menu + "B");
        for (const char* name :
             {"Thumbs.db", "desktop.ini", "Desktop.lnk", "setup.INI", "Notes.txt", "Editor.lnk"}) {
            write_file(menu + name, "x");
        }
        write_file(menu + "A\\Inside.txt", "x");
    }

    // The list's rows as shown (column 0).
    std::vector<std::string> list_rows() const {
        std::vector<std::string> rows;
        for (int row = 0; row < app_.window.list.row_count(); ++row)
            rows.push_back(app_.window.list.item_text(row, 0));
        return rows;
    }

    Size inner_size() const {
        RECT inner{};
        GetClientRect(app_.main_window, &inner);
        return {inner.right, inner.bottom};
    }

    // Takes the queued events, oldest first.
    std::vector<Event> take_events() {
        pump_messages();
        std::vector<Event> events;
        while (auto event = app_.events.pop())
            events.push_back(*event);
        return events;
    }

    TempDir dir_;
    FakeClock clock_;
    UniqueLibrary program_;
    App app_;
};

}  // namespace trevalon::test
