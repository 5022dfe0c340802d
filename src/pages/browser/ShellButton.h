// The device's hardware buttons as the platform shell describes them under
// HKEY_LOCAL_MACHINE, read only, together with the add-on's stored
// assignment of each.
#ifndef VELOTAB_SHELL_BUTTON_H
#define VELOTAB_SHELL_BUTTON_H

#include "Platform.h"

#include <string>
#include <vector>

struct ShellButton {
    // The button's subkey under the shell's button key.
    std::wstring subkeyName;
    std::wstring displayName;
    // Empty when the button names no icon.
    std::wstring iconFile;
    // Passed to the icon extraction as it is; negative values name an icon
    // resource.
    int iconIndex;
    // What the button does without an assignment: the launched
    // application's name, a built-in function as "<name>", or nothing.
    std::wstring functionText;
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
// The buttons that have a "Name", in the shell's enumeration order; false
// when the registry failed, so that some buttons may be missing.
bool EnumerateShellButtons(std::vector<ShellButton> *buttons);

#endif
