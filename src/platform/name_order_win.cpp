#include "platform/name_order_win.h"

#include <windows.h>

#include <array>

namespace trevalon {
namespace {

// Names are short: they are turned into UTF-16 on the stack, and only a
// longer one (never a file name) takes the portable order.
constexpr int kUnits = 520;

int to_wide(std::string_view text, std::array<wchar_t, kUnits>& out) {
    if (text.empty())
        return 0;
    return MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                               kUnits);
}

constexpr DWORD kFlags = LINGUISTIC_IGNORECASE | LINGUISTIC_IGNOREDIACRITIC | SORT_DIGITSASNUMBERS;

}  // namespace

SystemNameOrder::SystemNameOrder()
    : system_(CompareStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, L"Notes 16", -1, L"Notes 100", -1,
                              nullptr, nullptr, 0) == CSTR_LESS_THAN) {}

int SystemNameOrder::compare(std::string_view a, std::string_view b) const {
    if (!system_)
        return portable_.compare(a, b);
    std::array<wchar_t, kUnits> wide_a;
    std::array<wchar_t, kUnits> wide_b;
    const int length_a = to_wide(a, wide_a);
    const int length_b = to_wide(b, wide_b);
    if ((length_a == 0 && !a.empty()) || (length_b == 0 && !b.empty()))
        return portable_.compare(a, b);
    const int order = CompareStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, wide_a.data(), length_a,
                                      wide_b.data(), length_b, nullptr, nullptr, 0);
    if (order == CSTR_LESS_THAN)
        return -1;
    if (order == CSTR_GREATER_THAN)
        return 1;
    return portable_.compare(a, b);
}

}  // namespace trevalon
