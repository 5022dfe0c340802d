// The sheet as a person uses it on the device's screen: with taps and keys
// only, sent as input events; what the test reads it reads with queries.
// Each tab tapped shows its page; every control that takes input lies on the
// screen where a tap at its centre reaches it; a check box tapped and the
// navigation bar's "ok" tapped store the box's state; Esc stores nothing.
#include "EntryPoints.h"
#include "PageTest.h"

namespace {

const int kPageCount = 13;
const int kScreenPage = 5;
// What a tap's messages take to be handled.
const DWORD kTapSettleMs = 100;

POINT Centre(HWND window)
{
    RECT place;
    GetWindowRect(window, &place);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

void Send(std::initializer_list<INPUT> events)
{
    std::vector<INPUT> all(events);
    SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
}

void Tap(POINT at)
{
    INPUT press = {INPUT_MOUSE}, release = {INPUT_MOUSE};
    press.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    press.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    press.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    release.mi = press.mi;
    release.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    Send({press, release});
    sheet::PumpUntil([] { return false; }, kTapSettleMs);
}

// Keys go through the sheet's own loop, which turns them into dialog
// commands: the script ends after its last key.
void Key(WORD key)
{
    INPUT press = {INPUT_KEYBOARD}, release = {INPUT_KEYBOARD};
    press.ki.wVk = release.ki.wVk = key;
    release.ki.dwFlags = KEYEVENTF_KEYUP;
    Send({press, release});
}

bool OnScreen(POINT point)
{
    return point.x >= 0 && point.y >= 0 && point.x < GetSystemMetrics(SM_CXSCREEN) &&
           point.y < GetSystemMetrics(SM_CYSCREEN);
}

// Controls that take no taps: text, pictures and frames.
bool TakesTaps(HWND control)
{
    wchar_t kind[32] = L"";
    GetClassNameW(control, kind, 32);
    LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(kind, WC_STATICW) != 0 &&
           !(lstrcmpiW(kind, WC_BUTTONW) == 0 && type == BS_GROUPBOX);
}

// Scrolls the row of tabs with its arrows until the tab shows whole, then
// taps it.
void TapTab(HWND sheet, int index)
{
    HWND tabs = PropSheet_GetTabControl(sheet);
    HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    RECT arrowPlace = {}, item;
    if (arrows && IsWindowVisible(arrows))
        GetWindowRect(arrows, &arrowPlace);
    for (int step = 0; step < kPageCount; ++step) {
        // A tab scrolled out on the left has no place.
        bool placed = TabCtrl_GetItemRect(tabs, index, &item);
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT *>(&item), 2);
        POINT arrow = Centre(arrows);
        if (arrowPlace.right && item.right > arrowPlace.left)
            Tap({arrow.x + 4, arrow.y});
        else if (!placed)
            Tap({arrow.x - 4, arrow.y});
        else
            break;
    }
    Tap({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

class RealInputTest : public SettingsTest {
protected:
    // Opens the options at `startPage` and runs `use` on the sheet.
    void Open(int startPage, const sheet::Script &use)
    {
        HWND owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        sheet::RunSheet(
            [&] {
                ShowOptions(owner, FALSE, 5, 0, 0, 0, 0, 1, vendor.c_str(), product.c_str(), L"1.0",
                            startPage);
            },
            use);
        DestroyWindow(owner);
    }
};

TEST_F(RealInputTest, EveryTabShowsItsPageWithEveryControlWithinReach)
{
    Open(0, [](HWND window) {
        for (int i = kPageCount - 1; i >= 0; --i) {
            TapTab(window, i);
            ASSERT_TRUE(sheet::PumpUntil([&] { return sheet::CurrentIndex(window) == i; }))
                << "tab " << i;
            HWND page = sheet::CurrentPage(window);
            std::wstring tab = sheet::TabLabel(window, i);
            std::string label(tab.begin(), tab.end());
            for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (!IsWindowVisible(c) || !IsWindowEnabled(c))
                    continue;
                POINT centre = Centre(c);
                EXPECT_TRUE(OnScreen(centre)) << label << ", control " << GetDlgCtrlID(c)
                                              << " centred at " << centre.x << "," << centre.y;
                HWND hit = WindowFromPoint(centre);
                if (TakesTaps(c))
                    EXPECT_TRUE(hit == c || IsChild(c, hit))
                        << label << ", control " << GetDlgCtrlID(c) << " is under another window";
            }
        }
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

// How the person leaves the sheet, and what is stored then.
struct Ending {
    const char *what;
    bool accept;
};

TEST_F(RealInputTest, ATappedBoxIsStoredByOkAndNotByEsc)
{
    for (const Ending &ending : {Ending{"ok", true}, Ending{"Esc", false}}) {
        std::optional<DWORD> before = Dword(L"FSAddressBar");
        bool checked = false;
        Open(kScreenPage, [&](HWND window) {
            HWND page = sheet::CurrentPage(window);
            bool was = sheet::IsChecked(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
            Tap(Centre(GetDlgItem(page, IDC_SCREEN_HIDE_ADDRESS_BAR)));
            EXPECT_TRUE(sheet::PumpUntil([&] {
                return sheet::IsChecked(page, IDC_SCREEN_HIDE_ADDRESS_BAR) != was;
            })) << ending.what;
            checked = sheet::IsChecked(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
            HWND bar = FindWindowW(L"HHTaskBar", nullptr);
            ASSERT_NE(nullptr, bar);
            POINT ok = Centre(GetDlgItem(bar, IDOK));
            EXPECT_TRUE(OnScreen(ok));
            ending.accept ? Tap(ok) : Key(VK_ESCAPE);
        });
        // The value tells whether the address bar shows.
        EXPECT_EQ(ending.accept ? std::optional<DWORD>(!checked) : before, Dword(L"FSAddressBar"))
            << ending.what;
    }
}

} // namespace
