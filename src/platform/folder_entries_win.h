// One folder's entries as the system lists them, "." and ".." left out: the
// loop every walk over real folders starts from.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/handles_win.h"

namespace trevalon {

inline bool is_dot_entry(const WIN32_FIND_DATAW& entry) {
    return std::wcscmp(entry.cFileName, L".") == 0 || std::wcscmp(entry.cFileName, L"..") == 0;
}

// Calls visit(entry) for every entry of folder (a wide path ending in "\").
// Basic information in large fetches: the short name is never asked for.
template <typename Visit>
void for_each_folder_entry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW entry;
    UniqueFindHandle find(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return;
    do {
        if (!is_dot_entry(entry))
            visit(entry);
    } while (FindNextFileW(find.get(), &entry));
}

}  // namespace trevalon
