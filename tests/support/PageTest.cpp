#include "PageTest.h"

void PageFixture::SetUp()
{
    SettingsTest::SetUp();
    hostContext.platformVersion = 5;
    hostContext.holdIntervalHidden = FALSE;
    SHInitExtraControls();
}

void PageFixture::OpenPage(OptionPage &page, const sheet::Script &use, bool accept)
{
    sheet::RunPage(page, use, accept);
}

bool PageFixture::KeyMade() const
{
    return testreg::KeyExists(HKEY_CURRENT_USER, Path());
}

PageFixture::Values PageFixture::Dwords(Names names) const
{
    Values values;
    for (const wchar_t *name : names)
        values.push_back(Dword(name));
    return values;
}

void PageFixture::PutDwords(Names names, const Values &values) const
{
    auto value = values.begin();
    for (const wchar_t *name : names)
        PutDword(name, **value++);
}

std::optional<std::wstring> PageFixture::String(const wchar_t *name) const
{
    return testreg::ReadString(HKEY_CURRENT_USER, Path(), name);
}

void PageFixture::PutString(const wchar_t *name, const std::wstring &text) const
{
    testreg::WriteString(HKEY_CURRENT_USER, Path(), name, text);
}

DWORD PageFixture::ValueCount() const
{
    return testreg::ValueCount(HKEY_CURRENT_USER, Path());
}

namespace page {

namespace {

// The static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;
const int kCellCapacity = 8192;

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

bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

bool ReadOnly(HWND page, int id)
{
    return (GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & ES_READONLY) != 0;
}

std::wstring Text(HWND page, int id)
{
    return WindowText(GetDlgItem(page, id));
}

void Type(HWND page, int id, const std::wstring &text)
{
    SetDlgItemTextW(page, id, text.c_str());
}

void TypeIn(HWND page, int id, const std::wstring &text)
{
    SendDlgItemMessageW(page, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(page, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring Check(HWND page, int id)
{
    return sheet::IsChecked(page, id) ? L"on" : L"off";
}

LOGFONTW FontOf(HWND page, int id)
{
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(page, id, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return font;
}

RECT Place(HWND page, int id)
{
    RECT place;
    GetWindowRect(GetDlgItem(page, id), &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&place), 2);
    return place;
}

std::vector<std::wstring> Numbers(int first, int last)
{
    std::vector<std::wstring> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(std::to_wstring(n));
    return numbers;
}

void ExpectStyles(HWND page, std::initializer_list<Style> styles)
{
    for (const Style &s : styles)
        EXPECT_EQ(s.bits, GetWindowLongW(GetDlgItem(page, s.id), GWL_STYLE) & s.mask)
            << "control " << s.id;
}

Style AutoCheckBox(int id)
{
    return {id, BS_TYPEMASK, BS_AUTOCHECKBOX};
}

Style AutoRadio(int id)
{
    return {id, BS_TYPEMASK, BS_AUTORADIOBUTTON};
}

void ExpectScrollingDropDownLists(HWND page, std::initializer_list<int> ids)
{
    for (int id : ids) {
        EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & 3) << id;
        COMBOBOXINFO info = {sizeof info};
        GetComboBoxInfo(GetDlgItem(page, id), &info);
        EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL) << "list " << id;
    }
}

std::vector<std::vector<std::wstring>> ListRows(HWND page, int listId)
{
    HWND list = GetDlgItem(page, listId);
    int columns = Header_GetItemCount(ListView_GetHeader(list));
    std::vector<std::vector<std::wstring>> rows(ListView_GetItemCount(list));
    std::vector<wchar_t> buffer(kCellCapacity);
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < columns; ++column) {
            buffer[0] = 0;
            ListView_GetItemText(list, static_cast<int>(i), column, buffer.data(), kCellCapacity);
            rows[i].push_back(buffer.data());
        }
    }
    return rows;
}

std::vector<int> SelectedRows(HWND page, int listId)
{
    std::vector<int> rows;
    HWND list = GetDlgItem(page, listId);
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED))
        rows.push_back(i);
    return rows;
}

void SelectRow(HWND page, int listId, int row)
{
    const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(GetDlgItem(page, listId), row, states, states);
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

} // namespace page
