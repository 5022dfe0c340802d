#include "SheetDriver.h"

#include "EntryPoints.h"
#include "OptionSheet.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace sheet {

namespace {

const UINT kTickMs = 10;
const int kMaxTicks = 1500;

struct Run {
    std::function<bool(HWND)> isTarget;
    Script script;
    int ticks = 0;
    bool ran = false;
    bool timedOut = false;
    UINT_PTR timer = 0;
};

Run *current = nullptr;

struct Finder {
    const std::function<bool(HWND)> *accept;
    HWND found;
};

BOOL CALLBACK FindWindowProc(HWND window, LPARAM data)
{
    auto *finder = reinterpret_cast<Finder *>(data);
    if (IsWindowVisible(window) && (*finder->accept)(window)) {
        finder->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const std::function<bool(HWND)> &accept)
{
    Finder finder = {&accept, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindWindowProc, reinterpret_cast<LPARAM>(&finder));
    return finder.found;
}

void CancelWindow(HWND window)
{
    if (IsPropertySheet(window))
        Cancel(window);
    else
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Run *run = current;
    if (!run)
        return;
    HWND window = FindThreadWindow(run->isTarget);
    if (run->ran) {
        // The script has had its turn; a window still open now is left over.
        if (window && ++run->ticks > kMaxTicks) {
            run->timedOut = true;
            CancelWindow(window);
        }
        return;
    }
    if (!window) {
        if (++run->ticks > kMaxTicks)
            run->timedOut = true;
        return;
    }
    run->ran = true;
    run->ticks = 0;
    run->script(window);
}

} // namespace

bool RunModal(const std::function<void()> &modal, const std::function<bool(HWND)> &isTarget,
              const Script &script, bool required)
{
    Run run;
    run.isTarget = isTarget;
    run.script = script;
    Run *outer = current;
    current = &run;
    run.timer = SetTimer(nullptr, 0, kTickMs, Tick);
    modal();
    KillTimer(nullptr, run.timer);
    current = outer;
    EXPECT_TRUE(run.ran || !required) << "the window never appeared";
    EXPECT_FALSE(run.timedOut) << "the modal loop did not end in time";
    return run.ran;
}

bool RunSheet(const std::function<void()> &modal, const Script &script, bool required)
{
    return RunModal(modal, IsPropertySheet, script, required);
}

bool IsPropertySheet(HWND window)
{
    return FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr &&
           PropSheet_GetTabControl(window) != nullptr;
}

HWND FindSheet()
{
    return FindThreadWindow(IsPropertySheet);
}

bool PumpUntil(const std::function<bool()> &done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kTickMs, QS_ALLINPUT);
        }
    }
    return true;
}

void SelectPage(HWND sheet, int index)
{
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
}

HWND CurrentPage(HWND sheet)
{
    return PropSheet_GetCurrentPageHwnd(sheet);
}

int CurrentIndex(HWND sheet)
{
    return TabCtrl_GetCurSel(PropSheet_GetTabControl(sheet));
}

std::wstring TabLabel(HWND sheet, int index)
{
    wchar_t text[128] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETITEMW, index,
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

void RunOptions(const std::wstring &vendor, const std::wstring &product, int startPage,
                const Script &script)
{
    const LONG platformVersion = 5;
    HWND owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    RunSheet(
        [&] {
            ShowOptions(owner, FALSE, platformVersion, 0, 0, 0, 0, 1, vendor.c_str(),
                        product.c_str(), L"1.0", startPage);
        },
        script);
    DestroyWindow(owner);
}

void RunPage(OptionPage &page, const Script &use, bool accept)
{
    OptionSheet options(IDS_SHEET_CAPTION, IDI_VELOTAB, nullptr, 0);
    options.AddPage(&page);
    RunSheet([&] { options.Run(); },
             [&](HWND window) {
                 use(CurrentPage(window));
                 accept ? Accept(window) : Cancel(window);
             });
}

void Accept(HWND sheet)
{
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

void Cancel(HWND sheet)
{
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void ChooseItem(HWND page, int listId, int index)
{
    HWND list = GetDlgItem(page, listId);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void Click(HWND page, int buttonId)
{
    SendDlgItemMessageW(page, buttonId, BM_CLICK, 0, 0);
}

int Selection(HWND page, int listId)
{
    return static_cast<int>(SendDlgItemMessageW(page, listId, CB_GETCURSEL, 0, 0));
}

std::wstring ItemText(HWND page, int listId, int index)
{
    LRESULT length = SendDlgItemMessageW(page, listId, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return L"<none>";
    std::vector<wchar_t> text(length + 1);
    SendDlgItemMessageW(page, listId, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::wstring SelectedText(HWND page, int listId)
{
    return ItemText(page, listId, Selection(page, listId));
}

int ItemCount(HWND page, int listId)
{
    return static_cast<int>(SendDlgItemMessageW(page, listId, CB_GETCOUNT, 0, 0));
}

std::vector<std::wstring> Items(HWND page, int listId)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < ItemCount(page, listId); ++i)
        items.push_back(ItemText(page, listId, i));
    return items;
}

bool IsChecked(HWND page, int buttonId)
{
    return IsDlgButtonChecked(page, buttonId) == BST_CHECKED;
}

} // namespace sheet
