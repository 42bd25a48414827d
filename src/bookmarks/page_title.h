// The page title of a web address, as a hidden PowerShell fetches it: the
// command it runs and how its answer is read.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trevalon {

// The address reaches PowerShell only through this environment variable of
// the child process: the command line never holds any of it, so no character
// of a dropped text can end a string or start a command there.
inline constexpr std::string_view kTitleAddressVariable = "TREVALON_BOOKMARK_ADDRESS";

// The PowerShell command: requests the address with the given time-out and
// prints the page's <title>, HTML-decoded and on one line, as UTF-8. Parsing
// the page through the Internet Explorer engine (ParsedHtml) fails where that
// engine is missing, so the title is taken from the raw content instead. The
// text holds no double quote, so it can be passed as one quoted argument.
std::string title_fetch_command(std::chrono::seconds request_timeout);

// The first line of what PowerShell printed: without a UTF-8 byte order mark
// and without the line end.
std::string first_output_line(std::string_view output);

// Turns bytes in the system's legacy code page into UTF-8.
using LegacyTextToUtf8 = std::function<std::string(std::string_view)>;

// The title in what PowerShell printed; nothing for an empty answer or one
// that starts like PowerShell's error report ("Invoke-WebRequest"). Valid
// UTF-8 is taken as it is; anything else was written in the legacy code page
// and is converted. Surrounding blanks are trimmed.
std::optional<std::string> title_from_output(std::string_view output,
                                             const LegacyTextToUtf8& legacy_to_utf8);

}  // namespace trevalon
