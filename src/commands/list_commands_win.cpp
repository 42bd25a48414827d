#include "commands/list_commands_win.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "commands/app_win.h"
#include "commands/import_plan.h"
#include "commands/menu_view.h"
#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "texts/text_table.h"
#include "window/live_search_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::entry_operations;

bool yes(App& app, const char* question_key) {
    return app.dialogs->message_box(text(question_key), find_text("Program_Name"),
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// Deletes the files (not the folders) directly in folder.
void delete_files_in(const std::string& folder) {
    if (folder.empty())
        return;
    for (const std::string& name : files_in(folder))
        delete_file(folder + name);
}

bool list_shows(MenuView& view, const std::string& folder) {
    return !folder.empty() && same_path(view.list_folder(), folder);
}

}  // namespace

void create_desktop_shortcut(App& app) {
    TREVALON_MARK();
    const std::string program_name = find_text("Program_Name");
    if (app.folders.desktop.empty() || program_name.empty())
        return;
    ShortcutContents contents;
    contents.target = app.folders.program_file;
    contents.link_file = with_backslash(app.folders.desktop) + program_name + ".lnk";
    if (create_shortcut(contents)) {
        app.dialogs->message_box(text("TXT00239"), program_name, MB_OK | MB_ICONINFORMATION);
    }
}

void clear_recent_programs(App& app, MenuView& view) {
    TREVALON_MARK();
    if (!yes(app, "TXT00240"))
        return;
    delete_files_in(app.folders.recent_programs);
    // The counts that order the search results are a record of the same.
    clear_launch_counts(app);
    if (list_shows(view, app.folders.recent_programs))
        view.show_recent_programs();
}

void clear_recent_documents(App& app, MenuView& view) {
    TREVALON_MARK();
    if (!yes(app, "TXT00241"))
        return;
    // The system's own list; the window's copy is rebuilt from it when shown.
    SHAddToRecentDocs(SHARD_PIDL, nullptr);
    if (list_shows(view, app.folders.recent_documents))
        view.show_recent_documents();
}

void clear_bookmarks(App& app, MenuView& view) {
    TREVALON_MARK();
    if (!yes(app, "TXT00242"))
        return;
    delete_files_in(app.folders.bookmarks);
    if (list_shows(view, app.folders.bookmarks))
        view.show_bookmarks();
}

}  // namespace trevalon
