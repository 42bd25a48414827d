// Cut entries waiting to be pasted, in the running program's data folder
// (the rules: cut_keeper.h). An entry that was cut and never pasted is never
// lost: when the clipboard gets something else from the program, at exit
// and at the next start after a run that ended without its clean-up, it goes
// back to its folder, or where it can go, and the user is told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/cut_keeper.h"

namespace trevalon {

struct App;
struct ProgramFolders;

// The cut-keeper's calls on the real disk, with the program's own menu
// folder as the menu entries may go back to.
std::optional<std::string> start_cut(const ProgramFolders& folders, const std::string& entry);
std::optional<CutRecord> waiting_cut(const ProgramFolders& folders, const std::string& path);
bool mark_cut_pasted(const ProgramFolders& folders, const std::string& waiting);
void drop_cut(const ProgramFolders& folders, const std::string& waiting);
std::vector<std::string> settle_cuts(const ProgramFolders& folders, const std::string& keep = {});

// Settles the running program's waiting entries but `keep` with its menus
// and what it remembers of its own cuts, says in one message what went
// elsewhere when `tell`, and drops the cut edits of the settled entries.
// Gives the waiting paths that were settled.
std::vector<std::string> settle_waiting_cuts(App& app, const std::string& keep = {},
                                             bool tell = true);

// Says what a settling put elsewhere (nothing when everything went home).
void tell_settled(App& app, const SettleReport& report);

}  // namespace trevalon
