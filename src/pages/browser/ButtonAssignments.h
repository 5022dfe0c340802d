// The add-on's stored button assignments: the "Keys" section of the
// settings key, one subkey per button named like the shell's subkey, whose
// default value holds the press command in its low 16 bits and the
// press-and-hold command in its high 16 bits.
#ifndef VELOTAB_BUTTON_ASSIGNMENTS_H
#define VELOTAB_BUTTON_ASSIGNMENTS_H

#include "ButtonRow.h"
#include "GrowableArray.h"

// The stored value of a button; 0 when it has none. unread tells whether
// the registry failed while it was read.
DWORD ReadButtonAssignment(const wchar_t *subkeyName, bool *unread);
// Rewrites the section from the rows, given in any order: every button
// that has rows gets its press and press-and-hold halves in one write,
// except a button whose assignment could not be read and whose rows still
// show 0, which keeps what is stored. Once every write has succeeded, and
// when allButtons says that the rows have every button, a button without
// rows loses its record. Without the memory to gather the buttons nothing
// is written.
void SaveButtonAssignments(const GrowableArray<const ButtonRow *> &rows, bool allButtons);

inline WORD PressCommand(DWORD assignment)
{
    return LOWORD(assignment);
}
inline WORD HoldCommand(DWORD assignment)
{
    return HIWORD(assignment);
}

#endif
