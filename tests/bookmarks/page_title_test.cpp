#include <gtest/gtest.h>

#include "bookmarks/page_title.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

// Stands in for the system's legacy code page: Latin-1, as 1252 reads it
// for these bytes.
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

std::optional<std::string> title(std::string_view output) {
    return title_from_output(output, latin1_to_utf8);
}

TEST(TitleCommand, NamesTheAddressOnlyThroughTheEnvironmentVariable) {
    const std::string command = title_fetch_command(5s);
    EXPECT_NE(command.find("-Uri $env:TREVALON_BOOKMARK_ADDRESS;"), std::string::npos);
    EXPECT_NE(command.find("-TimeoutSec 5 "), std::string::npos);
    EXPECT_NE(command.find("-UseBasicParsing"), std::string::npos);
    EXPECT_EQ(title_fetch_command(7s).find("-TimeoutSec 5 "), std::string::npos);
}

TEST(TitleCommand, HoldsNothingACommandLineOrInterpreterWouldReadSpecially) {
    const std::string command = title_fetch_command(5s);
    // It travels as one double-quoted argument: no quote may end it, no
    // backslash may escape that quote, no line break may split it.
    EXPECT_EQ(command.find('"'), std::string::npos);
    EXPECT_NE(command.back(), '\\');
    EXPECT_EQ(command.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(command.find_first_of("<>|&%`"), std::string::npos);
}

TEST(TitleOutput, TakesTheFirstLineWithoutLineEndOrByteOrderMark) {
    EXPECT_EQ(first_output_line("Example Domain\r\nmore\n"), "Example Domain");
    EXPECT_EQ(first_output_line("\xEF\xBB\xBFTitle\n"), "Title");
    EXPECT_EQ(first_output_line("no line end"), "no line end");
    EXPECT_EQ(first_output_line(""), "");
    EXPECT_EQ(title("Example Domain\r\n"), "Example Domain");
    EXPECT_EQ(title("  padded title \t\r\n"), "padded title");
}

TEST(TitleOutput, KeepsUtf8AndConvertsLegacyBytes) {
    EXPECT_EQ(title("Caf\xC3\xA9 \xE2\x80\x93 Men\xC3\xBC\r\n"),
              "Caf\xC3\xA9 \xE2\x80\x93 Men\xC3\xBC");
    EXPECT_EQ(title("Caf\xE9\r\n"), "Caf\xC3\xA9");
    // A lead byte cut short by the line end is not UTF-8 either.
    EXPECT_EQ(title("abc\xC3\r\n"), "abc\xC3\x83");
}

TEST(TitleOutput, RefusesPowerShellErrorReportsAndEmptyAnswers) {
    EXPECT_FALSE(title("Invoke-WebRequest : The remote name could not be resolved\r\n"));
    EXPECT_FALSE(title("\xEF\xBB\xBFInvoke-WebRequest : Unable to connect\r\n"));
    EXPECT_FALSE(title(""));
    EXPECT_FALSE(title("\r\n"));
    EXPECT_FALSE(title("   \r\nsecond line\r\n"));
    // Only the start counts.
    EXPECT_EQ(title("How to use Invoke-WebRequest\n"), "How to use Invoke-WebRequest");
}

TEST(TitleOutput, AZeroByteEndsTheTitle) {
    EXPECT_EQ(title(std::string_view("Title\0garbage\n", 14)), "Title");
    EXPECT_FALSE(title(std::string_view("\0Title\n", 7)));
}

TEST(TitleOutput, WithoutAConverterLegacyBytesGiveNoTitle) {
    EXPECT_FALSE(title_from_output("Caf\xE9\n", nullptr));
    EXPECT_EQ(title_from_output("Plain\n", nullptr), "Plain");
}

}  // namespace
}  // namespace trevalon
