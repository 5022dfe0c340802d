// Base dialog class: binds one dialog window to one object and routes the
// dialog messages to virtual handlers with the Pocket PC defaults.
#ifndef VELOTAB_OPTION_DIALOG_H
#define VELOTAB_OPTION_DIALOG_H

#include "GrowableArray.h"
#include "Platform.h"

class OptionDialog {
public:
    OptionDialog(UINT templateId, HWND ownerWindow);
    // Releases the heading font and the separator image; the window and
    // menu bar go with the dialog.
    virtual ~OptionDialog();

    // Runs the dialog modally from its template; returns the dialog result.
    virtual int DoModal();
    // Ends the dialog with the given result.
    virtual void EndModal(int result);
    // Routes a dialog message; returns what the dialog procedure returns.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Makes the heading font, fits the separators to the screen, runs the
    // shell's full-screen set-up and makes the menu bar. Returns TRUE to let
    // the dialog manager set the focus.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam);
    // Returns nonzero when the command was handled (IDOK and IDCANCEL).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Returns nonzero when handled; *result then becomes the message result.
    virtual BOOL OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result);
    // Passes the change on to AdjustLayout; returns TRUE.
    virtual BOOL OnSettingChange(WPARAM wParam, LPARAM lParam);
    // Returns the brush that paints static controls' background.
    virtual HBRUSH OnCtlColorStatic(HDC dc, HWND control);
    // Accepts: ends the dialog with 1.
    virtual void OnOK();
    // Cancels: ends the dialog with 2.
    virtual void OnCancel();
    // Fits the controls to the space the input panel leaves; nothing here.
    virtual void AdjustLayout(WPARAM wParam, LPARAM lParam);

    // The dialog procedure given to the platform by DoModal.
    static INT_PTR CALLBACK DialogProcThunk(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    HWND Window() const { return window; }
    HWND MenuBar() const { return menuBar; }
    HFONT HeadingFont() const { return headingFont; }

protected:
    // Shared by the dialog procedures: binds `created` to the window at
    // WM_INITDIALOG, finds the bound object for later messages, and hands
    // the message to it. Messages before WM_INITDIALOG get FALSE.
    static INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            OptionDialog *created);

    // The description of the font selected in the dialog's device context,
    // which fonts of the dialog's own are made from, at a height given in
    // pixels of the QVGA screen. Height and width grow with the screen's
    // density alike, so that the font keeps its QVGA proportions.
    LOGFONTW CurrentFontAt(LONG qvgaHeight) const;
    // The bottom of the desktop that the input panel leaves visible, as the
    // shell reports it; layouts that follow the panel start from it.
    static LONG VisibleDesktopBottom();
    // Gives each listed heading control the heading font.
    void SetHeadingFont(const int *controlIds, int count) const;
    // The dialog's control with this id, or NULL. Each id is looked up once
    // a window: a lookup by id lists all of the dialog's children, which
    // under a window server costs a round trip.
    HWND Control(int controlId) const;
    // SendDlgItemMessageW through the remembered control.
    LRESULT SendControlMessage(int controlId, UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND window;
    HWND ownerWindow;
    HWND menuBar;
    HFONT headingFont;
    UINT templateId;
    BOOL fullScreenInit;

private:
    void CreateHeadingFont();
    void ScaleSeparators();
    void CreateMenuBar();

    // The separator image grown for a screen denser than the QVGA one, which
    // every separator of the dialog shows; NULL where none is needed.
    HBITMAP scaledSeparator;
    // The controls looked up so far, by id; emptied when the object is bound
    // to a new window. One that finds no room is looked up again next time.
    struct KnownControl {
        int id;
        HWND control;
    };
    mutable GrowableArray<KnownControl> controls;

    OptionDialog(const OptionDialog &);
    OptionDialog &operator=(const OptionDialog &);
};

#endif
