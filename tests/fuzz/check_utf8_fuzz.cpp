// Check UTF-8 against a plain restatement of its byte rules, on any
// zero-terminated bytes; the sanitizers watch that it never reads past the
// terminating zero.
#include <memory>

#include "fuzz_input.h"
#include "menu/utf8_check.h"

namespace {

bool reference_check(const unsigned char* p) {
    for (;;) {
        const unsigned lead = *p;
        if (lead == 0)
            return true;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int ones = 0;
        while (ones < 8 && (lead & (0x80u >> ones)))
            ++ones;
        if (ones < 2 || ones == 8)
            return false;  // a continuation byte, or 0xFF
        for (int i = 1; i < ones; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += ones;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so reading one byte too far is a heap overflow.
    auto text = std::make_unique<unsigned char[]>(size + 1);
    std::copy(data, data + size, text.get());
    text[size] = 0;
    const bool checked = trevalon::check_utf8(reinterpret_cast<const char*>(text.get()));
    trevalon::fuzz::require(checked == reference_check(text.get()), "agrees with the byte rules");
    return 0;
}
