// Entries whose names Windows keeps for devices (COM1.lnk, CON, aux.txt) or
// cuts (a trailing dot or blank): nothing the program does opens a device,
// nothing hangs, and whatever cannot be done is said.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "commands/clipboard_commands_win.h"
#include "commands/drop_actions_win.h"
#include "commands/entry_commands_win.h"
#include "commands/folder_commands_win.h"
#include "commands/launch_win.h"
#include "commands/undo_win.h"
#include "platform/clipboard_win.h"
#include "platform/event.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/shortcut_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

// Runs `work` on a thread of its own; false when it has not ended in time
// (the thread is then left behind, as a hung window would be).
template <typename Work>
bool ends_within(Work work, std::chrono::seconds limit) {
    auto task = std::make_shared<std::packaged_task<void()>>(std::move(work));
    std::future<void> done = task->get_future();
    std::thread([task] {
        ComInit com;
        (*task)();
    }).detach();
    return done.wait_for(limit) == std::future_status::ready;
}

class ReservedNames : public test::OperationsTest {
  protected:
    // A file named like a device in `folder` (ending in "\\").
    std::string reserved_file(const std::string& folder, const std::string& name) {
        EXPECT_TRUE(create_folders(folder));
        EXPECT_TRUE(write_file(folder + name, "bytes of " + name));
        return folder + name;
    }
    const std::vector<std::string> kReserved{
        "CON", "NUL.lnk", "COM1", "aux.txt", "trailingdot.", "trailingspace ", "ends.dot.lnk."};
};

TEST_F(ReservedNames, ARightClickOnCom1LnkNeverHangsAndALaunchIsRefusedWithAMessage) {
    const std::string com = reserved_file(menu(""), "COM1.lnk");
    SelectedEntry selected;
    ASSERT_TRUE(ends_within([&] { selected = read_selected_entry(com, "COM1"); }, 20s));
    EXPECT_EQ(selected.path, com);

    launch_entry(app_, com);
    EXPECT_TRUE(launcher_.records.empty());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00404") + "\n\nCOM1.lnk");

    // Copy and cut would hand the name to other programs: refused alike.
    copy_entry(app_, view_, selected);
    cut_entry(app_, view_, selected);
    EXPECT_EQ(messages().size(), 3u);
    const std::vector<std::string> listed = clipboard_files();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), com), 0);
    EXPECT_EQ(read_file(com), "bytes of COM1.lnk");

    // The way out: a rename, and then it is an entry like any other.
    dialogs_.answer_input("Modem");
    rename_entry(app_, view_, selected);
    EXPECT_EQ(read_file(menu("Modem.lnk")), "bytes of COM1.lnk");
    EXPECT_FALSE(is_file(com));
}

TEST_F(ReservedNames, ADeleteAsksAsWhereThereIsNoBinAndUndoBringsItBack) {
    const std::string aux = reserved_file(menu(""), "aux.txt");
    dialogs_.answer_message(IDYES);
    delete_entry(app_, view_, read_selected_entry(aux, "aux"));
    EXPECT_FALSE(is_file(aux));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00312") + "\n\n" + aux);
    undo_last_edit(app_, view_);
    EXPECT_EQ(read_file(aux), "bytes of aux.txt");
}

TEST_F(ReservedNames, TypedNamesWindowsWouldReadAsDevicesAreRefused) {
    const std::string a = menu_file("A.lnk", "a");
    dialogs_.answer_input("CON");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    dialogs_.answer_input("com3");
    rename_entry(app_, view_, read_selected_entry(a, "A"));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0], text("TXT00418") + "\n\nCON");
    EXPECT_EQ(messages()[1], text("TXT00418") + "\n\ncom3.lnk");
    EXPECT_FALSE(is_directory(menu("CON")));
    EXPECT_EQ(read_file(a), "a");
}

TEST_F(ReservedNames, APasteNamesEveryItemItLeftOutAndWhy) {
    const std::string from = dir_.make_dir("from");
    std::vector<std::string> paths;
    for (const std::string& name : kReserved)
        paths.push_back(reserved_file(from, name));
    for (const char* name : {"ok1.lnk", "ok2.txt", "ok3.lnk", "ok4.lnk"})
        paths.push_back(reserved_file(from, name));
    paths.push_back(from + "gone.lnk");
    ASSERT_TRUE(copy_files_to_clipboard(paths, app_.main_window));
    dialogs_.answer_message(IDYES);  // more than five
    view_.set_list_folder(menu(""));
    ASSERT_TRUE(ends_within([&] { paste_entries(app_, view_); }, 30s));

    for (const char* name : {"ok1.lnk", "ok2.lnk", "ok3.lnk", "ok4.lnk"})
        EXPECT_TRUE(is_file(menu(name))) << name;
    EXPECT_EQ(files_in(menu("")).size(), 4u);
    ASSERT_EQ(messages().size(), 2u);
    const std::string said = messages()[1];
    EXPECT_EQ(said.find(text("TXT00405")), 0u);
    for (const std::string& name : kReserved)
        EXPECT_NE(said.find("\"" + name + "\": " + text("TXT00410")), std::string::npos) << name;
    EXPECT_NE(said.find("\"gone.lnk\": " + text("TXT00406")), std::string::npos) << said;
}

TEST_F(ReservedNames, ADropNamesEveryItemItLeftOutInOneMessage) {
    const std::string from = dir_.make_dir("dropped");
    Event drop;
    drop.kind = EventKind::kDrop;
    drop.control = 3;
    for (const std::string& name : kReserved)
        drop.dropped_files.push_back(reserved_file(from, name));
    drop.dropped_files.push_back(reserved_file(from, "fine.lnk"));
    view_.set_list_folder(menu(""));
    ASSERT_TRUE(ends_within([&] { drop_on_list(app_, view_, drop); }, 30s));
    EXPECT_TRUE(is_file(menu("fine.lnk")));
    ASSERT_EQ(messages().size(), 1u);
    for (const std::string& name : kReserved)
        EXPECT_NE(messages()[0].find("\"" + name + "\""), std::string::npos) << name;
}

TEST_F(ReservedNames, AnInternetShortcutNamedLikeADeviceIsNeitherReadNorConverted) {
    const std::string folder = menu("Web\\");
    ASSERT_TRUE(create_folders(folder));
    const std::string address = "[InternetShortcut]\r\nURL=https://example.invalid/\r\n";
    ASSERT_TRUE(write_file(folder + "COM1.url", address));
    ASSERT_TRUE(write_file(folder + "Fine.url", address));
    int converted = 0;
    ASSERT_TRUE(ends_within([&] { converted = convert_internet_shortcuts(folder); }, 20s));
    EXPECT_EQ(converted, 1);
    EXPECT_TRUE(is_file(folder + "Fine.lnk"));
    EXPECT_EQ(read_file(folder + "COM1.url"), address);
}

}  // namespace
}  // namespace trevalon
