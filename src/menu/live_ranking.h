// The order of the search results: tier first, then how much the user starts
// the entry, then the shorter name, then natural order (digits as numbers,
// letters as the user's language sorts them). Only the ranks something
// asks for are worked out: the first screen of thousands of matches costs a
// partial sort, not a full one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "menu/launch_usage.h"
#include "menu/live_matches.h"

namespace trevalon {

// Natural order of two display names: negative when a goes first.
class NameOrder {
  public:
    virtual ~NameOrder() = default;
    virtual int compare(std::string_view a, std::string_view b) const = 0;
};

// The order without the system's help: runs of digits by their value, the
// rest folded (letter case and diacritics do not count), then code units.
class PortableNameOrder final : public NameOrder {
  public:
    int compare(std::string_view a, std::string_view b) const override;
};

// Sets each match's usage from the scores (upper-cased file names).
void apply_usage(LiveResults& results, const UsageScores& scores);

// Whether the match at place a ranks before the one at place b (ties broken
// by root and walk order: by their places).
bool ranks_before(const LiveResults& results, std::size_t a, std::size_t b, const NameOrder& names);

class RankedResults {
  public:
    RankedResults() = default;
    RankedResults(LiveResults results, std::shared_ptr<const NameOrder> names);

    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    // The match at `rank` (below size()); ranks the matches up to it first.
    const LiveMatch& at(std::size_t rank);
    // Works out the first `count` ranks (and some more, so that walking down
    // a long list costs a partial sort now and then, not one per row).
    void rank_first(std::size_t count);
    std::size_t ranked() const { return ranked_; }

    const LiveResults& results() const { return results_; }
    // The name the match at `rank` is shown under (file name, extension too).
    std::string_view shown_name(std::size_t rank) { return results_.shown_name_of(at(rank)); }

  private:
    LiveResults results_;
    std::vector<std::uint32_t> order_;  // places in results_.matches, ranked up to ranked_
    std::size_t ranked_ = 0;
    std::shared_ptr<const NameOrder> names_;
};

}  // namespace trevalon
