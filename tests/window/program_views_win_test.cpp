// The real trevalon.exe showing its window: the own menu in both display
// modes, the Windows menu, and the window at 150 % (144 dpi). Screenshots go
// to the artefact folder for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/registry_win.h"
#include "platform/special_folders_win.h"
#include "support/process_win.h"
#include "support/screenshot_win.h"
#include "support/test_links_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/layout.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

class ProgramViews : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        folders_ = derive_program_folders(read_system_folders(), texts());
        exe_ = test::build_tree_path(TREVALON_EXE_PATH);
        reset();
        make_fixture();
    }
    void TearDown() override {
        if (run_.process)
            run_.kill();
        reset();
        for (const std::string& link : fixture_links_)
            delete_file(link);
        if (UniqueKey desktop =
                open_registry_key(HKEY_CURRENT_USER, "Control Panel\\Desktop", KEY_ALL_ACCESS)) {
            RegDeleteValueA(desktop.get(), "LogPixels");
        }
    }

    void reset() {
        const std::vector<std::string> roots{folders_.app_data, folders_.temp};
        remove_tree(folders_.data, roots);
        remove_tree(folders_.own_temp, roots);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
    }

    void link(const std::string& path, const std::string& target) {
        ComInit com;
        ASSERT_TRUE(test::make_test_link(path, target));
        fixture_links_.push_back(path);
    }

    // An own menu that already exists (so nothing is seeded) and a small
    // start menu for the Windows menu.
    void make_fixture() {
        const std::string& menu = folders_.own_menu;
        create_folders(menu + "Office\\Letters");
        create_folders(menu + "Graphics");
        create_folders(menu + "Tools");
        link(menu + "Editor.lnk", "C:\\windows\\notepad.exe");
        link(menu + "Calculator.lnk", "C:\\windows\\system32\\calc.exe");
        link(menu + "Office\\Write.lnk", "C:\\windows\\system32\\write.exe");
        write_file(menu + "Notes.txt", "notes");
        write_file(menu + "desktop.ini", "[.ShellClassInfo]");
        write_file(menu + "Project plan.rtf", "{\\rtf1}");
        link(folders_.common_programs + "Accessories\\Calculator.lnk",
             "C:\\windows\\system32\\calc.exe");
        link(folders_.common_programs + "Wordpad.lnk", "C:\\windows\\system32\\write.exe");
        link(folders_.user_programs + "Notepad.lnk", "C:\\windows\\notepad.exe");
    }

    void write_settings(const std::string& lines) {
        ASSERT_TRUE(write_file(folders_.settings_file, lines));
    }

    HWND start() {
        run_ = test::start_process(exe_);
        HWND window = nullptr;
        EXPECT_TRUE(
            test::wait_until([&] { return (window = test::visible_window_of(run_.id)); }, 60s));
        if (window) {
            SetForegroundWindow(window);
            // Let the window paint before it is photographed.
            test::wait_until([] { return false; }, 700ms);
        }
        return window;
    }

    void end(HWND window) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        EXPECT_EQ(run_.wait(30s), 0u);
        run_ = {};
    }

    // A child window's rectangle in its parent's inner coordinates: the
    // index-th of the class, in creation order.
    static Rect child_rect(HWND window, const wchar_t* window_class, int index) {
        HWND child = nullptr;
        for (int i = 0; i <= index; ++i)
            child = FindWindowExW(window, child, window_class, nullptr);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    static Size inner_size(HWND window) {
        RECT inner{};
        GetClientRect(window, &inner);
        return {inner.right, inner.bottom};
    }

    ProgramFolders folders_;
    std::string exe_;
    std::vector<std::string> fixture_links_;
    test::ChildProcess run_;
};

TEST_F(ProgramViews, TheOwnMenuInLargeIconsAndInListMode) {
    write_settings("WindowSmaller = 0\r\n");
    HWND window = start();
    ASSERT_TRUE(window);
    EXPECT_EQ(test::window_title(window), "Trevalon - My Menu - Top level");
    EXPECT_EQ(inner_size(window), (Size{877, 595}));
    EXPECT_TRUE(test::save_artifact_screenshot(window, "own_menu_large_icons"));
    end(window);

    write_settings("IconFormat = 1\r\n");
    window = start();
    ASSERT_TRUE(window);
    // The smaller form by default: the lower toolbar moved up, the size
    // button (the first picture) in the last row.
    EXPECT_EQ(inner_size(window), (Size{877, 485}));
    EXPECT_EQ(child_rect(window, L"ToolbarWindow32", 1).y, 330);
    EXPECT_EQ(child_rect(window, L"Button", 0), (Rect{35, 463, 16, 16}));
    EXPECT_TRUE(test::save_artifact_screenshot(window, "own_menu_list"));
    end(window);
}

TEST_F(ProgramViews, TheWindowsMenuAtStart) {
    write_settings("MenuOnProgramStart = 1\r\nWindowSmaller = 0\r\n");
    HWND window = start();
    ASSERT_TRUE(window);
    EXPECT_EQ(test::window_title(window), "Trevalon - Windows menu - Top level");
    EXPECT_TRUE(is_file(folders_.windows_menu + "Notepad.lnk"));
    EXPECT_TRUE(is_file(folders_.windows_menu + "Accessories\\Calculator.lnk"));
    EXPECT_TRUE(test::save_artifact_screenshot(window, "windows_menu"));
    end(window);
    EXPECT_FALSE(is_directory(folders_.windows_menu));
}

TEST_F(ProgramViews, At144DpiEverythingScalesByOneAndAHalf) {
    {
        UniqueKey desktop = create_registry_key(HKEY_CURRENT_USER, "Control Panel\\Desktop");
        ASSERT_TRUE(desktop);
        ASSERT_TRUE(write_registry_dword(desktop.get(), "LogPixels", 144));
    }
    // Whether Wine passes the resolution on to new processes at all is asked
    // of a helper, not read from the program's own window: a program that
    // stopped scaling must fail here, not skip.
    const test::ChildProcess probe =
        test::start_process(test::build_tree_path(TREVALON_TEST_HELPER_PATH), "dpi");
    const DWORD seen = probe.wait(30s);
    if (seen == 96)
        GTEST_SKIP() << "this Wine does not apply LogPixels to new processes (a helper saw 96 dpi)";
    ASSERT_EQ(seen, 144u);

    write_settings("WindowSmaller = 0\r\n");
    HWND window = start();
    ASSERT_TRUE(window);
    const Size inner = inner_size(window);
    EXPECT_TRUE(test::save_artifact_screenshot(window, "own_menu_150_percent"));
    end(window);
    EXPECT_EQ(inner, main_layout(WindowForm::full, 144).inner);
}

}  // namespace
}  // namespace trevalon
