#include "MenuPage.h"

#include "PageTest.h"

namespace {

const auto kValues = {L"MenuTab", L"MenuBack", L"MenuForward", L"MenuSoftKey"};
const int kLists[] = {IDC_MENU_TAB, IDC_MENU_BACK, IDC_MENU_FORWARD};

using Items = std::vector<std::wstring>;

// What the page shows: the three selected texts and the box.
struct Shown {
    Items selected;
    bool checked = false;
    bool boxEnabled = false;
};

// The page in a sheet of its own, driven through its controls.
class MenuPageTest : public PageTest<MenuPage> {
protected:
    static Shown Look(HWND page)
    {
        Shown shown;
        for (int list : kLists)
            shown.selected.push_back(sheet::SelectedText(page, list));
        shown.checked = sheet::IsChecked(page, IDC_MENU_SOFT_KEY);
        shown.boxEnabled = page::Enabled(page, IDC_MENU_SOFT_KEY);
        return shown;
    }
    // Opens the page, looks at it and accepts.
    Shown OpenAndLook()
    {
        Shown shown;
        Open([&](HWND page) { shown = Look(page); });
        return shown;
    }
    Values Stored() const { return Dwords(kValues); }
};

TEST_F(MenuPageTest, MissingKeyShowsAndWritesTheDefaults)
{
    Shown shown;
    Open([&](HWND page) {
        shown = Look(page);
        EXPECT_TRUE(KeyMade()) << "key made at start";
    });
    EXPECT_EQ((Items{L"Drop-down button", L"Drop-down button", L"Drop-down button"}),
              shown.selected);
    EXPECT_FALSE(shown.checked);
    EXPECT_TRUE(shown.boxEnabled);
    EXPECT_EQ((Values{0, 0, 0, 0}), Stored());
}

TEST_F(MenuPageTest, ListsHoldTheirItemsInOrderAsUnsortedDropDownLists)
{
    Open([](HWND page) {
        EXPECT_EQ((Items{L"Drop-down button", L"New Blank Tab button", L"New Current Tab button",
                         L"New Home Tab button"}),
                  sheet::Items(page, IDC_MENU_TAB));
        EXPECT_EQ((Items{L"Drop-down button", L"Back button"}), sheet::Items(page, IDC_MENU_BACK));
        EXPECT_EQ((Items{L"Drop-down button", L"Forward button"}),
                  sheet::Items(page, IDC_MENU_FORWARD));
        for (int list : kLists) {
            LONG style = GetWindowLongW(GetDlgItem(page, list), GWL_STYLE);
            EXPECT_EQ(CBS_DROPDOWNLIST, style & 0x3) << list;
            EXPECT_EQ(0, style & CBS_SORT) << list;
        }
        LONG box = GetWindowLongW(GetDlgItem(page, IDC_MENU_SOFT_KEY), GWL_STYLE);
        EXPECT_EQ(BS_AUTOCHECKBOX, box & BS_TYPEMASK);
    });
}

TEST_F(MenuPageTest, StoredChoicesAreShownAndTheUsersChoicesWritten)
{
    PutDword(L"MenuTab", 3);
    PutDword(L"MenuBack", 1);
    PutDword(L"MenuForward", 1);
    PutDword(L"MenuSoftKey", 1);
    Shown shown;
    Open([&](HWND page) {
        shown = Look(page);
        sheet::ChooseItem(page, IDC_MENU_TAB, 2);
        sheet::ChooseItem(page, IDC_MENU_FORWARD, 0);
        sheet::Click(page, IDC_MENU_SOFT_KEY);
    });
    EXPECT_EQ((Items{L"New Home Tab button", L"Back button", L"Forward button"}), shown.selected);
    EXPECT_TRUE(shown.checked);
    EXPECT_EQ((Values{2, 1, 0, 0}), Stored());
}

TEST_F(MenuPageTest, SoftKeyBoxIsOnlyOfferedFromWindowsMobile5OnButAlwaysWritten)
{
    struct Case {
        LONG platform;
        DWORD stored;
        bool enabled;
    } cases[] = {
        {4, 1, false}, {2, 0, false}, {-1, 1, false}, {5, 1, true}, {6, 0, true},
    };
    for (const Case &c : cases) {
        hostContext.platformVersion = c.platform;
        PutDword(L"MenuSoftKey", c.stored);
        Shown shown = OpenAndLook();
        EXPECT_EQ(c.enabled, shown.boxEnabled) << "platform " << c.platform;
        EXPECT_EQ(c.stored != 0, shown.checked) << "platform " << c.platform;
        EXPECT_EQ(c.stored, Dword(L"MenuSoftKey")) << "platform " << c.platform;
    }
}

TEST_F(MenuPageTest, StoredNumbersOutsideTheListsAreWrittenAsNoSelection)
{
    PutDword(L"MenuTab", 4);
    PutDword(L"MenuBack", 2);
    PutDword(L"MenuForward", 0xFFFFFFFF);
    Shown shown = OpenAndLook();
    EXPECT_EQ((Items{L"<none>", L"<none>", L"<none>"}), shown.selected);
    EXPECT_EQ((Values{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0}), Stored());
}

TEST_F(MenuPageTest, CancelWritesNothing)
{
    PutDword(L"MenuBack", 1);
    Open(
        [](HWND page) {
            sheet::ChooseItem(page, IDC_MENU_TAB, 1);
            sheet::ChooseItem(page, IDC_MENU_BACK, 0);
            sheet::Click(page, IDC_MENU_SOFT_KEY);
        },
        false);
    EXPECT_EQ((Values{std::nullopt, 1, std::nullopt, std::nullopt}), Stored());
}

} // namespace
