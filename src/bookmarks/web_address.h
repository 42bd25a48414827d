// Web addresses as the bookmark drop sees them: which texts may reach the
// network, the name a bookmark gets when no page title is known, and the
// favicon service's request.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// "http://" or "https://" (scheme in any letter case), a host, and no control
// character or whitespace anywhere. Only such texts reach the network steps.
bool is_web_address(std::string_view text);

// The parts of a web address the bookmark rules look at. The host comes
// without user information and port; the path without its leading "/" and
// without query or fragment.
struct WebAddressParts {
    std::string_view host;
    std::string_view path;
};
WebAddressParts split_web_address(std::string_view address);

// The name for a bookmark whose page title is unknown: host, a space, the
// path with every "/" as a space, then ".html", ".htm" and ".php" removed
// wherever they occur (any letter case). Runs of spaces become one and the
// ends are trimmed, so "https://a.org/docs/" gives "a.org docs".
std::string address_derived_name(std::string_view address);

// What the favicon service is asked about: the address with an "https:"
// scheme turned into "http:" and one trailing "/" removed.
std::string favicon_domain_parameter(std::string_view address);

// Every byte except the unreserved A-Z a-z 0-9 - . _ ~ as %XX, so the value
// cannot end the query parameter it goes into.
std::string percent_encode(std::string_view value);

// service (its trailing "/" ignored) + "/s2/favicons?sz=32&domain=" + the
// domain parameter, percent-encoded.
std::string favicon_request_url(std::string_view service, std::string_view address);

}  // namespace trevalon
