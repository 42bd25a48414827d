#include "menu/match_tiers.h"

#include <algorithm>
#include <cstdint>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

bool is_blank(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == 0x3000 ||
           unit == 0xA0;
}

bool is_subsequence(std::u16string_view name, std::u16string_view word) {
    std::size_t at = 0;
    for (const char16_t unit : name) {
        if (at < word.size() && unit == word[at])
            ++at;
    }
    return at == word.size();
}

// Whether the starts of two or more consecutive words spell the word, each
// giving one or more of its letters ("vsc", "vscode": Visual Studio Code);
// a minor word may give none ("wsl": Windows Subsystem for Linux). Bit i of
// a state set: the first i units of the word are spelt.
bool spells_initials(std::u16string_view name, std::u16string_view starts,
                     std::u16string_view word) {
    if (starts.size() < 2 || word.size() < 2 || word.size() > 63)
        return false;
    const std::uint64_t done = std::uint64_t{1} << word.size();
    std::uint64_t one_word = 0;    // spelt so far by one word alone
    std::uint64_t more_words = 0;  // spelt so far by two or more words
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t begin = SearchKey::word_position(starts[k]);
        const std::size_t end =
            k + 1 < starts.size() ? SearchKey::word_position(starts[k + 1]) : name.size();
        std::uint64_t next_one = 0;
        std::uint64_t next_more = 0;
        // From each spelt length, this word adds one or more of its first letters.
        const auto extend = [&](std::size_t spelt, std::uint64_t& into) {
            for (std::size_t n = 1; spelt + n <= word.size() && begin + n <= end; ++n) {
                if (name[begin + n - 1] != word[spelt + n - 1])
                    break;
                into |= std::uint64_t{1} << (spelt + n);
            }
        };
        extend(0, next_one);
        const std::uint64_t going = one_word | more_words;
        for (std::size_t spelt = 1; spelt < word.size(); ++spelt) {
            if (going & (std::uint64_t{1} << spelt))
                extend(spelt, next_more);
        }
        if (next_more & done)
            return true;
        if (SearchKey::is_minor_word(starts[k])) {
            next_one |= one_word;
            next_more |= more_words;
        }
        one_word = next_one & ~done;
        more_words = next_more;
    }
    return false;
}

bool at_word_start(std::u16string_view name, std::u16string_view starts, std::u16string_view word) {
    for (const char16_t start : starts) {
        const std::size_t at = SearchKey::word_position(start);
        if (at + word.size() <= name.size() && name.substr(at, word.size()) == word)
            return true;
    }
    return false;
}

// The phrase of several words against a name: only whole runs of it count.
MatchTier phrase_tier(const SearchKey& name, std::u16string_view phrase) {
    const std::u16string_view display = name.display();
    if (display == phrase)
        return MatchTier::exact;
    const std::size_t at = display.find(phrase);
    if (at == std::u16string_view::npos)
        return MatchTier::none;
    if (at == 0)
        return MatchTier::prefix;
    return at_word_start(display, name.word_starts(), phrase) ? MatchTier::word_prefix
                                                              : MatchTier::inside;
}

}  // namespace

MatchTier folder_tier(MatchTier name_tier) {
    if (name_tier >= MatchTier::folder_exact)
        return name_tier;
    return static_cast<MatchTier>(static_cast<int>(name_tier) + kNameTierCount);
}

SearchText make_search_text(std::string_view text) {
    SearchText search;
    const std::u16string folded = fold_text(text);
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && is_blank(folded[at]))
            ++at;
        std::size_t end = at;
        while (end < folded.size() && !is_blank(folded[end]))
            ++end;
        if (end > at)
            search.words.emplace_back(folded.substr(at, end - at));
        at = end;
    }
    for (const std::u16string& word : search.words) {
        if (!search.phrase.empty())
            search.phrase += u' ';
        search.phrase += word;
    }
    search.literal = upper_case(utf8_to_utf16(text));
    return search;
}

bool narrows(const SearchText& earlier, const SearchText& later) {
    if (earlier.words.empty() || later.words.size() < earlier.words.size() ||
        !later.literal.starts_with(earlier.literal))
        return false;
    const std::size_t last = earlier.words.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        if (later.words[i] != earlier.words[i])
            return false;
    }
    return later.words[last].starts_with(earlier.words[last]);
}

MatchTier word_tier(const SearchKey& name, std::u16string_view word) {
    const std::u16string_view display = name.display();
    if (word.empty() || word.size() > display.size())
        return MatchTier::none;
    if (display == word)
        return MatchTier::exact;
    const std::size_t at = display.find(word);
    if (at == 0)
        return MatchTier::prefix;
    const std::u16string_view starts = name.word_starts();
    if (at != std::u16string_view::npos && at_word_start(display, starts, word))
        return MatchTier::word_prefix;
    if (spells_initials(display, starts, word))
        return MatchTier::initials;
    if (at != std::u16string_view::npos)
        return MatchTier::inside;
    return is_subsequence(display, word) ? MatchTier::fuzzy : MatchTier::none;
}

MatchTier text_tier(const SearchKey& name, std::u16string_view upper_name, const SearchText& text,
                    const std::vector<MatchTier>& folder_tiers) {
    if (text.empty())
        return MatchTier::none;
    MatchTier weakest = text.words.empty() ? MatchTier::none : MatchTier::exact;
    for (std::size_t i = 0; i < text.words.size() && weakest != MatchTier::none; ++i) {
        MatchTier tier = word_tier(name, text.words[i]);
        if (i < folder_tiers.size())
            tier = std::min(tier, folder_tiers[i]);
        weakest = std::max(weakest, tier);
    }
    if (text.words.size() > 1)
        weakest = std::min(weakest, phrase_tier(name, text.phrase));
    // What the search command finds, by an extension or a mark the folding drops.
    if (weakest > MatchTier::fuzzy && !text.literal.empty() &&
        upper_name.find(text.literal) != std::u16string_view::npos)
        weakest = MatchTier::fuzzy;
    return weakest;
}

std::vector<MatchTier> folder_word_tiers(const SearchKey& folder, const SearchText& text) {
    std::vector<MatchTier> tiers;
    tiers.reserve(text.words.size());
    for (const std::u16string& word : text.words)
        tiers.push_back(folder_tier(word_tier(folder, word)));
    return tiers;
}

}  // namespace trevalon
