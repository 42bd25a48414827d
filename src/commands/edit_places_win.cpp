#include "commands/edit_places_win.h"

#include "commands/app_win.h"
#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "texts/text_table.h"

namespace trevalon {

EditPlaces edit_places(const ProgramFolders& folders, const std::string& own_menu) {
    EditPlaces places;
    places.undo.data = folders.data;
    places.undo.undo = folders.undo;
    // Whole copies are made in Undo's folder: the same drive as the copies
    // kept there, and removed with them at exit and at start.
    if (!folders.undo.empty())
        places.undo.staging = Staging{folders.undo + "Copying\\", folders.data};
    places.cuts.data = folders.data;
    places.cuts.cut_entries = folders.cut_entries;
    places.cuts.staging = places.undo.staging;
    for (const std::string* menu :
         {&own_menu, &folders.own_menu, &folders.recent_programs, &folders.bookmarks}) {
        if (!menu->empty())
            places.cuts.menus.push_back(with_backslash(*menu));
    }
    // An own menu that is no folder now cannot take anything in.
    places.cuts.own_menu =
        !own_menu.empty() && is_directory(own_menu) ? with_backslash(own_menu) : folders.own_menu;
    places.cuts.recovered_name = texts().find("TXT00400");
    return places;
}

EditPlaces edit_places(const App& app) {
    return edit_places(app.folders, app.settings.my_own_menu);
}

}  // namespace trevalon
