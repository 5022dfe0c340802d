// Replaces a function that this program imports from a DLL with another,
// in the program's own import table, so that calls from the code linked
// into the program go to the replacement.
#ifndef VELOTAB_IMPORT_HOOK_H
#define VELOTAB_IMPORT_HOOK_H

#include "Platform.h"

// Sets the program's import of function from dll to replacement; returns the
// function it replaced, or null when the program does not import it. With an
// importer, that loaded DLL's own import table is changed instead.
void *HookImport(const char *dll, const char *function, void *replacement,
                 HMODULE importer = nullptr);

#endif
