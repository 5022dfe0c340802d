// Stand-in for the add-on on the desktop. Loads VelotabOptions.dll by path,
// calls its exports by ordinal as the add-on does, and prints the result code
// of the options sheet and the settings key that the sheet wrote.
//
// Interactive by default; with --tour it drives the sheet itself and saves a
// screenshot of every page.
#include "ConsoleText.h"
#include "DemoShellButtons.h"
#include "AddOnCalls.h"
#include "FatalExceptionGuard.h"
#include "HostOptions.h"
#include "InputPanelSwitch.h"
#include "RegExport.h"
#include "SheetTour.h"

#include <windows.h>

#include <memory>

namespace {

enum ExitCode { kExitSuccess = 0, kExitFailure = 1, kExitBadArguments = 2 };

const DWORD kRejected = 2;
const wchar_t kOwnerClass[] = L"VelotabHostWindow";

std::wstring SystemMessage(DWORD code)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    return message + L" (" + std::to_wstring(code) + L")";
}

void Complain(const std::wstring &text)
{
    WriteText(stderr, L"velotab-host: " + text + L"\n");
}

// The add-on's main window, which owns the sheet.
HWND CreateOwnerWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, kOwnerClass, L"Velotab host", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

std::wstring ResultText(DWORD code)
{
    if (code == kRejected)
        return L"rejected (2)";
    return L"page " + std::to_wstring(HIWORD(code)) + L", sheet result " +
           std::to_wstring(static_cast<short>(LOWORD(code)));
}

int Run(const HostOptions &options)
{
    HMODULE module = LoadModule(options.dllPath);
    if (!module) {
        Complain(L"cannot load " + options.dllPath + L": " + SystemMessage(GetLastError()));
        return kExitFailure;
    }
    auto showOptions = ExportByOrdinal<ShowOptionsProc>(module, kShowOptionsOrdinal);
    auto installAliases = ExportByOrdinal<InstallDefaultsProc>(module, kInstallAliasesOrdinal);
    auto installServices = ExportByOrdinal<InstallDefaultsProc>(module, kInstallServicesOrdinal);
    if (!showOptions || !installAliases || !installServices) {
        Complain(options.dllPath + L" lacks an export at ordinal 1, 2 or 3");
        FreeLibrary(module);
        return kExitFailure;
    }

    HWND owner = CreateOwnerWindow();
    if (!owner) {
        Complain(L"cannot create the owner window: " + SystemMessage(GetLastError()));
        FreeLibrary(module);
        return kExitFailure;
    }

    const wchar_t *vendor = options.vendorKey.c_str();
    const wchar_t *product = options.productKey.c_str();
    const wchar_t *version = options.versionText.c_str();
    // A desktop has no hardware button keys: the Buttons page gets a demo set.
    InstallDemoShellButtons();
    // The add-on installs its default lists when it starts.
    installAliases(vendor, product, version);
    installServices(vendor, product, version);

    std::unique_ptr<SheetTour> tour;
    if (!options.tourFolder.empty()) {
        tour = std::make_unique<SheetTour>(options.tourFolder, owner, options.tourPages);
        std::wstring error;
        if (!tour->Start(error)) {
            Complain(L"cannot start the tour: " + error);
            DestroyWindow(owner);
            FreeLibrary(module);
            return kExitFailure;
        }
    }

    // With the shell stand-in a key raises and lowers its input panel.
    InputPanelSwitch panelSwitch;
    if (panelSwitch.Create(!tour)) {
        if (!tour)
            WriteText(stdout, std::wstring(InputPanelSwitch::HotKeyName()) +
                                  L" raises and lowers the input panel\n");
        if (options.inputPanelRaised)
            panelSwitch.RaiseAfterStart();
    }

    DWORD code = showOptions(owner, options.holdIntervalHidden, options.platformVersion, 0, 0, 0, 0,
                             1, vendor, product, version, options.startPage);
    if (tour)
        tour->Stop();

    WriteText(stdout, ResultText(code) + L"\n");
    std::wstring galleryError;
    if (tour && tour->Completed() && !tour->WriteGallery(ResultText(code), galleryError))
        Complain(galleryError);
    WriteText(stdout, ExportRegKey(HKEY_CURRENT_USER, L"HKEY_CURRENT_USER",
                                   L"Software\\" + options.vendorKey + L"\\" + options.productKey));

    DestroyWindow(owner);
    FreeLibrary(module);
    bool sheetFailed = code == kRejected || static_cast<short>(LOWORD(code)) < 0;
    return sheetFailed || (tour && !tour->Completed()) ? kExitFailure : kExitSuccess;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    // The tour drives the sheet from a timer, where a crash would be swallowed.
    InstallFatalExceptionGuard();
    PrepareConsoleText();
    HostOptions options;
    std::wstring error;
    switch (ParseHostOptions(argc, argv, options, error)) {
    case ParseOutcome::Help:
        std::fputs(HostUsage(), stdout);
        return kExitSuccess;
    case ParseOutcome::Bad:
        Complain(error);
        std::fputs(HostUsage(), stderr);
        return kExitBadArguments;
    case ParseOutcome::Run:
        break;
    }
    return Run(options);
}
