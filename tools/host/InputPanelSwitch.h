// Raises and lowers the shell stand-in's emulated input panel while the sheet
// is open, so that a person can watch the pages follow it: a hot key (F9)
// toggles the panel. The tour uses it to show the pages with the panel raised.
#ifndef VELOTAB_INPUT_PANEL_SWITCH_H
#define VELOTAB_INPUT_PANEL_SWITCH_H

#include <windows.h>

class InputPanelSwitch {
public:
    // Finds the stand-in's controls in the shell library that the module
    // loaded; make it once the module is loaded.
    InputPanelSwitch();
    ~InputPanelSwitch();
    InputPanelSwitch(const InputPanelSwitch &) = delete;
    InputPanelSwitch &operator=(const InputPanelSwitch &) = delete;

    // The shell library is the stand-in, so the panel can be switched.
    bool Available() const { return setPanel && getInfo; }
    // Makes the switch's hidden window and, when asked, registers its hot
    // key. False when unavailable or when the window cannot be made.
    bool Create(bool hotKey);
    // Raises the panel now, and once more when the module lowers it as the
    // sheet opens, so that the pages open with the panel up.
    void RaiseAfterStart();

    // The key that toggles the panel, as the user reads it.
    static const wchar_t *HotKeyName() { return L"F9"; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsRaised() const;

    typedef void(WINAPI *SetPanelProc)(BOOL);
    typedef BOOL(WINAPI *SipInfoProc)(UINT, UINT, PVOID, UINT);

    SetPanelProc setPanel = nullptr;
    SipInfoProc getInfo = nullptr;
    HWND window = nullptr;
    bool hotKeyRegistered = false;
    bool raiseWhenLowered = false;
};

#endif
