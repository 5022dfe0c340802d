// Stand-in for the Pocket PC shell library on the desktop: full-screen dialog
// set-up, the empty menu bar, the input panel and the extra controls.
#define VELOTAB_AYGSHELL_BUILD
#include "aygshell.h"

#include "ScreenScale.h"

namespace {

const wchar_t kMenuBarClass[] = L"menu_worker";
const wchar_t kSipPrefClass[] = L"SIPPREF";
const wchar_t kDialogClass[] = L"#32770";
const wchar_t kTabControlClass[] = L"SysTabControl32";
const UINT kNotifyTimeoutMs = 2000;

bool inputPanelRaised = false;
// Where the raised panel's top edge is placed; 0: its usual place.
LONG inputPanelTop = 0;
StandInRecord record;

HINSTANCE ModuleInstance()
{
    HMODULE module = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
    return module;
}

// The device's shell draws its bars taller on a denser screen.
LONG MenuBarHeight()
{
    return ScreenScale::Pixels(kStandInMenuBarHeight);
}

RECT WorkArea()
{
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

LONG InputPanelTop()
{
    if (inputPanelTop)
        return inputPanelTop;
    return WorkArea().bottom - MenuBarHeight() - ScreenScale::Pixels(kStandInInputPanelHeight);
}

// The desktop that applications see: the work area less the menu bar along
// the bottom, and less the input panel above it when the panel is raised.
RECT VisibleDesktop(bool withPanel)
{
    RECT area = WorkArea();
    area.bottom = withPanel ? InputPanelTop() : area.bottom - MenuBarHeight();
    return area;
}

RECT InputPanelRect()
{
    RECT area = WorkArea();
    area.bottom -= MenuBarHeight();
    area.top = InputPanelTop();
    if (area.bottom < area.top)
        area.bottom = area.top;
    return area;
}

void NotifyWindow(HWND window)
{
    SendMessageTimeoutW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0, SMTO_ABORTIFHUNG,
                        kNotifyTimeoutMs, NULL);
}

bool IsDialogWindow(HWND window)
{
    wchar_t className[16];
    return GetClassNameW(window, className, 16) && lstrcmpW(className, kDialogClass) == 0;
}

// The device's property sheet passes the change on to its pages, the child
// dialogs directly below it; the desktop's sheet does not, so it is done here.
void NotifyPages(HWND sheet)
{
    if (!FindWindowExW(sheet, NULL, kTabControlClass, NULL))
        return;
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDialogWindow(child))
            NotifyWindow(child);
}

BOOL CALLBACK NotifyTopLevelWindow(HWND window, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return TRUE;
    NotifyWindow(window);
    NotifyPages(window);
    return TRUE;
}

void SetInputPanel(bool raised)
{
    if (raised == inputPanelRaised)
        return;
    inputPanelRaised = raised;
    EnumWindows(NotifyTopLevelWindow, 0);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPlainClass(const wchar_t *name)
{
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

bool IsClassRegistered(const wchar_t *name)
{
    WNDCLASSW existing;
    return GetClassInfoW(ModuleInstance(), name, &existing) != 0;
}

} // namespace

// Sizes a top-level dialog to the visible desktop. Pages are child dialogs of
// their sheet and keep their size, as on the device.
AYGSHELL_API BOOL WINAPI SHInitDialog(PSHINITDLGINFO info)
{
    if (!info || !IsWindow(info->hDlg))
        return FALSE;
    ++record.initDialogCalls;
    record.lastInitDialogFlags = info->dwFlags;
    if (!(info->dwMask & SHIDIM_FLAGS))
        return TRUE;
    bool isChild = (GetWindowLongW(info->hDlg, GWL_STYLE) & WS_CHILD) != 0;
    if (!isChild && (info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)) {
        RECT area = VisibleDesktop(false);
        SetWindowPos(info->hDlg, NULL, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// An empty bar is a window along the bottom of the screen, owned by the
// parent's top-level window so that it goes with it. It carries no commands
// on the desktop, so it stays hidden and never covers the sheet's buttons.
AYGSHELL_API BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *info)
{
    if (!info || info->cbSize != sizeof(SHMENUBARINFO))
        return FALSE;
    ++record.menuBarCalls;
    info->hwndMB = NULL;
    if (!(info->dwFlags & SHCMBF_EMPTYBAR))
        return FALSE;
    if (!IsClassRegistered(kMenuBarClass))
        RegisterPlainClass(kMenuBarClass);
    RECT area = WorkArea();
    HWND owner = info->hwndParent ? GetAncestor(info->hwndParent, GA_ROOT) : NULL;
    info->hwndMB = CreateWindowExW(WS_EX_NOACTIVATE, kMenuBarClass, L"", WS_POPUP, area.left,
                                   area.bottom - MenuBarHeight(), area.right - area.left,
                                   MenuBarHeight(), owner, NULL, ModuleInstance(), NULL);
    return info->hwndMB != NULL;
}

AYGSHELL_API BOOL WINAPI SHSipInfo(UINT action, UINT, PVOID data, UINT)
{
    SIPINFO *info = static_cast<SIPINFO *>(data);
    if (!info || info->cbSize != sizeof(SIPINFO))
        return FALSE;
    switch (action) {
    case SPI_GETSIPINFO:
        info->fdwFlags = SIPF_DOCKED | (inputPanelRaised ? SIPF_ON : SIPF_OFF);
        info->rcVisibleDesktop = VisibleDesktop(inputPanelRaised);
        info->rcSipRect = InputPanelRect();
        info->dwImDataSize = 0;
        info->pvImData = NULL;
        return TRUE;
    case SPI_SETSIPINFO:
        ++record.sipSetCalls;
        SetInputPanel((info->fdwFlags & SIPF_ON) != 0);
        return TRUE;
    default:
        return FALSE;
    }
}

AYGSHELL_API BOOL WINAPI SHInitExtraControls(void)
{
    ++record.extraControlsCalls;
    if (!IsClassRegistered(kSipPrefClass))
        RegisterPlainClass(kSipPrefClass);
    return TRUE;
}

AYGSHELL_API void WINAPI StandInSetInputPanel(BOOL raised)
{
    SetInputPanel(raised != FALSE);
}

AYGSHELL_API void WINAPI StandInSetInputPanelTop(LONG top)
{
    if (top == inputPanelTop)
        return;
    inputPanelTop = top;
    if (inputPanelRaised)
        EnumWindows(NotifyTopLevelWindow, 0);
}

AYGSHELL_API const StandInRecord *WINAPI StandInGetRecord(void)
{
    return &record;
}

AYGSHELL_API void WINAPI StandInResetRecord(void)
{
    ZeroMemory(&record, sizeof record);
}
