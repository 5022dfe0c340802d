#include "ScreenPage.h"

#include "OnePageTest.h"

namespace {

const std::initializer_list<const wchar_t *> kValues = {
    L"FSAddressBar", L"FSMenuBar", L"FSRestoreBar", L"FSRestoreBarHeight",
    L"FSVScroll",    L"FSHScroll", L"FSSoftKey"};

const int kRestoreGroup[] = {IDC_SCREEN_RESTORE_BUTTON, IDC_SCREEN_RESTORE_BAR,
                             IDC_SCREEN_PIXELS_LABEL, IDC_SCREEN_RESTORE_BAR_HEIGHT};

class ScreenPageTest : public OnePageTest<ScreenPage> {
protected:
    using Shown = std::vector<std::wstring>;
    // The controls in the order of the stored values.
    static Shown ShownOn(HWND page)
    {
        return {page::CheckText(page, IDC_SCREEN_HIDE_ADDRESS_BAR),
                page::CheckText(page, IDC_SCREEN_HIDE_MENU_BAR),
                sheet::IsChecked(page, IDC_SCREEN_RESTORE_BAR) ? L"bar" : L"button",
                sheet::SelectedText(page, IDC_SCREEN_RESTORE_BAR_HEIGHT),
                page::CheckText(page, IDC_SCREEN_HIDE_V_SCROLL),
                page::CheckText(page, IDC_SCREEN_HIDE_H_SCROLL),
                page::CheckText(page, IDC_SCREEN_SOFT_KEY)};
    }
    // "enabled", "disabled", or "mixed" when the group is split.
    static std::wstring RestoreGroupState(HWND page)
    {
        int enabled = 0;
        for (int id : kRestoreGroup)
            enabled += page::Enabled(page, id);
        if (enabled == 0)
            return L"disabled";
        return enabled == 4 ? L"enabled" : L"mixed";
    }
    Values Stored() const { return Dwords(kValues); }
};

TEST_F(ScreenPageTest, MissingKeyShowsTheDefaultsWithoutCreatingTheKey)
{
    Shown shown;
    std::wstring group;
    bool keyMade = true;
    Open([&](HWND page) {
        shown = ShownOn(page);
        group = RestoreGroupState(page);
        keyMade = testreg::KeyExists(HKEY_CURRENT_USER, Path());
    });
    EXPECT_FALSE(keyMade) << "opening the page only reads";
    EXPECT_EQ((Shown{L"checked", L"checked", L"button", L"6", L"checked", L"checked", L"checked"}),
              shown);
    EXPECT_EQ(L"enabled", group);
    EXPECT_EQ((Values{0, 0, 0, 6, 0, 0, 1}), Stored());
}

TEST_F(ScreenPageTest, TemplateKeepsItsControlsAndStyles)
{
    Open([](HWND page) {
        EXPECT_EQ(page::Numbers(0, 12), sheet::Items(page, IDC_SCREEN_RESTORE_BAR_HEIGHT));
        page::ExpectStyles(
            page, {page::AutoCheckBox(IDC_SCREEN_HIDE_ADDRESS_BAR),
                   page::AutoCheckBox(IDC_SCREEN_HIDE_MENU_BAR),
                   page::AutoCheckBox(IDC_SCREEN_HIDE_V_SCROLL),
                   page::AutoCheckBox(IDC_SCREEN_HIDE_H_SCROLL),
                   page::AutoCheckBox(IDC_SCREEN_SOFT_KEY),
                   {IDC_SCREEN_SOFT_KEY, BS_MULTILINE | BS_TOP | BS_BOTTOM, BS_MULTILINE | BS_TOP},
                   page::AutoRadio(IDC_SCREEN_RESTORE_BUTTON),
                   page::AutoRadio(IDC_SCREEN_RESTORE_BAR),
                   page::DropDownList(IDC_SCREEN_RESTORE_BAR_HEIGHT)});
        page::ExpectListsScroll(page, {IDC_SCREEN_RESTORE_BAR_HEIGHT});
        EXPECT_EQ(L"pixels", page::Text(page, IDC_SCREEN_PIXELS_LABEL));
        EXPECT_EQ(L"Disable full screen temporarily with soft key on WM5",
                  page::Text(page, IDC_SCREEN_SOFT_KEY));
    });
}

// Distinct values in each position, so that a swapped name shows.
TEST_F(ScreenPageTest, StoredSettingsAreShownInvertedAndWrittenBack)
{
    struct Case {
        Values stored;
        Shown shown;
        Values written;
    } cases[] = {
        {{1, 0, 5, 12, 0, 7, 0},
         {L"unchecked", L"checked", L"bar", L"12", L"checked", L"unchecked", L"unchecked"},
         {1, 0, 1, 12, 0, 1, 0}},
        {{0, 1, 0, 0, 1, 0, 1},
         {L"checked", L"unchecked", L"button", L"0", L"unchecked", L"checked", L"checked"},
         {0, 1, 0, 0, 1, 0, 1}},
    };
    for (const Case &c : cases) {
        auto name = kValues.begin();
        for (const auto &value : c.stored)
            PutDword(*name++, *value);
        Shown shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.written, Stored());
    }
}

TEST_F(ScreenPageTest, HeightAboveTwelveAsUnsignedShowsSix)
{
    struct Case {
        DWORD stored;
        const wchar_t *shown;
        DWORD written;
    } cases[] = {{13, L"6", 6}, {0xFFFFFFFF, L"6", 6}, {0x80000000, L"6", 6}, {12, L"12", 12}};
    for (const Case &c : cases) {
        PutDword(L"FSRestoreBarHeight", c.stored);
        std::wstring shown;
        Open([&](HWND page) { shown = sheet::SelectedText(page, IDC_SCREEN_RESTORE_BAR_HEIGHT); });
        EXPECT_EQ(c.shown, shown) << c.stored;
        EXPECT_EQ(c.written, Dword(L"FSRestoreBarHeight")) << c.stored;
    }
}

TEST_F(ScreenPageTest, HideMenuBarSwitchesTheRestoreGroupAndKeepsItsStates)
{
    std::vector<std::wstring> groups;
    Shown afterwards;
    Open([&](HWND page) {
        sheet::Click(page, IDC_SCREEN_RESTORE_BAR);
        sheet::ChooseItem(page, IDC_SCREEN_RESTORE_BAR_HEIGHT, 9);
        sheet::Click(page, IDC_SCREEN_HIDE_MENU_BAR);
        groups.push_back(RestoreGroupState(page));
        sheet::Click(page, IDC_SCREEN_HIDE_MENU_BAR);
        groups.push_back(RestoreGroupState(page));
        afterwards = ShownOn(page);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"disabled", L"enabled"}), groups);
    EXPECT_EQ(L"bar", afterwards[2]);
    EXPECT_EQ(L"9", afterwards[3]);
    EXPECT_EQ((Values{0, 0, 1, 9, 0, 0, 1}), Stored());
}

TEST_F(ScreenPageTest, VisibleMenuBarDisablesTheGroupFromTheStartAndItIsStillWritten)
{
    PutDword(L"FSMenuBar", 1);
    PutDword(L"FSRestoreBar", 1);
    PutDword(L"FSRestoreBarHeight", 3);
    std::wstring group;
    Open([&](HWND page) { group = RestoreGroupState(page); });
    EXPECT_EQ(L"disabled", group);
    EXPECT_EQ((Values{0, 1, 1, 3, 0, 0, 1}), Stored());
}

TEST_F(ScreenPageTest, UsersChoicesAreWrittenInverted)
{
    Open([](HWND page) {
        sheet::Click(page, IDC_SCREEN_HIDE_ADDRESS_BAR);
        sheet::Click(page, IDC_SCREEN_HIDE_H_SCROLL);
        sheet::Click(page, IDC_SCREEN_SOFT_KEY);
        sheet::ChooseItem(page, IDC_SCREEN_RESTORE_BAR_HEIGHT, 0);
    });
    EXPECT_EQ((Values{1, 0, 0, 0, 0, 1, 0}), Stored());
}

// The soft key option exists from Windows Mobile 5; older platforms see it
// greyed, and its stored state still goes back unchanged.
TEST_F(ScreenPageTest, SoftKeyBoxIsDisabledBelowPlatformFiveButKeepsItsState)
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
        Close::Cancel);
    EXPECT_EQ(1u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
    EXPECT_EQ(1u, Dword(L"FSMenuBar"));
}

} // namespace
