// Ends the process when a fatal exception is raised anywhere in it.
//
// Wine, like Windows, swallows an access violation raised inside a timer
// procedure or a window procedure called by the message dispatcher: the
// program keeps running and may exit 0. Test programs and the add-on
// stand-in's tour run their scripts from timers, so a crash in the module
// would go unnoticed. With the guard installed, the first sight of such an
// exception prints its code and address to the error stream and ends the
// process with a failing status.
#ifndef VELOTAB_FATAL_EXCEPTION_GUARD_H
#define VELOTAB_FATAL_EXCEPTION_GUARD_H

#include <windows.h>

// The exit status of a process that the guard ended.
const UINT kFatalExceptionExitCode = 3;

// Installs the guard ahead of every other handler; call it once, early.
void InstallFatalExceptionGuard();

#endif
