// Reading and writing the few registry values the program keeps, all under
// HKEY_CURRENT_USER. Names and strings are UTF-8.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// An open key, or an empty one when it cannot be opened.
UniqueKey open_registry_key(HKEY root, std::string_view subkey, REGSAM access);
// Creates the key when missing and opens it with full access.
UniqueKey create_registry_key(HKEY root, std::string_view subkey);

std::optional<std::uint32_t> read_registry_dword(HKEY key, std::string_view name);
std::optional<std::string> read_registry_string(HKEY key, std::string_view name);
bool write_registry_dword(HKEY key, std::string_view name, std::uint32_t value);
// A REG_SZ value; its stored length includes the terminating zero.
bool write_registry_string(HKEY key, std::string_view name, std::string_view value);
// True when the value is gone afterwards (also when it never existed).
bool delete_registry_value(HKEY key, std::string_view name);

}  // namespace trevalon
