#include "SheetStopwatch.h"

#include "AddOnCalls.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cwchar>

namespace {

const UINT kDriveMessage = WM_APP + 1;
const wchar_t kOwnerClass[] = L"VelotabBenchOwner";
const UINT kWatchdogMs = 100;
// Time that the sheet gets to close once the run has given up on it.
const ULONGLONG kClosingMs = 5000;
// Upper bound of the messages handled while the sheet settles.
const int kPumpLimit = 10000;

struct SheetSearch {
    HWND owner;
    HWND found;
};

// The sheet is a dialog of this thread, owned by the owner window, with a
// tab control in it.
BOOL CALLBACK FindOwnedSheet(HWND window, LPARAM search)
{
    SheetSearch &request = *reinterpret_cast<SheetSearch *>(search);
    wchar_t className[16];
    if (GetWindow(window, GW_OWNER) == request.owner && GetClassNameW(window, className, 16) &&
        std::wcscmp(className, L"#32770") == 0 &&
        FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr)) {
        request.found = window;
        return FALSE;
    }
    return TRUE;
}

// Handles every message that is queued now, paints included, so that work
// that the pages post themselves is counted where it happens. Never waits.
void Settle(HWND sheet)
{
    MSG message;
    for (int i = 0; i < kPumpLimit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!IsDialogMessageW(sheet, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND TabsOf(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
}

bool PageShown(HWND sheet)
{
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page && IsWindowVisible(page);
}

} // namespace

SheetStopwatch *SheetStopwatch::running = nullptr;

SheetStopwatch::SheetStopwatch(ULONGLONG runMs) : runMs(runMs)
{
    QueryPerformanceFrequency(&frequency);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);
    owner = CreateWindowExW(0, kOwnerClass, L"Velotab bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
}

SheetStopwatch::~SheetStopwatch()
{
    if (owner)
        DestroyWindow(owner);
}

double SheetStopwatch::Now() const
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool SheetStopwatch::Measure(const std::function<bool()> &run, SheetTimes &times,
                             std::string &error)
{
    if (!owner) {
        error = "cannot create the owner window";
        return false;
    }
    sheet = nullptr;
    closing = false;
    failure.clear();
    current = SheetTimes();
    state = State::Waiting;
    running = this;
    deadline = GetTickCount64() + runMs;
    UINT_PTR watchdog = SetTimer(nullptr, 0, kWatchdogMs, OnWatchdog);
    PostMessageW(owner, kDriveMessage, 0, 0);

    startedAt = Now();
    bool accepted = run();
    double endedAt = Now();

    KillTimer(nullptr, watchdog);
    running = nullptr;
    // A drive message that the sheet never delivered must not start the
    // next run early.
    MSG stale;
    while (PeekMessageW(&stale, owner, kDriveMessage, kDriveMessage, PM_REMOVE)) {
    }

    if (state == State::Waiting)
        Fail("the sheet did not appear");
    else if (state == State::Accepting && !accepted)
        Fail("the sheet does not report that it was accepted");
    if (state == State::Failed) {
        error = failure;
        return false;
    }
    current.accept = endedAt - acceptedAt;
    times = current;
    return true;
}

LRESULT CALLBACK SheetStopwatch::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDriveMessage) {
        if (running)
            running->Drive();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CALLBACK SheetStopwatch::OnWatchdog(HWND, UINT, UINT_PTR, DWORD)
{
    if (running)
        running->Watch();
}

void SheetStopwatch::Drive()
{
    if (state != State::Waiting)
        return;
    SheetSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedSheet, reinterpret_cast<LPARAM>(&search));
    // Not up yet: the watchdog tries again on its next tick.
    if (!search.found || !IsWindowVisible(search.found))
        return;
    sheet = search.found;
    state = State::Accepting;

    Settle(sheet);
    if (!PageShown(sheet)) {
        GiveUp("the sheet shows no start page");
        return;
    }
    double openedAt = Now();
    current.open = openedAt - startedAt;

    HWND tabs = TabsOf(sheet);
    int count = tabs ? TabCtrl_GetItemCount(tabs) : 0;
    int start = tabs ? TabCtrl_GetCurSel(tabs) : -1;
    current.pages.assign(count, 0.0);
    if (start >= 0 && start < count)
        current.pages[start] = current.open;
    double pageShownAt = openedAt;
    for (int i = 0; i < count; ++i) {
        if (i == start)
            continue;
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        Settle(sheet);
        if (TabCtrl_GetCurSel(tabs) != i || !PageShown(sheet)) {
            GiveUp("the sheet did not show page " + std::to_string(i));
            return;
        }
        double now = Now();
        current.pages[i] = now - pageShownAt;
        pageShownAt = now;
    }
    acceptedAt = pageShownAt;
    current.showPages = acceptedAt - openedAt;
    current.pageCount = count;
    PropSheet_PressButton(sheet, PSBTN_OK);
}

void SheetStopwatch::Watch()
{
    if (GetTickCount64() < deadline) {
        Drive();
        return;
    }
    if (closing) {
        std::fputs("velotab-bench: the sheet does not close; giving up\n", stderr);
        std::fflush(stdout);
        ExitProcess(1);
    }
    GiveUp(state == State::Waiting ? "the sheet did not appear in time"
                                   : "the sheet did not close after OK");
}

// Cancels the sheet and asks every other window of this thread but the
// owner to close; the process ends if they are still there at the deadline.
void SheetStopwatch::GiveUp(const std::string &reason)
{
    Fail(reason);
    if (closing)
        return;
    closing = true;
    deadline = GetTickCount64() + kClosingMs;
    if (sheet && IsWindow(sheet))
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    CloseThreadWindowsBut(owner);
}

void SheetStopwatch::Fail(const std::string &reason)
{
    if (state == State::Failed)
        return;
    state = State::Failed;
    failure = reason;
}
