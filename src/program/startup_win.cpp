#include "program/startup_win.h"

#include <memory>

#include "base/clock.h"
#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/edit_places_win.h"
#include "commands/undo_store_win.h"
#include "commands/windows_disk_win.h"
#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/fault_handler_win.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/launcher_win.h"
#include "platform/settings_store_win.h"
#include "platform/shortcut_win.h"
#include "platform/special_folders_win.h"
#include "program/drop_targets_win.h"
#include "program/event_loop_win.h"
#include "program/exit_cleanup_win.h"
#include "program/first_run_win.h"
#include "program/single_instance_win.h"
#include "program/url_template.h"
#include "resources/resource_ids.h"
#include "texts/text_table.h"
#include "window/edge_watcher_win.h"
#include "window/hotkey_win.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/ui_resources_win.h"
#include "window/view_toggles_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::startup;

bool running_under_wow64() {
    // Looked up at run time: the function may be missing on old systems.
    UniqueLibrary kernel(LoadLibraryW(L"Kernel32.dll"));
    if (!kernel)
        return false;
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto is_wow64_process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel.get(), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return is_wow64_process && is_wow64_process(GetCurrentProcess(), &wow64) && wow64;
}

// The desktop's size and colour depth, then the screen's clip box as the area
// the window may be placed in. False when there is no desktop to examine.
bool examine_desktop(ScreenArea& screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    WindowDC desktop(nullptr);
    if (width <= 0 || height <= 0 || !desktop.get())
        return false;
    RECT clip{0, 0, width, height};
    if (GetClipBox(desktop.get(), &clip) == ERROR)
        clip = RECT{0, 0, width, height};
    screen = ScreenArea{clip.left, clip.top, clip.right, clip.bottom};
    return true;
}

// Locks the data folder for this run; false (after saying so) when an
// instance in another session holds it.
bool hold_data_folder(App& app) {
    FolderLock lock = lock_data_folder(app.folders.data);
    if (lock.held_elsewhere) {
        app.dialogs->message_box(text("TXT00416"), find_text("Program_Name"),
                                 MB_OK | MB_ICONINFORMATION);
        return false;
    }
    app.data_lock = std::move(lock.file);
    return true;
}

}  // namespace

int run_program(HINSTANCE instance, const Seams& seams) {
    // The state lives on the heap: it is large, and the process ends inside
    // the exit clean-up without unwinding this frame.
    auto app = std::make_unique<App>();
    app->instance = instance;
    app->dialogs = &seams.dialogs;
    app->launcher = &seams.launcher;
    app->clock = &seams.clock;
    app->end_session = [state = app.get()] {
        state->session_ending = true;
        exit_cleanup(*state);
    };
    Dialogs& dialogs = seams.dialogs;

    // COM on this thread for the whole run: the shell-link operations, the
    // list's icons and the drop targets each ask for it, and find it there
    // instead of setting it up and tearing it down again each time.
    ComInit com;

    // 1. The text table, filled and made readable. The PNG writer needs no
    // preparation.
    load_builtin_texts(texts());
    TREVALON_MARK();
    const std::string program_name = find_text("Program_Name");

    // 2.-5. Fonts by the screen's resolution, the embedded images (the
    // picture readers need no preparation), the cursors.
    app->ui.fonts = create_fonts(desktop_dpi());
    load_embedded_images(app->ui, instance);
    app->ui.cursors = load_cursors();

    // 6. The folder and entry-name tables start empty, as does the history.

    // 7. A 32-bit build running on 64-bit Windows is refused.
    TREVALON_MARK();
    if (running_under_wow64()) {
        dialogs.message_box(text("TXT00040"), program_name, MB_OK | MB_ICONINFORMATION);
        return 1;
    }

    // 8. One instance: a second start brings the first one's window forward.
    TREVALON_MARK();
    InstanceClaim claim = claim_single_instance(program_name);
    app->instance_mutex = std::move(claim.mutex);
    if (claim.another_running) {
        bring_instance_forward(find_instance_window(kMainWindowClass, program_name));
        return 0;
    }

    // 9. From here on a fatal fault is reported.
    install_fault_handler(seams.fault_dialogs);

    // 10. The folders; the first start migrates and seeds. An instance in
    // another session holds the data folder: this one says so and ends,
    // touching nothing. (A data folder not made yet has no instance.)
    TREVALON_MARK();
    app->folders = derive_program_folders(read_system_folders(), texts());
    if (is_directory(app->folders.data) && !hold_data_folder(*app))
        return 0;
    prepare_program_folders(app->folders, dialogs);
    if (!app->data_lock && !hold_data_folder(*app))
        return 0;

    // 11. The desktop.
    TREVALON_MARK();
    if (!examine_desktop(app->screen)) {
        dialogs.message_box(text("TXT00002"), text("TXT00001"), MB_OK | MB_ICONINFORMATION);
        return 1;
    }

    // 12. Colours and layout values are constants of the window.

    // 13.-14. The saved window position and the settings.
    TREVALON_MARK();
    app->saved_position = read_saved_position(find_text("Registry_Subkey"));
    load_settings(*app);
    // A run that ended without its clean-up may have left an undo half done,
    // cut entries waiting and copies for Undo: the undo is finished, the
    // entries go home (or where they can go, and the user is told), the
    // copies go. The own menu's root is known from here on.
    {
        WindowsFileDisk disk;
        tell_settled(*app, recover_at_start(disk, edit_places(*app)));
    }

    // 15. The menu shown first.
    app->view = choose_first_menu(app->settings, app->folders.windows_menu, texts());
    app->settings.menu_type_active = app->view.menu_mode;

    // 16. The hidden window. Without it nothing could ever end the program
    // (and a second start would find no window to bring forward), so the run
    // ends through the regular shutdown.
    TREVALON_MARK();
    // Built at once in the smaller form when that is what step 19 would make
    // of it, so its controls are not laid out twice.
    const bool smaller = app->settings.window_smaller != 0;
    if (!build_main_window(*app, smaller ? WindowForm::smaller : WindowForm::full))
        exit_cleanup(*app);
    dialogs.set_owner(app->main_window);
    seams.launcher.set_owner(app->main_window);

    // 17. The saved position, where the placement rule accepts it.
    place_main_window(*app);

    // 18. The internet-shortcut template, then the first menu. Showing the
    // template in the still hidden window leaves nothing but its conversion
    // into a bookmark link (the view is replaced at once by the first
    // menu's), so only that is done.
    TREVALON_MARK();
    write_url_template(app->folders, find_text("Online_Adresse"),
                       embedded_data(instance, IDR_URL_TEMPLATE_ICON));
    convert_internet_shortcuts(app->folders.url_template);
    show_menu(*app, app->view.menu_root, app->view.caption);

    // 19. The view choices.
    TREVALON_MARK();
    if (app->settings.icon_format != 0) {
        show_list(*app);
    } else {
        show_large_icons(*app);
    }
    // The smaller form the settings ask for was built at once (step 16).

    // 20.-21. Shown, and ready for drops (OLE on this thread for the drop
    // targets and the drags out; it stays until the process ends).
    TREVALON_MARK();
    ShowWindow(app->main_window, SW_SHOWNORMAL);
    UpdateWindow(app->main_window);
    create_tooltips(*app);
    if (SUCCEEDED(OleInitialize(nullptr)))
        register_drop_targets(*app);

    // 22.-23. The save schedule starts now; the edge watcher starts; so does
    // the index behind the search as you type, off this thread.
    app->save_schedule = SaveSchedule{.last_save = seams.clock.now_seconds(), .interval = 60};
    start_edge_watcher(*app);
    // The hotkey and the Windows key: a hotkey another program holds is left
    // unsaid here; the settings window says it when the key is chosen.
    apply_keyboard_settings(*app);
    start_live_search(*app);

    // 24. The loop; its end is the shutdown. The network layer is set up
    // when a bookmark first needs it (its libraries cost time and memory a
    // run without bookmarks never uses).
    run_event_loop(*app);
    TREVALON_MARK();
    exit_cleanup(*app);
}

}  // namespace trevalon
