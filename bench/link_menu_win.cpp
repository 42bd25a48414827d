#include "link_menu_win.h"

#include <array>
#include <vector>

#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"

namespace trevalon::bench {

namespace {

constexpr std::array<std::string_view, 6> kTargets = {
    "C:\\windows\\system32\\notepad.exe", "C:\\windows\\system32\\cmd.exe",
    "C:\\windows\\regedit.exe",           "C:\\windows\\system32\\winecfg.exe",
    "C:\\windows\\system32\\wordpad.exe", "C:\\windows\\system32\\taskmgr.exe"};

// One real link per target, made through the shell's link object; every link
// of the menu is a copy of one of them (a link's bytes do not depend on its
// own name), which makes thousands of links in seconds instead of minutes.
std::vector<std::string> template_links(const std::string& folder) {
    std::vector<std::string> links;
    for (std::string_view target : kTargets) {
        ShortcutContents link;
        link.target = target;
        link.link_file = folder + "template.lnk";
        link.icon_file = target;
        if (!create_shortcut(link))
            return {};
        auto bytes = read_file(link.link_file);
        delete_file(link.link_file);
        if (!bytes)
            return {};
        links.push_back(std::move(*bytes));
    }
    return links;
}

}  // namespace

bool write_link_menu(const MenuPlan& plan, std::string_view root) {
    const std::string base = with_trailing_separator(root);
    if (!create_folders(base))
        return false;
    const std::vector<std::string> links = template_links(base);
    if (links.empty())
        return false;
    bool written = true;
    for (const std::string& folder : plan.folders)
        written = create_folder(native_path(base, folder)) && written;
    std::size_t n = 0;
    for (const std::string& link : plan.links)
        written = write_file(native_path(base, link), links[n++ % links.size()]) && written;
    for (const std::string& file : plan.other_files)
        written = write_file(native_path(base, file), "[.ShellClassInfo]\r\n") && written;
    return written;
}

}  // namespace trevalon::bench
