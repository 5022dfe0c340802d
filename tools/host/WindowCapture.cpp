#include "WindowCapture.h"

#include <algorithm>
#include <vector>

namespace {

const UINT kRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

RECT ScreenRect()
{
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void MoveWindowTo(HWND window, int x, int y)
{
    SetWindowPos(window, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
    return TRUE;
}

bool Contains(const RECT &outer, const RECT &inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

WindowCapture::~WindowCapture()
{
    Release();
}

void WindowCapture::Release()
{
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = nullptr;
    pixels = nullptr;
    width = height = 0;
}

bool WindowCapture::CreateImage(int imageWidth, int imageHeight)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = imageWidth;
    info.bmiHeader.biHeight = -imageHeight; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap)
        return false;
    width = imageWidth;
    height = imageHeight;
    return true;
}

// Wine keeps a top-level window's pixels only where the window lies on the
// screen, and its PrintWindow draws neither the frame nor the child windows.
// So the image is copied from the window's own DC, and a window larger than
// the screen is moved so that each screenful of it lies on the screen in
// turn, then put back where it was.
bool WindowCapture::Capture(HWND window, const std::function<void()> &settle, std::wstring &error)
{
    Release();
    RECT frame;
    if (!GetWindowRect(window, &frame) || frame.right <= frame.left || frame.bottom <= frame.top) {
        error = L"the window has no area";
        return false;
    }
    if (!CreateImage(frame.right - frame.left, frame.bottom - frame.top)) {
        error = L"CreateDIBSection failed";
        return false;
    }

    RECT screen = ScreenRect();
    bool fits = Contains(screen, frame);
    int stepX = fits ? width : std::max(1L, screen.right - screen.left);
    int stepY = fits ? height : std::max(1L, screen.bottom - screen.top);

    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    bool copied = true;
    for (int y = 0; y < height && copied; y += stepY) {
        for (int x = 0; x < width && copied; x += stepX) {
            if (!fits)
                MoveWindowTo(window, screen.left - x, screen.top - y);
            RedrawWindow(window, nullptr, nullptr, kRepaintFlags);
            settle();
            HDC source = GetWindowDC(window);
            copied = source && BitBlt(memory, x, y, std::min(stepX, width - x),
                                      std::min(stepY, height - y), source, x, y, SRCCOPY);
            if (source)
                ReleaseDC(window, source);
        }
    }
    GdiFlush();
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (!fits) {
        MoveWindowTo(window, frame.left, frame.top);
        RedrawWindow(window, nullptr, nullptr, kRepaintFlags);
        settle();
    }
    if (!copied) {
        error = L"the window could not be copied";
        Release();
        return false;
    }

    MakeOpaque();
    return true;
}

// Wine gives no pixels for the screen itself, so each window is copied from
// its own DC to its place; the windows come top first and are drawn last.
bool WindowCapture::CaptureScreen(const std::function<void()> &settle, std::wstring &error)
{
    Release();
    RECT screen = ScreenRect();
    if (!CreateImage(screen.right - screen.left, screen.bottom - screen.top)) {
        error = L"CreateDIBSection failed";
        return false;
    }
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        RedrawWindow(window, nullptr, nullptr, kRepaintFlags);
    settle();
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    bool copied = true;
    for (auto window = windows.rbegin(); window != windows.rend() && copied; ++window) {
        RECT frame;
        GetWindowRect(*window, &frame);
        HDC source = GetWindowDC(*window);
        copied = source &&
                 BitBlt(memory, frame.left - screen.left, frame.top - screen.top,
                        frame.right - frame.left, frame.bottom - frame.top, source, 0, 0, SRCCOPY);
        if (source)
            ReleaseDC(*window, source);
    }
    GdiFlush();
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (!copied) {
        error = L"a window could not be copied";
        Release();
        return false;
    }
    MakeOpaque();
    return true;
}

// GDI leaves the alpha bytes at zero; the image is opaque.
void WindowCapture::MakeOpaque()
{
    BYTE *pixel = static_cast<BYTE *>(pixels);
    for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i)
        pixel[i * 4 + 3] = 0xFF;
}
