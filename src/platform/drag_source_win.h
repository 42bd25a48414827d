// Dragging an entry out of the file list: the shell's own data object for
// the file, so every drop target (the Explorer, the program's own tree) sees
// the file as the shell would hand it over.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

// The shell's data object for one file or folder; empty when the path cannot
// be parsed.
ComPtr<IDataObject> file_data_object(std::string_view path);

// Drags the file with the mouse button that is down, with the effects
// allowed (copy or move unless told otherwise), until it is dropped or
// cancelled (Esc, or the other button). Returns the effect the target
// reported, DROPEFFECT_NONE when nothing was dropped.
DWORD drag_file(std::string_view path, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);

}  // namespace trevalon
