#include "program/exit_cleanup_win.h"

#include <windows.h>

#include "base/clock.h"
#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/undo_store_win.h"
#include "errors/statement_marker.h"
#include "platform/file_ops_win.h"
#include "platform/safe_delete.h"
#include "platform/settings_store_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::exit_cleanup;
constexpr std::int64_t kSecondsPerDay = 86'400;

}  // namespace

int expire_recent_programs(const ProgramFolders& folders, std::int64_t now, int days) {
    if (folders.recent_programs.empty())
        return 0;
    const std::int64_t limit = now - static_cast<std::int64_t>(days) * kSecondsPerDay;
    int deleted = 0;
    for (const std::string& name : files_in(folders.recent_programs)) {
        const std::string path = folders.recent_programs + name;
        const auto modified = file_write_time(path);
        if (modified && *modified < limit && delete_file(path))
            ++deleted;
    }
    return deleted;
}

void exit_cleanup_steps(App& app) {
    TREVALON_MARK();
    save_settings(app);
    // A cut entry never pasted goes back to its folder (the user is told
    // where else it went, unless Windows is ending the session); Undo ends
    // with the run.
    settle_waiting_cuts(app, {}, !app.session_ending);
    discard_undo_store(app.folders);
    if (app.clock) {
        expire_recent_programs(app.folders, app.clock->now_seconds(),
                               app.settings.keep_recent_objects_days);
    }
    // Its change notifications would keep the folders from going.
    app.windows_menu_copy.forget();
    const std::vector<std::string> roots = deletable_roots(app.folders);
    for (const std::string* folder : {&app.folders.own_temp, &app.folders.windows_menu,
                                      &app.folders.recent_documents, &app.folders.recent_search}) {
        remove_tree(*folder, roots);
    }
    app.ui.cursors = {};
}

void exit_cleanup(App& app) {
    exit_cleanup_steps(app);
    ExitProcess(0);
}

}  // namespace trevalon
