// Portable UTF-8 <-> UTF-16 conversion and the simple upper-case mapping the
// program uses wherever names are compared without regard to letter case.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace trevalon {

// Malformed UTF-8 becomes U+FFFD, one per bad byte, so no input is lost silently
// and nothing is read past the end of the view.
std::u16string utf8_to_utf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(std::u16string_view utf16);

// Number of UTF-16 code units the UTF-8 text takes: the unit Windows counts
// path lengths in.
std::size_t utf16_length(std::string_view utf8);

// The character at text[pos]: how many bytes it takes (1 for a malformed
// byte, which stands for U+FFFD) and how many UTF-16 units.
struct Utf8Step {
    std::size_t bytes;
    std::size_t units;
};
Utf8Step utf8_step(std::string_view text, std::size_t pos);

// Turns text in the system's legacy (ANSI) code page into UTF-8; the Windows
// layer supplies it, tests a stand-in.
using LegacyToUtf8 = std::function<std::string(std::string_view)>;

// True when the bytes are well-formed UTF-8: no stray continuation bytes, no
// cut-off sequences, no overlong forms, surrogates or values beyond Unicode.
bool is_valid_utf8(std::string_view bytes);

// Simple one-to-one upper-case mapping of one UTF-16 code unit, close to the
// table NTFS uses for its name order: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic, Armenian and the full-width Latin letters. Other units stay.
char16_t upper_case(char16_t unit);
std::u16string upper_case(std::u16string_view text);

// Only A-Z become a-z; every other byte (all of multi-byte UTF-8) stays.
std::string ascii_lower(std::string_view text);

// True when needle occurs in haystack, letter case ignored as upper_case does.
bool contains_ignoring_case(std::string_view haystack, std::string_view needle);

}  // namespace trevalon
