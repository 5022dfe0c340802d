// Stand-in for the Pocket PC shell library on the desktop: full-screen dialog
// set-up, the empty menu bar, the input panel and the extra controls.
#define VELOTAB_AYGSHELL_BUILD
#include "aygshell.h"

#include "DeviceSheet.h"
#include "ShellArea.h"

namespace {

const wchar_t kMenuBarClass[] = L"menu_worker";
const wchar_t kSipPrefClass[] = L"SIPPREF";
const wchar_t kDialogClass[] = L"#32770";
const wchar_t kTabControlClass[] = L"SysTabControl32";
const wchar_t kInputPanelClass[] = L"SipWndClass";
const UINT kNotifyTimeoutMs = 2000;
// The keys that the input panel shows.
const int kKeyRows = 4;
const int kKeyColumns = 10;

bool inputPanelRaised = false;
// Where the raised panel's top edge is placed; 0: its usual place.
LONG inputPanelTop = 0;
// The raised panel's window; made the first time the panel is raised.
HWND inputPanel = NULL;
StandInRecord record;

LONG InputPanelTop()
{
    if (inputPanelTop)
        return inputPanelTop;
    return ShellArea::WorkArea().bottom - ShellArea::MenuBarHeight() -
           ShellArea::InputPanelHeight();
}

// The desktop that applications see: the work area less the menu bar along
// the bottom, and less the input panel above it when the panel is raised.
RECT VisibleDesktop(bool withPanel)
{
    RECT area = ShellArea::WorkArea();
    area.bottom = withPanel ? InputPanelTop() : area.bottom - ShellArea::MenuBarHeight();
    return area;
}

RECT InputPanelRect()
{
    RECT area = ShellArea::WorkArea();
    area.bottom -= ShellArea::MenuBarHeight();
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

// The panel draws a plain grid of keys where it lies, above every window.
void PaintInputPanel(HWND panel)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(panel, &paint);
    RECT area;
    GetClientRect(panel, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNSHADOW));
    for (int row = 0; row < kKeyRows; ++row) {
        for (int column = 0; column < kKeyColumns; ++column) {
            RECT key = {area.right * column / kKeyColumns, area.bottom * row / kKeyRows,
                        area.right * (column + 1) / kKeyColumns,
                        area.bottom * (row + 1) / kKeyRows};
            InflateRect(&key, -1, -1);
            FillRect(dc, &key, GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    EndPaint(panel, &paint);
}

LRESULT CALLBACK InputPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        PaintInputPanel(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void ShowInputPanel()
{
    if (!inputPanel) {
        WNDCLASSW panelClass;
        ZeroMemory(&panelClass, sizeof panelClass);
        panelClass.lpfnWndProc = InputPanelProc;
        panelClass.hInstance = ShellArea::Module();
        panelClass.lpszClassName = kInputPanelClass;
        RegisterClassW(&panelClass);
        inputPanel = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST, kInputPanelClass, L"",
                                     WS_POPUP, 0, 0, 0, 0, NULL, NULL, ShellArea::Module(), NULL);
    }
    if (!inputPanel)
        return;
    RECT area = InputPanelRect();
    UINT shown = inputPanelRaised ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(inputPanel, HWND_TOPMOST, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE | shown);
}

void SetInputPanel(bool raised)
{
    if (raised == inputPanelRaised)
        return;
    inputPanelRaised = raised;
    ShowInputPanel();
    EnumWindows(NotifyTopLevelWindow, 0);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPlainClass(const wchar_t *name, int colour)
{
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = ShellArea::Module();
    windowClass.hbrBackground = GetSysColorBrush(colour);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

bool IsClassRegistered(const wchar_t *name)
{
    WNDCLASSW existing;
    return GetClassInfoW(ShellArea::Module(), name, &existing) != 0;
}

} // namespace

// Sizes a top-level dialog to the visible desktop. A page, a child dialog of
// its sheet, gives the sheet the device's shape and takes its place in it.
AYGSHELL_API BOOL WINAPI SHInitDialog(PSHINITDLGINFO info)
{
    if (!info || !IsWindow(info->hDlg))
        return FALSE;
    ++record.initDialogCalls;
    record.lastInitDialogFlags = info->dwFlags;
    if (!(info->dwMask & SHIDIM_FLAGS))
        return TRUE;
    if (!(info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN))
        return TRUE;
    bool isChild = (GetWindowLongW(info->hDlg, GWL_STYLE) & WS_CHILD) != 0;
    if (isChild) {
        DeviceSheet::FitPage(info->hDlg);
    } else {
        RECT area = VisibleDesktop(false);
        SetWindowPos(info->hDlg, NULL, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// An empty bar is a window along the bottom of the screen, owned by the
// parent's top-level window so that it goes with it. It carries no commands
// on the desktop. It shows below a sheet in the device's shape; elsewhere it
// stays hidden and never covers a desktop dialog's buttons.
AYGSHELL_API BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *info)
{
    if (!info || info->cbSize != sizeof(SHMENUBARINFO))
        return FALSE;
    ++record.menuBarCalls;
    info->hwndMB = NULL;
    if (!(info->dwFlags & SHCMBF_EMPTYBAR))
        return FALSE;
    if (!IsClassRegistered(kMenuBarClass))
        RegisterPlainClass(kMenuBarClass, COLOR_ACTIVECAPTION);
    RECT area = ShellArea::WorkArea();
    HWND owner = info->hwndParent ? GetAncestor(info->hwndParent, GA_ROOT) : NULL;
    info->hwndMB =
        CreateWindowExW(WS_EX_NOACTIVATE, kMenuBarClass, L"", WS_POPUP, area.left,
                        area.bottom - ShellArea::MenuBarHeight(), area.right - area.left,
                        ShellArea::MenuBarHeight(), owner, NULL, ShellArea::Module(), NULL);
    if (info->hwndMB && DeviceSheet::IsPageOfShapedSheet(info->hwndParent))
        ShowWindow(info->hwndMB, SW_SHOWNOACTIVATE);
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
        RegisterPlainClass(kSipPrefClass, COLOR_BTNFACE);
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
    if (!inputPanelRaised)
        return;
    ShowInputPanel();
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
