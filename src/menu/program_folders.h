// Every folder the program works in. Windows paths as UTF-8; every folder ends
// in a backslash so a file name can be appended directly.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

class TextTable;

// The system's folders, as the special-folder look-up reports them.
struct SystemFolders {
    std::string documents;
    std::string favorites;
    std::string common_start_menu;
    std::string user_start_menu;
    std::string common_programs;
    std::string user_programs;
    std::string recent;
    std::string desktop;
    std::string windows;
    std::string system;
    std::string app_data;
    std::string temp;          // the system's temporary folder
    std::string program_file;  // full path of the running program
};

struct ProgramFolders : SystemFolders {
    std::string program_folder;  // the folder of program_file
    std::string data;            // application data + AppData_Subdir
    std::string own_temp;        // the system's temporary folder + Temp_Subdir
    std::string windows_menu;
    std::string recent_documents;
    std::string recent_programs;
    std::string recent_search;
    std::string bookmarks;
    std::string icon_cache;
    std::string own_menu;
    std::string cut_entries;       // cut entries waiting to be pasted, each with its origin
    std::string undo;              // copies Undo puts back; removed at exit and at start
    std::string settings_file;     // data folder + Settings_File
    std::string usage_file;        // data folder + Usage_File: the launch counts
    std::string url_template;      // own temporary folder + "URLdummy\"
    std::string predecessor_data;  // application data + "Osmeric\"
};

// The path with one backslash at its end (none is added to an empty path).
std::string with_backslash(std::string_view path);

// The folder part of a file path, ending in a backslash; empty without one.
std::string folder_of(std::string_view file_path);

// Derives the program's own folders from the system's folders and the folder
// names of the text table (read without adding keys).
ProgramFolders derive_program_folders(const SystemFolders& system, const TextTable& texts);

}  // namespace trevalon
