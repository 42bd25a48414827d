#include "show_latency_win.h"

#include <windows.h>

#include <cstdio>
#include <array>
#include <optional>
#include <tuple>
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

void press_hotkey() {
    std::array<INPUT, 6> keys{};
    const std::array<WORD, 3> held{VK_CONTROL, VK_MENU, VK_SPACE};
    for (std::size_t i = 0; i < held.size(); ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = held[i];
        keys[keys.size() - 1 - i].type = INPUT_KEYBOARD;
        keys[keys.size() - 1 - i].ki.wVk = held[i];
        keys[keys.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

// One series of shows, each asked for by request(window).
std::optional<Summary> shows(const Resident& ours, const std::string& stamp_file, int runs,
                             void (*request)(HWND), const char* name) {
    int missed = 0;
    std::vector<double> times = times_to_shown(
        ours, stamp_file, runs, [&] { request(ours.window()); }, [] {}, missed);
    if (missed) {
        std::fprintf(stderr, "show (%s): %d of %d requests brought nothing forward within 5 s\n",
                     name, missed, runs);
    }
    if (times.empty())
        return std::nullopt;
    return summarize(std::move(times));
}

}  // namespace

std::vector<double> times_to_shown(const Resident& ours, const std::string& stamp_file, int runs,
                                   const std::function<void()>& request,
                                   const std::function<void()>& after, int& missed) {
    std::vector<double> times;
    for (int i = 0; i <= runs; ++i) {
        ShowWindow(ours.window(), SW_MINIMIZE);
        ours.sync();
        Sleep(300);
        delete_file(stamp_file);
        const ULONGLONG asked = system_time_100ns();
        request();
        const ULONGLONG give_up = GetTickCount64() + kGiveUpMs;
        std::optional<ULONGLONG> painted;
        while (GetTickCount64() < give_up) {
            if (GetForegroundWindow() == ours.window() && !IsIconic(ours.window()) &&
                (painted = read_stamp(stamp_file))) {
                break;
            }
            Sleep(1);
        }
        after();
        if (i == 0)
            continue;  // warm-up
        if (painted && *painted > asked)
            times.push_back(static_cast<double>(*painted - asked) / 1e4);
        else
            ++missed;
    }
    return times;
}

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
    int status = 0;
    for (const auto& [id, what, request] :
         {std::tuple{"8.ours", "hotkey to window in front and painted",
                     +[](HWND) { press_hotkey(); }},
          std::tuple{"8.second", "a second start's show request to window in front and painted",
                     +[](HWND window) { bring_instance_forward(window); }}}) {
        const auto summary = shows(ours, stamp_file, runs, request, id);
        if (summary) {
            std::puts(result_line(id, what, "ms", *summary).c_str());
            std::fflush(stdout);
        } else {
            status = 1;
        }
    }
    return status;
}

}  // namespace trevalon::bench
