#include "menu/folder_walk.h"

#include <optional>
#include <system_error>
#include <vector>

#include "base/utf8_path.h"
#include "menu/path_text.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {

struct Frame {
    std::string folder;  // ends in the separator
    std::vector<DirectoryEntry> entries;
    std::size_t next = 0;
    std::optional<fs::path> canonical;  // worked out only when a link needs it
};

bool is_within(const fs::path& inner, const fs::path& outer) {
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

// True when entering the linked folder would bring the walk back to a folder
// it is already inside.
bool leads_back(std::vector<Frame>& stack, const std::string& linked_folder) {
    std::error_code ec;
    const fs::path target = fs::canonical(utf8_to_path(linked_folder), ec);
    if (ec)
        return true;  // a link that cannot be resolved cannot be listed either
    for (Frame& frame : stack) {
        if (!frame.canonical) {
            frame.canonical = fs::canonical(utf8_to_path(frame.folder), ec);
            if (ec)
                frame.canonical = fs::path();
        }
        if (!frame.canonical->empty() && is_within(*frame.canonical, target))
            return true;
    }
    return false;
}

void push_listing(std::vector<Frame>& stack, std::string folder, const FolderLister& list) {
    auto entries = list(folder);
    if (entries)
        stack.push_back({std::move(folder), std::move(*entries), 0, std::nullopt});
}

}  // namespace

void walk_folder_tree(std::string_view start, const FolderWalkVisitor& visit,
                      const FolderLister& list) {
    std::vector<Frame> stack;
    push_listing(stack, with_trailing_separator(start), list);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.entries.size()) {
            stack.pop_back();
            continue;
        }
        const DirectoryEntry& entry = top.entries[top.next++];
        const int depth = static_cast<int>(stack.size()) - 1;
        visit(top.folder, entry, depth);
        if (!entry.is_directory)
            continue;
        std::string child = top.folder + entry.name + kPathSeparator;
        // top is not used after this point: pushing may move the frames.
        if (entry.is_link && leads_back(stack, child))
            continue;
        push_listing(stack, std::move(child), list);
    }
}

}  // namespace trevalon
