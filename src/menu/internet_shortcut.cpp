#include "menu/internet_shortcut.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

#include "base/utf8_path.h"
#include "menu/directory_listing.h"
#include "menu/free_name.h"
#include "menu/reserved_names.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {

bool starts_with_key(std::string_view line, std::string_view lower_key) {
    return line.size() >= lower_key.size() &&
           ascii_lower(line.substr(0, lower_key.size())) == lower_key;
}

void read_line(std::string_view line, InternetShortcut& shortcut) {
    if (starts_with_key(line, "url=")) {
        shortcut.address = line.substr(4);
    } else if (starts_with_key(line, "iconfile=")) {
        shortcut.icon_file = line.substr(9);
    } else if (starts_with_key(line, "iconindex=")) {
        shortcut.icon_index = leading_integer(line.substr(10));
    }
}

bool is_usable_icon(const std::string& icon_file) {
    // Bytes that are not UTF-8 name no file this program can open.
    if (icon_file.empty() || !is_valid_utf8(icon_file))
        return false;
    std::error_code ec;
    const fs::path path = utf8_to_path(icon_file);
    if (!fs::is_regular_file(path, ec))
        return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    return !ec && size >= 1;
}

// The file's bytes; nothing when it cannot be read.
std::optional<std::string> read_whole_file(const std::string& path) {
    std::ifstream in(utf8_to_path(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool remove_forced(const fs::path& path) {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    return fs::remove(path, ec);
}

}  // namespace

int leading_integer(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

InternetShortcut read_internet_shortcut(std::istream& in) {
    InternetShortcut shortcut;
    std::string line;
    while (std::getline(in, line)) {
        // Lines may end in CR LF, LF or a lone CR.
        std::string_view rest = line;
        while (!rest.empty()) {
            const std::size_t cr = rest.find('\r');
            read_line(rest.substr(0, cr), shortcut);
            if (cr == std::string_view::npos)
                break;
            rest.remove_prefix(cr + 1);
        }
    }
    return shortcut;
}

InternetShortcut parse_internet_shortcut(std::string_view content) {
    std::istringstream in{std::string(content)};
    return read_internet_shortcut(in);
}

int convert_internet_shortcuts(std::string_view folder, const ShortcutCreator& create,
                               const LegacyToUtf8& legacy_to_utf8) {
    const std::string base_folder = with_trailing_separator(folder);
    const auto entries = list_directory(base_folder, ListingDetail::full);
    if (!entries)
        return 0;
    int converted = 0;
    for (const DirectoryEntry& entry : *entries) {
        if (entry.is_directory || entry.size < 1)
            continue;
        const NameParts parts = split_extension(entry.name);
        if (!parts.has_dot || ascii_lower(parts.extension) != "url")
            continue;
        // Read by its plain name, such a file would be a device (COM1.url);
        // and its link could be opened by no one either.
        if (has_reserved_part(base_folder + entry.name))
            continue;

        const std::string source = base_folder + entry.name;
        const auto link = free_name(base_folder + std::string(parts.base) + ".lnk");
        if (!link)
            continue;  // every free name taken: keep the .url rather than overwrite a link

        InternetShortcut shortcut;
        if (std::optional<std::string> content = read_whole_file(source)) {
            if (legacy_to_utf8 && !is_valid_utf8(*content))
                *content = legacy_to_utf8(*content);
            shortcut = parse_internet_shortcut(*content);
        }

        const bool own_icon = is_usable_icon(shortcut.icon_file);
        const ShortcutContents bookmark = bookmark_shortcut(
            *link, shortcut.address, own_icon ? shortcut.icon_file : std::string(),
            own_icon ? shortcut.icon_index : 0);
        if (create(bookmark) && remove_forced(utf8_to_path(source)))
            ++converted;
    }
    return converted;
}

}  // namespace trevalon
