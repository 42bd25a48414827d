// A clipboard another program holds open with a window of its own: paste,
// copy and cut try again briefly, then give up with nothing pasted and
// nothing lost, and never keep the window waiting for more than a moment.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"
#include "menu/directory_listing.h"
#include "platform/clipboard_win.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "support/operations_fixture_win.h"
#include "support/process_win.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Far above the program's brief retries, far below a stuck window.
constexpr auto kMoment = 2s;

class HeldClipboard : public test::OperationsTest {
  protected:
    void SetUp() override {
        test::OperationsTest::SetUp();
        const std::string suffix = std::to_string(GetCurrentProcessId());
        held_name_ = L"TrevalonClipboardHeld" + utf8_to_wide(suffix);
        release_name_ = L"TrevalonClipboardRelease" + utf8_to_wide(suffix);
        held_.reset(CreateEventW(nullptr, TRUE, FALSE, held_name_.c_str()));
        release_.reset(CreateEventW(nullptr, TRUE, FALSE, release_name_.c_str()));
        ASSERT_TRUE(held_ && release_);
    }
    void TearDown() override {
        release();
        test::OperationsTest::TearDown();
    }

    // Another program opens the clipboard with its window and keeps it.
    void hold() {
        ResetEvent(held_.get());
        ResetEvent(release_.get());
        holder_ = test::start_process(
            TREVALON_TEST_HELPER_PATH,
            "hold-clipboard " + wide_to_utf8(held_name_) + " " + wide_to_utf8(release_name_));
        ASSERT_EQ(WaitForSingleObject(held_.get(), 30000), WAIT_OBJECT_0);
        ASSERT_FALSE(OpenClipboard(app_.main_window)) << "the holder should block others";
    }
    void release() {
        if (!holder_.process)
            return;
        SetEvent(release_.get());
        EXPECT_EQ(holder_.wait(30s), 0u);
        holder_ = {};
    }

    SelectedEntry entry(const std::string& relative) {
        return read_selected_entry(menu(relative), relative);
    }

    std::wstring held_name_;
    std::wstring release_name_;
    UniqueHandle held_;
    UniqueHandle release_;
    test::ChildProcess holder_;
};

TEST_F(HeldClipboard, PasteGivesUpQuicklyWithNothingPastedAndTheFilesStillThere) {
    const std::string source = menu_file("a.lnk", "copied");
    copy_entry(app_, view_, entry("a.lnk"));
    ASSERT_EQ(clipboard_file_list(), source);
    view_.set_list_folder(menu("Games\\"));
    create_folders(menu("Games"));

    hold();
    const auto start = Clock::now();
    paste_entries(app_, view_);
    EXPECT_LT(Clock::now() - start, kMoment);
    EXPECT_FALSE(is_file(menu("Games\\a.lnk")));
    EXPECT_TRUE(view_.calls.empty());
    release();

    // Nothing was lost: the clipboard still names the file, which pastes now.
    EXPECT_EQ(clipboard_file_list(), source);
    EXPECT_EQ(read_file(source), "copied");
    paste_entries(app_, view_);
    EXPECT_EQ(read_file(menu("Games\\a.lnk")), "copied");
}

TEST_F(HeldClipboard, CopyAndCutGiveUpQuicklyAndTheEntryStaysWhereItWas) {
    const std::string earlier = menu_file("earlier.lnk", "on the clipboard");
    ASSERT_TRUE(copy_files_to_clipboard({earlier}, app_.main_window));
    const std::string entry_path = menu_file("b.lnk", "cut me");

    hold();
    auto start = Clock::now();
    cut_entry(app_, view_, entry("b.lnk"));
    EXPECT_LT(Clock::now() - start, kMoment);
    EXPECT_EQ(read_file(entry_path), "cut me");
    // No waiting copy or note is left behind.
    EXPECT_TRUE(
        list_directory(app_.folders.cut_entries).value_or(std::vector<DirectoryEntry>{}).empty());
    EXPECT_TRUE(view_.calls.empty());

    start = Clock::now();
    copy_entry(app_, view_, entry("b.lnk"));
    EXPECT_LT(Clock::now() - start, kMoment);
    release();
    // The earlier list is still on the clipboard.
    EXPECT_EQ(clipboard_file_list(), earlier);
}

TEST_F(HeldClipboard, AHoldThatEndsWithinTheRetriesDoesNotStopThePaste) {
    const std::string source = menu_file("c.lnk", "soon");
    copy_entry(app_, view_, entry("c.lnk"));
    view_.set_list_folder(menu("Soon\\"));
    create_folders(menu("Soon"));

    hold();
    // The holder lets go a few dozen milliseconds into the paste.
    std::thread letting_go([this] {
        std::this_thread::sleep_for(40ms);
        SetEvent(release_.get());
    });
    paste_entries(app_, view_);
    letting_go.join();
    release();
    EXPECT_EQ(read_file(menu("Soon\\c.lnk")), "soon");
    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"refresh", "select entry " + menu("Soon\\c.lnk")}));
    EXPECT_EQ(read_file(source), "soon");
}

}  // namespace
}  // namespace trevalon
