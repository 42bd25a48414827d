#include "commands/launch_win.h"

#include <windows.h>

#include "base/clock.h"
#include "commands/app_win.h"
#include "commands/clipboard_commands_win.h"
#include "commands/entry_rules.h"
#include "commands/import_plan.h"
#include "errors/statement_marker.h"
#include "menu/path_text.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/launcher_win.h"
#include "platform/shortcut_win.h"
#include "texts/text_table.h"
#include "window/live_search_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::entry_operations;
constexpr int kLaunchPauseMilliseconds = 1000;

bool exists(const std::string& path) {
    return is_file(path) || is_directory(path);
}

void record_launch(App& app, const std::string& path) {
    if (app.folders.recent_programs.empty())
        return;
    const std::string recorded = app.folders.recent_programs + std::string(file_name_part(path));
    // A launch from the recent-programs list is its own record: only its time
    // moves on.
    if (app.view.record_launch >= 1 && app.settings.keep_recent_objects_days >= 1 &&
        !same_path(path, recorded)) {
        copy_file(path, recorded);
    }
    const std::optional<std::uint64_t> size = file_size(recorded);
    if (size && *size > 0 && app.clock)
        set_file_write_time(recorded, app.clock->now_seconds());
}

}  // namespace

void launch_entry(App& app, const std::string& path) {
    TREVALON_MARK();
    // The shell would open the device, or another file, by that name.
    if (refused_for_reserved_name(app, path))
        return;
    std::optional<LinkFields> link;
    if (is_link_file(path))
        link = read_shortcut_resolved(path);
    const LaunchKind kind = decide_launch(path, link, exists);
    if (kind == LaunchKind::missing_target) {
        app.dialogs->message_box(text("TXT00244"), find_text("Program_Name"),
                                 MB_OK | MB_ICONINFORMATION);
    } else {
        const bool opened = app.launcher->shell_execute("open", path, "", "", SW_SHOWNORMAL);
        // A launch the shell refused is not a program the user used.
        if (opened && kind == LaunchKind::open_and_record)
            record_launch(app, path);
        // Whatever the user starts, the search puts first next time.
        if (opened && app.clock)
            count_launch(app, path, app.clock->now_seconds());
    }
    if (app.ui.cursors.wait)
        SetCursor(app.ui.cursors.wait);
    if (app.clock)
        app.clock->pause(kLaunchPauseMilliseconds);
    if (app.ui.cursors.arrow)
        SetCursor(app.ui.cursors.arrow);
}

}  // namespace trevalon
