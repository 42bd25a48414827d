#include "errors/error_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "errors/statement_marker.h"

namespace trevalon {
namespace {

TEST(ErrorReport, DescribesEveryNamedCodeAndAnUnknownOne) {
    const std::pair<std::uint32_t, const char*> table[] = {
        {0xC0000005, "Invalid memory access"},
        {0xC000008C, "Array bounds exceeded"},
        {0x80000003, "Debugger breakpoint reached"},
        {0x80000002, "Misaligned data access"},
        {0xC000008D, "Denormal floating-point operand"},
        {0xC000008E, "Division by zero (floating-point)"},
        {0xC000008F, "Inexact floating-point result"},
        {0xC0000090, "Invalid floating-point operation"},
        {0xC0000091, "Floating-point overflow (exponent to great)"},
        {0xC0000092, "Floating-point stack overflow or underflow"},
        {0xC0000093, "Floating-point underflow (exponent too small)"},
        {0xC000001D, "Illegal instruction"},
        {0xC0000006, "Memory page error"},
        {0xC0000094, "Division by zero "},
        {0xC0000095, "Integer overflow"},
        {0xC0000026, "Exception handler returned unknown value"},
        {0xC0000025, "Exception handler tried to continue after non-continuable exception"},
        {0xC0000096, "Privileged instruction"},
        {0x80000004, "Single step trap"},
        {0xC00000FD, "Stack overflow"},
    };
    for (const auto& [code, text] : table) {
        EXPECT_EQ(fault_description(static_cast<std::int32_t>(code)), text) << std::hex << code;
    }
    EXPECT_EQ(fault_description(0), "Unknown error code");
    EXPECT_EQ(fault_description(static_cast<std::int32_t>(0xE06D7363u)), "Unknown error code");
    EXPECT_EQ(fault_description(static_cast<std::int32_t>(0xC0000097u)), "Unknown error code");
}

TEST(ErrorReport, SummaryHoldsTheHeaderAndTheSixFieldsExactly) {
    const FaultFacts facts{.code = static_cast<std::int32_t>(0xC0000094u),
                           .address = 0x7FF6'1234'5678ull,
                           .program_line = 321};
    EXPECT_EQ(compose_fault_summary(facts, "Trevalon", "Version 1.0.0"),
              "A program error occurred!\r\n\r\n"
              "Error message:\tDivision by zero \r\n"
              "Error code:\t-1073741676\r\n\r\n"
              "Error address:\t140694844102264\r\n"
              "Program name:\tTrevalon\r\n"
              "Program version:\tVersion 1.0.0\r\n"
              "Program line:\t321\r\n\r\n");
}

TEST(ErrorReport, MessageAddsTheRequestAndTheQuestion) {
    const FaultFacts facts{.code = static_cast<std::int32_t>(0xC0000005u),
                           .address = 0xFFFF'FFFF'FFFF'FFFFull,
                           .program_line = -1};
    const std::string summary = compose_fault_summary(facts, "", "");
    EXPECT_NE(summary.find("Error code:\t-1073741819\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Error address:\t18446744073709551615\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Program name:\t\r\nProgram version:\t\r\nProgram line:\t-1\r\n\r\n"),
              std::string::npos);

    const std::string message = compose_fault_message(facts, "", "", true);
    ASSERT_EQ(message.rfind(summary, 0), 0u);
    const std::string rest = message.substr(summary.size());
    EXPECT_EQ(rest.rfind("Please send this information which is now in the clipboard to\r\n", 0),
              0u);
    EXPECT_NE(rest.find("Quorvane"), std::string::npos);
    EXPECT_NE(rest.find("@quorvane.example\r\n\r\n"), std::string::npos);
    EXPECT_TRUE(rest.ends_with("\r\n\r\nContinue program execution?    (not recommended)"));
    // The contact is one line between the request and the question.
    const std::size_t contact = rest.find("\r\n") + 2;
    EXPECT_EQ(rest.find("\r\n", contact), rest.find("\r\n\r\nContinue"));

    // When the clipboard could not be had, the request does not claim it.
    const std::string without = compose_fault_message(facts, "", "", false);
    EXPECT_EQ(without.find("clipboard"), std::string::npos);
    EXPECT_EQ(without.substr(summary.size()).rfind("Please send this information to\r\n", 0), 0u);
    EXPECT_TRUE(without.ends_with(rest.substr(rest.find("\r\n") + 2)));
}

TEST(StatementMarker, KeepsFileAndLineAndReportsMinusOneWhenUnset) {
    EXPECT_EQ(marked_line(0), -1);
    mark_statement(SourceFile::event_loop, 0x123456);
    EXPECT_EQ(marked_line(current_statement_marker()), 0x123456);
    EXPECT_EQ(marked_file(current_statement_marker()), SourceFile::event_loop);
    mark_statement(SourceFile::startup, 0x1000001);  // lines beyond 24 bits wrap
    EXPECT_EQ(marked_file(current_statement_marker()), SourceFile::startup);
    EXPECT_EQ(marked_line(current_statement_marker()), 1);
    g_statement_marker = 0;
}

}  // namespace
}  // namespace trevalon
