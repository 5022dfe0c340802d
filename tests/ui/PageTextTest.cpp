// Every page fits the screen the program runs on. Every text fits its
// control: statics, push buttons, check boxes and radio buttons, measured
// with the control's own font and wrapped where the control wraps, and each
// control lies on its page clear of the others. The layout's pixel figures
// follow the screen's density: headings at the heading height, separators
// across the page, list columns as wide as their titles. The suite runs it
// on each of the device's screens.
#include "PageTest.h"

#include <sstream>
#include <vector>

namespace {

const int kPageCount = 13;
const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3, IDC_HEADING_4};
// On the QVGA screen: the heading font's height and the separator's size.
const int kHeadingHeight = 11;
const SIZE kSeparator = {232, 1};
// A push button's label keeps this far from each edge, inside the frame.
const int kPushLabelInset = 2;

// Where a control draws its text and how it lays it out and aligns it.
struct TextRoom {
    RECT room;
    UINT format;
    UINT align;
};

bool IsClass(HWND control, const wchar_t *name)
{
    wchar_t kind[32] = L"";
    GetClassNameW(control, kind, 32);
    return lstrcmpiW(kind, name) == 0;
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
    if (IsClass(control, WC_STATICW))
        return StaticRoom(control, style, text);
    if (IsClass(control, WC_BUTTONW))
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

// The control lies on the page, or its text does where it has one: a label's
// box may reach past the page, which is as wide as the screen; its text
// fits the room the control gives it, and no other control covers any of it.
void ExpectTextClear(const std::wstring &page, HWND window, HWND control,
                     const std::vector<HWND> &controls)
{
    RECT client;
    GetClientRect(window, &client);
    RECT text, room;
    if (!TextPlace(control, &text, &room)) {
        EXPECT_TRUE(Contains(client, PlaceOnPage(window, control)))
            << Name(page, control) << " leaves the page";
        return;
    }
    EXPECT_TRUE(Contains(room, text))
        << Name(page, control) << " is cut off: it takes " << text.right - text.left << " x "
        << text.bottom - text.top << " pixels, it has " << room.right - room.left << " x "
        << room.bottom - room.top;
    MapWindowPoints(control, window, reinterpret_cast<POINT *>(&text), 2);
    EXPECT_TRUE(Contains(client, text)) << Name(page, control) << " leaves the page";
    for (HWND other : controls) {
        RECT otherPlace = PlaceOnPage(window, other), shared;
        if (other != control && IntersectRect(&shared, &text, &otherPlace))
            ADD_FAILURE() << Name(page, control) << " runs under " << Name(page, other);
    }
}

// The headings are bold, at the heading height of this screen.
void ExpectHeadings(const std::wstring &page, HWND window)
{
    for (int id : kHeadings) {
        HWND heading = GetDlgItem(window, id);
        if (!heading || !IsClass(heading, WC_STATICW))
            continue;
        LOGFONTW font = page::FontOf(window, id);
        EXPECT_EQ(-page::Scaled(kHeadingHeight), font.lfHeight) << Name(page, heading);
        EXPECT_EQ(FW_BOLD, font.lfWeight) << Name(page, heading);
    }
}

// A separator is the QVGA one grown by the screen's density.
void ExpectSeparator(const std::wstring &page, HWND window, HWND control)
{
    if (!IsClass(control, WC_STATICW) ||
        (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return;
    RECT place = PlaceOnPage(window, control);
    EXPECT_EQ(page::Scaled(kSeparator.cx), place.right - place.left) << Name(page, control);
    EXPECT_EQ(page::Scaled(kSeparator.cy), place.bottom - place.top) << Name(page, control);
}

// Each column of a list is at least as wide as its title's text.
void ExpectColumnTitlesFit(const std::wstring &page, HWND control)
{
    if (!IsClass(control, WC_LISTVIEWW))
        return;
    for (int column = 0;; ++column) {
        wchar_t title[64] = L"";
        LVCOLUMNW description = {LVCF_TEXT | LVCF_WIDTH};
        description.pszText = title;
        description.cchTextMax = 64;
        if (!ListView_GetColumn(control, column, &description))
            break;
        EXPECT_LE(ListView_GetStringWidth(control, title), description.cx)
            << Name(page, control) << ", column " << column;
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

using PageTextTest = SettingsTest;

TEST_F(PageTextTest, EveryPageFitsThisScreen)
{
    int checked = 0;
    sheet::RunOptions(vendor, product, 0, [&](HWND window) {
        for (int i = 0; i < kPageCount; ++i) {
            sheet::SelectPage(window, i);
            HWND page = sheet::CurrentPage(window);
            if (!page)
                continue;
            ++checked;
            std::wstring label = sheet::TabLabel(window, i);
            std::vector<HWND> controls = VisibleControls(page);
            for (HWND control : controls) {
                ExpectTextClear(label, page, control, controls);
                ExpectSeparator(label, page, control);
                ExpectColumnTitlesFit(label, control);
            }
            ExpectHeadings(label, page);
        }
        sheet::Cancel(window);
    });
    EXPECT_EQ(kPageCount, checked);
}

} // namespace
