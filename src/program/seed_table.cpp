#include "program/seed_table.h"

#include <array>

namespace trevalon {
namespace {

using enum SeedAction;
using enum SeedSource;

constexpr std::array kRows{
    SeedRow{copy_file, user_programs, "Internet Explorer.lnk", "Internet Explorer.lnk"},
    SeedRow{copy_file, user_programs, "Accessories\\Internet Explorer.lnk",
            "Internet Explorer.lnk"},
    SeedRow{copy_file, user_programs, "Accessories\\Notepad.lnk", "Editor.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Calculator.lnk", "Calculator.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Sticky Notes.lnk", "Sticky Notes.lnk"},
    SeedRow{copy_file, common_programs, "Mozilla Firefox.lnk", "Mozilla Firefox.lnk"},
    SeedRow{copy_file, common_programs, "Mozilla Thunderbird.lnk", "Mozilla Thunderbird.lnk"},
    SeedRow{create_folder, none, "", "Audio Video"},
    SeedRow{copy_file, common_programs, "Accessories\\Sound Recorder.lnk",
            "Audio Video\\Sound Recorder.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Windows Media Player.lnk",
            "Audio Video\\Windows Media Player.lnk"},
    SeedRow{copy_file, common_programs, "Movie Maker.lnk", "Audio Video\\Movie Maker.lnk"},
    SeedRow{create_folder, none, "", "Graphics"},
    SeedRow{copy_file, common_programs, "Accessories\\Paint.lnk", "Graphics\\Paint.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Snipping Tool.lnk",
            "Graphics\\Snipping Tool.lnk"},
    SeedRow{copy_file, common_programs, "XnView\\XnView.lnk", "Graphics\\XnView.lnk"},
    SeedRow{create_folder, none, "", "Office"},
    SeedRow{copy_file, common_programs, "Microsoft Office 365.lnk",
            "Office\\Microsoft Office 365.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\WordPad.lnk", "Office\\WordPad.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Calculator.lnk", "Office\\Calculator.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\System Tools\\Character Map.lnk",
            "Office\\Character Map.lnk"},
    SeedRow{copy_file, common_programs, "Accessories\\Sticky Notes.lnk",
            "Office\\Sticky Notes.lnk"},
    SeedRow{copy_pattern, common_programs, "Microsoft Office", "Office\\Microsoft Office", "*.lnk",
            true},
    SeedRow{copy_pattern, common_programs, "Adobe", "Adobe", "*.lnk", true},
    SeedRow{copy_pattern, common_programs, "Accessories", "Windows Tools", "*.lnk", true},
    SeedRow{copy_pattern, favorites, "", "_Links_", "*.url", false},
};

}  // namespace

std::span<const SeedRow> seed_rows() {
    return kRows;
}

}  // namespace trevalon
