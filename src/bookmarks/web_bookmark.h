// A dropped web address made into a bookmark: a shell link named after the
// page's title that carries the site's favicon.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bookmarks/network_config.h"
#include "menu/internet_shortcut.h"

namespace trevalon {

class Clock;

struct BookmarkDrop {
    std::string folder;  // where the link goes, ending in a separator
    std::string text;    // what was dropped
    bool allow_internet = true;
    std::string icon_folder;  // where favicons are kept, ending in a separator
};

struct BookmarkSeams {
    // The page's title; nothing when none could be had.
    std::function<std::optional<std::string>(std::string_view address)> fetch_title;
    // Runs the network steps and returns when they are done (the Windows
    // layer runs them on a worker thread while the window keeps painting);
    // empty: they run in place.
    std::function<void(const std::function<void()>&)> run_network_steps;
    ShortcutCreator create_shortcut;
};

// Makes the bookmark link for a drop and returns its path; nothing when the
// text is blank or no link could be made. Surrounding blanks of the text are
// dropped. Only a web address (is_web_address) is looked up on the network,
// and only when the drop allows it: the page title names the link, else the
// address does (address_derived_name); the favicon becomes its icon, else
// url.dll's icon does. Any other text makes the same kind of link, named
// from the text, without a network step. An existing file is never
// replaced: the link takes the first free name.
std::optional<std::string> make_web_bookmark(const BookmarkDrop& drop, const NetworkConfig& config,
                                             const Clock& clock, const BookmarkSeams& seams);

}  // namespace trevalon
