#include "commands/cut_keeper_win.h"

#include "commands/import_plan.h"
#include "commands/import_win.h"
#include "menu/directory_listing.h"
#include "menu/free_name.h"
#include "menu/path_text.h"
#include "menu/program_folders.h"
#include "platform/file_ops_win.h"

namespace trevalon {
namespace {

constexpr std::string_view kNoteExtension = ".cut";

// A waiting place: its folder (ending in a backslash) and its note.
struct Place {
    std::string folder;
    std::string note;
};

Place place_named(const ProgramFolders& folders, const std::string& name) {
    return Place{folders.cut_entries + name + "\\",
                 folders.cut_entries + name + std::string(kNoteExtension)};
}

// The place a waiting path lies in; nothing when it lies in none.
std::optional<Place> place_of(const ProgramFolders& folders, const std::string& waiting) {
    if (folders.cut_entries.empty() || !path_is_inside(waiting, folders.cut_entries))
        return std::nullopt;
    const std::string folder = folder_of(waiting);
    const std::string name = without_trailing_separator(folder.substr(folders.cut_entries.size()));
    if (name.empty() || name.find('\\') != std::string::npos)
        return std::nullopt;
    return place_named(folders, name);
}

void remove_place(const ProgramFolders& folders, const Place& place) {
    remove_tree(place.folder, std::vector<std::string>{folders.cut_entries});
    delete_file(place.note);
}

bool is_number(std::string_view name) {
    return !name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos;
}

// The one file waiting in a place.
std::optional<std::string> waiting_file(const Place& place) {
    const std::vector<std::string> files = files_in(place.folder);
    if (files.size() != 1)
        return std::nullopt;
    return place.folder + files.front();
}

// Sends a waiting entry back where it came from; true when it is there.
bool send_back(const std::string& waiting, const CutRecord& record) {
    const std::string folder = folder_of(record.origin);
    if (folder.empty() || !create_folders(folder))
        return false;
    const std::optional<std::string> target = free_name(record.origin, path_taken);
    return target && copy_file_if_absent(waiting, *target);
}

}  // namespace

std::optional<std::string> start_cut(const ProgramFolders& folders, const std::string& entry) {
    if (folders.cut_entries.empty() || !create_folders(folders.cut_entries))
        return std::nullopt;
    Place place;
    for (int number = 1;; ++number) {
        if (number > 9999)
            return std::nullopt;
        place = place_named(folders, std::to_string(number));
        if (!path_taken(without_trailing_separator(place.folder)) && !path_taken(place.note))
            break;
    }
    const std::string waiting = place.folder + std::string(file_name_part(entry));
    // The note first: whatever happens next, a later start knows where the
    // entry belongs.
    const bool kept = write_file_atomically(place.note, format_cut_record({entry, false})) &&
                      create_folder(place.folder) && copy_file_if_absent(entry, waiting) &&
                      read_file(entry) == read_file(waiting);
    if (!kept) {
        remove_place(folders, place);
        return std::nullopt;
    }
    return waiting;
}

std::optional<CutRecord> waiting_cut(const ProgramFolders& folders, const std::string& path) {
    const std::optional<Place> place = place_of(folders, path);
    if (!place || !is_file(path))
        return std::nullopt;
    const std::optional<std::string> note = read_file(place->note, 1u << 16);
    return note ? parse_cut_record(*note) : std::nullopt;
}

bool mark_cut_pasted(const ProgramFolders& folders, const std::string& waiting) {
    const std::optional<Place> place = place_of(folders, waiting);
    std::optional<CutRecord> record = waiting_cut(folders, waiting);
    if (!place || !record)
        return false;
    record->pasted = true;
    return write_file_atomically(place->note, format_cut_record(*record));
}

void drop_cut(const ProgramFolders& folders, const std::string& waiting) {
    if (const std::optional<Place> place = place_of(folders, waiting))
        remove_place(folders, *place);
}

std::vector<std::string> settle_cuts(const ProgramFolders& folders, const std::string& keep) {
    std::vector<std::string> settled;
    if (folders.cut_entries.empty())
        return settled;
    for (const std::string& name : files_in(folders.cut_entries)) {
        const std::string number =
            name.substr(0, name.size() - std::min(name.size(), kNoteExtension.size()));
        if (!name.ends_with(kNoteExtension) || !is_number(number))
            continue;  // an entry an older version left here: not ours to move
        const Place place = place_named(folders, number);
        const std::optional<std::string> waiting = waiting_file(place);
        if (waiting && !keep.empty() && same_path(*waiting, keep))
            continue;
        const std::optional<std::string> note = read_file(place.note, 1u << 16);
        const std::optional<CutRecord> record = note ? parse_cut_record(*note) : std::nullopt;
        // Without its entry the note is left over from a cut that never got
        // as far as taking the entry away: nothing to send back.
        if (!waiting) {
            remove_place(folders, place);
            continue;
        }
        if (!record || (!record->pasted && !send_back(*waiting, *record)))
            continue;
        remove_place(folders, place);
        settled.push_back(*waiting);
    }
    // Numbered places without a note: their entry was never taken from its
    // folder (the note is written first and removed last).
    const auto entries = list_directory(folders.cut_entries);
    for (const DirectoryEntry& entry : entries.value_or(std::vector<DirectoryEntry>{})) {
        const Place place = place_named(folders, entry.name);
        if (entry.is_directory && is_number(entry.name) && !is_file(place.note))
            remove_tree(place.folder, std::vector<std::string>{folders.cut_entries});
    }
    return settled;
}

}  // namespace trevalon
