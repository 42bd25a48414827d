#include "commands/undo_run.h"

#include <functional>
#include <map>
#include <vector>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

std::u16string folded(const std::string& path) {
    return upper_case(utf8_to_utf16(path));
}

// The disk as the steps checked so far would leave it.
class Overlay {
  public:
    explicit Overlay(const UndoDisk& disk) : disk_(disk) {}

    PathState state(const std::string& path) const {
        const auto found = changed_.find(folded(path));
        return found == changed_.end() ? disk_.state(path) : found->second;
    }
    // A file this undo has not touched yet has its fingerprint on the disk.
    bool has_fingerprint(const std::string& path, const std::optional<Fingerprint>& wanted) const {
        if (changed_.count(folded(path)))
            return false;
        return wanted && disk_.fingerprint(path) == wanted;
    }
    void set(const std::string& path, PathState state) { changed_[folded(path)] = state; }

  private:
    const UndoDisk& disk_;
    std::map<std::u16string, PathState> changed_;
};

bool is_folder(PathState state) {
    return state == PathState::folder || state == PathState::empty_folder;
}

// Where the step cannot run: the path that is not as the edit left it;
// nothing when it can, and then the overlay moves on past it.
std::optional<std::string> check_step(const UndoStep& step, Overlay& disk) {
    switch (step.action) {
        case UndoAction::remove_made_file:
            if (disk.state(step.path) != PathState::file ||
                !disk.has_fingerprint(step.path, step.fingerprint)) {
                return step.path;
            }
            disk.set(step.path, PathState::missing);
            return std::nullopt;
        case UndoAction::remove_made_folder:
            if (disk.state(step.path) != PathState::empty_folder)
                return step.path;
            disk.set(step.path, PathState::missing);
            return std::nullopt;
        case UndoAction::restore_file:
            if (disk.state(step.path) != PathState::missing ||
                disk.state(step.kept) != PathState::file) {
                return step.path;
            }
            disk.set(step.path, PathState::file);
            return std::nullopt;
        case UndoAction::restore_folder:
            if (disk.state(step.path) != PathState::missing || !is_folder(disk.state(step.kept)))
                return step.path;
            disk.set(step.path, PathState::folder);
            return std::nullopt;
        case UndoAction::restore_missing: {
            const PathState now = disk.state(step.path);
            if ((now != PathState::missing && !is_folder(now)) || !is_folder(disk.state(step.kept)))
                return step.path;
            disk.set(step.path, PathState::folder);
            return std::nullopt;
        }
        case UndoAction::rename_back: {
            const PathState now = disk.state(step.path);
            const bool as_left =
                step.fingerprint
                    ? now == PathState::file && disk.has_fingerprint(step.path, step.fingerprint)
                    : is_folder(now);
            if (!as_left)
                return step.path;
            // Only the letter case changed: the old name is the same item.
            const bool same_item = folded(step.path) == folded(step.original);
            if (!same_item && disk.state(step.original) != PathState::missing)
                return step.original;
            disk.set(step.path, PathState::missing);
            disk.set(step.original, now);
            return std::nullopt;
        }
    }
    return step.path;
}

// Runs one step; on success adds what puts it back to `put_back`.
bool run_step(const UndoStep& step, UndoDisk& disk, std::vector<std::function<void()>>& put_back) {
    switch (step.action) {
        case UndoAction::remove_made_file: {
            const std::optional<std::string> aside = disk.set_aside(step.path);
            if (!aside)
                return false;
            put_back.push_back(
                [&disk, aside = *aside, path = step.path] { disk.put_back(aside, path); });
            return true;
        }
        case UndoAction::remove_made_folder:
            if (!disk.remove_empty_folder(step.path))
                return false;
            put_back.push_back([&disk, path = step.path] { disk.make_folder(path); });
            return true;
        case UndoAction::restore_file:
            if (!disk.copy_in(step.kept, step.path))
                return false;
            put_back.push_back([&disk, path = step.path] { disk.remove_file(path); });
            return true;
        case UndoAction::restore_folder:
            // A copy that fails takes back what it made itself.
            if (!disk.copy_tree_in(step.kept, step.path))
                return false;
            put_back.push_back([&disk, path = step.path] { disk.remove_tree(path); });
            return true;
        case UndoAction::restore_missing: {
            std::vector<std::string> made;
            const bool filled = disk.fill_tree_in(step.kept, step.path, made);
            // Exactly what it made goes again, newest first.
            auto take_back = [&disk, made] {
                for (auto item = made.rbegin(); item != made.rend(); ++item) {
                    if (!disk.remove_file(*item))
                        disk.remove_empty_folder(*item);
                }
            };
            if (!filled) {
                take_back();
                return false;
            }
            put_back.push_back(std::move(take_back));
            return true;
        }
        case UndoAction::rename_back:
            if (!disk.rename(step.path, step.original))
                return false;
            put_back.push_back(
                [&disk, from = step.original, to = step.path] { disk.rename(from, to); });
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> undo_blocked_at(const Edit& edit, const UndoDisk& disk) {
    Overlay overlay(disk);
    for (const UndoStep& step : edit.steps) {
        if (std::optional<std::string> blocked = check_step(step, overlay))
            return blocked;
    }
    return std::nullopt;
}

UndoResult undo_newest(UndoJournal& journal, UndoDisk& disk, const UndoProgress& progress) {
    const Edit* edit = journal.newest();
    if (!edit)
        return {};
    if (const std::optional<std::string> blocked = undo_blocked_at(*edit, disk))
        return UndoResult{UndoStatus::changed_since, *blocked, std::nullopt};
    if (progress && !edit->steps.empty() && !progress(0))
        return UndoResult{UndoStatus::failed, edit->steps.front().path, std::nullopt};

    std::vector<std::function<void()>> put_back;
    for (std::size_t index = 0; index < edit->steps.size(); ++index) {
        const UndoStep& step = edit->steps[index];
        if (!run_step(step, disk, put_back)) {
            for (auto undo = put_back.rbegin(); undo != put_back.rend(); ++undo)
                (*undo)();
            return UndoResult{UndoStatus::failed, step.path, std::nullopt};
        }
        if (progress)
            progress(index + 1);
    }
    return UndoResult{UndoStatus::done, {}, journal.take_newest()};
}

std::size_t finish_undo(const std::vector<UndoStep>& steps, std::size_t done, UndoDisk& disk) {
    std::size_t failed = 0;
    for (std::size_t index = done; index < steps.size(); ++index) {
        const UndoStep& step = steps[index];
        bool ok = true;
        switch (step.action) {
            case UndoAction::remove_made_file:
                // Gone already, or no longer what the edit made: nothing to take.
                if (disk.state(step.path) == PathState::file &&
                    disk.fingerprint(step.path) == step.fingerprint) {
                    ok = disk.remove_file(step.path);
                }
                break;
            case UndoAction::remove_made_folder:
                if (disk.state(step.path) == PathState::empty_folder)
                    ok = disk.remove_empty_folder(step.path);
                break;
            case UndoAction::restore_file:
                if (disk.state(step.path) == PathState::missing)
                    ok = disk.copy_in(step.kept, step.path);
                break;
            case UndoAction::restore_folder:
            case UndoAction::restore_missing: {
                // A copy cut short is filled up; nothing there is replaced.
                std::vector<std::string> made;
                const PathState now = disk.state(step.path);
                if (now == PathState::missing || is_folder(now))
                    ok = disk.fill_tree_in(step.kept, step.path, made);
                break;
            }
            case UndoAction::rename_back:
                if (disk.state(step.path) != PathState::missing &&
                    disk.state(step.original) == PathState::missing) {
                    ok = disk.rename(step.path, step.original);
                }
                break;
        }
        failed += ok ? 0 : 1;
    }
    return failed;
}

}  // namespace trevalon
