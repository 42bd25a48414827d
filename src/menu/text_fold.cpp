#include "menu/text_fold.h"

#include <algorithm>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

const fold_table::FoldEntry* find_fold(char16_t unit) {
    const fold_table::FoldEntry* begin = fold_table::kFolds;
    const fold_table::FoldEntry* end = begin + fold_table::kFoldCount;
    const auto* found = std::lower_bound(
        begin, end, unit, [](const fold_table::FoldEntry& e, char16_t u) { return e.unit < u; });
    return found != end && found->unit == unit ? found : nullptr;
}

bool is_word_class(CharClass kind) {
    return kind != CharClass::separator && kind != CharClass::mark;
}

// Whether a unit of class `kind` after one of class `before` begins a word.
bool begins_word(CharClass before, CharClass kind) {
    if (!is_word_class(kind))
        return false;
    if (before == CharClass::separator)
        return true;
    if ((kind == CharClass::digit) != (before == CharClass::digit))
        return true;
    return kind == CharClass::upper && before == CharClass::lower;
}

// Names and their folded forms are far shorter than this.
constexpr std::size_t kLongestKey = 0x7FFF;

std::uint16_t clamp16(std::size_t n) {
    return static_cast<std::uint16_t>(std::min(n, kLongestKey));
}

}  // namespace

CharClass char_class(char16_t unit) {
    if (unit < 0x80) {
        if (unit >= u'a' && unit <= u'z')
            return CharClass::lower;
        if (unit >= u'A' && unit <= u'Z')
            return CharClass::upper;
        if (unit >= u'0' && unit <= u'9')
            return CharClass::digit;
        return CharClass::separator;
    }
    const fold_table::ClassRun* begin = fold_table::kClassRuns;
    const fold_table::ClassRun* end = begin + fold_table::kClassRunCount;
    const auto* after =
        std::upper_bound(begin, end, unit,
                         [](char16_t u, const fold_table::ClassRun& run) { return u < run.first; });
    return after == begin ? CharClass::separator : (after - 1)->kind;
}

void append_folded(std::u16string& out, char16_t unit) {
    if (unit < 0x80) {
        out += (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 0x20) : unit;
        return;
    }
    if (const fold_table::FoldEntry* entry = find_fold(unit)) {
        out.append(entry->folded, entry->count);
        return;
    }
    out += unit;
}

std::u16string fold_text(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t unit : text)
        append_folded(out, unit);
    return out;
}

std::u16string fold_text(std::string_view utf8) {
    return fold_text(utf8_to_utf16(utf8));
}

SearchKey::SearchKey(std::string_view name, bool is_file)
    : SearchKey(std::u16string_view(utf8_to_utf16(name)), is_file) {}

SearchKey::SearchKey(std::u16string_view wide, bool is_file) {
    std::size_t display_end = wide.size();
    if (is_file) {
        const std::size_t dot = wide.rfind(u'.');
        if (dot != std::u16string_view::npos)
            display_end = dot;
    }
    // Built in buffers kept for the next name, then stored in one piece: an
    // index holds tens of thousands of keys.
    thread_local std::u16string folded;
    thread_local std::u16string starts;
    folded.clear();
    starts.clear();
    CharClass before = CharClass::separator;
    bool start_pending = false;
    bool minor_pending = false;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (i == display_end) {
            display_ = clamp16(folded.size());
            start_pending = false;
        }
        const CharClass kind = char_class(wide[i]);
        if (i < display_end && begins_word(before, kind)) {
            start_pending = true;
            minor_pending = kind == CharClass::lower && !starts.empty();
        }
        const std::size_t at = folded.size();
        append_folded(folded, wide[i]);
        // A letter that folds to nothing hands its word start on.
        if (start_pending && folded.size() > at && at <= kLongestKey) {
            starts += static_cast<char16_t>(at | (minor_pending ? kMinorWord : 0));
            start_pending = false;
        }
        if (kind != CharClass::mark)
            before = kind;
    }
    if (display_end == wide.size())
        display_ = clamp16(folded.size());
    length_ = clamp16(folded.size());
    data_.reserve(length_ + starts.size());
    data_.assign(folded, 0, length_);
    data_ += starts;
}

std::size_t SearchKey::heap_bytes() const {
    // Beyond the short-string buffer the characters live apart.
    return data_.capacity() > 7 ? (data_.capacity() + 1) * sizeof(char16_t) : 0;
}

}  // namespace trevalon
