// Undo's store on an in-memory disk: copies are kept whole or not at all,
// and every loop gives up after a bound, whatever the disk answers.
#include "commands/undo_store.h"

#include <gtest/gtest.h>

#include "support/memory_disk.h"

namespace trevalon {
namespace {

using test::MemoryDisk;

UndoFolders folders() {
    return UndoFolders{"C:/Data/", "C:/Data/Undo/", Staging{"C:/Data/Undo/Copying/", "C:/Data/"}};
}

// A disk that cannot tell whether any name for a file set aside is free.
class NoFreeAsideName final : public FileDisk {
  public:
    explicit NoFreeAsideName(MemoryDisk& disk) : disk_(disk) {}
    PathState state(const std::string& path) const override {
        ++asked;
        return path.find("aside-") != std::string::npos ? PathState::unknown : disk_.state(path);
    }
    bool is_link(const std::string& path) const override { return disk_.is_link(path); }
    std::optional<std::vector<DirectoryEntry>> list(const std::string& f) const override {
        return disk_.list(f);
    }
    std::optional<std::uint64_t> file_size(const std::string& p) const override {
        return disk_.file_size(p);
    }
    std::optional<Fingerprint> fingerprint(const std::string& p) const override {
        return disk_.fingerprint(p);
    }
    bool same_bytes(const std::string& a, const std::string& b) const override {
        return disk_.same_bytes(a, b);
    }
    std::optional<std::string> read_note(const std::string& p) const override {
        return disk_.read_note(p);
    }
    bool write_note(const std::string& p, std::string_view t) override {
        return disk_.write_note(p, t);
    }
    bool make_folder(const std::string& p) override { return disk_.make_folder(p); }
    bool copy_file(const std::string& a, const std::string& b) override {
        return disk_.copy_file(a, b);
    }
    bool rename(const std::string& a, const std::string& b) override { return disk_.rename(a, b); }
    bool remove_file(const std::string& p) override { return disk_.remove_file(p); }
    bool remove_folder(const std::string& p) override { return disk_.remove_folder(p); }
    bool recycle(const std::string& p) override { return disk_.recycle(p); }
    bool make_link(const ShortcutContents& c) override { return disk_.make_link(c); }

    mutable long asked = 0;

  private:
    MemoryDisk& disk_;
};

TEST(UndoStore, SettingAFileAsideGivesUpWhenNoNameCanBeFound) {
    MemoryDisk memory;
    memory.add_folder("C:/Data");
    memory.add_file("C:/Menu/made.lnk", "made");
    NoFreeAsideName disk(memory);
    StoreUndoDisk undo(disk, folders(), "C:/Data/Undo/1/", {});
    EXPECT_FALSE(undo.set_aside("C:/Menu/made.lnk"));
    EXPECT_LT(disk.asked, 20'000);
    EXPECT_EQ(memory.bytes_at("C:/Menu/made.lnk"), "made");
}

TEST(UndoStore, AKeptTreeIsWholeOrNotKeptAtAll) {
    MemoryDisk disk;
    disk.add_folder("C:/Data");
    disk.add_file("C:/Menu/Games/a.lnk", "a");
    disk.add_file("C:/Menu/Games/Deep/b.lnk", "b");
    const auto kept = keep_tree(disk, folders(), 4, 0, "C:/Menu/Games");
    ASSERT_TRUE(kept);
    EXPECT_EQ(disk.bytes_at(*kept + "/Deep/b.lnk"), "b");

    // A file that cannot be copied: no partial copy stays behind.
    disk.failing.insert("C:/Menu/Games/Deep/b.lnk");
    EXPECT_FALSE(keep_tree(disk, folders(), 5, 0, "C:/Menu/Games"));
    EXPECT_TRUE(disk.contents_below("C:/Data/Undo/5").empty());
}

}  // namespace
}  // namespace trevalon
