// The notes the program keeps beside its work on disk (a cut entry's, an
// undo's) are lines of "key=value", each ended by CR LF; a line feed alone
// ends a line too, so a note edited by hand still reads.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// The note's lines, without their line ends.
std::vector<std::string_view> note_lines(std::string_view text);

// The whole text as a number in `base`; nothing when it is anything else.
template <typename Number>
std::optional<Number> note_number(std::string_view text, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A number in hexadecimal digits, as note_number reads it with base 16.
std::string hex_number(std::uint64_t value);

}  // namespace trevalon
