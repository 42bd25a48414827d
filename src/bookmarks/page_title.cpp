#include "bookmarks/page_title.h"

#include <algorithm>

#include "menu/utf8_check.h"

namespace trevalon {
namespace {

constexpr std::string_view kErrorReportStart = "Invoke-WebRequest";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n\f\v";

}  // namespace

std::string title_fetch_command(std::chrono::seconds request_timeout) {
    // No "<" or ">" either (\x3C, \x3E in the pattern): nothing in the command
    // means anything to a command interpreter it might pass through.
    std::string command =
        "$ProgressPreference = 'SilentlyContinue'; "
        "[Console]::OutputEncoding = New-Object System.Text.UTF8Encoding $false; "
        "$page = Invoke-WebRequest -UseBasicParsing -TimeoutSec ";
    command += std::to_string(request_timeout.count());
    command += " -Uri $env:";
    command += kTitleAddressVariable;
    command +=
        "; $found = [regex]::Match($page.Content, "
        "'(?is)\\x3Ctitle\\b[^\\x3E]*\\x3E(.*?)\\x3C/title'); "
        "if ($found.Success) { "
        "([System.Net.WebUtility]::HtmlDecode($found.Groups[1].Value) -replace '\\s+', ' ').Trim() "
        "}";
    return command;
}

std::string first_output_line(std::string_view output) {
    if (output.starts_with(kByteOrderMark))
        output.remove_prefix(kByteOrderMark.size());
    output = output.substr(0, output.find('\n'));
    if (output.ends_with('\r'))
        output.remove_suffix(1);
    return std::string(output);
}

std::optional<std::string> title_from_output(std::string_view output,
                                             const LegacyTextToUtf8& legacy_to_utf8) {
    std::string line = first_output_line(output);
    // A zero byte ends the text, as it would for any reader of it.
    line.erase(std::find(line.begin(), line.end(), '\0'), line.end());
    if (!check_utf8(line.c_str()))
        line = legacy_to_utf8 ? legacy_to_utf8(line) : std::string();

    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = line.find_last_not_of(kBlanks);
    line = line.substr(first, last - first + 1);
    if (line.starts_with(kErrorReportStart))
        return std::nullopt;
    return line;
}

}  // namespace trevalon
