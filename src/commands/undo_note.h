// The note an undo keeps on the disk while it runs: the edit's steps and how
// many are done. A run that ends in the middle of an undo leaves it, and the
// next start finishes the undo from there (undo_run.h, finish_undo), so no
// entry is left between its two places.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/undo_journal.h"

namespace trevalon {

struct UndoNote {
    int id = 0;             // the edit's number: its copies' folder
    std::string cut_entry;  // the waiting entry whose cut ends with the undo
    std::size_t done = 0;
    std::vector<UndoStep> steps;
};

// One "key=value" line each; a step's fields are separated by "|", which no
// Windows path holds.
std::string format_undo_note(const UndoNote& note);
// Nothing when the note is damaged: a step that cannot be read, or more
// steps done than it has.
std::optional<UndoNote> parse_undo_note(std::string_view text);

}  // namespace trevalon
