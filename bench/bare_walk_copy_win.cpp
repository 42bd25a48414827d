// bare_walk_copy.exe: the baseline for the Windows-menu rebuild and the
// search. Nothing but the system's own calls: walks trees with
// FindFirstFileEx and copies each file with CopyFile, the least any program
// doing the same work must do.
//
//   bare_walk_copy rebuild RUNS DEST SOURCE...
//       Per run: delete DEST with everything in it, then copy every SOURCE
//       tree into it (folders kept, later sources overwrite).
//   bare_walk_copy search RUNS RESULT TEXT ROOT...
//       Per run: delete RESULT and make it again, then copy every file below
//       the ROOTs whose name contains TEXT (letter case ignored) flat into it.
//
// Prints result lines ("1.bare", "2.bare") with the times measured inside the
// program, after one warm-up run (see measure).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_stats.h"

namespace {

template <typename Visit>
void for_each_entry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
            visit(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

bool is_folder(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void delete_tree(const std::wstring& folder) {
    for_each_entry(folder, [&](const WIN32_FIND_DATAW& data) {
        const std::wstring path = folder + data.cFileName;
        if (is_folder(data)) {
            delete_tree(path + L"\\");
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    });
    RemoveDirectoryW(folder.c_str());
}

void copy_tree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    for_each_entry(from, [&](const WIN32_FIND_DATAW& data) {
        if (is_folder(data)) {
            copy_tree(from + data.cFileName + L"\\", to + data.cFileName + L"\\");
        } else {
            CopyFileW((from + data.cFileName).c_str(), (to + data.cFileName).c_str(), FALSE);
        }
    });
}

std::wstring upper(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void search_tree(const std::wstring& folder, const std::wstring& needle,
                 const std::wstring& result) {
    for_each_entry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (is_folder(data)) {
            search_tree(folder + data.cFileName + L"\\", needle, result);
        } else if (upper(data.cFileName).find(needle) != std::wstring::npos) {
            CopyFileW((folder + data.cFileName).c_str(), (result + data.cFileName).c_str(), FALSE);
        }
    });
}

std::wstring folder_argument(const wchar_t* text) {
    std::wstring folder(text);
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

double now_ms() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// One warm-up run first, unless TREVALON_BENCH_NO_WARM_UP is set (a caller
// alternating single runs with the program's has warmed up already).
template <typename Run>
trevalon::bench::Summary measure(int runs, Run run) {
    if (!GetEnvironmentVariableW(L"TREVALON_BENCH_NO_WARM_UP", nullptr, 0))
        run();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = now_ms();
        run();
        times.push_back(now_ms() - start);
    }
    return trevalon::bench::summarize(std::move(times));
}

int usage() {
    std::fputs(
        "usage: bare_walk_copy rebuild RUNS DEST SOURCE... | search RUNS RESULT TEXT ROOT...\n",
        stderr);
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 5)
        return usage();
    const std::wstring mode = argv[1];
    const int runs = std::max(1, _wtoi(argv[2]));
    if (mode == L"rebuild") {
        const std::wstring dest = folder_argument(argv[3]);
        std::vector<std::wstring> sources;
        for (int i = 4; i < argc; ++i)
            sources.push_back(folder_argument(argv[i]));
        const auto summary = measure(runs, [&] {
            delete_tree(dest);
            for (const std::wstring& source : sources)
                copy_tree(source, dest);
        });
        std::puts(trevalon::bench::result_line("1.bare", "bare FindFirstFileEx + CopyFile rebuild",
                                               "ms", summary)
                      .c_str());
        return 0;
    }
    if (mode == L"search" && argc >= 6) {
        const std::wstring result = folder_argument(argv[3]);
        const std::wstring needle = upper(argv[4]);
        std::vector<std::wstring> roots;
        for (int i = 5; i < argc; ++i)
            roots.push_back(folder_argument(argv[i]));
        const auto summary = measure(runs, [&] {
            delete_tree(result);
            CreateDirectoryW(result.c_str(), nullptr);
            for (const std::wstring& root : roots)
                search_tree(root, needle, result);
        });
        std::puts(trevalon::bench::result_line("2.bare", "bare FindFirstFileEx + CopyFile search",
                                               "ms", summary)
                      .c_str());
        return 0;
    }
    return usage();
}
