#include "ButtonsPage.h"

#include "ShellKeysTest.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <new>

// Every allocation of the program is counted (the library's other forms of
// new and delete come down to these two), so that a test can tell whether
// the page gave back all it took.
static std::atomic<long> liveAllocations{0};
void *operator new(std::size_t size)
{
    void *block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++liveAllocations;
    return block;
}
void operator delete(void *block) noexcept
{
    if (block)
        --liveAllocations;
    std::free(block);
}

namespace {

// The mode selector's items, which are also the stored "ButtonHold" values.
const int kForceEnable = 1;
const int kForceDisable = 2;
const int kBelowList[] = {IDC_BUTTON_ASSIGNMENT_LABEL, IDC_BUTTON_COMMAND, IDC_HOLD_INTERVAL_LABEL,
                          IDC_HOLD_INTERVAL, IDC_HOLD_MODE};

class ButtonsPageTest : public PageTest<ButtonsPage, ShellKeysTest> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    }
    void TearDown() override
    {
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &workArea, 0);
        StandInSetInputPanel(FALSE);
        PageTest::TearDown();
    }
    // The stand-in's visible desktop ends a menu bar above the work area.
    void SetVisibleBottom(LONG bottom) const
    {
        RECT area = workArea;
        area.bottom = bottom + kStandInMenuBarHeight;
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
    }

    static HWND List(HWND page) { return GetDlgItem(page, IDC_BUTTON_LIST); }
    // Each row as its two columns joined by " | ".
    static Texts Rows(HWND page)
    {
        Texts rows;
        for (const auto &row : page::ListRows(page, IDC_BUTTON_LIST))
            rows.push_back(row[0] + L" | " + row[1]);
        return rows;
    }
    // A tap on the row, scrolled into view first, as the list handles it.
    static void Tap(HWND page, int row)
    {
        ListView_EnsureVisible(List(page), row, FALSE);
        RECT bounds = {LVIR_LABEL};
        SendMessageW(List(page), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        LPARAM point = MAKELPARAM(bounds.left + 2, (bounds.top + bounds.bottom) / 2);
        SendMessageW(List(page), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(List(page), WM_LBUTTONUP, 0, point);
    }
    // Picks a command by its label, as the user does in the selector.
    static void Pick(HWND page, const wchar_t *label)
    {
        LRESULT item = SendDlgItemMessageW(page, IDC_BUTTON_COMMAND, CB_FINDSTRINGEXACT, -1,
                                           reinterpret_cast<LPARAM>(label));
        ASSERT_GE(item, 0) << testing::PrintToString(std::wstring(label));
        sheet::ChooseItem(page, IDC_BUTTON_COMMAND, static_cast<int>(item));
    }

    RECT workArea{};
};

// The styles that a dialog template gives its controls, by control id.
std::map<int, DWORD> TemplateStyles(int templateId)
{
    HMODULE self = GetModuleHandleW(nullptr);
    auto *data = static_cast<const WORD *>(LockResource(
        LoadResource(self, FindResourceW(self, MAKEINTRESOURCEW(templateId), RT_DIALOG))));
    auto skipText = [](const WORD *at) {
        if (*at == 0xFFFF)
            return at + 2;
        while (*at++) {
        }
        return at;
    };
    auto *dialog = reinterpret_cast<const DLGTEMPLATE *>(data);
    const WORD *at = skipText(skipText(skipText(data + sizeof(DLGTEMPLATE) / sizeof(WORD))));
    if (dialog->style & DS_SETFONT)
        at = skipText(at + 1);
    std::map<int, DWORD> styles;
    for (int i = 0; i < dialog->cdit; ++i) {
        at = reinterpret_cast<const WORD *>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
        auto *item = reinterpret_cast<const DLGITEMTEMPLATE *>(at);
        styles[static_cast<short>(item->id)] = item->style;
        at = skipText(skipText(at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD)));
        at += 1 + (*at + 1) / 2;
    }
    return styles;
}

TEST_F(ButtonsPageTest, ControlsHaveTheirStylesAndColumns)
{
    auto styles = TemplateStyles(IDD_BUTTONS);
    const DWORD list = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING |
                       LVS_NOSORTHEADER | WS_BORDER;
    EXPECT_EQ(list, styles[IDC_BUTTON_LIST] & (list | LVS_TYPEMASK | LVS_NOCOLUMNHEADER));
    for (int id : {IDC_BUTTON_COMMAND, IDC_HOLD_MODE})
        EXPECT_EQ(DWORD(CBS_DROPDOWNLIST | WS_VSCROLL), styles[id] & (3 | CBS_SORT | WS_VSCROLL))
            << id;
    EXPECT_EQ(DWORD(TBS_HORZ | TBS_NOTICKS), styles[IDC_HOLD_INTERVAL] & (TBS_VERT | TBS_NOTICKS));
    Open([](HWND page) {
        for (int column : {0, 1}) {
            wchar_t text[32] = {};
            LVCOLUMNW description = {LVCF_TEXT | LVCF_WIDTH | LVCF_FMT};
            description.pszText = text;
            description.cchTextMax = 32;
            ASSERT_TRUE(ListView_GetColumn(List(page), column, &description));
            EXPECT_STREQ(column ? L"Assignment" : L"Button", text);
            EXPECT_EQ(100, description.cx);
            EXPECT_EQ(LVCFMT_LEFT, description.fmt & LVCFMT_JUSTIFYMASK);
        }
    });
}

TEST_F(ButtonsPageTest, SelectorsOfferTheirItemsInOrder)
{
    // Each item as its code and label; 79, 80 and 81 are never offered.
    const std::wstring offered =
        L"0 <No Change>|1 <None>|32 [PIE] Back|33 [PIE] Forward|34 [PIE] Stop/Refresh|"
        L"35 [PIE] Home|36 [PIE] Favorites|37 [PIE] Change Layout|38 [PIE] Show/Hide Images|"
        L"39 [PIE] Show/Hide Address Bar|40 [PIE] History|41 [PIE] Properties|64 [Velotab] Menu|"
        L"67 [Velotab] Toggle Standard/Pocket View|68 [Velotab] New tab|"
        L"69 [Velotab] New blank tab|70 [Velotab] New current tab|71 [Velotab] New home tab|"
        L"72 [Velotab] Close tab|73 [Velotab] Previous tab|74 [Velotab] Next tab|"
        L"75 [Velotab] Toggle fullscreen|88 [Velotab] Screen Rotation|"
        L"76 [Velotab] Cursor to Address Bar|77 [Velotab] Press TAB key|"
        L"78 [Velotab] Press SHIFT-TAB key|89 [Velotab] Press ENTER key|"
        L"65 [Velotab] Beginning of page|66 [Velotab] End of page|"
        L"82 [Velotab] Toggle D-Pad scroll mode (Page/Line)|"
        L"83 [Velotab] Toggle Jog Dial scroll mode|84 [Velotab] Scroll up by page|"
        L"85 [Velotab] Scroll down by page|86 [Velotab] Scroll up by line|"
        L"87 [Velotab] Scroll down by line|";
    const std::wstring rotation = L"88 [Velotab] Screen Rotation|";
    for (LONG platform : {5, 4, 3}) {
        hostContext.platformVersion = platform;
        std::wstring expected = offered, shown;
        if (platform < 4)
            expected.erase(expected.find(rotation), rotation.size());
        int count = 0;
        Open([&](HWND page) {
            count = sheet::ItemCount(page, IDC_BUTTON_COMMAND);
            for (int i = 0; i < count; ++i)
                shown += std::to_wstring(
                             SendDlgItemMessageW(page, IDC_BUTTON_COMMAND, CB_GETITEMDATA, i, 0)) +
                         L" " + sheet::ItemText(page, IDC_BUTTON_COMMAND, i) + L"|";
            EXPECT_EQ((Texts{L"Detect press-and-hold", L"Force to enable press-and-hold",
                             L"Force to disable press-and-hold"}),
                      sheet::Items(page, IDC_HOLD_MODE));
        });
        EXPECT_EQ(platform < 4 ? 34 : 35, count);
        EXPECT_EQ(expected, shown) << "platform " << platform;
    }
}

TEST_F(ButtonsPageTest, RowsShowStoredCommandsOrWhatTheButtonDoes)
{
    AddButton({L"40C2", L"Beta", 10u});
    AddButton({L"40C1", L"Alpha", std::nullopt, L"\\Windows\\calendar.exe"});
    AddButton({L"40C3", L"Alpha 2", std::nullopt, L"\\Windows\\notes.exe"});
    AddButton({L"40C4", std::nullopt, 1u, L"\\Windows\\nameless.exe", L"x.dll"});
    Assign(L"40C1", 32 | 69 << 16);
    Assign(L"40C3", 79 | 50 << 16);
    Open([&](HWND page) {
        EXPECT_EQ((Texts{L"Alpha | [PIE] Back", L"Alpha (Hold) | [Velotab] New blank tab",
                         L"Alpha 2 | [Velotab] Toggle D-Pad scroll mode (All)",
                         L"Alpha 2 (Hold) | <No Change>", L"Beta | <OK/Close>",
                         L"Beta (Hold) | <OK/Close>"}),
                  Rows(page));
        EXPECT_EQ(L"[PIE] Back", sheet::SelectedText(page, IDC_BUTTON_COMMAND)) << "row 0";
    });
    EXPECT_EQ(DWORD(32 | 69 << 16), Assignment(L"40C1"));
    EXPECT_EQ(DWORD(79 | 50 << 16), Assignment(L"40C3")) << "codes not offered are kept";
    EXPECT_EQ(0u, Assignment(L"40C2"));
}

TEST_F(ButtonsPageTest, SelectorFollowsTheTappedRowAndAssignsToIt)
{
    AddButton({L"40C1", L"A", std::nullopt, L"\\Windows\\calendar.exe"});
    AddButton({L"40C2", L"B"});
    AddButton({L"40C3", L"C"});
    Assign(L"40C1", 79 | 1 << 16);
    Assign(L"40C2", 82);
    Assign(L"40C3", 33 | 88 << 16);
    hostContext.platformVersion = 3;
    Open([&](HWND page) {
        EXPECT_EQ(L"<No Change>", sheet::SelectedText(page, IDC_BUTTON_COMMAND));
        Tap(page, 2);
        EXPECT_EQ(L"[Velotab] Toggle D-Pad scroll mode (Page/Line)",
                  sheet::SelectedText(page, IDC_BUTTON_COMMAND));
        Tap(page, 5);
        EXPECT_EQ(L"<No Change>", sheet::SelectedText(page, IDC_BUTTON_COMMAND)) << "88 on 3";
        Tap(page, 4);
        Pick(page, L"[PIE] Home");
        Tap(page, 1);
        Pick(page, L"<No Change>");
        Tap(page, 0);
        EXPECT_EQ((Texts{L"A | [Velotab] Toggle D-Pad scroll mode (All)", L"A (Hold) | calendar",
                         L"B | [Velotab] Toggle D-Pad scroll mode (Page/Line)", L"B (Hold) | ",
                         L"C | [PIE] Home", L"C (Hold) | [Velotab] Screen Rotation"}),
                  Rows(page));
    });
    EXPECT_EQ(79u, Assignment(L"40C1"));
    EXPECT_EQ(82u, Assignment(L"40C2"));
    EXPECT_EQ(DWORD(35 | 88 << 16), Assignment(L"40C3"));
}

TEST_F(ButtonsPageTest, ModeDecidesTheHoldRows)
{
    struct Case {
        std::optional<DWORD> stored;
        bool probe, holdRows;
        int shownMode;
    } cases[] = {
        {std::nullopt, false, true, 0}, {0u, true, false, 0},     {1u, true, true, 1},
        {2u, false, false, 2},          {3u, true, true, CB_ERR}, {0xFFFFFFFFu, true, true, CB_ERR},
    };
    for (const Case &c : cases) {
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        AddButton({L"40C1", L"A"});
        if (c.probe)
            AddHoldProbe();
        if (c.stored)
            PutDword(L"ButtonHold", *c.stored);
        Assign(L"40C1", 32 | 33 << 16);
        Open([&](HWND page) {
            EXPECT_EQ(c.holdRows ? 2 : 1, ListView_GetItemCount(List(page)));
            EXPECT_EQ(c.shownMode, sheet::Selection(page, IDC_HOLD_MODE));
        });
        EXPECT_EQ(c.stored.value_or(0), Dword(L"ButtonHold")) << c.stored.value_or(0);
        EXPECT_EQ(c.holdRows ? DWORD(32 | 33 << 16) : 32u, Assignment(L"40C1"))
            << "stored " << c.stored.value_or(0) << " probe " << c.probe;
    }
}

TEST_F(ButtonsPageTest, ChangingTheModeRebuildsFromTheStoredAssignments)
{
    AddButton({L"40C1", L"A"});
    Assign(L"40C1", 32 | 33 << 16);
    Assign(L"Unplugged", 32);
    Open([&](HWND page) {
        Pick(page, L"[PIE] Home");
        Tap(page, 1);
        Pick(page, L"[PIE] History");
        sheet::ChooseItem(page, IDC_HOLD_MODE, kForceDisable);
        EXPECT_EQ((Texts{L"A | [PIE] Back"}), Rows(page));
        EXPECT_EQ(-1, ListView_GetSelectionMark(List(page))) << "no row selected";
        Pick(page, L"[PIE] Forward");
        sheet::ChooseItem(page, IDC_HOLD_MODE, kForceEnable);
        EXPECT_EQ((Texts{L"A | [PIE] Back", L"A (Hold) | [PIE] Forward"}), Rows(page));
        sheet::ChooseItem(page, IDC_HOLD_MODE, kForceDisable);
    });
    EXPECT_EQ(32u, Assignment(L"40C1")) << "no hold row: high half 0";
    EXPECT_EQ(DWORD(kForceDisable), Dword(L"ButtonHold"));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Keys\\Unplugged")));
}

TEST_F(ButtonsPageTest, CancelWritesNothingAndEveryRowIsFreed)
{
    for (const wchar_t *name : {L"40C1", L"40C2", L"40C3"})
        AddButton({name, name});
    Assign(L"40C1", 32);
    Assign(L"Unplugged", 33);
    for (bool accept : {false, true}) {
        long before = liveAllocations;
        Open(
            [&](HWND page) {
                EXPECT_EQ(6, ListView_GetItemCount(List(page)));
                Pick(page, L"[PIE] Home");
                sheet::ChooseItem(page, IDC_HOLD_MODE, kForceDisable);
                sheet::ChooseItem(page, IDC_HOLD_MODE, kForceEnable);
                SendDlgItemMessageW(page, IDC_HOLD_INTERVAL, TBM_SETPOS, TRUE, 900);
            },
            accept);
        EXPECT_EQ(before, liveAllocations) << (accept ? "accepted" : "cancelled");
        EXPECT_EQ(accept ? std::optional<DWORD>(900) : std::nullopt, Dword(L"HotKeyInterval"));
        EXPECT_EQ(accept ? std::optional<DWORD>(1) : std::nullopt, Dword(L"ButtonHold"));
        EXPECT_EQ(accept ? std::nullopt : std::optional<DWORD>(33), Assignment(L"Unplugged"));
    }
}

TEST_F(ButtonsPageTest, IntervalSliderShowsAndWritesTheStoredInterval)
{
    struct Case {
        std::optional<DWORD> stored;
        BOOL hidden;
        DWORD shown, written;
    } cases[] = {
        {std::nullopt, FALSE, 400, 400}, {700u, FALSE, 700, 700},      {100u, FALSE, 200, 200},
        {5000u, FALSE, 1000, 1000},      {std::nullopt, TRUE, 0, 400}, {800u, TRUE, 0, 800},
    };
    for (const Case &c : cases) {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        if (c.stored)
            PutDword(L"HotKeyInterval", *c.stored);
        hostContext.holdIntervalHidden = c.hidden;
        Open([&](HWND page) {
            EXPECT_EQ(0, ListView_GetItemCount(List(page))) << "no shell key, no rows";
            HWND slider = GetDlgItem(page, IDC_HOLD_INTERVAL);
            EXPECT_EQ(!c.hidden, IsWindowVisible(slider) != FALSE);
            EXPECT_EQ(!c.hidden, IsWindowVisible(GetDlgItem(page, IDC_HOLD_INTERVAL_LABEL)) != 0);
            EXPECT_EQ(c.shown, DWORD(SendMessageW(slider, TBM_GETPOS, 0, 0)));
            if (!c.hidden)
                EXPECT_EQ((std::vector<LRESULT>{200, 1000, 100, 200}),
                          (std::vector<LRESULT>{SendMessageW(slider, TBM_GETRANGEMIN, 0, 0),
                                                SendMessageW(slider, TBM_GETRANGEMAX, 0, 0),
                                                SendMessageW(slider, TBM_GETLINESIZE, 0, 0),
                                                SendMessageW(slider, TBM_GETPAGESIZE, 0, 0)}));
        });
        EXPECT_EQ(c.written, Dword(L"HotKeyInterval"))
            << "stored " << c.stored.value_or(0) << " hidden " << c.hidden;
    }
}

// Whether the image draws anything over a background it does not contain.
bool ShowsPixels(HIMAGELIST images, int image)
{
    const COLORREF background = RGB(255, 0, 255);
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), 16, -16, 1, 32}};
    void *bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    ImageList_DrawEx(images, image, dc, 0, 0, 16, 16, background, CLR_NONE, ILD_NORMAL);
    bool shown = false;
    for (int pixel = 0; pixel < 16 * 16 && !shown; ++pixel)
        shown = GetPixel(dc, pixel % 16, pixel / 16) != background;
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return shown;
}

TEST_F(ButtonsPageTest, IconsComeFromTheFileItsDensityFormOrTheBlankImage)
{
    wchar_t folder[MAX_PATH], system[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetSystemDirectoryW(system, MAX_PATH);
    HDC screen = GetDC(nullptr);
    std::wstring density = std::to_wstring(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    std::wstring shell32 = std::wstring(system) + L"\\shell32.dll";
    std::wstring icons = std::wstring(folder) + L"velotab-icons.";
    ASSERT_TRUE(CopyFileW(shell32.c_str(), (icons + density + L".dll").c_str(), FALSE));

    const std::pair<std::optional<std::wstring>, bool> cases[] = {
        {shell32 + L",0", true},      {shell32 + L",-3", true},
        {icons + L"dll,1", true},     {std::wstring(folder) + L"no-such-icons.dll,0", false},
        {shell32 + L",99999", false}, {std::nullopt, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        AddButton({L"Key" + std::to_wstring(i), L"Button " + std::to_wstring(i), std::nullopt,
                   std::nullopt, cases[i].first});
    Open([&](HWND page) {
        HIMAGELIST images = ListView_GetImageList(List(page), LVSIL_SMALL);
        for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
            LVITEMW press = {LVIF_IMAGE, 2 * i}, hold = {LVIF_IMAGE, 2 * i + 1};
            ListView_GetItem(List(page), &press);
            ListView_GetItem(List(page), &hold);
            EXPECT_EQ(press.iImage, hold.iImage) << "button " << i;
            EXPECT_EQ(cases[i].second, ShowsPixels(images, press.iImage))
                << testing::PrintToString(cases[i].first.value_or(L"(no icon)"));
        }
    });
    DeleteFileW((icons + density + L".dll").c_str());
}

TEST_F(ButtonsPageTest, ListFitsTheVisibleDesktop)
{
    AddButton({L"40C1", L"A"});
    const LONG screen = GetSystemMetrics(SM_CYSCREEN);
    SetVisibleBottom(294);
    Open([&](HWND page) {
        const RECT full = page::Place(page, IDC_BUTTON_LIST);
        std::vector<LONG> tops;
        for (int id : kBelowList)
            tops.push_back(page::Place(page, id).top);
        struct Case {
            LONG visibleBottom;
            bool panelRaised;
            int shrink;
        } cases[] = {
            {294, false, 0},   {200, false, 94},  {214, true, 80}, {150, false, 110},
            {184, false, 110}, {185, false, 109}, {400, false, 0},
        };
        for (const Case &c : cases) {
            SetVisibleBottom(c.visibleBottom + (c.panelRaised ? kStandInInputPanelHeight : 0));
            StandInSetInputPanel(c.panelRaised);
            SendMessageW(page, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
            RECT list = page::Place(page, IDC_BUTTON_LIST);
            EXPECT_EQ(full.bottom - full.top - c.shrink, list.bottom - list.top)
                << "visible bottom " << c.visibleBottom << " on a screen of " << screen;
            EXPECT_EQ(full.top, list.top);
            for (size_t i = 0; i < tops.size(); ++i)
                EXPECT_EQ(tops[i] - c.shrink, page::Place(page, kBelowList[i]).top)
                    << kBelowList[i];
        }
    });

    // The full height is the one the list has when the page is made, even
    // when the page is made with little room.
    SetVisibleBottom(200);
    Open([&](HWND page) {
        RECT made = page::Place(page, IDC_BUTTON_LIST);
        SetVisibleBottom(294);
        SendMessageW(page, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
        RECT grown = page::Place(page, IDC_BUTTON_LIST);
        EXPECT_EQ(94, (grown.bottom - grown.top) - (made.bottom - made.top));
    });
}

} // namespace
