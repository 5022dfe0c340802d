// The yardstick for the options sheet: a property sheet made of the same
// dialog templates, taken from the DLL in the options sheet's page order,
// with the same sheet header and a page procedure that does nothing. What
// the options sheet takes beyond it is the cost of the module's own code.
#ifndef VELOTAB_BASELINE_SHEET_H
#define VELOTAB_BASELINE_SHEET_H

#include <windows.h>

#include <string>
#include <vector>

class BaselineSheet {
public:
    // Takes every page template that the module carries; templates that it
    // does not carry yet are left out.
    explicit BaselineSheet(HMODULE module);

    int PageCount() const { return static_cast<int>(templates.size()); }
    // The template identifiers in page order, as "3010, 3008, ...".
    std::string TemplateList() const;
    // The template of the page at index, which is below PageCount().
    WORD Template(size_t index) const { return templates[index]; }
    // Runs the sheet modally over owner, starting at its first page; true
    // when the sheet reports that it was accepted.
    bool Run(HWND owner) const;

private:
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    static int CALLBACK SheetCallback(HWND, UINT, LPARAM);

    HMODULE module;
    std::vector<WORD> templates;
};

#endif
