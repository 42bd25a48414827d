// Every edit and its undo, stopped after each change it makes to the disk
// (as a killed process stops), then the next start's recovery: every entry
// is there exactly once with its bytes, an entry the edit makes or removes
// at most once, nothing else appears in the menu, nothing outside the
// program's folders and the menu changes, and nothing waits any more.
#include "commands/edit_operations.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "support/memory_disk.h"

namespace trevalon {
namespace {

using test::MemoryDisk;

const std::string kData = "C:/Data/";
const std::string kMenu = "C:/Menu/";
const std::string kOutside = "C:/Outside/";
const std::string kOther = "C:/Other/";

EditPlaces places() {
    EditPlaces places;
    places.undo.data = kData;
    places.undo.undo = kData + "Undo/";
    places.undo.staging = {kData + "Undo/Copying/", kData};
    places.cuts.data = kData;
    places.cuts.cut_entries = kData + "Clipboard/";
    places.cuts.staging = places.undo.staging;
    places.cuts.menus = {kMenu};
    places.cuts.own_menu = kMenu;
    places.cuts.recovered_name = "Recovered";
    return places;
}

void fixture(MemoryDisk& disk) {
    disk.add_folder(kData);
    disk.add_file(kMenu + "Games/A.lnk", "bytes of A");
    disk.add_file(kMenu + "Games/B.lnk", "bytes of B");
    disk.add_file(kMenu + "Office/C.lnk", "bytes of C");
    disk.add_file(kMenu + "Office/Sub/D.lnk", "bytes of D");
    disk.add_file(kOutside + "E.lnk", "bytes of E");
    disk.add_file(kOutside + "Doc.txt", "a document");
    disk.add_file(kOther + "keep.txt", "not the program's");
}

// One run of the program as far as the disk goes: what survives a stop is
// only the disk; this is what the run knew.
struct ProgramRun {
    EditPlaces places = trevalon::places();
    UndoJournal journal;
    std::string waiting;  // the cut entry on the clipboard

    void record(EditKind kind, std::vector<UndoStep> steps, int id, std::string cut = {}) {
        Edit edit;
        edit.id = id;
        edit.kind = kind;
        edit.steps = std::move(steps);
        edit.cut_entry = std::move(cut);
        if (!edit.steps.empty())
            journal.record(std::move(edit));
    }
    // What the exit clean-up does.
    void exit(MemoryDisk& disk) {
        settle_cuts(disk, places.cuts);
        discard_undo_store(disk, places.undo);
    }
};

using Step = std::function<void(MemoryDisk&, ProgramRun&)>;

void cut(MemoryDisk& disk, ProgramRun& run, const std::string& entry) {
    // A cut entry no longer on the clipboard goes home first.
    const std::optional<std::string> waiting = start_cut(disk, run.places.cuts, entry);
    ASSERT_TRUE(waiting);
    settle_cuts(disk, run.places.cuts, *waiting);
    const int id = run.journal.next_id();
    if (std::optional<UndoStep> step = finish_cut(disk, run.places, entry, *waiting)) {
        run.waiting = *waiting;
        run.record(EditKind::cut, {*step}, id, *waiting);
    }
}

void import(MemoryDisk& disk, ProgramRun& run, ImportRequest request) {
    const int id = run.journal.next_id();
    ImportOutcome outcome = import_entries(disk, run.places, id, request);
    run.record(EditKind::paste, std::move(outcome.steps), id,
               outcome.cuts_taken.empty() ? "" : outcome.cuts_taken.front());
}

void paste(MemoryDisk& disk, ProgramRun& run, std::vector<std::string> paths,
           const std::string& folder) {
    import(disk, run, ImportRequest{std::move(paths), folder, false, {}, {}});
}

void remove(MemoryDisk& disk, ProgramRun& run, const std::string& path, bool folder, bool recycle) {
    const int id = run.journal.next_id();
    const DeleteOutcome outcome = delete_kept(disk, run.places, id, path, folder, recycle, {kMenu});
    if (outcome.step)
        run.record(EditKind::delete_entry, {*outcome.step}, id);
}

void undo(MemoryDisk& disk, ProgramRun& run) {
    ASSERT_FALSE(run.journal.empty());
    undo_newest_on(disk, run.places, run.journal);
}

struct Scenario {
    std::string name;
    Step before;            // runs whole: the edit an undo takes back
    Step edit;              // stopped after each of its changes
    bool ends_run = false;  // ends with the exit clean-up: nothing left to undo
};

std::map<std::string, int> counted(const std::multiset<std::string>& bytes) {
    std::map<std::string, int> counts;
    for (const std::string& b : bytes)
        ++counts[b];
    return counts;
}

std::multiset<std::string> menu_entries(const MemoryDisk& disk) {
    return disk.file_bytes_below(kMenu);
}

std::map<std::string, std::string> outside(const MemoryDisk& disk) {
    std::map<std::string, std::string> all = disk.contents_below(kOutside);
    all.merge(disk.contents_below(kOther));
    return all;
}

void check_every_stop(const Scenario& scenario) {
    SCOPED_TRACE(scenario.name);
    // Whole, without a stop: where the entries start and end.
    MemoryDisk whole;
    fixture(whole);
    ProgramRun first;
    if (scenario.before)
        scenario.before(whole, first);
    const std::map<std::string, int> before = counted(menu_entries(whole));
    const auto outside_before = outside(whole);
    const int changes_before = whole.changes();
    scenario.edit(whole, first);
    const int changes = whole.changes() - changes_before;
    recover_at_start(whole, places());
    const std::map<std::string, int> done = counted(menu_entries(whole));
    ASSERT_GT(changes, 0);

    for (int stop = 0; stop <= changes; ++stop) {
        SCOPED_TRACE("stopped after change " + std::to_string(stop) + " of " +
                     std::to_string(changes));
        MemoryDisk disk;
        fixture(disk);
        ProgramRun run;
        if (scenario.before)
            scenario.before(disk, run);
        disk.stop_after(stop);
        try {
            scenario.edit(disk, run);
        } catch (const MemoryDisk::Stopped&) {
        }
        disk.never_stop();
        // The next start knows only the disk.
        recover_at_start(disk, places());

        const std::map<std::string, int> now = counted(menu_entries(disk));
        std::set<std::string> all_bytes;
        for (const auto* counts : {&before, &done, &now}) {
            for (const auto& [bytes, count] : *counts)
                all_bytes.insert(bytes);
        }
        for (const std::string& bytes : all_bytes) {
            const int was = before.count(bytes) ? before.at(bytes) : 0;
            const int will = done.count(bytes) ? done.at(bytes) : 0;
            const int is = now.count(bytes) ? now.at(bytes) : 0;
            EXPECT_GE(is, std::min(was, will)) << "lost: " << bytes;
            EXPECT_LE(is, std::max(was, will)) << "twice, or not whole: " << bytes;
        }
        EXPECT_EQ(outside(disk), outside_before);
        EXPECT_TRUE(disk.contents_below(kData + "Clipboard").empty());
        EXPECT_TRUE(disk.contents_below(kData + "Undo").empty());
        // Recovering again changes nothing.
        const auto recovered = disk.contents();
        recover_at_start(disk, places());
        EXPECT_EQ(disk.contents(), recovered);
    }
}

const std::string kA = kMenu + "Games/A.lnk";
const std::string kB = kMenu + "Games/B.lnk";

std::vector<Scenario> edits() {
    return {
        {"cut, exit",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             cut(d, r, kA);
             r.exit(d);
         },
         true},
        {"cut A, cut B, exit",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             cut(d, r, kA);
             cut(d, r, kB);
             r.exit(d);
         },
         true},
        {"cut, paste elsewhere, exit",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             cut(d, r, kA);
             paste(d, r, {r.waiting}, kMenu + "Office/");
             r.exit(d);
         },
         true},
        {"cut, paste into its own folder",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             cut(d, r, kA);
             paste(d, r, {r.waiting}, kMenu + "Games/");
         }},
        {"paste of copies and a new link",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             paste(d, r, {kOutside + "E.lnk", kOutside + "Doc.txt", kA}, kMenu + "Office/");
         }},
        {"delete to the Recycle Bin",
         {},
         [](MemoryDisk& d, ProgramRun& r) { remove(d, r, kA, false, true); }},
        {"delete for good",
         {},
         [](MemoryDisk& d, ProgramRun& r) { remove(d, r, kA, false, false); }},
        {"delete a folder to the Recycle Bin",
         {},
         [](MemoryDisk& d, ProgramRun& r) { remove(d, r, kMenu + "Office/", true, true); }},
        {"delete a folder for good",
         {},
         [](MemoryDisk& d, ProgramRun& r) { remove(d, r, kMenu + "Office/", true, false); }},
        {"rename an entry",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             if (auto step = rename_on(d, kA, kMenu + "Games/Z.lnk", false))
                 r.record(EditKind::rename_entry, {*step}, r.journal.next_id());
         }},
        {"rename a folder",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             if (auto step = rename_on(d, kMenu + "Office/", kMenu + "Work/", true))
                 r.record(EditKind::rename_folder, {*step}, r.journal.next_id());
         }},
        {"new folder",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             if (auto step = new_folder_on(d, kMenu + "New/"))
                 r.record(EditKind::new_folder, {*step}, r.journal.next_id());
         }},
        {"drop that copies",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             import(
                 d, r,
                 ImportRequest{
                     {kA, kOutside + "E.lnk"}, kMenu + "Office/", false, kMenu, kMenu + "Games/"});
         }},
        {"drop that moves",
         {},
         [](MemoryDisk& d, ProgramRun& r) {
             import(d, r,
                    ImportRequest{{kA, kB, kOutside + "E.lnk"},
                                  kMenu + "Office/",
                                  true,
                                  kMenu,
                                  kMenu + "Games/"});
         }},
    };
}

TEST(EditFaults, EveryEditStoppedAtAnyChangeLeavesEveryEntryOnceAfterTheNextStart) {
    for (const Scenario& scenario : edits())
        check_every_stop(scenario);
}

TEST(EditFaults, EveryUndoStoppedAtAnyChangeLeavesEveryEntryOnceAfterTheNextStart) {
    for (const Scenario& edit : edits()) {
        Scenario undo_it{"undo of " + edit.name, edit.edit,
                         [](MemoryDisk& d, ProgramRun& r) { undo(d, r); }};
        if (!edit.ends_run)
            check_every_stop(undo_it);
    }
}

}  // namespace
}  // namespace trevalon
