// The list pages' layout on the device's landscape screen, 320 x 240. This
// program runs on a display of that size of its own.
#include "UrlListLayout.h"

namespace {

using urls::UrlListLayoutTest;

// On the landscape screen the panel-down desktop ends at 214, so the list
// starts 80 pixels short; a desktop reaching the screen's bottom keeps a
// menu bar's height and a pixel free.
TEST_P(UrlListLayoutTest, LandscapeListStartsShortAndKeepsRoomForTheMenuBar)
{
    if (GetSystemMetrics(SM_CYSCREEN) != urls::kLandscapeHeight)
        GTEST_SKIP() << "needs the landscape screen, 320 x 240";
    const int menuBar = GetSystemMetrics(SM_CYMENU) + 1;
    struct Step {
        const char *what;
        BOOL raised;
        LONG panelTop;
        int shrink;
    } steps[] = {
        {"visible bottom at the screen's bottom", TRUE, urls::kLandscapeHeight, 54 + menuBar},
        {"panel raised, visible bottom 134", TRUE, 0, urls::kMaxShrink},
        {"panel lowered", FALSE, 0, 80},
    };
    std::unique_ptr<UrlListPage> page = GetParam().make();
    OpenPage(*page, [&](HWND window) {
        Layout initial = Measure(window);
        RECT full = TemplateList(window);
        EXPECT_EQ(full.bottom - 80, initial.list.bottom);
        Layout reference = initial;
        reference.list = full;
        for (RECT &place : reference.below)
            OffsetRect(&place, 0, 80);
        for (const Step &step : steps) {
            StandInSetInputPanelTop(step.panelTop);
            StandInSetInputPanel(step.raised);
            ExpectShrunk(reference, Measure(window), step.shrink, step.what);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(BothLists, UrlListLayoutTest, ::testing::ValuesIn(urls::LayoutCases()),
                         urls::LayoutCaseName);

} // namespace
