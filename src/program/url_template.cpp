#include "program/url_template.h"

namespace trevalon {

std::string compose_url_template(std::string_view address, std::string_view template_folder) {
    std::string text = "[InternetShortcut]\r\n";
    text += "URL=";
    text += address;
    text += "\r\nIDList=\r\nHotKey=0\r\nIconFile=";
    text += template_folder;
    text += kUrlTemplateIcon;
    text += "\r\nIconIndex=0\r\n";
    return text;
}

}  // namespace trevalon
