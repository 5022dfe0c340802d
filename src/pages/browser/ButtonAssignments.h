// The add-on's stored button assignments: the "Keys" section of the
// settings key, one subkey per button named like the shell's subkey, whose
// default value holds the press command in its low 16 bits and the
// press-and-hold command in its high 16 bits.
#ifndef VELOTAB_BUTTON_ASSIGNMENTS_H
#define VELOTAB_BUTTON_ASSIGNMENTS_H

#include "ButtonRow.h"
#include "GrowableArray.h"

// The stored value of a button; 0 when it has none.
DWORD ReadButtonAssignment(const wchar_t *subkeyName);
// Rewrites the section from the rows, given in list order: every button
// that has rows gets its press and press-and-hold halves, and a button
// without rows loses its record.
void SaveButtonAssignments(const GrowableArray<const ButtonRow *> &rows);

inline WORD PressCommand(DWORD assignment)
{
    return LOWORD(assignment);
}
inline WORD HoldCommand(DWORD assignment)
{
    return HIWORD(assignment);
}

#endif
