#include "DemoShellButtons.h"

#include <windows.h>

#include <string>

namespace {

const wchar_t kShellKeys[] = L"Software\\Microsoft\\Shell\\Keys";

struct DemoButton {
    const wchar_t *subkey;
    const wchar_t *name;
    // Null: no "Flags" value, which reads as 0 (launch an application).
    const DWORD *flags;
    // Null: no such value.
    const wchar_t *application;
    const wchar_t *icon;
};

const DWORD kStartMenu = 1;
const DWORD kScrollUp = 5;
const DWORD kOkClose = 10;

// Icons from files of every Wine prefix, one named by a negative resource
// index, one without an index; one file that does not exist, and one button
// without an icon, both of which show the blank image.
const DemoButton kButtons[] = {
    {L"40C1", L"Button 1", nullptr, L"\\Windows\\calendar.exe",
     L"C:\\windows\\system32\\shell32.dll,-3"},
    {L"40C2", L"Button 2", nullptr, L"\\Windows\\poutlook.exe",
     L"C:\\windows\\system32\\taskmgr.exe"},
    {L"40C3", L"Button 3", nullptr, L"\\Windows\\tmail.exe",
     L"C:\\windows\\system32\\winecfg.exe,0"},
    {L"40C4", L"Button 4", &kStartMenu, nullptr, L"C:\\windows\\system32\\user32.dll,5"},
    {L"40C5", L"Record", nullptr, L"\\Windows\\notes.exe", L"\\Windows\\notes.dll,-1"},
    {L"4026", L"Up", &kScrollUp, nullptr, nullptr},
    {L"400D", L"Action", &kOkClose, nullptr, L"C:\\windows\\regedit.exe,0"},
};

void SetText(HKEY key, const wchar_t *name, const wchar_t *text)
{
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

} // namespace

void InstallDemoShellButtons()
{
    HKEY shell = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kShellKeys, 0, KEY_READ, &shell) == ERROR_SUCCESS) {
        RegCloseKey(shell);
        return;
    }
    for (const DemoButton &button : kButtons) {
        std::wstring path = std::wstring(kShellKeys) + L"\\" + button.subkey;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            continue;
        SetText(key, L"Name", button.name);
        if (button.flags)
            RegSetValueExW(key, L"Flags", 0, REG_DWORD,
                           reinterpret_cast<const BYTE *>(button.flags), sizeof *button.flags);
        if (button.application)
            SetText(key, nullptr, button.application);
        if (button.icon)
            SetText(key, L"Icon", button.icon);
        RegCloseKey(key);
    }
}
