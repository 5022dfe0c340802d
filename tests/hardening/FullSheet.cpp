#include "FullSheet.h"

#include "EntryPoints.h"
#include "SheetDriver.h"

#include <gtest/gtest.h>

DWORD ShowEveryPage(HWND owner, const std::wstring &vendor, const std::wstring &product,
                    bool accept, int startPage)
{
    const LONG kPlatformVersion = 5;
    DWORD result = 0;
    int pagesShown = 0;
    sheet::RunSheet(
        [&] {
            result = ShowOptions(owner, FALSE, kPlatformVersion, 0, 0, 0, 0, 1, vendor.c_str(),
                                 product.c_str(), L"1.0", startPage);
        },
        [&](HWND window) {
            for (int i = 0; i < kSheetPageCount; ++i) {
                sheet::SelectPage(window, i);
                if (sheet::CurrentIndex(window) == i && sheet::CurrentPage(window))
                    ++pagesShown;
            }
            accept ? sheet::Accept(window) : sheet::Cancel(window);
        });
    EXPECT_EQ(kSheetPageCount, pagesShown);
    return result;
}
