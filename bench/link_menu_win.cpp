#include "link_menu_win.h"

#include <array>

#include "menu/path_text.h"
#include "menu/shortcut_win.h"
#include "shell/file_ops_win.h"

namespace trevalon::bench {

namespace {
constexpr std::array<std::string_view, 6> kTargets = {
    "C:\\windows\\system32\\notepad.exe", "C:\\windows\\system32\\cmd.exe",
    "C:\\windows\\regedit.exe",           "C:\\windows\\system32\\winecfg.exe",
    "C:\\windows\\system32\\wordpad.exe", "C:\\windows\\system32\\taskmgr.exe"};
}  // namespace

bool write_link_menu(const MenuPlan& plan, std::string_view root) {
    const std::string base = with_trailing_separator(root);
    bool written = create_folders(base);
    for (const std::string& folder : plan.folders)
        written = create_folder(native_path(base, folder)) && written;
    std::size_t n = 0;
    for (const std::string& link : plan.links) {
        ShortcutSpec spec;
        spec.target = kTargets[n++ % kTargets.size()];
        spec.link_file = native_path(base, link);
        spec.description = std::string(file_name_part(spec.link_file));
        spec.icon_file = spec.target;
        written = create_shortcut(spec) && written;
    }
    for (const std::string& file : plan.other_files)
        written = write_file(native_path(base, file), "[.ShellClassInfo]\r\n") && written;
    return written;
}

}  // namespace trevalon::bench
