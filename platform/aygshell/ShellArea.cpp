#include "ShellArea.h"

#include "aygshell.h"

#include "ScreenScale.h"

HINSTANCE ShellArea::Module()
{
    HMODULE module = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ShellArea::Module), &module);
    return module;
}

RECT ShellArea::WorkArea()
{
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

LONG ShellArea::NavigationBarHeight()
{
    return ScreenScale::Pixels(kStandInNavigationBarHeight);
}

LONG ShellArea::MenuBarHeight()
{
    return ScreenScale::Pixels(kStandInMenuBarHeight);
}

LONG ShellArea::InputPanelHeight()
{
    return ScreenScale::Pixels(kStandInInputPanelHeight);
}
