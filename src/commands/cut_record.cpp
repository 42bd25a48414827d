#include "commands/cut_record.h"

namespace trevalon {
namespace {

constexpr std::string_view kOrigin = "origin=";
constexpr std::string_view kPasted = "pasted=";

}  // namespace

std::string format_cut_record(const CutRecord& record) {
    std::string text(kOrigin);
    text += record.origin;
    text += "\r\n";
    text += kPasted;
    text += record.pasted ? "1" : "0";
    text += "\r\n";
    return text;
}

std::optional<CutRecord> parse_cut_record(std::string_view text) {
    CutRecord record;
    bool has_origin = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.starts_with(kOrigin)) {
            record.origin = std::string(line.substr(kOrigin.size()));
            has_origin = true;
        } else if (line.starts_with(kPasted)) {
            record.pasted = line.substr(kPasted.size()) == "1";
        }
    }
    if (!has_origin || record.origin.empty())
        return std::nullopt;
    return record;
}

}  // namespace trevalon
