#include "commands/note_lines.h"

namespace trevalon {

std::vector<std::string_view> note_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

std::string hex_number(std::uint64_t value) {
    char buffer[17] = {};
    const auto result = std::to_chars(buffer, buffer + 16, value, 16);
    return std::string(buffer, result.ptr);
}

}  // namespace trevalon
