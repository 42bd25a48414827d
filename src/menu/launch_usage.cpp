#include "menu/launch_usage.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <unordered_set>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

constexpr std::string_view kHeader = "Trevalon launch counts 1";
constexpr std::string_view kTrailer = "end";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLongestName = 1024;  // bytes; a file name is at most 255 units
constexpr double kWeightScale = 1e6;        // the weight is written in millionths
constexpr double kHeaviest = 1e9;

std::u16string key_of(std::string_view name) {
    return upper_case(utf8_to_utf16(name));
}

bool usable_name(std::string_view name) {
    return !name.empty() && name.size() <= kLongestName &&
           name.find_first_of("\t\r\n") == std::string_view::npos && is_valid_utf8(name);
}

double decayed(double weight, std::int64_t since, std::int64_t now) {
    const double elapsed = static_cast<double>(std::max<std::int64_t>(now - since, 0));
    return weight * std::exp2(-elapsed / static_cast<double>(kUsageHalfLife));
}

template <typename Number>
bool read_number(std::string_view text, Number& out) {
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

// Splits off the text up to `separator`; false when there is none.
bool take_field(std::string_view& line, char separator, std::string_view& field) {
    const std::size_t at = line.find(separator);
    if (at == std::string_view::npos)
        return false;
    field = line.substr(0, at);
    line.remove_prefix(at + 1);
    return true;
}

}  // namespace

void LaunchUsage::record(std::string_view name, std::int64_t now) {
    if (!usable_name(name))
        return;
    const std::u16string key = key_of(name);
    for (Entry& entry : entries_) {
        if (key_of(entry.name) != key)
            continue;
        entry.weight = std::min(decayed(entry.weight, entry.last, now) + 1.0, kHeaviest);
        entry.last = std::max(entry.last, now);
        entry.count = entry.count < UINT32_MAX ? entry.count + 1 : entry.count;
        entry.name = std::string(name);
        return;
    }
    entries_.push_back(Entry{std::string(name), 1, now, 1.0});
    if (entries_.size() > kUsageNamesKept) {
        const auto lightest = std::min_element(
            entries_.begin(), entries_.end(), [now](const Entry& a, const Entry& b) {
                return decayed(a.weight, a.last, now) < decayed(b.weight, b.last, now);
            });
        entries_.erase(lightest);
    }
}

double LaunchUsage::weight(std::string_view name, std::int64_t now) const {
    const std::u16string key = key_of(name);
    for (const Entry& entry : entries_) {
        if (key_of(entry.name) == key)
            return decayed(entry.weight, entry.last, now);
    }
    return 0;
}

UsageScores LaunchUsage::scores(std::int64_t now) const {
    UsageScores scores;
    scores.reserve(entries_.size());
    for (const Entry& entry : entries_)
        scores[key_of(entry.name)] = static_cast<float>(decayed(entry.weight, entry.last, now));
    return scores;
}

std::int64_t LaunchUsage::latest() const {
    std::int64_t newest = 0;
    for (const Entry& entry : entries_)
        newest = std::max(newest, entry.last);
    return newest;
}

std::size_t LaunchUsage::approximate_bytes() const {
    std::size_t bytes = entries_.capacity() * sizeof(Entry);
    for (const Entry& entry : entries_)
        bytes += entry.name.capacity() > 15 ? entry.name.capacity() + 1 : 0;
    return bytes;
}

std::string LaunchUsage::format() const {
    std::string text(kHeader);
    text += kLineEnd;
    for (const Entry& entry : entries_) {
        text +=
            std::to_string(entry.count) + '\t' + std::to_string(entry.last) + '\t' +
            std::to_string(static_cast<std::int64_t>(std::llround(entry.weight * kWeightScale))) +
            '\t' + entry.name + std::string(kLineEnd);
    }
    text += std::string(kTrailer) + '\t' + std::to_string(entries_.size()) + std::string(kLineEnd);
    return text;
}

LaunchUsage LaunchUsage::parse(std::string_view bytes) {
    LaunchUsage usage;
    if (bytes.size() > kUsageFileLimit || !is_valid_utf8(bytes))
        return {};
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find(kLineEnd);
        if (end == std::string_view::npos)
            return {};  // cut off inside a line
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end + kLineEnd.size());
    }
    if (lines.size() < 2 || lines.front() != kHeader)
        return {};
    std::string_view trailer = lines.back();
    std::string_view word;
    std::size_t count = 0;
    if (!take_field(trailer, '\t', word) || word != kTrailer || !read_number(trailer, count) ||
        count != lines.size() - 2 || count > kUsageNamesKept)
        return {};
    std::unordered_set<std::u16string> seen;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        std::string_view line = lines[i];
        std::string_view field;
        Entry entry;
        std::int64_t weight = 0;
        if (!take_field(line, '\t', field) || !read_number(field, entry.count) ||
            entry.count == 0 || !take_field(line, '\t', field) || !read_number(field, entry.last) ||
            entry.last < 0 || !take_field(line, '\t', field) || !read_number(field, weight) ||
            weight < 0 || static_cast<double>(weight) > kHeaviest * kWeightScale ||
            !usable_name(line) || !seen.insert(key_of(line)).second)
            return {};
        entry.weight = static_cast<double>(weight) / kWeightScale;
        entry.name = std::string(line);
        usage.entries_.push_back(std::move(entry));
    }
    return usage;
}

}  // namespace trevalon
