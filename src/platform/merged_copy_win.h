// A folder of the program kept as the merge of source folders, each copied
// over the ones before it (the Windows menu). It is brought up to date
// rather than copied afresh: the sources are listed, and only what changed
// since the last time is copied or removed (menu/merged_copy.h). What the
// copy holds is remembered, and change notifications on each of its folders
// tell whether anyone else touched it since; when in doubt (nothing
// remembered, the last update did not finish, the copy was changed from
// outside) the copy is deleted and made afresh.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "menu/directory_listing.h"
#include "menu/merged_copy.h"
#include "platform/folder_watches_win.h"

namespace trevalon {

// Every item below root (not root itself), folders before their contents.
// Linked folders (junctions, symbolic links) are neither listed nor entered:
// a copy does not follow them. A root that cannot be listed gives nothing.
TreeListing list_tree(std::string_view root);

// The items directly in one folder of a tree, with paths relative to root.
TreeListing list_tree_folder(std::string_view root, std::string_view folder);

// Carries out the plan: removals through the safe-delete guard (only inside
// allowed_roots), folders, then copies from sources[i] + from. Every step is
// tried; false when one of them failed.
bool apply_copy_plan(const CopySyncPlan& plan, std::span<const std::string> sources,
                     std::string_view copy, std::span<const std::string> allowed_roots);

struct CopyUpdate {
    bool done = false;         // false: the copy lies outside the allowed roots, or a step failed
    bool made_afresh = false;  // deleted and copied in full
    std::size_t steps = 0;     // removals, folders made and files copied
};

class MergedCopyFolder {
  public:
    // Brings copy (ending in "\") up to date with the sources (each ending in
    // "\", later ones over earlier ones). The copy is changed only when it
    // lies strictly inside one of allowed_roots.
    CopyUpdate bring_up_to_date(const std::string& copy, const std::vector<std::string>& sources,
                                std::span<const std::string> allowed_roots);

    // The program itself changed the files directly in this folder of the
    // copy (not its subfolders): the next update looks at them again instead
    // of taking it for a change from outside.
    void note_files_changed(std::string_view folder);

    // Stops watching and forgets what the copy holds, so it can be deleted;
    // the next update makes it afresh.
    void forget();

    // Lists the copy's folders from what the last complete update left in
    // them, in list_directory's order, without reading the disk again;
    // nothing when that is not known for sure (anyone changed the copy
    // since). Valid until the copy is next updated.
    std::optional<FolderLister> known_lister();

  private:
    std::optional<std::string> relative_folder(std::string_view folder) const;
    void watch_folder(const std::string& relative);

    std::string copy_;
    std::vector<std::string> sources_;
    CopyContents held_;
    bool held_valid_ = false;
    std::vector<std::string> changed_by_us_;  // folders whose files the program changed
    FolderWatches watches_;
};

}  // namespace trevalon
