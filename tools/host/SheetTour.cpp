#include "SheetTour.h"

#include "AddOnCalls.h"
#include "ConsoleText.h"
#include "WindowCapture.h"

#include <commctrl.h>
#include <prsht.h>

#include <cwchar>
#include <cwctype>

namespace {

const UINT kTickMs = 100;
// Time for the whole tour, from Start until the sheet has closed.
const ULONGLONG kTourMs = 30000;
// Time that the sheet gets to close once the tour has given up on it.
const ULONGLONG kClosingMs = 5000;
// Upper bound of the messages handled while a page paints.
const int kPumpLimit = 1000;
// The whole screen's capture is named after the sheet's, with this before.
const wchar_t kScreenPrefix[] = L"screen-";

bool IsFolder(const std::wstring &path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// Creates the folder and any missing folders above it.
bool MakeFolder(std::wstring path)
{
    while (path.size() > 1 && IsSeparator(path.back()))
        path.pop_back();
    if (path.empty() || IsFolder(path))
        return !path.empty();
    size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0 && !MakeFolder(path.substr(0, separator)))
        return false;
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Keeps letters, digits, '-', '_' and '.'; anything else, spaces included,
// becomes '_', so that the name is safe in any file system and shell.
std::wstring SafeFileName(const std::wstring &label)
{
    std::wstring name = label;
    for (wchar_t &c : name)
        if (!std::iswalnum(c) && c != L'-' && c != L'_' && c != L'.')
            c = L'_';
    return name;
}

HWND SheetTabs(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
}

// The sheet is a visible dialog of this thread with a tab control in it.
BOOL CALLBACK FindSheetWindow(HWND window, LPARAM found)
{
    wchar_t className[16];
    if (IsWindowVisible(window) && GetClassNameW(window, className, 16) &&
        std::wcscmp(className, L"#32770") == 0 &&
        FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Handles what is queued now, and at most kPumpLimit messages, so that the
// page has painted before it is captured. Never waits.
void PumpPending(UINT_PTR ownTimer)
{
    MSG message;
    for (int i = 0; i < kPumpLimit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (message.message == WM_TIMER && !message.hwnd && message.wParam == ownTimer)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

SheetTour *SheetTour::running = nullptr;

SheetTour::SheetTour(const std::wstring &folder, HWND ownerWindow, const std::vector<int> &pages)
    : folder(folder), ownerWindow(ownerWindow), pages(pages)
{
}

SheetTour::~SheetTour()
{
    Stop();
}

bool SheetTour::Start(std::wstring &error)
{
    if (!writer.Ready(error))
        return false;
    if (!MakeFolder(folder)) {
        error = L"cannot create the folder " + folder;
        return false;
    }
    running = this;
    deadline = GetTickCount64() + kTourMs;
    timer = SetTimer(nullptr, 0, kTickMs, OnTimer);
    if (!timer) {
        running = nullptr;
        error = L"SetTimer failed";
        return false;
    }
    return true;
}

void SheetTour::Stop()
{
    if (timer)
        KillTimer(nullptr, timer);
    timer = 0;
    if (running == this)
        running = nullptr;
    if (state == State::Waiting || state == State::Touring)
        Fail(sheetWindow ? L"the sheet closed before the tour ended"
                         : L"the sheet closed before the tour found it");
}

void CALLBACK SheetTour::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (running)
        running->Tick();
}

void SheetTour::Tick()
{
    // The deadline is checked on every tick, even while a page is being
    // handled: a message box that a page opens runs its own loop.
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) {
        if (closing) {
            WriteText(stderr, L"velotab-host: the sheet does not close; giving up\n");
            std::fflush(stdout);
            ExitProcess(1);
        }
        if (state == State::Waiting)
            Fail(L"the sheet did not appear in time");
        else if (state == State::Touring)
            Fail(L"the pages were not shown in time");
        else
            Fail(L"the sheet did not close after OK");
        CloseThreadWindows();
        return;
    }
    // Once found, the sheet is toured within this tick; ticks that the
    // tour's own message handling lets through only watch the deadline.
    if (state != State::Waiting)
        return;

    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheetWindow, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet)
        return;
    sheetWindow = sheet;
    state = State::Touring;
    Tour(sheet);
}

void SheetTour::Tour(HWND sheet)
{
    HWND tabs = SheetTabs(sheet);
    int count = tabs ? TabCtrl_GetItemCount(tabs) : 0;
    if (count <= 0) {
        Fail(L"the sheet has no pages");
        CloseThreadWindows();
        return;
    }
    std::vector<int> shown = pages;
    if (shown.empty())
        for (int i = 0; i < count; ++i)
            shown.push_back(i);
    for (int i : shown) {
        if (!ShowPage(sheet, tabs, i) || !SavePage(sheet, tabs, i)) {
            CloseThreadWindows();
            return;
        }
        if (state != State::Touring)
            return;
    }
    // Accepts on the last page shown; the sheet then closes and the result
    // code names that page.
    state = State::Accepted;
    PropSheet_PressButton(sheet, PSBTN_OK);
}

bool SheetTour::ShowPage(HWND sheet, HWND tabs, int index)
{
    if (!SendMessageW(sheet, PSM_SETCURSEL, index, 0) || TabCtrl_GetCurSel(tabs) != index) {
        Fail(L"the sheet did not show page " + std::to_wstring(index));
        return false;
    }
    return true;
}

// Saves the sheet and, beside it, the whole screen as a person sees it with
// the page: the bars, the tabs and the input panel where it is raised.
bool SheetTour::SavePage(HWND sheet, HWND tabs, int index)
{
    std::wstring name = PageFileName(tabs, index);
    std::wstring screenName = kScreenPrefix + name;
    UINT_PTR ownTimer = timer;
    auto settle = [ownTimer] { PumpPending(ownTimer); };
    WindowCapture sheetImage, screenImage;
    std::wstring error;
    if (!sheetImage.Capture(sheet, settle, error) || !Save(name, sheetImage) ||
        !screenImage.CaptureScreen(settle, error) || !Save(screenName, screenImage)) {
        if (!error.empty())
            Fail(L"cannot capture page " + std::to_wstring(index) + L": " + error);
        return false;
    }
    gallery.AddPage(index, PageLabel(tabs, index), name, screenName);
    return true;
}

bool SheetTour::Save(const std::wstring &name, const WindowCapture &image)
{
    bool endsWithSeparator = !folder.empty() && IsSeparator(folder.back());
    std::wstring path = folder + (endsWithSeparator ? L"" : L"/") + name;
    std::wstring error;
    if (!writer.Write(path, image, error)) {
        Fail(L"cannot save " + path + L": " + error);
        return false;
    }
    WriteText(stdout, L"saved " + path + L"\n");
    return true;
}

bool SheetTour::WriteGallery(const std::wstring &sheetResult, std::wstring &error) const
{
    return gallery.Write(folder, sheetResult, error);
}

std::wstring SheetTour::PageLabel(HWND tabs, int index) const
{
    wchar_t label[128] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = sizeof label / sizeof label[0];
    TabCtrl_GetItem(tabs, index, &item);
    return item.pszText ? item.pszText : L"";
}

std::wstring SheetTour::PageFileName(HWND tabs, int index) const
{
    wchar_t number[16];
    std::swprintf(number, sizeof number / sizeof number[0], L"page-%02d", index);
    std::wstring name = number;
    std::wstring label = PageLabel(tabs, index);
    if (!label.empty())
        name += L"-" + SafeFileName(label);
    return name + L".png";
}

void SheetTour::Fail(const std::wstring &reason)
{
    if (state == State::Failed)
        return;
    state = State::Failed;
    WriteText(stderr, L"velotab-host: tour failed: " + reason + L"\n");
}

// Cancels the sheet and asks every other window of this thread but the
// owner to close; the process ends if they are still there at the deadline.
void SheetTour::CloseThreadWindows()
{
    if (closing)
        return;
    closing = true;
    deadline = GetTickCount64() + kClosingMs;
    if (sheetWindow && IsWindow(sheetWindow))
        PropSheet_PressButton(sheetWindow, PSBTN_CANCEL);
    CloseThreadWindowsBut(ownerWindow);
}
