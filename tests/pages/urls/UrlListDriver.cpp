#include "UrlListDriver.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace urls {

namespace {

// The static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;
const int kCellCapacity = 8192;

HWND List(HWND page)
{
    return GetDlgItem(page, IDC_URL_LIST);
}

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1);
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool IsMessageBox(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770" && !sheet::IsPropertySheet(window) &&
           GetDlgItem(window, kMessageTextId) != nullptr;
}

} // namespace

Rows ListRows(HWND page)
{
    Rows rows;
    HWND list = List(page);
    int count = ListView_GetItemCount(list);
    std::vector<wchar_t> buffer(kCellCapacity);
    for (int i = 0; i < count; ++i) {
        Row row;
        for (int column = 0; column < 3; ++column) {
            buffer[0] = 0;
            ListView_GetItemText(list, i, column, buffer.data(), kCellCapacity);
            row[column] = buffer.data();
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<int> SelectedRows(HWND page)
{
    std::vector<int> rows;
    HWND list = List(page);
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED))
        rows.push_back(i);
    return rows;
}

void SelectRow(HWND page, int row)
{
    const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(List(page), row, states, states);
}

std::wstring Text(HWND page, int controlId)
{
    return WindowText(GetDlgItem(page, controlId));
}

void Type(HWND page, int fieldId, const std::wstring &text)
{
    SetDlgItemTextW(page, fieldId, text.c_str());
}

bool IsEnabled(HWND page, int controlId)
{
    return IsWindowEnabled(GetDlgItem(page, controlId)) != FALSE;
}

bool IsReadOnly(HWND page, int controlId)
{
    return (GetWindowLongW(GetDlgItem(page, controlId), GWL_STYLE) & ES_READONLY) != 0;
}

RECT Place(HWND page, int controlId)
{
    RECT place;
    GetWindowRect(GetDlgItem(page, controlId), &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&place), 2);
    return place;
}

MessageSeen AnswerMessage(const std::function<void()> &trigger, int answer)
{
    MessageSeen seen;
    sheet::RunModal(trigger, IsMessageBox, [&](HWND box) {
        seen.shown = true;
        seen.caption = WindowText(box);
        seen.text = WindowText(GetDlgItem(box, kMessageTextId));
        seen.owner = GetWindow(box, GW_OWNER);
        seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        SendMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
    });
    return seen;
}

} // namespace urls
