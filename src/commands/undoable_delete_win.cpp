#include "commands/undoable_delete_win.h"

#include <windows.h>

#include "commands/app_win.h"
#include "commands/edit_places_win.h"
#include "commands/undo_win.h"
#include "commands/windows_disk_win.h"
#include "platform/dialogs_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

void say(App& app, const char* key, const std::string& path, UINT icon) {
    if (app.dialogs) {
        app.dialogs->message_box(text(key) + "\n\n" + path, find_text("Program_Name"),
                                 MB_OK | icon);
    }
}

}  // namespace

bool delete_undoably(App& app, const std::string& path, EditKind kind, std::string subject,
                     bool recycle, const std::vector<std::string>& roots) {
    if (path.empty())
        return false;
    WindowsFileDisk disk(app.main_window);
    Edit edit = new_edit(app, kind, std::move(subject));
    const DeleteOutcome outcome = delete_kept(disk, edit_places(app), edit.id, path,
                                              kind == EditKind::delete_folder, recycle, roots);
    if (outcome.step)
        edit.steps.push_back(*outcome.step);
    record_edit(app, std::move(edit));
    switch (outcome.result) {
        case DeleteResult::deleted:
            return true;
        case DeleteResult::partly:
            say(app, "TXT00413", path, MB_ICONWARNING);
            return true;
        case DeleteResult::not_kept:
            say(app, "TXT00412", path, MB_ICONERROR);
            return false;
        case DeleteResult::not_deleted:
            say(app, "TXT00414", path, MB_ICONERROR);
            return false;
    }
    return false;
}

}  // namespace trevalon
