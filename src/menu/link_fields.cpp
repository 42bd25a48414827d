#include "menu/link_fields.h"

#include "menu/unicode_text.h"

namespace trevalon {

std::string join_link_fields(std::string_view target, std::string_view arguments) {
    std::string joined(target);
    joined += kLinkSeparator;
    joined += arguments;
    return joined;
}

LinkFields split_link_fields(std::string_view joined) {
    const std::size_t at = joined.find(kLinkSeparator);
    if (at == std::string_view::npos)
        return {std::string(joined), {}};
    return {std::string(joined.substr(0, at)), std::string(joined.substr(at + 1))};
}

bool is_bookmark_link(const LinkFields& fields) {
    const std::string target = ascii_lower(fields.target);
    return target.find("\\explorer.exe") != std::string::npos;
}

std::string bookmark_address(const LinkFields& fields) {
    std::string address = fields.arguments;
    std::erase(address, '"');
    return address;
}

}  // namespace trevalon
