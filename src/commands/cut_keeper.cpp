#include "commands/cut_keeper.h"

#include <algorithm>
#include <set>

#include "commands/disk_steps.h"
#include "commands/import_plan.h"
#include "menu/path_text.h"
#include "menu/reserved_names.h"
#include "menu/unicode_text.h"
#include "platform/safe_delete.h"

namespace trevalon {
namespace {

constexpr std::string_view kNoteExtension = ".cut";
// Places are numbered from 1; a name longer than this is not one of ours.
constexpr std::size_t kLongestNumber = 9;
constexpr int kMostPlaces = 9999;

// A waiting place: its folder (ending in a separator) and its note.
struct Place {
    std::string folder;
    std::string note;
};

Place place_named(const CutFolders& folders, std::string_view name) {
    return Place{with_trailing_separator(folders.cut_entries + std::string(name)),
                 folders.cut_entries + std::string(name) + std::string(kNoteExtension)};
}

bool is_number(std::string_view name) {
    return !name.empty() && name.size() <= kLongestNumber &&
           name.find_first_not_of("0123456789") == std::string_view::npos;
}

// The place a waiting path lies in; nothing when it lies in none.
std::optional<Place> place_of(const CutFolders& folders, const std::string& waiting) {
    if (folders.cut_entries.empty() || !path_is_inside(waiting, folders.cut_entries))
        return std::nullopt;
    const std::string folder(folder_part(waiting));
    const std::string name = without_trailing_separator(folder.substr(folders.cut_entries.size()));
    if (!is_number(name))
        return std::nullopt;
    return place_named(folders, name);
}

std::vector<std::string> removal_roots(const CutFolders& folders) {
    return {folders.cut_entries};
}

// The place's folder goes first, its note last: a run ending in between
// leaves a note without an entry, which explains nothing and is removed.
// True when nothing of the place is left.
bool remove_place(FileDisk& disk, const CutFolders& folders, const Place& place) {
    const std::vector<std::string> roots = removal_roots(folders);
    if (!remove_tree(disk, place.folder, roots))
        return false;
    if (taken(disk, place.note))
        disk.remove_file(place.note);
    return !taken(disk, place.note);
}

std::optional<CutRecord> read_record(const FileDisk& disk, const Place& place) {
    if (disk.state(place.note) != PathState::file || disk.is_link(place.note))
        return std::nullopt;
    const std::optional<std::string> note = disk.read_note(place.note);
    return note ? parse_cut_record(*note) : std::nullopt;
}

bool write_record(FileDisk& disk, const Place& place, const CutRecord& record) {
    return disk.write_note(place.note, format_cut_record(record));
}

bool has_control_character(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool holds_fingerprint(const FileDisk& disk, const std::string& path,
                       const std::optional<Fingerprint>& wanted) {
    return wanted && disk.state(path) == PathState::file && disk.fingerprint(path) == wanted;
}

// One settling pass: where entries that cannot go home go.
class Settler {
  public:
    Settler(FileDisk& disk, const CutFolders& folders, SettleReport& report)
        : disk_(disk), folders_(folders), report_(report) {}

    void settle(const std::string& number, const std::string& keep,
                const std::map<std::string, std::string>& known_origins);

  private:
    // Where an entry named `name` from `origin` goes; empty when nowhere.
    std::string destination(const std::string& origin, const std::string& name);
    std::string in_own_menu(const std::string& name);
    std::string in_recovery_folder(const std::string& name);
    bool recover(const std::string& item, bool folder);
    bool send_back(const Place& place, CutRecord record, const std::string& waiting);

    FileDisk& disk_;
    const CutFolders& folders_;
    SettleReport& report_;
    bool recovery_tried_ = false;
};

std::string Settler::in_own_menu(const std::string& name) {
    const std::string top = with_trailing_separator(folders_.own_menu);
    if (folders_.own_menu.empty() ||
        disk_.state(without_trailing_separator(top)) == PathState::missing) {
        return {};
    }
    return free_name_on(disk_, top + name).value_or("");
}

std::string Settler::in_recovery_folder(const std::string& name) {
    if (!recovery_tried_) {
        recovery_tried_ = true;
        const std::string top = with_trailing_separator(folders_.own_menu);
        if (!folders_.own_menu.empty() && !folders_.recovered_name.empty() &&
            disk_.state(without_trailing_separator(top)) != PathState::missing) {
            const auto folder = free_name_on(disk_, top + folders_.recovered_name);
            if (folder && disk_.make_folder(*folder))
                report_.recovery_folder = with_trailing_separator(*folder);
        }
    }
    if (report_.recovery_folder.empty())
        return {};
    return free_name_on(disk_, report_.recovery_folder + name).value_or("");
}

std::string Settler::destination(const std::string& origin, const std::string& name) {
    if (origin_allowed(origin, folders_.menus)) {
        const std::string folder(folder_part(origin));
        if (make_folders(disk_, folder)) {
            if (auto home = free_name_on(disk_, origin))
                return *home;
        }
    }
    std::string elsewhere = in_own_menu(name);
    if (elsewhere.empty())
        elsewhere = in_recovery_folder(name);
    if (!elsewhere.empty())
        report_.elsewhere.push_back(elsewhere);
    return elsewhere;
}

// Takes an item found in a place to the folder of recovered items; a link
// is removed as a link, never followed.
bool Settler::recover(const std::string& item, bool folder) {
    if (disk_.is_link(item))
        return folder ? disk_.remove_folder(item) : disk_.remove_file(item);
    const std::string target = in_recovery_folder(std::string(file_name_part(item)));
    if (target.empty())
        return false;
    const std::vector<std::string> roots = removal_roots(folders_);
    if (!move_item(disk_, item, target, folders_.staging, roots))
        return false;
    report_.recovered.push_back(target);
    return true;
}

bool Settler::send_back(const Place& place, CutRecord record, const std::string& waiting) {
    const std::string target = destination(record.origin, std::string(file_name_part(waiting)));
    if (target.empty())
        return false;
    record.placing = target;
    if (!write_record(disk_, place, record))
        return false;
    if (disk_.rename(waiting, target))
        return true;
    return copy_whole(disk_, waiting, target, folders_.staging);
}

void Settler::settle(const std::string& number, const std::string& keep,
                     const std::map<std::string, std::string>& known_origins) {
    const Place place = place_named(folders_, number);
    const std::string folder = without_trailing_separator(place.folder);
    // A link in a place's stead is removed as a link; what it points to is
    // not the program's.
    if (disk_.is_link(folder))
        disk_.remove_folder(folder);
    std::optional<CutRecord> record = read_record(disk_, place);
    if (disk_.is_link(place.note))
        disk_.remove_file(place.note);

    std::vector<DirectoryEntry> items;
    if (disk_.state(folder) == PathState::folder && !disk_.is_link(folder))
        items = disk_.list(place.folder).value_or(std::vector<DirectoryEntry>{});
    std::string waiting;
    if (record) {
        const std::string name(file_name_part(record->origin));
        for (const DirectoryEntry& item : items) {
            if (!item.is_directory && !item.is_link && item.name == name &&
                !disk_.is_link(place.folder + item.name)) {
                waiting = place.folder + item.name;
            }
        }
    }
    if (!waiting.empty() && !keep.empty() && same_path(waiting, keep))
        return;
    for (const auto& [path, origin] : known_origins) {
        if (record && !waiting.empty() && same_path(path, waiting))
            record->origin = origin;
    }

    // What the note does not explain goes to the folder of recovered items.
    bool whole = true;
    for (const DirectoryEntry& item : items) {
        const std::string path = place.folder + item.name;
        if (path != waiting && !recover(path, item.is_directory))
            whole = false;
    }

    if (record && record->move) {
        // The move's copy is whole and its source still there: it goes now.
        if (origin_allowed(record->origin, folders_.menus) &&
            holds_fingerprint(disk_, record->origin, record->fingerprint) &&
            holds_fingerprint(disk_, record->placing, record->fingerprint)) {
            disk_.remove_file(record->origin);
        }
    } else if (!waiting.empty()) {
        const bool arrived = record->pasted || (!record->placing.empty() &&
                                                disk_.state(record->placing) == PathState::file &&
                                                disk_.same_bytes(record->placing, waiting));
        // The entry never left (the run ended before its removal), or came
        // home before the place went: the copy is not needed.
        const bool home = origin_allowed(record->origin, folders_.menus) &&
                          holds_fingerprint(disk_, record->origin, record->fingerprint);
        if (!arrived && !home && !send_back(place, *record, waiting)) {
            report_.stuck.push_back(waiting);
            return;
        }
    }
    if (whole && remove_place(disk_, folders_, place) && !waiting.empty())
        report_.settled.push_back(waiting);
}

}  // namespace

bool origin_allowed(std::string_view origin, const std::vector<std::string>& menus) {
    if (origin.empty() || !is_valid_utf8(origin) || has_control_character(origin) ||
        has_reserved_part(origin)) {
        return false;
    }
    return std::any_of(menus.begin(), menus.end(), [&](const std::string& menu) {
        return !menu.empty() && may_delete_tree(origin, std::vector<std::string>{menu});
    });
}

std::optional<std::string> start_cut(FileDisk& disk, const CutFolders& folders,
                                     const std::string& entry) {
    if (folders.cut_entries.empty() || !own_folder_ready(disk, folders.cut_entries, folders.data))
        return std::nullopt;
    const std::optional<Fingerprint> fingerprint = disk.fingerprint(entry);
    if (!fingerprint || disk.is_link(entry))
        return std::nullopt;
    std::optional<Place> place;
    for (int number = 1; number <= kMostPlaces && !place; ++number) {
        Place candidate = place_named(folders, std::to_string(number));
        if (!taken(disk, without_trailing_separator(candidate.folder)) &&
            !taken(disk, candidate.note)) {
            place = std::move(candidate);
        }
    }
    if (!place)
        return std::nullopt;
    const std::string waiting = place->folder + std::string(file_name_part(entry));
    CutRecord record{entry, false, fingerprint, {}, false};
    // The note first: whatever happens next, a later start knows where the
    // entry belongs and which bytes are its own.
    const bool kept = write_record(disk, *place, record) &&
                      disk.make_folder(without_trailing_separator(place->folder)) &&
                      disk.copy_file(entry, waiting) && disk.same_bytes(entry, waiting);
    if (!kept) {
        remove_place(disk, folders, *place);
        return std::nullopt;
    }
    return waiting;
}

namespace {

// Rewrites the note of a waiting entry with one change made to it.
template <typename Change>
bool change_note(FileDisk& disk, const CutFolders& folders, const std::string& waiting,
                 Change change) {
    const std::optional<Place> place = place_of(folders, waiting);
    std::optional<CutRecord> record = waiting_cut(disk, folders, waiting);
    if (!place || !record)
        return false;
    change(*record);
    return write_record(disk, *place, *record);
}

}  // namespace

std::optional<CutRecord> waiting_cut(const FileDisk& disk, const CutFolders& folders,
                                     const std::string& path) {
    const std::optional<Place> place = place_of(folders, path);
    if (!place || disk.state(path) != PathState::file)
        return std::nullopt;
    return read_record(disk, *place);
}

bool mark_cut_placing(FileDisk& disk, const CutFolders& folders, const std::string& waiting,
                      const std::string& target) {
    return change_note(disk, folders, waiting, [&](CutRecord& record) { record.placing = target; });
}

bool mark_cut_pasted(FileDisk& disk, const CutFolders& folders, const std::string& waiting) {
    return change_note(disk, folders, waiting, [](CutRecord& record) { record.pasted = true; });
}

void drop_cut(FileDisk& disk, const CutFolders& folders, const std::string& waiting) {
    if (const std::optional<Place> place = place_of(folders, waiting))
        remove_place(disk, folders, *place);
}

std::optional<std::string> start_move(FileDisk& disk, const CutFolders& folders,
                                      const std::string& source, const std::string& target) {
    if (folders.cut_entries.empty() || !own_folder_ready(disk, folders.cut_entries, folders.data))
        return std::nullopt;
    const std::optional<Fingerprint> fingerprint = disk.fingerprint(source);
    if (!fingerprint)
        return std::nullopt;
    for (int number = 1; number <= kMostPlaces; ++number) {
        const Place place = place_named(folders, std::to_string(number));
        if (taken(disk, without_trailing_separator(place.folder)) || taken(disk, place.note))
            continue;
        if (!write_record(disk, place, CutRecord{source, false, fingerprint, target, true}))
            return std::nullopt;
        return place.note;
    }
    return std::nullopt;
}

void end_move(FileDisk& disk, const CutFolders& folders, const std::string& note) {
    if (path_is_inside(note, folders.cut_entries) && note.ends_with(kNoteExtension))
        disk.remove_file(note);
}

SettleReport settle_cuts(FileDisk& disk, const CutFolders& folders, const std::string& keep,
                         const std::map<std::string, std::string>& known_origins) {
    SettleReport report;
    if (folders.cut_entries.empty() ||
        disk.is_link(without_trailing_separator(folders.cut_entries)))
        return report;
    const auto entries = disk.list(folders.cut_entries);
    if (!entries)
        return report;
    // Every numbered place, whether it has its note, its folder or both.
    std::set<std::pair<std::size_t, std::string>> numbers;
    for (const DirectoryEntry& entry : *entries) {
        std::string name = entry.name;
        if (!entry.is_directory) {
            if (!name.ends_with(kNoteExtension))
                continue;  // an entry an older version left here: not ours to move
            name.resize(name.size() - kNoteExtension.size());
        }
        if (is_number(name))
            numbers.insert({name.size(), name});
    }
    Settler settler(disk, folders, report);
    for (const auto& [length, number] : numbers)
        settler.settle(number, keep, known_origins);
    return report;
}

}  // namespace trevalon
