#include "BrowserPage.h"

#include "PageTest.h"

namespace {

using Items = std::vector<std::wstring>;
const Items kScriptModes = {L"Disable Script", L"Enable Script",
                            L"Enable Script and show Script errors"};
const Items kFocusTargets = {L"Default", L"Browser Window", L"Address Bar"};
const DWORD kNoSelection = 0xFFFFFFFF;

// The browser's three values are saved before and put back after each
// test; each test starts without them.
class BrowserPageTest : public PageTest<BrowserPage> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SaveKey(HKEY_LOCAL_MACHINE, kBrowserMachine, {L"Security_RunScripts", L"ClearTypeText"});
        SaveKey(HKEY_CURRENT_USER, kBrowserMain, {L"ShowScriptErrors"});
        Remove(HKEY_LOCAL_MACHINE, kBrowserMachine, L"Security_RunScripts");
        Remove(HKEY_LOCAL_MACHINE, kBrowserMachine, L"ClearTypeText");
        Remove(HKEY_CURRENT_USER, kBrowserMain, L"ShowScriptErrors");
    }
    static void Remove(HKEY root, const std::wstring &path, const wchar_t *name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, name);
            RegCloseKey(key);
        }
    }
    static void PutScripts(std::optional<DWORD> run, std::optional<DWORD> errors)
    {
        if (run)
            testreg::WriteDword(HKEY_LOCAL_MACHINE, kBrowserMachine, L"Security_RunScripts", *run);
        if (errors)
            testreg::WriteDword(HKEY_CURRENT_USER, kBrowserMain, L"ShowScriptErrors", *errors);
    }
    // "Security_RunScripts", "ShowScriptErrors", "ClearTypeText", "Focus".
    Values Stored() const
    {
        return {testreg::ReadDword(HKEY_LOCAL_MACHINE, kBrowserMachine, L"Security_RunScripts"),
                testreg::ReadDword(HKEY_CURRENT_USER, kBrowserMain, L"ShowScriptErrors"),
                testreg::ReadDword(HKEY_LOCAL_MACHINE, kBrowserMachine, L"ClearTypeText"),
                Dword(L"Focus")};
    }
};

TEST_F(BrowserPageTest, WithoutValuesShowsTheBrowsersDefaultsAndOkWritesThemAll)
{
    Open([](HWND page) {
        EXPECT_EQ(kScriptModes, sheet::Items(page, IDC_SCRIPT_MODE));
        EXPECT_EQ(kFocusTargets, sheet::Items(page, IDC_START_FOCUS));
        EXPECT_EQ(L"Enable Script", sheet::SelectedText(page, IDC_SCRIPT_MODE));
        EXPECT_FALSE(sheet::IsChecked(page, IDC_CLEAR_TYPE));
        EXPECT_EQ(L"Default", sheet::SelectedText(page, IDC_START_FOCUS));
    });
    EXPECT_EQ((Values{1, 0, 0, 0}), Stored());
}

TEST_F(BrowserPageTest, CancelWritesNothing)
{
    Open(
        [](HWND page) {
            sheet::ChooseItem(page, IDC_SCRIPT_MODE, 2);
            sheet::Click(page, IDC_CLEAR_TYPE);
            sheet::ChooseItem(page, IDC_START_FOCUS, 1);
        },
        false);
    EXPECT_EQ((Values{std::nullopt, std::nullopt, std::nullopt, std::nullopt}), Stored());
}

TEST_F(BrowserPageTest, ScriptModeIsReadFromBothValuesAndWrittenBackToBoth)
{
    struct Case {
        std::optional<DWORD> run, errors;
        int shown;
        DWORD writtenRun, writtenErrors;
    } cases[] = {
        {0, 1, 0, 0, 0},
        {1, std::nullopt, 1, 1, 0},
        {1, 1, 2, 1, 1},
        {2, 0, 2, 1, 1},
        // Values that form no mode leave the list without a selection,
        // which writes 1 to both.
        {1, 2, CB_ERR, 1, 1},
        {7, 0, CB_ERR, 1, 1},
        // A sum that overflows forms no mode: it does not turn scripts off.
        {0xFFFFFFFF, 1, CB_ERR, 1, 1},
        {1, 0xFFFFFFFF, CB_ERR, 1, 1},
    };
    for (const Case &c : cases) {
        PutScripts(c.run, c.errors);
        int shown = -2;
        Open([&](HWND page) { shown = sheet::Selection(page, IDC_SCRIPT_MODE); });
        std::string what = "run " + std::to_string(c.run.value_or(99)) + ", errors " +
                           std::to_string(c.errors.value_or(99));
        EXPECT_EQ(c.shown, shown) << what;
        EXPECT_EQ((Values{c.writtenRun, c.writtenErrors, 0, 0}), Stored()) << what;
        Remove(HKEY_CURRENT_USER, kBrowserMain, L"ShowScriptErrors");
    }
}

TEST_F(BrowserPageTest, ChoicesAreWrittenAsTheBrowserReadsThem)
{
    struct Case {
        int mode;
        bool clickClearType;
        int focus;
        Values written;
    } cases[] = {
        {0, true, 2, {0, 0, 1, 2}},
        {1, false, 1, {1, 0, 0, 1}},
        {2, true, 0, {1, 1, 1, 0}},
    };
    for (const Case &c : cases) {
        Open([&](HWND page) {
            sheet::ChooseItem(page, IDC_SCRIPT_MODE, c.mode);
            if (c.clickClearType)
                sheet::Click(page, IDC_CLEAR_TYPE);
            sheet::ChooseItem(page, IDC_START_FOCUS, c.focus);
        });
        EXPECT_EQ(c.written, Stored()) << "mode " << c.mode;
        Remove(HKEY_LOCAL_MACHINE, kBrowserMachine, L"ClearTypeText");
    }
}

TEST_F(BrowserPageTest, StoredClearTypeAndFocusAreShownAndWrittenBack)
{
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kBrowserMachine, L"ClearTypeText", 1);
    PutDword(L"Focus", 2);
    Open([](HWND page) {
        EXPECT_TRUE(sheet::IsChecked(page, IDC_CLEAR_TYPE));
        EXPECT_EQ(L"Address Bar", sheet::SelectedText(page, IDC_START_FOCUS));
    });
    EXPECT_EQ((Values{1, 0, 1, 2}), Stored());

    // Unchecking is written as well, and a focus outside the list as no
    // selection.
    PutDword(L"Focus", 5);
    Open([](HWND page) {
        EXPECT_EQ(CB_ERR, sheet::Selection(page, IDC_START_FOCUS));
        sheet::Click(page, IDC_CLEAR_TYPE);
    });
    EXPECT_EQ((Values{1, 0, 0, kNoSelection}), Stored());
}

TEST_F(BrowserPageTest, HeadingsAreBoldAndTheListsDropDownUnsorted)
{
    Open(
        [](HWND page) {
            for (int id : {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3})
                EXPECT_EQ(FW_BOLD, page::FontOf(page, id).lfWeight) << id;
            for (int id : {IDC_SCRIPT_MODE, IDC_START_FOCUS}) {
                LONG style = GetWindowLongW(GetDlgItem(page, id), GWL_STYLE);
                EXPECT_EQ(CBS_DROPDOWNLIST, style & 3) << id;
                EXPECT_EQ(0, style & CBS_SORT) << id;
            }
            LONG box = GetWindowLongW(GetDlgItem(page, IDC_CLEAR_TYPE), GWL_STYLE);
            EXPECT_EQ(BS_AUTOCHECKBOX, box & BS_TYPEMASK);
        },
        false);
}

} // namespace
