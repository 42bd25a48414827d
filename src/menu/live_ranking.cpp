#include "menu/live_ranking.h"

#include <algorithm>

#include "menu/path_text.h"
#include "menu/text_fold.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

// A name's folded units one by one, without copying the name.
class FoldedUnits {
  public:
    explicit FoldedUnits(std::string_view text) : text_(text) {}

    // The next unit, or 0 at the end (names hold no NUL).
    char16_t peek() {
        fill();
        return at_ < folded_.size() ? folded_[at_] : u'\0';
    }
    void next() {
        fill();
        if (at_ < folded_.size())
            ++at_;
    }

  private:
    void fill() {
        while (at_ == folded_.size() && pos_ < text_.size()) {
            folded_.clear();
            at_ = 0;
            const Utf8Step step = utf8_step(text_, pos_);
            const std::u16string units = utf8_to_utf16(text_.substr(pos_, step.bytes));
            pos_ += step.bytes;
            for (const char16_t unit : units)
                append_folded(folded_, unit);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::u16string folded_;
    std::size_t at_ = 0;
};

bool is_digit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// A run of digits without its leading zeros.
std::u16string digit_run(FoldedUnits& units) {
    std::u16string run;
    while (is_digit(units.peek())) {
        if (!(run.empty() && units.peek() == u'0'))
            run += units.peek();
        units.next();
    }
    return run;
}

std::string_view display_part(std::string_view shown_name) {
    return split_extension(shown_name).base;
}

}  // namespace

int PortableNameOrder::compare(std::string_view a, std::string_view b) const {
    FoldedUnits x(a);
    FoldedUnits y(b);
    for (;;) {
        const char16_t ux = x.peek();
        const char16_t uy = y.peek();
        if (ux == u'\0' || uy == u'\0') {
            if (ux != uy)
                return ux == u'\0' ? -1 : 1;
            break;
        }
        if (is_digit(ux) && is_digit(uy)) {
            const std::u16string rx = digit_run(x);
            const std::u16string ry = digit_run(y);
            if (rx.size() != ry.size())
                return rx.size() < ry.size() ? -1 : 1;
            if (rx != ry)
                return rx < ry ? -1 : 1;
            continue;
        }
        if (ux != uy)
            return ux < uy ? -1 : 1;
        x.next();
        y.next();
    }
    const int plain = a.compare(b);
    return plain < 0 ? -1 : plain > 0 ? 1 : 0;
}

void apply_usage(LiveResults& results, const UsageScores& scores) {
    if (scores.empty())
        return;
    // Runs over every match of a key: the name is upper-cased where it was
    // converted, not copied again.
    for (LiveMatch& match : results.matches) {
        std::u16string key = utf8_to_utf16(results.name_of(match));
        for (char16_t& unit : key)
            unit = upper_case(unit);
        const auto found = scores.find(key);
        match.usage = found == scores.end() ? 0.0f : found->second;
    }
}

bool ranks_before(const LiveResults& results, std::size_t a_place, std::size_t b_place,
                  const NameOrder& names) {
    const LiveMatch& a = results.matches[a_place];
    const LiveMatch& b = results.matches[b_place];
    if (a.tier != b.tier)
        return a.tier < b.tier;
    if (a.usage != b.usage)
        return a.usage > b.usage;
    if (a.length != b.length)
        return a.length < b.length;
    const int order = names.compare(display_part(results.shown_name_of(a)),
                                    display_part(results.shown_name_of(b)));
    if (order != 0)
        return order < 0;
    return a_place < b_place;
}

RankedResults::RankedResults(LiveResults results, std::shared_ptr<const NameOrder> names)
    : results_(std::move(results)), names_(std::move(names)) {
    if (!names_)
        names_ = std::make_shared<PortableNameOrder>();
    order_.resize(results_.matches.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = static_cast<std::uint32_t>(i);
}

const LiveMatch& RankedResults::at(std::size_t rank) {
    rank_first(rank + 1);
    return results_.matches[order_[rank]];
}

void RankedResults::rank_first(std::size_t count) {
    if (count <= ranked_)
        return;
    constexpr std::size_t kLeast = 64;
    const std::size_t target = std::min(order_.size(), std::max({count, ranked_ * 2, kLeast}));
    const auto less = [this](std::uint32_t a, std::uint32_t b) {
        return ranks_before(results_, a, b, *names_);
    };
    const auto first = order_.begin() + static_cast<std::ptrdiff_t>(ranked_);
    const auto last = order_.begin() + static_cast<std::ptrdiff_t>(target);
    if (target < order_.size())
        std::nth_element(first, last, order_.end(), less);
    std::sort(first, last, less);
    ranked_ = target;
}

}  // namespace trevalon
