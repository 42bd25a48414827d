// The note kept beside a cut entry while it waits to be pasted: the path it
// was cut from and whether it has been pasted. It lives on disk next to the
// entry, so a run that ended without its clean-up still knows where the
// entry belongs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trevalon {

struct CutRecord {
    std::string origin;  // the entry's full path before the cut
    bool pasted = false;
};

// Two lines, "origin=<path>" and "pasted=0|1", each ending in CR LF.
std::string format_cut_record(const CutRecord& record);
// Nothing when there is no origin line or the origin is empty.
std::optional<CutRecord> parse_cut_record(std::string_view text);

}  // namespace trevalon
