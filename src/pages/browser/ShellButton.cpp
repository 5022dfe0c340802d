#include "ShellButton.h"

#include "BoundedText.h"
#include "ButtonAssignments.h"
#include "HostContext.h"
#include "resource.h"

#include <wchar.h>

namespace {

// The shell lists a button with this key when it handles press-and-hold of
// that button itself.
const wchar_t kShellHoldProbe[] = L"\\40C9";

const wchar_t kNameValue[] = L"Name";
const wchar_t kIconValue[] = L"Icon";
const wchar_t kFlagsValue[] = L"Flags";
const wchar_t kDefaultValue[] = L"";

// "Flags": 0 launches the application named in the default value; 1 to 14
// are built-in functions, of which 3 is never shown.
const DWORD kFlagsLaunch = 0;
const DWORD kFlagsUnshown = 3;
const DWORD kFlagsLastFunction = 14;

const int kDecimal = 10;

LPCWSTR ShellKeyPath()
{
    return PlatformLoadStringPointer(hostContext.instance, IDS_KEY_SHELL_BUTTONS);
}

bool ReadText(const RegKey &key, LPCWSTR name, wchar_t (&text)[kShellTextCapacity])
{
    DWORD size = sizeof text;
    return key.QueryString(name, text, &size) != FALSE;
}

// "file[,index]": the index follows the last comma and is read as a leading
// signed decimal number, 0 when the text does not begin with one. False
// when memory ran out.
bool SplitIcon(const wchar_t *icon, ShellButton *button)
{
    const wchar_t *comma = wcsrchr(icon, L',');
    if (!comma) {
        button->iconIndex = 0;
        return button->iconFile.Assign(icon);
    }
    button->iconIndex = static_cast<int>(wcstol(comma + 1, NULL, kDecimal));
    return button->iconFile.Assign(icon, static_cast<size_t>(comma - icon));
}

// The launched application's file name without its extension.
bool ApplicationName(const wchar_t *path, WideText *name)
{
    const wchar_t *backslash = wcsrchr(path, L'\\');
    const wchar_t *start = backslash ? backslash + 1 : path;
    const wchar_t *dot = wcsrchr(path, L'.');
    if (!dot || dot < start)
        return name->Assign(start);
    return name->Assign(start, static_cast<size_t>(dot - start));
}

// False when memory ran out.
bool FunctionText(const RegKey &button, WideText *text)
{
    text->Clear();
    DWORD flags = kFlagsLaunch;
    button.QueryDword(kFlagsValue, &flags);
    if (flags == kFlagsLaunch) {
        wchar_t path[kShellTextCapacity];
        return !ReadText(button, kDefaultValue, path) || ApplicationName(path, text);
    }
    if (flags == kFlagsUnshown || flags > kFlagsLastFunction)
        return true;
    LPCWSTR name = PlatformLoadStringPointer(hostContext.instance, IDS_SHELL_FUNCTION_BASE + flags);
    return !name || (text->Append(L"<") && text->Append(name) && text->Append(L">"));
}

// Fills the button from its key; false when memory ran out.
bool ReadButton(const RegKey &key, const wchar_t *subkeyName, const wchar_t *displayName,
                ShellButton *button)
{
    lstrcpynW(button->subkeyName, subkeyName, kRegNameCapacity);
    DWORD assignment = ReadButtonAssignment(subkeyName, &button->assignmentUnread);
    button->pressCommand = PressCommand(assignment);
    button->holdCommand = HoldCommand(assignment);
    wchar_t icon[kShellTextCapacity];
    if (!ReadText(key, kIconValue, icon))
        icon[0] = L'\0';
    return button->displayName.Assign(displayName) && SplitIcon(icon, button) &&
           FunctionText(key, &button->functionText);
}

} // namespace

bool HoldRowsOffered(DWORD holdMode)
{
    switch (holdMode) {
    case kHoldForceDisable:
        return false;
    case kHoldDetect: {
        LPCWSTR path = ShellKeyPath();
        if (!path)
            return true;
        wchar_t probePath[kKeyPathCapacity];
        BoundedText probeText(probePath, kKeyPathCapacity);
        probeText.Append(path);
        RegKey probe;
        return !probeText.Append(kShellHoldProbe) || !probe.Open(HKEY_LOCAL_MACHINE, probePath);
    }
    default:
        return true;
    }
}

bool EnumerateShellButtons(GrowableArray<ShellButton> *buttons, bool *complete)
{
    buttons->Clear();
    LPCWSTR path = ShellKeyPath();
    RegKey shell;
    *complete = false;
    if (!path)
        return true;
    if (!shell.Open(HKEY_LOCAL_MACHINE, path)) {
        *complete = !shell.ReadFailed();
        return true;
    }
    wchar_t subkeyName[kRegNameCapacity];
    for (DWORD index = 0; shell.EnumSubKey(index, subkeyName); ++index) {
        RegKey key;
        wchar_t displayName[kShellTextCapacity];
        if (!key.Open(shell.Handle(), subkeyName) || !ReadText(key, kNameValue, displayName)) {
            if (key.ReadFailed())
                return true;
            continue;
        }
        ShellButton *button = buttons->AppendNew();
        if (!button)
            return false;
        if (!ReadButton(key, subkeyName, displayName, button)) {
            buttons->Erase(buttons->Size() - 1);
            return false;
        }
    }
    *complete = !shell.ReadFailed();
    return true;
}
