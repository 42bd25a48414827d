#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include "base/utf8_path.h"

namespace trevalon::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("trevalon-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (fs::create_directories(path_))
            break;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
#ifdef _WIN32
    // Through the literal path form, so a file a test named like a device
    // (COM1.lnk) is removed and the device never opened.
    const std::wstring plain = path_.wstring();
    if (plain.size() > 2 && plain[1] == L':') {
        fs::remove_all(fs::path(L"\\\\?\\" + plain), ignored);
        return;
    }
#endif
    fs::remove_all(path_, ignored);
}

std::string TempDir::str() const {
    return path_to_utf8(path_ / "");
}

std::string TempDir::write_file(std::string_view relative, std::string_view content) const {
    const fs::path file = path_ / utf8_to_path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return path_to_utf8(file);
}

std::string TempDir::make_dir(std::string_view relative) const {
    const fs::path dir = path_ / utf8_to_path(relative);
    fs::create_directories(dir);
    return path_to_utf8(dir / "");
}

fs::path artifacts_dir() {
    const char* dir = std::getenv("TREVALON_ARTIFACTS_WIN");
    if (!dir || !*dir)
        dir = std::getenv("TREVALON_ARTIFACTS");
    if (!dir || !*dir)
        return {};
    fs::path path = utf8_to_path(dir);
    std::error_code ignored;
    fs::create_directories(path, ignored);
    return path;
}

}  // namespace trevalon::test
