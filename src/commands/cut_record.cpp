#include "commands/cut_record.h"

#include <charconv>

namespace trevalon {
namespace {

constexpr std::string_view kOrigin = "origin=";
constexpr std::string_view kPasted = "pasted=";
constexpr std::string_view kSize = "size=";
constexpr std::string_view kHash = "hash=";
constexpr std::string_view kPlacing = "placing=";
constexpr std::string_view kMove = "move=";

std::optional<std::uint64_t> number(std::string_view text, int base) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string hex(std::uint64_t value) {
    char buffer[17] = {};
    const auto result = std::to_chars(buffer, buffer + 16, value, 16);
    return std::string(buffer, result.ptr);
}

void add_line(std::string& text, std::string_view key, std::string_view value) {
    text += key;
    text += value;
    text += "\r\n";
}

}  // namespace

std::string format_cut_record(const CutRecord& record) {
    std::string text;
    add_line(text, kOrigin, record.origin);
    add_line(text, kPasted, record.pasted ? "1" : "0");
    if (record.fingerprint) {
        add_line(text, kSize, std::to_string(record.fingerprint->size));
        add_line(text, kHash, hex(record.fingerprint->hash));
    }
    if (!record.placing.empty())
        add_line(text, kPlacing, record.placing);
    if (record.move)
        add_line(text, kMove, "1");
    return text;
}

std::optional<CutRecord> parse_cut_record(std::string_view text) {
    CutRecord record;
    bool has_origin = false;
    std::optional<std::uint64_t> size;
    std::optional<std::uint64_t> hash;
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
        } else if (line.starts_with(kSize)) {
            size = number(line.substr(kSize.size()), 10);
        } else if (line.starts_with(kHash)) {
            hash = number(line.substr(kHash.size()), 16);
        } else if (line.starts_with(kPlacing)) {
            record.placing = std::string(line.substr(kPlacing.size()));
        } else if (line.starts_with(kMove)) {
            record.move = line.substr(kMove.size()) == "1";
        }
    }
    if (!has_origin || record.origin.empty())
        return std::nullopt;
    if (size && hash)
        record.fingerprint = Fingerprint{*size, *hash};
    return record;
}

}  // namespace trevalon
