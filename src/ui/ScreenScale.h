// The pixel constants of the pages' layout are those of the device's 96-DPI
// QVGA screens. The module declares itself aware of high-resolution screens,
// so on a denser screen the shell takes them as device pixels: each goes
// through Pixels, which keeps its size on the screen.
#ifndef VELOTAB_SCREEN_SCALE_H
#define VELOTAB_SCREEN_SCALE_H

#include "Platform.h"

class ScreenScale {
public:
    // The constant in pixels of this screen: scaled by the screen's
    // density (LOGPIXELSY / 96) and rounded; unchanged at 96 DPI and below.
    static int Pixels(int qvgaPixels);
    // The screen is denser than 96 DPI, so constants grow.
    static bool Scales();

private:
    // The screen's density, asked once: it stays for the process's life.
    static int DotsPerInch();

    static int dotsPerInch;
};

#endif
