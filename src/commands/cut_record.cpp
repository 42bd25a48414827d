#include "commands/cut_record.h"

#include "commands/note_lines.h"

namespace trevalon {
namespace {

constexpr std::string_view kOrigin = "origin=";
constexpr std::string_view kPasted = "pasted=";
constexpr std::string_view kSize = "size=";
constexpr std::string_view kHash = "hash=";
constexpr std::string_view kPlacing = "placing=";
constexpr std::string_view kMove = "move=";

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
        add_line(text, kHash, hex_number(record.fingerprint->hash));
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
    for (const std::string_view line : note_lines(text)) {
        if (line.starts_with(kOrigin)) {
            record.origin = std::string(line.substr(kOrigin.size()));
            has_origin = true;
        } else if (line.starts_with(kPasted)) {
            record.pasted = line.substr(kPasted.size()) == "1";
        } else if (line.starts_with(kSize)) {
            size = note_number<std::uint64_t>(line.substr(kSize.size()));
        } else if (line.starts_with(kHash)) {
            hash = note_number<std::uint64_t>(line.substr(kHash.size()), 16);
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
