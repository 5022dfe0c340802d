// A bitmap from the module's resources with its size, drawn on an
// owner-drawn button. The record owns the bitmap.
#ifndef VELOTAB_BUTTON_IMAGE_H
#define VELOTAB_BUTTON_IMAGE_H

#include "Platform.h"

class ButtonImage {
public:
    // Loads the bitmap; a missing one leaves a null handle and a zero size.
    explicit ButtonImage(UINT bitmapId);
    ~ButtonImage();

    int Width() const { return width; }
    int Height() const { return height; }
    HBITMAP Bitmap() const { return bitmap; }

private:
    int width;
    int height;
    HBITMAP bitmap;

    ButtonImage(const ButtonImage &);
    ButtonImage &operator=(const ButtonImage &);
};

#endif
