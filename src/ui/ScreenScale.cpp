#include "ScreenScale.h"

namespace {

// The density that the pixel constants are given for.
const int kBaseDotsPerInch = 96;

} // namespace

int ScreenScale::dotsPerInch = 0;

int ScreenScale::Pixels(int qvgaPixels)
{
    return MulDiv(qvgaPixels, DotsPerInch(), kBaseDotsPerInch);
}

bool ScreenScale::Scales()
{
    return DotsPerInch() > kBaseDotsPerInch;
}

int ScreenScale::DotsPerInch()
{
    if (!dotsPerInch) {
        HDC screen = GetDC(NULL);
        dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(NULL, screen);
        // The constants are right as they are on the QVGA screens; only a
        // denser screen needs them grown.
        if (dotsPerInch < kBaseDotsPerInch)
            dotsPerInch = kBaseDotsPerInch;
    }
    return dotsPerInch;
}
