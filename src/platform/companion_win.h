// Pinning a program to the taskbar through the companion program, which
// trevalon.exe carries as data and writes out on first use.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

inline constexpr std::string_view kCompanionFileName = "Trev1.exe";

// The companion's image carried in the module (the running program when
// module is null); empty when the module carries none.
std::span<const std::byte> companion_image(HMODULE module = nullptr);

// Writes the image to temp_folder + "Trev1.exe" when that file is missing or
// empty, then starts it hidden, not waited for, in temp_folder, with the
// quoted program path as its one argument. Returns the started process (to
// be ignored or waited for); empty when nothing could be started.
UniqueHandle run_companion_program(std::string_view program_path, std::string_view temp_folder,
                                   std::span<const std::byte> image);
inline UniqueHandle run_companion_program(std::string_view program_path,
                                          std::string_view temp_folder) {
    return run_companion_program(program_path, temp_folder, companion_image());
}

}  // namespace trevalon
