// The process-wide handler for fatal faults: it puts a report on the
// clipboard and asks whether to continue.
//
// It is the process's unhandled-exception filter, not a vectored handler: a
// vectored handler sees every first-chance exception, including the access
// violations that system and shell code provoke and handle themselves, and
// would report faults that never harm the program. The filter runs only when
// nothing else handled the fault.
//
// Continuing: returning to the faulting instruction would fault again at
// once, so "Yes" abandons the operation that faulted and returns to the last
// resume point, which the event loop sets at the start of each pass (see
// TREVALON_FAULT_RESUME_POINT). Objects of the abandoned operation are not
// destroyed; the program runs on as well as it can, as the report warns. A
// fault on another thread, outside the loop, or one the system marks as not
// continuable has no resume point: "Yes" then ends the process like "No".
//
// A C++ exception that nothing catches ends in std::terminate rather than in
// the filter; the handler installs a terminate handler that shows the same
// report (code kUncaughtExceptionCode, no address) and offers the same choice.
#pragma once

#include <cstdint>

namespace trevalon {

class Dialogs;

// Installs the handler and the terminate handler once; the report's question
// goes through `dialogs`, which must live as long as the process and have no
// owner window (the report is shown from a thread of its own while the
// faulting thread, which may own that window, stands still).
void install_fault_handler(Dialogs& dialogs);

// The resume point's saved registers.
void** fault_resume_buffer();
// Makes the last TREVALON_FAULT_RESUME_POINT on this thread the place "Yes"
// returns to.
void arm_fault_resume_point();
// Forgets the resume point; call before leaving the function that set it.
void disarm_fault_resume_point();

// Disarms the resume point when the function that set it ends.
class FaultResumeScope {
  public:
    FaultResumeScope() = default;
    ~FaultResumeScope() { disarm_fault_resume_point(); }
    FaultResumeScope(const FaultResumeScope&) = delete;
    FaultResumeScope& operator=(const FaultResumeScope&) = delete;
};

}  // namespace trevalon

// Sets the resume point: evaluates to 0 when set, and to non-zero when the
// program comes back here after the user chose to continue past a fault.
// Follow it with arm_fault_resume_point().
#if defined(__GNUC__)
#define TREVALON_FAULT_RESUME_POINT() __builtin_setjmp(::trevalon::fault_resume_buffer())
#else
// Without a register-only jump the program does not resume: "Yes" ends it.
#define TREVALON_FAULT_RESUME_POINT() 0
#endif
