// The whole options sheet as the add-on opens it: every page shown once,
// then accepted or cancelled, with the keys outside the add-on's own that
// its pages read and write saved before and put back after.
#ifndef VELOTAB_FULL_SHEET_H
#define VELOTAB_FULL_SHEET_H

#include "AddOnCalls.h"
#include "EntryPoints.h"
#include "Platform.h"
#include "TestRegistry.h"

#include <functional>
#include <string>
#include <vector>

// The sheet's pages, in their fixed order.
const int kSheetPageCount = 13;

// The browser values that the pages write.
const std::vector<std::wstring> kMachineValues = {L"Security_RunScripts", L"ClearTypeText"};
const std::vector<std::wstring> kMainValues = {L"ShowScriptErrors"};

// How a tour runs, beyond what every tour does.
struct TourOptions {
    // The entry point called, the linked one or a loaded module's.
    ShowOptionsProc show = ShowOptions;
    // Called with each page's index before it is shown, and with
    // kSheetPageCount before the sheet ends.
    std::function<void(int)> step;
    // Whether a sheet that never appears is a failure.
    bool sheetRequired = true;
};

// Opens the sheet through ShowOptions over the given vendor and product key,
// starting on startPage, shows each page in turn and ends the sheet; returns
// what ShowOptions returns. owner is the add-on's window.
DWORD ShowEveryPage(HWND owner, const std::wstring &vendor, const std::wstring &product,
                    bool accept, int startPage = 0, const TourOptions &options = {});

// A settings key of its own, an owner window standing for the add-on's, and
// the shell's and the browser's keys saved for the test and put back after.
class FullSheetTest : public SettingsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Every page shown once, then accepted or cancelled; what ShowOptions
    // returns.
    DWORD Show(bool accept, const TourOptions &options = {})
    {
        return ShowEveryPage(owner, vendor, product, accept, 0, options);
    }
    // The shell lists two buttons: one with an icon of its own and one that
    // shows the blank image.
    void AddShellButtons() const;

private:
    HWND owner = nullptr;
};

#endif
