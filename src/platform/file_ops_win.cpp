#include "platform/file_ops_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "menu/path_text.h"
#include "menu/program_folders.h"
#include "platform/folder_entries_win.h"
#include "platform/handles_win.h"
#include "platform/safe_delete.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

DWORD attributes_of(std::string_view path) {
    return GetFileAttributesW(file_path_wide(path).c_str());
}

// Deeper than any menu a person makes; a deeper tree is not walked further.
constexpr int kDeepest = 64;

std::wstring without_separator(std::wstring path) {
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':')
        path.pop_back();
    return path;
}

bool same_ignoring_case(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The item itself, a link not followed where the system allows that.
UniqueFile open_itself(const std::wstring& path, DWORD access) {
    return UniqueFile(CreateFileW(
        path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Where the system says an open item lies, without the literal prefix.
std::optional<std::wstring> final_path(HANDLE item) {
    std::wstring buffer(1024, L'\0');
    DWORD length = GetFinalPathNameByHandleW(item, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleW(item, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= buffer.size())
        return std::nullopt;
    buffer.resize(length);
    return without_separator(buffer);
}

std::optional<std::wstring> final_path_of(const std::wstring& path) {
    UniqueFile item = open_itself(path, FILE_READ_ATTRIBUTES);
    if (!item)
        return std::nullopt;
    return final_path(item.get());
}

bool same_file_id(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION one{};
    BY_HANDLE_FILE_INFORMATION other{};
    return GetFileInformationByHandle(a, &one) && GetFileInformationByHandle(b, &other) &&
           one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
           one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

// Whether the open item is the one at `path` and not what a link there
// points to: its place as the system reports it is its folder's place and
// its own name. Some systems (Wine) open what a link points to whatever
// they are asked; such a link cannot be removed or renamed as itself.
bool is_itself(HANDLE item, const std::wstring& path, const std::optional<std::wstring>& folder) {
    const std::wstring plain = without_separator(path);
    const std::size_t slash = plain.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return true;
    const std::optional<std::wstring> where = final_path(item);
    const std::optional<std::wstring> parent =
        folder ? folder : final_path_of(plain.substr(0, slash));
    // Without an answer there is nothing to tell a link by.
    if (!where || !parent)
        return true;
    const std::wstring name = plain.substr(slash + 1);
    if (same_ignoring_case(*where, *parent + L"\\" + name))
        return true;
    // Wine reports a name ending in dots or blanks without them. It is the
    // item itself unless the item of the shorter name is the same one (a
    // link to it).
    std::wstring shorter = name;
    while (!shorter.empty() && (shorter.back() == L'.' || shorter.back() == L' '))
        shorter.pop_back();
    if (shorter.empty() || shorter == name ||
        !same_ignoring_case(*where, *parent + L"\\" + shorter))
        return false;
    UniqueFile sibling = open_itself(plain.substr(0, slash + 1) + shorter, FILE_READ_ATTRIBUTES);
    return !sibling || !same_file_id(item, sibling.get());
}

bool resolves_elsewhere(const std::wstring& path) {
    UniqueFile item = open_itself(path, FILE_READ_ATTRIBUTES);
    return item && !is_itself(item.get(), path, std::nullopt);
}

// Removes a file, an empty folder or a link as itself, through one handle:
// what is checked is what is removed. A read-only item is made writable
// first. False when the item is a link the system only opens through.
bool remove_itself(const std::wstring& path, const std::optional<std::wstring>& folder) {
    UniqueFile item =
        open_itself(without_separator(path), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    if (!item || !is_itself(item.get(), path, folder))
        return false;
    FILE_BASIC_INFO basic{};
    if (GetFileInformationByHandleEx(item.get(), FileBasicInfo, &basic, sizeof(basic)) &&
        (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
        basic.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
        if (basic.FileAttributes == 0)
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(item.get(), FileBasicInfo, &basic, sizeof(basic));
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(item.get(), FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}

void clear_read_only(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
}

// Whether two paths name one file or folder (the same file id on the same
// volume), whatever their letter case.
bool same_item(const std::wstring& a, const std::wstring& b) {
    const auto identity = [](const std::wstring& path) -> std::optional<std::wstring> {
        UniqueFile file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !GetFileInformationByHandle(file.get(), &info))
            return std::nullopt;
        return std::to_wstring(info.dwVolumeSerialNumber) + L":" +
               std::to_wstring(info.nFileIndexHigh) + L":" + std::to_wstring(info.nFileIndexLow);
    };
    const auto first = identity(a);
    return first && first == identity(b);
}

std::wstring wide_folder(std::string_view folder) {
    return literal_path_wide(with_backslash(folder));
}

// `folder` is a wide path without its closing separator, in the literal
// form where it has one, so every name below it is taken as it is.
bool remove_tree_unchecked(const std::wstring& folder, int depth) {
    if (depth > kDeepest)
        return false;
    const std::optional<std::wstring> here = final_path_of(folder);
    for_each_folder_entry(folder + L"\\", [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring path = folder + L"\\" + entry.cFileName;
        // A junction or folder link is removed itself; what it points to
        // stays. Files are checked as they are removed.
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            remove_tree_unchecked(path, depth + 1);
        } else {
            remove_itself(path, here);
        }
    });
    remove_itself(folder, std::nullopt);
    return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Copies over whatever is at `to` and leaves the copy writable. A read-only
// target is made writable first only when the copy was refused (some systems
// refuse, others copy and keep the target's read-only flag, hence the check
// afterwards).
bool copy_over(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        clear_read_only(to);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
            return false;
    }
    clear_read_only(to);
    return true;
}

// The read-only files of a folder (names as listed).
std::vector<std::wstring> read_only_files(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for_each_folder_entry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(entry.cFileName);
        }
    });
    return names;
}

bool among(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& other) {
        return CompareStringOrdinal(other.c_str(), static_cast<int>(other.size()), name.c_str(),
                                    static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
    });
}

// copy_tree below folders that exist (both ending in "\\"). Each subfolder is
// made with one call, its parent being there already; whether a copy must be
// made writable afterwards is known from the two listings (a folder just
// made holds nothing), so a file costs the copy alone.
int copy_tree_into(const std::wstring& source, const std::wstring& target, bool target_is_new,
                   std::string_view pattern, bool recursive, int depth = 0) {
    if (depth > kDeepest)
        return 0;
    const std::vector<std::wstring> read_only_targets =
        target_is_new ? std::vector<std::wstring>{} : read_only_files(target);
    int copied = 0;
    for_each_folder_entry(source, [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!recursive || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                return;
            const std::wstring folder = target + name;
            const bool made = CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
            if (made || GetLastError() == ERROR_ALREADY_EXISTS) {
                copied += copy_tree_into(source + name + L"\\", folder + L"\\", made, pattern, true,
                                         depth + 1);
            }
        } else if (matches_pattern(wide_to_utf8(name), pattern)) {
            const std::wstring to = target + name;
            bool done = CopyFileW((source + name).c_str(), to.c_str(), FALSE) != FALSE;
            if (!done) {
                clear_read_only(to);
                done = CopyFileW((source + name).c_str(), to.c_str(), FALSE) != FALSE;
            }
            if (done && ((entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ||
                         among(read_only_targets, name))) {
                clear_read_only(to);
            }
            copied += done ? 1 : 0;
        }
    });
    return copied;
}

}  // namespace

bool is_directory(std::string_view path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool is_file(std::string_view path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool create_folder(std::string_view path) {
    if (path.empty())
        return false;
    CreateDirectoryW(file_path_wide(path).c_str(), nullptr);
    return is_directory(path);
}

bool create_folders(std::string_view path) {
    if (path.empty())
        return false;
    if (is_directory(path))
        return true;
    std::string folder = with_backslash(path);
    // Create each level from the first missing one down; the drive or share
    // part simply fails to be created and is passed over.
    for (std::size_t at = folder.find('\\'); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        const std::string level = folder.substr(0, at);
        if (!level.empty() && level.back() != ':' && !is_directory(level)) {
            CreateDirectoryW(file_path_wide(level).c_str(), nullptr);
        }
    }
    return is_directory(path);
}

bool copy_file(std::string_view from, std::string_view to) {
    return copy_over(file_path_wide(from), file_path_wide(to));
}

bool copy_file_if_absent(std::string_view from, std::string_view to) {
    const std::wstring target = file_path_wide(to);
    if (!CopyFileW(file_path_wide(from).c_str(), target.c_str(), TRUE))
        return false;
    clear_read_only(target);
    return true;
}

bool rename_path(std::string_view from, std::string_view to) {
    const std::wstring source = file_path_wide(from);
    const std::wstring target = file_path_wide(to);
    // A link this system moves only as what it points to stays.
    if (resolves_elsewhere(source))
        return false;
    // A new letter case of the same name: some file systems (and Wine) keep
    // the old name, or refuse, when asked directly. Go through a free
    // temporary name beside it; put it back if the second step fails.
    if (source != target && same_item(source, target)) {
        for (int i = 0; i < 100; ++i) {
            const std::wstring temporary = source + L".renaming-" + std::to_wstring(i);
            if (GetFileAttributesW(temporary.c_str()) != INVALID_FILE_ATTRIBUTES)
                continue;
            if (!MoveFileExW(source.c_str(), temporary.c_str(), 0))
                return false;
            if (MoveFileExW(temporary.c_str(), target.c_str(), 0))
                return true;
            MoveFileExW(temporary.c_str(), source.c_str(), 0);
            return false;
        }
        return false;
    }
    return MoveFileExW(source.c_str(), target.c_str(), 0) != FALSE;
}

int copy_tree(std::string_view from, std::string_view to, std::string_view pattern,
              bool recursive) {
    if (!is_directory(from) || !create_folders(to))
        return 0;
    return copy_tree_into(wide_folder(from), wide_folder(to), false, pattern, recursive);
}

bool delete_file(std::string_view path) {
    const std::wstring wide = literal_path_wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return false;
    }
    return remove_itself(wide, std::nullopt);
}

bool remove_empty_folder(std::string_view path) {
    return remove_itself(without_separator(literal_path_wide(path)), std::nullopt);
}

bool is_link(std::string_view path) {
    const std::wstring wide = without_separator(literal_path_wide(path));
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) || resolves_elsewhere(wide);
}

bool remove_tree(std::string_view path, std::span<const std::string> allowed_roots) {
    if (!may_delete_tree(path, allowed_roots))
        return false;
    // Without the closing separator: only so does every system report a
    // folder link as a link.
    const std::wstring folder = without_separator(literal_path_wide(path));
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || resolves_elsewhere(folder))
        return remove_itself(folder, std::nullopt);
    return remove_tree_unchecked(folder, 0);
}

std::vector<std::string> files_in(std::string_view folder) {
    std::vector<std::string> names;
    for_each_folder_entry(wide_folder(folder), [&](const WIN32_FIND_DATAW& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(wide_to_utf8(entry.cFileName));
        }
    });
    return names;
}

namespace {
constexpr std::int64_t kTicksPerSecond = 10'000'000;
// FILETIME counts 100 ns steps since 1601; 11,644,473,600 s lie before 1970.
constexpr std::int64_t kSecondsBefore1970 = 11'644'473'600LL;
}  // namespace

std::optional<std::int64_t> file_write_time(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file_path_wide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    const std::int64_t ticks =
        (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    return ticks / kTicksPerSecond - kSecondsBefore1970;
}

bool set_file_write_time(std::string_view path, std::int64_t seconds) {
    UniqueFile file(CreateFileW(file_path_wide(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return false;
    const std::uint64_t ticks =
        static_cast<std::uint64_t>(seconds + kSecondsBefore1970) * kTicksPerSecond;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return SetFileTime(file.get(), nullptr, nullptr, &time) != FALSE;
}

std::optional<std::uint64_t> file_size(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file_path_wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool create_new_file(std::string_view path) {
    UniqueFile file(CreateFileW(file_path_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

std::optional<std::string> read_file(std::string_view path, std::size_t limit) {
    UniqueFile file(CreateFileW(file_path_wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > limit) {
        return std::nullopt;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() && (!ReadFile(file.get(), content.data(),
                                       static_cast<DWORD>(content.size()), &read, nullptr) ||
                             read != content.size())) {
        return std::nullopt;
    }
    return content;
}

namespace {

constexpr std::size_t kPiece = 1u << 20;

bool write_whole(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool read_in_pieces(std::string_view path, const std::function<void(std::string_view)>& take) {
    UniqueFile file(CreateFileW(file_path_wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return false;
    std::string piece(kPiece, '\0');
    auto left = static_cast<std::uint64_t>(size.QuadPart);
    while (left > 0) {
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(left, kPiece));
        if (!ReadFile(file.get(), piece.data(), wanted, &read, nullptr) || read == 0)
            return false;
        take(std::string_view(piece.data(), read));
        left -= std::min<std::uint64_t>(left, read);
    }
    // A file that grew meanwhile is not the file that was measured.
    DWORD extra = 0;
    char probe = 0;
    return ReadFile(file.get(), &probe, 1, &extra, nullptr) && extra == 0;
}

bool same_file_bytes(std::string_view a, std::string_view b) {
    const auto open = [](std::string_view path) {
        return UniqueFile(CreateFileW(file_path_wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    };
    UniqueFile first = open(a);
    UniqueFile second = open(b);
    LARGE_INTEGER first_size;
    LARGE_INTEGER second_size;
    if (!first || !second || !GetFileSizeEx(first.get(), &first_size) ||
        !GetFileSizeEx(second.get(), &second_size) || first_size.QuadPart != second_size.QuadPart) {
        return false;
    }
    std::string one(kPiece, '\0');
    std::string other(kPiece, '\0');
    auto left = static_cast<std::uint64_t>(first_size.QuadPart);
    while (left > 0) {
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(left, kPiece));
        DWORD read_one = 0;
        DWORD read_other = 0;
        if (!ReadFile(first.get(), one.data(), wanted, &read_one, nullptr) ||
            !ReadFile(second.get(), other.data(), wanted, &read_other, nullptr) ||
            read_one != wanted || read_other != wanted ||
            std::memcmp(one.data(), other.data(), wanted) != 0) {
            return false;
        }
        left -= wanted;
    }
    return true;
}

bool write_file(std::string_view path, std::string_view content) {
    UniqueFile file(CreateFileW(file_path_wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    return write_whole(file.get(), content);
}

bool write_file_atomically(std::string_view path, std::string_view content) {
    const std::wstring target = file_path_wide(path);
    const std::wstring fresh = target + L".new";
    bool written = false;
    {
        UniqueFile file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        written = write_whole(file.get(), content) && FlushFileBuffers(file.get());
    }
    if (written && MoveFileExW(fresh.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(fresh.c_str());
    return false;
}

}  // namespace trevalon
