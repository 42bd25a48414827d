// Cut entries waiting to be pasted. Each waits in a numbered folder of its
// own inside the cut-entries folder, beside a note (cut_record.h) that says
// where it came from and whether it has been pasted. An entry that was cut
// and never pasted is never lost: when the clipboard gets something else
// from the program, at exit and at the next start after a run that ended
// without its clean-up, it goes back to its folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/cut_record.h"

namespace trevalon {

struct ProgramFolders;

// Copies the entry into a new waiting place and writes its note first.
// Gives the waiting copy's path (same file name as the entry); nothing when
// either could not be made, and then nothing is left behind.
std::optional<std::string> start_cut(const ProgramFolders& folders, const std::string& entry);

// The note of a waiting cut entry; nothing when `path` is none.
std::optional<CutRecord> waiting_cut(const ProgramFolders& folders, const std::string& path);

// Notes that the waiting entry has been pasted: it no longer goes back.
bool mark_cut_pasted(const ProgramFolders& folders, const std::string& waiting);

// Removes a waiting entry and its note, without sending it anywhere.
void drop_cut(const ProgramFolders& folders, const std::string& waiting);

// Settles every waiting entry but `keep`: one not pasted goes back to the
// folder it came from (made again if need be) under the free-name rule, a
// pasted one is removed. An entry that cannot go back stays waiting. Gives
// the waiting paths that were settled.
std::vector<std::string> settle_cuts(const ProgramFolders& folders, const std::string& keep = {});

}  // namespace trevalon
