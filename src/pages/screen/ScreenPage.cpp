#include "ScreenPage.h"

#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

const DWORD kVisible = 1;
const DWORD kHidden = 0;
const DWORD kDefaultVisibility = kHidden;

// "FSRestoreBar": leave full screen by a button, or by a bar along the edge.
const DWORD kRestoreByButton = 0;
const DWORD kRestoreByBar = 1;

const DWORD kMaxRestoreBarHeight = 12;
const DWORD kDefaultRestoreBarHeight = 6;

const DWORD kDefaultSoftKey = 1;
// The soft key option exists from Windows Mobile 5 on.
const LONG kFirstSoftKeyPlatform = 5;

const int kHeadings[] = {IDC_HEADING_1};
const int kRestoreGroup[] = {IDC_SCREEN_RESTORE_BUTTON, IDC_SCREEN_RESTORE_BAR,
                             IDC_SCREEN_PIXELS_LABEL, IDC_SCREEN_RESTORE_BAR_HEIGHT};

} // namespace

ScreenPage::ScreenPage() : OptionPage(IDD_SCREEN, 0)
{
}

BOOL ScreenPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);
    AddListRange(IDC_SCREEN_RESTORE_BAR_HEIGHT, 0, kMaxRestoreBarHeight);

    // Opened, not created: a missing key shows the defaults.
    SettingsKey settings(&unreadValues);
    settings.Open();
    ShowVisibility(IDC_SCREEN_HIDE_ADDRESS_BAR,
                   settings.DwordOr(IDS_VALUE_FS_ADDRESS_BAR, kDefaultVisibility));
    ShowVisibility(IDC_SCREEN_HIDE_MENU_BAR,
                   settings.DwordOr(IDS_VALUE_FS_MENU_BAR, kDefaultVisibility));
    UpdateRestoreGroup();

    DWORD restore = settings.DwordOr(IDS_VALUE_FS_RESTORE_BAR, kRestoreByButton);
    CheckRadioButton(window, IDC_SCREEN_RESTORE_BUTTON, IDC_SCREEN_RESTORE_BAR,
                     restore != kRestoreByButton ? IDC_SCREEN_RESTORE_BAR
                                                 : IDC_SCREEN_RESTORE_BUTTON);

    // Compared unsigned, so a negative height counts as too large.
    DWORD height = settings.DwordOr(IDS_VALUE_FS_RESTORE_BAR_HEIGHT, kDefaultRestoreBarHeight);
    if (height > kMaxRestoreBarHeight)
        height = kDefaultRestoreBarHeight;
    SelectListItem(IDC_SCREEN_RESTORE_BAR_HEIGHT, height);

    ShowVisibility(IDC_SCREEN_HIDE_V_SCROLL,
                   settings.DwordOr(IDS_VALUE_FS_V_SCROLL, kDefaultVisibility));
    ShowVisibility(IDC_SCREEN_HIDE_H_SCROLL,
                   settings.DwordOr(IDS_VALUE_FS_H_SCROLL, kDefaultVisibility));

    // Shown and written back on older platforms too, only not editable.
    SetCheck(IDC_SCREEN_SOFT_KEY, settings.DwordOr(IDS_VALUE_FS_SOFT_KEY, kDefaultSoftKey));
    if (hostContext.platformVersion < kFirstSoftKeyPlatform)
        EnableWindow(Control(IDC_SCREEN_SOFT_KEY), FALSE);

    settings.Close();
    return TRUE;
}

BOOL ScreenPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SCREEN_HIDE_MENU_BAR) {
        UpdateRestoreGroup();
        return TRUE;
    }
    return OptionPage::OnCommand(wParam, lParam);
}

void ScreenPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_FS_ADDRESS_BAR, Visibility(IDC_SCREEN_HIDE_ADDRESS_BAR));
    settings.SetDword(IDS_VALUE_FS_MENU_BAR, Visibility(IDC_SCREEN_HIDE_MENU_BAR));
    settings.SetDword(IDS_VALUE_FS_RESTORE_BAR, CheckState(IDC_SCREEN_RESTORE_BUTTON) == BST_CHECKED
                                                    ? kRestoreByButton
                                                    : kRestoreByBar);
    settings.SetDword(IDS_VALUE_FS_RESTORE_BAR_HEIGHT,
                      ListSelection(IDC_SCREEN_RESTORE_BAR_HEIGHT));
    settings.SetDword(IDS_VALUE_FS_V_SCROLL, Visibility(IDC_SCREEN_HIDE_V_SCROLL));
    settings.SetDword(IDS_VALUE_FS_H_SCROLL, Visibility(IDC_SCREEN_HIDE_H_SCROLL));
    settings.SetDword(IDS_VALUE_FS_SOFT_KEY, CheckState(IDC_SCREEN_SOFT_KEY));
    settings.Close();
    OptionPage::OnOK();
}

// Checked and selected states stay as they are while the group is disabled.
void ScreenPage::UpdateRestoreGroup() const
{
    BOOL menuBarHidden = CheckState(IDC_SCREEN_HIDE_MENU_BAR) == BST_CHECKED;
    for (size_t i = 0; i < sizeof kRestoreGroup / sizeof kRestoreGroup[0]; ++i)
        EnableWindow(Control(kRestoreGroup[i]), menuBarHidden);
}

void ScreenPage::ShowVisibility(int boxId, DWORD visible) const
{
    SetCheck(boxId, visible == kHidden ? BST_CHECKED : BST_UNCHECKED);
}

DWORD ScreenPage::Visibility(int boxId) const
{
    return CheckState(boxId) == BST_CHECKED ? kHidden : kVisible;
}
