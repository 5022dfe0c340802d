#include "OptionPage.h"

#include "HostContext.h"
#include "ScreenScale.h"

namespace {

// Bottom of the visible desktop on the portrait QVGA screen with the input
// panel lowered: a list that follows the panel keeps its full height down to
// here.
const LONG kFullVisibleBottom = 294;
// However high the panel, such a list loses at most this many pixels.
const int kMaxListShrink = 110;

// Room for any 32-bit number in decimal with its sign and NUL.
const size_t kNumberTextLength = 12;

// The number as signed decimal text.
void FormatNumber(DWORD number, wchar_t (&text)[kNumberTextLength])
{
    wsprintfW(text, L"%d", static_cast<int>(number));
}

} // namespace

OptionPage::OptionPage(UINT templateId, UINT titleId)
    : OptionDialog(templateId, NULL), activePageSlot(NULL), pageIndex(-1)
{
    ZeroMemory(&pageDescriptor, sizeof pageDescriptor);
    pageDescriptor.dwSize = sizeof pageDescriptor;
    pageDescriptor.dwFlags = PSP_DEFAULT;
    pageDescriptor.hInstance = hostContext.instance;
    pageDescriptor.pszTemplate = MAKEINTRESOURCEW(templateId);
    pageDescriptor.pfnDlgProc = PageDialogProc;
    pageDescriptor.lParam = reinterpret_cast<LPARAM>(this);
    if (titleId) {
        pageDescriptor.dwFlags = PSP_USETITLE;
        pageDescriptor.pszTitle = MAKEINTRESOURCEW(titleId);
    }
}

BOOL OptionPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    return OptionDialog::OnInitDialog(wParam, lParam) ? TRUE : FALSE;
}

BOOL OptionPage::OnNotify(WPARAM, NMHDR *header, LRESULT *)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        OnApply();
    if (header->code == static_cast<UINT>(PSN_SETACTIVE))
        OnSetActive();
    return FALSE;
}

BOOL OptionPage::OnApply()
{
    OnOK();
    return TRUE;
}

BOOL OptionPage::OnSetActive()
{
    if (activePageSlot)
        *activePageSlot = pageIndex;
    return TRUE;
}

INT_PTR CALLBACK OptionPage::PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    OptionDialog *created = NULL;
    if (message == WM_INITDIALOG)
        created = reinterpret_cast<OptionPage *>(
            reinterpret_cast<const PROPSHEETPAGEW *>(lParam)->lParam);
    return Dispatch(window, message, wParam, lParam, created);
}

void OptionPage::AttachToSheet(int index, int *activeSlot)
{
    pageIndex = index;
    activePageSlot = activeSlot;
}

void OptionPage::AddListItem(int listId, LPCWSTR text) const
{
    SendControlMessage(listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void OptionPage::AddListString(int listId, UINT stringId) const
{
    LPCWSTR text = PlatformLoadStringPointer(hostContext.instance, stringId);
    if (text)
        AddListItem(listId, text);
}

void OptionPage::AddListNumber(int listId, DWORD number) const
{
    wchar_t text[kNumberTextLength];
    FormatNumber(number, text);
    AddListItem(listId, text);
}

// Lists of hundreds of numbers must not slow the page down: the control is
// looked up once, its storage reserved in one go, and it is drawn once at
// the end rather than after every item.
void OptionPage::AddListRange(int listId, DWORD first, DWORD last) const
{
    if (last < first)
        return;
    HWND list = Control(listId);
    DWORD count = last - first + 1;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, CB_INITSTORAGE, count, count * kNumberTextLength * sizeof(wchar_t));
    for (DWORD i = 0; i < count; ++i) {
        wchar_t text[kNumberTextLength];
        FormatNumber(first + i, text);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

// A list view sizes its rows and sets its scroll bars in its first paint
// after a fill, in passes that each redraw a visible scroll bar. Painted
// once into a memory context while its page is still hidden, the list does
// that work without drawing on screen, and its first paint on screen draws
// the scroll bar once. One pixel is enough: the list paints only the rows
// that meet the context's clip area.
void OptionPage::EndListViewFill(HWND list)
{
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
    HDC screen = GetDC(list);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    if (memory && pixel) {
        HGDIOBJ previous = SelectObject(memory, pixel);
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, previous);
    }
    if (pixel)
        DeleteObject(pixel);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(list, screen);
}

bool OptionPage::FitListToPanel(HWND list, int referenceHeight, const int *controlsBelow,
                                size_t controlCount) const
{
    LONG visibleBottom = VisibleDesktopBottom();
    RECT bounds;
    GetWindowRect(list, &bounds);
    int height = bounds.bottom - bounds.top;
    int change;
    LONG fullVisibleBottom = ScreenScale::Pixels(kFullVisibleBottom);
    int maxListShrink = ScreenScale::Pixels(kMaxListShrink);
    if (visibleBottom < fullVisibleBottom) {
        int target = referenceHeight + visibleBottom - fullVisibleBottom;
        if (height == target)
            return false;
        change = target - height;
        // Nothing below the visible desktop: the page still keeps a menu
        // bar's height free at the bottom, and a pixel of the QVGA screen.
        if (visibleBottom == GetSystemMetrics(SM_CYSCREEN))
            change -= GetSystemMetrics(SM_CYMENU) + ScreenScale::Pixels(1);
        if (height + change < referenceHeight - maxListShrink)
            change = referenceHeight - maxListShrink - height;
    } else {
        if (height == referenceHeight)
            return false;
        change = referenceHeight - height;
    }

    SetWindowPos(list, NULL, 0, 0, bounds.right - bounds.left, height + change,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ListView_EnsureVisible(list, ListView_GetSelectionMark(list), FALSE);
    for (size_t i = 0; i < controlCount; ++i) {
        HWND control = Control(controlsBelow[i]);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(NULL, window, reinterpret_cast<POINT *>(&place), 2);
        SetWindowPos(control, NULL, place.left, place.top + change, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

// An index the list does not have leaves it without a selection.
void OptionPage::SelectListItem(int listId, DWORD index) const
{
    SendControlMessage(listId, CB_SETCURSEL, index, 0);
}

// A list without a selection reports CB_ERR (-1), which is what is stored.
DWORD OptionPage::ListSelection(int listId) const
{
    return static_cast<DWORD>(SendControlMessage(listId, CB_GETCURSEL, 0, 0));
}

// Any nonzero stored state means checked: a two-state box has no other.
void OptionPage::SetCheck(int boxId, DWORD state) const
{
    SendControlMessage(boxId, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

DWORD OptionPage::CheckState(int boxId) const
{
    return static_cast<DWORD>(SendControlMessage(boxId, BM_GETCHECK, 0, 0));
}

void OptionPage::ControlText(int controlId, wchar_t *text, int maxLength) const
{
    text[0] = L'\0';
    GetWindowTextW(Control(controlId), text, maxLength + 1);
}
