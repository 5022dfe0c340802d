// The "Menu" page: whether the tab, back and forward buttons of the add-on
// act as drop-down buttons or as the plain button named in their lists, and
// whether the add-on enables a soft-key menu bar on Windows Mobile 5.
#ifndef VELOTAB_MENU_PAGE_H
#define VELOTAB_MENU_PAGE_H

#include "OptionPage.h"

class MenuPage : public OptionPage {
public:
    MenuPage();

    // Fills the lists and shows the stored settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all four settings, then ends the page.
    virtual void OnOK() OVERRIDE;
};

#endif
