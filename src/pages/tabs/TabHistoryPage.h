// The "Tab History" page: clears the add-on's history of closed tabs at
// once. The page has no settings of its own.
#ifndef VELOTAB_TAB_HISTORY_PAGE_H
#define VELOTAB_TAB_HISTORY_PAGE_H

#include "OptionPage.h"

class TabHistoryPage : public OptionPage {
public:
    TabHistoryPage();

    // Gives the heading and the Clear button the heading font. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns nonzero when the command was handled: Clear, IDOK and IDCANCEL.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;

private:
    // Deletes the history with everything below it; a missing settings key
    // is left missing.
    void ClearHistory() const;
};

#endif
