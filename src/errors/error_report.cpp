#include "errors/error_report.h"

#include <array>

namespace trevalon {
namespace {

struct Description {
    std::uint32_t code;
    std::string_view text;
};

// Searched from the top; the first match wins.
constexpr std::array kDescriptions{
    Description{0xC0000005, "Invalid memory access"},
    Description{0xC000008C, "Array bounds exceeded"},
    Description{0x80000003, "Debugger breakpoint reached"},
    Description{0x80000002, "Misaligned data access"},
    Description{0xC000008D, "Denormal floating-point operand"},
    Description{0xC000008E, "Division by zero (floating-point)"},
    Description{0xC000008F, "Inexact floating-point result"},
    Description{0xC0000090, "Invalid floating-point operation"},
    Description{0xC0000091, "Floating-point overflow (exponent to great)"},
    Description{0xC0000092, "Floating-point stack overflow or underflow"},
    Description{0xC0000093, "Floating-point underflow (exponent too small)"},
    Description{0xC000001D, "Illegal instruction"},
    Description{0xC0000006, "Memory page error"},
    Description{0xC0000094, "Division by zero "},
    Description{0xC0000095, "Integer overflow"},
    Description{0xC0000026, "Exception handler returned unknown value"},
    Description{0xC0000025, "Exception handler tried to continue after non-continuable exception"},
    Description{0xC0000096, "Privileged instruction"},
    Description{0x80000004, "Single step trap"},
    Description{0xC00000FD, "Stack overflow"},
};

// The maker's support contact, one line.
constexpr std::string_view kSupportContact = "Quorvane, Netherlands, support@quorvane.example";

}  // namespace

std::string_view fault_description(std::int32_t code) {
    const auto unsigned_code = static_cast<std::uint32_t>(code);
    for (const auto& description : kDescriptions) {
        if (description.code == unsigned_code)
            return description.text;
    }
    return "Unknown error code";
}

std::string compose_fault_summary(const FaultFacts& facts, std::string_view program_name,
                                  std::string_view version_name) {
    std::string text = "A program error occurred!\r\n\r\n";
    text += "Error message:\t";
    text += fault_description(facts.code);
    text += "\r\n";
    text += "Error code:\t" + std::to_string(facts.code) + "\r\n\r\n";
    text += "Error address:\t" + std::to_string(facts.address) + "\r\n";
    text += "Program name:\t";
    text += program_name;
    text += "\r\n";
    text += "Program version:\t";
    text += version_name;
    text += "\r\n";
    text += "Program line:\t" + std::to_string(facts.program_line) + "\r\n\r\n";
    return text;
}

std::string compose_fault_message(const FaultFacts& facts, std::string_view program_name,
                                  std::string_view version_name, bool on_clipboard) {
    std::string text = compose_fault_summary(facts, program_name, version_name);
    text += on_clipboard ? "Please send this information which is now in the clipboard to\r\n"
                         : "Please send this information to\r\n";
    text += kSupportContact;
    text += "\r\n\r\n";
    text += "Continue program execution?    (not recommended)";
    return text;
}

}  // namespace trevalon
