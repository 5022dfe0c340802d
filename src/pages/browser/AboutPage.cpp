#include "AboutPage.h"

#include "BoundedText.h"
#include "HostContext.h"
#include "resource.h"

namespace {

// The link is the page's font, underlined, at the heading's height.
const LONG kLinkFontHeight = -11;
const COLORREF kLinkColour = RGB(0, 0, 255);
// The second piece of the product name stands out in red.
const COLORREF kNameColour = RGB(255, 71, 71);

const wchar_t kVersionPrefix[] = L"V";
// Room for the version line with its NUL; a longer version text is cut.
const size_t kVersionCapacity = 4096;
// The shell is given at most this much of the link's text.
const int kMaxLinkLength = 63;
const wchar_t kOpenVerb[] = L"open";

const int kHeadings[] = {IDC_ABOUT_NAME_FIRST, IDC_ABOUT_NAME_SECOND, IDC_ABOUT_VERSION};

} // namespace

AboutPage::AboutPage() : OptionPage(IDD_ABOUT, 0), linkFont(NULL)
{
}

AboutPage::~AboutPage()
{
    if (linkFont)
        DeleteObject(linkFont);
}

BOOL AboutPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    CreateLinkFont();
    SendControlMessage(IDC_ABOUT_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), TRUE);
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);
    wchar_t version[kVersionCapacity];
    BoundedText text(version, kVersionCapacity);
    text.Append(kVersionPrefix);
    text.Append(hostContext.versionText);
    SetWindowTextW(Control(IDC_ABOUT_VERSION), version);
    return TRUE;
}

BOOL AboutPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != IDC_ABOUT_LINK)
        return OptionPage::OnCommand(wParam, lParam);
    if (HIWORD(wParam) == STN_CLICKED)
        OpenLink();
    return TRUE;
}

HBRUSH AboutPage::OnCtlColorStatic(HDC dc, HWND control)
{
    HBRUSH background = OptionPage::OnCtlColorStatic(dc, control);
    switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_LINK:
        SetTextColor(dc, kLinkColour);
        break;
    case IDC_ABOUT_NAME_SECOND:
        SetTextColor(dc, kNameColour);
        break;
    default:
        break;
    }
    return background;
}

void AboutPage::OnOK()
{
    OptionPage::OnOK();
}

// Made as the heading font is; a font left from an earlier window of this
// object is released first.
void AboutPage::CreateLinkFont()
{
    if (linkFont)
        DeleteObject(linkFont);
    LOGFONTW description = CurrentFontAt(kLinkFontHeight);
    description.lfUnderline = TRUE;
    linkFont = CreateFontIndirectW(&description);
}

void AboutPage::OpenLink() const
{
    wchar_t address[kMaxLinkLength + 1];
    ControlText(IDC_ABOUT_LINK, address, kMaxLinkLength);
    SHELLEXECUTEINFO execute;
    ZeroMemory(&execute, sizeof execute);
    execute.cbSize = sizeof execute;
    execute.hwnd = window;
    execute.lpVerb = kOpenVerb;
    execute.lpFile = address;
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteEx(&execute);
}
