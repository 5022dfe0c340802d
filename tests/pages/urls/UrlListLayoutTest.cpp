// The list pages follow the input panel: the list gives up height and the
// controls below it move up, so that the fields stay above the panel.
#include "UrlListLayout.h"

namespace {

using urls::UrlListLayoutTest;

TEST_P(UrlListLayoutTest, PortraitListGivesWayToThePanelUpTo110Pixels)
{
    if (GetSystemMetrics(SM_CYSCREEN) != urls::kPortraitHeight)
        GTEST_SKIP() << "needs the portrait screen, 240 x 320";
    struct Step {
        const char *what;
        BOOL raised;
        LONG panelTop;
        int shrink;
    } steps[] = {
        {"panel raised, visible bottom 214", TRUE, 0, 80},
        {"visible bottom 150", TRUE, 150, urls::kMaxShrink},
        {"visible bottom 250", TRUE, 250, 44},
        {"visible bottom 293", TRUE, 293, 1},
        {"panel lowered", FALSE, 0, 0},
    };
    std::unique_ptr<UrlListPage> page = GetParam().make();
    OpenPage(*page, [&](HWND window) {
        Layout initial = Measure(window);
        EXPECT_EQ(TemplateList(window), initial.list);
        for (const Step &step : steps) {
            StandInSetInputPanelTop(step.panelTop);
            StandInSetInputPanel(step.raised);
            ExpectShrunk(initial, Measure(window), step.shrink, step.what);
        }
    });
}

// The list scrolls so that its current row stays in sight.
TEST_P(UrlListLayoutTest, TheCurrentRowStaysInSight)
{
    std::unique_ptr<UrlListPage> page = GetParam().make();
    page->InstallDefaults();
    OpenPage(*page, [&](HWND window) {
        HWND list = GetDlgItem(window, IDC_URL_LIST);
        int last = ListView_GetItemCount(list) - 1;
        page::SelectRow(window, IDC_URL_LIST, last);
        ListView_SetSelectionMark(list, last);
        ListView_EnsureVisible(list, last, FALSE);
        StandInSetInputPanelTop(150);
        StandInSetInputPanel(TRUE);
        RECT row, client;
        ListView_GetItemRect(list, last, &row, LVIR_BOUNDS);
        GetClientRect(list, &client);
        EXPECT_LE(row.bottom, client.bottom);
        EXPECT_GE(row.top, 0);
    });
}

INSTANTIATE_TEST_SUITE_P(BothLists, UrlListLayoutTest, ::testing::ValuesIn(urls::LayoutCases()),
                         urls::LayoutCaseName);

} // namespace
