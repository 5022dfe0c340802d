#include "ScreenPage.h"

#include "PageTest.h"

namespace {

const auto kValues = {L"FSAddressBar", L"FSMenuBar", L"FSRestoreBar", L"FSRestoreBarHeight",
                      L"FSVScroll",    L"FSHScroll", L"FSSoftKey"};
const int kRestoreGroup[] = {IDC_SCREEN_RESTORE_BUTTON, IDC_SCREEN_RESTORE_BAR,
                             IDC_SCREEN_PIXELS_LABEL, IDC_SCREEN_RESTORE_BAR_HEIGHT};

class ScreenPageTest : public PageTest<ScreenPage> {
protected:
    // The controls in the order of kValues, then the restore group's state.
    static Texts ShownOn(HWND page)
    {
        int enabled = 0;
        for (int id : kRestoreGroup)
            enabled += page::Enabled(page, id);
        return {page::Check(page, IDC_SCREEN_HIDE_ADDRESS_BAR),
                page::Check(page, IDC_SCREEN_HIDE_MENU_BAR),
                sheet::IsChecked(page, IDC_SCREEN_RESTORE_BAR) ? L"bar" : L"button",
                sheet::SelectedText(page, IDC_SCREEN_RESTORE_BAR_HEIGHT),
                page::Check(page, IDC_SCREEN_HIDE_V_SCROLL),
                page::Check(page, IDC_SCREEN_HIDE_H_SCROLL),
                page::Check(page, IDC_SCREEN_SOFT_KEY),
                enabled == 4   ? L"group enabled"
                : enabled == 0 ? L"group disabled"
                               : L"split"};
    }
    Values Stored() const { return Dwords(kValues); }
};

TEST_F(ScreenPageTest, MissingKeyShowsTheDefaultsWithoutCreatingTheKey)
{
    Texts shown;
    bool keyMade = true;
    Open([&](HWND page) {
        shown = ShownOn(page);
        keyMade = KeyMade();
        EXPECT_EQ(page::Numbers(0, 12), sheet::Items(page, IDC_SCREEN_RESTORE_BAR_HEIGHT));
        page::ExpectScrollingDropDownLists(page, {IDC_SCREEN_RESTORE_BAR_HEIGHT});
        page::ExpectStyles(page, {page::AutoCheckBox(IDC_SCREEN_HIDE_ADDRESS_BAR),
                                  page::AutoCheckBox(IDC_SCREEN_HIDE_MENU_BAR),
                                  page::AutoCheckBox(IDC_SCREEN_HIDE_V_SCROLL),
                                  page::AutoCheckBox(IDC_SCREEN_HIDE_H_SCROLL),
                                  {IDC_SCREEN_SOFT_KEY, BS_TYPEMASK | BS_MULTILINE | BS_VCENTER,
                                   BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP},
                                  page::AutoRadio(IDC_SCREEN_RESTORE_BUTTON),
                                  page::AutoRadio(IDC_SCREEN_RESTORE_BAR)});
    });
    EXPECT_FALSE(keyMade) << "opening the page only reads";
    EXPECT_EQ((Texts{L"on", L"on", L"button", L"6", L"on", L"on", L"on", L"group enabled"}), shown);
    EXPECT_EQ((Values{0, 0, 0, 6, 0, 0, 1}), Stored());
}

// Distinct values in each position, so that a swapped name shows. Any
// nonzero flag means visible; a height above 12 as unsigned shows 6.
TEST_F(ScreenPageTest, StoredSettingsAreShownInvertedAndWrittenBack)
{
    struct Case {
        Values stored;
        Texts shown;
        Values written;
    } cases[] = {
        {{1, 0, 5, 12, 0, 7, 0},
         {L"off", L"on", L"bar", L"12", L"on", L"off", L"off", L"group enabled"},
         {1, 0, 1, 12, 0, 1, 0}},
        {{0, 1, 0, 0, 1, 0, 1},
         {L"on", L"off", L"button", L"0", L"off", L"on", L"on", L"group disabled"},
         {0, 1, 0, 0, 1, 0, 1}},
        {{0, 0, 1, 13, 0, 0, 1},
         {L"on", L"on", L"bar", L"6", L"on", L"on", L"on", L"group enabled"},
         {0, 0, 1, 6, 0, 0, 1}},
        {{0, 0, 0, 0xFFFFFFFF, 0, 0, 1},
         {L"on", L"on", L"button", L"6", L"on", L"on", L"on", L"group enabled"},
         {0, 0, 0, 6, 0, 0, 1}},
    };
    for (const Case &c : cases) {
        PutDwords(kValues, c.stored);
        Texts shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.written, Stored());
    }
}

TEST_F(ScreenPageTest, HideMenuBarSwitchesTheRestoreGroupAndKeepsItsStates)
{
    std::vector<Texts> steps;
    Open([&](HWND page) {
        sheet::Click(page, IDC_SCREEN_RESTORE_BAR);
        sheet::ChooseItem(page, IDC_SCREEN_RESTORE_BAR_HEIGHT, 9);
        sheet::Click(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
        for (int i = 0; i < 2; ++i) {
            sheet::Click(page, IDC_SCREEN_HIDE_MENU_BAR);
            steps.push_back(ShownOn(page));
        }
    });
    EXPECT_EQ((Texts{L"off", L"off", L"bar", L"9", L"on", L"on", L"on", L"group disabled"}),
              steps[0]);
    EXPECT_EQ((Texts{L"off", L"on", L"bar", L"9", L"on", L"on", L"on", L"group enabled"}),
              steps[1]);
    EXPECT_EQ((Values{1, 0, 1, 9, 0, 0, 1}), Stored());
}

// Older platforms than Windows Mobile 5 see the soft key box greyed; its
// stored state is still shown and goes back unchanged.
TEST_F(ScreenPageTest, SoftKeyBoxIsDisabledBelowPlatformFive)
{
    struct Case {
        LONG platform;
        DWORD stored;
        bool enabled;
    } cases[] = {{4, 0, false}, {4, 1, false}, {0, 0, false}, {5, 0, true}, {6, 1, true}};
    for (const Case &c : cases) {
        hostContext.platformVersion = c.platform;
        PutDword(L"FSSoftKey", c.stored);
        bool enabled = false, checked = false;
        Open([&](HWND page) {
            enabled = page::Enabled(page, IDC_SCREEN_SOFT_KEY);
            checked = sheet::IsChecked(page, IDC_SCREEN_SOFT_KEY);
        });
        EXPECT_EQ(c.enabled, enabled) << "platform " << c.platform;
        EXPECT_EQ(c.stored != 0, checked) << "platform " << c.platform;
        EXPECT_EQ(c.stored, Dword(L"FSSoftKey")) << "platform " << c.platform;
    }
}

TEST_F(ScreenPageTest, CancelWritesNothing)
{
    PutDword(L"FSMenuBar", 1);
    Open(
        [](HWND page) {
            sheet::Click(page, IDC_SCREEN_HIDE_MENU_BAR);
            sheet::Click(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
        },
        false);
    EXPECT_EQ(1u, ValueCount());
    EXPECT_EQ(1u, Dword(L"FSMenuBar"));
}

} // namespace
