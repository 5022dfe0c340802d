// A page alone in the options sheet, driven through its controls as a user
// drives it, with a settings key of its own that is read back by plain
// registry calls; and the helpers that read and work a page's controls.
#ifndef VELOTAB_PAGE_TEST_H
#define VELOTAB_PAGE_TEST_H

#include "HostContext.h"
#include "OptionPage.h"
#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

#include <initializer_list>

class PageFixture : public SettingsTest {
protected:
    using Values = std::vector<std::optional<DWORD>>;
    using Texts = std::vector<std::wstring>;
    using Names = std::initializer_list<const wchar_t *>;

    // Every platform option offered, the hold interval shown.
    void SetUp() override;

    // Opens `page` alone in the sheet, runs `use` on its window, then
    // accepts or cancels the sheet.
    static void OpenPage(OptionPage &page, const sheet::Script &use, bool accept = true);

    bool KeyMade() const;
    Values Dwords(Names names) const;
    void PutDwords(Names names, const Values &values) const;
    std::optional<std::wstring> String(const wchar_t *name) const;
    void PutString(const wchar_t *name, const std::wstring &text) const;
    DWORD ValueCount() const;
};

// The fixture of the tests of one page class; `Base` adds set-up of its own.
template <class Page, class Base = PageFixture> class PageTest : public Base {
protected:
    void Open(const std::function<void(HWND page)> &use, bool accept = true)
    {
        Page page;
        PageFixture::OpenPage(page, use, accept);
    }
    // The same, with the page object at hand.
    void Open(const std::function<void(HWND window, Page &page)> &use, bool accept = true)
    {
        Page page;
        PageFixture::OpenPage(
            page, [&](HWND window) { use(window, page); }, accept);
    }
};

namespace page {

bool Enabled(HWND page, int id);
bool ReadOnly(HWND page, int id);
std::wstring Text(HWND page, int id);
// Replaces the control's text, as typing over it does.
void Type(HWND page, int id, const std::wstring &text);
// Types over the whole text of an edit through the keyboard's path, so that
// the edit's limit applies.
void TypeIn(HWND page, int id, const std::wstring &text);
std::wstring Check(HWND page, int id);
LOGFONTW FontOf(HWND page, int id);
// The control's rectangle in the page's client coordinates.
RECT Place(HWND page, int id);
// The decimal numbers first to last, as a list shows them.
std::vector<std::wstring> Numbers(int first, int last);

// Style bits under a mask, as the template gave them.
struct Style {
    int id;
    LONG mask, bits;
};
void ExpectStyles(HWND page, std::initializer_list<Style> styles);
Style AutoCheckBox(int id);
Style AutoRadio(int id);
// A drop-down list hands its scroll bar on to the list it drops.
void ExpectScrollingDropDownLists(HWND page, std::initializer_list<int> ids);

// A list view's rows, each as the texts of its columns.
std::vector<std::vector<std::wstring>> ListRows(HWND page, int listId);
// The selected rows' indices, in order.
std::vector<int> SelectedRows(HWND page, int listId);
// Selects the row as a tap does; the list tells the page itself.
void SelectRow(HWND page, int listId, int row);

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

} // namespace page

#endif
