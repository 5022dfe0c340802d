#include "FatalExceptionGuard.h"

namespace {

// Exceptions that mean the program has gone wrong. Others (C++ exceptions on
// their way to a handler, debug output, breakpoints) pass untouched.
bool IsFatal(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_NONCONTINUABLE_EXCEPTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case STATUS_HEAP_CORRUPTION:
    case STATUS_STACK_BUFFER_OVERRUN:
        return true;
    default:
        return false;
    }
}

// Writes straight to the error handle: after a fault the C runtime's heap
// and locks may be in any state.
void Report(const EXCEPTION_RECORD &record)
{
    char text[128];
    int length =
        wsprintfA(text, "fatal exception 0x%08lX at address %p\r\n",
                  static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
}

LONG CALLBACK EndOnFatalException(EXCEPTION_POINTERS *exception)
{
    if (!IsFatal(exception->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    Report(*exception->ExceptionRecord);
    TerminateProcess(GetCurrentProcess(), kFatalExceptionExitCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void InstallFatalExceptionGuard()
{
    const ULONG kFirst = 1;
    AddVectoredExceptionHandler(kFirst, EndOnFatalException);
}
