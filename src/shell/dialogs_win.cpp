#include "shell/dialogs_win.h"

#include "shell/wide_win.h"

namespace trevalon {

int SystemDialogs::message_box(std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner_, utf8_to_wide(text).c_str(), utf8_to_wide(caption).c_str(), type);
}

std::string SystemDialogs::input_box(std::string_view, std::string_view, std::string_view) {
    return {};
}

}  // namespace trevalon
