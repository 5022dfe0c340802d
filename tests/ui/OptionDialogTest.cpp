#include "OptionDialog.h"

#include "HostContext.h"
#include "SheetDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records what reaches the handlers; ends without destroying the window so
// that a modeless test dialog stays inspectable.
class RecordingDialog : public OptionDialog {
public:
    RecordingDialog() : OptionDialog(IDD_TAB_DISPLAY, nullptr) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return OptionDialog::HandleMessage(message, wParam, lParam);
    }
    BOOL OnNotify(WPARAM, NMHDR *, LRESULT *result) override
    {
        if (notifyStores)
            *result = notifyStores;
        return notifyHandled;
    }
    void EndModal(int result) override
    {
        endResults.push_back(result);
        if (endForReal)
            OptionDialog::EndModal(result);
    }
    void AdjustLayout(WPARAM wParam, LPARAM) override { layoutChanges.push_back(wParam); }
    using OptionDialog::Control;
    using OptionDialog::SendControlMessage;

    HWND Create()
    {
        return CreateDialogParamW(hostContext.instance, MAKEINTRESOURCEW(IDD_TAB_DISPLAY), nullptr,
                                  DialogProcThunk, reinterpret_cast<LPARAM>(this));
    }

    std::vector<UINT> messages;
    std::vector<int> endResults;
    std::vector<WPARAM> layoutChanges;
    BOOL notifyHandled = FALSE;
    LRESULT notifyStores = 0;
    bool endForReal = false;
};

class OptionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StandInResetRecord();
        window = dialog.Create();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        StandInSetInputPanel(FALSE);
    }
    INT_PTR Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return OptionDialog::DialogProcThunk(window, message, wParam, lParam);
    }

    RecordingDialog dialog;
    HWND window = nullptr;
};

TEST_F(OptionDialogTest, BindsAtInitDialogAndIgnoresEarlierMessages)
{
    ASSERT_FALSE(dialog.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.messages.front())
        << "first message routed: 0x" << std::hex << dialog.messages.front();
    EXPECT_EQ(window, dialog.Window());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), GetWindowLongPtrW(window, GWLP_USERDATA));

    // A window with no object bound gets FALSE for everything.
    HWND unbound = CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FALSE, OptionDialog::DialogProcThunk(unbound, WM_COMMAND, IDOK, 0));
    DestroyWindow(unbound);
}

TEST_F(OptionDialogTest, CommandsOkAndCancelEndTheDialog)
{
    EXPECT_EQ(TRUE, Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0));
    EXPECT_EQ(TRUE, Send(WM_COMMAND, IDCANCEL, 0));
    EXPECT_EQ(FALSE, Send(WM_COMMAND, 3, 0));
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), dialog.endResults);
}

TEST_F(OptionDialogTest, NotifyResultIsStoredOnlyWhenHandled)
{
    NMHDR header = {window, 1, 0};
    const LONG_PTR kUntouched = 1234;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, kUntouched);
    EXPECT_EQ(FALSE, Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(kUntouched, GetWindowLongPtrW(window, DWLP_MSGRESULT));

    dialog.notifyHandled = TRUE;
    EXPECT_EQ(TRUE, Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(0, GetWindowLongPtrW(window, DWLP_MSGRESULT));

    dialog.notifyStores = 77;
    EXPECT_EQ(TRUE, Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(77, GetWindowLongPtrW(window, DWLP_MSGRESULT));
}

TEST_F(OptionDialogTest, InputPanelChangesReachAdjustLayout)
{
    StandInSetInputPanel(TRUE);
    StandInSetInputPanel(FALSE);
    EXPECT_EQ((std::vector<WPARAM>{SPI_SETSIPINFO, SPI_SETSIPINFO}), dialog.layoutChanges);
    EXPECT_EQ(TRUE, Send(WM_SETTINGCHANGE, 0, 0));
}

TEST_F(OptionDialogTest, StaticControlsGetTheDialogBackground)
{
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE)),
              Send(WM_CTLCOLORSTATIC, 0, 0));
}

TEST_F(OptionDialogTest, InitialisationMakesFontFullScreenAndMenuBar)
{
    LOGFONTW font = {};
    ASSERT_NE(nullptr, dialog.HeadingFont());
    ASSERT_EQ(static_cast<int>(sizeof font), GetObjectW(dialog.HeadingFont(), sizeof font, &font));
    EXPECT_EQ(-11, font.lfHeight);
    EXPECT_EQ(FW_BOLD, font.lfWeight);

    const StandInRecord *record = StandInGetRecord();
    EXPECT_EQ(1, record->initDialogCalls);
    EXPECT_EQ(static_cast<DWORD>(SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN),
              record->lastInitDialogFlags);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), bounds.right - bounds.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - kStandInMenuBarHeight, bounds.bottom - bounds.top);

    ASSERT_NE(nullptr, dialog.MenuBar());
    wchar_t className[32] = {};
    GetClassNameW(dialog.MenuBar(), className, 32);
    EXPECT_STREQ(L"menu_worker", className);
}

// Controls are found by id in the window the object is bound to now: an id
// that was missing is looked up again, and a new window of the same object
// has controls of its own.
TEST_F(OptionDialogTest, ControlsAreFoundInTheBoundWindow)
{
    EXPECT_EQ(GetDlgItem(window, IDC_TAB_HEIGHT), dialog.Control(IDC_TAB_HEIGHT));
    EXPECT_EQ(GetDlgItem(window, IDC_TAB_COUNT), dialog.Control(IDC_TAB_COUNT));
    EXPECT_EQ(GetDlgItem(window, IDC_TAB_HEIGHT), dialog.Control(IDC_TAB_HEIGHT));
    dialog.SendControlMessage(IDC_TAB_COUNT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"7"));
    EXPECT_EQ(1, SendDlgItemMessageW(window, IDC_TAB_COUNT, CB_GETCOUNT, 0, 0));

    const int kLateId = 999;
    EXPECT_EQ(nullptr, dialog.Control(kLateId));
    HWND late =
        CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLateId)), nullptr, nullptr);
    EXPECT_EQ(late, dialog.Control(kLateId));

    HWND second = dialog.Create();
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(GetDlgItem(second, IDC_TAB_HEIGHT), dialog.Control(IDC_TAB_HEIGHT));
    EXPECT_EQ(0, dialog.SendControlMessage(IDC_TAB_COUNT, CB_GETCOUNT, 0, 0))
        << "the first window's list was reached";
    DestroyWindow(second);
}

TEST(OptionDialogLifetime, DestructorReleasesTheHeadingFont)
{
    HFONT font = nullptr;
    {
        RecordingDialog dialog;
        HWND window = dialog.Create();
        font = dialog.HeadingFont();
        ASSERT_NE(0u, GetObjectType(font));
        DestroyWindow(window);
    }
    EXPECT_EQ(0u, GetObjectType(font));
    RecordingDialog neverShown; // no window, nothing to release
}

TEST(OptionDialogModal, DoModalReturnsTheEndResult)
{
    RecordingDialog dialog;
    dialog.endForReal = true;
    int result = 0;
    auto isDialog = [&](HWND window) { return window == dialog.Window(); };
    sheet::RunModal([&] { result = dialog.DoModal(); }, isDialog,
                    [](HWND window) { SendMessageW(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, result);
}

} // namespace
