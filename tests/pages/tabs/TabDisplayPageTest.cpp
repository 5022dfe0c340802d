#include "TabDisplayPage.h"

#include "PageTest.h"

namespace {

const auto kValues = {L"TabCount", L"TabHeight", L"TabHideSingle", L"TabPosNewTab",
                      L"TabPosActivate"};

// The page in a sheet of its own, driven through its controls.
class TabDisplayPageTest : public PageTest<TabDisplayPage> {
protected:
    Values Stored() const { return Dwords(kValues); }
    using Shown = Texts;
    static Shown ShownOn(HWND page)
    {
        return {sheet::SelectedText(page, IDC_TAB_COUNT), sheet::SelectedText(page, IDC_TAB_HEIGHT),
                sheet::IsChecked(page, IDC_TAB_HIDE_SINGLE) ? L"checked" : L"unchecked",
                sheet::SelectedText(page, IDC_TAB_POS_NEW_TAB),
                sheet::SelectedText(page, IDC_TAB_POS_ACTIVATE)};
    }
};

TEST_F(TabDisplayPageTest, MissingKeyShowsAndWritesTheDefaults)
{
    Shown shown;
    Open([&](HWND page) {
        shown = ShownOn(page);
        EXPECT_TRUE(KeyMade()) << "key made at start";
    });
    EXPECT_EQ((Shown{L"3", L"22", L"unchecked", L"Next to Current Tab", L"Left tab"}), shown);
    EXPECT_EQ((Values{3, 22, 0, 0, 0}), Stored());
}

TEST_F(TabDisplayPageTest, ListsHoldTheirItemsInOrder)
{
    using Items = std::vector<std::wstring>;
    Open([](HWND page) {
        EXPECT_EQ((Items{L"2", L"3", L"4", L"5", L"6", L"7", L"8"}),
                  sheet::Items(page, IDC_TAB_COUNT));
        EXPECT_EQ(
            (Items{L"22", L"21", L"20", L"19", L"18", L"17", L"16", L"15", L"14", L"13", L"12"}),
            sheet::Items(page, IDC_TAB_HEIGHT));
        EXPECT_EQ((Items{L"Next to Current Tab", L"End of Tab bar"}),
                  sheet::Items(page, IDC_TAB_POS_NEW_TAB));
        EXPECT_EQ((Items{L"Left tab", L"Right tab"}), sheet::Items(page, IDC_TAB_POS_ACTIVATE));
    });
}

TEST_F(TabDisplayPageTest, HeadingsGetTheBoldHeadingFontAndListsCannotBeTypedInto)
{
    Open([](HWND window, TabDisplayPage &page) {
        HFONT heading = page.HeadingFont();
        ASSERT_NE(nullptr, heading);
        LOGFONTW font = {};
        GetObjectW(heading, sizeof font, &font);
        EXPECT_EQ(-11, font.lfHeight);
        EXPECT_EQ(FW_BOLD, font.lfWeight);
        for (int id : {IDC_HEADING_1, IDC_HEADING_2})
            EXPECT_EQ(reinterpret_cast<WPARAM>(heading),
                      SendDlgItemMessageW(window, id, WM_GETFONT, 0, 0))
                << "heading " << id;
        for (int id : {IDC_TAB_COUNT, IDC_TAB_HEIGHT, IDC_TAB_POS_NEW_TAB, IDC_TAB_POS_ACTIVATE})
            EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongW(GetDlgItem(window, id), GWL_STYLE) & 3)
                << "list " << id;
    });
}

TEST_F(TabDisplayPageTest, AnyNonzeroCheckStateShowsCheckedAndIsWrittenAsOne)
{
    for (DWORD stored : {2u, 0xFFFFFFFFu}) {
        PutDword(L"TabHideSingle", stored);
        bool checked = false;
        Open([&](HWND page) { checked = sheet::IsChecked(page, IDC_TAB_HIDE_SINGLE); });
        EXPECT_TRUE(checked) << stored;
        EXPECT_EQ(1u, Dword(L"TabHideSingle")) << stored;
    }
}

TEST_F(TabDisplayPageTest, NumbersOutsideTheirRangeAreClampedAsUnsigned)
{
    struct Case {
        DWORD count, height;
        const wchar_t *shownCount, *shownHeight;
        DWORD writtenCount, writtenHeight;
    } cases[] = {
        {0, 5, L"2", L"12", 2, 12},
        {1, 40, L"2", L"22", 2, 22},
        {9, 0xFFFFFFFF, L"8", L"22", 8, 22},
        {0xFFFFFFFE, 13, L"8", L"13", 8, 13},
    };
    for (const Case &c : cases) {
        PutDword(L"TabCount", c.count);
        PutDword(L"TabHeight", c.height);
        Shown shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shownCount, shown[0]) << "TabCount " << c.count;
        EXPECT_EQ(c.shownHeight, shown[1]) << "TabHeight " << c.height;
        EXPECT_EQ(c.writtenCount, Dword(L"TabCount"));
        EXPECT_EQ(c.writtenHeight, Dword(L"TabHeight"));
    }
}

TEST_F(TabDisplayPageTest, PositionsOutsideTheListAreWrittenAsNoSelection)
{
    PutDword(L"TabPosNewTab", 2);
    PutDword(L"TabPosActivate", 0xFFFFFFFF);
    Open([](HWND page) {
        EXPECT_EQ(CB_ERR, sheet::Selection(page, IDC_TAB_POS_NEW_TAB));
        EXPECT_EQ(CB_ERR, sheet::Selection(page, IDC_TAB_POS_ACTIVATE));
    });
    EXPECT_EQ(0xFFFFFFFFu, Dword(L"TabPosNewTab"));
    EXPECT_EQ(0xFFFFFFFFu, Dword(L"TabPosActivate"));
}

TEST_F(TabDisplayPageTest, StoredChoicesAreShownAndTheUsersChoicesWritten)
{
    PutDword(L"TabCount", 6);
    PutDword(L"TabHeight", 18);
    PutDword(L"TabHideSingle", 1);
    PutDword(L"TabPosNewTab", 1);
    PutDword(L"TabPosActivate", 1);
    Shown shown;
    Open([&](HWND page) {
        shown = ShownOn(page);
        sheet::ChooseItem(page, IDC_TAB_COUNT, 3);  // "5"
        sheet::ChooseItem(page, IDC_TAB_HEIGHT, 8); // "14"
        sheet::Click(page, IDC_TAB_HIDE_SINGLE);
        sheet::ChooseItem(page, IDC_TAB_POS_NEW_TAB, 0);
    });
    EXPECT_EQ((Shown{L"6", L"18", L"checked", L"End of Tab bar", L"Right tab"}), shown);
    EXPECT_EQ((Values{5, 14, 0, 0, 1}), Stored());
}

TEST_F(TabDisplayPageTest, ValueOfAnotherTypeKeepsTheDefault)
{
    // "5" as text fits in four bytes; it must not be taken for a number.
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"TabCount", L"5");
    Shown shown;
    Open([&](HWND page) { shown = ShownOn(page); });
    EXPECT_EQ(L"3", shown[0]);
    EXPECT_EQ(3u, Dword(L"TabCount"));
}

TEST_F(TabDisplayPageTest, CancelWritesNothing)
{
    PutDword(L"TabCount", 6);
    Open(
        [](HWND page) {
            sheet::ChooseItem(page, IDC_TAB_COUNT, 0);
            sheet::Click(page, IDC_TAB_HIDE_SINGLE);
        },
        false);
    EXPECT_EQ((Values{6, std::nullopt, std::nullopt, std::nullopt, std::nullopt}), Stored());
}

} // namespace
