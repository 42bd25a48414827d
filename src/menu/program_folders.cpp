#include "menu/program_folders.h"

#include "texts/text_table.h"

namespace trevalon {
namespace {

// Nothing is derived from a folder the system could not name: a relative path
// would land in whatever the working folder happens to be.
std::string subfolder(std::string_view parent, const std::string& name) {
    if (parent.empty())
        return {};
    return with_backslash(std::string(parent) + name);
}

}  // namespace

std::string with_backslash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '\\' && result.back() != '/')
        result.push_back('\\');
    return result;
}

std::string folder_of(std::string_view file_path) {
    const std::size_t separator = file_path.find_last_of("\\/");
    if (separator == std::string_view::npos)
        return {};
    return std::string(file_path.substr(0, separator + 1));
}

ProgramFolders derive_program_folders(const SystemFolders& system, const TextTable& texts) {
    ProgramFolders folders;
    static_cast<SystemFolders&>(folders) = system;
    for (std::string* folder :
         {&folders.documents, &folders.favorites, &folders.common_start_menu,
          &folders.user_start_menu, &folders.common_programs, &folders.user_programs,
          &folders.recent, &folders.desktop, &folders.windows, &folders.system, &folders.app_data,
          &folders.temp}) {
        *folder = with_backslash(*folder);
    }
    folders.program_folder = folder_of(folders.program_file);

    folders.data = subfolder(folders.app_data, texts.find("AppData_Subdir"));
    folders.own_temp = subfolder(folders.temp, texts.find("Temp_Subdir"));
    folders.windows_menu = subfolder(folders.data, texts.find("WindowsMenu_Subdir"));
    folders.recent_documents = subfolder(folders.data, texts.find("RecentDocuments_Subdir"));
    folders.recent_programs = subfolder(folders.data, texts.find("RecentPrograms_Subdir"));
    folders.recent_search = subfolder(folders.data, texts.find("RecentSearch_Subdir"));
    folders.bookmarks = subfolder(folders.data, texts.find("Bookmarks_Subdir"));
    folders.icon_cache = subfolder(folders.data, texts.find("IconCache_Subdir"));
    folders.own_menu = subfolder(folders.data, texts.find("Velmora_Subdir"));
    folders.cut_entries = subfolder(folders.data, texts.find("Clipboard_Subdir"));
    // What Undo needs lives only for one run: the name never has to be found
    // again by a later version, so it is not configurable.
    folders.undo = subfolder(folders.data, "Undo");
    folders.settings_file =
        folders.data.empty() ? std::string() : folders.data + texts.find("Settings_File");
    folders.usage_file =
        folders.data.empty() ? std::string() : folders.data + texts.find("Usage_File");
    folders.url_template = subfolder(folders.own_temp, "URLdummy");
    folders.predecessor_data = subfolder(folders.app_data, "Osmeric");
    return folders;
}

}  // namespace trevalon
