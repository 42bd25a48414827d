#include "bookmarks/web_bookmark.h"

#include <filesystem>
#include <system_error>

#include "base/clock.h"
#include "base/utf8_path.h"
#include "bookmarks/favicon.h"
#include "bookmarks/web_address.h"
#include "menu/reserved_names.h"
#include "menu/free_name.h"
#include "menu/name_rules.h"
#include "menu/shortcut_contents.h"

namespace trevalon {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The link quotes its argument, so a double quote inside must not end it:
// in a web address it is written %22, which means the same; from other text
// it is left out. Backslashes at the end are doubled, or the last one would
// escape the closing quote.
std::string link_argument(std::string_view text, bool web) {
    std::string argument;
    for (char c : text) {
        if (c != '"')
            argument += c;
        else if (web)
            argument += "%22";
    }
    const std::size_t kept = argument.find_last_not_of('\\');
    const std::size_t trailing = argument.size() - (kept == std::string::npos ? 0 : kept + 1);
    argument.append(trailing, '\\');
    return argument;
}

bool non_empty_file(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(utf8_to_path(path), error);
    return !error && size > 0;
}

}  // namespace

std::optional<std::string> make_web_bookmark(const BookmarkDrop& drop, const NetworkConfig& config,
                                             const Clock& clock, const BookmarkSeams& seams) {
    const std::string text(trimmed(drop.text));
    if (text.empty() || !seams.create_shortcut)
        return std::nullopt;
    const bool web = is_web_address(text);

    std::optional<std::string> title;
    std::optional<std::string> icon;
    if (web && drop.allow_internet) {
        const std::int64_t now = clock.now_seconds();
        const auto network_steps = [&] {
            if (seams.fetch_title)
                title = seams.fetch_title(text);
            icon = fetch_favicon(text, drop.icon_folder, config, now);
        };
        if (seams.run_network_steps)
            seams.run_network_steps(network_steps);
        else
            network_steps();
    }

    std::string name;
    if (title && !title->empty())
        name = *title;
    else
        name = web ? address_derived_name(text) : text;
    std::string file_name = make_file_name(name, drop.folder);
    if (file_name.empty())
        return std::nullopt;
    // A page named like a device ("CON", "aux.html") would give a link
    // nothing can open by its name.
    if (is_device_name(file_name))
        file_name.insert(0, "_");
    const std::optional<std::string> link = free_name(drop.folder + file_name + ".lnk");
    if (!link)
        return std::nullopt;

    const std::string icon_file = icon && non_empty_file(*icon) ? *icon : std::string();
    ShortcutContents contents = bookmark_shortcut(*link, link_argument(text, web), icon_file, 0);
    contents.description = text;
    if (!seams.create_shortcut(contents))
        return std::nullopt;
    return link;
}

}  // namespace trevalon
