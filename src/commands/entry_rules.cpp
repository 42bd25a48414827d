#include "commands/entry_rules.h"

#include "menu/name_rules.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

std::string lower_extension(std::string_view path) {
    const NameParts parts = split_extension(file_name_part(path));
    return parts.has_dot ? ascii_lower(parts.extension) : std::string();
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return upper_case(utf8_to_utf16(a)) == upper_case(utf8_to_utf16(b));
}

}  // namespace

std::string usable_name(std::string_view typed) {
    std::string name = strip_name_characters(typed);
    std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return name;
}

std::string fitted_name(std::string_view name, std::string_view folder, std::string_view tail) {
    std::string fitted = fit_base_name(name, folder, tail);
    return tail.empty() ? usable_name(fitted) : fitted;
}

std::string renamed_folder_path(std::string_view folder_path, std::string_view new_name) {
    const std::string folder = without_trailing_separator(folder_path);
    std::string renamed(folder_part(folder));
    const std::string name = fitted_name(new_name, folder_part(folder), "");
    if (name.empty())
        return {};
    return with_trailing_separator(renamed + name);
}

std::string entry_base_name(std::string_view file_name) {
    return std::string(split_extension(file_name).base);
}

std::string renamed_entry_path(std::string_view list_folder, std::string_view old_file_name,
                               std::string_view new_name) {
    std::string path = with_trailing_separator(list_folder);
    const NameParts old_parts = split_extension(old_file_name);
    std::string extension;
    if (old_parts.has_dot) {
        extension += '.';
        extension += old_parts.extension;
    }
    const std::string name = fitted_name(new_name, path, extension);
    if (name.empty())
        return {};
    return path + name + extension;
}

int find_folder_item(const FolderTable& table, std::string_view path) {
    const std::string wanted = with_trailing_separator(path);
    for (int item = 0; item < table.count(); ++item) {
        if (same_ignoring_case(with_trailing_separator(table.paths[item]), wanted))
            return item;
    }
    return -1;
}

std::string first_url_line(std::string_view content) {
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= 4 && ascii_lower(line.substr(0, 4)) == "url=")
            return std::string(line.substr(4));
        if (end == std::string_view::npos)
            break;
        content.remove_prefix(end + 1);
    }
    return {};
}

bool is_link_file(std::string_view path) {
    return lower_extension(path) == "lnk";
}

SelectedEntry analyse_entry(std::string path, std::string display, const EntryReaders& readers,
                            const EntryNotes& notes) {
    SelectedEntry entry;
    entry.path = std::move(path);
    entry.display = std::move(display);
    const std::string extension = lower_extension(entry.path);
    if (extension == "lnk") {
        const std::optional<LinkFields> link = readers.read_link(entry.path);
        if (!link) {
            entry.note = notes.missing_target;
        } else if (is_bookmark_link(*link)) {
            entry.target = bookmark_address(*link);
        } else {
            entry.target = link->target;
            if (entry.target.empty()) {
                entry.note = notes.universal_app;
            } else if (!readers.exists(entry.target)) {
                entry.note = notes.missing_target;
            }
            entry.program = lower_extension(entry.target) == "exe";
        }
    } else if (extension == "url") {
        if (const std::optional<std::string> content = readers.read_text(entry.path))
            entry.target = first_url_line(*content);
    } else {
        entry.target = entry.path;
    }
    return entry;
}

LaunchKind decide_launch(std::string_view path, const std::optional<LinkFields>& link,
                         const PathExists& exists) {
    if (!is_link_file(path))
        return LaunchKind::open;
    if (!link)
        return LaunchKind::missing_target;
    if (link->target.empty() || exists(link->target))
        return LaunchKind::open_and_record;
    return LaunchKind::missing_target;
}

}  // namespace trevalon
