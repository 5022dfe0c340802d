#include "ButtonsPage.h"

#include "BoundedText.h"
#include "ButtonAssignments.h"
#include "ButtonCommandTable.h"
#include "HostContext.h"
#include "ScreenScale.h"
#include "SettingsKey.h"
#include "ShellButton.h"
#include "resource.h"

#include <new>
#include <wchar.h>

namespace {

const int kColumnWidth = 100;
const int kButtonColumn = 0;
const int kAssignmentColumn = 1;

const DWORD kDefaultInterval = 400;
const WORD kMinInterval = 200;
const WORD kMaxInterval = 1000;
const LPARAM kIntervalLineSize = 100;
const LPARAM kIntervalPageSize = 200;

const UINT kHoldModeLabels[] = {IDS_HOLD_MODE_DETECT, IDS_HOLD_MODE_FORCE_ENABLE,
                                IDS_HOLD_MODE_FORCE_DISABLE};

// The controls below the list, which follow its bottom.
const int kControlsBelowList[] = {IDC_BUTTON_ASSIGNMENT_LABEL, IDC_BUTTON_COMMAND,
                                  IDC_HOLD_INTERVAL_LABEL, IDC_HOLD_INTERVAL, IDC_HOLD_MODE};

// The density-named icon file: the stem, a point, the density and ".dll".
const wchar_t kDensityFileFormat[] = L"%d.dll";
const size_t kDensityFileLength = 16;
// Room for an icon file's name in its density-named form.
const size_t kIconFileCapacity = kShellTextCapacity + kDensityFileLength;
// Room for a press-and-hold row's text: the name and the suffix.
const size_t kRowTextCapacity = kShellTextCapacity + 32;

const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

int ScreenDensity()
{
    HDC screen = GetDC(NULL);
    int density = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    return density;
}

// An icon file that yields no icon is tried once more in its density-named
// form, which holds the icons drawn for this screen's density.
HICON ExtractButtonIcon(const ShellButton &button)
{
    if (button.iconFile.Empty())
        return NULL;
    const wchar_t *iconFile = button.iconFile.Text();
    HICON icon = PlatformExtractSmallIcon(iconFile, button.iconIndex);
    const wchar_t *dot = wcschr(iconFile, L'.');
    if (icon || !dot)
        return icon;
    wchar_t densityFile[kDensityFileLength];
    wsprintfW(densityFile, kDensityFileFormat, ScreenDensity());
    wchar_t file[kIconFileCapacity];
    BoundedText text(file, kIconFileCapacity);
    text.Append(iconFile, static_cast<size_t>(dot - iconFile) + 1);
    return text.Append(densityFile) ? PlatformExtractSmallIcon(file, button.iconIndex) : NULL;
}

const int kNoImage = -1;

// Adds the button's icon, or the blank image when it has none; returns the
// image's index. The blank image is put in once and shared by every button
// without an icon; blankImage holds its index, kNoImage until then.
int AddButtonImage(HIMAGELIST images, const ShellButton &button, int *blankImage)
{
    HICON icon = ExtractButtonIcon(button);
    if (icon) {
        int image = ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
        return image;
    }
    if (*blankImage != kNoImage)
        return *blankImage;
    HBITMAP blank = LoadBitmapW(hostContext.instance, MAKEINTRESOURCEW(IDB_EMPTY_ICON));
    *blankImage = ImageList_Add(images, blank, blank);
    DeleteObject(blank);
    return *blankImage;
}

void InsertColumn(HWND list, int column, UINT labelId)
{
    LPCWSTR label = PlatformLoadStringPointer(hostContext.instance, labelId);
    LVCOLUMNW description;
    ZeroMemory(&description, sizeof description);
    description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    description.fmt = LVCFMT_LEFT;
    description.cx = ScreenScale::Pixels(kColumnWidth);
    description.pszText = const_cast<LPWSTR>(label ? label : L"");
    description.iSubItem = column;
    ListView_InsertColumn(list, column, &description);
}

// A tap reports the row it leaves after the row it selects, as that row
// loses the focus; only the newly selected row's command is shown.
bool BecomesSelected(const NMLISTVIEW &change)
{
    return (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
           !(change.uOldState & LVIS_SELECTED);
}

int WindowHeight(HWND control)
{
    RECT bounds;
    GetWindowRect(control, &bounds);
    return bounds.bottom - bounds.top;
}

} // namespace

ButtonsPage::ButtonsPage()
    : OptionPage(IDD_BUTTONS, 0), referenceListHeight(0), holdMode(kHoldDetect),
      allButtonsListed(false), rowsHeld(true)
{
}

BOOL ButtonsPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SettingsKey settings(&unreadValues);
    settings.Open();
    holdMode = settings.DwordOr(IDS_VALUE_BUTTON_HOLD, kHoldDetect);
    LoadCommandLabels();

    HWND list = List();
    referenceListHeight = WindowHeight(list);
    // Not drawn until the rows are in (FillButtonList turns drawing back
    // on): otherwise the list lays itself out and redraws after each column.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    InsertColumn(list, kButtonColumn, IDS_COLUMN_BUTTON);
    InsertColumn(list, kAssignmentColumn, IDS_COLUMN_ASSIGNMENT);
    FillCommandSelector();
    FillButtonList();

    if (hostContext.holdIntervalHidden) {
        ShowWindow(Control(IDC_HOLD_INTERVAL_LABEL), SW_HIDE);
        ShowWindow(Control(IDC_HOLD_INTERVAL), SW_HIDE);
    } else {
        InitialiseInterval(settings.DwordOr(IDS_VALUE_HOT_KEY_INTERVAL, kDefaultInterval));
    }

    for (size_t i = 0; i < sizeof kHoldModeLabels / sizeof kHoldModeLabels[0]; ++i)
        AddListString(IDC_HOLD_MODE, kHoldModeLabels[i]);
    SelectListItem(IDC_HOLD_MODE, holdMode);
    settings.Close();

    // Selecting row 0 makes the list report the change, which shows the
    // row's command in the command selector. The row is left as it is: a
    // command that the selector does not offer must survive until the user
    // picks another.
    ListView_SetItemState(list, 0, kSelectedAndFocused, kSelectedAndFocused);
    AdjustLayout(0, 0);
    return TRUE;
}

BOOL ButtonsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        switch (LOWORD(wParam)) {
        case IDC_BUTTON_COMMAND:
            ApplyAssignment();
            return TRUE;
        case IDC_HOLD_MODE: {
            DWORD chosen = ListSelection(IDC_HOLD_MODE);
            if (chosen != holdMode) {
                holdMode = chosen;
                FillButtonList();
            }
            return TRUE;
        }
        }
    }
    return OptionPage::OnCommand(wParam, lParam);
}

BOOL ButtonsPage::OnNotify(WPARAM wParam, NMHDR *header, LRESULT *result)
{
    if (header->idFrom == IDC_BUTTON_LIST) {
        const NMLISTVIEW *change = reinterpret_cast<const NMLISTVIEW *>(header);
        switch (header->code) {
        case LVN_ITEMCHANGING:
            if (BecomesSelected(*change))
                ShowCommandOf(reinterpret_cast<const ButtonRow *>(change->lParam));
            *result = FALSE;
            return TRUE;
        case LVN_DELETEITEM:
            delete reinterpret_cast<ButtonRow *>(change->lParam);
            return TRUE;
        }
    }
    return OptionPage::OnNotify(wParam, header, result);
}

void ButtonsPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_HOT_KEY_INTERVAL, IntervalToWrite(settings));
    settings.SetDword(IDS_VALUE_BUTTON_HOLD, holdMode);
    settings.Close();

    GrowableArray<const ButtonRow *> rows;
    int count = ListView_GetItemCount(List());
    if (rowsHeld && rows.Reserve(static_cast<size_t>(count))) {
        for (int item = 0; item < count; ++item)
            if (const ButtonRow *row = RowAt(item))
                rows.Append(row);
        SaveButtonAssignments(rows, allButtonsListed);
    }
    OptionPage::OnOK();
}

void ButtonsPage::AdjustLayout(WPARAM, LPARAM)
{
    FitListToPanel(List(), referenceListHeight, kControlsBelowList,
                   sizeof kControlsBelowList / sizeof kControlsBelowList[0]);
}

// Every row's record goes with its row, through the delete notifications.
// The image list is made with room for every button's icon, and the list is
// drawn once when all rows are in rather than after each one.
void ButtonsPage::FillButtonList()
{
    HWND list = List();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);

    GrowableArray<ShellButton> buttons;
    rowsHeld = EnumerateShellButtons(&buttons, &allButtonsListed);
    HIMAGELIST images =
        ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                         ILC_MASK | ILC_COLOR32, static_cast<int>(buttons.Size()), 1);
    HIMAGELIST previous = ListView_SetImageList(list, images, LVSIL_SMALL);
    if (previous)
        ImageList_Destroy(previous);

    bool holdRows = HoldRowsOffered(holdMode);
    LPCWSTR holdSuffix = PlatformLoadStringPointer(hostContext.instance, IDS_HOLD_ROW_SUFFIX);
    int blankImage = kNoImage;
    for (size_t i = 0; i < buttons.Size(); ++i) {
        const ShellButton &button = buttons[i];
        int image = AddButtonImage(images, button, &blankImage);
        if (!InsertRow(button, kPressRow, button.pressCommand, button.displayName.Text(), image))
            rowsHeld = false;
        if (!holdRows)
            continue;
        wchar_t holdText[kRowTextCapacity];
        BoundedText text(holdText, kRowTextCapacity);
        text.Append(button.displayName.Text());
        text.Append(holdSuffix ? holdSuffix : L"");
        if (!InsertRow(button, kHoldRow, button.holdCommand, holdText, image))
            rowsHeld = false;
    }
    EndListViewFill(list);
}

void ButtonsPage::ApplyAssignment()
{
    HWND commandSelector = CommandSelector();
    LRESULT choice = SendMessageW(commandSelector, CB_GETCURSEL, 0, 0);
    if (choice == CB_ERR)
        return;
    DWORD command = static_cast<DWORD>(SendMessageW(commandSelector, CB_GETITEMDATA, choice, 0));
    int item = ListView_GetSelectionMark(List());
    ButtonRow *row = item < 0 ? NULL : RowAt(item);
    if (!row)
        return;
    row->command = command;
    ShowAssignment(item, *row);
}

HWND ButtonsPage::List() const
{
    return Control(IDC_BUTTON_LIST);
}

HWND ButtonsPage::CommandSelector() const
{
    return Control(IDC_BUTTON_COMMAND);
}

ButtonRow *ButtonsPage::RowAt(int item) const
{
    LVITEMW description;
    ZeroMemory(&description, sizeof description);
    description.mask = LVIF_PARAM;
    description.iItem = item;
    if (!ListView_GetItem(List(), &description))
        return NULL;
    return reinterpret_cast<ButtonRow *>(description.lParam);
}

// Column 1 names the assigned command, or without one what the button does
// on its own.
void ButtonsPage::ShowAssignment(int item, const ButtonRow &row) const
{
    LPCWSTR text =
        row.command != kCommandNoChange ? LookupCommandLabel(row.command) : row.functionText.Text();
    ListView_SetItemText(List(), item, kAssignmentColumn, const_cast<LPWSTR>(text));
}

// A command that the selector does not offer shows as "<No Change>", item 0.
void ButtonsPage::ShowCommandOf(const ButtonRow *row) const
{
    HWND commandSelector = CommandSelector();
    int shown = 0;
    if (row) {
        int count = static_cast<int>(SendMessageW(commandSelector, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (static_cast<DWORD>(SendMessageW(commandSelector, CB_GETITEMDATA, i, 0)) ==
                row->command) {
                shown = i;
                break;
            }
    }
    SendMessageW(commandSelector, CB_SETCURSEL, shown, 0);
}

// A row that cannot be made or inserted is left out; an inserted row's
// record belongs to the list from then on.
bool ButtonsPage::InsertRow(const ShellButton &button, DWORD holdFlag, WORD command,
                            const wchar_t *text, int image) const
{
    ButtonRow *row = new (std::nothrow) ButtonRow;
    if (!row)
        return false;
    if (!row->functionText.Assign(button.functionText.Text())) {
        delete row;
        return false;
    }
    lstrcpynW(row->subkeyName, button.subkeyName, kRegNameCapacity);
    row->command = command;
    row->holdFlag = holdFlag;
    row->assignmentUnread = button.assignmentUnread;

    LVITEMW description;
    ZeroMemory(&description, sizeof description);
    description.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    description.iItem = ListView_GetItemCount(List());
    description.pszText = const_cast<LPWSTR>(text);
    description.iImage = image;
    description.lParam = reinterpret_cast<LPARAM>(row);
    int item = ListView_InsertItem(List(), &description);
    if (item < 0) {
        delete row;
        return false;
    }
    ShowAssignment(item, *row);
    return true;
}

// Table order, without the commands this platform does not offer; each
// item carries its command code.
void ButtonsPage::FillCommandSelector() const
{
    HWND commandSelector = CommandSelector();
    for (size_t i = 0; i < kButtonCommandCount; ++i) {
        const ButtonCommand &command = ButtonCommandTable[i];
        if (!IsCommandOffered(command, hostContext.platformVersion))
            continue;
        LRESULT item =
            SendMessageW(commandSelector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command.label));
        if (item >= 0)
            SendMessageW(commandSelector, CB_SETITEMDATA, item, command.code);
    }
}

void ButtonsPage::InitialiseInterval(DWORD interval) const
{
    HWND slider = Control(IDC_HOLD_INTERVAL);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELONG(kMinInterval, kMaxInterval));
    SendMessageW(slider, TBM_SETLINESIZE, 0, kIntervalLineSize);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, kIntervalPageSize);
    SendMessageW(slider, TBM_SETPOS, TRUE, interval);
}

// A hidden slider was never set, so the stored interval is kept rather
// than the slider's meaningless position.
DWORD ButtonsPage::IntervalToWrite(const RegKey &settings) const
{
    if (hostContext.holdIntervalHidden)
        return settings.DwordOr(IDS_VALUE_HOT_KEY_INTERVAL, kDefaultInterval);
    return static_cast<DWORD>(SendControlMessage(IDC_HOLD_INTERVAL, TBM_GETPOS, 0, 0));
}
