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

// Failing an import at one of its calls: each replacement asks Fails with
// its function's name before it passes the call on or answers as failed.
namespace fault {

struct Hook {
    const char *dll;
    const char *function;
    void *replacement;
    void **original;
};
// Hooks each import, keeping the function it replaced; false when the
// program does not import one.
bool Install(const Hook *hooks, size_t count);
// From now on the call-th call of function whose argument ends with match
// (any call for a null match) fails, none for 0; every count starts again.
void Arm(const char *function, const wchar_t *match, int call);
// While paused, calls are neither counted nor failed.
void Pause(bool paused);
// Counts the call, given the text argument that names what it reaches
// (value, key or entry), and answers whether it is the one to fail.
bool Fails(const char *function, const wchar_t *argument = nullptr);
// The calls counted since Arm that the armed match would fail.
int Calls();

} // namespace fault

#endif
