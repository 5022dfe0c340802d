#include "OptionSheet.h"

#include "HostContext.h"
#include "OptionPage.h"
#include "PageTest.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A page that counts how often it was asked to write its settings.
class CountingPage : public OptionPage {
public:
    explicit CountingPage(UINT titleId = 0) : OptionPage(IDD_TAB_DISPLAY, titleId) {}
    void OnOK() override
    {
        ++applied;
        OptionPage::OnOK();
    }
    void AdjustLayout(WPARAM, LPARAM) override { ++layouts; }
    int applied = 0;
    int layouts = 0;
};

struct SheetWithPages {
    explicit SheetWithPages(int count, int startPage = 0)
        : sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, nullptr, startPage)
    {
        for (int i = 0; i < count; ++i) {
            pages.push_back(std::make_unique<CountingPage>());
            sheet.AddPage(pages.back().get());
        }
    }
    OptionSheet sheet;
    std::vector<std::unique_ptr<CountingPage>> pages;
};

TEST(OptionSheet, PagesAreNumberedInTheOrderAdded)
{
    SheetWithPages fixture(3);
    for (int i = 0; i < 3; ++i) {
        const OptionPage &page = *fixture.pages[i];
        EXPECT_EQ(i, page.PageIndex());
        const PROPSHEETPAGEW &descriptor = page.PageDescriptor();
        EXPECT_EQ(sizeof(PROPSHEETPAGEW), descriptor.dwSize);
        EXPECT_EQ(static_cast<DWORD>(PSP_DEFAULT), descriptor.dwFlags);
        EXPECT_EQ(hostContext.instance, descriptor.hInstance);
        EXPECT_EQ(MAKEINTRESOURCEW(IDD_TAB_DISPLAY), descriptor.pszTemplate);
        EXPECT_EQ(reinterpret_cast<LPARAM>(&page), descriptor.lParam);
        EXPECT_EQ(&OptionPage::PageDialogProc, descriptor.pfnDlgProc);
    }
    CountingPage titled(IDS_SHEET_CAPTION);
    EXPECT_EQ(static_cast<DWORD>(PSP_USETITLE), titled.PageDescriptor().dwFlags);
    EXPECT_EQ(MAKEINTRESOURCEW(IDS_SHEET_CAPTION), titled.PageDescriptor().pszTitle);
}

TEST(OptionSheet, HeaderDescribesTheDeviceSheet)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, owner, 4);
    const PROPSHEETHEADERW &header = sheet.Header();
    EXPECT_EQ(sizeof(PROPSHEETHEADERW), header.dwSize);
    // The full-screen flag is the device's; on the desktop it stays clear.
    EXPECT_EQ(static_cast<DWORD>(PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP),
              header.dwFlags);
    EXPECT_EQ(owner, header.hwndParent);
    EXPECT_EQ(MAKEINTRESOURCEW(IDS_SHEET_CAPTION), header.pszCaption);
    EXPECT_EQ(MAKEINTRESOURCEW(IDI_VELOTAB), header.pszIcon);
    EXPECT_EQ(4u, header.nStartPage);
    EXPECT_EQ(&OptionSheet::SheetCallback, header.pfnCallback);
    EXPECT_EQ(4, sheet.ActivePage());
}

TEST(OptionSheet, CallbackAnswersTheVersionQueryOnly)
{
    EXPECT_EQ(0x020C, OptionSheet::SheetCallback(nullptr, PSCB_GETVERSION, 0));
    EXPECT_EQ(0, OptionSheet::SheetCallback(nullptr, PSCB_PRECREATE, 0));
    EXPECT_EQ(0, OptionSheet::SheetCallback(nullptr, 99, 0));
    OptionSheet *saved = hostContext.currentSheet;
    hostContext.currentSheet = nullptr;
    EXPECT_EQ(0, OptionSheet::SheetCallback(nullptr, PSCB_INITIALIZED, 0));
    hostContext.currentSheet = saved;
}

TEST(OptionSheet, ActivePageFollowsTheUserAndOnlyShownPagesApply)
{
    SheetWithPages fixture(4, 1);
    OptionSheet *outer = reinterpret_cast<OptionSheet *>(0x5678);
    hostContext.currentSheet = outer;
    OptionSheet *duringRun = nullptr;
    HWND seenWindow = nullptr;
    int result = 0;
    sheet::RunSheet([&] { result = fixture.sheet.Run(); },
                    [&](HWND window) {
                        duringRun = hostContext.currentSheet;
                        seenWindow = window;
                        EXPECT_EQ(1, sheet::CurrentIndex(window));
                        sheet::SelectPage(window, 2);
                        sheet::SelectPage(window, 0);
                        sheet::Accept(window);
                    });
    EXPECT_EQ(outer, hostContext.currentSheet);
    hostContext.currentSheet = nullptr;
    EXPECT_EQ(&fixture.sheet, duringRun);
    EXPECT_EQ(seenWindow, fixture.sheet.Window());
    EXPECT_GE(result, 1);
    EXPECT_EQ(0, fixture.sheet.ActivePage());
    std::vector<int> applied;
    for (auto &page : fixture.pages)
        applied.push_back(page->applied);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 0}), applied);
}

TEST(OptionSheet, InputPanelChangesReachThePages)
{
    SheetWithPages fixture(1);
    sheet::RunSheet([&] { fixture.sheet.Run(); },
                    [](HWND window) {
                        StandInSetInputPanel(TRUE);
                        StandInSetInputPanel(FALSE);
                        sheet::Cancel(window);
                    });
    EXPECT_EQ(2, fixture.pages[0]->layouts);
}

TEST(OptionSheet, CancelAppliesNothing)
{
    SheetWithPages fixture(2);
    int result = -5;
    sheet::RunSheet([&] { result = fixture.sheet.Run(); },
                    [](HWND window) {
                        sheet::SelectPage(window, 1);
                        sheet::Cancel(window);
                    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, fixture.sheet.ActivePage());
    EXPECT_EQ(0, fixture.pages[0]->applied + fixture.pages[1]->applied);
}

// The sheet takes the device's shape: between the navigation bar and the
// menu bar, its tabs in one row along its bottom, no button row, and pages
// as wide as the screen that measure as the device's do: Tahoma 8 pt gives
// dialog units of 6 x 13 pixels at 96 dots per inch, twice that on VGA.
TEST(OptionSheet, TakesTheDevicesShapeAndDialogMetrics)
{
    SheetWithPages fixture(2);
    sheet::RunSheet(
        [&] { fixture.sheet.Run(); },
        [](HWND window) {
            const int bar = page::Scaled(kStandInMenuBarHeight);
            RECT area, row, shown, units = {0, 0, 162, 164};
            GetWindowRect(window, &area);
            EXPECT_EQ((std::vector<LONG>{0, bar, GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN) - bar}),
                      (std::vector<LONG>{area.left, area.top, area.right, area.bottom}));
            HWND tabs = PropSheet_GetTabControl(window);
            EXPECT_EQ(TCS_BOTTOM, GetWindowLongW(tabs, GWL_STYLE) & (TCS_BOTTOM | TCS_MULTILINE));
            for (int id : {IDOK, IDCANCEL, IDHELP})
                EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, id))) << id;
            TabCtrl_GetItemRect(tabs, 0, &row);
            GetWindowRect(sheet::CurrentPage(window), &shown);
            MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT *>(&shown), 2);
            EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), shown.right - shown.left);
            EXPECT_LE(shown.bottom, row.top);
            MapDialogRect(sheet::CurrentPage(window), &units);
            EXPECT_EQ(page::Scaled(243), units.right);
            EXPECT_EQ(MulDiv(164, page::Scaled(13), 8), units.bottom);
            sheet::Cancel(window);
        });
}

// Finds the first static control whose text is `text`.
HWND FindStatic(HWND page, const wchar_t *text)
{
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {}, caption[64] = {};
        GetClassNameW(child, className, 16);
        GetWindowTextW(child, caption, 64);
        if (lstrcmpiW(className, L"Static") == 0 && lstrcmpW(caption, text) == 0)
            return child;
    }
    return nullptr;
}

TEST(OptionSheet, StaticsPaintLikeThePageBodyAroundThem)
{
    SheetWithPages fixture(1);
    COLORREF insideStatic = CLR_INVALID, aboveStatic = CLR_INVALID;
    sheet::RunSheet([&] { fixture.sheet.Run(); },
                    [&](HWND window) {
                        HWND page = sheet::CurrentPage(window);
                        HWND label = FindStatic(page, L"Visible tab count : ");
                        ASSERT_NE(nullptr, label);
                        RedrawWindow(page, nullptr, nullptr,
                                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                        RECT box;
                        GetWindowRect(label, &box);
                        MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&box), 2);
                        // The label wraps before the end of its box: its right
                        // end shows only background, and the page shows its
                        // body just above it.
                        // Read back through a copy: the screen itself gives
                        // no pixels.
                        HDC dc = GetDC(page);
                        HDC copy = CreateCompatibleDC(dc);
                        HBITMAP bitmap = CreateCompatibleBitmap(dc, box.right, box.bottom);
                        HGDIOBJ old = SelectObject(copy, bitmap);
                        BitBlt(copy, 0, 0, box.right, box.bottom, dc, 0, 0, SRCCOPY);
                        insideStatic = GetPixel(copy, box.right - 2, box.top + 1);
                        aboveStatic = GetPixel(copy, box.right - 2, box.top - 2);
                        SelectObject(copy, old);
                        DeleteObject(bitmap);
                        DeleteDC(copy);
                        ReleaseDC(page, dc);
                        sheet::Cancel(window);
                    });
    EXPECT_NE(CLR_INVALID, insideStatic);
    EXPECT_EQ(aboveStatic, insideStatic)
        << std::hex << "static 0x" << insideStatic << ", page 0x" << aboveStatic;
}
} // namespace
