// The module's three entry points, exported by ordinal only.
#ifndef VELOTAB_ENTRY_POINTS_H
#define VELOTAB_ENTRY_POINTS_H

#include "Platform.h"

// Result of a ShowOptions call that its argument checks rejected.
const DWORD kShowOptionsRejected = 2;

// Ordinal 1: shows the options sheet. Returns kShowOptionsRejected, or the
// last active page in the high 16 bits and the sheet result in the low 16.
extern "C" DWORD WINAPI ShowOptions(HWND ownerWindow, BOOL holdIntervalHidden, LONG platformVersion,
                                    DWORD unused4, DWORD unused5, DWORD unused6, DWORD unused7,
                                    DWORD required8, LPCWSTR vendorKey, LPCWSTR productKey,
                                    LPCWSTR versionText, int startPage);

// Ordinal 2: installs the built-in URL alias list when it is missing.
extern "C" void WINAPI InstallDefaultAliases(LPCWSTR vendorKey, LPCWSTR productKey,
                                             LPCWSTR versionText);

// Ordinal 3: installs the built-in URL service list when it is missing.
extern "C" void WINAPI InstallDefaultServices(LPCWSTR vendorKey, LPCWSTR productKey,
                                              LPCWSTR versionText);

#endif
