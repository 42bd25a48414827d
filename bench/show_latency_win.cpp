#include "show_latency_win.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "program/single_instance_win.h"
#include "resident_win.h"
#include "start_probe_win.h"
#include "wine_timing_win.h"

namespace trevalon::bench {

namespace {

constexpr DWORD kGiveUpMs = 5000;

std::optional<ULONGLONG> read_stamp(const std::string& file) {
    const auto text = read_file(file, 64);
    if (!text || text->empty())
        return std::nullopt;
    return std::strtoull(text->c_str(), nullptr, 10);
}

}  // namespace

int show_latency(int runs, const std::string& folder) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD temp_length = GetTempPathW(MAX_PATH + 1, temp);
    const std::string stamp_file =
        wide_to_utf8(std::wstring_view(temp, temp_length)) + "trevalon-bench-show.txt";
    SetEnvironmentVariableW(kPaintStampVariable, utf8_to_wide(stamp_file).c_str());
    Resident ours(folder + "trevalon_probe.exe", "TrevalonMainWindow");
    SetEnvironmentVariableW(kPaintStampVariable, nullptr);
    if (!ours.ready())
        return 1;
    std::vector<double> times;
    int missed = 0;
    for (int i = 0; i <= runs; ++i) {
        ShowWindow(ours.window(), SW_MINIMIZE);
        ours.sync();
        Sleep(300);
        delete_file(stamp_file);
        const ULONGLONG asked = system_time_100ns();
        bring_instance_forward(ours.window());
        const ULONGLONG give_up = GetTickCount64() + kGiveUpMs;
        std::optional<ULONGLONG> painted;
        while (GetTickCount64() < give_up) {
            if (GetForegroundWindow() == ours.window() && !IsIconic(ours.window()) &&
                (painted = read_stamp(stamp_file))) {
                break;
            }
            Sleep(1);
        }
        if (i == 0)
            continue;  // warm-up
        if (painted && *painted > asked)
            times.push_back(static_cast<double>(*painted - asked) / 1e4);
        else
            ++missed;
    }
    std::puts(
        result_line("8.ours", "show request to window in front and painted", "ms", summarize(times))
            .c_str());
    std::fflush(stdout);
    if (missed)
        std::fprintf(stderr, "show: %d of %d requests brought nothing forward within 5 s\n", missed,
                     runs);
    return times.empty() ? 1 : 0;
}

}  // namespace trevalon::bench
