// A folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trevalon::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a UTF-8 string ending in the platform's separator.
    std::string str() const;
    // Creates a file (and its folders) below the folder; returns its UTF-8 path.
    std::string write_file(std::string_view relative, std::string_view content) const;
    std::string make_dir(std::string_view relative) const;

  private:
    std::filesystem::path path_;
};

// The folder for screenshots and other files a test leaves behind, or empty
// when the run does not collect them.
std::filesystem::path artifacts_dir();

}  // namespace trevalon::test
