// The least a walk of a folder tree can do: FindFirstFileEx with the large
// fetch, each folder listed once, nothing kept. Linked folders are not
// entered. The baseline of the Windows-menu update.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <string>

namespace trevalon::bench {

// The number of items below folder (ending in "\"), so that nothing of the
// walk can be left out.
inline std::size_t bare_walk(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    std::size_t seen = 0;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0)
            continue;
        ++seen;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            seen += bare_walk(folder + data.cFileName + L"\\");
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return seen;
}

}  // namespace trevalon::bench
