// The texts of Undo: the menu item naming what it takes back, and the
// messages when there is nothing to undo or it cannot be done.
#pragma once

#include <string>

#include "commands/undo_journal.h"

namespace trevalon {

class TextTable;

// "Undo" when there is nothing to undo, else the newest edit's verb and its
// subject in quotes (Undo delete "Editor"); several entries pasted or dropped
// at once are named by the first, followed by ", …".
std::string undo_caption(const Edit* newest, const TextTable& texts);

// The refusal when the place was changed since (or a step failed and was put
// back): the reason, a blank line, the path.
std::string undo_refused_text(bool changed_since, const std::string& path, const TextTable& texts);

}  // namespace trevalon
