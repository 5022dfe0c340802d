#include "ViewPage.h"

#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

const DWORD kDefaultOn = 1;

const DWORD kDefaultSplitLength = 24;
const short kMinSplitLength = 8;
const short kMaxSplitLength = 99;

// Splitting preformatted text is an option of Pocket PC 2002 and earlier.
const LONG kLastSplitPrePlatform = 2;

const wchar_t kDefaultViewer[] = L"\\windows\\notes.exe";
const int kMaxViewerPathLength = 4095;

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2};

} // namespace

ViewPage::ViewPage() : OptionPage(IDD_VIEW, 0)
{
}

BOOL ViewPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SettingsKey settings(&unreadValues);
    settings.Create();
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);

    SetCheck(IDC_VIEW_SPLIT_TEXT, settings.DwordOr(IDS_VALUE_SPLIT_TEXT, kDefaultOn));

    // The control keeps the number in range and shows it in its buddy edit.
    DWORD length = settings.DwordOr(IDS_VALUE_SPLIT_TEXT_LEN, kDefaultSplitLength);
    SendControlMessage(IDC_VIEW_SPLIT_TEXT_LEN_SPIN, CCM_SETVERSION, COMCTL32_VERSION, 0);
    SendControlMessage(IDC_VIEW_SPLIT_TEXT_LEN_SPIN, UDM_SETRANGE, 0,
                       MAKELPARAM(kMaxSplitLength, kMinSplitLength));
    SendControlMessage(IDC_VIEW_SPLIT_TEXT_LEN_SPIN, UDM_SETPOS, 0, MAKELPARAM(LOWORD(length), 0));

    SetCheck(IDC_VIEW_COMBINE_TD, settings.DwordOr(IDS_VALUE_COMBINE_TD, kDefaultOn));
    // Shown and written back on later platforms too, only not editable.
    SetCheck(IDC_VIEW_SPLIT_PRE, settings.DwordOr(IDS_VALUE_SPLIT_PRE, kDefaultOn));
    if (hostContext.platformVersion > kLastSplitPrePlatform)
        EnableWindow(Control(IDC_VIEW_SPLIT_PRE), FALSE);

    wchar_t viewer[kMaxViewerPathLength + 1];
    settings.StringOr(IDS_VALUE_VIEW_SOURCE_APP, kDefaultViewer, viewer, kMaxViewerPathLength);
    SetWindowTextW(Control(IDC_VIEW_SOURCE_APP), viewer);

    settings.Close();
    return TRUE;
}

void ViewPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_SPLIT_TEXT, CheckState(IDC_VIEW_SPLIT_TEXT));
    // The low half is the position; the high half only flags a number typed
    // out of range, which leaves the position where it was.
    settings.SetDword(IDS_VALUE_SPLIT_TEXT_LEN,
                      LOWORD(SendControlMessage(IDC_VIEW_SPLIT_TEXT_LEN_SPIN, UDM_GETPOS, 0, 0)));
    settings.SetDword(IDS_VALUE_COMBINE_TD, CheckState(IDC_VIEW_COMBINE_TD));
    settings.SetDword(IDS_VALUE_SPLIT_PRE, CheckState(IDC_VIEW_SPLIT_PRE));
    // Stored as typed: neither checked for existence nor quoted.
    wchar_t viewer[kMaxViewerPathLength + 1];
    ControlText(IDC_VIEW_SOURCE_APP, viewer, kMaxViewerPathLength);
    settings.SetString(IDS_VALUE_VIEW_SOURCE_APP, viewer);
    settings.Close();
    OptionPage::OnOK();
}
