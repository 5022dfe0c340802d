// The sheet as a person uses it on the device's screen, with taps and keys
// sent as input events only; the test reads what it needs with queries.
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

void Tap(POINT at)
{
    INPUT tap[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    tap[0].mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    tap[0].mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    tap[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    tap[1].mi = tap[0].mi;
    tap[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    SendInput(2, tap, sizeof(INPUT));
    sheet::PumpUntil([] { return false; }, kTapSettleMs);
}

// Keys reach the sheet's own loop, which makes dialog commands of them, only
// once the script has ended: a key is the script's last step.
void Key(WORD key)
{
    INPUT press[2] = {{INPUT_KEYBOARD}, {INPUT_KEYBOARD}};
    press[0].ki.wVk = press[1].ki.wVk = key;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

bool OnScreen(POINT point)
{
    return point.x >= 0 && point.y >= 0 && point.x < GetSystemMetrics(SM_CXSCREEN) &&
           point.y < GetSystemMetrics(SM_CYSCREEN);
}

// Text, pictures and frames take no taps: a tap goes to the page under them.
bool TakesTaps(HWND control)
{
    wchar_t kind[32] = L"";
    GetClassNameW(control, kind, 32);
    bool frame = (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    return lstrcmpiW(kind, WC_STATICW) != 0 && !(lstrcmpiW(kind, WC_BUTTONW) == 0 && frame);
}

// Taps the row's scroll arrows until the tab shows whole, then the tab.
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

using RealInputTest = SettingsTest;

TEST_F(RealInputTest, EveryTabShowsItsPageWithEveryControlWithinReach)
{
    sheet::RunOptions(vendor, product, 0, [](HWND window) {
        for (int i = kPageCount - 1; i >= 0; --i) {
            TapTab(window, i);
            ASSERT_TRUE(sheet::PumpUntil([&] { return sheet::CurrentIndex(window) == i; })) << i;
            std::wstring tab = sheet::TabLabel(window, i);
            std::string label(tab.begin(), tab.end());
            HWND page = sheet::CurrentPage(window);
            for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (!IsWindowVisible(c) || !IsWindowEnabled(c))
                    continue;
                POINT centre = Centre(c);
                EXPECT_TRUE(OnScreen(centre)) << label << ", control " << GetDlgCtrlID(c)
                                              << " centred at " << centre.x << "," << centre.y;
                HWND hit = WindowFromPoint(centre);
                EXPECT_TRUE(!TakesTaps(c) || hit == c || IsChild(c, hit))
                    << label << ", control " << GetDlgCtrlID(c) << " is under another window";
            }
        }
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

TEST_F(RealInputTest, ATappedBoxIsStoredByOkAndNotByEsc)
{
    for (bool accept : {true, false}) {
        std::optional<DWORD> before = Dword(L"FSAddressBar");
        bool checked = false;
        sheet::RunOptions(vendor, product, kScreenPage, [&](HWND window) {
            HWND page = sheet::CurrentPage(window);
            bool was = sheet::IsChecked(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
            Tap(Centre(GetDlgItem(page, IDC_SCREEN_HIDE_ADDRESS_BAR)));
            checked = !was;
            EXPECT_TRUE(sheet::PumpUntil(
                [&] { return sheet::IsChecked(page, IDC_SCREEN_HIDE_ADDRESS_BAR) == checked; }));
            HWND bar = FindWindowW(L"HHTaskBar", nullptr);
            ASSERT_NE(nullptr, bar);
            POINT ok = Centre(GetDlgItem(bar, IDOK));
            EXPECT_TRUE(OnScreen(ok));
            accept ? Tap(ok) : Key(VK_ESCAPE);
        });
        // The value tells whether the address bar shows.
        EXPECT_EQ(accept ? std::optional<DWORD>(!checked) : before, Dword(L"FSAddressBar"))
            << (accept ? "ok" : "Esc");
    }
}

} // namespace
