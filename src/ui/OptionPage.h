// Base class of every options page: a dialog that carries its property
// page descriptor and knows its place in the sheet.
#ifndef VELOTAB_OPTION_PAGE_H
#define VELOTAB_OPTION_PAGE_H

#include "OptionDialog.h"
#include "UnreadValues.h"

class OptionPage : public OptionDialog {
public:
    // A nonzero titleId replaces the template's caption as the tab label.
    OptionPage(UINT templateId, UINT titleId);

    // Runs the inherited initialisation; returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Hands PSN_APPLY to OnApply and PSN_SETACTIVE to OnSetActive. Returns
    // FALSE, so the sheet sees 0 for both and nothing else is handled.
    virtual BOOL OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result) OVERRIDE;
    // The sheet is accepted: writes the page's settings through OnOK.
    // Returns TRUE.
    virtual BOOL OnApply();
    // The page is shown: records it as the sheet's active page. Returns TRUE.
    virtual BOOL OnSetActive();

    // The dialog procedure of every page.
    static INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Called by the sheet when it takes the page.
    void AttachToSheet(int index, int *activePageSlot);
    const PROPSHEETPAGEW &PageDescriptor() const { return pageDescriptor; }
    int PageIndex() const { return pageIndex; }

protected:
    // Control helpers shared by the pages.
    void AddListItem(int listId, LPCWSTR text) const;
    void AddListString(int listId, UINT stringId) const;
    // Adds the number as decimal text.
    void AddListNumber(int listId, DWORD number) const;
    // Adds the numbers first to last in rising order, quickly enough for
    // lists of hundreds of items.
    void AddListRange(int listId, DWORD first, DWORD last) const;
    void SelectListItem(int listId, DWORD index) const;
    DWORD ListSelection(int listId) const;
    void SetCheck(int boxId, DWORD state) const;
    DWORD CheckState(int boxId) const;
    // Copies the control's text into text, which has room for maxLength
    // characters and a NUL; a longer text is cut.
    void ControlText(int controlId, wchar_t *text, int maxLength) const;
    // Ends a fill of a list view whose drawing was turned off with
    // WM_SETREDRAW: turns it back on, has the list drawn afresh, and lets
    // the list work out its rows and scroll bars now, while its page may
    // still be hidden, rather than in its first paint on screen.
    static void EndListViewFill(HWND list);
    // Fits a list to the desktop that the input panel leaves visible: the
    // list has referenceHeight while that desktop reaches the bottom of the
    // QVGA screen's lowered-panel desktop, and gives up as much as the panel
    // covers of it, at most a fixed amount; a desktop down to the screen's
    // bottom still keeps a menu bar's height free. The controls listed move
    // with the list's bottom, and the list's selection mark stays in sight.
    // Returns false when the list already had its height and nothing moved.
    bool FitListToPanel(HWND list, int referenceHeight, const int *controlsBelow,
                        size_t controlCount) const;

    int *activePageSlot;
    int pageIndex;
    PROPSHEETPAGEW pageDescriptor;
    // The settings the page could not read, which its writes leave alone
    // while the page shows what it showed for them. Reads and writes from
    // const helpers note into it too.
    mutable UnreadValues unreadValues;
};

#endif
