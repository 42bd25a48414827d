// The Windows-menu update under Wine: bringing the working copy of the
// programs folders up to date (platform/merged_copy_win.h), printing result
// lines for bench/run. The baselines: bare_walk_copy's rebuild for the full
// copy; for the other updates a bare walk of both roots (bare_walk_win.h),
// and the walk and one CopyFile, run in this process alternately with ours,
// so that neither pays for the other's process start nor for a change of
// the machine's load.
#pragma once

#include <string>
#include <vector>

#include "platform/merged_copy_win.h"

namespace trevalon::bench {

// "1.ours": the update with nothing known (a fresh start), each run; after
// one warm-up run when asked.
int full_copy_update(int runs, const std::string& copy, const std::vector<std::string>& sources,
                     bool warm_up = true);

// Updates of one copy that lives across calls, so that calls can alternate
// with the baseline's.
class CopyUpdateRuns {
  public:
    // Makes the copy (untimed).
    CopyUpdateRuns(std::string id, std::string copy, std::vector<std::string> sources);
    // Removes the link it added and forgets the copy.
    ~CopyUpdateRuns();
    CopyUpdateRuns(const CopyUpdateRuns&) = delete;
    CopyUpdateRuns& operator=(const CopyUpdateRuns&) = delete;

    // "1u.<id>.ours": updates with nothing changed; "1u.<id>.bare": the walk.
    void unchanged(int runs);
    // "1c.<id>.ours": updates after one link was added to the last source and
    // the one added before removed; "1c.<id>.bare": the walk and one copy of
    // a link.
    void changed(int runs);

  private:
    std::size_t walk_both() const;

    std::string id_;
    std::string copy_;
    std::vector<std::string> sources_;
    std::vector<std::string> roots_;
    MergedCopyFolder folder_;
    std::string link_bytes_;
    std::string added_;
    int added_count_ = 0;
};

}  // namespace trevalon::bench
