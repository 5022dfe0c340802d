#include "ScrollPage.h"

#include "PageTest.h"

namespace {

const auto kValues = {L"ScrollLinePixel", L"ScrollPageMethod", L"ScrollPagePixel",
                      L"ScrollPagePercent", L"ScreenDragSensitivity"};
const DWORD kNone = 0xFFFFFFFF;

class ScrollPageTest : public PageTest<ScrollPage> {
protected:
    // The controls in the order of kValues.
    static Texts ShownOn(HWND page)
    {
        return {sheet::SelectedText(page, IDC_SCROLL_LINE_PIXEL),
                sheet::IsChecked(page, IDC_SCROLL_PAGE_BY_PERCENT) ? L"percent" : L"pixels",
                sheet::SelectedText(page, IDC_SCROLL_PAGE_PIXEL),
                sheet::SelectedText(page, IDC_SCROLL_PAGE_PERCENT),
                sheet::SelectedText(page, IDC_SCROLL_DRAG_SENSITIVITY)};
    }
    Values Stored() const { return Dwords(kValues); }
};

TEST_F(ScrollPageTest, MissingKeyShowsTheDefaultsWithoutCreatingTheKey)
{
    Texts shown;
    bool keyMade = true;
    Open([&](HWND page) {
        shown = ShownOn(page);
        keyMade = KeyMade();
        EXPECT_EQ(page::Numbers(1, 100), sheet::Items(page, IDC_SCROLL_LINE_PIXEL));
        EXPECT_EQ(page::Numbers(0, 300), sheet::Items(page, IDC_SCROLL_PAGE_PIXEL));
        EXPECT_EQ(page::Numbers(0, 100), sheet::Items(page, IDC_SCROLL_PAGE_PERCENT));
        EXPECT_EQ(page::Numbers(1, 16), sheet::Items(page, IDC_SCROLL_DRAG_SENSITIVITY));
        page::ExpectScrollingDropDownLists(page,
                                           {IDC_SCROLL_LINE_PIXEL, IDC_SCROLL_PAGE_PIXEL,
                                            IDC_SCROLL_PAGE_PERCENT, IDC_SCROLL_DRAG_SENSITIVITY});
        page::ExpectStyles(page, {page::AutoRadio(IDC_SCROLL_PAGE_BY_PIXELS),
                                  page::AutoRadio(IDC_SCROLL_PAGE_BY_PERCENT)});
    });
    EXPECT_FALSE(keyMade) << "opening the page only reads";
    EXPECT_EQ((Texts{L"20", L"pixels", L"20", L"10", L"1"}), shown);
    EXPECT_EQ((Values{20, 0, 20, 10, 1}), Stored());
}

// The ends of every list, with distinct values in each position. Values
// outside a list are not clamped: it shows no selection, and accepting
// writes the no-selection index (-1) through the list's rule.
TEST_F(ScrollPageTest, StoredSettingsAreShownAndWrittenBack)
{
    struct Case {
        Values stored;
        Texts shown;
        Values written;
    } cases[] = {
        {{100, 2, 300, 0, 16}, {L"100", L"percent", L"300", L"0", L"16"}, {100, 1, 300, 0, 16}},
        {{1, 0, 0, 100, 2}, {L"1", L"pixels", L"0", L"100", L"2"}, {1, 0, 0, 100, 2}},
        {{0, 0, 301, 101, 0},
         {L"<none>", L"pixels", L"<none>", L"<none>", L"<none>"},
         {0, 0, kNone, kNone, 0}},
        {{101, 1, kNone, kNone, 17},
         {L"<none>", L"percent", L"<none>", L"<none>", L"<none>"},
         {0, 1, kNone, kNone, 0}},
    };
    for (const Case &c : cases) {
        PutDwords(kValues, c.stored);
        Texts shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.written, Stored());
    }
}

TEST_F(ScrollPageTest, ChoosingPixelsKeepsThePercentageListEnabledAndWritten)
{
    PutDwords(kValues, {20, 1, 20, 10, 1});
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

// The page does not end itself on acceptance: Apply writes and it stays.
TEST_F(ScrollPageTest, ApplyWritesAndLeavesThePageShown)
{
    bool shown = false;
    Values applied;
    Open([&](HWND page) {
        sheet::ChooseItem(page, IDC_SCROLL_LINE_PIXEL, 0);
        PropSheet_Apply(GetParent(page));
        applied = Stored();
        shown = IsWindowVisible(page) != FALSE;
    });
    EXPECT_EQ((Values{1, 0, 20, 10, 1}), applied);
    EXPECT_TRUE(shown);
}

TEST_F(ScrollPageTest, CancelWritesNothing)
{
    PutDword(L"ScrollLinePixel", 7);
    Open(
        [](HWND page) {
            sheet::ChooseItem(page, IDC_SCROLL_LINE_PIXEL, 0);
            sheet::Click(page, IDC_SCROLL_PAGE_BY_PERCENT);
        },
        false);
    EXPECT_EQ(1u, ValueCount());
    EXPECT_EQ(7u, Dword(L"ScrollLinePixel"));
}

} // namespace
