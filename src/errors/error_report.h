// The text of the program-error report shown after a fatal fault.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trevalon {

struct FaultFacts {
    std::int32_t code = 0;      // the system's exception code
    std::uint64_t address = 0;  // address of the faulting instruction
    int program_line = -1;      // line of the last statement marker, -1 if none
};

// The short English description of an exception code, "Unknown error code"
// for codes the program does not name.
std::string_view fault_description(std::int32_t code);

// The part of the report that goes on the clipboard: the header and the six
// fields, ending in an empty line.
std::string compose_fault_summary(const FaultFacts& facts, std::string_view program_name,
                                  std::string_view version_name);

// The whole message: the summary, the request to send it with the maker's
// support contact, and the question whether to continue. The request says the
// details are on the clipboard only when `on_clipboard`: another program may
// have held the clipboard the whole time.
std::string compose_fault_message(const FaultFacts& facts, std::string_view program_name,
                                  std::string_view version_name, bool on_clipboard);

// The code reported for a C++ exception nothing caught (the one the system
// uses for C++ exceptions); such an end has no fault address.
inline constexpr std::uint32_t kUncaughtExceptionCode = 0xE06D7363;

// Caption of the report's message box.
inline constexpr std::string_view kFaultReportCaption = "ERROR";

}  // namespace trevalon
