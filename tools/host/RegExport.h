// Registry keys as regedit's text export ("Windows Registry Editor Version
// 5.00"), so that the settings that the DLL wrote can be read and compared.
#ifndef VELOTAB_REG_EXPORT_H
#define VELOTAB_REG_EXPORT_H

#include <windows.h>

#include <string>

// One value as regedit writes it: "name"=... or @=... for the default value.
// Long hex data is wrapped with ",\" and a two-space indent. No line end at
// the end; lines inside are split with "\n".
std::wstring FormatRegValue(const std::wstring &name, DWORD type, const BYTE *data, DWORD size);

// The export of rootName\path and every key below it, header first, lines
// split with "\n". A missing key gives the header and a comment that says so.
std::wstring ExportRegKey(HKEY root, const std::wstring &rootName, const std::wstring &path);

#endif
