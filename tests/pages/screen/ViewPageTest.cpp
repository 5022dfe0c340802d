#include "ViewPage.h"

#include "OnePageTest.h"

namespace {

const std::initializer_list<const wchar_t *> kNumbers = {L"SplitText", L"SplitTextLen",
                                                         L"CombineTD", L"SplitPRE"};
const wchar_t kDefaultViewer[] = L"\\windows\\notes.exe";
const size_t kMaxPath = 4095;

// Whether an arrow press goes up or down.
enum class Arrow { Down, Up };

class ViewPageTest : public OnePageTest<ViewPage> {
protected:
    using Shown = std::vector<std::wstring>;
    static Shown ShownOn(HWND page)
    {
        return {page::CheckText(page, IDC_VIEW_SPLIT_TEXT),
                page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN),
                page::CheckText(page, IDC_VIEW_COMBINE_TD),
                page::CheckText(page, IDC_VIEW_SPLIT_PRE), ViewerPath(page)};
    }
    static std::wstring ViewerPath(HWND page)
    {
        HWND edit = GetDlgItem(page, IDC_VIEW_SOURCE_APP);
        std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
        text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
        return text;
    }
    static void TypePath(HWND page, const std::wstring &text)
    {
        SetDlgItemTextW(page, IDC_VIEW_SOURCE_APP, text.c_str());
    }
    // Clicks the left (down) or right (up) arrow of the horizontal up-down.
    static void ClickArrow(HWND page, Arrow arrow)
    {
        HWND spin = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN_SPIN);
        RECT area;
        GetClientRect(spin, &area);
        int x = arrow == Arrow::Up ? area.right * 3 / 4 : area.right / 4;
        LPARAM point = MAKELPARAM(x, area.bottom / 2);
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(spin, WM_LBUTTONUP, 0, point);
    }
    Values Stored() const { return Dwords(kNumbers); }
};

TEST_F(ViewPageTest, MissingKeyIsCreatedOnOpeningAndTheDefaultsShown)
{
    Shown shown;
    bool keyMade = false;
    Open([&](HWND page) {
        shown = ShownOn(page);
        keyMade = testreg::KeyExists(HKEY_CURRENT_USER, Path());
    });
    EXPECT_TRUE(keyMade);
    EXPECT_EQ((Shown{L"checked", L"24", L"checked", L"checked", kDefaultViewer}), shown);
    EXPECT_EQ((Values{1, 24, 1, 1}), Stored());
    EXPECT_EQ(kDefaultViewer, String(L"ViewSourceApp"));
}

TEST_F(ViewPageTest, CancelLeavesTheCreatedKeyEmpty)
{
    PutString(L"ViewSourceApp", L"\\viewer.exe");
    Open(
        [](HWND page) {
            TypePath(page, L"\\other.exe");
            sheet::Click(page, IDC_VIEW_SPLIT_TEXT);
            ClickArrow(page, Arrow::Up);
        },
        Close::Cancel);
    EXPECT_EQ(1u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
    EXPECT_EQ(L"\\viewer.exe", String(L"ViewSourceApp"));

    testreg::DeleteTree(HKEY_CURRENT_USER, Path());
    Open([](HWND) {}, Close::Cancel);
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

TEST_F(ViewPageTest, TemplateKeepsItsControlsAndStyles)
{
    Open([](HWND page) {
        HWND spin = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN_SPIN);
        EXPECT_EQ(GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN),
                  reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)));
        int low = 0, high = 0;
        SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(8, low);
        EXPECT_EQ(99, high);
        const LONG spinStyles = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ALIGNLEFT | UDS_AUTOBUDDY |
                                UDS_ARROWKEYS | UDS_HORZ | UDS_WRAP;
        const LONG editStyles = ES_NUMBER | ES_RIGHT | ES_CENTER | ES_AUTOHSCROLL;
        page::ExpectStyles(
            page, {page::AutoCheckBox(IDC_VIEW_SPLIT_TEXT),
                   page::AutoCheckBox(IDC_VIEW_COMBINE_TD),
                   page::AutoCheckBox(IDC_VIEW_SPLIT_PRE),
                   {IDC_VIEW_SPLIT_TEXT_LEN_SPIN, spinStyles,
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_HORZ},
                   {IDC_VIEW_SPLIT_TEXT_LEN, editStyles, ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL},
                   {IDC_VIEW_SOURCE_APP, editStyles | ES_MULTILINE | ES_READONLY, ES_AUTOHSCROLL}});
        page::ExpectBordered(page, {IDC_VIEW_SPLIT_TEXT_LEN, IDC_VIEW_SOURCE_APP});
    });
}

// Distinct values in each position, so that a swapped name shows.
TEST_F(ViewPageTest, StoredSettingsAreShownAndWrittenBack)
{
    hostContext.platformVersion = 2;
    struct Case {
        Values stored;
        std::wstring path;
        Shown shown;
    } cases[] = {
        {{0, 50, 1, 0},
         L"\\Program Files\\Viewer\\view.exe",
         {L"unchecked", L"50", L"checked", L"unchecked", L"\\Program Files\\Viewer\\view.exe"}},
        {{1, 99, 0, 1}, L"notes", {L"checked", L"99", L"unchecked", L"checked", L"notes"}},
        {{1, 8, 1, 0},
         L"\"C:\\quoted path\" /s",
         {L"checked", L"8", L"checked", L"unchecked", L"\"C:\\quoted path\" /s"}},
    };
    for (const Case &c : cases) {
        auto name = kNumbers.begin();
        for (const auto &value : c.stored)
            PutDword(*name++, *value);
        PutString(L"ViewSourceApp", c.path);
        Shown shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.stored, Stored());
        EXPECT_EQ(c.path, String(L"ViewSourceApp"));
    }
}

TEST_F(ViewPageTest, UsersChoicesAreWritten)
{
    hostContext.platformVersion = 2;
    Open([](HWND page) {
        sheet::Click(page, IDC_VIEW_SPLIT_TEXT);
        sheet::Click(page, IDC_VIEW_COMBINE_TD);
        sheet::Click(page, IDC_VIEW_SPLIT_PRE);
        TypePath(page, L"\\windows\\pword.exe");
    });
    EXPECT_EQ((Values{0, 24, 0, 0}), Stored());
    EXPECT_EQ(L"\\windows\\pword.exe", String(L"ViewSourceApp"));
}

TEST_F(ViewPageTest, EmptyPathIsWrittenEmptyAndShownEmptyNextTime)
{
    Open([](HWND page) { TypePath(page, L""); });
    auto raw = testreg::ReadRaw(HKEY_CURRENT_USER, Path(), L"ViewSourceApp");
    ASSERT_TRUE(raw);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw->first);
    EXPECT_EQ(std::vector<BYTE>(2, 0), raw->second) << "only the terminating NUL";

    std::wstring shown = L"unset";
    Open([&](HWND page) { shown = ViewerPath(page); });
    EXPECT_EQ(L"", shown);
}

// Splitting preformatted text is a Pocket PC 2002 option: later platforms
// see the box greyed, and its stored state still goes back unchanged.
TEST_F(ViewPageTest, PreBoxIsDisabledAbovePlatformTwoButKeepsItsState)
{
    struct Case {
        LONG platform;
        DWORD stored;
        bool enabled;
    } cases[] = {{2, 0, true}, {1, 1, true}, {3, 0, false}, {3, 1, false}, {5, 0, false}};
    for (const Case &c : cases) {
        hostContext.platformVersion = c.platform;
        PutDword(L"SplitPRE", c.stored);
        bool enabled = false, checked = false;
        Open([&](HWND page) {
            enabled = page::Enabled(page, IDC_VIEW_SPLIT_PRE);
            checked = sheet::IsChecked(page, IDC_VIEW_SPLIT_PRE);
        });
        EXPECT_EQ(c.enabled, enabled) << "platform " << c.platform;
        EXPECT_EQ(c.stored != 0, checked) << "platform " << c.platform;
        EXPECT_EQ(c.stored, Dword(L"SplitPRE")) << "platform " << c.platform;
    }
}

TEST_F(ViewPageTest, ArrowsMoveTheLengthWithinEightToNinetyNine)
{
    struct Case {
        DWORD stored;
        Arrow arrow;
        std::vector<std::wstring> shown; // after each of three presses
    } cases[] = {
        {97, Arrow::Up, {L"98", L"99", L"99"}},
        {10, Arrow::Down, {L"9", L"8", L"8"}},
    };
    for (const Case &c : cases) {
        PutDword(L"SplitTextLen", c.stored);
        std::vector<std::wstring> shown;
        Open([&](HWND page) {
            for (int i = 0; i < 3; ++i) {
                ClickArrow(page, c.arrow);
                shown.push_back(page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN));
            }
        });
        EXPECT_EQ(c.shown, shown) << c.stored;
        EXPECT_EQ(std::stoul(c.shown.back()), Dword(L"SplitTextLen")) << c.stored;
    }
}

TEST_F(ViewPageTest, ArrowKeysInTheNumberFieldMoveTheLength)
{
    std::wstring shown;
    Open([&](HWND page) {
        HWND edit = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN);
        SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
        SendMessageW(edit, WM_KEYUP, VK_UP, 0);
        shown = page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN);
    });
    EXPECT_EQ(L"25", shown);
    EXPECT_EQ(25u, Dword(L"SplitTextLen"));
}

TEST_F(ViewPageTest, LengthIsTakenFromTheLowSixteenBitsAndTheControlsPosition)
{
    struct Case {
        DWORD stored;
        const wchar_t *typed; // into the number field, or null
        const wchar_t *shown;
        DWORD written;
    } cases[] = {
        {0x00010020, nullptr, L"32", 32},
        {0xABCD0040, nullptr, L"64", 64},
        {40, L"77", L"40", 77},
        // A number out of range leaves the position where it was.
        {40, L"5", L"40", 40},
        {40, L"", L"40", 40},
    };
    for (const Case &c : cases) {
        PutDword(L"SplitTextLen", c.stored);
        std::wstring shown;
        Open([&](HWND page) {
            shown = page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN);
            if (c.typed)
                SetDlgItemTextW(page, IDC_VIEW_SPLIT_TEXT_LEN, c.typed);
        });
        EXPECT_EQ(c.shown, shown) << c.stored;
        EXPECT_EQ(c.written, Dword(L"SplitTextLen")) << c.stored;
    }
}

TEST_F(ViewPageTest, PathsUpTo4095CharactersRoundTripAndLongerOnesAreCut)
{
    const std::wstring longest = L"\\" + std::wstring(kMaxPath - 1, L'p');
    PutString(L"ViewSourceApp", longest);
    std::wstring shown;
    Open([&](HWND page) { shown = ViewerPath(page); });
    EXPECT_EQ(longest, shown);
    EXPECT_EQ(longest, String(L"ViewSourceApp"));

    const std::wstring typed = longest + L"tail beyond the limit";
    Open([&](HWND page) { TypePath(page, typed); });
    EXPECT_EQ(longest, String(L"ViewSourceApp"));

    // A stored path too long to read keeps the default.
    PutString(L"ViewSourceApp", typed);
    Open([&](HWND page) { shown = ViewerPath(page); }, Close::Cancel);
    EXPECT_EQ(kDefaultViewer, shown);
}

TEST_F(ViewPageTest, PathOfAnotherTypeShowsTheDefault)
{
    PutDword(L"ViewSourceApp", 0x00410041); // would read as "AA" if taken for text
    std::wstring shown;
    Open([&](HWND page) { shown = ViewerPath(page); });
    EXPECT_EQ(kDefaultViewer, shown);
    EXPECT_EQ(kDefaultViewer, String(L"ViewSourceApp"));
}

} // namespace
