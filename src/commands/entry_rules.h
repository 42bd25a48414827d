// Rules the entry and folder commands share: the paths a rename produces,
// the look-up of a folder among the tree's folders, what a right-clicked
// entry points at and whether a launch may go ahead.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "menu/free_name.h"
#include "menu/link_fields.h"
#include "menu/menu_tables.h"
#include "window/selection.h"

namespace trevalon {

// A name the user typed for a folder or an entry, made fit for a file name:
// the forbidden characters and control characters go, and so do trailing
// spaces and dots (Windows drops them itself, which would make the name
// differ from the folder it names). Empty when nothing usable is left.
std::string usable_name(std::string_view typed);

// A usable name cut so that folder + name + tail fits the longest path the
// system takes, with room for a free-name number (fit_base_name); a cut that
// leaves trailing spaces or dots at the end of the path loses them too.
std::string fitted_name(std::string_view name, std::string_view folder, std::string_view tail);

// The folder path (ending in a separator) with only its last component
// replaced by new_name (fitted); parents of the same name stay as they are.
// Empty when the parent's path leaves no room for a name.
std::string renamed_folder_path(std::string_view folder_path, std::string_view new_name);

// The entry's name without its extension: what the rename box shows.
std::string entry_base_name(std::string_view file_name);
// list_folder + new_name (fitted) + the old file name's extension (if it had
// one); empty when the folder's path leaves no room for a name.
std::string renamed_entry_path(std::string_view list_folder, std::string_view old_file_name,
                               std::string_view new_name);

// The first tree item whose folder (with a separator appended) is path,
// letter case ignored; -1 when there is none.
int find_folder_item(const FolderTable& table, std::string_view path);

// Reads a link's target and arguments; nothing when the link cannot be loaded
// or resolved.
using LinkReader = std::function<std::optional<LinkFields>(const std::string& link_file)>;
// Reads a (small) text file; nothing when it cannot be read.
using TextFileReader = std::function<std::optional<std::string>(const std::string& path)>;

struct EntryReaders {
    LinkReader read_link;
    TextFileReader read_text;
    PathExists exists;
};

// The two notes an entry can carry.
struct EntryNotes {
    std::string universal_app;   // a link to a shell item without a file path
    std::string missing_target;  // a link whose target is gone or unreadable
};

// What a right click on an entry learns about it, from its extension: a link's
// target (a bookmark's web address), an internet shortcut's address, or the
// file itself.
SelectedEntry analyse_entry(std::string path, std::string display, const EntryReaders& readers,
                            const EntryNotes& notes);

// The address of an internet shortcut's text: the rest of the first line
// that begins with "URL=" in any letter case; empty when there is none.
std::string first_url_line(std::string_view content);

enum class LaunchKind {
    open,             // any other file: opened, not recorded
    open_and_record,  // a link whose target exists (or a shell item): opened, recorded
    missing_target,   // a link that cannot be read or whose target is gone: nothing opens
};

// How a launch of the entry at path goes. link is the read-back of a .lnk
// (nothing when it could not be loaded or resolved); it is ignored for other
// files.
LaunchKind decide_launch(std::string_view path, const std::optional<LinkFields>& link,
                         const PathExists& exists);

// Whether the file name's extension is lnk, in any letter case.
bool is_link_file(std::string_view path);

}  // namespace trevalon
