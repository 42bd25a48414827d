#include "support/unix_links_win.h"

#include <windows.h>

#include <vector>

#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace trevalon::test {
namespace {

using UnixFileName = char*(CDECL*)(LPCWSTR);

// Runs a Unix program with its arguments and waits for it to end.
// Wine gives no exit code for a Unix program; the caller looks at the result.
void run_unix(const wchar_t* program, const std::vector<std::string>& arguments) {
    std::wstring command = L"\"" + std::wstring(program) + L"\"";
    for (const std::string& argument : arguments)
        command += L" \"" + utf8_to_wide(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return;
    }
    UniqueHandle thread(process.hThread);
    UniqueHandle handle(process.hProcess);
    WaitForSingleObject(handle.get(), 20'000);
}

// Whether something is at path (a link to nothing counts), asked for up to
// two seconds until it is as wanted.
bool present(std::string_view path, bool wanted) {
    const std::wstring wide = utf8_to_wide(path);
    for (int i = 0; i < 40; ++i) {
        if ((GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) == wanted)
            return wanted;
        Sleep(50);
    }
    return !wanted;
}

}  // namespace

std::optional<std::string> unix_path_of(std::string_view windows_path) {
    const auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return std::nullopt;
    char* unix_name = convert(utf8_to_wide(windows_path).c_str());
    if (!unix_name)
        return std::nullopt;
    std::string result(unix_name);
    HeapFree(GetProcessHeap(), 0, unix_name);
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

bool make_unix_link(std::string_view link, std::string_view target) {
    const auto unix_link = unix_path_of(link);
    const auto unix_target = unix_path_of(target);
    if (!unix_link || !unix_target)
        return false;
    run_unix(L"Z:\\bin\\ln", {"-s", *unix_target, *unix_link});
    return present(link, true);
}

bool remove_unix_link(std::string_view link) {
    const auto unix_link = unix_path_of(link);
    if (!unix_link)
        return false;
    run_unix(L"Z:\\bin\\rm", {"-f", *unix_link});
    return !present(link, false);
}

std::string host_drive_path(std::string_view unix_path) {
    std::string path = "Z:" + std::string(unix_path);
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

}  // namespace trevalon::test
