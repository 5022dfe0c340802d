// Replaces a function that this program, or a DLL it loaded, imports from a
// DLL with another, in the importer's own import table, so that calls from
// the code linked into it go to the replacement.
#ifndef VELOTAB_IMPORT_HOOK_H
#define VELOTAB_IMPORT_HOOK_H

#include "Platform.h"

// Sets the importer's import of function from dll to replacement; returns
// the function it replaced, or null when it does not import it. Without an
// importer, the program's own table is changed.
void *HookImport(const char *dll, const char *function, void *replacement,
                 HMODULE importer = nullptr);

#endif
