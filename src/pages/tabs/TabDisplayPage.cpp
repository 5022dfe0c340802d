#include "TabDisplayPage.h"

#include "SettingsKey.h"
#include "resource.h"

namespace {

const DWORD kDefaultTabCount = 3;
const DWORD kMinTabCount = 2;
const DWORD kMaxTabCount = 8;
const DWORD kMinTabHeight = 12;
const DWORD kMaxTabHeight = 22;
const DWORD kDefaultTabHeight = kMaxTabHeight;
const DWORD kDefaultOff = 0;

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2};

// Compared as unsigned numbers, so a negative value counts as too large.
DWORD Clamp(DWORD value, DWORD low, DWORD high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}

} // namespace

TabDisplayPage::TabDisplayPage() : OptionPage(IDD_TAB_DISPLAY, 0)
{
}

BOOL TabDisplayPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SettingsKey settings(&unreadValues);
    settings.Create();
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);

    for (DWORD count = kMinTabCount; count <= kMaxTabCount; ++count)
        AddListNumber(IDC_TAB_COUNT, count);
    DWORD count = settings.DwordOr(IDS_VALUE_TAB_COUNT, kDefaultTabCount);
    SelectListItem(IDC_TAB_COUNT, Clamp(count, kMinTabCount, kMaxTabCount) - kMinTabCount);

    for (DWORD height = kMaxTabHeight; height >= kMinTabHeight; --height)
        AddListNumber(IDC_TAB_HEIGHT, height);
    DWORD height = settings.DwordOr(IDS_VALUE_TAB_HEIGHT, kDefaultTabHeight);
    SelectListItem(IDC_TAB_HEIGHT, kMaxTabHeight - Clamp(height, kMinTabHeight, kMaxTabHeight));

    SetCheck(IDC_TAB_HIDE_SINGLE, settings.DwordOr(IDS_VALUE_TAB_HIDE_SINGLE, kDefaultOff));

    AddListString(IDC_TAB_POS_NEW_TAB, IDS_TAB_POS_NEXT_TO_CURRENT);
    AddListString(IDC_TAB_POS_NEW_TAB, IDS_TAB_POS_END_OF_BAR);
    SelectListItem(IDC_TAB_POS_NEW_TAB, settings.DwordOr(IDS_VALUE_TAB_POS_NEW_TAB, kDefaultOff));

    AddListString(IDC_TAB_POS_ACTIVATE, IDS_TAB_ACTIVATE_LEFT);
    AddListString(IDC_TAB_POS_ACTIVATE, IDS_TAB_ACTIVATE_RIGHT);
    SelectListItem(IDC_TAB_POS_ACTIVATE, settings.DwordOr(IDS_VALUE_TAB_POS_ACTIVATE, kDefaultOff));

    settings.Close();
    return TRUE;
}

void TabDisplayPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_TAB_COUNT, ListSelection(IDC_TAB_COUNT) + kMinTabCount);
    settings.SetDword(IDS_VALUE_TAB_HEIGHT, kMaxTabHeight - ListSelection(IDC_TAB_HEIGHT));
    settings.SetDword(IDS_VALUE_TAB_HIDE_SINGLE, CheckState(IDC_TAB_HIDE_SINGLE));
    settings.SetDword(IDS_VALUE_TAB_POS_NEW_TAB, ListSelection(IDC_TAB_POS_NEW_TAB));
    settings.SetDword(IDS_VALUE_TAB_POS_ACTIVATE, ListSelection(IDC_TAB_POS_ACTIVATE));
    settings.Close();
    OptionPage::OnOK();
}
