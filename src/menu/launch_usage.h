// How often and how recently the user started each entry from the program:
// what orders the search results within a tier. Kept by file name (letter
// case ignored), as the recent programs are, so a program counts the same
// from every menu that holds it. The record is small and bounded, and its
// file is read whole or not at all: a damaged file reads as empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trevalon {

// The weight of a launch halves in this time: recent launches weigh more.
inline constexpr std::int64_t kUsageHalfLife = 14 * 86400;
// Names kept at most; beyond that the least used go.
inline constexpr std::size_t kUsageNamesKept = 400;
// A file larger than this is damaged (a full record is far smaller).
inline constexpr std::size_t kUsageFileLimit = 256 * 1024;

// The weights of every recorded name at one moment, by the upper-cased
// UTF-16 name the index keys files by.
using UsageScores = std::unordered_map<std::u16string, float>;

class LaunchUsage {
  public:
    struct Entry {
        std::string name;         // the file name as last started
        std::uint32_t count = 0;  // launches in all
        std::int64_t last = 0;    // seconds since 1970 of the last
        double weight = 0;        // the launches' weight at `last`
    };

    // A launch of the file `name` (no folder) at `now`. Names longer than a
    // file name can be, or holding a line break or a tab, are not recorded.
    void record(std::string_view name, std::int64_t now);
    void clear() { entries_.clear(); }

    // The weight of a name at `now`: each launch counts 1, halving every
    // kUsageHalfLife since it happened.
    double weight(std::string_view name, std::int64_t now) const;
    UsageScores scores(std::int64_t now) const;

    // The time of the newest launch: the moment from which scores() sees
    // the weights in the same order as from any later one.
    std::int64_t latest() const;

    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t approximate_bytes() const;

    // The file's text, and the record from it: anything but a whole, well
    // formed file of at most kUsageFileLimit bytes reads as an empty record.
    std::string format() const;
    static LaunchUsage parse(std::string_view bytes);

  private:
    std::vector<Entry> entries_;
};

}  // namespace trevalon
