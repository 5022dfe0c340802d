// Saves captured window images as PNG files through the Windows Imaging
// Component.
#ifndef VELOTAB_PNG_WRITER_H
#define VELOTAB_PNG_WRITER_H

#include <windows.h>

#include <string>

struct IWICImagingFactory;
class WindowCapture;

class PngWriter {
public:
    // Joins COM on this thread and makes the imaging factory.
    PngWriter();
    ~PngWriter();
    PngWriter(const PngWriter &) = delete;
    PngWriter &operator=(const PngWriter &) = delete;

    // False, with the reason in error, when the factory could not be made.
    bool Ready(std::wstring &error) const;
    // Writes the image to path, replacing any file there.
    bool Write(const std::wstring &path, const WindowCapture &image, std::wstring &error) const;

private:
    bool comJoined = false;
    HRESULT factoryStatus = E_FAIL;
    IWICImagingFactory *factory = nullptr;
};

#endif
