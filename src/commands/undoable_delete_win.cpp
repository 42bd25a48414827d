#include "commands/undoable_delete_win.h"

#include "commands/app_win.h"
#include "commands/undo_store_win.h"
#include "commands/undo_win.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/recycle_bin_win.h"
#include "platform/safe_delete.h"

namespace trevalon {

bool delete_undoably(App& app, const std::string& path, EditKind kind, std::string subject,
                     bool recycle, const std::vector<std::string>& roots) {
    const bool folder = kind == EditKind::delete_folder;
    if (path.empty() || (folder && !may_delete_tree(path, roots)))
        return false;
    Edit edit = new_edit(app, kind, std::move(subject));
    const std::optional<std::string> kept = folder ? keep_tree(app.folders, edit.id, 0, path)
                                                   : keep_file(app.folders, edit.id, 0, path);
    bool gone = false;
    if (kept) {
        if (recycle)
            gone = move_to_recycle_bin(path, app.main_window);
        else
            gone = folder ? remove_tree(path, roots) : delete_file(path);
    }
    if (gone) {
        UndoStep step;
        step.action = folder ? UndoAction::restore_folder : UndoAction::restore_file;
        step.path = folder ? without_trailing_separator(path) : path;
        step.kept = *kept;
        edit.steps.push_back(std::move(step));
    }
    record_edit(app, std::move(edit));
    return gone;
}

}  // namespace trevalon
