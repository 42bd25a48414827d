// The real disk as the edits, the cut keeper and Undo see it (file_disk.h).
//
// For tests of the whole program only: with the environment variable
// TREVALON_TEST_END_AT_CHANGE set to n, the process ends at once, as a kill
// would end it, when its n-th change through this disk is about to be made.
#pragma once

#include <windows.h>

#include "commands/file_disk.h"

namespace trevalon {

class WindowsFileDisk final : public FileDisk {
  public:
    // `owner`: the window the Recycle Bin's progress belongs to.
    explicit WindowsFileDisk(HWND owner = nullptr) : owner_(owner) {}

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
    HWND owner_;
};

}  // namespace trevalon
