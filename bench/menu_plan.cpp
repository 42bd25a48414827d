#include "menu_plan.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "base/utf8_path.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon::bench {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 24> kPrefixes = {
    "Blue",  "Quick",  "Open",   "Smart",  "Zen",    "Nova",   "Pixel",  "Delta",
    "Orbit", "Cedar",  "Maple",  "Iron",   "Silver", "Bright", "Atlas",  "Echo",
    "Lumen", "Vertex", "Harbor", "Summit", "Aurora", "Falcon", "Willow", "Cobalt"};

constexpr std::array<std::string_view, 40> kWords = {
    "Studio",  "Viewer",   "Tools",  "Manager",  "Player",    "Office",  "Paint",    "Notes",
    "Backup",  "Sync",     "Mail",   "Photo",    "Audio",     "Video",   "Calc",     "Terminal",
    "Archive", "Reader",   "Writer", "Designer", "Monitor",   "Scanner", "Browser",  "Chat",
    "Games",   "Maps",     "Clock",  "Help",     "Uninstall", "Readme",  "Settings", "Update",
    "Console", "Debugger", "Server", "Client",   "Docs",      "Sheets",  "Slides",   "Vault"};

// Names in other scripts, as localised programs install them.
constexpr std::array<std::string_view, 20> kOtherScripts = {"Редактор",     "Просмотр изображений",
                                                            "Настройки",    "Справка",
                                                            "Επεξεργαστής", "Ρυθμίσεις",
                                                            "メモ帳",       "設定",
                                                            "電卓",         "写真ビューアー",
                                                            "记事本",       "浏览器",
                                                            "音乐播放器",   "메모장",
                                                            "설정",         "المحرر",
                                                            "الإعدادات",    "עורך",
                                                            "הגדרות",       "संपादक"};

constexpr std::array<std::string_view, 5> kVersions = {" 2", " 11", " 2024", " (x64)", " 3.1"};

template <std::size_t N>
std::string_view pick(Random& random, const std::array<std::string_view, N>& words) {
    return words[random.below(static_cast<std::uint32_t>(N))];
}

std::string link_base_name(Random& random) {
    if (random.chance(12)) {
        std::string name(pick(random, kOtherScripts));
        if (random.chance(50)) {
            name += ' ';
            name += pick(random, kPrefixes);
        }
        return name;
    }
    std::string name(pick(random, kPrefixes));
    name += ' ';
    // Every menu holds some editors, so a search always finds something.
    name += random.chance(6) ? std::string_view("Editor") : pick(random, kWords);
    if (random.chance(35)) {
        name += ' ';
        name += pick(random, kWords);
    }
    if (random.chance(20))
        name += pick(random, kVersions);
    return name;
}

std::string folder_name(Random& random) {
    if (random.chance(12))
        return std::string(pick(random, kOtherScripts));
    std::string name(pick(random, kPrefixes));
    if (random.chance(70)) {
        name += ' ';
        name += pick(random, kWords);
    }
    return name;
}

// The names already used in one folder, compared as NTFS compares them.
class FolderNames {
  public:
    // name, or name with " 2", " 3", … appended until it is free.
    std::string claim(const std::string& base, std::string_view extension) {
        for (int n = 1;; ++n) {
            std::string name = base;
            if (n > 1)
                name += " " + std::to_string(n);
            name += extension;
            if (used_.insert(upper_case(utf8_to_utf16(name))).second)
                return name;
        }
    }

  private:
    std::set<std::u16string> used_;
};

struct PlannedFolder {
    std::string path;  // "" for the menu folder itself
    int level = 0;
    FolderNames names;
};

std::string join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

std::uint64_t Random::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t Random::below(std::uint32_t bound) {
    return bound == 0 ? 0 : static_cast<std::uint32_t>(next() % bound);
}

std::optional<MenuShape> menu_shape(std::string_view name) {
    for (const MenuShape& shape : {kMenuSmall, kMenuMedium, kMenuLarge}) {
        if (ascii_lower(name) == ascii_lower(shape.name))
            return shape;
    }
    return std::nullopt;
}

MenuPlan plan_menu(const MenuShape& shape, std::uint64_t seed) {
    Random random(seed);
    std::vector<PlannedFolder> folders(1);
    MenuPlan plan;
    while (static_cast<int>(plan.folders.size()) < shape.folders) {
        // About half the folders sit directly in the menu, the rest below one
        // of the folders made so far.
        std::size_t parent = 0;
        if (!random.chance(45)) {
            parent = random.below(static_cast<std::uint32_t>(folders.size()));
            if (folders[parent].level >= kMaxFolderLevel)
                parent = 0;
        }
        const std::string name = folders[parent].names.claim(folder_name(random), "");
        PlannedFolder folder;
        folder.path = join(folders[parent].path, name);
        folder.level = folders[parent].level + 1;
        plan.folders.push_back(folder.path);
        folders.push_back(std::move(folder));
    }
    for (int i = 0; i < shape.links; ++i) {
        // A few links sit in the menu folder itself, the rest anywhere below.
        std::size_t where = 0;
        if (folders.size() > 1 && !random.chance(8))
            where = 1 + random.below(static_cast<std::uint32_t>(folders.size() - 1));
        PlannedFolder& folder = folders[where];
        plan.links.push_back(join(folder.path, folder.names.claim(link_base_name(random), ".lnk")));
    }
    for (PlannedFolder& folder : folders) {
        if (random.chance(25))
            plan.other_files.push_back(join(folder.path, folder.names.claim("desktop", ".ini")));
    }
    return plan;
}

std::string native_path(std::string_view root, std::string_view relative) {
    std::string path(root);
    for (char c : relative)
        path += c == '/' ? kPathSeparator : c;
    return path;
}

std::string placeholder_content() {
    // About what a shell link to a program takes on disk.
    std::string content(1200, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>('A' + i % 26);
    return content;
}

bool write_placeholder_menu(const MenuPlan& plan, std::string_view root) {
    const std::string base = with_trailing_separator(root);
    std::error_code ec;
    fs::create_directories(utf8_to_path(base), ec);
    if (ec)
        return false;
    for (const std::string& folder : plan.folders) {
        fs::create_directory(utf8_to_path(native_path(base, folder)), ec);
        if (ec)
            return false;
    }
    const std::string content = placeholder_content();
    bool written = true;
    auto write = [&](const std::string& relative, std::string_view text) {
        std::ofstream out(utf8_to_path(native_path(base, relative)), std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        written = written && static_cast<bool>(out);
    };
    for (const std::string& link : plan.links)
        write(link, content);
    for (const std::string& file : plan.other_files)
        write(file, "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21787\r\n");
    return written;
}

}  // namespace trevalon::bench
