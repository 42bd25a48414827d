#include "menu/menu_search.h"

#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"
#include "menu/folder_walk.h"
#include "menu/unicode_text.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {
void copy_over(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) {
        // Replace by removing first: a read-only copy of an earlier match must
        // not keep the later one out, and MinGW's runtime cannot tell two files
        // on one drive apart when asked to overwrite.
        fs::permissions(to, fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove(to, ec);
    }
    fs::copy_file(from, to, ec);
}
}  // namespace

void find_menu_matches(std::string_view folder, std::string_view text,
                       const MenuMatchVisitor& found, const FolderLister& list) {
    const std::u16string needle = upper_case(utf8_to_utf16(text));
    walk_folder_tree(
        folder,
        [&](const std::string& parent, const DirectoryEntry& entry, int) {
            if (entry.is_directory)
                return;
            if (upper_case(utf8_to_utf16(entry.name)).find(needle) == std::u16string::npos)
                return;
            found(parent, entry.name);
        },
        list);
}

void search_menu_folder(std::string_view folder, std::string_view text,
                        std::string_view result_folder) {
    const fs::path results = utf8_to_path(result_folder);
    find_menu_matches(folder, text, [&](const std::string& parent, const std::string& name) {
        copy_over(utf8_to_path(parent + name), results / utf8_to_path(name));
    });
}

}  // namespace trevalon
