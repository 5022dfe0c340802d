#include "BaselineSheet.h"

#include "resource.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

// The options sheet's pages, by template, in its page order.
const WORD kPageOrder[] = {
    IDD_USER_AGENT, IDD_BUTTONS, IDD_URL_ALIAS,   IDD_URL_SERVICE, IDD_SCROLL,
    IDD_SCREEN,     IDD_MENU,    IDD_TAB_DISPLAY, IDD_TAB_EVENT,   IDD_TAB_HISTORY,
    IDD_VIEW,       IDD_BROWSER, IDD_ABOUT,
};

// The options sheet's header flags as the desktop build has them: its
// full-screen flag is 0 there.
const DWORD kSheetFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP;

// What every options page asks of the shell when it is made.
const DWORD kFullScreenFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
const wchar_t kShellLibrary[] = L"aygshell.dll";

template <class Proc> Proc ShellCall(HMODULE shell, const char *name)
{
    if (!shell)
        return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(shell, name)));
}

} // namespace

BaselineSheet::BaselineSheet(HMODULE module) : module(module)
{
    for (WORD id : kPageOrder)
        if (FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG))
            templates.push_back(id);
    HMODULE shell = GetModuleHandleW(kShellLibrary);
    initDialog = ShellCall<InitDialogProc>(shell, "SHInitDialog");
    createMenuBar = ShellCall<CreateMenuBarProc>(shell, "SHCreateMenuBar");
}

std::string BaselineSheet::TemplateList() const
{
    std::string list;
    for (WORD id : templates)
        list += (list.empty() ? "" : ", ") + std::to_string(id);
    return list;
}

bool BaselineSheet::Run(HWND owner) const
{
    std::vector<PROPSHEETPAGEW> pages(templates.size());
    for (size_t i = 0; i < templates.size(); ++i) {
        PROPSHEETPAGEW &page = pages[i];
        page = PROPSHEETPAGEW();
        page.dwSize = sizeof page;
        page.hInstance = module;
        page.pszTemplate = MAKEINTRESOURCEW(templates[i]);
        page.pfnDlgProc = PageProc;
        page.lParam = reinterpret_cast<LPARAM>(this);
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = kSheetFlags;
    header.hwndParent = owner;
    header.hInstance = module;
    header.pszIcon = MAKEINTRESOURCEW(IDI_VELOTAB);
    header.pszCaption = MAKEINTRESOURCEW(IDS_SHEET_CAPTION);
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    return PropertySheetW(&header) > 0;
}

// Makes the page's shell calls and lets the dialog manager set the focus;
// handles nothing else.
INT_PTR CALLBACK BaselineSheet::PageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEW *descriptor = reinterpret_cast<const PROPSHEETPAGEW *>(lParam);
    reinterpret_cast<const BaselineSheet *>(descriptor->lParam)->InitPage(page);
    return TRUE;
}

void BaselineSheet::InitPage(HWND page) const
{
    if (!MakesShellCalls())
        return;
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = page;
    info.dwFlags = kFullScreenFlags;
    initDialog(&info);
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = page;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    createMenuBar(&bar);
}

int CALLBACK BaselineSheet::SheetCallback(HWND, UINT, LPARAM)
{
    return 0;
}
