#include "platform/fault_handler_win.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <string>

#include "errors/error_report.h"
#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

// What the handler must reach from any thread, set once at installation.
Dialogs* g_dialogs = nullptr;
SRWLOCK g_report_lock = SRWLOCK_INIT;

void* g_resume_buffer[5];
std::atomic<DWORD> g_resume_thread{0};

thread_local bool t_reporting = false;

// Room the handler may use on a thread whose stack overflowed.
constexpr ULONG kStackGuarantee = 64 * 1024;

// True when the text is on the clipboard afterwards.
bool put_on_clipboard(const std::string& text) {
    // The clipboard wants an owner window for new data; a message-only window
    // serves and leaves no trace.
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const std::wstring wide = utf8_to_wide(text);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t)));
    if (memory) {
        GlobalLockGuard lock(memory.get());
        if (lock.data())
            memcpy(lock.data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    }
    // Another program may hold the clipboard for a moment.
    bool placed = false;
    for (int attempt = 0; attempt < 20 && memory; ++attempt) {
        ClipboardSession clipboard(owner);
        if (clipboard.is_open()) {
            EmptyClipboard();
            if (SetClipboardData(CF_UNICODETEXT, memory.get())) {
                memory.release();
                placed = true;
            }
            break;
        }
        Sleep(25);
    }
    if (owner)
        DestroyWindow(owner);
    return placed;
}

struct ReportJob {
    FaultFacts facts;
    int answer = IDNO;
};

int show_report(const FaultFacts& facts) {
    const std::string program_name = find_text("Program_Name");
    const std::string version_name = find_text("Version_Name");
    const bool on_clipboard =
        put_on_clipboard(compose_fault_summary(facts, program_name, version_name));
    if (!g_dialogs)
        return IDNO;
    return g_dialogs->message_box(
        compose_fault_message(facts, program_name, version_name, on_clipboard), kFaultReportCaption,
        MB_YESNO | MB_ICONERROR | MB_DEFBUTTON2 | MB_SETFOREGROUND | MB_TOPMOST);
}

DWORD WINAPI report_thread(void* parameter) {
    auto* job = static_cast<ReportJob*>(parameter);
    job->answer = show_report(job->facts);
    return 0;
}

// The report runs on a fresh thread: the faulting thread may have no stack
// left (a stack overflow) or be in a state no window code should run in.
// Meanwhile the faulting thread answers messages other threads send to its
// windows (taking the clipboard from the main window sends it one), but runs
// nothing posted.
int report_fault(const FaultFacts& facts) {
    ReportJob job{facts};
    UniqueHandle thread(CreateThread(nullptr, 256 * 1024, report_thread, &job, 0, nullptr));
    if (!thread)
        return show_report(facts);
    HANDLE waited = thread.get();
    while (MsgWaitForMultipleObjects(1, &waited, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return job.answer;
}

[[noreturn]] void end_process(DWORD code) {
    TerminateProcess(GetCurrentProcess(), code);
    for (;;)
        Sleep(INFINITE);
}

#if defined(__GNUC__) && defined(__x86_64__)
// Entered in place of the faulting instruction; jumps to the resume point.
[[noreturn]] void resume_after_fault() {
    __builtin_longjmp(g_resume_buffer, 1);
}

bool redirect_to_resume_point(EXCEPTION_POINTERS* info) {
    CONTEXT* context = info->ContextRecord;
    // A stack as a call would leave it: 16-byte aligned before the return
    // address, below whatever the faulting function had in use.
    DWORD64 stack = (context->Rsp - 256) & ~DWORD64{15};
    stack -= 8;
    context->Rsp = stack;
    context->Rip = reinterpret_cast<DWORD64>(&resume_after_fault);
    return true;
}
#else
bool redirect_to_resume_point(EXCEPTION_POINTERS*) {
    return false;
}
#endif

bool can_resume(const EXCEPTION_RECORD& record) {
    return g_resume_thread.load() == GetCurrentThreadId() &&
           !(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) &&
           record.ExceptionCode != static_cast<DWORD>(EXCEPTION_STACK_OVERFLOW);
}

LONG WINAPI fault_filter(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    // A fault while reporting one: let the system end the process.
    if (t_reporting)
        return EXCEPTION_CONTINUE_SEARCH;
    t_reporting = true;

    FaultFacts facts;
    facts.code = static_cast<std::int32_t>(record.ExceptionCode);
    facts.address = reinterpret_cast<std::uint64_t>(record.ExceptionAddress);
    facts.program_line = marked_line(current_statement_marker());

    // One report at a time when several threads fault together.
    AcquireSRWLockExclusive(&g_report_lock);
    const int answer = report_fault(facts);
    ReleaseSRWLockExclusive(&g_report_lock);

    if (answer == IDYES && can_resume(record) && redirect_to_resume_point(info)) {
        g_resume_thread = 0;  // the resume point re-arms itself
        t_reporting = false;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    // "No", or nowhere to continue: end at once, with the fault's code as the
    // process's exit code and without the exit clean-up.
    end_process(record.ExceptionCode);
}

// A C++ exception that nothing caught (or one thrown where none may pass)
// ends in std::terminate, never in the filter above: the same report, then
// the same choice. The stack is still whole here, so "Yes" can jump to the
// resume point directly.
[[noreturn]] void on_terminate() {
    if (t_reporting)
        end_process(kUncaughtExceptionCode);
    t_reporting = true;
    FaultFacts facts;
    facts.code = static_cast<std::int32_t>(kUncaughtExceptionCode);
    facts.program_line = marked_line(current_statement_marker());

    AcquireSRWLockExclusive(&g_report_lock);
    const int answer = report_fault(facts);
    ReleaseSRWLockExclusive(&g_report_lock);
#if defined(__GNUC__)
    if (answer == IDYES && g_resume_thread.load() == GetCurrentThreadId()) {
        g_resume_thread = 0;
        t_reporting = false;
        __builtin_longjmp(g_resume_buffer, 1);
    }
#endif
    end_process(kUncaughtExceptionCode);
}

}  // namespace

void install_fault_handler(Dialogs& dialogs) {
    g_dialogs = &dialogs;
    ULONG guarantee = kStackGuarantee;
    SetThreadStackGuarantee(&guarantee);
    SetUnhandledExceptionFilter(fault_filter);
    std::set_terminate(on_terminate);
}

void** fault_resume_buffer() {
    return g_resume_buffer;
}

void arm_fault_resume_point() {
    g_resume_thread = GetCurrentThreadId();
}

void disarm_fault_resume_point() {
    DWORD expected = GetCurrentThreadId();
    g_resume_thread.compare_exchange_strong(expected, 0);
}

}  // namespace trevalon
