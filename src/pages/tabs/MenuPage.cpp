#include "MenuPage.h"

#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

const DWORD kDefaultDropDown = 0;
const DWORD kDefaultOff = 0;
// The soft-key menu bar exists from Windows Mobile 5 on.
const LONG kFirstSoftKeyPlatform = 5;

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3, IDC_HEADING_4};

const UINT kTabButtonItems[] = {IDS_MENU_DROP_DOWN, IDS_MENU_NEW_BLANK_TAB,
                                IDS_MENU_NEW_CURRENT_TAB, IDS_MENU_NEW_HOME_TAB};
const UINT kBackButtonItems[] = {IDS_MENU_DROP_DOWN, IDS_MENU_BACK_BUTTON};
const UINT kForwardButtonItems[] = {IDS_MENU_DROP_DOWN, IDS_MENU_FORWARD_BUTTON};

// Each button's list and its setting; the list index is the stored number.
struct ButtonList {
    int listId;
    UINT valueId;
    const UINT *items;
    size_t itemCount;
};

const ButtonList kButtonLists[] = {
    {IDC_MENU_TAB, IDS_VALUE_MENU_TAB, kTabButtonItems,
     sizeof kTabButtonItems / sizeof kTabButtonItems[0]},
    {IDC_MENU_BACK, IDS_VALUE_MENU_BACK, kBackButtonItems,
     sizeof kBackButtonItems / sizeof kBackButtonItems[0]},
    {IDC_MENU_FORWARD, IDS_VALUE_MENU_FORWARD, kForwardButtonItems,
     sizeof kForwardButtonItems / sizeof kForwardButtonItems[0]},
};
const size_t kButtonListCount = sizeof kButtonLists / sizeof kButtonLists[0];

} // namespace

MenuPage::MenuPage() : OptionPage(IDD_MENU, 0)
{
}

BOOL MenuPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SettingsKey settings(&unreadValues);
    settings.Create();
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);

    for (size_t i = 0; i < kButtonListCount; ++i) {
        const ButtonList &list = kButtonLists[i];
        for (size_t item = 0; item < list.itemCount; ++item)
            AddListString(list.listId, list.items[item]);
    }
    for (size_t i = 0; i < kButtonListCount; ++i) {
        const ButtonList &list = kButtonLists[i];
        SelectListItem(list.listId, settings.DwordOr(list.valueId, kDefaultDropDown));
    }

    // On older platforms the box shows the stored state but cannot change it.
    SetCheck(IDC_MENU_SOFT_KEY, settings.DwordOr(IDS_VALUE_MENU_SOFT_KEY, kDefaultOff));
    if (hostContext.platformVersion < kFirstSoftKeyPlatform)
        EnableWindow(Control(IDC_MENU_SOFT_KEY), FALSE);

    settings.Close();
    return TRUE;
}

void MenuPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    for (size_t i = 0; i < kButtonListCount; ++i)
        settings.SetDword(kButtonLists[i].valueId, ListSelection(kButtonLists[i].listId));
    settings.SetDword(IDS_VALUE_MENU_SOFT_KEY, CheckState(IDC_MENU_SOFT_KEY));
    settings.Close();
    OptionPage::OnOK();
}
