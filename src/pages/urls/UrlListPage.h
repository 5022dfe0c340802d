// The editing page of a URL list: a three-column list that shows the working
// copy of the stored list, buttons to add, remove, move and restore entries,
// fields and flag boxes for the current row, and a rewrite of the whole list
// when the sheet is accepted. The URL Alias and URL Service pages are this
// page with their own UrlListPageKind.
#ifndef VELOTAB_URL_LIST_PAGE_H
#define VELOTAB_URL_LIST_PAGE_H

#include "OptionPage.h"
#include "UrlListStore.h"

struct UrlColumn {
    UINT titleId;
    int width;
};

// A check box that sets one flag position to its letter.
struct UrlFlagBox {
    int boxId;
    wchar_t letter;
};

// What sets one URL list page apart from the other.
struct UrlListPageKind {
    UINT templateId;
    const UrlListKind *list;
    // Flags, name and URL, in this order.
    UrlColumn columns[3];
    // The field that edits column 1; the URL field is the same on both.
    int nameFieldId;
    // Whether text typed into the name field is turned into lower case.
    bool lowerCaseName;
    // Column 1 of a row that Add makes.
    UINT newNameId;
    // One box a flag position, in position order.
    const UrlFlagBox *flagBoxes;
    size_t flagBoxCount;
    // The flag position that only one row may carry; kNoExclusiveFlag for none.
    int exclusiveFlag;
    // Enabled exactly while a row is current.
    const int *itemControls;
    size_t itemControlCount;
    // Moved with the bottom of the list when the input panel comes and goes.
    const int *controlsBelowList;
    size_t controlsBelowListCount;
    // The drop-down list of expand-key choices; 0 for none.
    int expandKeyListId;
};

const int kNoExclusiveFlag = -1;

class UrlListPage : public OptionPage {
public:
    explicit UrlListPage(const UrlListPageKind &kind);

    // Fills the list from the registry, fits it to the input panel and
    // leaves no row current. Returns FALSE: the focus is on the list.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns nonzero for the page's buttons, flag boxes and fields; other
    // commands go to the base.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Follows the list's selection and gives the list the texts it shows.
    // Returns nonzero for the list's item and display notifications, with
    // *result 0 so that every change is allowed; other notifications go to
    // the base.
    virtual BOOL OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result) OVERRIDE;
    // Rewrites the stored list from the rows, then ends the page. A list
    // that the page could not hold whole is not rewritten.
    virtual void OnOK() OVERRIDE;
    // Gives the list the height that keeps the fields below it above the
    // input panel, and moves those fields with it. The arguments are unused.
    virtual void AdjustLayout(WPARAM wParam, LPARAM lParam) OVERRIDE;

    // Writes the built-in list when none is stored; needs no window.
    void InstallDefaults() const;

private:
    void AddItem();
    void RemoveItem();
    void MoveItem(int buttonId);
    void RestoreDefaults();
    void OnFlagClicked(int boxId);
    void OnEditChanged(int fieldId, HWND field);
    void ShowCurrentItem();
    void UpdateControlStates() const;
    void OnFieldFocused();

    HWND List() const;
    bool IsRow(int row) const;
    // "" for a cell that does not exist.
    const wchar_t *CellText(int row, int column) const;
    void SetCellText(int row, int column, const wchar_t *text);
    void ShowCellText(LVITEMW &item) const;
    // Takes the entry's texts into a new row; false when there was no room.
    bool InsertRow(int row, UrlEntry &entry);
    // Takes the entries' texts into the rows.
    void FillRows(UrlList &entries);
    void MakeCurrent(int row);
    int ShowMessage(UINT textId, UINT buttons) const;
    bool IsField(int controlId) const;

    const UrlListPageKind &kind;
    // Remembers what the list read at initialisation, so that accepting an
    // unchanged list leaves its section alone.
    UrlListStore store;
    // The working copy, one entry a list row in the same order. The list
    // keeps no texts of its own: it asks for those of the rows it draws.
    UrlList rows;
    // Whether the rows hold the whole list: false once memory ran out while
    // they were filled or edited.
    bool rowsHeld;
    int currentItem;
    int referenceListHeight;
};

#endif
