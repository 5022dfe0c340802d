#include "DeviceSheet.h"

#include "aygshell.h"

#include "ScreenScale.h"
#include "ShellArea.h"

#include <commctrl.h>

namespace {

const UINT_PTR kSubclassId = 0x5643;
// Marks a sheet that has the device's shape.
const wchar_t kShapedProperty[] = L"VelotabDeviceSheet";
const wchar_t kNavigationBarClass[] = L"HHTaskBar";
const wchar_t kButtonClass[] = L"Button";
const wchar_t kOkText[] = L"ok";
// The caption's font on the QVGA screen, and its room from the bar's left.
const int kCaptionFontHeight = -12;
const int kCaptionInset = 4;
const int kCaptionLength = 128;

HFONT barFont = NULL;

HWND TabsOf(HWND sheet)
{
    return FindWindowExW(sheet, NULL, WC_TABCONTROLW, NULL);
}

bool IsClass(HWND window, const wchar_t *name)
{
    wchar_t className[32];
    return GetClassNameW(window, className, 32) && lstrcmpiW(className, name) == 0;
}

HFONT BarFont()
{
    if (!barFont) {
        LOGFONTW description;
        ZeroMemory(&description, sizeof description);
        description.lfHeight = ScreenScale::Pixels(kCaptionFontHeight);
        description.lfWeight = FW_BOLD;
        lstrcpyW(description.lfFaceName, L"Tahoma");
        barFont = CreateFontIndirectW(&description);
    }
    return barFont;
}

// Keeps a window where the device puts it, whatever the desktop's sheet
// does to it later.
void Pin(WINDOWPOS *position, const RECT &area)
{
    if (!(position->flags & SWP_NOMOVE)) {
        position->x = area.left;
        position->y = area.top;
    }
    if (!(position->flags & SWP_NOSIZE)) {
        position->cx = area.right - area.left;
        position->cy = area.bottom - area.top;
    }
}

void Place(HWND window, const RECT &area, UINT flags)
{
    SetWindowPos(window, NULL, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

void PaintNavigationBar(HWND bar)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(bar, &paint);
    RECT area;
    GetClientRect(bar, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_ACTIVECAPTION));
    wchar_t caption[kCaptionLength] = L"";
    GetWindowTextW(GetWindow(bar, GW_OWNER), caption, kCaptionLength);
    area.left += ScreenScale::Pixels(kCaptionInset);
    HGDIOBJ before = SelectObject(dc, BarFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawTextW(dc, caption, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, before);
    EndPaint(bar, &paint);
}

} // namespace

bool DeviceSheet::FitPage(HWND page)
{
    HWND sheet = GetParent(page);
    if (!sheet || !TabsOf(sheet))
        return false;
    if (!GetPropW(sheet, kShapedProperty))
        Shape(sheet);
    SetWindowSubclass(page, PageProc, kSubclassId, 0);
    Place(page, PageArea(sheet), 0);
    return true;
}

bool DeviceSheet::IsPageOfShapedSheet(HWND dialog)
{
    HWND sheet = dialog ? GetParent(dialog) : NULL;
    return sheet && GetPropW(sheet, kShapedProperty);
}

// The sheet loses its frame and its buttons and fills the screen between
// the bars; its tabs become one row along its bottom.
void DeviceSheet::Shape(HWND sheet)
{
    SetPropW(sheet, kShapedProperty, sheet);
    SetWindowSubclass(sheet, SheetProc, kSubclassId, 0);
    LONG style = GetWindowLongW(sheet, GWL_STYLE);
    SetWindowLongW(sheet, GWL_STYLE,
                   (style & ~(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)) | WS_POPUP);
    LONG exStyle = GetWindowLongW(sheet, GWL_EXSTYLE);
    SetWindowLongW(sheet, GWL_EXSTYLE,
                   exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTEXTHELP));
    Place(sheet, SheetArea(), SWP_FRAMECHANGED);

    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsClass(child, kButtonClass))
            ShowWindow(child, SW_HIDE);

    HWND tabs = TabsOf(sheet);
    LONG tabStyle = GetWindowLongW(tabs, GWL_STYLE);
    SetWindowLongW(tabs, GWL_STYLE, (tabStyle & ~TCS_MULTILINE) | TCS_BOTTOM);
    RECT client;
    GetClientRect(sheet, &client);
    Place(tabs, client, SWP_FRAMECHANGED);
    CreateNavigationBar(sheet);
}

// The bar belongs to the sheet: it goes when the sheet goes. A tap on it
// never takes the activation from the sheet; its "ok" accepts the sheet.
void DeviceSheet::CreateNavigationBar(HWND sheet)
{
    WNDCLASSW existing;
    if (!GetClassInfoW(ShellArea::Module(), kNavigationBarClass, &existing)) {
        WNDCLASSW barClass;
        ZeroMemory(&barClass, sizeof barClass);
        barClass.lpfnWndProc = NavigationBarProc;
        barClass.hInstance = ShellArea::Module();
        barClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
        barClass.lpszClassName = kNavigationBarClass;
        RegisterClassW(&barClass);
    }
    RECT area = ShellArea::WorkArea();
    LONG height = ShellArea::NavigationBarHeight();
    HWND bar =
        CreateWindowExW(WS_EX_NOACTIVATE, kNavigationBarClass, L"", WS_POPUP, area.left, area.top,
                        area.right - area.left, height, sheet, NULL, ShellArea::Module(), NULL);
    if (!bar)
        return;
    HWND ok = CreateWindowExW(0, kButtonClass, kOkText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                              area.right - area.left - height, 0, height, height, bar,
                              reinterpret_cast<HMENU>(IDOK), ShellArea::Module(), NULL);
    SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(BarFont()), FALSE);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
}

RECT DeviceSheet::SheetArea()
{
    RECT area = ShellArea::WorkArea();
    area.top += ShellArea::NavigationBarHeight();
    area.bottom -= ShellArea::MenuBarHeight();
    return area;
}

// A page spans the sheet's width, from its top down to the row of tabs.
RECT DeviceSheet::PageArea(HWND sheet)
{
    RECT client;
    GetClientRect(sheet, &client);
    RECT shown = client;
    TabCtrl_AdjustRect(TabsOf(sheet), FALSE, &shown);
    client.bottom = shown.bottom;
    return client;
}

LRESULT CALLBACK DeviceSheet::SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGING)
        Pin(reinterpret_cast<WINDOWPOS *>(lParam), SheetArea());
    else if (message == WM_NCDESTROY) {
        RemovePropW(window, kShapedProperty);
        RemoveWindowSubclass(window, SheetProc, kSubclassId);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK DeviceSheet::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGING)
        Pin(reinterpret_cast<WINDOWPOS *>(lParam), PageArea(GetParent(window)));
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, PageProc, kSubclassId);
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK DeviceSheet::NavigationBarProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        PaintNavigationBar(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            PostMessageW(GetWindow(window, GW_OWNER), WM_COMMAND, IDOK, 0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
