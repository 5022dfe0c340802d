#include "InputPanelSwitch.h"

#include "aygshell.h"

namespace {

const wchar_t kClassName[] = L"VelotabInputPanelSwitch";
const wchar_t kShellLibrary[] = L"aygshell.dll";
const int kHotKeyId = 1;
const UINT kHotKey = VK_F9;
// Raising again from inside the stand-in's own notification would nest its
// notification round; the request waits in the queue instead.
const UINT kRaiseMessage = WM_APP + 1;

} // namespace

InputPanelSwitch::InputPanelSwitch()
{
    HMODULE shell = GetModuleHandleW(kShellLibrary);
    if (!shell)
        return;
    setPanel = reinterpret_cast<SetPanelProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "StandInSetInputPanel")));
    getInfo = reinterpret_cast<SipInfoProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHSipInfo")));
}

InputPanelSwitch::~InputPanelSwitch()
{
    if (hotKeyRegistered)
        UnregisterHotKey(window, kHotKeyId);
    if (window)
        DestroyWindow(window);
}

// The window is a top-level one, hidden, so that the stand-in's panel
// notices reach it; the hot key goes to it through the sheet's message loop.
bool InputPanelSwitch::Create(bool hotKey)
{
    if (!Available())
        return false;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Input panel", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, windowClass.hInstance, this);
    if (!window)
        return false;
    if (hotKey)
        hotKeyRegistered = RegisterHotKey(window, kHotKeyId, 0, kHotKey) != FALSE;
    return true;
}

void InputPanelSwitch::RaiseAfterStart()
{
    if (!window)
        return;
    raiseWhenLowered = true;
    setPanel(TRUE);
}

LRESULT CALLBACK InputPanelSwitch::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<InputPanelSwitch *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT InputPanelSwitch::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOTKEY:
        if (wParam == kHotKeyId) {
            setPanel(IsRaised() ? FALSE : TRUE);
            return 0;
        }
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSIPINFO && raiseWhenLowered && !IsRaised()) {
            raiseWhenLowered = false;
            PostMessageW(window, kRaiseMessage, 0, 0);
        }
        return 0;
    case kRaiseMessage:
        setPanel(TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool InputPanelSwitch::IsRaised() const
{
    SIPINFO panel = {};
    panel.cbSize = sizeof panel;
    return getInfo(SPI_GETSIPINFO, 0, &panel, 0) && (panel.fdwFlags & SIPF_ON);
}
