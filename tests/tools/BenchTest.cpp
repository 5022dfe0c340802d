// The benchmark's parts: the stopwatch that drives a sheet through its three
// phases and gives up on one that does not close, the baseline sheet made
// from whatever page templates a module carries, and the snapshot that puts
// the browser's keys back.
#include "BaselineSheet.h"
#include "Platform.h"
#include "RegistrySnapshot.h"
#include "SheetStopwatch.h"
#include "TestRegistry.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

namespace {

// The test program carries the module's resources.
HMODULE ThisProgram()
{
    return GetModuleHandleW(nullptr);
}

int pagesMade = 0;

// Counts the pages that the sheet creates: it creates each when it is first
// shown.
INT_PTR CALLBACK CountedPage(HWND, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    ++pagesMade;
    return TRUE;
}

// A page that will not let the sheet apply, so OK leaves the sheet open.
INT_PTR CALLBACK RefusingPage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == PSN_APPLY) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

// A sheet of count pages from one of the program's templates; true when it
// reports that it was accepted.
bool RunSheet(HWND owner, int count, DLGPROC pageProc)
{
    std::vector<PROPSHEETPAGEW> pages(count);
    for (PROPSHEETPAGEW &page : pages) {
        page = PROPSHEETPAGEW();
        page.dwSize = sizeof page;
        page.hInstance = ThisProgram();
        page.pszTemplate = MAKEINTRESOURCEW(IDD_TAB_DISPLAY);
        page.pfnDlgProc = pageProc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.pszCaption = L"sheet";
    header.nPages = count;
    header.ppsp = pages.data();
    return PropertySheetW(&header) > 0;
}

TEST(BaselineSheet, TakesTheTemplatesTheModuleCarriesInThePageOrder)
{
    BaselineSheet sheet(ThisProgram());
    EXPECT_EQ(13, sheet.PageCount());
    EXPECT_EQ("3010, 3008, 3005, 3006, 3012, 3007, 3001, 3002, 3003, 3004, 3009, 3011, 3013",
              sheet.TemplateList());

    BaselineSheet none(GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(0, none.PageCount());
    EXPECT_EQ("", none.TemplateList());
}

// The bare pages ask the shell for what every options page asks: so the
// ratios leave out the shell's share.
TEST(BaselineSheet, ItsPagesMakeTheShellCallsOfEveryOptionsPage)
{
    SHInitExtraControls();
    BaselineSheet baseline(ThisProgram());
    ASSERT_TRUE(baseline.MakesShellCalls());
    SheetStopwatch stopwatch;
    SheetTimes times;
    std::string error;
    StandInResetRecord();
    ASSERT_TRUE(stopwatch.Measure([&] { return baseline.Run(stopwatch.Owner()); }, times, error))
        << error;
    const StandInRecord *record = StandInGetRecord();
    EXPECT_EQ(baseline.PageCount(), record->initDialogCalls);
    EXPECT_EQ(static_cast<DWORD>(SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN),
              record->lastInitDialogFlags);
    EXPECT_EQ(baseline.PageCount(), record->menuBarCalls);
}

TEST(SheetStopwatch, DrivesASheetThroughEveryPageAndAccepts)
{
    const int kPages = 4;
    SheetStopwatch stopwatch;
    ASSERT_NE(nullptr, stopwatch.Owner());
    // Twice: a run must leave nothing behind that upsets the next.
    for (int run = 0; run < 2; ++run) {
        pagesMade = 0;
        bool accepted = false;
        SheetTimes times;
        std::string error;
        ASSERT_TRUE(stopwatch.Measure(
            [&] {
                accepted = RunSheet(stopwatch.Owner(), kPages, CountedPage);
                return accepted;
            },
            times, error))
            << error;
        EXPECT_TRUE(accepted);
        EXPECT_EQ(kPages, times.pageCount);
        EXPECT_EQ(kPages, pagesMade);
        EXPECT_GT(times.open, 0);
        EXPECT_GT(times.showPages, 0);
        EXPECT_GT(times.accept, 0);
        // Each page has its own time; the other pages' add up to the phase.
        ASSERT_EQ(static_cast<size_t>(kPages), times.pages.size());
        EXPECT_DOUBLE_EQ(times.open, times.pages[0]);
        double others = 0;
        for (int page = 1; page < kPages; ++page) {
            EXPECT_GT(times.pages[page], 0) << "page " << page;
            others += times.pages[page];
        }
        EXPECT_NEAR(times.showPages, others, 1e-6);
    }
}

TEST(SheetStopwatch, ReportsASheetThatNeverAppearsOrIsNotAccepted)
{
    SheetStopwatch stopwatch;
    SheetTimes times;
    std::string error;
    EXPECT_FALSE(stopwatch.Measure([] { return true; }, times, error));
    EXPECT_EQ("the sheet did not appear", error);

    // The list pages' templates hold the shell's input panel control, which
    // the options sheet registers before it runs.
    SHInitExtraControls();
    BaselineSheet baseline(ThisProgram());
    EXPECT_FALSE(stopwatch.Measure([&] { return !baseline.Run(stopwatch.Owner()); }, times, error));
    EXPECT_EQ("the sheet does not report that it was accepted", error);
}

TEST(SheetStopwatch, CancelsASheetThatDoesNotCloseOnOk)
{
    const ULONGLONG kShortRunMs = 1500;
    SheetStopwatch stopwatch(kShortRunMs);
    SheetTimes times;
    std::string error;
    bool accepted = true;
    EXPECT_FALSE(stopwatch.Measure(
        [&] {
            accepted = RunSheet(stopwatch.Owner(), 2, RefusingPage);
            return accepted;
        },
        times, error));
    EXPECT_EQ("the sheet did not close after OK", error);
    EXPECT_FALSE(accepted);
}

class RegistrySnapshotTest : public SettingsTest {};

TEST_F(RegistrySnapshotTest, PutsBackEveryValueOfAKeyAndNothingElse)
{
    std::wstring key = Path(L"Browser");
    const BYTE bytes[] = {0, 1, 2, 0xFF};
    testreg::WriteDword(HKEY_CURRENT_USER, key, L"Number", 7);
    testreg::WriteString(HKEY_CURRENT_USER, key, L"Text", L"kept");
    testreg::WriteString(HKEY_CURRENT_USER, key, L"", L"default value");
    testreg::WriteString(HKEY_CURRENT_USER, key, L"Empty", L"");
    testreg::WriteRaw(HKEY_CURRENT_USER, key, L"Bytes", REG_BINARY, bytes, sizeof bytes);
    testreg::WriteDword(HKEY_CURRENT_USER, key + L"\\Below", L"Untouched", 1);

    RegistrySnapshot snapshot(HKEY_CURRENT_USER, key);
    testreg::WriteDword(HKEY_CURRENT_USER, key, L"Number", 8);
    testreg::WriteDword(HKEY_CURRENT_USER, key, L"Text", 9);
    testreg::WriteString(HKEY_CURRENT_USER, key, L"Added", L"gone after");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Empty");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"");
    testreg::WriteDword(HKEY_CURRENT_USER, key + L"\\Below", L"Untouched", 2);
    snapshot.Restore();

    EXPECT_EQ(5u, testreg::ValueCount(HKEY_CURRENT_USER, key));
    EXPECT_EQ(7u, testreg::ReadDword(HKEY_CURRENT_USER, key, L"Number"));
    EXPECT_EQ(L"kept", testreg::ReadString(HKEY_CURRENT_USER, key, L"Text"));
    EXPECT_EQ(L"default value", testreg::ReadString(HKEY_CURRENT_USER, key, L""));
    EXPECT_EQ(L"", testreg::ReadString(HKEY_CURRENT_USER, key, L"Empty"));
    auto raw = testreg::ReadRaw(HKEY_CURRENT_USER, key, L"Bytes");
    ASSERT_TRUE(raw);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), raw->first);
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + sizeof bytes), raw->second);
    // Subkeys are not the snapshot's.
    EXPECT_EQ(2u, testreg::ReadDword(HKEY_CURRENT_USER, key + L"\\Below", L"Untouched"));
}

TEST_F(RegistrySnapshotTest, RemovesAKeyThatDidNotExist)
{
    std::wstring key = Path(L"Browser");
    RegistrySnapshot snapshot(HKEY_CURRENT_USER, key);
    testreg::WriteDword(HKEY_CURRENT_USER, key + L"\\Below", L"Created", 1);
    snapshot.Restore();
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
}

} // namespace
