// What reading a shell link gives back: its target and its arguments in one
// string, split at the link separator. The separator is the byte 0xFF, which
// never occurs in UTF-8 text and so in no path or argument.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

inline constexpr char kLinkSeparator = '\xFF';

struct LinkFields {
    std::string target;  // empty when the link could not be read
    std::string arguments;
};

std::string join_link_fields(std::string_view target, std::string_view arguments);
// Field 1 is everything before the first separator, field 2 everything after
// it (empty when there is no separator).
LinkFields split_link_fields(std::string_view joined);

// A bookmark is a link to the Windows Explorer with the quoted web address as
// its argument. The shell may hand back the target expanded and in any letter
// case ("C:\WINDOWS\explorer.exe"), so only the file name is compared.
bool is_bookmark_link(const LinkFields& fields);
// The bookmark's web address: the arguments without their double quotes.
std::string bookmark_address(const LinkFields& fields);

}  // namespace trevalon
