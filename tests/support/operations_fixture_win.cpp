#include "support/operations_fixture_win.h"

#include <ole2.h>

#include "platform/file_ops_win.h"
#include "settings/settings.h"
#include "support/test_links_win.h"
#include "texts/text_table.h"

namespace trevalon::test {

void OperationsTest::SetUp() {
    if (!texts().contains("Program_Name"))
        load_builtin_texts(texts());
    ole_ = SUCCEEDED(OleInitialize(nullptr));

    SystemFolders system;
    system.app_data = dir_.make_dir("AppData");
    system.temp = dir_.make_dir("Temp");
    system.desktop = dir_.make_dir("Desktop");
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    char utf8[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, program, -1, utf8, sizeof(utf8), nullptr, nullptr);
    system.program_file = utf8;
    app_.folders = derive_program_folders(system, texts());
    for (const std::string* folder : {&app_.folders.own_menu, &app_.folders.recent_programs,
                                      &app_.folders.bookmarks, &app_.folders.own_temp}) {
        create_folders(*folder);
    }
    app_.settings = default_settings(app_.folders.own_menu);
    app_.view = choose_first_menu(app_.settings, app_.folders.windows_menu, texts());
    app_.dialogs = &dialogs_;
    app_.launcher = &launcher_;
    app_.clock = &clock_;
    app_.instance = GetModuleHandleW(nullptr);
    app_.main_window = CreateWindowExW(0, L"STATIC", L"main", 0, 0, 0, 10, 10, HWND_MESSAGE,
                                       nullptr, nullptr, nullptr);
    view_.show_menu_again();
    view_.calls.clear();
}

void OperationsTest::TearDown() {
    if (app_.main_window)
        DestroyWindow(app_.main_window);
    if (ole_)
        OleUninitialize();
}

std::string OperationsTest::menu(std::string_view relative) const {
    return app_.folders.own_menu + std::string(relative);
}

std::string OperationsTest::menu_file(std::string_view relative, std::string_view content) {
    const std::string path = menu(relative);
    create_folders(folder_of(path));
    write_file(path, content);
    return path;
}

std::string OperationsTest::menu_link(std::string_view relative, std::string_view target,
                                      std::string_view arguments) {
    const std::string path = menu(relative);
    EXPECT_TRUE(make_test_link(path, target, arguments)) << path;
    return path;
}

std::vector<std::string> OperationsTest::messages() const {
    std::vector<std::string> texts;
    for (const DialogCall& call : dialogs_.calls()) {
        if (!call.input)
            texts.push_back(call.text);
    }
    return texts;
}

}  // namespace trevalon::test
