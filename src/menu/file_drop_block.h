// The memory block of a file-drop list as other programs read it from the
// clipboard: a 20-byte header (offset of the first name 20, drop point 0,0,
// non-client flag 0, wide flag 1), then each name in UTF-16 followed by a
// zero, then one more zero. Names travel as UTF-16 because a single-byte list
// is read in the reader's own code page, which garbles non-Latin names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trevalon {

inline constexpr std::uint32_t kFileDropHeaderSize = 20;

// Paths are UTF-8. A trailing separator is dropped (folders are listed
// without it). Empty paths are left out: an empty name would end the list
// early and hide the names after it. So are paths holding a zero byte, which
// a reader would take for two names.
std::vector<std::byte> make_file_drop_block(const std::vector<std::string>& paths);

}  // namespace trevalon
