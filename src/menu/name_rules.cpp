#include "menu/name_rules.h"

#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {

namespace {

constexpr std::string_view kLinkExtension = ".lnk";

bool is_valid_file_name(std::string_view name) {
    if (name.empty())
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32)
            return false;
        if (kForbiddenNameCharacters.find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

char stand_in(char c) {
    switch (c) {
        case ':':
        case '?':
            return '.';
        case '"':
            return '\'';
        default:
            return ' ';
    }
}

// The longest beginning of text that takes at most budget UTF-16 units,
// never ending inside a character.
std::string_view cut_to_units(std::string_view text, long budget) {
    if (budget <= 0)
        return {};
    std::size_t end = 0;
    long used = 0;
    while (end < text.size()) {
        const Utf8Step step = utf8_step(text, end);
        used += static_cast<long>(step.units);
        if (used > budget)
            break;
        end += step.bytes;
    }
    return text.substr(0, end);
}

}  // namespace

std::string fit_base_name(std::string_view base, std::string_view folder, std::string_view tail) {
    const long budget = kLongestPath - kFreeNumberRoom - static_cast<long>(utf16_length(folder)) -
                        static_cast<long>(utf16_length(tail));
    return std::string(cut_to_units(base, budget));
}

std::string strip_name_characters(std::string_view text) {
    std::string out(text);
    for (char forbidden : kForbiddenNameCharacters)
        std::erase(out, forbidden);
    return out;
}

std::string make_file_name(std::string_view title, std::string_view folder) {
    std::string name(title);
    for (char& c : name) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    if (!is_valid_file_name(name)) {
        for (char& c : name) {
            if (kForbiddenNameCharacters.find(c) != std::string_view::npos) {
                c = stand_in(c);
            } else if (static_cast<unsigned char>(c) < 32) {
                // No Windows file name may hold a control character: left in,
                // it would make creating the file fail.
                c = ' ';
            }
        }
    }
    const NameParts parts = split_extension(name);
    std::string extension;
    if (parts.has_dot) {
        extension += '.';
        extension += parts.extension;
    }
    std::string result = fit_base_name(parts.base, folder, extension + std::string(kLinkExtension));
    return result + extension;
}

}  // namespace trevalon
