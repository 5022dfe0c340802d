#include "ButtonImage.h"

#include "HostContext.h"

ButtonImage::ButtonImage(UINT bitmapId)
    : width(0), height(0), bitmap(LoadBitmapW(hostContext.instance, MAKEINTRESOURCEW(bitmapId)))
{
    BITMAP description;
    if (bitmap && GetObjectW(bitmap, sizeof description, &description)) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
}

ButtonImage::~ButtonImage()
{
    if (bitmap)
        DeleteObject(bitmap);
}
