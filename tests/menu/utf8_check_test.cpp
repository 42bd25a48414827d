// The UTF-8 structure test on page titles.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "menu/utf8_check.h"

namespace trevalon {
namespace {

bool check(const std::string& bytes) {
    return check_utf8(bytes.c_str());
}

TEST(CheckUtf8, AcceptsAsciiAndWellFormedSequences) {
    EXPECT_TRUE(check(""));
    EXPECT_TRUE(check("plain ASCII title"));
    EXPECT_TRUE(check("\xC3\xA9"));
    EXPECT_TRUE(check("Привет, 日本, \xF0\x9F\x98\x80"));
}

TEST(CheckUtf8, RejectsStrayContinuationAndCutSequences) {
    EXPECT_FALSE(check("\xA9"));
    EXPECT_FALSE(check("\xC3"));      // cut short by the terminator
    EXPECT_FALSE(check("\xE6\x97"));  // likewise, one byte later
    EXPECT_FALSE(
        check("\xC3"
              "A"));                // a lead byte followed by ASCII
    EXPECT_FALSE(check("ok\xFF"));  // no zero bit at all
    EXPECT_FALSE(check("caf\xE9 latin-1"));
}

TEST(CheckUtf8, ChecksStructureOnly) {
    EXPECT_TRUE(check("\xC0\x80"));              // overlong
    EXPECT_TRUE(check("\xED\xA0\x80"));          // a surrogate
    EXPECT_TRUE(check("\xF8\x80\x80\x80\x80"));  // five leading ones
    EXPECT_TRUE(check("\xFE\x80\x80\x80\x80\x80\x80"));
    EXPECT_FALSE(check("\xFE\x80\x80\x80\x80\x80"));
}

TEST(CheckUtf8, NullPointerIsNotUtf8) {
    EXPECT_FALSE(check_utf8(nullptr));
}

// Every buffer is allocated exactly to its terminator, so the sanitizer
// reports any read past it.
TEST(CheckUtf8, NeverReadsPastTheTerminatorOnRandomBytes) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> length(0, 24), byte(1, 255), pick(0, 3);
    const unsigned char interesting[] = {0x80, 0xBF, 0xC3, 0xE6, 0xF0, 0xFC, 0xFE, 0xFF};
    for (int round = 0; round < 200000; ++round) {
        const auto n = static_cast<std::size_t>(length(rng));
        auto buffer = std::make_unique<char[]>(n + 1);
        for (std::size_t i = 0; i < n; ++i) {
            buffer[i] = static_cast<char>(
                pick(rng) == 0 ? interesting[static_cast<std::size_t>(byte(rng)) % 8] : byte(rng));
        }
        buffer[n] = '\0';
        const bool answer = check_utf8(buffer.get());
        // A valid buffer stays valid with ASCII appended; a cut one stays cut.
        if (answer) {
            std::string longer(buffer.get(), n);
            longer += "tail";
            ASSERT_TRUE(check(longer));
        }
    }
}

}  // namespace
}  // namespace trevalon
