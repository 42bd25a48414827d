// Names Windows does not take as they are written: the names it keeps for
// devices (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension), and
// names ending in a dot or a blank, which its path rules cut off. A file of
// such a name can only be reached through the literal path form, "\\?\",
// which the system passes to the file system untouched; by its plain path a
// program opens the device, or a file of another name.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9 and LPT1-9 (the digits also as
// superscripts), in any letter case, alone or with any extension; blanks
// before the extension count as nothing ("con .txt").
bool is_device_name(std::string_view file_name);

// The name is a device name, or ends in a dot or a blank.
bool is_reserved_name(std::string_view file_name);

// Some part of the path below its drive or share is a reserved name.
bool has_reserved_part(std::string_view path);

// The literal form of an absolute path ("\\?\C:\..." or
// "\\?\UNC\server\share\..."): separators made backslashes, doubled ones
// made single. Nothing when the path is relative, already literal, or has
// "." or ".." parts (which only the plain form resolves).
std::string literal_path_form(std::string_view path);

// The form to hand to the system's file functions: the literal form where
// the plain one would reach something else (a reserved part) or is too long
// for the plain form (more than 259 UTF-16 units); else the path itself.
std::string file_system_path(std::string_view path);

}  // namespace trevalon
