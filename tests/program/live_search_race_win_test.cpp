// Search results as the user types, against the race every launcher with
// live results risks: keys typed 5 ms apart into the search field over a
// large menu, then at once a click on the first result, Enter or Shift+Enter.
// The click and Enter must start the top result of the whole text, never
// one of an older prefix, and Shift+Enter must run the search command for
// the whole text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "menu/file_list_cleanup.h"
#include "menu/live_matches.h"
#include "menu/search_index.h"
#include "platform/file_ops_win.h"
#include "program/event_loop_win.h"
#include "support/test_app_win.h"
#include "support/wait_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"

namespace trevalon {
namespace {

constexpr int kRepetitions = 50;
constexpr DWORD kKeyGap = 5;
// Every prefix of the text matches, and the first result of each prefix
// differs from the whole text's first result ("Zeta 1" against "Zeta 12").
constexpr char kText[] = "zeta 12";

void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT key(WORD virtual_key, wchar_t unicode, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = unicode;
    input.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

INPUT button(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    return input;
}

enum class Then { click, enter, shift_enter };

// What ends the loop of one repetition: a launch recorded, or the search
// command's results shown; or a bound of its own.
struct RunEnd {
    App* app = nullptr;
    std::size_t launches = 0;
    const test::RecordingLauncher* launcher = nullptr;
    bool after_return = false;
    ULONGLONG deadline = 0;
};
RunEnd g_end;

void CALLBACK end_when_done(HWND, UINT, UINT_PTR timer, DWORD) {
    const bool done = g_end.after_return
                          ? g_end.app->window.list.text() == g_end.app->folders.recent_search
                          : g_end.launcher->records.size() > g_end.launches;
    if (done || GetTickCount64() > g_end.deadline) {
        KillTimer(nullptr, timer);
        PostQuitMessage(0);
    }
}

class LiveSearchRace : public testing::Test {
  protected:
    void SetUp() override {
        App& a = app();
        ASSERT_TRUE(a.main_window);
        create_folders(a.folders.recent_search);
        create_folders(a.folders.recent_programs);
        // A large menu: 3,000 documents in 300 folders, named by 12 words
        // and a number.
        static const char* const kWords[] = {"Alpha", "Bravo", "Delta",  "Echo",  "Kilo", "Lima",
                                             "Mike",  "Oscar", "Sierra", "Tango", "Xray", "Zeta"};
        const std::string& menu = a.settings.my_own_menu;
        for (int i = 0; i < 3000; ++i) {
            const std::string folder = menu + "Group " + std::to_string(i % 300) + "\\";
            if (i < 300) {
                ASSERT_TRUE(create_folders(folder));
            }
            ASSERT_TRUE(
                write_file(folder + kWords[i % 12] + " " + std::to_string(i / 12) + ".txt", "x"));
        }
        RootIndex index(menu);
        index.rebuild();
        const RootIndex* roots[] = {&index};
        const LiveResults found = find_live_matches(roots, kText);
        for (const LiveMatch& match : found.matches) {
            expected_rows_.push_back(display_name(found.shown_name_of(match)));
            if (expected_rows_.back() == "Zeta 12")
                top_path_ = found.path_of(match);
        }
        std::sort(expected_rows_.begin(), expected_rows_.end());
        ASSERT_GT(expected_rows_.size(), 1u);
        ASSERT_FALSE(top_path_.empty());

        a.settings.explorer_list_click_event = kLeftClick;
        start_live_search(a);
        ASSERT_TRUE(test::wait_until([&a] { return a.live_search->indexer->ready(); }));
    }

    App& app() { return test_app_.app(); }

    std::vector<std::string> list_rows() {
        std::vector<std::string> rows;
        for (int row = 0; row < app().window.list.row_count(); ++row)
            rows.push_back(app().window.list.item_text(row, 0));
        return rows;
    }

    // Types the text 5 ms a key into the field with real input, then clicks
    // the list's first row or presses Enter at once; runs the event loop
    // meanwhile.
    void type_then(Then then) {
        const bool press_return = then != Then::click;
        const bool shift = then == Then::shift_enter;
        App& a = app();
        SetForegroundWindow(a.main_window);
        SetFocus(a.window.search_field);
        set_window_text(a.window.search_field, "");
        // Where the first row is: the top left of the list. Successive clicks
        // land a little apart, or the system would take two of them for a
        // double click.
        RECT first{};
        first.left = LVIR_ICON;
        HWND list = a.window.list.window();
        POINT at{30, 30};
        if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
            at = POINT{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
        if (!press_return)
            at.x += clicks_++ % 2 == 0 ? -8 : 8;
        ClientToScreen(list, &at);

        g_end = RunEnd{&a, test_app_.launcher.records.size(), &test_app_.launcher, shift,
                       GetTickCount64() + 20000};
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, end_when_done);
        std::thread typist([press_return, shift, at] {
            for (const char c : std::string(kText)) {
                send({key(0, static_cast<wchar_t>(c), false),
                      key(0, static_cast<wchar_t>(c), true)});
                Sleep(kKeyGap);
            }
            if (press_return) {
                if (shift)
                    send({key(VK_SHIFT, 0, false)});
                send({key(VK_RETURN, 0, false), key(VK_RETURN, 0, true)});
                if (shift)
                    send({key(VK_SHIFT, 0, true)});
            } else {
                SetCursorPos(at.x, at.y);
                send({button(MOUSEEVENTF_LEFTDOWN), button(MOUSEEVENTF_LEFTUP)});
            }
        });
        run_event_loop(a);
        typist.join();
        KillTimer(nullptr, timer);
    }

    test::TestApp test_app_{TREVALON_EXE_PATH};
    int clicks_ = 0;
    std::vector<std::string> expected_rows_;  // in name order
    std::string top_path_;
};

TEST_F(LiveSearchRace, AClickOrEnterRightAfterTheLastKeyActsOnTheWholeText) {
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        SCOPED_TRACE("repetition " + std::to_string(repetition));
        const auto then = static_cast<Then>(repetition % 3);
        const std::size_t launches = test_app_.launcher.records.size();
        type_then(then);
        ASSERT_EQ(window_text(app().window.search_field), kText);
        if (then == Then::shift_enter) {
            EXPECT_EQ(app().window.list.text(), app().folders.recent_search);
            EXPECT_EQ(launches, test_app_.launcher.records.size());
            continue;
        }
        std::vector<std::string> rows = list_rows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front(), "Zeta 12");
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, expected_rows_);
        ASSERT_EQ(test_app_.launcher.records.size(), launches + 1);
        EXPECT_EQ(test_app_.launcher.records.back().program, top_path_);
    }
}

}  // namespace
}  // namespace trevalon
