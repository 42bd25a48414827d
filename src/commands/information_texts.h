// The texts of the two information boxes, made of text-table parts.
#pragma once

#include <string>

#include "window/selection.h"

namespace trevalon {

class TextTable;

// Whether the view may be changed, then the folder's path when one is selected.
std::string folder_information(bool editable, const SelectedFolder& folder, const TextTable& texts);

// Whether the view may be changed, then where the entry lives (when that is
// not its target), its target and its note.
std::string entry_information(bool editable, const SelectedEntry& entry, const TextTable& texts);

}  // namespace trevalon
