#include "FullSheet.h"

#include "SheetDriver.h"

#include <gtest/gtest.h>

DWORD ShowEveryPage(HWND owner, const std::wstring &vendor, const std::wstring &product,
                    bool accept, int startPage, const TourOptions &options)
{
    const LONG kPlatformVersion = 5;
    DWORD result = 0;
    int pagesShown = 0;
    auto step = [&](int page) {
        if (options.step)
            options.step(page);
    };
    bool shown = sheet::RunSheet(
        [&] {
            result = options.show(owner, FALSE, kPlatformVersion, 0, 0, 0, 0, 1, vendor.c_str(),
                                  product.c_str(), L"1.0", startPage);
        },
        [&](HWND window) {
            for (int i = 0; i < kSheetPageCount; ++i) {
                step(i);
                sheet::SelectPage(window, i);
                HWND page = sheet::CurrentPage(window);
                if (sheet::CurrentIndex(window) != i || !page)
                    continue;
                ++pagesShown;
                // Drawn at once, as the user sees it: what drawing takes
                // and gives back is part of showing the page.
                RedrawWindow(page, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            step(kSheetPageCount);
            accept ? sheet::Accept(window) : sheet::Cancel(window);
        },
        options.sheetRequired);
    if (shown)
        EXPECT_EQ(kSheetPageCount, pagesShown);
    return result;
}

void FullSheetTest::SetUp()
{
    SettingsTest::SetUp();
    // Put back in the reverse order of saving: the user agent key lies
    // below the browser's machine key.
    SaveKey(HKEY_LOCAL_MACHINE, kShellKeys);
    SaveKey(HKEY_LOCAL_MACHINE, kUserAgent);
    SaveKey(HKEY_LOCAL_MACHINE, kBrowserMachine, kMachineValues);
    SaveKey(HKEY_CURRENT_USER, kBrowserMain, kMainValues);
    owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                          nullptr, nullptr);
}

void FullSheetTest::AddShellButtons() const
{
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
    testreg::WriteString(HKEY_LOCAL_MACHINE, kShellKeys + L"\\40C1", L"Name", L"Icon");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kShellKeys + L"\\40C1", L"Icon",
                         std::wstring(system) + L"\\shell32.dll,0");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kShellKeys + L"\\40C2", L"Name", L"Blank");
}

void FullSheetTest::TearDown()
{
    DestroyWindow(owner);
    SettingsTest::TearDown();
}
