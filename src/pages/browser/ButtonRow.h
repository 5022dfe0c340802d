// One row of the Buttons page's list: a button's short press, or its
// press-and-hold, with the command the user put on it.
#ifndef VELOTAB_BUTTON_ROW_H
#define VELOTAB_BUTTON_ROW_H

#include "Platform.h"
#include "RegKey.h"
#include "WideText.h"

enum ButtonRowKind { kPressRow = 0, kHoldRow = 1 };

struct ButtonRow {
    // The button's subkey under the shell's button key.
    wchar_t subkeyName[kRegNameCapacity];
    // What the button does without an assignment.
    WideText functionText;
    // The assigned command code (16 bits used).
    DWORD command;
    // kPressRow or kHoldRow.
    DWORD holdFlag;
    // The button's stored assignment could not be read; the row showed 0.
    bool assignmentUnread;
};

#endif
