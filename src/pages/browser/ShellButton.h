// The device's hardware buttons as the platform shell describes them under
// HKEY_LOCAL_MACHINE, read only, together with the add-on's stored
// assignment of each.
#ifndef VELOTAB_SHELL_BUTTON_H
#define VELOTAB_SHELL_BUTTON_H

#include "GrowableArray.h"
#include "Platform.h"
#include "RegKey.h"
#include "WideText.h"

// Room for a text value of a button's key, in characters with the NUL; a
// longer value counts as missing.
const size_t kShellTextCapacity = 2048;

struct ShellButton {
    // The button's subkey under the shell's button key.
    wchar_t subkeyName[kRegNameCapacity];
    WideText displayName;
    // Empty when the button names no icon.
    WideText iconFile;
    // Passed to the icon extraction as it is; negative values name an icon
    // resource.
    int iconIndex;
    // What the button does without an assignment: the launched
    // application's name, a built-in function as "<name>", or nothing.
    WideText functionText;
    WORD pressCommand;
    WORD holdCommand;
    // The stored assignment could not be read: both commands show 0.
    bool assignmentUnread;
};

// How press-and-hold rows are offered; stored as "ButtonHold". Stored
// values outside these are kept and offer the rows.
enum HoldMode { kHoldDetect = 0, kHoldForceEnable = 1, kHoldForceDisable = 2 };

// Detect offers the rows unless the shell itself claims press-and-hold.
bool HoldRowsOffered(DWORD holdMode);
// The buttons that have a "Name", in the shell's enumeration order; complete
// tells whether the registry gave every button, or failed, so that some may
// be missing. False when memory ran out: buttons then holds those before
// that button.
bool EnumerateShellButtons(GrowableArray<ShellButton> *buttons, bool *complete);

#endif
