// The one place where the device build and the desktop build differ.
//
// Module code is written against the device's names. On the device this
// header only pulls in the device SDK; on the desktop it maps each device
// name onto what the desktop Win32 offers, or onto the aygshell stand-in.
#ifndef VELOTAB_PLATFORM_H
#define VELOTAB_PLATFORM_H

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>
#include <commctrl.h>
#include <aygshell.h>
#include <shellapi.h>

// Spells "override" where the compiler knows it, so that the C++03 module
// code still has its overrides checked when it is compiled as newer C++.
#if __cplusplus >= 201103L
#define OVERRIDE override
#else
#define OVERRIDE
#endif

// Whether a string-table entry that could not be loaded is missing from
// the table, as the platform reports right after the load, rather than a
// load that failed.
inline bool PlatformStringMissing(DWORD lastError)
{
    return lastError == ERROR_SUCCESS || lastError == ERROR_RESOURCE_NAME_NOT_FOUND ||
           lastError == ERROR_RESOURCE_TYPE_NOT_FOUND || lastError == ERROR_RESOURCE_DATA_NOT_FOUND;
}

#ifdef _WIN32_WCE

// Older device headers lack the pointer-sized window-long calls.
#ifndef GetWindowLongPtrW
#define GetWindowLongPtrW GetWindowLongW
#define SetWindowLongPtrW SetWindowLongW
#define GWLP_USERDATA GWL_USERDATA
#define DWLP_MSGRESULT DWL_MSGRESULT
#endif

// The device removes a key together with everything below it.
inline LONG PlatformDeleteKeyTree(HKEY parent, LPCWSTR name)
{
    return RegDeleteKeyW(parent, name);
}

// With a null buffer the device returns the address of the resource string.
inline LPCWSTR PlatformLoadStringPointer(HINSTANCE instance, UINT id)
{
    return reinterpret_cast<LPCWSTR>(LoadStringW(instance, id, NULL, 0));
}

// The folder that holds the system's sounds, with its closing backslash.
inline void PlatformWindowsFolder(wchar_t (&folder)[MAX_PATH])
{
    lstrcpyW(folder, L"\\Windows\\");
}

// One small icon from an icon file; NULL when the file yields none. The
// device answers with the icon handle itself.
inline HICON PlatformExtractSmallIcon(LPCWSTR file, int index)
{
    HICON small = NULL;
    HICON result = reinterpret_cast<HICON>(ExtractIconExW(file, index, NULL, &small, 1));
    return small ? small : result;
}

// Static controls get the system's static-control colour.
inline HBRUSH PlatformStaticBrush(HWND, HDC, HWND)
{
    return GetSysColorBrush(COLOR_STATIC | SYS_COLOR_INDEX_FLAG);
}

#else // desktop

// The device's full-screen sheet flag; on the desktop the same bit makes a
// wizard, so it must not be set there.
#define PSH_MAXIMIZE 0

// The device's property sheet asks its callback which control version the
// caller was built for; the desktop never sends this.
#define PSCB_GETVERSION 3
#undef COMCTL32_VERSION
#define COMCTL32_VERSION 0x020C

// The brush that paints static controls like the page body under them. The
// desktop has no static-control colour; its property pages paint their body
// with the theme's tab texture, and the dialog's default answer to
// WM_CTLCOLORDLG gives that brush (or the dialog face colour without a
// theme), aligned to the control and with a transparent text background.
inline HBRUSH PlatformStaticBrush(HWND dialog, HDC dc, HWND control)
{
    return reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

// The desktop's RegDeleteKeyW refuses a key that has subkeys; RegDeleteTreeW
// removes the named key with its whole tree, as the device does.
inline LONG PlatformDeleteKeyTree(HKEY parent, LPCWSTR name)
{
    return RegDeleteTreeW(parent, name);
}

// The desktop returns nothing for a null buffer: it hands out the read-only
// pointer through the buffer argument when the length is 0. A zero length
// result means the entry is missing (every entry carries its own NUL).
inline LPCWSTR PlatformLoadStringPointer(HINSTANCE instance, UINT id)
{
    LPCWSTR text = NULL;
    if (LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0) <= 0)
        return NULL;
    return text;
}

// The device's "\Windows\" sits at the root of its one file system; the
// desktop's counterpart is the system's Windows folder, which a path without
// a drive would look for on the current drive, so it is asked for.
inline void PlatformWindowsFolder(wchar_t (&folder)[MAX_PATH])
{
    UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 1) {
        lstrcpyW(folder, L"\\Windows\\");
        return;
    }
    if (folder[length - 1] != L'\\')
        lstrcpyW(folder + length, L"\\");
}

// One small icon from an icon file; NULL when the file yields none. The
// desktop answers with a count, or UINT_MAX for a file that is not valid.
inline HICON PlatformExtractSmallIcon(LPCWSTR file, int index)
{
    HICON small = NULL;
    UINT count = ExtractIconExW(file, index, NULL, &small, 1);
    if (count == 0 || count == UINT_MAX)
        return NULL;
    return small;
}

#endif

#endif
