// Names as the search compares them: letter case and diacritics do not
// count ("Éditeur" is "editeur", "Straße" is "strasse"), and the name knows
// where its words begin, so a text can match the start of any word or the
// initials of several.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "menu/text_fold_table.h"

namespace trevalon {

CharClass char_class(char16_t unit);

// Appends the folded form of one UTF-16 unit: none for a dropped mark, up
// to three for a letter such as "ß" or a ligature.
void append_folded(std::u16string& out, char16_t unit);
std::u16string fold_text(std::u16string_view text);
std::u16string fold_text(std::string_view utf8);

// One name, folded, with where its words begin. A word begins at the start,
// after a space or punctuation, at a run of digits and after one, and where
// a lower-case letter is followed by an upper-case one ("VisualStudio"). A
// word after the first that begins in lower case ("for", "of", "de") is a
// minor word, which initials may pass over ("wsl": Windows Subsystem for
// Linux).
// A file's name also knows where its display name (the name before its last
// ".") ends, so an extension never makes a better match than the name.
class SearchKey {
  public:
    SearchKey() = default;
    // name: UTF-8 (or UTF-16); for a file (not a folder) the extension is
    // set apart.
    SearchKey(std::string_view name, bool is_file);
    SearchKey(std::u16string_view name, bool is_file);

    // The whole folded name, extension included.
    std::u16string_view text() const { return std::u16string_view(data_).substr(0, length_); }
    // The folded display name: what the tiers of a match look at.
    std::u16string_view display() const { return text().substr(0, display_); }
    // Where the words of display() begin, ascending: word_position() of each
    // is its position, is_minor_word() says whether it is a minor word.
    std::u16string_view word_starts() const { return std::u16string_view(data_).substr(length_); }
    static std::size_t word_position(char16_t start) { return start & kPositionBits; }
    static bool is_minor_word(char16_t start) { return (start & kMinorWord) != 0; }

    // Memory the key holds beyond itself.
    std::size_t heap_bytes() const;

  private:
    static constexpr char16_t kMinorWord = 0x8000;
    static constexpr char16_t kPositionBits = 0x7FFF;

    // The folded name, then the word starts as units.
    std::u16string data_;
    std::uint16_t length_ = 0;
    std::uint16_t display_ = 0;
};

}  // namespace trevalon
