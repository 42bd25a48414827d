#include "menu/search_index.h"

#include <unordered_map>
#include <utility>

#include "menu/folder_walk.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

IndexedEntry make_entry(const DirectoryEntry& listed) {
    IndexedEntry entry;
    entry.name = listed.name;
    const std::u16string wide = utf8_to_utf16(listed.name);
    entry.key = upper_case(wide);
    entry.search = SearchKey(wide, !listed.is_directory);
    entry.is_folder = listed.is_directory;
    entry.is_link = listed.is_link;
    entry.has_content = !listed.is_directory && listed.size > 0;
    return entry;
}

// Plain folders the walk did not enter (it could not list them, or they are
// empty) get an empty node, so later changes inside them find their place.
void give_nodes_to_plain_folders(IndexedFolder& node) {
    std::vector<IndexedFolder*> pending{&node};
    while (!pending.empty()) {
        IndexedFolder* folder = pending.back();
        pending.pop_back();
        for (IndexedEntry& entry : folder->entries) {
            if (entry.is_folder && !entry.folder && !entry.is_link)
                entry.folder = std::make_unique<IndexedFolder>();
            if (entry.folder)
                pending.push_back(entry.folder.get());
        }
    }
}

// Fills node with everything below folder as the menu search's walk sees it:
// a folder gets its node when the walk enters it, so a link the walk does
// not follow keeps none. Returns whether a folder link was met.
bool walk_into(IndexedFolder& node, const std::string& folder, const FolderLister& lister) {
    std::unordered_map<std::string, IndexedFolder*> nodes{{folder, &node}};
    IndexedFolder* current = &node;
    std::string current_folder = folder;
    // The folder entry reported last: the walk enters a folder right after
    // reporting it, before its parent's list can grow again.
    IndexedEntry* last_folder = nullptr;
    std::string last_folder_path;
    bool met_link = false;
    walk_folder_tree(
        folder,
        [&](const std::string& parent, const DirectoryEntry& listed, int) {
            if (parent != current_folder) {
                auto known = nodes.find(parent);
                if (known == nodes.end()) {
                    if (!last_folder || parent != last_folder_path)
                        return;  // the walk reports a folder's entries only after the folder
                    last_folder->folder = std::make_unique<IndexedFolder>();
                    known = nodes.emplace(parent, last_folder->folder.get()).first;
                }
                current = known->second;
                current_folder = parent;
            }
            current->entries.push_back(make_entry(listed));
            if (listed.is_directory) {
                met_link = met_link || listed.is_link;
                last_folder = &current->entries.back();
                last_folder_path = parent + listed.name + kPathSeparator;
            }
        },
        lister);
    give_nodes_to_plain_folders(node);
    return met_link;
}

struct Totals {
    std::size_t files = 0;
    std::size_t folders = 0;
};

Totals totals_of(const IndexedFolder& top) {
    Totals totals;
    std::vector<const IndexedFolder*> pending{&top};
    while (!pending.empty()) {
        const IndexedFolder* folder = pending.back();
        pending.pop_back();
        for (const IndexedEntry& entry : folder->entries) {
            if (entry.is_folder) {
                ++totals.folders;
                if (entry.folder)
                    pending.push_back(entry.folder.get());
            } else {
                ++totals.files;
            }
        }
    }
    return totals;
}

// The walk in its order: enter(number, folder, path) for each folder it goes
// into answers the number that folder's entries are reported under;
// visit(number, path, file) for each file (path: its folder's).
template <typename Enter, typename Visit>
void walk_tree(const IndexedFolder& top, const std::string& root, std::size_t top_number,
               Enter enter, Visit visit) {
    struct Frame {
        const IndexedFolder* folder;
        std::size_t next;
        std::size_t number;
        std::string path;
    };
    std::vector<Frame> stack;
    stack.push_back({&top, 0, top_number, root});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.folder->entries.size()) {
            stack.pop_back();
            continue;
        }
        const IndexedEntry& entry = frame.folder->entries[frame.next++];
        if (!entry.is_folder) {
            visit(frame.number, frame.path, entry);
        } else if (entry.folder) {
            std::string path = frame.path + entry.name + kPathSeparator;
            const std::size_t number = enter(frame.number, entry, path);
            // frame is not used after this point: pushing may move the frames.
            stack.push_back({entry.folder.get(), 0, number, std::move(path)});
        }
    }
}

template <typename Visit>
void walk_files(const IndexedFolder& top, const std::string& root, Visit visit) {
    walk_tree(
        top, root, 0, [](std::size_t, const IndexedEntry&, const std::string&) { return 0; },
        [&visit](std::size_t, const std::string& folder, const IndexedEntry& entry) {
            visit(folder, entry);
        });
}

}  // namespace

IndexedFolder::~IndexedFolder() {
    std::vector<std::unique_ptr<IndexedFolder>> pending;
    auto take_children = [&pending](IndexedFolder& folder) {
        for (IndexedEntry& entry : folder.entries) {
            if (entry.folder)
                pending.push_back(std::move(entry.folder));
        }
    };
    take_children(*this);
    while (!pending.empty()) {
        std::unique_ptr<IndexedFolder> folder = std::move(pending.back());
        pending.pop_back();
        take_children(*folder);
    }
}

std::optional<std::vector<DirectoryEntry>> list_directory_full(std::string_view folder) {
    return list_directory(folder, ListingDetail::full);
}

RootIndex::RootIndex(std::string_view root, FolderLister lister)
    : root_(with_trailing_separator(root)), lister_(std::move(lister)) {}

void RootIndex::rebuild() {
    top_.entries.clear();
    walk_into(top_, root_, lister_);
    count();
}

void RootIndex::count() {
    ++version_;
    const Totals totals = totals_of(top_);
    files_ = totals.files;
    folders_ = totals.folders;
}

void RootIndex::refresh(std::string_view relative_path) {
    // Down the path as far as the index knows it.
    IndexedFolder* node = &top_;
    std::string folder = root_;
    std::string_view rest = relative_path;
    while (!rest.empty()) {
        std::size_t cut = 0;
        while (cut < rest.size() && !is_path_separator(rest[cut]))
            ++cut;
        if (cut == rest.size())
            break;  // the last part: the changed entry itself, listed with its folder
        const std::u16string key = upper_case(utf8_to_utf16(rest.substr(0, cut)));
        rest.remove_prefix(cut + 1);
        if (key.empty())
            continue;
        IndexedEntry* inside = nullptr;
        for (IndexedEntry& entry : node->entries) {
            if (entry.is_folder && entry.key == key) {
                inside = &entry;
                break;
            }
        }
        if (!inside || !inside->folder) {
            if (inside && inside->is_link) {
                rebuild();
                return;
            }
            break;
        }
        if (inside->is_link) {
            rebuild();
            return;
        }
        folder += inside->name + kPathSeparator;
        node = inside->folder.get();
    }
    if (!relist(*node, folder)) {
        rebuild();
        return;
    }
    count();
}

bool RootIndex::relist(IndexedFolder& node, const std::string& folder) {
    auto listed = lister_(folder);
    if (!listed) {
        node.entries.clear();
        return true;
    }
    std::unordered_map<std::string, IndexedEntry*> before;
    for (IndexedEntry& entry : node.entries)
        before.emplace(entry.name, &entry);
    std::vector<IndexedEntry> after;
    after.reserve(listed->size());
    bool met_link = false;
    for (const DirectoryEntry& item : *listed) {
        IndexedEntry fresh = make_entry(item);
        const auto old = before.find(item.name);
        if (old != before.end() && old->second->is_folder == item.is_directory &&
            old->second->is_link == item.is_link) {
            // Still there: a folder keeps what it holds (changes inside it
            // come with their own paths).
            fresh.folder = std::move(old->second->folder);
        } else if (item.is_directory) {
            if (item.is_link) {
                met_link = true;
            } else {
                fresh.folder = std::make_unique<IndexedFolder>();
                met_link = walk_into(*fresh.folder, folder + item.name + kPathSeparator, lister_) ||
                           met_link;
            }
        }
        after.push_back(std::move(fresh));
    }
    node.entries = std::move(after);
    return !met_link;
}

void RootIndex::find(std::u16string_view needle, const FileVisitor& found) const {
    walk_files(top_, root_, [&](const std::string& folder, const IndexedEntry& entry) {
        if (entry.key.find(needle) != std::u16string::npos)
            found(folder, entry);
    });
}

void RootIndex::for_each_file(const FileVisitor& visit) const {
    walk_files(top_, root_, visit);
}

void RootIndex::walk(std::size_t top, const FolderEnter& enter, const FileInFolder& visit) const {
    walk_tree(top_, root_, top, enter,
              [&visit](std::size_t folder, const std::string&, const IndexedEntry& entry) {
                  visit(folder, entry);
              });
}

std::size_t RootIndex::approximate_bytes() const {
    std::size_t bytes = 0;
    std::vector<const IndexedFolder*> pending{&top_};
    while (!pending.empty()) {
        const IndexedFolder* folder = pending.back();
        pending.pop_back();
        bytes += sizeof(IndexedFolder) + folder->entries.capacity() * sizeof(IndexedEntry);
        for (const IndexedEntry& entry : folder->entries) {
            // Beyond the short-string buffer a string keeps its characters apart.
            if (entry.name.capacity() > 15)
                bytes += entry.name.capacity() + 1;
            if (entry.key.capacity() > 7)
                bytes += (entry.key.capacity() + 1) * sizeof(char16_t);
            bytes += entry.search.heap_bytes();
            if (entry.folder)
                pending.push_back(entry.folder.get());
        }
    }
    return bytes;
}

}  // namespace trevalon
