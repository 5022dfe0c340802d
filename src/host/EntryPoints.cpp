#include "EntryPoints.h"

#include "AboutPage.h"
#include "BrowserPage.h"
#include "ButtonsPage.h"
#include "GrowableArray.h"
#include "HostContext.h"
#include "MenuPage.h"
#include "OptionSheet.h"
#include "ScreenPage.h"
#include "ScrollPage.h"
#include "TabDisplayPage.h"
#include "TabEventPage.h"
#include "TabHistoryPage.h"
#include "ViewPage.h"
#include "UrlAliasPage.h"
#include "UrlServicePage.h"
#include "UserAgentPage.h"
#include "resource.h"

#include <new>

namespace {

// What the sheet's run reports when it cannot show the sheet.
const int kSheetFailed = -1;

template <class Page> OptionPage *MakePage()
{
    return new (std::nothrow) Page;
}

// The sheet's pages in their fixed order: a page's row is the index that the
// add-on passes as start page and gets back in the result code.
const PageFactory kPageOrder[] = {
    // User Agent
    MakePage<UserAgentPage>,
    // Buttons
    MakePage<ButtonsPage>,
    // URL Alias
    MakePage<UrlAliasPage>,
    // URL Service
    MakePage<UrlServicePage>,
    // Scroll
    MakePage<ScrollPage>,
    // Screen
    MakePage<ScreenPage>,
    // Menu
    MakePage<MenuPage>,
    MakePage<TabDisplayPage>,
    // Tab Event
    MakePage<TabEventPage>,
    // Tab History
    MakePage<TabHistoryPage>,
    // View
    MakePage<ViewPage>,
    // Browser
    MakePage<BrowserPage>,
    // About
    MakePage<AboutPage>,
};
const size_t kPageCount = sizeof kPageOrder / sizeof kPageOrder[0];

void StoreKeyNames(LPCWSTR vendorKey, LPCWSTR productKey, LPCWSTR versionText)
{
    hostContext.vendorKey = vendorKey;
    hostContext.productKey = productKey;
    hostContext.versionText = versionText;
}

void InitialiseControls()
{
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);
    SHInitExtraControls();
}

void LowerInputPanel()
{
    SIPINFO panel;
    ZeroMemory(&panel, sizeof panel);
    panel.cbSize = sizeof panel;
    SHSipInfo(SPI_GETSIPINFO, 0, &panel, 0);
    panel.cbSize = sizeof panel;
    panel.fdwFlags &= ~SIPF_ON;
    SHSipInfo(SPI_SETSIPINFO, 0, &panel, 0);
}

} // namespace

DWORD RunOptionSheet(HWND ownerWindow, int startPage, const PageFactory *factories,
                     size_t pageCount)
{
    OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, ownerWindow, startPage);
    GrowableArray<OptionPage *> pages;
    bool allMade = pages.Reserve(pageCount);
    for (size_t i = 0; allMade && i < pageCount; ++i) {
        OptionPage *page = factories[i]();
        allMade = page && pages.Append(page);
    }

    // A missing page would move every later page to another index, and the
    // start page and the result code would no longer mean what the add-on
    // thinks: without all pages there is no sheet.
    for (size_t i = 0; allMade && i < pageCount; ++i)
        allMade = sheet.AddPage(pages[i]);
    int result = allMade ? sheet.Run() : kSheetFailed;

    for (size_t i = 0; i < pages.Size(); ++i)
        delete pages[i];
    return MAKELONG(LOWORD(result), LOWORD(sheet.ActivePage()));
}

extern "C" DWORD WINAPI ShowOptions(HWND ownerWindow, BOOL holdIntervalHidden, LONG platformVersion,
                                    DWORD, DWORD, DWORD, DWORD, DWORD required8, LPCWSTR vendorKey,
                                    LPCWSTR productKey, LPCWSTR versionText, int startPage)
{
    hostContext.holdIntervalHidden = holdIntervalHidden;
    hostContext.platformVersion = platformVersion;
    StoreKeyNames(vendorKey, productKey, versionText);

    if (!ownerWindow || !IsWindow(ownerWindow) || !required8 || !vendorKey || !productKey ||
        !versionText)
        return kShowOptionsRejected;

    InitialiseControls();
    LowerInputPanel();
    return RunOptionSheet(ownerWindow, startPage, kPageOrder, kPageCount);
}

// The page objects install their lists without a window.
extern "C" void WINAPI InstallDefaultAliases(LPCWSTR vendorKey, LPCWSTR productKey,
                                             LPCWSTR versionText)
{
    StoreKeyNames(vendorKey, productKey, versionText);
    if (!vendorKey || !productKey || !versionText)
        return;
    UrlAliasPage page;
    page.InstallDefaults();
}

extern "C" void WINAPI InstallDefaultServices(LPCWSTR vendorKey, LPCWSTR productKey,
                                              LPCWSTR versionText)
{
    StoreKeyNames(vendorKey, productKey, versionText);
    if (!vendorKey || !productKey || !versionText)
        return;
    UrlServicePage page;
    page.InstallDefaults();
}
