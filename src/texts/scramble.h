// The built-in texts are stored scrambled in the program image and made
// readable once at start-up. The substitution is its own inverse: codes below
// 35 (control characters, space, "!" and the double quote) stay, every other
// code c becomes 290 - c.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trevalon {

constexpr char scramble_char(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 35 ? static_cast<char>(290 - code) : c;
}

// Scrambling and unscrambling are the same operation.
std::string scramble(std::string_view text);

// A string literal scrambled while compiling, so the plain text never appears
// in the program image. Used as a template argument: Scrambled<"text">.
template <std::size_t N>
struct ScrambledLiteral {
    char chars[N]{};
    consteval ScrambledLiteral(const char (&text)[N]) {
        for (std::size_t i = 0; i + 1 < N; ++i)
            chars[i] = scramble_char(text[i]);
    }
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

template <ScrambledLiteral Text>
constexpr std::string_view stored_text() {
    return Text.view();
}

}  // namespace trevalon
