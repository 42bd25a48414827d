// Internet shortcut files (.url) and their conversion into bookmark links.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "menu/shortcut_contents.h"
#include "menu/unicode_text.h"

namespace trevalon {

struct InternetShortcut {
    std::string address;
    std::string icon_file;
    int icon_index = 0;
};

// Reads "URL=", "IconFile=" and "IconIndex=" lines (any letter case) without
// looking at section headers, so a later line wins over an earlier one.
InternetShortcut read_internet_shortcut(std::istream& in);
InternetShortcut parse_internet_shortcut(std::string_view content);

// The integer a text starts with (after blanks, with an optional sign), 0
// when it starts with none; values beyond int are clamped.
int leading_integer(std::string_view text);

// Makes a shell link from its fields; true when the link file was saved.
using ShortcutCreator = std::function<bool(const ShortcutContents&)>;

// Converts every non-empty *.url file directly in folder into a bookmark
// link of the same base name (under a free name when that link exists) and
// deletes the .url once its link was made. When all free names are taken the
// .url stays: no existing link is overwritten. A file that is not UTF-8 was
// written in the legacy code page and is read through legacy_to_utf8 (when
// given). Returns how many were converted.
int convert_internet_shortcuts(std::string_view folder, const ShortcutCreator& create,
                               const LegacyToUtf8& legacy_to_utf8 = {});

}  // namespace trevalon
