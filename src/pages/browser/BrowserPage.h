// The "PIE" page: whether the browser runs scripts and shows script errors,
// whether it draws ClearType text (both kept in the browser's own keys),
// and which element gets the focus when the browser starts (kept in the
// add-on's key).
#ifndef VELOTAB_BROWSER_PAGE_H
#define VELOTAB_BROWSER_PAGE_H

#include "OptionPage.h"

class BrowserPage : public OptionPage {
public:
    BrowserPage();

    // Fills the lists and shows the stored settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all three settings, then ends the page.
    virtual void OnOK() OVERRIDE;

private:
    void WriteScriptSettings(DWORD runScripts, DWORD showScriptErrors) const;
    void WriteClearTypeSetting(DWORD clearType) const;
};

#endif
