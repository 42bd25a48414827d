// The internet-shortcut reader on any bytes: no fault, and the values it
// finds are parts of single lines of the file.
#include "fuzz_input.h"
#include "menu/internet_shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    const std::string_view text = fuzz::as_text(data, size);
    const InternetShortcut shortcut = parse_internet_shortcut(text);
    for (const std::string* value : {&shortcut.address, &shortcut.icon_file}) {
        fuzz::require(value->find_first_of("\r\n") == std::string::npos, "values are one line");
        fuzz::require(text.find(*value) != std::string_view::npos, "values come from the file");
    }
    if (!shortcut.address.empty())
        fuzz::require(text.size() >= 4 + shortcut.address.size(), "an address needs its key");
    // Also the number reader alone, on the whole input.
    (void)leading_integer(text);
    return 0;
}
