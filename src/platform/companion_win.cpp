#include "platform/companion_win.h"

#include <algorithm>
#include <optional>
#include <string>

#include "menu/path_text.h"
#include "platform/wide_win.h"
#include "resources/resource_ids.h"

namespace trevalon {

namespace {

std::optional<ULONGLONG> file_size(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Writes the whole image or nothing: a cut-off file would never be written
// again, since only a missing or empty file is.
void write_image(const std::wstring& path, std::span<const std::byte> image) {
    {
        UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return;
        std::size_t written = 0;
        while (written < image.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(image.size() - written, 1u << 20));
            DWORD done = 0;
            if (!WriteFile(file.get(), image.data() + written, chunk, &done, nullptr) || done == 0)
                break;
            written += done;
        }
        if (written == image.size())
            return;
    }
    DeleteFileW(path.c_str());
}

// One argument as the C runtime splits command lines: quoted, and with
// backslashes before the closing quote doubled so they stay backslashes.
std::wstring quoted(const std::wstring& text) {
    std::wstring out = L"\"" + text;
    std::size_t trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == L'\\')
        ++trailing;
    out.append(trailing, L'\\');
    return out + L"\"";
}

}  // namespace

std::span<const std::byte> companion_image(HMODULE module) {
    if (!module)
        module = GetModuleHandleW(nullptr);
    HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(IDR_COMPANION), MAKEINTRESOURCEW(10) /* RCDATA */);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const std::byte*>(data), SizeofResource(module, resource)};
}

UniqueHandle run_companion_program(std::string_view program_path, std::string_view temp_folder,
                                   std::span<const std::byte> image) {
    const std::string folder = with_trailing_separator(temp_folder);
    const std::wstring companion = utf8_to_wide(folder + std::string(kCompanionFileName));
    const auto size = file_size(companion);
    if ((!size || *size == 0) && !image.empty())
        write_image(companion, image);
    const auto written = file_size(companion);
    if (!written || *written == 0)
        return {};

    std::wstring command = quoted(companion) + L" " + quoted(utf8_to_wide(program_path));
    const std::wstring directory = utf8_to_wide(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(companion.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, directory.c_str(), &startup, &info))
        return {};
    CloseHandle(info.hThread);
    return UniqueHandle(info.hProcess);
}

}  // namespace trevalon
