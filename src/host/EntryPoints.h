// The module's three entry points, exported by ordinal only.
#ifndef VELOTAB_ENTRY_POINTS_H
#define VELOTAB_ENTRY_POINTS_H

#include "Platform.h"

class OptionPage;

// Result of a ShowOptions call that its argument checks rejected.
const DWORD kShowOptionsRejected = 2;

// Makes one page object of the sheet; NULL when it cannot be made.
typedef OptionPage *(*PageFactory)();

// Makes one page from each factory, in order, runs the sheet over them and
// destroys them. Returns the last active page in the high 16 bits and the
// sheet result in the low 16. When any page cannot be made no sheet is shown:
// the result is that of a sheet that failed to run, the start page above -1.
DWORD RunOptionSheet(HWND ownerWindow, int startPage, const PageFactory *factories,
                     size_t pageCount);

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
