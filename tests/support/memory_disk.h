// A FileDisk in memory for the native tests: files, folders and links to
// either, by path in any letter case (as Windows finds them), a Recycle Bin
// beside them, and a switch that stops the run at any change, as a process
// killed at that moment would stop. A copy stopped midway leaves the part
// of the file it had written.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "commands/file_disk.h"

namespace trevalon::test {

class MemoryDisk final : public FileDisk {
  public:
    enum class Kind { file, folder, file_link, folder_link };
    struct Item {
        std::string path;  // as made, letter case kept
        Kind kind = Kind::file;
        std::string bytes;        // a file's, or what a made shell link holds
        std::string link_target;  // a link's
    };
    // Thrown at the change the run stops at.
    struct Stopped {};

    // Fixtures: the folders above are made as needed.
    void add_file(const std::string& path, std::string bytes);
    void add_folder(const std::string& path);
    void add_link(const std::string& path, const std::string& target, bool to_folder);

    // The run stops at the change after `changes` more have been made.
    void stop_after(int changes) { stop_at_ = changes_ + changes; }
    void never_stop() { stop_at_ = -1; }
    int changes() const { return changes_; }
    // Changes that touch these paths (any letter case) fail.
    std::set<std::string> failing;

    // What is there, by path as made: files with their bytes, folders as
    // "/", links as "-> target".
    std::map<std::string, std::string> contents() const;
    // The bytes of the file at the path, any separators and letter case;
    // nothing for anything else.
    std::optional<std::string> bytes_at(const std::string& path) const;
    // The same below one folder.
    std::map<std::string, std::string> contents_below(const std::string& folder) const;
    // Every file's bytes below the folder (links not followed).
    std::multiset<std::string> file_bytes_below(const std::string& folder) const;
    const std::vector<Item>& recycled() const { return bin_; }

    PathState state(const std::string& path) const override;
    bool is_link(const std::string& path) const override;
    std::optional<std::vector<DirectoryEntry>> list(const std::string& folder) const override;
    std::optional<std::uint64_t> file_size(const std::string& path) const override;
    std::optional<Fingerprint> fingerprint(const std::string& path) const override;
    bool same_bytes(const std::string& a, const std::string& b) const override;
    std::optional<std::string> read_note(const std::string& path) const override;

    bool write_note(const std::string& path, std::string_view text) override;
    bool make_folder(const std::string& path) override;
    bool copy_file(const std::string& from, const std::string& to) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove_file(const std::string& path) override;
    bool remove_folder(const std::string& path) override;
    bool recycle(const std::string& path) override;
    bool make_link(const ShortcutContents& contents) override;

  private:
    static std::string key(const std::string& path);
    // The path with every folder link above its last part followed.
    std::string through_links(const std::string& path) const;
    // The item at the path, its last part followed too when it is a link.
    const Item* find(const std::string& path) const;
    const Item* find_itself(const std::string& path) const;
    bool has_children(const std::string& resolved_key) const;
    bool parent_is_folder(const std::string& path) const;
    bool fails(const std::string& path) const;
    // Counts a change; throws Stopped when the run stops here.
    void change();
    void put(const std::string& path, Item item);

    std::map<std::string, Item> items_;  // by key
    std::vector<Item> bin_;
    int changes_ = 0;
    int stop_at_ = -1;
};

}  // namespace trevalon::test
