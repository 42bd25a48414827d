#include "commands/cut_keeper_win.h"

#include <windows.h>

#include "commands/app_win.h"
#include "commands/edit_places_win.h"
#include "commands/safety_texts.h"
#include "commands/undo_win.h"
#include "commands/windows_disk_win.h"
#include "platform/dialogs_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

CutFolders own_places(const ProgramFolders& folders) {
    return edit_places(folders, folders.own_menu).cuts;
}

}  // namespace

std::optional<std::string> start_cut(const ProgramFolders& folders, const std::string& entry) {
    WindowsFileDisk disk;
    return start_cut(disk, own_places(folders), entry);
}

std::optional<CutRecord> waiting_cut(const ProgramFolders& folders, const std::string& path) {
    WindowsFileDisk disk;
    return waiting_cut(disk, own_places(folders), path);
}

bool mark_cut_pasted(const ProgramFolders& folders, const std::string& waiting) {
    WindowsFileDisk disk;
    return mark_cut_pasted(disk, own_places(folders), waiting);
}

void drop_cut(const ProgramFolders& folders, const std::string& waiting) {
    WindowsFileDisk disk;
    drop_cut(disk, own_places(folders), waiting);
}

std::vector<std::string> settle_cuts(const ProgramFolders& folders, const std::string& keep) {
    WindowsFileDisk disk;
    return settle_cuts(disk, own_places(folders), keep).settled;
}

std::vector<std::string> settle_waiting_cuts(App& app, const std::string& keep, bool tell) {
    WindowsFileDisk disk(app.main_window);
    const SettleReport report = settle_cuts(disk, edit_places(app).cuts, keep, app.cut_origins);
    for (const std::string& settled : report.settled)
        std::erase_if(app.cut_origins, [&](const auto& cut) { return cut.first == settled; });
    forget_cuts(app, report.settled);
    if (tell)
        tell_settled(app, report);
    return report.settled;
}

void tell_settled(App& app, const SettleReport& report) {
    const std::string message = settle_report_text(report, texts());
    if (!message.empty() && app.dialogs) {
        app.dialogs->message_box(message, find_text("Program_Name"), MB_OK | MB_ICONINFORMATION);
    }
}

}  // namespace trevalon
