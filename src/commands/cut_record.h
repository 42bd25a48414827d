// The note kept beside a cut entry while it waits to be pasted: the path it
// was cut from, the fingerprint of its bytes, whether it has been pasted and
// where it is being copied to right now. It lives on disk next to the entry,
// so a run that ended without its clean-up still knows where the entry
// belongs and how far it got. A drop that moves an entry keeps the same note
// (without a waiting entry) while the entry is in two places.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/file_disk.h"

namespace trevalon {

struct CutRecord {
    std::string origin;  // the entry's full path before the cut
    bool pasted = false;
    // The entry's bytes when it was taken; older notes have none.
    std::optional<Fingerprint> fingerprint;
    // Where the entry is being copied to (a paste, or the way back): once a
    // file with its bytes is there, it has arrived.
    std::string placing;
    // A move of `origin` to `placing`, not a cut: no entry waits.
    bool move = false;
};

// One "key=value" line each (origin, pasted, and where set size, hash,
// placing, move), each ending in CR LF.
std::string format_cut_record(const CutRecord& record);
// Nothing when there is no origin line or the origin is empty. Lines it does
// not know are passed over.
std::optional<CutRecord> parse_cut_record(std::string_view text);

}  // namespace trevalon
