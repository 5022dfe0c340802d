// The "Buttons" page: the device's hardware buttons, the command put on
// each for a short press and for press-and-hold, the press-and-hold
// interval, and how press-and-hold rows are offered.
#ifndef VELOTAB_BUTTONS_PAGE_H
#define VELOTAB_BUTTONS_PAGE_H

#include "OptionPage.h"

struct ButtonRow;
struct ShellButton;
class RegKey;

// Each list row owns one ButtonRow through its item data. A row's record is
// freed when the list deletes the row, which it does on every rebuild and
// when the page's window goes, whether the sheet was accepted or cancelled.
class ButtonsPage : public OptionPage {
public:
    ButtonsPage();

    // Fills the selectors, the interval and the rows. Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Applies the command and mode selectors' choices. Returns TRUE for
    // those, otherwise what the base returns.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Shows a row's command in the command selector as the row changes and
    // frees the records of deleted rows; returns TRUE for the row change,
    // whose result 0 lets it happen. Other notifications go to the base.
    virtual BOOL OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result) OVERRIDE;
    // Writes the interval, the mode and every button's assignment, then
    // ends the page. Assignments that the rows could not all hold are left
    // as they are stored.
    virtual void OnOK() OVERRIDE;
    // Fits the list to the space the input panel leaves and moves the
    // controls below it along.
    virtual void AdjustLayout(WPARAM wParam, LPARAM lParam) OVERRIDE;

    // Rebuilds the rows from the shell's buttons and the stored assignments.
    void FillButtonList();
    // Puts the command selector's choice on the selected row.
    void ApplyAssignment();

private:
    HWND List() const;
    HWND CommandSelector() const;
    // The row's record, or NULL for a row without one.
    ButtonRow *RowAt(int item) const;
    void ShowAssignment(int item, const ButtonRow &row) const;
    void ShowCommandOf(const ButtonRow *row) const;
    // False when the row could not be made or inserted.
    bool InsertRow(const ShellButton &button, DWORD holdFlag, WORD command, const wchar_t *text,
                   int image) const;
    void FillCommandSelector() const;
    void InitialiseInterval(DWORD interval) const;
    DWORD IntervalToWrite(const RegKey &settings) const;

    // The list's height in pixels at initialisation; the base of the layout.
    int referenceListHeight;
    // How press-and-hold rows are offered: a HoldMode, or a stored value
    // outside them, which is kept.
    DWORD holdMode;
    // The rows have every button: the shell's buttons were read in full.
    bool allButtonsListed;
    // Whether the rows hold every button that was read: false when memory
    // ran out while they were built.
    bool rowsHeld;
};

#endif
