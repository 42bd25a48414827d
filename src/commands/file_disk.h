// The file system as the edits, the cut keeper and Undo see it. The program
// runs on the real disk (windows_disk_win.h); tests run the same code on an
// in-memory disk that can stop after any step, as a killed process would,
// to prove that whatever step a run ends at, every entry is there exactly
// once with its bytes once the next start has recovered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/directory_listing.h"
#include "menu/shortcut_contents.h"

namespace trevalon {

enum class PathState {
    missing,  // nothing of that name: the path is free
    file,
    empty_folder,
    folder,   // a folder with something in it
    unknown,  // cannot be examined: counts as taken
};

// A file's bytes, told apart by their size and a 64-bit hash.
struct Fingerprint {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;

    friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
};

// Fingerprints bytes that come in pieces (FNV-1a over all of them).
class FingerprintBuilder {
  public:
    void add(std::string_view bytes);
    Fingerprint result() const { return {size_, hash_}; }

  private:
    std::uint64_t size_ = 0;
    std::uint64_t hash_ = 14695981039346656037ull;
};
Fingerprint fingerprint_of(std::string_view bytes);

class FileDisk {
  public:
    virtual ~FileDisk() = default;

    // Looking changes nothing.
    virtual PathState state(const std::string& path) const = 0;
    // A symbolic link or junction, to a file or a folder.
    virtual bool is_link(const std::string& path) const = 0;
    virtual std::optional<std::vector<DirectoryEntry>> list(const std::string& folder) const = 0;
    // A file's size; nothing for a folder or what cannot be examined.
    virtual std::optional<std::uint64_t> file_size(const std::string& path) const = 0;
    // The whole file's fingerprint, read in pieces; nothing when any part of
    // it cannot be read.
    virtual std::optional<Fingerprint> fingerprint(const std::string& path) const = 0;
    // Whether two files hold the same bytes, compared in pieces; a file that
    // cannot be read whole holds no bytes anything equals.
    virtual bool same_bytes(const std::string& a, const std::string& b) const = 0;
    // A small text file (a note); nothing when missing, unreadable or large.
    virtual std::optional<std::string> read_note(const std::string& path) const = 0;

    // Each change is one step: a run may end between any two of them.
    // Replaces the note in one step; a run ending meanwhile leaves the old one.
    virtual bool write_note(const std::string& path, std::string_view text) = 0;
    // Makes one folder; false when anything is there already.
    virtual bool make_folder(const std::string& path) = 0;
    // Copies a file to a free name. Ended midway, it may leave part of it.
    virtual bool copy_file(const std::string& from, const std::string& to) = 0;
    // Renames (moves) a file or folder to a free name; never replaces.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Removes a file, or a link itself: never what a link points to.
    virtual bool remove_file(const std::string& path) = 0;
    // Removes an empty folder, or a link to a folder itself.
    virtual bool remove_folder(const std::string& path) = 0;
    // Moves the file or folder to the Recycle Bin.
    virtual bool recycle(const std::string& path) = 0;
    // Saves a new shell link at contents.link_file, a free name.
    virtual bool make_link(const ShortcutContents& contents) = 0;
};

}  // namespace trevalon
