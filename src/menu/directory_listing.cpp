#include "menu/directory_listing.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#ifdef _WIN32
#include <io.h>  // the C runtime's find functions; not the Windows headers
#endif

#include "base/utf8_path.h"
#include "menu/reserved_names.h"
#include "menu/unicode_text.h"

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

#ifdef _WIN32

// The C runtime's find functions hand over kind, attributes, size and time
// with each name (no further look-up per entry) and, unlike the runtime's
// directory streams, take paths longer than 260 characters.

// Long absolute paths need the "\\?\" form unless long paths are enabled
// system-wide.
std::wstring search_pattern(std::string_view folder) {
    std::u16string path = utf8_to_utf16(folder);
    for (char16_t& c : path) {
        if (c == u'/')
            c = u'\\';
    }
    if (!path.empty() && path.back() != u'\\')
        path += u'\\';
    path += u'*';
    constexpr std::size_t kLongPath = 240;
    // A folder of a name Windows reads as a device is listed as it is.
    if (path.size() >= kLongPath || has_reserved_part(folder)) {
        if (path.size() > 2 && path[1] == u':' && path[2] == u'\\') {
            path.insert(0, u"\\\\?\\");
        } else if (path.starts_with(u"\\\\") && !path.starts_with(u"\\\\?\\")) {
            path.replace(0, 2, u"\\\\?\\UNC\\");
        }
    }
    return std::wstring(path.begin(), path.end());
}

std::optional<std::vector<DirectoryEntry>> read_entries(std::string_view folder, ListingDetail) {
    constexpr unsigned kReparsePoint = 0x400;
    _wfinddata64_t data{};
    const intptr_t handle = _wfindfirst64(search_pattern(folder).c_str(), &data);
    if (handle == -1)
        return std::nullopt;
    std::vector<DirectoryEntry> entries;
    do {
        const std::wstring_view wide(data.name);
        if (wide == L"." || wide == L"..")
            continue;
        DirectoryEntry entry;
        entry.name = utf16_to_utf8(std::u16string(wide.begin(), wide.end()));
        entry.is_directory = (data.attrib & _A_SUBDIR) != 0;
        entry.is_link = (data.attrib & kReparsePoint) != 0;
        entry.read_only = (data.attrib & _A_RDONLY) != 0;
        entry.size = entry.is_directory ? 0 : static_cast<std::uintmax_t>(data.size);
        entry.modified = std::chrono::file_clock::from_sys(
            std::chrono::system_clock::from_time_t(static_cast<std::time_t>(data.time_write)));
        entries.push_back(std::move(entry));
    } while (_wfindnext64(handle, &data) == 0);
    _findclose(handle);
    return entries;
}

#else

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

std::optional<std::vector<DirectoryEntry>> read_entries(std::string_view folder,
                                                        ListingDetail detail) {
    std::error_code ec;
    fs::directory_iterator it(utf8_to_path(folder), fs::directory_options::skip_permission_denied,
                              ec);
    if (ec)
        return std::nullopt;
    std::vector<DirectoryEntry> entries;
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
        entries.push_back(std::move(entry));
    }
    return entries;
}

#endif

}  // namespace

void sort_entries(std::vector<DirectoryEntry>& entries) {
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (DirectoryEntry& entry : entries) {
        std::u16string name = utf8_to_utf16(entry.name);
        keyed.push_back({upper_case(name), std::move(name), std::move(entry)});
    }
    std::sort(keyed.begin(), keyed.end(), keyed_less);
    entries.clear();
    for (Keyed& k : keyed)
        entries.push_back(std::move(k.entry));
}

std::optional<std::vector<DirectoryEntry>> list_directory(std::string_view folder,
                                                          ListingDetail detail) {
    auto entries = read_entries(folder, detail);
    if (!entries)
        return std::nullopt;
    sort_entries(*entries);
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
