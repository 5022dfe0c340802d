// The "About" page: the module's icon, the product name, the version and
// the product's site, which opens in the browser when tapped. It stores no
// settings.
#ifndef VELOTAB_ABOUT_PAGE_H
#define VELOTAB_ABOUT_PAGE_H

#include "OptionPage.h"

class AboutPage : public OptionPage {
public:
    AboutPage();
    // Releases the link font.
    virtual ~AboutPage();

    // Makes the link font, gives the name and version the heading font and
    // shows the version. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns TRUE for every command of the link, whose tap opens the
    // address it shows; otherwise the base handling's result.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns the base background brush, having set the link's and the
    // name's text colours.
    virtual HBRUSH OnCtlColorStatic(HDC dc, HWND control) OVERRIDE;
    // Ends the page; there is nothing to store.
    virtual void OnOK() OVERRIDE;

private:
    void CreateLinkFont();
    // Asks the shell to open the link's address.
    void OpenLink() const;

    HFONT linkFont;
};

#endif
