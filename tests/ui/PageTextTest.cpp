// Every text of every page fits its control on the screen the program runs
// on: statics, push buttons, check boxes and radio buttons, measured with the
// control's own font and wrapped where the control wraps, and each control
// lies on its page clear of the others. The suite runs it on each of the
// device's screens.
#include "EntryPoints.h"
#include "SheetDriver.h"
#include "TestRegistry.h"

#include <sstream>
#include <vector>

namespace {

const int kPageCount = 13;
const LONG kPlatformVersion = 5;
// A push button's label keeps this far from each edge, inside the frame.
const int kPushLabelInset = 2;

// Where a control draws its text and how it lays it out and aligns it.
struct TextRoom {
    RECT room;
    UINT format;
    UINT align;
};

std::wstring ClassOf(HWND control)
{
    wchar_t name[32] = L"";
    GetClassNameW(control, name, 32);
    return name;
}

// A static control that shows text: its whole client area from the top,
// wrapped at word ends unless it is a one-line static.
bool StaticRoom(HWND control, LONG style, TextRoom *text)
{
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
        text->format = DT_WORDBREAK | DT_EXPANDTABS;
        break;
    case SS_CENTER:
        text->format = DT_WORDBREAK | DT_EXPANDTABS;
        text->align = DT_CENTER;
        break;
    case SS_RIGHT:
        text->format = DT_WORDBREAK | DT_EXPANDTABS;
        text->align = DT_RIGHT;
        break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        text->format = DT_SINGLELINE | DT_EXPANDTABS;
        break;
    default:
        return false;
    }
    if (style & SS_NOPREFIX)
        text->format |= DT_NOPREFIX;
    GetClientRect(control, &text->room);
    return true;
}

// A push button centres its label inside its frame; a check box or a radio
// button puts it right of its box, which is as wide as the box at this
// density and half a digit, centred from top to bottom unless told
// otherwise.
bool ButtonRoom(HWND control, HDC dc, LONG style, TextRoom *text)
{
    GetClientRect(control, &text->room);
    text->format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        InflateRect(&text->room, -kPushLabelInset, -kPushLabelInset);
        text->align = DT_CENTER | DT_VCENTER;
        return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        int box = MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1;
        int digit = 0;
        GetCharWidthW(dc, L'0', L'0', &digit);
        text->room.left += box + digit / 2;
        text->align = (style & BS_VCENTER) == BS_TOP ? 0 : DT_VCENTER;
        return true;
    }
    default:
        return false;
    }
}

// The room that the control's text must fit, measured in `dc` with the
// control's font selected; false for a control without a text of its own.
bool RoomFor(HWND control, HDC dc, TextRoom *text)
{
    LONG style = GetWindowLongW(control, GWL_STYLE);
    std::wstring kind = ClassOf(control);
    if (lstrcmpiW(kind.c_str(), L"Static") == 0)
        return StaticRoom(control, style, text);
    if (lstrcmpiW(kind.c_str(), L"Button") == 0)
        return ButtonRoom(control, dc, style, text);
    return false;
}

std::wstring TextOf(HWND control)
{
    wchar_t text[512] = L"";
    GetWindowTextW(control, text, 512);
    return text;
}

std::string Name(const std::wstring &page, HWND control)
{
    std::wostringstream name;
    name << page << L", control " << GetDlgCtrlID(control) << L" \"" << TextOf(control) << L"\"";
    std::wstring wide = name.str();
    return std::string(wide.begin(), wide.end());
}

RECT PlaceOnPage(HWND page, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&place), 2);
    return place;
}

// Where the text lands in the control when laid out as the control lays it
// out, in the control's client coordinates; false for a control without a
// text of its own.
bool TextPlace(HWND control, RECT *place, RECT *room)
{
    std::wstring label = TextOf(control);
    if (label.empty())
        return false;
    HDC dc = GetDC(control);
    HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TextRoom text = {};
    bool shown = RoomFor(control, dc, &text);
    if (shown) {
        RECT needed = {0, 0, text.room.right - text.room.left, 0};
        DrawTextW(dc, label.c_str(), -1, &needed, text.format | DT_CALCRECT);
        int width = needed.right - needed.left, height = needed.bottom - needed.top;
        int spareX = text.room.right - text.room.left - width;
        int spareY = text.room.bottom - text.room.top - height;
        int x = text.room.left + (text.align & DT_RIGHT    ? spareX
                                  : text.align & DT_CENTER ? spareX / 2
                                                           : 0);
        int y = text.room.top + (text.align & DT_VCENTER ? spareY / 2 : 0);
        SetRect(place, x, y, x + width, y + height);
        *room = text.room;
    }
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return shown;
}

bool Contains(const RECT &outer, const RECT &inner)
{
    RECT shared;
    IntersectRect(&shared, &outer, &inner);
    return EqualRect(&shared, &inner) != FALSE;
}

// The control lies on the page; its text fits the room the control gives
// it, and no other control covers any of it.
void ExpectTextClear(const std::wstring &page, HWND window, HWND control,
                     const std::vector<HWND> &controls)
{
    RECT client;
    GetClientRect(window, &client);
    EXPECT_TRUE(Contains(client, PlaceOnPage(window, control)))
        << Name(page, control) << " leaves the page";
    RECT text, room;
    if (!TextPlace(control, &text, &room))
        return;
    EXPECT_TRUE(Contains(room, text))
        << Name(page, control) << " is cut off: it takes " << text.right - text.left << " x "
        << text.bottom - text.top << " pixels, it has " << room.right - room.left << " x "
        << room.bottom - room.top;
    MapWindowPoints(control, window, reinterpret_cast<POINT *>(&text), 2);
    for (HWND other : controls) {
        RECT otherPlace = PlaceOnPage(window, other), shared;
        if (other != control && IntersectRect(&shared, &text, &otherPlace))
            ADD_FAILURE() << Name(page, control) << " runs under " << Name(page, other);
    }
}

std::vector<HWND> VisibleControls(HWND page)
{
    std::vector<HWND> controls;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            controls.push_back(child);
    return controls;
}

class PageTextTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        SettingsTest::TearDown();
    }

    HWND owner = nullptr;
};

TEST_F(PageTextTest, EveryTextFitsItsControlOnThisScreen)
{
    int checked = 0;
    sheet::RunSheet(
        [&] {
            ShowOptions(owner, FALSE, kPlatformVersion, 0, 0, 0, 0, 1, vendor.c_str(),
                        product.c_str(), L"1.0", 0);
        },
        [&](HWND window) {
            for (int i = 0; i < kPageCount; ++i) {
                sheet::SelectPage(window, i);
                HWND page = sheet::CurrentPage(window);
                if (!page)
                    continue;
                ++checked;
                std::wstring label = sheet::TabLabel(window, i);
                std::vector<HWND> controls = VisibleControls(page);
                for (HWND control : controls)
                    ExpectTextClear(label, page, control, controls);
            }
            sheet::Cancel(window);
        });
    EXPECT_EQ(kPageCount, checked);
}

} // namespace
