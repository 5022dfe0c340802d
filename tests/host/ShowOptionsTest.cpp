#include "EntryPoints.h"

#include "HostContext.h"
#include "OptionPage.h"
#include "PageTest.h"

namespace {

const int kTabDisplayIndex = 7;

// The tab labels of the sheet's pages, in their fixed order.
const wchar_t *const kTabLabels[] = {
    L"User Agent",  L"Buttons",   L"URL Alias",   L"URL Service", L"Scroll", L"Screen", L"Menu",
    L"Tab Display", L"Tab Event", L"Tab History", L"View",        L"PIE",    L"About"};
const int kPageCount = sizeof kTabLabels / sizeof kTabLabels[0];
// How many headings each page has, in the same order.
const int kHeadingCounts[kPageCount] = {0, 0, 0, 0, 3, 1, 4, 2, 3, 1, 2, 3, 3};
const int kHeadingIds[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3, IDC_HEADING_4};

// Every heading of the page is drawn in the bold heading font.
void ExpectBoldHeadings(HWND page, int index)
{
    int headings = 0;
    for (int id : kHeadingIds) {
        if (!GetDlgItem(page, id))
            continue;
        ++headings;
        EXPECT_EQ(FW_BOLD, page::FontOf(page, id).lfWeight)
            << "page " << index << ", heading " << id;
    }
    EXPECT_EQ(kHeadingCounts[index], headings) << "page " << index;
}

// Pages for the sheet runner: they count how many exist.
int livePages = 0;
class LivePage : public OptionPage {
public:
    LivePage() : OptionPage(IDD_TAB_DISPLAY, 0) { ++livePages; }
    ~LivePage() override { --livePages; }
};
OptionPage *MakeLivePage()
{
    return new LivePage;
}
OptionPage *MakeNoPage()
{
    return nullptr;
}

bool sheetShown = false;

void CALLBACK CancelAnySheet(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND window = sheet::FindSheet()) {
        sheetShown = true;
        sheet::Cancel(window);
    }
}

// Runs `call`, cancelling any sheet that appears meanwhile; true when one did.
bool ShowsASheet(const std::function<void()> &call)
{
    sheetShown = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, CancelAnySheet);
    call();
    KillTimer(nullptr, timer);
    return sheetShown;
}

class ShowOptionsTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        StandInSetInputPanel(FALSE);
        SettingsTest::TearDown();
    }
    DWORD Show(HWND window, DWORD required8, LPCWSTR vendorKey, LPCWSTR productKey,
               LPCWSTR versionText, int startPage = 0)
    {
        return ShowOptions(window, TRUE, 7, 0, 0, 0, 0, required8, vendorKey, productKey,
                           versionText, startPage);
    }
    DWORD ShowAndRun(int startPage, const sheet::Script &script)
    {
        DWORD code = 0;
        sheet::RunSheet(
            [&] { code = Show(owner, 1, vendor.c_str(), product.c_str(), L"2.5", startPage); },
            script);
        return code;
    }

    HWND owner = nullptr;
};

TEST_F(ShowOptionsTest, RejectedCallsShowNothingButStoreTheirArguments)
{
    HWND destroyed =
        CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(destroyed);
    const wchar_t *v = vendor.c_str(), *p = product.c_str(), *t = L"3.1";
    struct Case {
        const char *what;
        HWND window;
        DWORD required8;
        LPCWSTR vendorKey, productKey, versionText;
    } cases[] = {
        {"null window", nullptr, 1, v, p, t},
        {"destroyed window", destroyed, 1, v, p, t},
        {"argument 8 zero", owner, 0, v, p, t},
        {"null vendor key", owner, 1, nullptr, p, t},
        {"null product key", owner, 1, v, nullptr, t},
        {"null version text", owner, 1, v, p, nullptr},
    };
    for (const Case &c : cases) {
        hostContext.holdIntervalHidden = FALSE;
        hostContext.platformVersion = 0;
        EXPECT_EQ(kShowOptionsRejected,
                  Show(c.window, c.required8, c.vendorKey, c.productKey, c.versionText))
            << c.what;
        EXPECT_EQ(nullptr, sheet::FindSheet()) << c.what;
        EXPECT_EQ(TRUE, hostContext.holdIntervalHidden) << c.what;
        EXPECT_EQ(7, hostContext.platformVersion) << c.what;
        EXPECT_EQ(c.vendorKey, hostContext.vendorKey) << c.what;
        EXPECT_EQ(c.productKey, hostContext.productKey) << c.what;
        EXPECT_EQ(c.versionText, hostContext.versionText) << c.what;
    }
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
}

TEST_F(ShowOptionsTest, OpensTheStartPageAsAFullScreenSheetWithThePanelDown)
{
    StandInSetInputPanel(TRUE);
    DWORD code = ShowAndRun(kTabDisplayIndex, [&](HWND window) {
        wchar_t caption[64] = {};
        GetWindowTextW(window, caption, 64);
        EXPECT_STREQ(L"Velotab Option", caption);
        EXPECT_EQ(owner, GetWindow(window, GW_OWNER));
        EXPECT_EQ(L"Tab Display", sheet::TabLabel(window, sheet::CurrentIndex(window)));
        SIPINFO panel = {sizeof panel};
        SHSipInfo(SPI_GETSIPINFO, 0, &panel, 0);
        EXPECT_EQ(0u, panel.fdwFlags & SIPF_ON);
        WNDCLASSW sipPref;
        EXPECT_TRUE(GetClassInfoW(GetModuleHandleW(L"aygshell.dll"), L"SIPPREF", &sipPref));
        sheet::Cancel(window);
    });
    EXPECT_EQ(MAKELONG(0, kTabDisplayIndex), code);
    EXPECT_EQ(nullptr, hostContext.currentSheet);
}

TEST_F(ShowOptionsTest, EveryStartPageOpensItsPageAndTheLastShownPageComesBack)
{
    for (int start = 0; start < kPageCount; ++start) {
        // Leave the start page for another, so that the result tells the
        // last page shown from the start page.
        const int last = (start + kPageCount - 1) % kPageCount;
        std::wstring opened;
        DWORD code = ShowAndRun(start, [&](HWND window) {
            opened = sheet::TabLabel(window, sheet::CurrentIndex(window));
            ExpectBoldHeadings(sheet::CurrentPage(window), start);
            sheet::SelectPage(window, last);
            // Cancelled: accepting would write the browser's own keys.
            sheet::Cancel(window);
        });
        EXPECT_EQ(kTabLabels[start], opened) << "start page " << start;
        EXPECT_EQ(MAKELONG(0, last), code) << "start page " << start;
    }
}

// The sheet's failure (-1) travels through the same composition as the
// platform's: 0xFFFF in the low half.
TEST_F(ShowOptionsTest, APageThatCannotBeMadeShowsNoSheetAndFreesTheOthers)
{
    const PageFactory factories[] = {MakeLivePage, MakeNoPage, MakeLivePage};
    const int kStartPage = 2;
    DWORD code = 0;
    EXPECT_FALSE(ShowsASheet([&] { code = RunOptionSheet(owner, kStartPage, factories, 3); }));
    EXPECT_EQ(MAKELONG(0xFFFF, kStartPage), code);
    EXPECT_EQ(0, livePages);
}

TEST_F(ShowOptionsTest, AcceptingReturnsTheActivePageAndTheSheetResult)
{
    DWORD code = ShowAndRun(kTabDisplayIndex, [](HWND window) { sheet::Accept(window); });
    EXPECT_EQ(kTabDisplayIndex, HIWORD(code));
    EXPECT_EQ(1, LOWORD(code));
    // The page that was shown wrote its settings.
    EXPECT_EQ(3u, Dword(L"TabCount"));
}

TEST_F(ShowOptionsTest, InstallersStoreTheirArgumentsEvenWhenOneIsNull)
{
    InstallDefaultAliases(L"V", nullptr, L"9");
    EXPECT_STREQ(L"V", hostContext.vendorKey);
    EXPECT_EQ(nullptr, hostContext.productKey);
    EXPECT_STREQ(L"9", hostContext.versionText);
    InstallDefaultServices(nullptr, L"P", nullptr);
    EXPECT_EQ(nullptr, hostContext.vendorKey);
    EXPECT_STREQ(L"P", hostContext.productKey);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, L"Software\\V"));
}

} // namespace
