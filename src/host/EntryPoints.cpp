#include "EntryPoints.h"

#include "HostContext.h"
#include "OptionSheet.h"
#include "TabDisplayPage.h"
#include "UrlAliasPage.h"
#include "UrlServicePage.h"
#include "resource.h"

#include <new>

namespace {

typedef OptionPage *(*PageFactory)();

template <class Page> OptionPage *MakePage()
{
    return new (std::nothrow) Page;
}

// The sheet's pages in their fixed order: a page's row is the index that the
// add-on passes as start page and gets back in the result code.
const PageFactory kPageOrder[] = {
    // User Agent
    // Buttons
    // URL Alias
    MakePage<UrlAliasPage>,
    // URL Service
    MakePage<UrlServicePage>,
    // Scroll
    // Screen
    // Menu
    MakePage<TabDisplayPage>,
    // Tab Event
    // Tab History
    // View
    // Browser
    // About
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

// Runs the sheet over freshly made pages; returns the result code.
DWORD RunSheet(HWND ownerWindow, int startPage)
{
    OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, ownerWindow, startPage);
    OptionPage *pages[kPageCount];
    for (size_t i = 0; i < kPageCount; ++i)
        pages[i] = kPageOrder[i]();
    for (size_t i = 0; i < kPageCount; ++i)
        if (pages[i])
            sheet.AddPage(pages[i]);

    int result = sheet.Run();

    for (size_t i = 0; i < kPageCount; ++i)
        delete pages[i];
    return MAKELONG(LOWORD(result), LOWORD(sheet.ActivePage()));
}

} // namespace

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
    return RunSheet(ownerWindow, startPage);
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
