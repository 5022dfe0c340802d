#include "OptionSheet.h"

#include "HostContext.h"
#include "OptionPage.h"

namespace {

const DWORD kSheetFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP | PSH_MAXIMIZE;
const int kSheetFailed = -1;

} // namespace

OptionSheet::OptionSheet(UINT captionId, UINT iconId, HWND ownerWindow, int startPage)
    : window(NULL), activePage(startPage)
{
    ZeroMemory(&header, sizeof header);
    header.dwSize = sizeof header;
    header.dwFlags = kSheetFlags;
    header.hwndParent = ownerWindow;
    header.hInstance = hostContext.instance;
    header.pszIcon = MAKEINTRESOURCEW(iconId);
    header.pszCaption = MAKEINTRESOURCEW(captionId);
    header.nStartPage = startPage;
    header.pfnCallback = SheetCallback;
}

OptionSheet::~OptionSheet()
{
}

int OptionSheet::Run()
{
    // The platform copies the descriptors while it builds the sheet; the
    // array lives only for the call.
    GrowableArray<PROPSHEETPAGEW> descriptors;
    if (!descriptors.Reserve(pages.Size()))
        return kSheetFailed;
    for (size_t i = 0; i < pages.Size(); ++i)
        descriptors.Append(pages[i]->PageDescriptor());
    header.nPages = static_cast<UINT>(descriptors.Size());
    header.ppsp = descriptors.Empty() ? NULL : &descriptors[0];

    OptionSheet *outer = hostContext.currentSheet;
    hostContext.currentSheet = this;
    INT_PTR result = PropertySheetW(&header);
    hostContext.currentSheet = outer;

    header.nPages = 0;
    header.ppsp = NULL;
    return static_cast<int>(result);
}

BOOL OptionSheet::OnInitialized()
{
    return TRUE;
}

bool OptionSheet::AddPage(OptionPage *page)
{
    if (!pages.Append(page))
        return false;
    page->AttachToSheet(static_cast<int>(pages.Size()) - 1, &activePage);
    return true;
}

int CALLBACK OptionSheet::SheetCallback(HWND sheetWindow, UINT message, LPARAM)
{
    OptionSheet *sheet = hostContext.currentSheet;
    switch (message) {
    case PSCB_INITIALIZED:
        if (!sheet)
            return 0;
        sheet->window = sheetWindow;
        return sheet->OnInitialized();
    case PSCB_GETVERSION:
        return COMCTL32_VERSION;
    default:
        return 0;
    }
}
