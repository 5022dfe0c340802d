// The Pocket PC shape of a property sheet, which the device's platform gives
// a sheet whose pages ask the shell for full screen: the navigation bar along
// the top with the caption and "ok", the sheet below it down to the menu bar,
// one row of tabs along its bottom with scroll arrows when they do not all
// fit, no button row, and each page as wide as the screen. The desktop's
// sheet is a dialog with a button row; the stand-in reshapes it.
#ifndef VELOTAB_DEVICE_SHEET_H
#define VELOTAB_DEVICE_SHEET_H

#include <windows.h>

class DeviceSheet {
public:
    // A page asked for full screen: gives its property sheet the device's
    // shape, the first time, and places the page in it. False when the
    // dialog is not a page of a property sheet.
    static bool FitPage(HWND page);
    // The dialog is a page of a sheet in the device's shape.
    static bool IsPageOfShapedSheet(HWND dialog);

private:
    static void Shape(HWND sheet);
    static void CreateNavigationBar(HWND sheet);
    static RECT SheetArea();
    static RECT PageArea(HWND sheet);
    static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK NavigationBarProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
};

#endif
