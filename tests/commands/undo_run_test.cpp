// Undo on an in-memory disk: the journal's order and bound, the checks that
// make an undo refuse without changing anything, the steps that put back
// names and bytes, and the put-back when a step fails halfway.
#include "commands/undo_run.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "commands/undo_texts.h"
#include "menu/unicode_text.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

// Files and folders by path, letter case ignored as Windows does; the name
// keeps the case it was made with.
class MemoryDisk final : public UndoDisk {
  public:
    struct Item {
        std::string name;
        bool folder = false;
        std::string bytes;
    };

    void file(const std::string& path, std::string bytes) {
        items_[key(path)] = {path, false, bytes};
    }
    void folder(const std::string& path) { items_[key(path)] = {path, true, {}}; }
    // The item at path as "name:bytes" ("name/" for a folder), or "" when absent.
    std::string at(const std::string& path) const {
        const auto found = items_.find(key(path));
        if (found == items_.end())
            return "";
        return found->second.folder ? found->second.name + "/"
                                    : found->second.name + ":" + found->second.bytes;
    }
    std::map<std::string, Item> snapshot() const { return items_; }
    // Paths whose copy_in fails.
    std::set<std::string> failing;
    // Folders someone else makes (holding "<bytes>.lnk") just before a tree is
    // copied there.
    std::map<std::string, std::string> appearing;

    PathState state(const std::string& path) const override {
        const auto found = items_.find(key(path));
        if (found == items_.end())
            return PathState::missing;
        if (!found->second.folder)
            return PathState::file;
        for (const auto& [other, item] : items_) {
            if (other.size() > key(path).size() && other.starts_with(key(path) + "/"))
                return PathState::folder;
        }
        return PathState::empty_folder;
    }
    std::optional<Fingerprint> fingerprint(const std::string& path) const override {
        const auto found = items_.find(key(path));
        if (found == items_.end() || found->second.folder)
            return std::nullopt;
        return fingerprint_of(found->second.bytes);
    }
    std::optional<std::string> set_aside(const std::string& path) override {
        const std::string aside = "/aside/" + std::to_string(++asides_);
        if (!move(path, aside))
            return std::nullopt;
        return aside;
    }
    bool put_back(const std::string& aside, const std::string& path) override {
        return move(aside, path);
    }
    bool remove_empty_folder(const std::string& path) override {
        return state(path) == PathState::empty_folder && items_.erase(key(path)) == 1;
    }
    bool make_folder(const std::string& path) override {
        if (state(path) != PathState::missing)
            return false;
        folder(path);
        return true;
    }
    bool copy_in(const std::string& kept, const std::string& path) override {
        if (failing.count(path) || state(path) != PathState::missing ||
            state(kept) != PathState::file) {
            return false;
        }
        file(path, items_[key(kept)].bytes);
        return true;
    }
    bool remove_file(const std::string& path) override {
        return state(path) == PathState::file && items_.erase(key(path)) == 1;
    }
    bool copy_tree_in(const std::string& kept, const std::string& path) override {
        if (const auto theirs = appearing.find(path); theirs != appearing.end()) {
            folder(path);
            file(path + "/" + theirs->second + ".lnk", theirs->second);
        }
        if (state(path) != PathState::missing)
            return false;
        folder(path);
        const std::string below = key(kept) + "/";
        for (const auto& [other, item] : snapshot()) {
            if (!other.starts_with(below))
                continue;
            const std::string target = path + item.name.substr(kept.size());
            items_[key(target)] = {target, item.folder, item.bytes};
        }
        return true;
    }
    bool fill_tree_in(const std::string& kept, const std::string& path,
                      std::vector<std::string>& made) override {
        if (state(path) == PathState::missing) {
            folder(path);
            made.push_back(path);
        }
        const std::string below = key(kept) + "/";
        for (const auto& [other, item] : snapshot()) {
            if (!other.starts_with(below))
                continue;
            const std::string target = path + item.name.substr(kept.size());
            if (state(target) != PathState::missing)
                continue;
            if (failing.count(target))
                return false;
            items_[key(target)] = {target, item.folder, item.bytes};
            made.push_back(target);
        }
        return true;
    }
    bool remove_tree(const std::string& path) override {
        const std::string below = key(path) + "/";
        std::erase_if(items_, [&](const auto& entry) {
            return entry.first == key(path) || entry.first.starts_with(below);
        });
        return true;
    }
    bool rename(const std::string& from, const std::string& to) override {
        if (key(from) != key(to) && state(to) != PathState::missing)
            return false;
        return move(from, to);
    }

  private:
    static std::string key(const std::string& path) {
        return utf16_to_utf8(upper_case(utf8_to_utf16(path)));
    }
    bool move(const std::string& from, const std::string& to) {
        const auto found = items_.find(key(from));
        if (found == items_.end())
            return false;
        Item item = found->second;
        items_.erase(found);
        item.name = to;
        items_[key(to)] = item;
        return true;
    }

    std::map<std::string, Item> items_;
    int asides_ = 0;
};

UndoStep made(const std::string& path, const MemoryDisk& disk) {
    return UndoStep{UndoAction::remove_made_file, path, "", "", disk.fingerprint(path)};
}
UndoStep restore(const std::string& path, const std::string& kept) {
    return UndoStep{UndoAction::restore_file, path, "", kept, std::nullopt};
}
UndoStep renamed(const std::string& now, const std::string& before,
                 std::optional<Fingerprint> fingerprint) {
    return UndoStep{UndoAction::rename_back, now, before, "", fingerprint};
}

class Undo : public testing::Test {
  protected:
    void record(EditKind kind, std::string subject, std::vector<UndoStep> steps) {
        journal_.record(
            Edit{journal_.next_id(), kind, std::move(subject), false, std::move(steps), {}});
    }

    MemoryDisk disk_;
    UndoJournal journal_;
};

TEST_F(Undo, ADeletedEntryAndFolderTreeComeBackWithTheirNamesAndBytes) {
    disk_.file("/keep/1", std::string("\0\x01\xFFlink", 7));
    disk_.folder("/keep/2");
    disk_.folder("/keep/2/Cards");
    disk_.file("/keep/2/Cards/Solitaire.lnk", "cards");
    disk_.file("/keep/2/Chess.lnk", "chess");
    record(EditKind::delete_entry, "Editor", {restore("/menu/Editor.lnk", "/keep/1")});
    record(EditKind::delete_folder, "Games",
           {UndoStep{UndoAction::restore_folder, "/menu/Games", "", "/keep/2", std::nullopt}});

    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/Games"), "/menu/Games/");
    EXPECT_EQ(disk_.at("/menu/Games/Cards/Solitaire.lnk"), "/menu/Games/Cards/Solitaire.lnk:cards");
    EXPECT_EQ(disk_.at("/menu/Games/Chess.lnk"), "/menu/Games/Chess.lnk:chess");
    const UndoResult entry = undo_newest(journal_, disk_);
    EXPECT_EQ(entry.status, UndoStatus::done);
    ASSERT_TRUE(entry.undone);
    EXPECT_EQ(entry.undone->subject, "Editor");
    EXPECT_EQ(disk_.at("/menu/Editor.lnk"), "/menu/Editor.lnk:" + std::string("\0\x01\xFFlink", 7));
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::nothing_to_undo);
}

TEST_F(Undo, TwentyOneEditsKeepTheNewestTwentyAndTheTwentyFirstUndoFindsNothing) {
    for (int i = 1; i <= 21; ++i) {
        const std::string path = "/menu/" + std::to_string(i) + ".lnk";
        disk_.file(path, "made " + std::to_string(i));
        const std::optional<Edit> dropped = journal_.record(Edit{journal_.next_id(),
                                                                 EditKind::paste,
                                                                 std::to_string(i),
                                                                 false,
                                                                 {made(path, disk_)},
                                                                 {}});
        EXPECT_EQ(dropped.has_value(), i == 21);
        if (dropped) {
            EXPECT_EQ(dropped->subject, "1");  // the oldest
        }
    }
    EXPECT_EQ(journal_.size(), UndoJournal::kCapacity);
    for (int i = 21; i >= 2; --i) {
        const UndoResult result = undo_newest(journal_, disk_);
        ASSERT_EQ(result.status, UndoStatus::done) << i;
        EXPECT_EQ(result.undone->subject, std::to_string(i));  // newest first
        EXPECT_EQ(disk_.at("/menu/" + std::to_string(i) + ".lnk"), "");
    }
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::nothing_to_undo);
    EXPECT_EQ(disk_.at("/menu/1.lnk"), "/menu/1.lnk:made 1");
}

TEST_F(Undo, APlaceChangedByHandRefusesAndChangesNothing) {
    // A paste of two links; then the second is edited by hand.
    disk_.file("/menu/a.lnk", "a");
    disk_.file("/menu/b.lnk", "b");
    record(EditKind::paste, "a", {made("/menu/a.lnk", disk_), made("/menu/b.lnk", disk_)});
    disk_.file("/menu/b.lnk", "changed by hand");
    const auto before = disk_.snapshot();
    const UndoResult result = undo_newest(journal_, disk_);
    EXPECT_EQ(result.status, UndoStatus::changed_since);
    EXPECT_EQ(result.path, "/menu/b.lnk");
    EXPECT_EQ(disk_.at("/menu/a.lnk"), "/menu/a.lnk:a");  // the first step did not run
    EXPECT_EQ(disk_.snapshot().size(), before.size());
    EXPECT_EQ(journal_.size(), 1u);

    // A restored entry never replaces one made since under its name.
    disk_.file("/keep/1", "old");
    record(EditKind::delete_entry, "x", {restore("/menu/x.lnk", "/keep/1")});
    disk_.file("/menu/x.lnk", "new");
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::changed_since);
    EXPECT_EQ(disk_.at("/menu/x.lnk"), "/menu/x.lnk:new");

    // A new folder that holds something now stays.
    disk_.folder("/menu/New");
    record(EditKind::new_folder, "New",
           {UndoStep{UndoAction::remove_made_folder, "/menu/New", "", "", std::nullopt}});
    disk_.file("/menu/New/put in by hand.lnk", "mine");
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::changed_since);
    EXPECT_EQ(disk_.at("/menu/New/put in by hand.lnk"), "/menu/New/put in by hand.lnk:mine");
}

TEST_F(Undo, RenameBackNeedsTheSameBytesAndAFreeOldNameButNotForAnotherLetterCase) {
    disk_.file("/menu/Writer.lnk", "w");
    record(
        EditKind::rename_entry, "Writer",
        {renamed("/menu/Writer.lnk", "/menu/Editor.lnk", disk_.fingerprint("/menu/Writer.lnk"))});
    disk_.file("/menu/Editor.lnk", "another");
    UndoResult result = undo_newest(journal_, disk_);
    EXPECT_EQ(result.status, UndoStatus::changed_since);
    EXPECT_EQ(result.path, "/menu/Editor.lnk");
    disk_.remove_file("/menu/Editor.lnk");
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/Editor.lnk"), "/menu/Editor.lnk:w");

    disk_.file("/menu/editor.lnk", "e");
    record(
        EditKind::rename_entry, "editor",
        {renamed("/menu/editor.lnk", "/menu/Editor.lnk", disk_.fingerprint("/menu/editor.lnk"))});
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/editor.lnk"), "/menu/Editor.lnk:e");

    disk_.folder("/menu/Fun");
    record(EditKind::rename_folder, "Fun", {renamed("/menu/Fun", "/menu/Games", std::nullopt)});
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/Games"), "/menu/Games/");
}

TEST_F(Undo, APastedCutEntryReturnsToItsOwnFolderEvenWhenPastedThereUnderItsName) {
    // Cut from /menu, pasted into /menu again: the pasted link goes, and the
    // entry comes back with the bytes it had when it was cut.
    disk_.file("/keep/cut", "cut bytes");
    disk_.file("/menu/a.lnk", "cut bytes");
    disk_.file("/menu/Games/a.lnk", "cut bytes");
    record(EditKind::paste, "a",
           {made("/menu/a.lnk", disk_), made("/menu/Games/a.lnk", disk_),
            restore("/menu/a.lnk", "/keep/cut")});
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/a.lnk"), "/menu/a.lnk:cut bytes");
    EXPECT_EQ(disk_.at("/menu/Games/a.lnk"), "");
}

TEST_F(Undo, AStepThatFailsPutsBackWhatTheEarlierStepsDid) {
    // A move: the made link goes, then the two sources come back; the second fails.
    disk_.file("/menu/Tools/a.lnk", "a");
    disk_.file("/keep/a", "a");
    disk_.file("/keep/b", "b");
    record(EditKind::move, "a",
           {made("/menu/Tools/a.lnk", disk_), restore("/menu/Games/a.lnk", "/keep/a"),
            restore("/menu/Games/b.lnk", "/keep/b")});
    disk_.failing.insert("/menu/Games/b.lnk");
    const UndoResult result = undo_newest(journal_, disk_);
    EXPECT_EQ(result.status, UndoStatus::failed);
    EXPECT_EQ(result.path, "/menu/Games/b.lnk");
    EXPECT_EQ(disk_.at("/menu/Tools/a.lnk"), "/menu/Tools/a.lnk:a");
    EXPECT_EQ(disk_.at("/menu/Games/a.lnk"), "");
    EXPECT_EQ(journal_.size(), 1u);

    disk_.failing.clear();
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::done);
    EXPECT_EQ(disk_.at("/menu/Games/b.lnk"), "/menu/Games/b.lnk:b");
}

TEST_F(Undo, ARestoreThatFailsRemovesNothingItDidNotMake) {
    // Between the check and the copy someone makes the folder; the copy is
    // refused, and what they made stays.
    disk_.folder("/keep/1");
    disk_.file("/keep/1/a.lnk", "a");
    record(EditKind::delete_folder, "Games",
           {UndoStep{UndoAction::restore_folder, "/menu/Games", "", "/keep/1", std::nullopt}});
    disk_.appearing["/menu/Games"] = "theirs";
    EXPECT_EQ(undo_newest(journal_, disk_).status, UndoStatus::failed);
    EXPECT_EQ(disk_.at("/menu/Games/theirs.lnk"), "/menu/Games/theirs.lnk:theirs");
}

TEST(UndoTexts, TheItemNamesTheNewestEdit) {
    TextTable texts;
    load_builtin_texts(texts);
    EXPECT_EQ(undo_caption(nullptr, texts), texts.find("TXT00300"));
    Edit edit{1, EditKind::delete_entry, "Editor", false, {}, {}};
    EXPECT_EQ(undo_caption(&edit, texts), texts.find("TXT00301") + " \"Editor\"");
    edit.kind = EditKind::paste;
    edit.several = true;
    EXPECT_EQ(undo_caption(&edit, texts), texts.find("TXT00304") + " \"Editor\", \u2026");
    EXPECT_EQ(undo_refused_text(true, "C:\\m\\a.lnk", texts),
              texts.find("TXT00310") + "\n\nC:\\m\\a.lnk");
}

}  // namespace
}  // namespace trevalon
