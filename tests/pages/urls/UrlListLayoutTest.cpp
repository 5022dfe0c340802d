// The list pages follow the input panel: the list gives up height and the
// controls below it move up, so that the fields stay above the panel.
#include "UrlListLayout.h"

namespace {

using urls::UrlListLayoutTest;

// The figures are those of the QVGA screen; on the VGA screen, the portrait
// screen at twice the density, each of them doubles.
TEST_P(UrlListLayoutTest, PortraitListGivesWayToThePanelUpTo110Pixels)
{
    if (GetSystemMetrics(SM_CYSCREEN) != page::Scaled(urls::kPortraitHeight))
        GTEST_SKIP() << "needs the portrait screen, 240 x 320 or 480 x 640";
    std::unique_ptr<UrlListPage> page = GetParam().make();
    OpenPage(*page, [&](HWND window) {
        Layout initial = Measure(window);
        EXPECT_EQ(TemplateList(window), initial.list);
        ExpectSteps(window, initial,
                    {{"panel raised, visible bottom 214", TRUE, 0, 80},
                     {"visible bottom 150", TRUE, 150, urls::kMaxShrink},
                     {"visible bottom 250", TRUE, 250, 44},
                     {"visible bottom 293", TRUE, 293, 1},
                     {"panel lowered", FALSE, 0, 0}});
    });
}

// The list scrolls so that its current row stays in sight as the raised
// panel takes its room.
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
        // At the shrink limit the QVGA list still holds its header and a
        // whole row. The template grows less with the density than the
        // pixel figures do, so denser screens keep the panel where it rises.
        if (page::Scaled(1) == 1)
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
