// The full-screen options property sheet: an ordered list of pages handed
// to the platform's modal property sheet.
#ifndef VELOTAB_OPTION_SHEET_H
#define VELOTAB_OPTION_SHEET_H

#include "GrowableArray.h"
#include "Platform.h"

class OptionPage;

class OptionSheet {
public:
    // Until a page becomes active, activePage names the start page.
    OptionSheet(UINT captionId, UINT iconId, HWND ownerWindow, int startPage);
    // Releases the page list; the pages belong to whoever made them.
    virtual ~OptionSheet();

    // Shows the sheet modally. Returns 1 or more when the user accepted, 0
    // when the sheet ended without applying, -1 when it could not be shown,
    // also when there was no memory for the pages' descriptors.
    virtual int Run();
    // The platform has built the sheet window. Returns TRUE.
    virtual BOOL OnInitialized();

    // Appends a page; it gets the next index and reports itself active here.
    // False, with the page left out, when the list has no room for it.
    bool AddPage(OptionPage *page);

    // The sheet callback given to the platform.
    static int CALLBACK SheetCallback(HWND sheetWindow, UINT message, LPARAM lParam);

    HWND Window() const { return window; }
    int ActivePage() const { return activePage; }
    const PROPSHEETHEADERW &Header() const { return header; }

private:
    HWND window;
    int activePage;
    GrowableArray<OptionPage *> pages;
    PROPSHEETHEADERW header;

    OptionSheet(const OptionSheet &);
    OptionSheet &operator=(const OptionSheet &);
};

#endif
