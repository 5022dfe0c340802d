// A copy of a top-level window's whole image, frame included, or of the
// whole screen, as opaque 32-bit BGRA pixels in top-down rows.
#ifndef VELOTAB_WINDOW_CAPTURE_H
#define VELOTAB_WINDOW_CAPTURE_H

#include <windows.h>

#include <functional>
#include <string>

class WindowCapture {
public:
    WindowCapture() = default;
    ~WindowCapture();
    WindowCapture(const WindowCapture &) = delete;
    WindowCapture &operator=(const WindowCapture &) = delete;

    // Copies the window, parts off the screen included. settle runs after
    // each repaint, to let the window handle what the repaint queued. On
    // failure, error says why.
    bool Capture(HWND window, const std::function<void()> &settle, std::wstring &error);
    // Copies the screen as a person sees it: every visible window of this
    // process where it lies, the lower ones first, on black.
    bool CaptureScreen(const std::function<void()> &settle, std::wstring &error);

    int Width() const { return width; }
    int Height() const { return height; }
    UINT Stride() const { return static_cast<UINT>(width) * 4; }
    const BYTE *Pixels() const { return static_cast<const BYTE *>(pixels); }

private:
    bool CreateImage(int imageWidth, int imageHeight);
    void MakeOpaque();
    void Release();

    HBITMAP bitmap = nullptr;
    void *pixels = nullptr;
    int width = 0;
    int height = 0;
};

#endif
