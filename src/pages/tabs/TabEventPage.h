// The "Tab Event" page: what a new tab shows, what happens when a page has
// loaded in a tab (a sound, bringing the tab to the front), and whether a
// double tap closes a tab. The sound list offers the add-on's built-in sound
// next to every ".wav" file of the device's "\Windows\" folder, with two
// bitmap buttons that play and stop a preview.
#ifndef VELOTAB_TAB_EVENT_PAGE_H
#define VELOTAB_TAB_EVENT_PAGE_H

#include "ButtonImage.h"
#include "OptionPage.h"

class TabEventPage : public OptionPage {
public:
    TabEventPage();

    // Draws the two bitmap buttons on WM_DRAWITEM, then routes every message
    // as the base does; returns what the dialog procedure returns.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Fills the lists, builds the sound list and shows the stored settings.
    // Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns nonzero when the command was handled: play, stop, IDOK and
    // IDCANCEL.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Writes all five settings, then ends the page.
    virtual void OnOK() OVERRIDE;
    // Returns TRUE when it drew the play or the stop button, FALSE for any
    // other control.
    virtual BOOL OnDrawItem(WPARAM controlId, const DRAWITEMSTRUCT *item);

private:
    // The built-in entry and one entry for each sound file of the folder.
    void FillSoundList() const;
    void AddSoundFile(const WIN32_FIND_DATAW &file) const;
    // Selects the entry named by the stored setting, else the built-in one.
    void SelectSound(const wchar_t *name) const;
    // Whether the selected entry stands for the built-in sound; so does a
    // list without a selection.
    bool BuiltInSoundSelected() const;
    // The selected entry's text; "" without a selection. Entries are file
    // names, which fit.
    void SelectedSoundText(wchar_t (&text)[MAX_PATH]) const;
    void PlayPreview() const;

    ButtonImage playImage;
    ButtonImage stopImage;
};

#endif
