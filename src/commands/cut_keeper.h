// Cut entries waiting to be pasted, on a FileDisk. Each waits in a numbered
// folder of its own inside the cut-entries folder, beside a note
// (cut_record.h) written first and removed last. Whatever step a run ends
// at, settling puts every entry back exactly once with its bytes: into the
// folder it came from when that lies strictly inside a menu, else at the
// top of the own menu; whatever a place holds beyond what its note explains
// goes to a folder of recovered items there.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "commands/cut_record.h"
#include "commands/disk_steps.h"
#include "commands/file_disk.h"

namespace trevalon {

struct CutFolders {
    std::string data;         // the program's data folder, which holds the two below
    std::string cut_entries;  // the waiting places (ending in a separator)
    Staging staging;          // where whole copies are made first
    // Where a cut may come from and go back to: the menus' folders.
    std::vector<std::string> menus;
    // The own menu's top level: where an entry goes that cannot go back.
    std::string own_menu;
    // The name of the folder (in the own menu) recovered items go to.
    std::string recovered_name;
};

// Whether an entry may be sent back to `origin`: a valid UTF-8 absolute
// path without control characters, reserved names, "." or ".." parts or a
// literal "\\?\" form, strictly inside one of `menus` (each at least one
// folder below its drive or share).
bool origin_allowed(std::string_view origin, const std::vector<std::string>& menus);

// Copies the entry into a new waiting place, its note first. Gives the
// waiting copy's path (the entry's own file name); nothing when the copy
// could not be made whole, and then nothing is left behind. The entry
// itself stays: the caller removes it once the clipboard lists the copy.
std::optional<std::string> start_cut(FileDisk& disk, const CutFolders& folders,
                                     const std::string& entry);

// The note of a waiting cut entry; nothing when `path` is none.
std::optional<CutRecord> waiting_cut(const FileDisk& disk, const CutFolders& folders,
                                     const std::string& path);

// Notes where the waiting entry is being pasted, before the copy is made.
bool mark_cut_placing(FileDisk& disk, const CutFolders& folders, const std::string& waiting,
                      const std::string& target);
// Notes that the waiting entry has been pasted: it no longer goes back.
bool mark_cut_pasted(FileDisk& disk, const CutFolders& folders, const std::string& waiting);

// Removes a waiting entry and its note, without sending it anywhere.
void drop_cut(FileDisk& disk, const CutFolders& folders, const std::string& waiting);

// A drop that moves an entry: the note is written before the copy is made
// and removed once the source is gone, so that a run ending in between
// leaves the entry in one place.
std::optional<std::string> start_move(FileDisk& disk, const CutFolders& folders,
                                      const std::string& source, const std::string& target);
void end_move(FileDisk& disk, const CutFolders& folders, const std::string& note);

struct SettleReport {
    std::vector<std::string> settled;    // the waiting entries settled (their paths while waiting)
    std::vector<std::string> elsewhere;  // entries put elsewhere than where they came from
    std::vector<std::string> recovered;  // items found beside them, now in `recovery_folder`
    std::string recovery_folder;         // made for this settling; empty when not needed
    std::vector<std::string> stuck;      // waiting entries that could go nowhere
};

// Settles every waiting entry but `keep`: one not pasted goes back (under
// the free-name rule; when its folder has no free name, to the own menu's
// top level, then to the folder of recovered items), a pasted one is
// removed. `known_origins` (waiting path -> origin) are the cuts of this
// run: what the program remembers counts over an edited note.
SettleReport settle_cuts(FileDisk& disk, const CutFolders& folders, const std::string& keep = {},
                         const std::map<std::string, std::string>& known_origins = {});

}  // namespace trevalon
