#include "support/test_app_win.h"

#include "platform/file_ops_win.h"
#include "platform/registry_win.h"
#include "platform/wide_win.h"
#include "support/process_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/main_window_win.h"

namespace trevalon::test {
namespace {

void clear_registry() {
    const std::string subkey = find_text("Registry_Subkey");
    if (!subkey.empty())
        RegDeleteTreeA(HKEY_CURRENT_USER, subkey.c_str());
    if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS))
        delete_registry_value(run.get(), find_text("Program_Name"));
}

}  // namespace

TestApp::TestApp(std::string_view picture_module) : app_(std::make_unique<App>()) {
    if (!texts().contains("Program_Name"))
        load_builtin_texts(texts());
    clear_registry();
    App& app = *app_;
    app.instance = GetModuleHandleW(nullptr);
    app.dialogs = &dialogs;
    app.launcher = &launcher;
    app.clock = &clock;

    SystemFolders system;
    system.app_data = dir_.make_dir("AppData");
    system.temp = dir_.make_dir("Temp");
    system.windows = dir_.make_dir("Windows");
    system.system = dir_.make_dir("Windows\\System32");
    system.program_file = dir_.write_file("Program\\trevalon.exe", "MZ");
    app.folders = derive_program_folders(system, texts());
    for (const std::string* folder : {&app.folders.data, &app.folders.own_temp,
                                      &app.folders.own_menu, &app.folders.windows_menu}) {
        create_folders(*folder);
    }
    app.settings = default_settings(app.folders.own_menu);
    app.view = choose_first_menu(app.settings, app.folders.windows_menu, texts());
    app.save_schedule = SaveSchedule{.last_save = clock.now_seconds(), .interval = 60};

    app.ui.fonts = create_fonts(desktop_dpi());
    program_.reset(LoadLibraryExW(utf8_to_wide(build_tree_path(picture_module)).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (program_)
        load_embedded_images(app.ui, program_.get());
    app.ui.cursors = load_cursors();

    if (build_main_window(app)) {
        dialogs.set_owner(app.main_window);
        ShowWindow(app.main_window, SW_SHOWNORMAL);
        UpdateWindow(app.main_window);
        create_tooltips(app);
        pump_messages();
    }
}

TestApp::~TestApp() {
    App& app = *app_;
    app.edge_watcher.reset();
    if (app.settings_window)
        DestroyWindow(app.settings_window);
    if (app.main_window)
        DestroyWindow(app.main_window);
    pump_messages();
    clear_registry();
}

std::optional<std::string> autostart_value() {
    UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
    return run ? read_registry_string(run.get(), find_text("Program_Name")) : std::nullopt;
}

}  // namespace trevalon::test
