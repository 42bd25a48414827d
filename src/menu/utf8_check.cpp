#include "menu/utf8_check.h"

namespace trevalon {

bool check_utf8(const char* text) {
    if (!text)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    for (;;) {
        const unsigned char lead = *p;
        if (lead == 0)
            return true;
        if ((lead & 0x80) == 0) {
            ++p;
            continue;
        }
        // k: position (from 1, top bit first) of the lead byte's first 0 bit.
        int k = 0;
        for (int bit = 7; bit >= 0; --bit) {
            if ((lead & (1u << bit)) == 0) {
                k = 8 - bit;
                break;
            }
        }
        if (k <= 2)
            return false;  // a continuation byte, or 0xFF
        for (int i = 1; i <= k - 2; ++i) {
            // Stops at the terminator: 0 is not a continuation byte.
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += k - 1;
    }
}

}  // namespace trevalon
