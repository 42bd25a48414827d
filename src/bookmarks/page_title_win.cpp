#include "bookmarks/page_title_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "bookmarks/page_title.h"
#include "bookmarks/web_address.h"
#include "platform/handles_win.h"
#include "platform/legacy_text_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

constexpr std::size_t kMaxOutput = 4096;
constexpr DWORD kPollMilliseconds = 20;

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring system_folder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring variable_name(std::wstring_view entry) {
    // "=C:=C:\..." entries start with "=", which is part of their name.
    return std::wstring(entry.substr(0, entry.find(L'=', 1)));
}

int compare_ignoring_case(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE);
}

struct EnvironmentFree {
    void operator()(wchar_t* block) const { FreeEnvironmentStringsW(block); }
};

// This process's environment with one variable set, as a block for
// CreateProcessW, sorted by name the way Windows keeps it.
std::wstring environment_with(const std::wstring& name, const std::wstring& value) {
    std::vector<std::wstring> entries;
    if (std::unique_ptr<wchar_t, EnvironmentFree> block{GetEnvironmentStringsW()}) {
        for (const wchar_t* entry = block.get(); *entry; entry += wcslen(entry) + 1)
            entries.emplace_back(entry);
    }
    std::erase_if(entries, [&](const std::wstring& entry) {
        return compare_ignoring_case(variable_name(entry), name) == CSTR_EQUAL;
    });
    const auto at = std::find_if(entries.begin(), entries.end(), [&](const std::wstring& entry) {
        return entry.front() != L'=' &&
               compare_ignoring_case(variable_name(entry), name) == CSTR_GREATER_THAN;
    });
    entries.insert(at, name + L"=" + value);

    std::wstring joined;
    for (const std::wstring& entry : entries) {
        joined += entry;
        joined += L'\0';
    }
    joined += L'\0';
    return joined;
}

// Reads what the process prints until a line is complete, the process ends,
// or the deadline passes. Polling rather than a blocking read, so neither a
// silent process nor one of its children holding the pipe can stall us.
std::string read_first_line(HANDLE pipe, HANDLE process,
                            std::chrono::steady_clock::time_point deadline) {
    std::string output;
    bool ended = false;
    for (;;) {
        DWORD available = 0;
        const bool open = PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) != FALSE;
        if (open && available > 0) {
            char buffer[1024];
            const DWORD wanted = static_cast<DWORD>(
                std::min<std::size_t>({available, sizeof(buffer), kMaxOutput - output.size()}));
            DWORD got = 0;
            if (!ReadFile(pipe, buffer, wanted, &got, nullptr) || got == 0)
                break;
            output.append(buffer, got);
            if (output.find('\n') != std::string::npos || output.size() >= kMaxOutput)
                break;
            continue;
        }
        if (!open || ended || std::chrono::steady_clock::now() >= deadline)
            break;
        ended = WaitForSingleObject(process, kPollMilliseconds) == WAIT_OBJECT_0;
    }
    return output;
}

}  // namespace

std::optional<std::string> find_powershell(const NetworkConfig& config) {
    const std::wstring name = utf8_to_wide(config.powershell);
    if (name.empty())
        return std::nullopt;
    if (name.find_first_of(L"\\/:") != std::wstring::npos)
        return is_file(name) ? std::optional(config.powershell) : std::nullopt;
    const std::wstring folder = system_folder();
    const std::wstring standard = folder + L"\\WindowsPowerShell\\v1.0\\" + name;
    if (folder.empty() || !is_file(standard))
        return std::nullopt;
    return wide_to_utf8(standard);
}

std::optional<std::string> run_title_process(std::string_view address,
                                             const NetworkConfig& config) {
    if (!is_web_address(address))
        return std::nullopt;
    const std::optional<std::string> program = find_powershell(config);
    if (!program)
        return std::nullopt;

    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    UniqueHandle read_end;
    UniqueHandle write_end;
    if (!CreatePipe(read_end.put(), write_end.put(), &inheritable, 0))
        return std::nullopt;
    SetHandleInformation(read_end.get(), HANDLE_FLAG_INHERIT, 0);
    UniqueFile nothing(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                                   0, nullptr));
    if (!nothing)
        return std::nullopt;

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nothing.get();
    startup.hStdOutput = write_end.get();
    startup.hStdError = nothing.get();

    const std::wstring program_path = utf8_to_wide(*program);
    std::wstring command_line =
        L"\"" + program_path + L"\" -NoProfile -NonInteractive -NoLogo -Command \"" +
        utf8_to_wide(title_fetch_command(config.title_request_timeout)) + L"\"";
    std::wstring environment =
        environment_with(utf8_to_wide(kTitleAddressVariable), utf8_to_wide(address));
    const std::wstring folder = system_folder();

    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program_path.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started))
        return std::nullopt;
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    // Only the child may hold the writing end now, so a closed pipe means
    // it is done.
    write_end.reset();
    nothing.reset();

    std::string output =
        read_first_line(read_end.get(), process.get(),
                        std::chrono::steady_clock::now() + config.title_process_limit);
    if (WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 1000);
    }
    return output;
}

std::optional<std::string> fetch_page_title(std::string_view address, const NetworkConfig& config) {
    const std::optional<std::string> output = run_title_process(address, config);
    if (!output)
        return std::nullopt;
    return title_from_output(*output, legacy_to_utf8);
}

}  // namespace trevalon
