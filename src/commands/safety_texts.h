// The messages that say what the program did instead of losing something:
// entries put elsewhere after settling, items a paste or drop left out, and
// names Windows reads as devices.
#pragma once

#include <string>
#include <vector>

#include "commands/cut_keeper.h"
#include "commands/import_plan.h"

namespace trevalon {

class TextTable;

// At most this many paths or items are listed; the rest are counted.
inline constexpr std::size_t kMostListed = 20;

// One message for a settling: what went elsewhere, what was found and
// recovered, what could go nowhere; empty when everything went home.
std::string settle_report_text(const SettleReport& report, const TextTable& texts);

// "These items were not added:", then each left-out item's name and why.
std::string skipped_text(const std::vector<SkippedPath>& skipped, const TextTable& texts);

// The refusal for an entry whose name Windows reads as a device or cuts.
std::string reserved_name_text(const std::string& path, const TextTable& texts);

}  // namespace trevalon
