// The "Tab Display" page: how many tabs are visible, the tab height, whether
// a lone tab hides the tab bar, and where tabs are placed.
#ifndef VELOTAB_TAB_DISPLAY_PAGE_H
#define VELOTAB_TAB_DISPLAY_PAGE_H

#include "OptionPage.h"

class TabDisplayPage : public OptionPage {
public:
    TabDisplayPage();

    // Fills the lists and shows the stored settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all five settings, then ends the page.
    virtual void OnOK() OVERRIDE;
};

#endif
