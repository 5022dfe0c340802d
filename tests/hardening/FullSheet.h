// The whole options sheet as the add-on opens it: every page shown once,
// then accepted or cancelled.
#ifndef VELOTAB_FULL_SHEET_H
#define VELOTAB_FULL_SHEET_H

#include "Platform.h"

#include <string>

// The sheet's pages, in their fixed order.
const int kSheetPageCount = 13;

// Opens the sheet through ShowOptions over the given vendor and product key,
// starting on startPage, shows each page in turn and ends the sheet; returns
// what ShowOptions returns. owner is the add-on's window.
DWORD ShowEveryPage(HWND owner, const std::wstring &vendor, const std::wstring &product,
                    bool accept, int startPage = 0);

#endif
