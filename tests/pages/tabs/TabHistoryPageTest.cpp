#include "TabHistoryPage.h"

#include "PageTest.h"

namespace {

// The page in a sheet of its own, driven through its controls.
class TabHistoryPageTest : public PageTest<TabHistoryPage> {
protected:
    // A history as the add-on keeps it: values and subkeys below "Closed".
    void PutHistory() const
    {
        testreg::WriteString(HKEY_CURRENT_USER, Path(L"Closed"), L"0", L"http://a.example/");
        testreg::WriteString(HKEY_CURRENT_USER, Path(L"Closed\\1"), L"URL", L"http://b.example/");
        testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Closed\\1\\Back\\0"), L"Pos", 4);
    }
    bool HistoryExists() const { return testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Closed")); }
};

TEST_F(TabHistoryPageTest, ClearDeletesTheWholeHistoryAtOnceAndCancelKeepsItDeleted)
{
    PutHistory();
    PutDword(L"TabCount", 5);
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys"), L"x", 1);
    Open(
        [&](HWND page) {
            EXPECT_TRUE(HistoryExists()) << "nothing happens before Clear";
            sheet::Click(page, IDC_HISTORY_CLEAR);
            EXPECT_FALSE(HistoryExists()) << "deleted before the sheet closes";
            // A second press finds nothing to delete and changes nothing.
            sheet::Click(page, IDC_HISTORY_CLEAR);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_HISTORY_CLEAR)));
        },
        false);
    EXPECT_FALSE(HistoryExists());
    EXPECT_EQ(5u, Dword(L"TabCount")) << "the rest of the key stays";
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Keys")));
}

TEST_F(TabHistoryPageTest, ClearWithoutSettingsKeyCreatesNothing)
{
    Open([](HWND page) { sheet::Click(page, IDC_HISTORY_CLEAR); });
    EXPECT_FALSE(KeyMade());
}

TEST_F(TabHistoryPageTest, AcceptingWritesNothingAndKeepsTheHistory)
{
    PutHistory();
    Open([](HWND) {});
    EXPECT_TRUE(HistoryExists());
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Closed\\1\\Back\\0")));
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

TEST_F(TabHistoryPageTest, HeadingAndClearButtonAreBold)
{
    Open([](HWND page) {
        for (int id : {IDC_HEADING_1, IDC_HISTORY_CLEAR}) {
            HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageW(page, id, WM_GETFONT, 0, 0));
            LOGFONTW description = {};
            ASSERT_NE(0, GetObjectW(font, sizeof description, &description)) << id;
            EXPECT_EQ(FW_BOLD, description.lfWeight) << id;
        }
    });
}

} // namespace
