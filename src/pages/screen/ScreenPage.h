// The "Screen" page: which parts of the browser stay visible in full screen,
// how the user leaves full screen when the menu bar is hidden, and whether a
// soft key may suspend full screen on Windows Mobile 5.
#ifndef VELOTAB_SCREEN_PAGE_H
#define VELOTAB_SCREEN_PAGE_H

#include "OptionPage.h"

class ScreenPage : public OptionPage {
public:
    ScreenPage();

    // Fills the height list and shows the stored settings. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns TRUE for "Hide menu bar", which updates the restore group;
    // other commands return what the inherited handler returns.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all seven settings, then ends the page.
    virtual void OnOK() OVERRIDE;

private:
    // The restore choices matter only while the menu bar is hidden.
    void UpdateRestoreGroup() const;
    // The "Hide" boxes show visibility flags: checked for a hidden part (0).
    void ShowVisibility(int boxId, DWORD visible) const;
    DWORD Visibility(int boxId) const;
};

#endif
