#include "platform/legacy_text_win.h"

#include <windows.h>

#include "platform/wide_win.h"

namespace trevalon {

unsigned system_legacy_code_page() {
    DWORD code_page = 0;
    const int answered = GetLocaleInfoEx(
        LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
        reinterpret_cast<LPWSTR>(&code_page), sizeof(code_page) / sizeof(wchar_t));
    // UTF-8 is never what an old program wrote in; CP_ACP (0) would mean ours.
    if (!answered || code_page == 0 || code_page == CP_UTF8)
        return 1252;
    return code_page;
}

std::string legacy_to_utf8(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const UINT code_page = system_legacy_code_page();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::string(bytes);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), length);
    return wide_to_utf8(wide);
}

}  // namespace trevalon
