#include "program/first_run_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/registry_win.h"
#include "platform/wide_win.h"
#include "program/seed_table.h"
#include "program/url_template.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::first_run;

constexpr std::string_view kPredecessorSettingsFile = "Osmeric.prefs";
constexpr std::string_view kPredecessorKey = "Software\\Quorvane\\Osmeric";
constexpr std::string_view kPredecessorAutostart = "Osmeric";
constexpr std::wstring_view kPredecessorTitle = L"osmeric -";
constexpr std::wstring_view kPredecessorProgram = L"osmeric";

std::wstring lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring window_title(HWND window) {
    wchar_t title[1000] = {};
    GetWindowTextW(window, title, 1000);
    return title;
}

// The full path of the program a process runs, in lower case; empty when it
// cannot be asked.
std::wstring program_path_of(DWORD process_id) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size))
        return {};
    return lower(std::wstring(path, size));
}

std::wstring_view file_name_of(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

// The predecessor's install folder as its registry key names it, in lower
// case and ending in a backslash; empty when the key names none.
std::wstring predecessor_install_folder() {
    UniqueKey key = open_registry_key(HKEY_CURRENT_USER, kPredecessorKey, KEY_READ);
    if (!key)
        return {};
    const std::optional<std::string> folder = read_registry_string(key.get(), "InstallDir");
    if (!folder || folder->empty())
        return {};
    std::wstring wide = lower(utf8_to_wide(*folder));
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    // A drive's root, a relative or a bare name would take in far more than
    // one program's folder.
    const bool on_drive = wide.size() >= 4 && wide[1] == L':' && wide[2] == L'\\';
    const bool on_share = wide.size() >= 4 && wide.starts_with(L"\\\\");
    if (!on_drive && !on_share)
        return {};
    if (wide.back() != L'\\')
        wide += L'\\';
    return wide;
}

struct PredecessorSearch {
    std::wstring install_folder;  // see predecessor_install_folder
    DWORD process_id = 0;
};

BOOL CALLBACK find_predecessor_window(HWND window, LPARAM parameter) {
    if (lower(window_title(window)).find(kPredecessorTitle) == std::wstring::npos)
        return TRUE;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == GetCurrentProcessId())
        return TRUE;
    // A title alone could belong to any program that shows the name (an open
    // document, a web page); ending that would lose the user's work. The
    // program must also be the predecessor's by its file name or its folder.
    auto* search = reinterpret_cast<PredecessorSearch*>(parameter);
    const std::wstring program = program_path_of(process_id);
    const bool by_name = file_name_of(program).starts_with(kPredecessorProgram);
    const bool by_folder =
        !search->install_folder.empty() && program.starts_with(search->install_folder);
    if (!by_name && !by_folder)
        return TRUE;
    search->process_id = process_id;
    return FALSE;
}

void remove_predecessor_autostart() {
    if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS)) {
        delete_registry_value(run.get(), kPredecessorAutostart);
    }
}

void copy_predecessor_registry_values(const ProgramFolders& folders) {
    UniqueKey old_key = open_registry_key(HKEY_CURRENT_USER, kPredecessorKey, KEY_READ);
    if (!old_key)
        return;
    const std::string subkey = find_text("Registry_Subkey");
    if (subkey.empty())
        return;
    UniqueKey new_key = create_registry_key(HKEY_CURRENT_USER, subkey);
    if (!new_key)
        return;
    for (const std::string_view name : {"PosX", "PosY"}) {
        if (const auto value = read_registry_dword(old_key.get(), name)) {
            write_registry_dword(new_key.get(), name, *value);
        }
    }
    write_registry_string(new_key.get(), "InstallDir", folders.program_folder);
}

const std::string& seed_source_folder(const ProgramFolders& folders, SeedSource source) {
    static const std::string none;
    switch (source) {
        case SeedSource::user_programs:
            return folders.user_programs;
        case SeedSource::common_programs:
            return folders.common_programs;
        case SeedSource::favorites:
            return folders.favorites;
        case SeedSource::none:
            break;
    }
    return none;
}

}  // namespace

FolderPreparation prepare_program_folders(const ProgramFolders& folders, Dialogs& dialogs) {
    TREVALON_MARK();
    FolderPreparation result;
    if (!folders.data.empty() && !is_directory(folders.data)) {
        result.data_folder_created = create_folder(folders.data);
        if (result.data_folder_created)
            result.migrated = migrate_from_predecessor(folders, dialogs);
    }
    create_folder(folders.own_temp);
    for (const std::string* folder : {&folders.recent_programs, &folders.recent_search,
                                      &folders.bookmarks, &folders.icon_cache}) {
        create_folder(*folder);
    }
    if (!folders.own_menu.empty() && !is_directory(folders.own_menu) &&
        create_folder(folders.own_menu)) {
        seed_own_menu(folders);
        result.own_menu_seeded = true;
    }
    return result;
}

bool migrate_from_predecessor(const ProgramFolders& folders, Dialogs& dialogs) {
    TREVALON_MARK();
    if (folders.predecessor_data.empty() || !is_directory(folders.predecessor_data))
        return false;
    copy_tree(folders.predecessor_data, folders.data, "*.*", true);

    const std::string settings_file = find_text("Settings_File");
    if (settings_file.empty())
        return false;
    const std::wstring old_settings =
        utf8_to_wide(folders.data + std::string(kPredecessorSettingsFile));
    const std::wstring new_settings = utf8_to_wide(folders.data + settings_file);
    if (!MoveFileW(old_settings.c_str(), new_settings.c_str()))
        return false;

    end_predecessor_process();
    remove_predecessor_autostart();
    copy_predecessor_registry_values(folders);
    dialogs.message_box(text("TXT00042"), text("TXT00013"), MB_OK | MB_ICONINFORMATION);
    return true;
}

bool end_predecessor_process() {
    PredecessorSearch search{predecessor_install_folder()};
    EnumWindows(find_predecessor_window, reinterpret_cast<LPARAM>(&search));
    if (search.process_id == 0)
        return false;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, search.process_id));
    return process && TerminateProcess(process.get(), 1);
}

void seed_own_menu(const ProgramFolders& folders) {
    TREVALON_MARK();
    const std::string& menu = folders.own_menu;
    if (menu.empty())
        return;
    for (const SeedRow& row : seed_rows()) {
        const std::string target = menu + std::string(row.target);
        if (row.action == SeedAction::create_folder) {
            create_folder(target);
            continue;
        }
        const std::string& base = seed_source_folder(folders, row.source);
        if (base.empty())
            continue;
        const std::string source = base + std::string(row.source_path);
        if (row.action == SeedAction::copy_file) {
            if (is_file(source))
                copy_file(source, target);
        } else {
            copy_tree(source, target, row.pattern, row.recursive);
        }
    }
}

void write_url_template(const ProgramFolders& folders, std::string_view address,
                        std::span<const std::uint8_t> icon_file) {
    TREVALON_MARK();
    const std::string& folder = folders.url_template;
    if (folder.empty() || !create_folders(folder))
        return;
    if (!icon_file.empty()) {
        write_file(
            folder + std::string(kUrlTemplateIcon),
            std::string_view(reinterpret_cast<const char*>(icon_file.data()), icon_file.size()));
    }
    write_file(folder + std::string(kUrlTemplateFile), compose_url_template(address, folder));
}

}  // namespace trevalon
