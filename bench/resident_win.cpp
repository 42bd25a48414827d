#include "resident_win.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/wide_win.h"

namespace trevalon::bench {

namespace {

constexpr DWORD kStartLimitMs = 60000;
// The kernel's clock ticks per second for /proc/<pid>/stat (USER_HZ).
constexpr double kTicksPerSecond = 100.0;

// Files of /proc report a size of 0: read them to their end.
std::optional<std::string> read_proc(const std::string& path, std::size_t limit) {
    UniqueFile file(CreateFileW(utf8_to_wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string content;
    char chunk[4096];
    DWORD read = 0;
    while (content.size() < limit && ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) &&
           read > 0) {
        content.append(chunk, read);
    }
    return content;
}

std::string proc_file(int pid, std::string_view name) {
    return "Z:\\proc\\" + std::to_string(pid) + "\\" + std::string(name);
}

std::vector<int> unix_pids() {
    std::vector<int> pids;
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(FindFirstFileExW(L"Z:\\proc\\*", FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return pids;
    do {
        const int pid = _wtoi(data.cFileName);
        if (pid > 0)
            pids.push_back(pid);
    } while (FindNextFileW(find.get(), &data));
    return pids;
}

bool holds_entry(const std::string& zero_separated, std::string_view entry) {
    std::size_t at = 0;
    while (at < zero_separated.size()) {
        const std::size_t end = zero_separated.find('\0', at);
        const std::string_view item(zero_separated.data() + at,
                                    (end == std::string::npos ? zero_separated.size() : end) - at);
        if (item == entry)
            return true;
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return false;
}

struct WindowSearch {
    DWORD process_id;
    std::wstring window_class;
    HWND found;
};

BOOL CALLBACK find_window(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    if (owner == search->process_id && search->window_class == name && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string this_prefix_entry() {
    wchar_t prefix[1024];
    const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024);
    if (length == 0 || length >= 1024)
        return {};
    return "WINEPREFIX=" + wide_to_utf8(std::wstring_view(prefix, length));
}

// Field 22 of /proc/<pid>/stat: when the process started, in clock ticks.
unsigned long long start_ticks(int pid) {
    const auto stat = read_proc(proc_file(pid, "stat"), 4096);
    const std::size_t close = stat ? stat->rfind(')') : std::string::npos;
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(stat->substr(close + 2));
    std::string field;
    for (int number = 3; number <= 22 && fields >> field; ++number) {
        if (number == 22)
            return std::strtoull(field.c_str(), nullptr, 10);
    }
    return 0;
}

int unix_pid_of(std::string_view command, std::string_view environment_entry) {
    int newest = 0;
    unsigned long long newest_start = 0;
    for (int pid : unix_pids()) {
        const auto line = read_proc(proc_file(pid, "cmdline"), 4096);
        if (!line || line->find(command) == std::string::npos)
            continue;
        const auto environment = read_proc(proc_file(pid, "environ"), 1 << 20);
        if (!environment || !holds_entry(*environment, environment_entry))
            continue;
        const unsigned long long started = start_ticks(pid);
        if (!newest || started > newest_start) {
            newest = pid;
            newest_start = started;
        }
    }
    return newest;
}

std::optional<double> unix_cpu_seconds(int pid) {
    const auto stat = read_proc(proc_file(pid, "stat"), 4096);
    if (!stat)
        return std::nullopt;
    // The name in parentheses may hold blanks: count fields after its end.
    const std::size_t close = stat->rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat->substr(close + 2));
    std::string field;
    double ticks = 0;
    // Fields 3.. follow the name; utime and stime are fields 14 and 15.
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14)
            ticks += std::atof(field.c_str());
    }
    return ticks / kTicksPerSecond;
}

int wineserver_pid() {
    const std::string prefix = this_prefix_entry();
    return prefix.empty() ? 0 : unix_pid_of("wineserver", prefix);
}

Resident::Resident(std::string_view program, std::string_view window_class) {
    static int started = 0;
    const std::string token =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started);
    SetEnvironmentVariableW(L"TREVALON_BENCH_TOKEN", utf8_to_wide(token).c_str());
    std::wstring command = L"\"" + utf8_to_wide(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const BOOL created = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &info);
    if (!created)
        return;
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    WindowSearch search{info.dwProcessId, utf8_to_wide(window_class), nullptr};
    const ULONGLONG give_up = GetTickCount64() + kStartLimitMs;
    while (GetTickCount64() < give_up && WaitForSingleObject(process_.get(), 20) == WAIT_TIMEOUT) {
        EnumWindows(find_window, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
    }
    window_ = search.found;
    if (window_)
        unix_pid_ = unix_pid_of(program, this_prefix_entry());
    if (!window_ || unix_pid_ <= 0) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(),
                     window_ ? "its Linux process was not found" : "no window appeared");
    }
}

Resident::~Resident() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 10000);
    }
}

std::optional<double> unix_private_dirty_kb(int pid) {
    const auto rollup = read_proc(proc_file(pid, "smaps_rollup"), 1 << 16);
    if (!rollup)
        return std::nullopt;
    const std::size_t at = rollup->find("Private_Dirty:");
    if (at == std::string::npos)
        return std::nullopt;
    return std::atof(rollup->c_str() + at + 14);
}

std::optional<double> Resident::private_dirty_kb() const {
    return unix_private_dirty_kb(unix_pid_);
}

std::vector<std::pair<std::string, double>> Resident::private_dirty_by_mapping() const {
    std::map<std::string, double> by_mapping;
    const auto smaps = read_proc(proc_file(unix_pid_, "smaps"), 16 << 20);
    if (smaps) {
        std::istringstream lines(*smaps);
        std::string line;
        std::string mapping = "[anon]";
        while (std::getline(lines, line)) {
            if (line.starts_with("Private_Dirty:")) {
                by_mapping[mapping] += std::atof(line.c_str() + 14);
            } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                       line.find('-') < line.find(' ')) {
                // "start-end perms offset device inode [path]"
                std::istringstream fields(line);
                std::string skip;
                for (int i = 0; i < 5; ++i)
                    fields >> skip;
                std::string path;
                std::getline(fields >> std::ws, path);
                mapping = path.empty() ? "[anon]" : path;
            }
        }
    }
    std::vector<std::pair<std::string, double>> sorted(by_mapping.begin(), by_mapping.end());
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
}

std::optional<Resident::Scheduled> Resident::scheduled() const {
    const std::wstring tasks = utf8_to_wide(proc_file(unix_pid_, "task")) + L"\\*";
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(
        FindFirstFileExW(tasks.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return std::nullopt;
    Scheduled total;
    do {
        if (_wtoi(data.cFileName) <= 0)
            continue;
        // "time on a CPU (ns) time waiting (ns) times run"
        const auto stat = read_proc(
            proc_file(unix_pid_, "task\\" + wide_to_utf8(data.cFileName) + "\\schedstat"), 256);
        if (!stat)
            continue;
        std::istringstream fields(*stat);
        double on_cpu = 0;
        double waiting = 0;
        double runs = 0;
        if (fields >> on_cpu >> waiting >> runs) {
            total.cpu_seconds += on_cpu / 1e9;
            total.runs += runs;
        }
    } while (FindNextFileW(find.get(), &data));
    return total;
}

std::optional<double> Resident::cpu_seconds() const {
    return unix_cpu_seconds(unix_pid_);
}

void Resident::sync() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

}  // namespace trevalon::bench
