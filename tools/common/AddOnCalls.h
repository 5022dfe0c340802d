// What the add-on's stand-ins share: loading the options module as the
// add-on does, finding its exports by ordinal, and closing what a sheet left
// open on this thread.
#ifndef VELOTAB_ADD_ON_CALLS_H
#define VELOTAB_ADD_ON_CALLS_H

#include <windows.h>

#include <string>

// The module's entry points, by ordinal.
typedef DWORD(WINAPI *ShowOptionsProc)(HWND, BOOL, LONG, DWORD, DWORD, DWORD, DWORD, DWORD, LPCWSTR,
                                       LPCWSTR, LPCWSTR, int);
typedef void(WINAPI *InstallDefaultsProc)(LPCWSTR, LPCWSTR, LPCWSTR);
const WORD kShowOptionsOrdinal = 1;
const WORD kInstallAliasesOrdinal = 2;
const WORD kInstallServicesOrdinal = 3;

// Loads the DLL by its full path with the altered search order, so that the
// DLLs beside it (aygshell.dll) are found wherever the caller runs from.
inline HMODULE LoadModule(const std::wstring &path)
{
    wchar_t fullPath[MAX_PATH];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, fullPath, nullptr);
    if (!length || length >= MAX_PATH)
        return LoadLibraryW(path.c_str());
    return LoadLibraryExW(fullPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <class Proc> Proc ExportByOrdinal(HMODULE module, WORD ordinal)
{
    FARPROC address = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(address));
}

inline BOOL CALLBACK PostCloseUnlessKept(HWND window, LPARAM kept)
{
    if (window != reinterpret_cast<HWND>(kept) && IsWindowVisible(window))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Asks every visible window of this thread but `keep` to close.
inline void CloseThreadWindowsBut(HWND keep)
{
    EnumThreadWindows(GetCurrentThreadId(), PostCloseUnlessKept, reinterpret_cast<LPARAM>(keep));
}

#endif
