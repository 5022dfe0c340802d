#include "UrlListPage.h"

#include "HostContext.h"
#include "ScreenScale.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

enum Column { kFlagColumn, kNameColumn, kUrlColumn, kColumnCount };

const DWORD kDefaultExpandKey = 0;
const UINT kRowStates = LVIS_SELECTED | LVIS_FOCUSED;
const int kAllRows = -1;
// The most flag characters a list has.
const size_t kMaxFlagWidth = 3;
// The fields take no more than the list stores, so that what is shown is
// what is saved.
const size_t kMaxStoredTextLength = kUrlTextCapacity - 1;

int Height(const RECT &rect)
{
    return rect.bottom - rect.top;
}

// The entry's text that each column shows.
WideText UrlEntry::*const kColumnTexts[kColumnCount] = {&UrlEntry::flags, &UrlEntry::name,
                                                        &UrlEntry::url};

bool IsColumn(int column)
{
    return column >= 0 && column < kColumnCount;
}

} // namespace

UrlListPage::UrlListPage(const UrlListPageKind &kind)
    : OptionPage(kind.templateId, 0), kind(kind), store(*kind.list), rowsHeld(true),
      currentItem(-1), referenceListHeight(0)
{
}

BOOL UrlListPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    currentItem = -1;
    // The name is stored behind the row's flags, in the same text.
    SendControlMessage(kind.nameFieldId, EM_LIMITTEXT, kMaxStoredTextLength - kind.list->flagWidth,
                       0);
    SendControlMessage(IDC_URL_URL_FIELD, EM_LIMITTEXT, kMaxStoredTextLength, 0);

    if (kind.expandKeyListId) {
        for (UINT id = IDS_EXPAND_KEY_FIRST; PlatformLoadStringPointer(hostContext.instance, id);
             ++id)
            AddListString(kind.expandKeyListId, id);
        SettingsKey settings(&unreadValues);
        settings.Open();
        DWORD choice = settings.DwordOr(kind.list->expandKeyValueId, kDefaultExpandKey);
        settings.Close();
        SelectListItem(kind.expandKeyListId, choice);
    }

    HWND list = List();
    RECT bounds;
    GetWindowRect(list, &bounds);
    referenceListHeight = Height(bounds);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    // Not drawn until the rows are in (FillRows turns drawing back on):
    // otherwise the list lays itself out and redraws after each column.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kColumnCount; ++i) {
        LVCOLUMNW column;
        ZeroMemory(&column, sizeof column);
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_ORDER;
        column.fmt = LVCFMT_LEFT;
        column.cx = ScreenScale::Pixels(kind.columns[i].width);
        column.pszText = const_cast<LPWSTR>(
            PlatformLoadStringPointer(hostContext.instance, kind.columns[i].titleId));
        column.iSubItem = i;
        column.iOrder = i;
        ListView_InsertColumn(list, i, &column);
    }

    UrlList entries;
    rowsHeld = store.Read(&entries);
    FillRows(entries);

    AdjustLayout(0, 0);
    SetFocus(list);
    UpdateControlStates();
    return FALSE;
}

BOOL UrlListPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    switch (id) {
    case IDC_URL_ADD:
        AddItem();
        return TRUE;
    case IDC_URL_REMOVE:
        RemoveItem();
        return TRUE;
    case IDC_URL_UP:
    case IDC_URL_DOWN:
        MoveItem(id);
        return TRUE;
    case IDC_URL_RESTORE_DEFAULTS:
        RestoreDefaults();
        return TRUE;
    default:
        break;
    }
    for (size_t i = 0; i < kind.flagBoxCount; ++i) {
        if (kind.flagBoxes[i].boxId == id) {
            OnFlagClicked(id);
            return TRUE;
        }
    }
    if (IsField(id)) {
        switch (HIWORD(wParam)) {
        case EN_SETFOCUS:
            OnFieldFocused();
            return TRUE;
        case EN_CHANGE:
            OnEditChanged(id, reinterpret_cast<HWND>(lParam));
            return TRUE;
        default:
            break;
        }
    }
    return OptionPage::OnCommand(wParam, lParam);
}

BOOL UrlListPage::OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result)
{
    if (header->idFrom != IDC_URL_LIST)
        return OptionPage::OnNotify(wParam, header, result);
    if (header->code == LVN_GETDISPINFOW) {
        *result = 0;
        ShowCellText(reinterpret_cast<NMLVDISPINFOW *>(header)->item);
        return TRUE;
    }
    if (header->code == LVN_ITEMCHANGED)
        return TRUE;
    if (header->code != LVN_ITEMCHANGING)
        return OptionPage::OnNotify(wParam, header, result);

    *result = 0;
    const NMLISTVIEW *change = reinterpret_cast<const NMLISTVIEW *>(header);
    bool selectionChanges = (change->uChanged & LVIF_STATE) &&
                            ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
    if (!selectionChanges)
        return TRUE;
    if (change->uNewState & LVIS_SELECTED) {
        currentItem = change->iItem;
    } else if (change->iItem == currentItem) {
        currentItem = -1;
    } else {
        // A row that is not the current one loses its selection: the list
        // may select the new row before it clears the old one, and a row
        // that is being deleted is no longer current.
        return TRUE;
    }
    ShowCurrentItem();
    UpdateControlStates();
    return TRUE;
}

void UrlListPage::OnOK()
{
    DWORD expandKey = kind.expandKeyListId ? ListSelection(kind.expandKeyListId) : 0;
    if (rowsHeld)
        store.Write(rows, expandKey, &unreadValues);
    else
        store.WriteExpandKey(expandKey, &unreadValues);
    OptionPage::OnOK();
}

void UrlListPage::AdjustLayout(WPARAM, LPARAM)
{
    if (!FitListToPanel(List(), referenceListHeight, kind.controlsBelowList,
                        kind.controlsBelowListCount))
        return;
    // The page paints over its children, so the strip that the list gave up
    // or took back can cover the moved controls: all is painted afresh.
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void UrlListPage::InstallDefaults() const
{
    UrlListStore(*kind.list).InstallDefaults();
}

// The new row goes in front of the current row, or at the end; without
// room for it nothing changes.
void UrlListPage::AddItem()
{
    int row = currentItem >= 0 ? currentItem : static_cast<int>(rows.Size());
    UrlEntry entry;
    for (size_t i = 0; i < kind.list->flagWidth; ++i)
        if (!entry.flags.Append(L" ", 1))
            return;
    LPCWSTR newName = PlatformLoadStringPointer(hostContext.instance, kind.newNameId);
    if (!entry.name.Assign(newName ? newName : L"") || !InsertRow(row, entry))
        return;
    MakeCurrent(row);
    ShowCurrentItem();
    UpdateControlStates();
    SetFocus(List());
}

// Only the row goes: the fields keep its texts and the item controls stay
// enabled, but no row is current until the user selects one.
void UrlListPage::RemoveItem()
{
    if (currentItem < 0)
        return;
    int row = currentItem;
    currentItem = -1;
    if (ListView_DeleteItem(List(), row))
        rows.Erase(row);
}

void UrlListPage::MoveItem(int buttonId)
{
    if (currentItem < 0)
        return;
    int target = buttonId == IDC_URL_UP ? currentItem - 1 : currentItem + 1;
    if (!IsRow(target))
        return;
    rows.Swap(currentItem, target);
    // The selection follows the row, and the fields follow the selection;
    // moving the selection draws both rows again.
    HWND list = List();
    ListView_SetItemState(list, currentItem, 0, kRowStates);
    ListView_SetItemState(list, target, kRowStates, kRowStates);
    currentItem = target;
    ListView_SetSelectionMark(list, target);
    ListView_EnsureVisible(list, target, FALSE);
    SetFocus(list);
}

// Replaces the rows with the built-in list; nothing is written before the
// sheet is accepted, and the expand key stays as chosen. Without room for
// the whole built-in list the rows stay as they are.
void UrlListPage::RestoreDefaults()
{
    if (ShowMessage(IDS_URL_RESTORE_QUESTION, MB_OKCANCEL) != IDOK)
        return;
    UrlList defaults;
    if (!UrlListStore(*kind.list).Defaults(&defaults))
        return;
    currentItem = -1;
    ListView_DeleteAllItems(List());
    rowsHeld = true;
    FillRows(defaults);
    ShowCurrentItem();
    UpdateControlStates();
}

// The box has toggled already. The current row's flags are rebuilt from the
// boxes; checking the exclusive flag takes it from every other row.
void UrlListPage::OnFlagClicked(int boxId)
{
    if (currentItem < 0)
        return;
    wchar_t flags[kMaxFlagWidth + 1];
    size_t width = kind.list->flagWidth < kMaxFlagWidth ? kind.list->flagWidth : kMaxFlagWidth;
    for (size_t i = 0; i < width; ++i) {
        bool set = i < kind.flagBoxCount && CheckState(kind.flagBoxes[i].boxId) == BST_CHECKED;
        flags[i] = set ? kind.flagBoxes[i].letter : L' ';
    }
    flags[width] = L'\0';
    SetCellText(currentItem, kFlagColumn, flags);

    if (kind.exclusiveFlag == kNoExclusiveFlag)
        return;
    const UrlFlagBox &exclusive = kind.flagBoxes[kind.exclusiveFlag];
    if (boxId != exclusive.boxId || CheckState(boxId) != BST_CHECKED)
        return;
    size_t position = static_cast<size_t>(kind.exclusiveFlag);
    int rowCount = static_cast<int>(rows.Size());
    for (int row = 0; row < rowCount; ++row) {
        WideText &other = rows[row].flags;
        if (row != currentItem && position < other.Length() &&
            other.At(position) == exclusive.letter) {
            other.SetAt(position, L' ');
            ListView_RedrawItems(List(), row, row);
        }
    }
}

void UrlListPage::OnEditChanged(int fieldId, HWND field)
{
    if (currentItem < 0)
        return;
    wchar_t text[kUrlTextCapacity];
    text[0] = L'\0';
    int length = GetWindowTextW(field, text, kUrlTextCapacity);
    if (fieldId == kind.nameFieldId && kind.lowerCaseName) {
        bool lowered = false;
        for (int i = 0; i < length; ++i) {
            wchar_t typed = text[i];
            CharLowerBuffW(text + i, 1);
            lowered = lowered || text[i] != typed;
        }
        if (lowered) {
            // Putting the text back moves the caret; it goes back where the
            // user left it.
            DWORD start = 0, end = 0;
            SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            SetWindowTextW(field, text);
            SendMessageW(field, EM_SETSEL, start, end);
        }
    }
    SetCellText(currentItem, fieldId == kind.nameFieldId ? kNameColumn : kUrlColumn, text);
}

// Filling a field is a text change too: it passes through OnEditChanged,
// which may give the row's cells new room, so each cell is taken just
// before it is shown. Without a current row every cell is "".
void UrlListPage::ShowCurrentItem()
{
    SetWindowTextW(Control(IDC_URL_URL_FIELD), CellText(currentItem, kUrlColumn));
    SetWindowTextW(Control(kind.nameFieldId), CellText(currentItem, kNameColumn));
    const wchar_t *flags = CellText(currentItem, kFlagColumn);
    size_t flagLength = wcslen(flags);
    for (size_t i = 0; i < kind.flagBoxCount; ++i) {
        bool set = i < flagLength && flags[i] == kind.flagBoxes[i].letter;
        SetCheck(kind.flagBoxes[i].boxId, set ? BST_CHECKED : BST_UNCHECKED);
    }
}

// Only controls whose state differs are touched; a disabled field is also
// read-only.
void UrlListPage::UpdateControlStates() const
{
    BOOL enable = currentItem >= 0 ? TRUE : FALSE;
    for (size_t i = 0; i < kind.itemControlCount; ++i) {
        HWND control = Control(kind.itemControls[i]);
        if ((IsWindowEnabled(control) ? TRUE : FALSE) == enable)
            continue;
        EnableWindow(control, enable);
        if (IsField(kind.itemControls[i]))
            SendMessageW(control, EM_SETREADONLY, !enable, 0);
    }
}

// A field that gets the focus while no row is current has nothing to edit:
// the focus goes back to the list and the user is told how to start.
void UrlListPage::OnFieldFocused()
{
    if (currentItem >= 0)
        return;
    SetFocus(List());
    ShowMessage(IDS_URL_ADD_HINT, MB_OK);
}

HWND UrlListPage::List() const
{
    return Control(IDC_URL_LIST);
}

bool UrlListPage::IsRow(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < rows.Size();
}

const wchar_t *UrlListPage::CellText(int row, int column) const
{
    if (!IsRow(row) || !IsColumn(column))
        return L"";
    return (rows[row].*kColumnTexts[column]).Text();
}

// The list asks again for the row's texts when it redraws it. A cell that
// has no room for the text keeps its old one, and the rows no longer hold
// what the page shows.
void UrlListPage::SetCellText(int row, int column, const wchar_t *text)
{
    if (!IsRow(row) || !IsColumn(column))
        return;
    if (!(rows[row].*kColumnTexts[column]).Assign(text))
        rowsHeld = false;
    ListView_RedrawItems(List(), row, row);
}

// Answers the list's request for a cell's text, cut to the room it gives.
void UrlListPage::ShowCellText(LVITEMW &item) const
{
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    lstrcpynW(item.pszText, CellText(item.iItem, item.iSubItem), item.cchTextMax);
}

// The row is in the working copy before the list asks for its texts; a row
// that the list refuses leaves it again.
bool UrlListPage::InsertRow(int row, UrlEntry &entry)
{
    if (!IsRow(row))
        row = static_cast<int>(rows.Size());
    UrlEntry *inserted = rows.InsertNew(row);
    if (!inserted)
        return false;
    inserted->flags.Swap(entry.flags);
    inserted->name.Swap(entry.name);
    inserted->url.Swap(entry.url);
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACKW;
    if (ListView_InsertItem(List(), &item) == row)
        return true;
    rows.Erase(row);
    return false;
}

// The list has room for all rows reserved and is drawn once at the end, not
// after every row: the service list alone has some eighty. The list must
// be empty. The rows hold less than the whole list when one is left out.
void UrlListPage::FillRows(UrlList &entries)
{
    HWND list = List();
    rows.Clear();
    rows.Reserve(entries.Size());
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(list, static_cast<int>(entries.Size()), LVSICF_NOINVALIDATEALL);
    for (size_t i = 0; i < entries.Size(); ++i)
        if (!InsertRow(static_cast<int>(i), entries[i]))
            rowsHeld = false;
    EndListViewFill(list);
}

// The row becomes the only selected row and the focused one.
void UrlListPage::MakeCurrent(int row)
{
    HWND list = List();
    ListView_SetItemState(list, kAllRows, 0, kRowStates);
    ListView_SetItemState(list, row, kRowStates, kRowStates);
    currentItem = row;
    ListView_SetSelectionMark(list, row);
    ListView_EnsureVisible(list, row, FALSE);
}

int UrlListPage::ShowMessage(UINT textId, UINT buttons) const
{
    LPCWSTR text = PlatformLoadStringPointer(hostContext.instance, textId);
    return MessageBoxW(window, text ? text : L"", hostContext.productKey, buttons);
}

bool UrlListPage::IsField(int controlId) const
{
    return controlId == kind.nameFieldId || controlId == IDC_URL_URL_FIELD;
}
