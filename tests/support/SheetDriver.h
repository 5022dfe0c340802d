// Drives modal dialogs and property sheets the way a user would: the code
// under test blocks in its modal loop while a timer on the same thread runs
// the test's script once the window exists.
#ifndef VELOTAB_SHEET_DRIVER_H
#define VELOTAB_SHEET_DRIVER_H

#include "Platform.h"

#include <functional>
#include <string>
#include <vector>

class OptionPage;

namespace sheet {

using Script = std::function<void(HWND window)>;

// Calls `modal` and runs `script` with the first top-level window of this
// thread that `isTarget` accepts, once it appears. The script must end the
// modal loop. If no window appears in time, or the script leaves the window
// open, the window is cancelled and a test failure is recorded; a window
// that never appears counts as a failure only when it was required.
// Returns whether the script ran.
bool RunModal(const std::function<void()> &modal, const std::function<bool(HWND)> &isTarget,
              const Script &script, bool required = true);
// The same for a property sheet.
bool RunSheet(const std::function<void()> &modal, const Script &script, bool required = true);
// Opens the whole options sheet at `startPage` as the add-on does, under an
// owner window of its own, for the settings key of vendor and product, and
// runs `script` on the sheet.
void RunOptions(const std::wstring &vendor, const std::wstring &product, int startPage,
                const Script &script);
// Opens `page` alone in the options sheet, runs `use` on the page's window,
// then accepts the sheet or cancels it.
void RunPage(OptionPage &page, const Script &use, bool accept = true);

bool IsPropertySheet(HWND window);
// Any property sheet of this thread, or null.
HWND FindSheet();

// Pumps this thread's messages until `done` holds or the bound runs out.
bool PumpUntil(const std::function<bool()> &done, DWORD timeoutMs = 5000);

void SelectPage(HWND sheet, int index);
HWND CurrentPage(HWND sheet);
int CurrentIndex(HWND sheet);
std::wstring TabLabel(HWND sheet, int index);
void Accept(HWND sheet);
void Cancel(HWND sheet);

// Chooses a list item and tells the page, as the control does.
void ChooseItem(HWND page, int listId, int index);
void Click(HWND page, int buttonId);
int Selection(HWND page, int listId);
std::wstring SelectedText(HWND page, int listId);
std::wstring ItemText(HWND page, int listId, int index);
int ItemCount(HWND page, int listId);
std::vector<std::wstring> Items(HWND page, int listId);
bool IsChecked(HWND page, int buttonId);

} // namespace sheet

#endif
