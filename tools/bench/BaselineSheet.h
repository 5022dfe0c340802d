// The yardstick for the options sheet: a property sheet made of the same
// dialog templates, taken from the DLL in the options sheet's page order,
// with the same sheet header and pages that make only the shell calls that
// every options page must make: the full-screen set-up and the empty menu
// bar. What the options sheet takes beyond it is the cost of the module's
// own code.
#ifndef VELOTAB_BASELINE_SHEET_H
#define VELOTAB_BASELINE_SHEET_H

#include "aygshell.h"

#include <string>
#include <vector>

class BaselineSheet {
public:
    // Takes every page template that the module carries; templates that it
    // does not carry yet are left out. The shell calls are those of the
    // shell library that the module has loaded.
    explicit BaselineSheet(HMODULE module);

    int PageCount() const { return static_cast<int>(templates.size()); }
    // The template identifiers in page order, as "3010, 3008, ...".
    std::string TemplateList() const;
    // The template of the page at index, which is below PageCount().
    WORD Template(size_t index) const { return templates[index]; }
    // Whether its pages make the shell calls: false when the module has
    // loaded no shell library that offers them.
    bool MakesShellCalls() const { return initDialog && createMenuBar; }
    // Runs the sheet modally over owner, starting at its first page; true
    // when the sheet reports that it was accepted.
    bool Run(HWND owner) const;

private:
    typedef BOOL(WINAPI *InitDialogProc)(PSHINITDLGINFO);
    typedef BOOL(WINAPI *CreateMenuBarProc)(SHMENUBARINFO *);

    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    static int CALLBACK SheetCallback(HWND, UINT, LPARAM);
    void InitPage(HWND page) const;

    HMODULE module;
    std::vector<WORD> templates;
    InitDialogProc initDialog = nullptr;
    CreateMenuBarProc createMenuBar = nullptr;
};

#endif
