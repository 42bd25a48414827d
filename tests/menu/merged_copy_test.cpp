// The merged copy: what a fresh copy of the trees holds, and the plans that
// bring an existing copy there. Besides single cases, a model of a file
// system that compares names without regard to case replays long random
// sequences of changes in both trees and checks after each one that the copy
// brought up to date equals a fresh copy, names and contents.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "menu/merged_copy.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

TreeItem folder(std::string path) {
    return {std::move(path), true, 0, 0, 0};
}

TreeItem file(std::string path, std::uint64_t size = 10, std::int64_t modified = 100,
              std::uint32_t attributes = 0) {
    return {std::move(path), false, size, modified, attributes};
}

CopyContents merge(const TreeListing& common, const TreeListing& user) {
    const std::vector<TreeListing> trees{common, user};
    return merge_trees(trees);
}

// "path<source" per item ("path/" for folders), in order.
std::vector<std::string> outline(const CopyContents& items) {
    std::vector<std::string> lines;
    for (const CopyItem& item : items) {
        lines.push_back(item.is_folder ? item.path + "/"
                                       : item.path + "<" + std::to_string(item.source) + ":" +
                                             item.from_path());
    }
    return lines;
}

std::vector<std::string> copies(const CopySyncPlan& plan) {
    std::vector<std::string> lines;
    for (const FileCopy& copy : plan.copies) {
        lines.push_back(std::to_string(copy.source) + ":" + copy.from + ">" + copy.to +
                        (copy.clear_read_only ? "!" : ""));
    }
    return lines;
}

std::vector<std::string> removals(const CopySyncPlan& plan) {
    std::vector<std::string> lines;
    for (const CopyRemoval& removal : plan.removals)
        lines.push_back(removal.path + (removal.is_folder ? "/" : ""));
    return lines;
}

using Lines = std::vector<std::string>;

TEST(MergedCopy, TheUsersFileWinsUnderTheNameFirstMade) {
    const CopyContents merged =
        merge({folder("Accessories"), file("Accessories\\Calc.lnk"), file("Shared.lnk")},
              {folder("ACCESSORIES"), file("ACCESSORIES\\calc.LNK", 20), folder("Games"),
               file("Games\\Chess.lnk"), file("Own.lnk")});
    EXPECT_EQ(outline(merged),
              (Lines{"Accessories/", "Accessories\\Calc.lnk<1:ACCESSORIES\\calc.LNK",
                     "Shared.lnk<0:Shared.lnk", "Games/", "Games\\Chess.lnk<1:Games\\Chess.lnk",
                     "Own.lnk<1:Own.lnk"}));
    EXPECT_EQ(merged[1].size, 20u);
}

TEST(MergedCopy, AFileAndAFolderOfOneNameKeepTheFirstWithoutTheOthersContent) {
    const CopyContents merged = merge({file("Tools"), folder("Office"), file("Office\\Word.lnk")},
                                      {folder("tools"), file("tools\\Hammer.lnk"), file("office"),
                                       folder("tools\\Deep"), file("tools\\Deep\\x.lnk")});
    EXPECT_EQ(outline(merged),
              (Lines{"Tools<0:Tools", "Office/", "Office\\Word.lnk<0:Office\\Word.lnk"}));
}

TEST(MergedCopy, AFreshCopyMakesEveryFolderParentsFirstAndCopiesEachFileOnce) {
    const CopyContents wanted =
        merge({folder("A"), folder("A\\B"), file("A\\B\\x.lnk"), file("Same.lnk", 10, 1, 1)},
              {file("Same.lnk", 11, 2, kReadOnlyAttribute), folder("Empty")});
    const CopySyncPlan plan = plan_copy_sync(wanted, {});
    EXPECT_TRUE(plan.removals.empty());
    EXPECT_EQ(plan.new_folders, (Lines{"A", "A\\B", "Empty"}));
    EXPECT_EQ(copies(plan), (Lines{"0:A\\B\\x.lnk>A\\B\\x.lnk", "1:Same.lnk>Same.lnk!"}));
}

TEST(MergedCopy, NothingChangedNeedsNoStep) {
    const CopyContents wanted =
        merge({folder("A"), file("A\\x.lnk"), file("y.lnk")}, {file("z.lnk"), file("y.lnk", 3)});
    EXPECT_EQ(plan_copy_sync(wanted, wanted).steps(), 0u);
}

TEST(MergedCopy, ChangedSourcesAreCopiedAndVanishedOnesRemoved) {
    const TreeListing common{folder("A"),       file("A\\x.lnk"), file("Moves.lnk"),
                             file("Both.lnk"),  folder("Gone"),   file("Gone\\g.lnk"),
                             file("Edited.lnk")};
    const TreeListing user{file("Old.lnk")};
    const CopyContents held = merge(common, user);

    const TreeListing common_after{folder("A"), file("A\\x.lnk", 10, 101), file("Both.lnk"),
                                   file("Edited.lnk", 10, 100, 2), file("New.lnk")};
    const TreeListing user_after{file("Moves.lnk"), file("Both.lnk")};
    const CopySyncPlan plan = plan_copy_sync(merge(common_after, user_after), held);
    // A folder goes as a whole; its files are not listed on their own.
    EXPECT_EQ(removals(plan), (Lines{"Gone/", "Old.lnk"}));
    EXPECT_TRUE(plan.new_folders.empty());
    // A newer time, other attributes, a file now from the other tree (even
    // with the same size and time), a new file.
    EXPECT_EQ(copies(plan),
              (Lines{"0:A\\x.lnk>A\\x.lnk", "1:Both.lnk>Both.lnk", "0:Edited.lnk>Edited.lnk",
                     "0:New.lnk>New.lnk", "1:Moves.lnk>Moves.lnk"}));

    // The user's copy going away brings the common one back.
    const CopySyncPlan back =
        plan_copy_sync(merge(common_after, {}), merge(common_after, user_after));
    EXPECT_EQ(removals(back), (Lines{"Moves.lnk"}));
    EXPECT_EQ(copies(back), (Lines{"0:Both.lnk>Both.lnk"}));
}

TEST(MergedCopy, AnotherLetterCaseReplacesTheItemAndAFolderItsContent) {
    const CopyContents held = merge({folder("tools"), file("tools\\a.lnk"), file("note.lnk")}, {});
    const CopySyncPlan plan =
        plan_copy_sync(merge({folder("Tools"), file("Tools\\a.lnk"), file("Note.lnk")}, {}), held);
    EXPECT_EQ(removals(plan), (Lines{"tools/", "note.lnk"}));
    EXPECT_EQ(plan.new_folders, (Lines{"Tools"}));
    EXPECT_EQ(copies(plan), (Lines{"0:Tools\\a.lnk>Tools\\a.lnk", "0:Note.lnk>Note.lnk"}));
}

TEST(MergedCopy, AFolderThatBecameAFileAndBack) {
    const CopyContents as_folder = merge({folder("X"), file("X\\in.lnk")}, {});
    const CopyContents as_file = merge({file("X")}, {});
    EXPECT_EQ(removals(plan_copy_sync(as_file, as_folder)), (Lines{"X/"}));
    EXPECT_EQ(copies(plan_copy_sync(as_file, as_folder)), (Lines{"0:X>X"}));
    const CopySyncPlan back = plan_copy_sync(as_folder, as_file);
    EXPECT_EQ(removals(back), (Lines{"X"}));
    EXPECT_EQ(back.new_folders, (Lines{"X"}));
    EXPECT_EQ(copies(back), (Lines{"0:X\\in.lnk>X\\in.lnk"}));
}

TEST(MergedCopy, FilesNobodyVouchesForAreCopiedOverOrRemoved) {
    const CopyContents wanted = merge({folder("F"), file("F\\a.lnk"), file("F\\b.url")}, {});
    CopyContents held = wanted;
    // The folder's b.url became b.lnk.
    const std::vector<TreeItem> there{file("F\\a.lnk"), file("F\\b.lnk")};
    ASSERT_TRUE(take_folder_files(held, "F", there));
    const CopySyncPlan plan = plan_copy_sync(wanted, held);
    EXPECT_EQ(removals(plan), (Lines{"F\\b.lnk"}));
    EXPECT_EQ(copies(plan), (Lines{"0:F\\a.lnk>F\\a.lnk!", "0:F\\b.url>F\\b.url"}));
}

TEST(MergedCopy, TakingAFoldersFilesRefusesChangedSubfolders) {
    CopyContents held =
        merge({folder("F"), folder("F\\Sub"), file("F\\a.lnk"), file("top.lnk")}, {});
    const CopyContents before = held;
    const std::vector<TreeItem> renamed{folder("F\\sub"), file("F\\a.lnk")};
    EXPECT_FALSE(take_folder_files(held, "F", renamed));
    const std::vector<TreeItem> added{folder("F\\Sub"), folder("F\\New"), file("F\\a.lnk")};
    EXPECT_FALSE(take_folder_files(held, "F", added));
    EXPECT_EQ(outline(held), outline(before));
    // The root's own files.
    const std::vector<TreeItem> root{folder("F"), file("other.lnk")};
    ASSERT_TRUE(take_folder_files(held, "", root));
    EXPECT_EQ(outline(held),
              (Lines{"F/", "F\\Sub/", "F\\a.lnk<0:F\\a.lnk", "other.lnk<0:other.lnk"}));
    EXPECT_FALSE(held.back().known);
}

// --- a model file system ---------------------------------------------------

// A tree of one folder in a file system that keeps names as made and finds
// them without regard to case.
struct ModelTree {
    struct Node {
        std::string path;
        bool is_folder = false;
        int content = 0;  // what the file holds
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        std::uint32_t attributes = 0;
    };
    std::map<std::u16string, Node> nodes;  // by key; parents sort before children

    static std::u16string key(std::string_view path) { return upper_case(utf8_to_utf16(path)); }

    const Node* find(std::string_view path) const {
        const auto at = nodes.find(key(path));
        return at == nodes.end() ? nullptr : &at->second;
    }
    bool parent_is_folder(std::string_view path) const {
        const std::string_view parent = tree_parent(path);
        if (parent.empty())
            return true;
        const Node* node = find(parent);
        return node && node->is_folder;
    }
    void remove(std::string_view path) {
        const std::u16string k = key(path);
        std::erase_if(nodes, [&](const auto& entry) {
            return entry.first == k || entry.first.starts_with(k + u"\\");
        });
    }
    // Pre-order: a folder before its content (the key order is one for the
    // names used here: none extends another by a character below "\").
    TreeListing listing() const {
        TreeListing items;
        for (const auto& [k, node] : nodes)
            items.push_back({node.path, node.is_folder, node.size, node.modified, node.attributes});
        return items;
    }
    // What the copy holds: exact names, kinds and contents.
    std::vector<std::string> contents() const {
        std::vector<std::string> lines;
        for (const auto& [k, node] : nodes) {
            lines.push_back(node.path + (node.is_folder ? "/"
                                                        : "=" + std::to_string(node.content) + "@" +
                                                              std::to_string(node.attributes)));
        }
        return lines;
    }
};

// Copies one file the way the file system does: an existing file keeps its
// name; the copy is made writable afterwards when asked.
bool model_copy_file(const ModelTree::Node& from, ModelTree& to, std::string_view path,
                     bool clear_read_only) {
    const std::u16string k = ModelTree::key(path);
    if (!to.parent_is_folder(path))
        return false;
    auto at = to.nodes.find(k);
    if (at != to.nodes.end() && at->second.is_folder)
        return false;
    ModelTree::Node copied = from;
    copied.path = at != to.nodes.end() ? at->second.path : std::string(path);
    if (clear_read_only)
        copied.attributes &= ~kReadOnlyAttribute;
    to.nodes[k] = copied;
    return true;
}

// The whole rebuild as the program always did it: empty the copy, then copy
// each tree recursively over it, making folders as they come.
ModelTree model_full_copy(const std::vector<ModelTree>& sources) {
    ModelTree copy;
    for (const ModelTree& source : sources) {
        for (const auto& [k, node] : source.nodes) {
            if (!copy.parent_is_folder(node.path))
                continue;
            // The target path as the recursion builds it: the copy's folder
            // as found, then the source's name.
            const std::string_view parent = tree_parent(node.path);
            const std::string target = parent.empty() ? node.path
                                                      : copy.find(parent)->path + "\\" +
                                                            node.path.substr(parent.size() + 1);
            if (node.is_folder) {
                if (!copy.find(target))
                    copy.nodes[ModelTree::key(target)] = {target, true};
            } else {
                model_copy_file(node, copy, target, true);
            }
        }
    }
    return copy;
}

void apply(const CopySyncPlan& plan, const std::vector<ModelTree>& sources, ModelTree& copy) {
    for (const CopyRemoval& removal : plan.removals) {
        const ModelTree::Node* node = copy.find(removal.path);
        ASSERT_TRUE(node && node->path == removal.path && node->is_folder == removal.is_folder)
            << removal.path;
        copy.remove(removal.path);
    }
    for (const std::string& path : plan.new_folders) {
        ASSERT_FALSE(copy.find(path)) << path;
        ASSERT_TRUE(copy.parent_is_folder(path)) << path;
        copy.nodes[ModelTree::key(path)] = {path, true};
    }
    for (const FileCopy& step : plan.copies) {
        const ModelTree::Node* from = sources[step.source].find(step.from);
        ASSERT_TRUE(from && from->path == step.from) << step.from;
        // A file the program did not make may be read-only: then only a copy
        // that clears the flag ends up writable.
        const ModelTree::Node* there = copy.find(step.to);
        if (there && (there->attributes & kReadOnlyAttribute)) {
            ASSERT_TRUE(step.clear_read_only) << step.to;
        }
        ASSERT_TRUE(
            model_copy_file(*from, copy, step.to,
                            step.clear_read_only || !(from->attributes & kReadOnlyAttribute)));
        ASSERT_EQ(copy.find(step.to)->path, step.to);
    }
}

// Random changes to the trees, with few names so that they collide across
// the trees and letter cases.
class Changes {
  public:
    explicit Changes(unsigned seed) : random_(seed) {}

    void change(std::vector<ModelTree>& trees) {
        ModelTree& tree = trees[pick(trees.size())];
        const std::string path = random_path(tree);
        switch (pick(10)) {
            case 0:
            case 1:
            case 2:  // a new or rewritten file
                if (tree.parent_is_folder(path) && !is_folder(tree, path)) {
                    const ModelTree::Node* old = tree.find(path);
                    tree.nodes[ModelTree::key(path)] = {
                        old ? old->path : path,   false, ++content_, pick(3) + 1, ++time_,
                        old ? old->attributes : 0};
                }
                break;
            case 3:  // a new folder
                if (tree.parent_is_folder(path) && !tree.find(path))
                    tree.nodes[ModelTree::key(path)] = {path, true};
                break;
            case 4:  // something removed
                tree.remove(path);
                break;
            case 5: {  // a file moved to the other tree, as it was
                const ModelTree::Node* node = tree.find(path);
                ModelTree& other = &tree == &trees[0] ? trees[1] : trees[0];
                if (node && !node->is_folder && other.parent_is_folder(path) && !other.find(path)) {
                    other.nodes[ModelTree::key(path)] = *node;
                    tree.remove(path);
                }
                break;
            }
            case 6: {  // read-only or hidden, without a new time
                auto at = tree.nodes.find(ModelTree::key(path));
                if (at != tree.nodes.end() && !at->second.is_folder)
                    at->second.attributes ^= pick(2) ? kReadOnlyAttribute : 2u;
                break;
            }
            case 7: {  // renamed to another letter case, a folder with all inside
                const ModelTree::Node* node = tree.find(path);
                if (!node)
                    break;
                const std::string old_path = node->path;
                const std::string new_path =
                    std::string(tree_parent(old_path)) +
                    (tree_parent(old_path).empty() ? "" : "\\") +
                    flip_case(old_path.substr(old_path.size() - last_name(old_path).size()));
                for (auto& [k, item] : tree.nodes) {
                    if (item.path == old_path || item.path.starts_with(old_path + "\\"))
                        item.path = new_path + item.path.substr(old_path.size());
                }
                break;
            }
            case 8: {  // a file of the same size and time, but other content, in the other tree
                const ModelTree::Node* node = tree.find(path);
                ModelTree& other = &tree == &trees[0] ? trees[1] : trees[0];
                if (node && !node->is_folder && other.parent_is_folder(path) && !other.find(path)) {
                    ModelTree::Node twin = *node;
                    twin.content = ++content_;
                    other.nodes[ModelTree::key(path)] = twin;
                }
                break;
            }
            default: {  // written again: the same content with a new time
                auto at = tree.nodes.find(ModelTree::key(path));
                if (at != tree.nodes.end() && !at->second.is_folder)
                    at->second.modified = ++time_;
                break;
            }
        }
    }

    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    int content() { return ++content_; }

  private:
    static bool is_folder(const ModelTree& tree, const std::string& path) {
        const ModelTree::Node* node = tree.find(path);
        return node && node->is_folder;
    }
    static std::string_view last_name(std::string_view path) {
        const std::size_t at = path.rfind('\\');
        return at == std::string_view::npos ? path : path.substr(at + 1);
    }
    static std::string flip_case(std::string text) {
        for (char& c : text) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }
    std::string random_path(const ModelTree& tree) {
        static const std::vector<std::string> names{"a", "B", "c.lnk", "D.lnk", "é.lnk", "Ж"};
        std::string path;
        const std::size_t depth = pick(3) + 1;
        for (std::size_t level = 0; level < depth; ++level) {
            std::string name = names[pick(names.size())];
            if (pick(4) == 0)
                name = flip_case(name);
            path += (path.empty() ? "" : "\\") + name;
            // Keep to existing parents' names most of the time, so that deep
            // paths come about.
            if (const ModelTree::Node* node = tree.find(path); node && pick(2))
                path = node->path;
        }
        return path;
    }

    std::mt19937 random_;
    int content_ = 0;
    std::int64_t time_ = 0;
};

TEST(MergedCopy, BroughtUpToDateItEqualsAFreshCopyAfterEveryChange) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Changes changes(seed);
        std::vector<ModelTree> trees(2);
        ModelTree copy;
        CopyContents held;
        for (int step = 0; step < 150; ++step) {
            for (std::size_t n = changes.pick(3) + 1; n > 0; --n)
                changes.change(trees);
            const std::vector<TreeListing> listings{trees[0].listing(), trees[1].listing()};
            const CopyContents wanted = merge_trees(listings);
            apply(plan_copy_sync(wanted, held), trees, copy);
            if (HasFatalFailure())
                return;
            ASSERT_EQ(copy.contents(), model_full_copy(trees).contents()) << "step " << step;
            held = wanted;
            // Now and then the program itself changes the files of one
            // folder of the copy (an internet shortcut became a link).
            if (changes.pick(5) == 0 && !held.empty()) {
                const CopyItem& some = held[changes.pick(held.size())];
                const std::string folder_path =
                    some.is_folder ? some.path : std::string(tree_parent(some.path));
                const std::string prefix = folder_path.empty() ? "" : folder_path + "\\";
                if (const ModelTree::Node* gone = copy.find(prefix + "c.lnk");
                    gone && !gone->is_folder)
                    copy.remove(prefix + "c.lnk");
                if (!copy.find(prefix + "new.lnk"))
                    copy.nodes[ModelTree::key(prefix + "new.lnk")] = {
                        prefix + "new.lnk", false, changes.content(), 1, 1, kReadOnlyAttribute};
                TreeListing there;
                for (const TreeItem& item : copy.listing()) {
                    if (tree_parent(item.path) == folder_path)
                        there.push_back(item);
                }
                ASSERT_TRUE(take_folder_files(held, folder_path, there));
            }
        }
    }
}

}  // namespace
}  // namespace trevalon
