#include "window/file_list_text.h"

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

void upper_case_first_letter(std::string& folder) {
    if (!folder.empty() && folder[0] >= 'a' && folder[0] <= 'z')
        folder[0] = static_cast<char>(folder[0] - 'a' + 'A');
}

// Classic wildcard matching with backtracking to the last "*": linear in
// practice, never recursive.
bool wildcard_match(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t star_n = 0;
    while (n < name.size()) {
        // "*" first: a name holding a "*" must not use it up as a letter.
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            star_n = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++star_n;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

ListSource apply_list_text(const ListSource& current, std::string_view text) {
    ListSource next = current;
    const std::size_t last = text.rfind('\\');
    if (text.empty()) {
        next.folder.clear();
        return next;
    }
    if (last == std::string_view::npos) {
        next.pattern = std::string(text);
    } else if (last + 1 == text.size()) {
        next.folder = std::string(text);
    } else if (last == 0) {
        next.pattern = std::string(text.substr(1));
    } else {
        next.folder = std::string(text.substr(0, last + 1));
        next.pattern = std::string(text.substr(last + 1));
    }
    upper_case_first_letter(next.folder);
    return next;
}

std::vector<std::string_view> split_patterns(std::string_view pattern) {
    std::vector<std::string_view> parts;
    while (!pattern.empty()) {
        const std::size_t end = pattern.find(';');
        const std::string_view part = pattern.substr(0, end);
        if (!part.empty())
            parts.push_back(part);
        if (end == std::string_view::npos)
            break;
        pattern.remove_prefix(end + 1);
    }
    return parts;
}

bool matches_file_pattern(std::string_view name, std::string_view pattern) {
    const std::u16string wide_name = upper_case(utf8_to_utf16(name));
    const std::u16string wide_pattern = upper_case(utf8_to_utf16(pattern));
    if (wildcard_match(wide_name, wide_pattern))
        return true;
    const std::u16string_view view(wide_pattern);
    return view.ends_with(u".*") && wide_name.find(u'.') == std::u16string::npos &&
           wildcard_match(wide_name, view.substr(0, view.size() - 2));
}

}  // namespace trevalon
