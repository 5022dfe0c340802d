// The "Scroll" page: the step of a line scroll, the overlap kept by a page
// scroll (in pixels or as a percentage, chosen by a pair of radio buttons)
// and the sensitivity of dragging the screen.
#ifndef VELOTAB_SCROLL_PAGE_H
#define VELOTAB_SCROLL_PAGE_H

#include "OptionPage.h"

class ScrollPage : public OptionPage {
public:
    ScrollPage();

    // Fills the four lists and shows the stored settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all five settings; the page stays open, as the sheet closes it.
    virtual void OnOK() OVERRIDE;
};

#endif
