#include "menu/directory_listing.h"

#include <algorithm>
#include <system_error>

#include "menu/unicode_text.h"
#include "shell/utf8_path.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {

struct Keyed {
    std::u16string key;   // upper-cased name, the primary order
    std::u16string name;  // the name itself, so names differing only in case keep a fixed order
    DirectoryEntry entry;
};

bool keyed_less(const Keyed& a, const Keyed& b) {
    if (a.key != b.key)
        return a.key < b.key;
    return a.name < b.name;
}

void fill_details(const fs::directory_entry& item, DirectoryEntry& entry) {
    std::error_code ec;
    const fs::file_status status = item.status(ec);
    if (!ec)
        entry.read_only = (status.permissions() & fs::perms::owner_write) == fs::perms::none;
    if (!entry.is_directory) {
        const std::uintmax_t size = item.file_size(ec);
        entry.size = ec ? 0 : size;
    }
    const fs::file_time_type modified = item.last_write_time(ec);
    if (!ec)
        entry.modified = modified;
}

}  // namespace

std::optional<std::vector<DirectoryEntry>> list_directory(std::string_view folder,
                                                          ListingDetail detail) {
    std::error_code ec;
    fs::directory_iterator it(utf8_to_path(folder), fs::directory_options::skip_permission_denied,
                              ec);
    if (ec)
        return std::nullopt;

    std::vector<Keyed> keyed;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const fs::directory_entry& item = *it;
        DirectoryEntry entry;
        entry.name = path_to_utf8(item.path().filename());
        std::error_code kind_error;
        entry.is_directory = item.is_directory(kind_error);
        entry.is_link = item.is_symlink(kind_error);
        if (detail == ListingDetail::full)
            fill_details(item, entry);
        std::u16string name = utf8_to_utf16(entry.name);
        keyed.push_back({upper_case(name), std::move(name), std::move(entry)});
    }
    std::sort(keyed.begin(), keyed.end(), keyed_less);

    std::vector<DirectoryEntry> entries;
    entries.reserve(keyed.size());
    for (Keyed& k : keyed)
        entries.push_back(std::move(k.entry));
    return entries;
}

std::optional<std::vector<DirectoryEntry>> list_directory_kinds(std::string_view folder) {
    return list_directory(folder, ListingDetail::kinds);
}

bool ntfs_name_less(std::string_view a, std::string_view b) {
    const std::u16string wide_a = utf8_to_utf16(a);
    const std::u16string wide_b = utf8_to_utf16(b);
    return keyed_less({upper_case(wide_a), wide_a, {}}, {upper_case(wide_b), wide_b, {}});
}

}  // namespace trevalon
