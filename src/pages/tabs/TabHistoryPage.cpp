#include "TabHistoryPage.h"

#include "SettingsKey.h"
#include "resource.h"

namespace {

// The add-on keeps its closed tabs in this section; its layout is the
// add-on's own, so the page only ever deletes it as a whole.
const wchar_t kClosedSection[] = L"Closed";

const int kBoldControls[] = {IDC_HEADING_1, IDC_HISTORY_CLEAR};

} // namespace

TabHistoryPage::TabHistoryPage() : OptionPage(IDD_TAB_HISTORY, 0)
{
}

BOOL TabHistoryPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SetHeadingFont(kBoldControls, sizeof kBoldControls / sizeof kBoldControls[0]);
    return TRUE;
}

// Clearing acts at once, not on acceptance: cancelling the sheet afterwards
// does not bring the history back.
BOOL TabHistoryPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_HISTORY_CLEAR) {
        ClearHistory();
        return TRUE;
    }
    return OptionPage::OnCommand(wParam, lParam);
}

void TabHistoryPage::ClearHistory() const
{
    SettingsKey settings;
    if (!settings.Open())
        return;
    settings.DeleteSubKey(kClosedSection);
    settings.Close();
}
