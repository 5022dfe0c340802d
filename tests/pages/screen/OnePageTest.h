// A page of one class alone in a sheet, driven through its controls, with
// what it stored read back by plain registry calls.
#ifndef VELOTAB_ONE_PAGE_TEST_H
#define VELOTAB_ONE_PAGE_TEST_H

#include "HostContext.h"
#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

#include <initializer_list>

enum class Close { Accept, Cancel };

template <class Page> class OnePageTest : public SettingsTest {
protected:
    using Values = std::vector<std::optional<DWORD>>;
    using Shown = std::vector<std::wstring>;

    void SetUp() override
    {
        SettingsTest::SetUp();
        hostContext.platformVersion = 5; // every platform option offered
    }
    // Opens the page, runs `use` on it and closes the sheet as asked.
    void Open(const std::function<void(HWND page)> &use, Close close = Close::Accept)
    {
        Page page;
        sheet::RunPage(page, use, close == Close::Accept);
    }
    Values Dwords(std::initializer_list<const wchar_t *> names) const
    {
        Values values;
        for (const wchar_t *name : names)
            values.push_back(Dword(name));
        return values;
    }
    void PutDwords(std::initializer_list<const wchar_t *> names, const Values &values) const
    {
        auto value = values.begin();
        for (const wchar_t *name : names)
            PutDword(name, **value++);
    }
    std::optional<std::wstring> String(const wchar_t *name) const
    {
        return testreg::ReadString(HKEY_CURRENT_USER, Path(), name);
    }
    void PutString(const wchar_t *name, const std::wstring &text) const
    {
        testreg::WriteString(HKEY_CURRENT_USER, Path(), name, text);
    }
    DWORD ValueCount() const { return testreg::ValueCount(HKEY_CURRENT_USER, Path()); }
};

namespace page {

inline bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}
inline std::wstring Text(HWND page, int id)
{
    wchar_t text[64] = {};
    GetDlgItemTextW(page, id, text, 64);
    return text;
}
inline std::wstring Check(HWND page, int id)
{
    return sheet::IsChecked(page, id) ? L"on" : L"off";
}
// The decimal numbers first to last, as a list shows them.
inline std::vector<std::wstring> Numbers(int first, int last)
{
    std::vector<std::wstring> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(std::to_wstring(n));
    return numbers;
}

// Style bits under a mask, as the template gave them.
struct Style {
    int id;
    LONG mask, bits;
};
inline void ExpectStyles(HWND page, std::initializer_list<Style> styles)
{
    for (const Style &s : styles)
        EXPECT_EQ(s.bits, GetWindowLongW(GetDlgItem(page, s.id), GWL_STYLE) & s.mask)
            << "control " << s.id;
}
inline Style AutoCheckBox(int id)
{
    return {id, BS_TYPEMASK, BS_AUTOCHECKBOX};
}
inline Style AutoRadio(int id)
{
    return {id, BS_TYPEMASK, BS_AUTORADIOBUTTON};
}
// A drop-down list hands its scroll bar on to the list it drops.
inline void ExpectScrollingDropDownLists(HWND page, std::initializer_list<int> ids)
{
    for (int id : ids) {
        EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & 3) << id;
        COMBOBOXINFO info = {sizeof info};
        GetComboBoxInfo(GetDlgItem(page, id), &info);
        EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL) << "list " << id;
    }
}

} // namespace page

#endif
