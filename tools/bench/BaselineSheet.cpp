#include "BaselineSheet.h"

#include "resource.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

// The options sheet's pages, by template, in its page order.
const WORD kPageOrder[] = {
    IDD_USER_AGENT, IDD_BUTTONS, IDD_URL_ALIAS,   IDD_URL_SERVICE, IDD_SCROLL,
    IDD_SCREEN,     IDD_MENU,    IDD_TAB_DISPLAY, IDD_TAB_EVENT,   IDD_TAB_HISTORY,
    IDD_VIEW,       IDD_BROWSER, IDD_ABOUT,
};

// The options sheet's header flags as the desktop build has them: its
// full-screen flag is 0 there.
const DWORD kSheetFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP;

} // namespace

BaselineSheet::BaselineSheet(HMODULE module) : module(module)
{
    for (WORD id : kPageOrder)
        if (FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG))
            templates.push_back(id);
}

std::string BaselineSheet::TemplateList() const
{
    std::string list;
    for (WORD id : templates)
        list += (list.empty() ? "" : ", ") + std::to_string(id);
    return list;
}

bool BaselineSheet::Run(HWND owner) const
{
    std::vector<PROPSHEETPAGEW> pages(templates.size());
    for (size_t i = 0; i < templates.size(); ++i) {
        PROPSHEETPAGEW &page = pages[i];
        page = PROPSHEETPAGEW();
        page.dwSize = sizeof page;
        page.hInstance = module;
        page.pszTemplate = MAKEINTRESOURCEW(templates[i]);
        page.pfnDlgProc = PageProc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = kSheetFlags;
    header.hwndParent = owner;
    header.hInstance = module;
    header.pszIcon = MAKEINTRESOURCEW(IDI_VELOTAB);
    header.pszCaption = MAKEINTRESOURCEW(IDS_SHEET_CAPTION);
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    return PropertySheetW(&header) > 0;
}

// Lets the dialog manager set the focus; handles nothing else.
INT_PTR CALLBACK BaselineSheet::PageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

int CALLBACK BaselineSheet::SheetCallback(HWND, UINT, LPARAM)
{
    return 0;
}
