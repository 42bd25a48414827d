#include "start_probe_win.h"

#include <windows.h>

#include <vector>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "wine_timing_win.h"

namespace trevalon::bench {

namespace {

constexpr DWORD kPaintLimitMs = 30000;

std::string temp_folder() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return wide_to_utf8(std::wstring_view(path, length));
}

// Milliseconds from creation to paint, or a negative number.
double one_start(const std::string& program, const std::string& stamp_file) {
    delete_file(stamp_file);
    std::wstring command = L"\"" + utf8_to_wide(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const ULONGLONG created = system_time_100ns();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return -1;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    std::optional<std::string> stamp;
    const ULONGLONG give_up = GetTickCount64() + kPaintLimitMs;
    while (!(stamp = read_file(stamp_file, 64)) && GetTickCount64() < give_up) {
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0 && !read_file(stamp_file, 64))
            break;  // ended without painting
    }
    if (WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 0);
        WaitForSingleObject(process.get(), 10000);
    }
    if (!stamp)
        return -1;
    const ULONGLONG painted = std::strtoull(stamp->c_str(), nullptr, 10);
    return painted > created ? static_cast<double>(painted - created) / 1e4 : -1;
}

}  // namespace

Summary measure_start_to_paint(std::string_view program, int runs, int* failed,
                               const std::function<void()>& before_each) {
    const std::string stamp_file = temp_folder() + "trevalon-bench-paint.txt";
    SetEnvironmentVariableW(kPaintStampVariable, utf8_to_wide(stamp_file).c_str());
    *failed = 0;
    if (before_each)
        before_each();
    one_start(std::string(program), stamp_file);  // warm-up: caches, first-start work
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before_each)
            before_each();
        const double ms = one_start(std::string(program), stamp_file);
        if (ms >= 0)
            times.push_back(ms);
        else
            ++*failed;
    }
    SetEnvironmentVariableW(kPaintStampVariable, nullptr);
    return summarize(std::move(times));
}

std::vector<Summary> measure_starts_in_turn(const std::vector<std::string>& programs, int runs,
                                            std::vector<int>* failed,
                                            const std::function<void()>& before_each) {
    constexpr DWORD kSettleMs = 300;
    const std::string stamp_file = temp_folder() + "trevalon-bench-paint.txt";
    SetEnvironmentVariableW(kPaintStampVariable, utf8_to_wide(stamp_file).c_str());
    failed->assign(programs.size(), 0);
    std::vector<std::vector<double>> times(programs.size());
    for (int run = -1; run < runs; ++run) {  // run -1 warms up
        for (std::size_t i = 0; i < programs.size(); ++i) {
            if (before_each)
                before_each();
            Sleep(kSettleMs);
            const double ms = one_start(programs[i], stamp_file);
            if (run < 0)
                continue;
            if (ms >= 0)
                times[i].push_back(ms);
            else
                ++(*failed)[i];
        }
    }
    SetEnvironmentVariableW(kPaintStampVariable, nullptr);
    std::vector<Summary> summaries;
    for (std::vector<double>& program_times : times)
        summaries.push_back(summarize(std::move(program_times)));
    return summaries;
}

}  // namespace trevalon::bench
