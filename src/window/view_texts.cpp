#include "window/view_texts.h"

namespace trevalon {

std::string joined_text(std::string_view first, std::string_view second) {
    std::string text(first);
    text += " - ";
    text += second;
    return text;
}

std::string menu_caption(std::string_view caption, bool windows_menu,
                         std::string_view read_only_note) {
    std::string text(caption);
    if (windows_menu) {
        text += ' ';
        text += read_only_note;
    }
    return text;
}

std::string search_caption(std::string_view heading, std::string_view search_text) {
    std::string text(heading);
    text += " \"";
    text += search_text;
    text += '"';
    return text;
}

std::string location_text(std::string_view root_caption, std::string_view folder_below) {
    std::string text(root_caption);
    if (!folder_below.empty()) {
        text += '\\';
        text += folder_below;
    }
    return text;
}

}  // namespace trevalon
