#include "bookmarks/web_address.h"

#include <algorithm>
#include <array>

namespace trevalon {
namespace {

// ASCII only: the rules never look at letters outside it, whatever the locale.
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_unreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

// Length of the "http://" or "https://" prefix, 0 when there is none.
std::size_t scheme_length(std::string_view text) {
    if (starts_with_ignoring_case(text, "http://"))
        return 7;
    if (starts_with_ignoring_case(text, "https://"))
        return 8;
    return 0;
}

bool is_control_or_space(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

void erase_all_ignoring_case(std::string& text, std::string_view part) {
    std::size_t at = 0;
    while (at + part.size() <= text.size()) {
        if (starts_with_ignoring_case(std::string_view(text).substr(at), part))
            text.erase(at, part.size());
        else
            ++at;
    }
}

}  // namespace

bool is_web_address(std::string_view text) {
    const std::size_t start = scheme_length(text);
    if (start == 0)
        return false;
    for (char c : text) {
        if (is_control_or_space(c))
            return false;
    }
    return !split_web_address(text).host.empty();
}

WebAddressParts split_web_address(std::string_view address) {
    WebAddressParts parts;
    const std::size_t start = scheme_length(address);
    if (start == 0)
        return parts;
    const std::string_view rest = address.substr(start);
    const std::size_t authority_end = std::min(rest.find_first_of("/?#"), rest.size());
    std::string_view host = rest.substr(0, authority_end);
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos)
        host.remove_prefix(at + 1);
    if (!host.empty() && host.front() == '[') {
        const std::size_t close = host.find(']');
        host = close == std::string_view::npos ? std::string_view{} : host.substr(0, close + 1);
    } else if (const std::size_t colon = host.find(':'); colon != std::string_view::npos) {
        host = host.substr(0, colon);
    }
    parts.host = host;

    std::string_view path = rest.substr(authority_end);
    path = path.substr(0, std::min(path.find_first_of("?#"), path.size()));
    if (!path.empty() && path.front() == '/')
        path.remove_prefix(1);
    parts.path = path;
    return parts;
}

std::string address_derived_name(std::string_view address) {
    const WebAddressParts parts = split_web_address(address);
    std::string name(parts.host);
    name += ' ';
    for (char c : parts.path)
        name += c == '/' ? ' ' : c;
    for (std::string_view suffix : {".html", ".htm", ".php"})
        erase_all_ignoring_case(name, suffix);

    std::string tidy;
    for (char c : name) {
        if (c == ' ' && (tidy.empty() || tidy.back() == ' '))
            continue;
        tidy += c;
    }
    while (!tidy.empty() && tidy.back() == ' ')
        tidy.pop_back();
    return tidy;
}

std::string favicon_domain_parameter(std::string_view address) {
    std::string domain(address);
    if (starts_with_ignoring_case(domain, "https:"))
        domain.replace(0, 6, "http:");
    if (!domain.empty() && domain.back() == '/')
        domain.pop_back();
    return domain;
}

std::string percent_encode(std::string_view value) {
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_unreserved(c)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string favicon_request_url(std::string_view service, std::string_view address) {
    while (!service.empty() && service.back() == '/')
        service.remove_suffix(1);
    std::string url(service);
    url += "/s2/favicons?sz=32&domain=";
    url += percent_encode(favicon_domain_parameter(address));
    return url;
}

}  // namespace trevalon
