#include "ShellButton.h"

#include "ButtonAssignments.h"
#include "HostContext.h"
#include "RegKey.h"
#include "resource.h"

namespace {

// The shell lists a button with this key when it handles press-and-hold of
// that button itself.
const wchar_t kShellHoldProbe[] = L"\\40C9";

const wchar_t kNameValue[] = L"Name";
const wchar_t kIconValue[] = L"Icon";
const wchar_t kFlagsValue[] = L"Flags";
const wchar_t kDefaultValue[] = L"";

// The shell's text values are read into buffers of this many bytes; longer
// values count as missing.
const DWORD kTextValueBytes = 4096;

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

bool ReadText(const RegKey &key, LPCWSTR name, std::wstring *text)
{
    wchar_t buffer[kTextValueBytes / sizeof(wchar_t)];
    DWORD size = kTextValueBytes;
    if (!key.QueryString(name, buffer, &size))
        return false;
    text->assign(buffer);
    return true;
}

// "file[,index]": the index follows the last comma and is read as a leading
// signed decimal number, 0 when the text does not begin with one.
void SplitIcon(const std::wstring &icon, ShellButton *button)
{
    std::wstring::size_type comma = icon.rfind(L',');
    if (comma == std::wstring::npos) {
        button->iconFile = icon;
        button->iconIndex = 0;
        return;
    }
    button->iconFile = icon.substr(0, comma);
    button->iconIndex = static_cast<int>(wcstol(icon.c_str() + comma + 1, NULL, kDecimal));
}

// The launched application's file name without its extension.
std::wstring ApplicationName(const std::wstring &path)
{
    std::wstring::size_type backslash = path.rfind(L'\\');
    std::wstring::size_type start = backslash == std::wstring::npos ? 0 : backslash + 1;
    std::wstring::size_type dot = path.rfind(L'.');
    if (dot == std::wstring::npos || dot < start)
        return path.substr(start);
    return path.substr(start, dot - start);
}

std::wstring FunctionText(const RegKey &button)
{
    DWORD flags = kFlagsLaunch;
    button.QueryDword(kFlagsValue, &flags);
    if (flags == kFlagsLaunch) {
        std::wstring path;
        return ReadText(button, kDefaultValue, &path) ? ApplicationName(path) : std::wstring();
    }
    if (flags == kFlagsUnshown || flags > kFlagsLastFunction)
        return std::wstring();
    LPCWSTR name = PlatformLoadStringPointer(hostContext.instance, IDS_SHELL_FUNCTION_BASE + flags);
    return name ? L"<" + std::wstring(name) + L">" : std::wstring();
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
        RegKey probe;
        return !probe.Open(HKEY_LOCAL_MACHINE, (path + std::wstring(kShellHoldProbe)).c_str());
    }
    default:
        return true;
    }
}

bool EnumerateShellButtons(std::vector<ShellButton> *buttons)
{
    buttons->clear();
    LPCWSTR path = ShellKeyPath();
    if (!path)
        return false;
    RegKey shell;
    if (!shell.Open(HKEY_LOCAL_MACHINE, path))
        return !shell.ReadFailed();
    std::wstring subkeyName;
    for (DWORD index = 0; shell.EnumSubKey(index, &subkeyName); ++index) {
        RegKey key;
        ShellButton button;
        if (!key.Open(shell.Handle(), subkeyName.c_str()) ||
            !ReadText(key, kNameValue, &button.displayName)) {
            if (key.ReadFailed())
                return false;
            continue;
        }
        button.subkeyName = subkeyName;
        DWORD assignment = ReadButtonAssignment(subkeyName, &button.assignmentUnread);
        button.pressCommand = PressCommand(assignment);
        button.holdCommand = HoldCommand(assignment);
        std::wstring icon;
        if (!ReadText(key, kIconValue, &icon))
            icon.clear();
        SplitIcon(icon, &button);
        button.functionText = FunctionText(key);
        buttons->push_back(button);
    }
    return !shell.ReadFailed();
}
