// A real fault in a second process: an integer division by zero (or a C++
// exception nothing catches) under the program's fault handler, answered
// through its dialog seam.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "errors/error_report.h"
#include "platform/file_ops_win.h"
#include "support/process_win.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"
#include "version.h"

namespace trevalon {
namespace {

constexpr DWORD kIntegerDivideByZero = 0xC0000094;

struct FaultRun {
    DWORD exit_code = STILL_ACTIVE;
    std::string message;    // the text the report's message box showed
    std::string clipboard;  // the clipboard while the box was open
};

// Runs the helper in a fault mode and answers its report once the clipboard
// has been read.
FaultRun run_fault(const char* mode) {
    test::TempDir dir;
    const std::string answer_file = dir.str() + "report.txt";
    const std::string event_name =
        "TrevalonFaultTest-" + std::to_string(GetCurrentProcessId()) + mode;
    UniqueHandle go(CreateEventA(nullptr, TRUE, FALSE, event_name.c_str()));

    FaultRun run;
    const test::ChildProcess helper =
        test::start_process(TREVALON_TEST_HELPER_PATH, std::string("fault ") + mode + " \"" +
                                                           answer_file + "\" " + event_name);
    EXPECT_TRUE(helper.process);
    if (test::wait_until([&] { return is_file(answer_file); }, std::chrono::seconds(30))) {
        run.message = read_file(answer_file).value_or("");
        run.clipboard = test::clipboard_text();
    }
    SetEvent(go.get());
    run.exit_code = helper.wait();
    helper.kill();
    return run;
}

void expect_division_report(const FaultRun& run) {
    EXPECT_NE(run.clipboard.find("Error message:\tDivision by zero \r\n"
                                 "Error code:\t-1073741676\r\n\r\n"),
              std::string::npos)
        << run.clipboard;
    // The clipboard holds exactly the summary: rebuilt from the reported
    // address, it must match byte for byte.
    const std::size_t at = run.clipboard.find("Error address:\t");
    ASSERT_NE(at, std::string::npos);
    const std::uint64_t address = std::stoull(run.clipboard.substr(at + 15));
    EXPECT_NE(address, 0u);
    const FaultFacts facts{.code = static_cast<std::int32_t>(kIntegerDivideByZero),
                           .address = address,
                           .program_line = 4242};
    EXPECT_EQ(run.clipboard, compose_fault_summary(facts, "Trevalon", "Version " TREVALON_VERSION));
    EXPECT_EQ(run.message,
              compose_fault_message(facts, "Trevalon", "Version " TREVALON_VERSION, true));
}

TEST(FaultReport, NoEndsTheProcessAtOnceWithTheFaultsCode) {
    const FaultRun run = run_fault("no");
    expect_division_report(run);
    EXPECT_EQ(run.exit_code, kIntegerDivideByZero);
}

TEST(FaultReport, YesReturnsToTheResumePoint) {
    const FaultRun run = run_fault("yes");
    expect_division_report(run);
    EXPECT_EQ(run.exit_code, 42u);
}

TEST(FaultReport, YesWithoutAResumePointEndsTheProcess) {
    const FaultRun run = run_fault("unarmed");
    expect_division_report(run);
    EXPECT_EQ(run.exit_code, kIntegerDivideByZero);
}

TEST(FaultReport, AnUncaughtExceptionGivesTheSameReportWithoutAnAddress) {
    const FaultFacts facts{.code = static_cast<std::int32_t>(kUncaughtExceptionCode),
                           .address = 0,
                           .program_line = 4242};
    const FaultRun ended = run_fault("terminate");
    EXPECT_EQ(ended.clipboard,
              compose_fault_summary(facts, "Trevalon", "Version " TREVALON_VERSION));
    EXPECT_EQ(ended.message,
              compose_fault_message(facts, "Trevalon", "Version " TREVALON_VERSION, true));
    EXPECT_EQ(ended.exit_code, kUncaughtExceptionCode);

    const FaultRun resumed = run_fault("terminate-yes");
    EXPECT_EQ(resumed.message, ended.message);
    EXPECT_EQ(resumed.exit_code, 42u);
}

TEST(FaultReport, AClipboardHeldByAnotherProgramIsNotClaimedInTheText) {
    const std::string held_name = "TrevalonFaultHeld-" + std::to_string(GetCurrentProcessId());
    const std::string release_name = held_name + "-release";
    UniqueHandle held(CreateEventA(nullptr, TRUE, FALSE, held_name.c_str()));
    UniqueHandle release(CreateEventA(nullptr, TRUE, FALSE, release_name.c_str()));
    ASSERT_TRUE(test::put_clipboard_text("before the fault"));
    const test::ChildProcess holder = test::start_process(
        TREVALON_TEST_HELPER_PATH, "hold-clipboard " + held_name + " " + release_name);
    ASSERT_EQ(WaitForSingleObject(held.get(), 30000), WAIT_OBJECT_0);

    FaultRun run = run_fault("no");
    SetEvent(release.get());
    holder.wait();
    run.clipboard = test::clipboard_text();
    EXPECT_EQ(run.exit_code, kIntegerDivideByZero);
    EXPECT_EQ(run.clipboard, "before the fault");
    EXPECT_NE(run.message.find("Error code:\t-1073741676\r\n"), std::string::npos);
    EXPECT_NE(run.message.find("Please send this information to\r\n"), std::string::npos);
    EXPECT_EQ(run.message.find("clipboard"), std::string::npos);
}

TEST(FaultReport, AClipboardOwnedByTheFaultingThreadDoesNotBlockTheReport) {
    const FaultRun run = run_fault("clipboard-owner");
    expect_division_report(run);
    EXPECT_EQ(run.exit_code, 42u);
}

}  // namespace
}  // namespace trevalon
