// Real OLE data objects for drop tests: what the system's clipboard hands out
// for a file list or a text, as a drag source would offer it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "platform/handles_win.h"

namespace trevalon::test {

// Puts the files (or the text) on the clipboard and returns the OLE
// clipboard's data object for them. OLE must be initialised.
ComPtr<IDataObject> data_object_with_files(const std::vector<std::string>& paths);
ComPtr<IDataObject> data_object_with_text(const std::string& text);

}  // namespace trevalon::test
