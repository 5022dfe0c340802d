// A page of one class alone in a sheet, driven through its controls, with
// what it stored read back by plain registry calls.
#ifndef VELOTAB_ONE_PAGE_TEST_H
#define VELOTAB_ONE_PAGE_TEST_H

#include "HostContext.h"
#include "OptionSheet.h"
#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

enum class Close { Accept, Cancel };

template <class Page> class OnePageTest : public SettingsTest {
protected:
    using Values = std::vector<std::optional<DWORD>>;

    void SetUp() override
    {
        SettingsTest::SetUp();
        hostContext.platformVersion = kCurrentPlatform;
    }

    // Opens the page, runs `use` on it and closes the sheet as asked.
    void Open(const std::function<void(HWND page)> &use, Close close = Close::Accept)
    {
        Page page;
        OptionSheet sheet(IDS_SHEET_CAPTION, IDI_VELOTAB, nullptr, 0);
        sheet.AddPage(&page);
        sheet::RunSheet([&] { sheet.Run(); },
                        [&](HWND window) {
                            use(sheet::CurrentPage(window));
                            close == Close::Accept ? sheet::Accept(window) : sheet::Cancel(window);
                        });
    }

    Values Dwords(std::initializer_list<const wchar_t *> names) const
    {
        Values values;
        for (const wchar_t *name : names)
            values.push_back(Dword(name));
        return values;
    }
    std::optional<std::wstring> String(const wchar_t *name) const
    {
        return testreg::ReadString(HKEY_CURRENT_USER, Path(), name);
    }
    void PutString(const wchar_t *name, const std::wstring &text) const
    {
        testreg::WriteString(HKEY_CURRENT_USER, Path(), name, text);
    }

    // Windows Mobile 5: every platform option is offered.
    static const LONG kCurrentPlatform = 5;
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

inline std::wstring CheckText(HWND page, int id)
{
    return sheet::IsChecked(page, id) ? L"checked" : L"unchecked";
}

// A control's style bits under a mask, as the template gave them.
struct Style {
    int id;
    LONG mask;
    LONG bits;
};

inline void ExpectStyles(HWND page, const std::vector<Style> &styles)
{
    for (const Style &s : styles)
        EXPECT_EQ(s.bits, GetWindowLongW(GetDlgItem(page, s.id), GWL_STYLE) & s.mask)
            << "control " << s.id;
}

const LONG kButtonType = 0x0F;
const LONG kComboType = 0x03;
inline Style AutoCheckBox(int id)
{
    return {id, kButtonType, BS_AUTOCHECKBOX};
}
inline Style AutoRadio(int id)
{
    return {id, kButtonType, BS_AUTORADIOBUTTON};
}
inline Style DropDownList(int id)
{
    return {id, kComboType, CBS_DROPDOWNLIST};
}

// The combo box hands its scroll bar style on to its drop-down list.
inline void ExpectListsScroll(HWND page, std::initializer_list<int> ids)
{
    for (int id : ids) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(GetDlgItem(page, id), &info)) << "control " << id;
        EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL) << "control " << id;
    }
}

// The dialog manager turns an edit's border into a sunken client edge.
inline void ExpectBordered(HWND page, std::initializer_list<int> ids)
{
    for (int id : ids) {
        HWND control = GetDlgItem(page, id);
        EXPECT_TRUE((GetWindowLongW(control, GWL_STYLE) & WS_BORDER) ||
                    (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
            << "control " << id;
    }
}

// The decimal numbers first to last, as a list shows them.
inline std::vector<std::wstring> Numbers(int first, int last)
{
    std::vector<std::wstring> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(std::to_wstring(n));
    return numbers;
}

} // namespace page

#endif
