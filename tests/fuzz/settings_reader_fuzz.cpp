// The settings reader on any bytes: no fault, and whatever it reads is saved
// and read back unchanged.
#include "fuzz_input.h"
#include "settings/settings.h"

namespace {

// Stands in for the system's legacy code page: Latin-1 to UTF-8.
std::string latin1_to_utf8(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    constexpr std::string_view kOwnMenu = "C:\\Users\\a\\AppData\\Roaming\\Trevalon\\My Menu\\";
    const Settings read = parse_settings_file(fuzz::as_text(data, size), kOwnMenu, latin1_to_utf8);
    fuzz::require(!read.my_own_menu.empty(), "the own-menu root is never empty");
    const std::string saved = format_settings(read);
    const Settings again = parse_settings_file(saved, kOwnMenu, latin1_to_utf8);
    fuzz::require(again == read, "settings read back as they were saved");
    fuzz::require(format_settings(again) == saved, "saving is stable");
    return 0;
}
