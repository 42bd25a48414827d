#include "platform/registry_win.h"

#include "platform/wide_win.h"

namespace trevalon {

UniqueKey open_registry_key(HKEY root, std::string_view subkey, REGSAM access) {
    UniqueKey key;
    if (RegOpenKeyExW(root, utf8_to_wide(subkey).c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
        key.release();
        return {};
    }
    return key;
}

UniqueKey create_registry_key(HKEY root, std::string_view subkey) {
    UniqueKey key;
    if (RegCreateKeyExW(root, utf8_to_wide(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        key.release();
        return {};
    }
    return key;
}

std::optional<std::uint32_t> read_registry_dword(HKEY key, std::string_view name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key, utf8_to_wide(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> read_registry_string(HKEY key, std::string_view name) {
    const std::wstring wide_name = utf8_to_wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return wide_to_utf8(value);
}

bool write_registry_dword(HKEY key, std::string_view name, std::uint32_t value) {
    const DWORD data = value;
    return RegSetValueExW(key, utf8_to_wide(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

bool write_registry_string(HKEY key, std::string_view name, std::string_view value) {
    const std::wstring data = utf8_to_wide(value);
    const auto size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, utf8_to_wide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), size) == ERROR_SUCCESS;
}

bool delete_registry_value(HKEY key, std::string_view name) {
    const LSTATUS status = RegDeleteValueW(key, utf8_to_wide(name).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace trevalon
