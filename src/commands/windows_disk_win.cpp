#include "commands/windows_disk_win.h"

#include <atomic>
#include <cwchar>

#include "commands/import_win.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/recycle_bin_win.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

constexpr std::size_t kLargestNote = 1u << 16;
constexpr UINT kEndedByTest = 0xDEAD;

// The test switch, read once.
long end_at_change() {
    static const long at = [] {
        wchar_t buffer[32] = {};
        const DWORD length = GetEnvironmentVariableW(L"TREVALON_TEST_END_AT_CHANGE", buffer, 32);
        return length > 0 && length < 32 ? std::wcstol(buffer, nullptr, 10) : 0L;
    }();
    return at;
}

// Every change counts; the test switch ends the process before the chosen one.
void change() {
    static std::atomic<long> made{0};
    const long at = end_at_change();
    if (at > 0 && ++made >= at)
        TerminateProcess(GetCurrentProcess(), kEndedByTest);
}

}  // namespace

PathState WindowsFileDisk::state(const std::string& path) const {
    const DWORD attributes =
        GetFileAttributesW(file_path_wide(without_trailing_separator(path)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathState::missing
                                                                              : PathState::unknown;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return PathState::file;
    const auto entries = list_directory(path);
    if (!entries)
        return PathState::unknown;
    return entries->empty() ? PathState::empty_folder : PathState::folder;
}

bool WindowsFileDisk::is_link(const std::string& path) const {
    return trevalon::is_link(path);
}

std::optional<std::vector<DirectoryEntry>> WindowsFileDisk::list(const std::string& folder) const {
    return list_directory(folder);
}

std::optional<std::uint64_t> WindowsFileDisk::file_size(const std::string& path) const {
    return trevalon::file_size(path);
}

std::optional<Fingerprint> WindowsFileDisk::fingerprint(const std::string& path) const {
    FingerprintBuilder builder;
    if (!read_in_pieces(path, [&](std::string_view piece) { builder.add(piece); }))
        return std::nullopt;
    return builder.result();
}

bool WindowsFileDisk::same_bytes(const std::string& a, const std::string& b) const {
    return same_file_bytes(a, b);
}

std::optional<std::string> WindowsFileDisk::read_note(const std::string& path) const {
    if (trevalon::is_link(path))
        return std::nullopt;
    return read_file(path, kLargestNote);
}

bool WindowsFileDisk::write_note(const std::string& path, std::string_view text) {
    if (trevalon::is_link(path))
        return false;
    change();
    return write_file_atomically(path, text);
}

bool WindowsFileDisk::make_folder(const std::string& path) {
    change();
    return CreateDirectoryW(file_path_wide(without_trailing_separator(path)).c_str(), nullptr) !=
           FALSE;
}

bool WindowsFileDisk::copy_file(const std::string& from, const std::string& to) {
    change();
    return copy_file_if_absent(from, to);
}

bool WindowsFileDisk::rename(const std::string& from, const std::string& to) {
    change();
    return rename_path(from, to);
}

bool WindowsFileDisk::remove_file(const std::string& path) {
    change();
    return delete_file(path);
}

bool WindowsFileDisk::remove_folder(const std::string& path) {
    change();
    return remove_empty_folder(path);
}

bool WindowsFileDisk::recycle(const std::string& path) {
    change();
    return move_to_recycle_bin(path, owner_);
}

bool WindowsFileDisk::make_link(const ShortcutContents& contents) {
    // The link object saves over whatever is there: only a free name is given.
    if (path_taken(contents.link_file))
        return false;
    change();
    return create_shortcut(contents);
}

}  // namespace trevalon
