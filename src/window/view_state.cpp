#include "window/view_state.h"

#include "settings/settings.h"
#include "texts/text_table.h"

namespace trevalon {

ViewState choose_first_menu(const Settings& settings, std::string_view windows_menu_folder,
                            const TextTable& texts) {
    ViewState view;
    const bool windows_menu =
        settings.menu_on_program_start == 1 ||
        (settings.menu_on_program_start == 2 && settings.menu_type_active == kWindowsMenuMode);
    if (windows_menu) {
        view.menu_mode = kWindowsMenuMode;
        view.menu_root = windows_menu_folder;
        view.caption_key = "TXT00205";
        view.editable = kReadOnlyView;
    } else {
        view.menu_mode = kOwnMenuMode;
        view.menu_root = settings.my_own_menu;
        view.caption_key = "TXT00206";
        view.editable = kEditableView;
    }
    view.caption = texts.find(view.caption_key);
    view.record_launch = 1;
    return view;
}

}  // namespace trevalon
