// Where the stand-in shell puts its parts on the screen, and the library
// that it registers their window classes in.
#ifndef VELOTAB_SHELL_AREA_H
#define VELOTAB_SHELL_AREA_H

#include <windows.h>

class ShellArea {
public:
    static HINSTANCE Module();
    static RECT WorkArea();
    // The bars are drawn taller on a denser screen, as the device's shell
    // draws them.
    static LONG NavigationBarHeight();
    static LONG MenuBarHeight();
    static LONG InputPanelHeight();
};

#endif
