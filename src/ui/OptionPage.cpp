#include "OptionPage.h"

#include "HostContext.h"

#include <vector>

namespace {

// Room for any 32-bit number in decimal with its sign and NUL.
const size_t kNumberTextLength = 12;

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
    SendDlgItemMessageW(window, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
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
    wsprintfW(text, L"%d", static_cast<int>(number));
    AddListItem(listId, text);
}

// An index the list does not have leaves it without a selection.
void OptionPage::SelectListItem(int listId, DWORD index) const
{
    SendDlgItemMessageW(window, listId, CB_SETCURSEL, index, 0);
}

// A list without a selection reports CB_ERR (-1), which is what is stored.
DWORD OptionPage::ListSelection(int listId) const
{
    return static_cast<DWORD>(SendDlgItemMessageW(window, listId, CB_GETCURSEL, 0, 0));
}

void OptionPage::SetCheck(int boxId, DWORD state) const
{
    CheckDlgButton(window, boxId, state);
}

DWORD OptionPage::CheckState(int boxId) const
{
    return IsDlgButtonChecked(window, boxId);
}

std::wstring OptionPage::ControlText(int controlId, int maxLength) const
{
    std::vector<wchar_t> text(maxLength + 1);
    GetDlgItemTextW(window, controlId, &text[0], maxLength + 1);
    return &text[0];
}
