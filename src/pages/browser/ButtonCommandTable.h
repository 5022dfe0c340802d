// The commands that the user can put on a hardware button, in the order of
// the Buttons page's command selector. The add-on carries them out; this
// module only stores their codes.
#ifndef VELOTAB_BUTTON_COMMAND_TABLE_H
#define VELOTAB_BUTTON_COMMAND_TABLE_H

#include "Platform.h"

struct ButtonCommand {
    DWORD code;
    UINT labelId;
    // The label from the string table; set by LoadCommandLabels.
    LPCWSTR label;
};

// No assignment: the button keeps the function that the platform gives it.
const DWORD kCommandNoChange = 0;

const size_t kButtonCommandCount = 38;
extern ButtonCommand ButtonCommandTable[kButtonCommandCount];

// Loads every entry's label from the module's string table.
void LoadCommandLabels();
// The label of the first entry with this code, or that of "<No Change>"
// when no entry has it. Never null.
LPCWSTR LookupCommandLabel(DWORD code);
// Whether the command selector offers the entry on this platform
// generation. Entries that are not offered still show their label.
bool IsCommandOffered(const ButtonCommand &command, LONG platformVersion);

#endif
