// Shell links (.lnk) through the shell's link object. Each call initialises
// COM for itself and uninitialises it again, so callers need not care whether
// COM is set up on their thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "menu/link_fields.h"
#include "menu/shortcut_contents.h"

namespace trevalon {

// Saves the link (overwriting a file of that name); true when it was saved.
bool create_shortcut(const ShortcutContents& contents);

// The link's target and arguments joined by kLinkSeparator; the target is
// empty when the link cannot be loaded or resolved. Resolving never shows a
// dialog. Read through the wide interface, so non-Latin targets and
// arguments of any length come back whole.
std::string read_shortcut(std::string_view link_file);
inline LinkFields read_shortcut_fields(std::string_view link_file) {
    return split_link_fields(read_shortcut(link_file));
}

// The same, telling a link that could not be loaded or resolved (nothing)
// from one that names a shell item without a file path (an empty target).
std::optional<LinkFields> read_shortcut_resolved(std::string_view link_file);

// Everything stored in the link, as stored (not resolved, environment
// references left in); nothing when it cannot be loaded.
std::optional<ShortcutContents> read_shortcut_contents(std::string_view link_file);

// The internet-shortcut conversion of the folder with real shell links; a
// .url that is not UTF-8 is read in the system's legacy code page.
int convert_internet_shortcuts(std::string_view folder);

}  // namespace trevalon
