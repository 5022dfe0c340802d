// The "View" page: the application that shows a web page's source, and the
// pocket view layout options (splitting long text at a chosen length,
// combining table cells of the same style, splitting preformatted text on
// Pocket PC 2002).
#ifndef VELOTAB_VIEW_PAGE_H
#define VELOTAB_VIEW_PAGE_H

#include "OptionPage.h"

class ViewPage : public OptionPage {
public:
    ViewPage();

    // Creates the settings key when it is missing and shows the stored
    // settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all five settings, then ends the page.
    virtual void OnOK() OVERRIDE;
};

#endif
