#include "ScrollPage.h"

#include "OnePageTest.h"

namespace {

const std::initializer_list<const wchar_t *> kValues = {L"ScrollLinePixel", L"ScrollPageMethod",
                                                        L"ScrollPagePixel", L"ScrollPagePercent",
                                                        L"ScreenDragSensitivity"};

class ScrollPageTest : public OnePageTest<ScrollPage> {
protected:
    using Shown = std::vector<std::wstring>;
    // The controls in the order of the stored values.
    static Shown ShownOn(HWND page)
    {
        return {sheet::SelectedText(page, IDC_SCROLL_LINE_PIXEL),
                sheet::IsChecked(page, IDC_SCROLL_PAGE_BY_PERCENT) ? L"percent" : L"pixels",
                sheet::SelectedText(page, IDC_SCROLL_PAGE_PIXEL),
                sheet::SelectedText(page, IDC_SCROLL_PAGE_PERCENT),
                sheet::SelectedText(page, IDC_SCROLL_DRAG_SENSITIVITY)};
    }
    void Store(const Values &values) const
    {
        auto name = kValues.begin();
        for (const auto &value : values)
            PutDword(*name++, *value);
    }
    Values Stored() const { return Dwords(kValues); }
};

TEST_F(ScrollPageTest, MissingKeyShowsTheDefaultsWithoutCreatingTheKey)
{
    Shown shown;
    bool keyMade = true;
    Open([&](HWND page) {
        shown = ShownOn(page);
        keyMade = testreg::KeyExists(HKEY_CURRENT_USER, Path());
    });
    EXPECT_FALSE(keyMade) << "opening the page only reads";
    EXPECT_EQ((Shown{L"20", L"pixels", L"20", L"10", L"1"}), shown);
    EXPECT_EQ((Values{20, 0, 20, 10, 1}), Stored());
}

TEST_F(ScrollPageTest, ListsHoldTheirNumbersInRisingOrder)
{
    struct Case {
        int id, first, last;
    } cases[] = {{IDC_SCROLL_LINE_PIXEL, 1, 100},
                 {IDC_SCROLL_PAGE_PIXEL, 0, 300},
                 {IDC_SCROLL_PAGE_PERCENT, 0, 100},
                 {IDC_SCROLL_DRAG_SENSITIVITY, 1, 16}};
    Open([&](HWND page) {
        for (const Case &c : cases)
            EXPECT_EQ(page::Numbers(c.first, c.last), sheet::Items(page, c.id)) << "list " << c.id;
        page::ExpectStyles(page, {page::AutoRadio(IDC_SCROLL_PAGE_BY_PIXELS),
                                  page::AutoRadio(IDC_SCROLL_PAGE_BY_PERCENT),
                                  page::DropDownList(IDC_SCROLL_LINE_PIXEL),
                                  page::DropDownList(IDC_SCROLL_PAGE_PIXEL),
                                  page::DropDownList(IDC_SCROLL_PAGE_PERCENT),
                                  page::DropDownList(IDC_SCROLL_DRAG_SENSITIVITY)});
        page::ExpectListsScroll(page, {IDC_SCROLL_LINE_PIXEL, IDC_SCROLL_PAGE_PIXEL,
                                       IDC_SCROLL_PAGE_PERCENT, IDC_SCROLL_DRAG_SENSITIVITY});
    });
}

// The ends of every list, with distinct values in each position.
TEST_F(ScrollPageTest, StoredSettingsAreShownAndWrittenBack)
{
    struct Case {
        Values stored;
        Shown shown;
        Values written;
    } cases[] = {
        {{100, 2, 300, 0, 16}, {L"100", L"percent", L"300", L"0", L"16"}, {100, 1, 300, 0, 16}},
        {{1, 0, 0, 100, 2}, {L"1", L"pixels", L"0", L"100", L"2"}, {1, 0, 0, 100, 2}},
    };
    for (const Case &c : cases) {
        Store(c.stored);
        Shown shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.written, Stored());
    }
}

// Values outside a list are not clamped: the list shows no selection and
// accepting writes the no-selection index (-1) through the list's rule.
TEST_F(ScrollPageTest, ValuesOutsideTheListsAreWrittenAsNoSelection)
{
    const DWORD kNone = 0xFFFFFFFF;
    struct Case {
        Values stored, written;
    } cases[] = {
        {{0, 0, 301, 101, 0}, {0, 0, kNone, kNone, 0}},
        {{101, 0, kNone, kNone, 17}, {0, 0, kNone, kNone, 0}},
    };
    for (const Case &c : cases) {
        Store(c.stored);
        Shown shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ((Shown{L"<none>", L"pixels", L"<none>", L"<none>", L"<none>"}), shown);
        EXPECT_EQ(c.written, Stored());
    }
}

TEST_F(ScrollPageTest, ChoosingPixelsKeepsThePercentageListEnabledAndWritten)
{
    Store({20, 1, 20, 10, 1});
    bool percentEnabled = false;
    Open([&](HWND page) {
        sheet::Click(page, IDC_SCROLL_PAGE_BY_PIXELS);
        percentEnabled = page::Enabled(page, IDC_SCROLL_PAGE_PERCENT);
        sheet::ChooseItem(page, IDC_SCROLL_PAGE_PERCENT, 55);
        sheet::ChooseItem(page, IDC_SCROLL_PAGE_PIXEL, 299);
        sheet::ChooseItem(page, IDC_SCROLL_LINE_PIXEL, 4);
        sheet::ChooseItem(page, IDC_SCROLL_DRAG_SENSITIVITY, 15);
    });
    EXPECT_TRUE(percentEnabled);
    EXPECT_EQ((Values{5, 0, 299, 55, 16}), Stored());
}

// Applying writes the settings and leaves the page open: the page does not
// end itself on acceptance.
TEST_F(ScrollPageTest, ApplyWritesAndLeavesThePageShown)
{
    bool shownAfterApply = false;
    Values afterApply;
    Open([&](HWND page) {
        sheet::ChooseItem(page, IDC_SCROLL_LINE_PIXEL, 0);
        PropSheet_Apply(GetParent(page));
        afterApply = Stored();
        shownAfterApply = IsWindowVisible(page) != FALSE;
    });
    EXPECT_EQ((Values{1, 0, 20, 10, 1}), afterApply);
    EXPECT_TRUE(shownAfterApply);
}

TEST_F(ScrollPageTest, CancelWritesNothing)
{
    PutDword(L"ScrollLinePixel", 7);
    Open(
        [](HWND page) {
            sheet::ChooseItem(page, IDC_SCROLL_LINE_PIXEL, 0);
            sheet::Click(page, IDC_SCROLL_PAGE_BY_PERCENT);
        },
        Close::Cancel);
    EXPECT_EQ(1u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
    EXPECT_EQ(7u, Dword(L"ScrollLinePixel"));
}

} // namespace
