// The desktop side of the device differences, and the shell stand-in.
#include "Platform.h"

#include "TestRegistry.h"
#include "resource.h"

namespace {

TEST(Platform, StringPointerIsTheNulTerminatedEntry)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_STREQ(L"TabCount", PlatformLoadStringPointer(self, IDS_VALUE_TAB_COUNT));
    // 9172 shares the table block with 9171; 9170 does not exist in it.
    EXPECT_EQ(nullptr, PlatformLoadStringPointer(self, 9170));
    EXPECT_EQ(nullptr, PlatformLoadStringPointer(self, 60000));
}

TEST(Platform, SmallIconComesFromValidFilesOnly)
{
    HICON icon = PlatformExtractSmallIcon(L"shell32.dll", 0);
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
    EXPECT_EQ(nullptr, PlatformExtractSmallIcon(L"C:\\no\\such\\file.dll", 0));
}

using PlatformRegistry = SettingsTest;

TEST_F(PlatformRegistry, KeyTreeDeletionTakesSubkeys)
{
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Closed\\1\\2"), L"x", 1);
    HKEY product = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, Path().c_str(), 0, KEY_ALL_ACCESS, &product));
    EXPECT_EQ(ERROR_SUCCESS, PlatformDeleteKeyTree(product, L"Closed"));
    RegCloseKey(product);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Closed")));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
}

TEST(ShellStandIn, InputPanelShrinksTheVisibleDesktop)
{
    SIPINFO panel = {sizeof panel};
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &panel, 0));
    EXPECT_EQ(0u, panel.fdwFlags & SIPF_ON);
    const LONG lowered = panel.rcVisibleDesktop.bottom;
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - kStandInMenuBarHeight, lowered);

    panel.fdwFlags |= SIPF_ON;
    ASSERT_TRUE(SHSipInfo(SPI_SETSIPINFO, 0, &panel, 0));
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &panel, 0));
    EXPECT_NE(0u, panel.fdwFlags & SIPF_ON);
    EXPECT_EQ(lowered - kStandInInputPanelHeight, panel.rcVisibleDesktop.bottom);
    EXPECT_EQ(panel.rcVisibleDesktop.bottom, panel.rcSipRect.top);
    StandInSetInputPanel(FALSE);

    SIPINFO wrongSize = {sizeof wrongSize - 1};
    EXPECT_FALSE(SHSipInfo(SPI_GETSIPINFO, 0, &wrongSize, 0));
}

TEST(ShellStandIn, FullScreenSetUpLeavesChildDialogsAlone)
{
    HWND parent =
        CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child =
        CreateWindowW(L"STATIC", L"", WS_CHILD, 5, 5, 30, 20, parent, nullptr, nullptr, nullptr);
    SHINITDLGINFO info = {SHIDIM_FLAGS, child, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
    EXPECT_TRUE(SHInitDialog(&info));
    RECT bounds;
    GetWindowRect(child, &bounds);
    EXPECT_EQ(30, bounds.right - bounds.left);

    SHMENUBARINFO bar = {sizeof bar, child, 0};
    EXPECT_FALSE(SHCreateMenuBar(&bar)) << "only the empty bar exists here";
    bar.dwFlags = SHCMBF_EMPTYBAR;
    EXPECT_TRUE(SHCreateMenuBar(&bar));
    EXPECT_EQ(parent, GetWindow(bar.hwndMB, GW_OWNER));
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(bar.hwndMB)) << "the bar goes with its owner";
}

} // namespace
