#include "menu/unicode_text.h"

#include <algorithm>
#include <cstdint>

namespace trevalon {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[pos]; a malformed sequence yields U+FFFD
// and consumes one byte.
char32_t decode_one(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (text.size() - pos < static_cast<std::size_t>(length)) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(length);
    return code;
}

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// In these ranges the upper-case letter is the even unit and the lower-case
// letter the odd one after it (or the other way round when odd_upper).
bool in_pair_range(char16_t unit, char16_t first, char16_t last) {
    return unit >= first && unit <= last;
}

char16_t pair_upper(char16_t unit, bool odd_upper) {
    const bool odd = (unit & 1) != 0;
    if (odd_upper)
        return odd ? unit : static_cast<char16_t>(unit - 1);
    return odd ? static_cast<char16_t>(unit - 1) : unit;
}

}  // namespace

std::u16string utf8_to_utf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code = decode_one(utf8, pos);
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            const char32_t offset = code - 0x10000;
            out += static_cast<char16_t>(0xD800 + (offset >> 10));
            out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        }
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            const char32_t code = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                  (static_cast<char32_t>(utf16[i + 1]) - 0xDC00);
            append_utf8(out, code);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            append_utf8(out, kReplacement);
        } else {
            append_utf8(out, unit);
        }
    }
    return out;
}

Utf8Step utf8_step(std::string_view text, std::size_t pos) {
    const std::size_t start = pos;
    const char32_t code = decode_one(text, pos);
    return {pos - start, code >= 0x10000 ? 2u : 1u};
}

std::size_t utf16_length(std::string_view utf8) {
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < utf8.size())
        units += decode_one(utf8, pos) >= 0x10000 ? 2 : 1;
    return units;
}

char16_t upper_case(char16_t u) {
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - 0x20) : u;
    // Latin-1
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char16_t>(u - 0x20);
    if (u == 0xFF)
        return 0x178;
    // Latin Extended-A
    if (in_pair_range(u, 0x100, 0x12F) || in_pair_range(u, 0x132, 0x137) ||
        in_pair_range(u, 0x14A, 0x177))
        return pair_upper(u, false);
    if (in_pair_range(u, 0x139, 0x148) || in_pair_range(u, 0x179, 0x17E))
        return pair_upper(u, true);
    // Greek
    if (u == 0x3C2)
        return 0x3A3;
    if ((u >= 0x3B1 && u <= 0x3C1) || (u >= 0x3C3 && u <= 0x3CB))
        return static_cast<char16_t>(u - 0x20);
    if (u == 0x3AC)
        return 0x386;
    if (u >= 0x3AD && u <= 0x3AF)
        return static_cast<char16_t>(u - 0x25);
    if (u == 0x3CC)
        return 0x38C;
    if (u == 0x3CD || u == 0x3CE)
        return static_cast<char16_t>(u - 0x3F);
    // Cyrillic
    if (u >= 0x430 && u <= 0x44F)
        return static_cast<char16_t>(u - 0x20);
    if (u >= 0x450 && u <= 0x45F)
        return static_cast<char16_t>(u - 0x50);
    if (in_pair_range(u, 0x460, 0x481) || in_pair_range(u, 0x48A, 0x4BF) ||
        in_pair_range(u, 0x4D0, 0x52F))
        return pair_upper(u, false);
    if (in_pair_range(u, 0x4C1, 0x4CE))
        return pair_upper(u, true);
    if (u == 0x4CF)
        return 0x4C0;
    // Armenian
    if (u >= 0x561 && u <= 0x586)
        return static_cast<char16_t>(u - 0x30);
    // Full-width Latin
    if (u >= 0xFF41 && u <= 0xFF5A)
        return static_cast<char16_t>(u - 0x20);
    return u;
}

std::u16string upper_case(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = upper_case(unit);
    return out;
}

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool contains_ignoring_case(std::string_view haystack, std::string_view needle) {
    if (needle.empty())
        return true;
    return upper_case(utf8_to_utf16(haystack)).find(upper_case(utf8_to_utf16(needle))) !=
           std::u16string::npos;
}

bool is_valid_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace trevalon
