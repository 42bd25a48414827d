// The two versions of the launch counts the crash-safety harness alternates
// between: they differ in every name and in length, so a file cut short or
// mixed from both cannot pass for either.
#pragma once

#include <string>

#include "menu/launch_usage.h"

namespace trevalon::test {

inline LaunchUsage old_launch_counts() {
    LaunchUsage usage;
    for (const char* name : {"Editor.lnk", "Calculator.lnk", "Éditeur vidéo.lnk"})
        usage.record(name, 1'800'000'000);
    return usage;
}

inline LaunchUsage new_launch_counts() {
    LaunchUsage usage;
    for (std::size_t i = 0; i < kUsageNamesKept; ++i)
        usage.record("Program " + std::to_string(i) + " of the new version.lnk",
                     1'800'000'000 + static_cast<std::int64_t>(i));
    return usage;
}

}  // namespace trevalon::test
