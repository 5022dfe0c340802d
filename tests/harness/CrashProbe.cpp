// A test program whose sheet script crashes inside a page handler, as a
// fault in the module would. Run by the harness tests as a child process:
// with the fatal exception guard it must end with a failing status; with
// --unguarded it shows that the platform swallows the crash and exits 0.
#include "FatalExceptionGuard.h"
#include "HostContext.h"
#include "OptionSheet.h"
#include "SheetDriver.h"
#include "TabDisplayPage.h"
#include "resource.h"

#include <cstring>

namespace {

const int kCrashCommand = 0x7001;

// A real page whose command handler writes through a null pointer.
class CrashingPage : public TabDisplayPage {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kCrashCommand)
            *static_cast<volatile int *>(nullptr) = 1;
        return TabDisplayPage::OnCommand(wParam, lParam);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--unguarded") != 0)
        InstallFatalExceptionGuard();
    hostContext.instance = GetModuleHandleW(nullptr);
    hostContext.vendorKey = L"VelotabTests";
    hostContext.productKey = L"CrashProbe";

    CrashingPage page;
    OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, nullptr, 0);
    sheet.AddPage(&page);
    sheet::RunSheet([&] { sheet.Run(); },
                    [](HWND window) {
                        // Queued first, so the sheet still closes when the
                        // crash below is swallowed.
                        PostMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                        SendMessageW(sheet::CurrentPage(window), WM_COMMAND, kCrashCommand, 0);
                    });
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VelotabTests\\CrashProbe");
    return 0;
}
