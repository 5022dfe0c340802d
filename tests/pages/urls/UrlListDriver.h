// Drives the URL list pages as a user would and reads what they show: the
// rows of the list, the fields, and the message boxes the pages open.
#ifndef VELOTAB_URL_LIST_DRIVER_H
#define VELOTAB_URL_LIST_DRIVER_H

#include "SheetDriver.h"
#include "UrlListPage.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace urls {

// Flags, name and URL of one row, as the list shows them.
using Row = std::array<std::wstring, 3>;
using Rows = std::vector<Row>;

Rows ListRows(HWND page);
// The selected rows' indices, in order.
std::vector<int> SelectedRows(HWND page);
// Selects the row as a tap does; the list tells the page itself.
void SelectRow(HWND page, int row);
std::wstring Text(HWND page, int controlId);
// Replaces the field's text, as typing over it does.
void Type(HWND page, int fieldId, const std::wstring &text);
bool IsEnabled(HWND page, int controlId);
bool IsReadOnly(HWND page, int controlId);
// The control's rectangle in the page's client coordinates.
RECT Place(HWND page, int controlId);

struct MessageSeen {
    bool shown = false;
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    bool hasCancel = false;
};

// Runs `trigger`, which is expected to open a message box, and answers the
// box with `answer` (IDOK or IDCANCEL).
MessageSeen AnswerMessage(const std::function<void()> &trigger, int answer);

} // namespace urls

#endif
