// Stands in for powershell.exe in the bookmark tests. It does nothing of
// PowerShell's; what it does is told by variables the test sets in its own
// environment, which the program under test passes on:
//   TREVALON_STAND_IN_RECORD    path: writes <path>.command (its command line),
//                               <path>.address (the bookmark address variable,
//                               "(unset)" without one) and <path>.pid, as UTF-8
//   TREVALON_STAND_IN_SLEEP_MS  waits that long before answering
//   TREVALON_STAND_IN_OUTPUT    path: copies that file's bytes to its output
//   TREVALON_STAND_IN_EXECUTE   folder: runs the text of its -Command argument
//                               through cmd.exe there, as a shell that trusted
//                               its command line would
#include <windows.h>

#include <string>

namespace {

std::wstring variable(const wchar_t* name, bool* present = nullptr) {
    wchar_t buffer[32768];
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
    if (present)
        *present = length > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    return length > 0 && length < 32768 ? std::wstring(buffer, length) : std::wstring();
}

std::string utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

void write_file(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string read_file(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The text of the -Command argument without its surrounding double quotes.
std::wstring command_argument(const std::wstring& line) {
    const std::wstring marker = L"-Command ";
    const std::size_t at = line.find(marker);
    if (at == std::wstring::npos)
        return {};
    std::wstring text = line.substr(at + marker.size());
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}

void execute(const std::wstring& text, const std::wstring& folder) {
    std::wstring command = L"cmd.exe /d /c " + text;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &started))
        return;
    WaitForSingleObject(started.hProcess, 20000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

}  // namespace

int main() {
    const std::wstring line = GetCommandLineW();

    const std::wstring record = variable(L"TREVALON_STAND_IN_RECORD");
    if (!record.empty()) {
        bool present = false;
        const std::wstring address = variable(L"TREVALON_BOOKMARK_ADDRESS", &present);
        write_file(record + L".command", utf8(line));
        write_file(record + L".address", present ? utf8(address) : "(unset)");
        write_file(record + L".pid", std::to_string(GetCurrentProcessId()));
    }

    const std::wstring sleep = variable(L"TREVALON_STAND_IN_SLEEP_MS");
    if (!sleep.empty())
        Sleep(static_cast<DWORD>(std::stoul(sleep)));

    const std::wstring folder = variable(L"TREVALON_STAND_IN_EXECUTE");
    if (!folder.empty())
        execute(command_argument(line), folder);

    const std::wstring output = variable(L"TREVALON_STAND_IN_OUTPUT");
    if (!output.empty()) {
        const std::string bytes = read_file(output);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                  &written, nullptr);
    }
    return 0;
}
