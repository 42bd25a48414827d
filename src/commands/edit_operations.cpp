#include "commands/edit_operations.h"

#include <algorithm>

#include "commands/disk_steps.h"
#include "commands/undo_note.h"
#include "menu/path_text.h"
#include "menu/shortcut_contents.h"
#include "platform/safe_delete.h"

namespace trevalon {
namespace {

PathKind probe_on(const FileDisk& disk, const std::string& path) {
    switch (disk.state(path)) {
        case PathState::folder:
        case PathState::empty_folder:
            return PathKind::directory;
        case PathState::file:
            return disk.file_size(path).value_or(1) == 0 ? PathKind::empty_file : PathKind::file;
        default:
            return PathKind::missing;
    }
}

bool listed(const std::vector<std::string>& paths, const std::string& path) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& other) { return same_path(other, path); });
}

UndoStep restore_step(UndoAction action, const std::string& path, const std::string& kept) {
    UndoStep step;
    step.action = action;
    step.path = path;
    step.kept = kept;
    return step;
}

bool carry_out(FileDisk& disk, const EditPlaces& places, const ImportStep& step) {
    if (step.action == ImportAction::copy)
        return copy_whole(disk, step.source, step.target, places.undo.staging);
    ShortcutContents contents;
    contents.target = step.link_target;
    contents.link_file = step.target;
    contents.working_directory = step.working_folder;
    return make_link_whole(disk, contents, places.undo.staging);
}

// Restored trees may be removed again only inside the folder they went into.
std::vector<std::string> restored_roots(const std::vector<UndoStep>& steps) {
    std::vector<std::string> roots;
    for (const UndoStep& step : steps) {
        if (step.action == UndoAction::restore_folder)
            roots.emplace_back(folder_part(without_trailing_separator(step.path)));
    }
    return roots;
}

std::string undo_note_path(const EditPlaces& places) {
    return places.undo.undo.empty() ? std::string() : places.undo.undo + "Undoing.txt";
}

// An undo is over: its cut ends, its note and its copies go.
void end_undo(FileDisk& disk, const EditPlaces& places, int id, const std::string& cut_entry) {
    if (!cut_entry.empty())
        drop_cut(disk, places.cuts, cut_entry);
    disk.remove_file(undo_note_path(places));
    discard_edit_store(disk, places.undo, id);
}

}  // namespace

std::optional<UndoStep> made_file_step(const FileDisk& disk, const std::string& path) {
    const std::optional<Fingerprint> fingerprint = disk.fingerprint(path);
    if (!fingerprint)
        return std::nullopt;
    UndoStep step;
    step.action = UndoAction::remove_made_file;
    step.path = path;
    step.fingerprint = fingerprint;
    return step;
}

std::optional<UndoStep> finish_cut(FileDisk& disk, const EditPlaces& places,
                                   const std::string& entry, const std::string& waiting) {
    if (!disk.remove_file(entry)) {
        drop_cut(disk, places.cuts, waiting);
        return std::nullopt;
    }
    return restore_step(UndoAction::restore_file, entry, waiting);
}

ImportOutcome import_entries(FileDisk& disk, const EditPlaces& places, int edit_id,
                             const ImportRequest& request) {
    ImportOutcome outcome;
    const ImportPlan plan = plan_import(
        request.paths, request.target_folder,
        [&](const std::string& path) { return probe_on(disk, path); },
        [&](const std::string& path) { return taken(disk, path); });
    outcome.skipped = plan.skipped;
    const std::vector<std::string> to_move =
        request.move ? sources_to_delete_after_move(plan.steps, request.menu_root,
                                                    request.target_folder, request.list_folder)
                     : std::vector<std::string>{};
    // What puts sources back comes after what removes the new entries.
    std::vector<UndoStep> restores;
    for (const ImportStep& step : plan.steps) {
        const std::optional<CutRecord> cut = step.action == ImportAction::copy
                                                 ? waiting_cut(disk, places.cuts, step.source)
                                                 : std::nullopt;
        const bool fresh_cut = cut && !cut->pasted;
        if (fresh_cut)
            mark_cut_placing(disk, places.cuts, step.source, step.target);
        std::optional<std::string> move_note;
        if (listed(to_move, step.source))
            move_note = start_move(disk, places.cuts, step.source, step.target);

        if (!carry_out(disk, places, step)) {
            outcome.skipped.push_back({step.source, SkipReason::failed});
            if (move_note)
                end_move(disk, places.cuts, *move_note);
            continue;
        }
        outcome.imported.push_back(step);
        if (std::optional<UndoStep> made = made_file_step(disk, step.target))
            outcome.steps.push_back(std::move(*made));
        if (fresh_cut && mark_cut_pasted(disk, places.cuts, step.source)) {
            // Taking the paste back sends the entry home with the bytes it had.
            outcome.cuts_taken.push_back(step.source);
            const int index = static_cast<int>(plan.steps.size() + restores.size());
            if (auto kept = keep_file(disk, places.undo, edit_id, index, step.source))
                restores.push_back(restore_step(UndoAction::restore_file, cut->origin, *kept));
        }
        if (move_note) {
            const int index = static_cast<int>(plan.steps.size() + restores.size());
            const auto kept = keep_file(disk, places.undo, edit_id, index, step.source);
            if (kept && disk.remove_file(step.source)) {
                restores.push_back(restore_step(UndoAction::restore_file, step.source, *kept));
                outcome.moved.push_back(step.source);
            }
            end_move(disk, places.cuts, *move_note);
        }
    }
    outcome.steps.insert(outcome.steps.end(), restores.begin(), restores.end());
    return outcome;
}

DeleteOutcome delete_kept(FileDisk& disk, const EditPlaces& places, int edit_id,
                          const std::string& path, bool folder, bool recycle,
                          const std::vector<std::string>& roots) {
    DeleteOutcome outcome;
    const std::string item = folder ? without_trailing_separator(path) : path;
    if (item.empty() || (folder && !may_delete_tree(path, roots)))
        return outcome;
    const std::optional<std::string> kept = folder ? keep_tree(disk, places.undo, edit_id, 0, item)
                                                   : keep_file(disk, places.undo, edit_id, 0, item);
    if (!kept) {
        outcome.result = DeleteResult::not_kept;
        return outcome;
    }
    if (recycle)
        disk.recycle(item);
    else if (folder)
        remove_tree(disk, item, roots);
    else
        disk.remove_file(item);

    if (disk.state(item) == PathState::missing) {
        outcome.result = DeleteResult::deleted;
        outcome.step = restore_step(folder ? UndoAction::restore_folder : UndoAction::restore_file,
                                    item, *kept);
    } else if (folder && !same_tree(disk, item, *kept)) {
        outcome.result = DeleteResult::partly;
        outcome.step = restore_step(UndoAction::restore_missing, item, *kept);
    }
    return outcome;
}

std::optional<UndoStep> rename_on(FileDisk& disk, const std::string& from, const std::string& to,
                                  bool folder) {
    const std::string source = without_trailing_separator(from);
    const std::string target = without_trailing_separator(to);
    if (!disk.rename(source, target))
        return std::nullopt;
    UndoStep step;
    step.action = UndoAction::rename_back;
    step.path = target;
    step.original = source;
    if (!folder) {
        step.fingerprint = disk.fingerprint(target);
        if (!step.fingerprint)
            return std::nullopt;
    }
    return step;
}

std::optional<UndoStep> new_folder_on(FileDisk& disk, const std::string& path) {
    const std::string folder = without_trailing_separator(path);
    if (!disk.make_folder(folder))
        return std::nullopt;
    UndoStep step;
    step.action = UndoAction::remove_made_folder;
    step.path = folder;
    return step;
}

UndoResult undo_newest_on(FileDisk& disk, const EditPlaces& places, UndoJournal& journal) {
    const Edit* newest = journal.newest();
    if (!newest)
        return {};
    StoreUndoDisk undo_disk(disk, places.undo, edit_store(places.undo, newest->id),
                            restored_roots(newest->steps));
    // While the steps run, a note says how far they got: a run ending
    // between two of them leaves the next start to finish the undo.
    const std::string note_path = undo_note_path(places);
    UndoNote note{newest->id, newest->cut_entry, 0, newest->steps};
    const auto progress = [&](std::size_t done) {
        note.done = done;
        return !note_path.empty() && own_folder_ready(disk, places.undo.undo, places.undo.data) &&
               disk.write_note(note_path, format_undo_note(note));
    };
    UndoResult result = undo_newest(journal, undo_disk, progress);
    if (result.status == UndoStatus::done && result.undone)
        end_undo(disk, places, result.undone->id, result.undone->cut_entry);
    else if (taken(disk, note_path))
        disk.remove_file(note_path);
    return result;
}

bool finish_interrupted_undo(FileDisk& disk, const EditPlaces& places) {
    const std::string note_path = undo_note_path(places);
    if (note_path.empty() || disk.state(note_path) != PathState::file || disk.is_link(note_path))
        return false;
    const std::optional<std::string> text = disk.read_note(note_path);
    const std::optional<UndoNote> note = text ? parse_undo_note(*text) : std::nullopt;
    if (note) {
        StoreUndoDisk undo_disk(disk, places.undo, edit_store(places.undo, note->id),
                                restored_roots(note->steps));
        finish_undo(note->steps, note->done, undo_disk);
        end_undo(disk, places, note->id, note->cut_entry);
    } else {
        disk.remove_file(note_path);
    }
    return note.has_value();
}

SettleReport recover_at_start(FileDisk& disk, const EditPlaces& places) {
    // An undo cut short is finished first, while the copies it needs are there.
    finish_interrupted_undo(disk, places);
    SettleReport report = settle_cuts(disk, places.cuts);
    discard_undo_store(disk, places.undo);
    return report;
}

}  // namespace trevalon
