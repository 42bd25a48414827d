// Launching entries: what is opened, what is recorded as a recent program and
// with which time, and what a missing target does.
#include "commands/launch_win.h"

#include <gtest/gtest.h>

#include "platform/file_ops_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class Launch : public test::OperationsTest {
  protected:
    std::string recorded(const std::string& name) const {
        return app_.folders.recent_programs + name;
    }
};

TEST_F(Launch, ALinkIsOpenedAndRecordedWithAFreshTime) {
    const std::string link = menu_link("Editor.lnk", app_.folders.program_file);
    launch_entry(app_, link);
    ASSERT_EQ(launcher_.records.size(), 1u);
    EXPECT_EQ(launcher_.records[0].kind, "open");
    EXPECT_EQ(launcher_.records[0].program, link);
    EXPECT_EQ(launcher_.records[0].show_command, SW_SHOWNORMAL);
    EXPECT_EQ(read_file(recorded("Editor.lnk")), read_file(link));
    EXPECT_EQ(file_write_time(recorded("Editor.lnk")), clock_.now_seconds());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(clock_.paused_milliseconds(), 1000);
}

TEST_F(Launch, FromTheRecentProgramsListOnlyTheTimeMovesOn) {
    const std::string link = menu_link("Editor.lnk", app_.folders.program_file);
    launch_entry(app_, link);
    // The list of recent programs is shown: launches are not recorded again.
    app_.view.record_launch = 0;
    write_file(link, "changed in the menu");
    clock_.advance(86'400);
    launch_entry(app_, recorded("Editor.lnk"));
    ASSERT_EQ(launcher_.records.size(), 2u);
    EXPECT_EQ(launcher_.records[1].program, recorded("Editor.lnk"));
    EXPECT_NE(read_file(recorded("Editor.lnk")), read_file(link));
    EXPECT_EQ(file_write_time(recorded("Editor.lnk")), clock_.now_seconds());
}

TEST_F(Launch, NothingIsRecordedWhenRecentProgramsAreNotKept) {
    const std::string link = menu_link("Editor.lnk", app_.folders.program_file);
    app_.settings.keep_recent_objects_days = 0;
    launch_entry(app_, link);
    EXPECT_EQ(launcher_.records.size(), 1u);
    EXPECT_FALSE(is_file(recorded("Editor.lnk")));
}

TEST_F(Launch, AMissingTargetOrAnUnreadableLinkOpensNothingAndSaysSo) {
    const std::string gone = menu_link("Gone.lnk", dir_.str() + "gone.exe");
    const std::string broken = menu_file("Broken.lnk", "not a link");
    launch_entry(app_, gone);
    launch_entry(app_, broken);
    EXPECT_TRUE(launcher_.records.empty());
    ASSERT_EQ(messages(), (std::vector<std::string>{text("TXT00244"), text("TXT00244")}));
    EXPECT_EQ(dialogs_.calls()[0].caption, text("Program_Name"));
    EXPECT_EQ(dialogs_.calls()[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(files_in(app_.folders.recent_programs).empty());
}

TEST_F(Launch, OtherFilesAreOpenedButNotRecorded) {
    const std::string notes = menu_file("notes.txt", "text");
    launch_entry(app_, notes);
    ASSERT_EQ(launcher_.records.size(), 1u);
    EXPECT_EQ(launcher_.records[0].program, notes);
    EXPECT_TRUE(files_in(app_.folders.recent_programs).empty());
}

TEST_F(Launch, ALaunchTheShellRefusedIsNotRecorded) {
    const std::string link = menu_link("Editor.lnk", app_.folders.program_file);
    launcher_.shell_execute_answer = false;
    launch_entry(app_, link);
    EXPECT_FALSE(is_file(recorded("Editor.lnk")));
}

}  // namespace
}  // namespace trevalon
