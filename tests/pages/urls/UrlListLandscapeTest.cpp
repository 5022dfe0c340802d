// The list pages' layout on the device's landscape screen, 320 x 240. This
// program runs on a display of that size of its own, in a copy of the run's
// booted prefix.
#include "UrlListLayout.h"

#include <wincodec.h>

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
    std::unique_ptr<UrlListPage> page = GetParam().make();
    OpenPage(*page, [&](HWND window) {
        Layout initial = Measure(window);
        RECT full = TemplateList(window);
        EXPECT_EQ(full.bottom - 80, initial.list.bottom);
        Layout reference = initial;
        reference.list = full;
        for (RECT &place : reference.below)
            OffsetRect(&place, 0, 80);
        ExpectSteps(
            window, reference,
            {{"visible bottom at the screen's bottom", TRUE, urls::kLandscapeHeight, 54 + menuBar},
             {"panel raised, visible bottom 134", TRUE, 0, urls::kMaxShrink},
             {"panel lowered", FALSE, 0, 80}});
    });
}

// A copy of the prefix holds what the boot registered: the imaging factory
// that the tours save their pictures with is a COM class of the boot's.
TEST(PrefixCopyTest, HoldsTheClassesThatTheBootRegistered)
{
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IWICImagingFactory *factory = nullptr;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                              reinterpret_cast<void **>(&factory)));
    if (factory)
        factory->Release();
    CoUninitialize();
}

INSTANTIATE_TEST_SUITE_P(BothLists, UrlListLayoutTest, ::testing::ValuesIn(urls::LayoutCases()),
                         urls::LayoutCaseName);

} // namespace
