// How well a name matches a search text, in tiers that never mix: a result
// of a better tier always stands above one of a worse tier, whatever else is
// known about them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "menu/text_fold.h"

namespace trevalon {

// Best first. The folder tiers say the same of a folder above the entry
// when only a folder matches: below every match of the entry's own name.
enum class MatchTier : std::uint8_t {
    exact,        // the whole name is the text
    prefix,       // the name starts with it
    word_prefix,  // a word of the name starts with it
    initials,     // the starts of consecutive words spell it ("cm": Character Map)
    inside,       // it stands inside a word
    fuzzy,        // its letters stand in the name in order, with gaps
    folder_exact,
    folder_prefix,
    folder_word_prefix,
    folder_initials,
    folder_inside,
    folder_fuzzy,
    none,
};

inline constexpr int kNameTierCount = 6;

// The tier a folder's own name tier gives the entries below it.
MatchTier folder_tier(MatchTier name_tier);

// A text as the search compares it: folded, blanks at the ends dropped,
// each run of blanks one space; and its words. Beside it the text as the
// search command compares it: only upper-cased.
struct SearchText {
    std::u16string phrase;
    std::vector<std::u16string> words;
    std::u16string literal;

    bool empty() const { return words.empty() && literal.empty(); }
};
SearchText make_search_text(std::string_view text);

// Whether `later` can only match what `earlier` matched: it extends the
// literal text, and each of its words extends the word of `earlier` in the
// same place, or is one more word.
bool narrows(const SearchText& earlier, const SearchText& later);

// The tier of one word (no blanks) against a name's display name, one of
// the name tiers, or none.
MatchTier word_tier(const SearchKey& name, std::u16string_view word);

// The tier of the whole text against a name, given, for each word, the
// best tier a folder above the name reaches (none without folders). A text
// of several words matches when each does, anywhere and in any order, and
// takes the tier of its weakest word; the text as one phrase may do better.
// Whatever the search command finds (the literal text inside the upper-cased
// file name, extension included) matches at least as fuzzy.
MatchTier text_tier(const SearchKey& name, std::u16string_view upper_name, const SearchText& text,
                    const std::vector<MatchTier>& folder_tiers);

// The best tier of a folder's own name for each word of the text.
std::vector<MatchTier> folder_word_tiers(const SearchKey& folder, const SearchText& text);

}  // namespace trevalon
