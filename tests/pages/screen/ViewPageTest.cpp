#include "ViewPage.h"

#include "PageTest.h"

namespace {

const auto kNumbers = {L"SplitText", L"SplitTextLen", L"CombineTD", L"SplitPRE"};
const std::wstring kDefaultViewer = L"\\windows\\notes.exe";

class ViewPageTest : public PageTest<ViewPage> {
protected:
    // The controls in the order of kNumbers, then the path.
    static Texts ShownOn(HWND page)
    {
        return {page::Check(page, IDC_VIEW_SPLIT_TEXT), page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN),
                page::Check(page, IDC_VIEW_COMBINE_TD), page::Check(page, IDC_VIEW_SPLIT_PRE),
                ViewerPath(page)};
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
    static void ClickArrow(HWND page, bool up)
    {
        HWND spin = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN_SPIN);
        RECT area;
        GetClientRect(spin, &area);
        LPARAM point = MAKELPARAM(up ? area.right * 3 / 4 : area.right / 4, area.bottom / 2);
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(spin, WM_LBUTTONUP, 0, point);
    }
    Values Stored() const { return Dwords(kNumbers); }
};

TEST_F(ViewPageTest, MissingKeyIsCreatedOnOpeningAndTheDefaultsShown)
{
    Texts shown;
    bool keyMade = false;
    Open([&](HWND page) {
        shown = ShownOn(page);
        keyMade = KeyMade();
        HWND spin = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN_SPIN);
        HWND number = GetDlgItem(page, IDC_VIEW_SPLIT_TEXT_LEN);
        EXPECT_EQ(number, reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)));
        const LONG edits = ES_NUMBER | ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | ES_MULTILINE;
        page::ExpectStyles(
            page, {page::AutoCheckBox(IDC_VIEW_SPLIT_TEXT),
                   page::AutoCheckBox(IDC_VIEW_COMBINE_TD),
                   page::AutoCheckBox(IDC_VIEW_SPLIT_PRE),
                   {IDC_VIEW_SPLIT_TEXT_LEN_SPIN, 0xFF,
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_HORZ},
                   {IDC_VIEW_SPLIT_TEXT_LEN, edits, ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL},
                   {IDC_VIEW_SOURCE_APP, edits, ES_AUTOHSCROLL}});
        // The dialog turns an edit's border into a sunken edge.
        for (int id : {IDC_VIEW_SPLIT_TEXT_LEN, IDC_VIEW_SOURCE_APP})
            EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    });
    EXPECT_TRUE(keyMade);
    EXPECT_EQ((Texts{L"on", L"24", L"on", L"on", kDefaultViewer}), shown);
    EXPECT_EQ((Values{1, 24, 1, 1}), Stored());
    EXPECT_EQ(kDefaultViewer, String(L"ViewSourceApp"));
}

TEST_F(ViewPageTest, CancelWritesNothing)
{
    PutString(L"ViewSourceApp", L"\\viewer.exe");
    Open(
        [](HWND page) {
            TypePath(page, L"\\other.exe");
            sheet::Click(page, IDC_VIEW_SPLIT_TEXT);
            ClickArrow(page, true);
        },
        false);
    EXPECT_EQ(1u, ValueCount());
    EXPECT_EQ(L"\\viewer.exe", String(L"ViewSourceApp"));
}

// Distinct values in each position, so that a swapped name shows; the path
// goes back as it was typed, neither checked nor quoted.
TEST_F(ViewPageTest, StoredSettingsAreShownAndWrittenBack)
{
    hostContext.platformVersion = 2;
    struct Case {
        Values stored;
        std::wstring path;
        Texts shown;
    } cases[] = {
        {{0, 50, 1, 0},
         L"\\Program Files\\Viewer\\view.exe",
         {L"off", L"50", L"on", L"off", L"\\Program Files\\Viewer\\view.exe"}},
        {{1, 99, 0, 1},
         L"\"C:\\quoted path\" /s",
         {L"on", L"99", L"off", L"on", L"\"C:\\quoted path\" /s"}},
    };
    for (const Case &c : cases) {
        PutDwords(kNumbers, c.stored);
        PutString(L"ViewSourceApp", c.path);
        Texts shown;
        Open([&](HWND page) { shown = ShownOn(page); });
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.stored, Stored());
        EXPECT_EQ(c.path, String(L"ViewSourceApp"));
    }
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
TEST_F(ViewPageTest, PreBoxIsDisabledAbovePlatformTwo)
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

// Three presses of an arrow, or of the up key in the number field.
TEST_F(ViewPageTest, ArrowsMoveTheLengthWithinEightToNinetyNine)
{
    struct Case {
        DWORD stored;
        std::function<void(HWND page)> press;
        Texts shown;
    } cases[] = {
        {97, [](HWND page) { ClickArrow(page, true); }, {L"98", L"99", L"99"}},
        {10, [](HWND page) { ClickArrow(page, false); }, {L"9", L"8", L"8"}},
        {24,
         [](HWND page) {
             SendDlgItemMessageW(page, IDC_VIEW_SPLIT_TEXT_LEN, WM_KEYDOWN, VK_UP, 0);
             SendDlgItemMessageW(page, IDC_VIEW_SPLIT_TEXT_LEN, WM_KEYUP, VK_UP, 0);
         },
         {L"25", L"26", L"27"}},
    };
    for (const Case &c : cases) {
        PutDword(L"SplitTextLen", c.stored);
        Texts shown;
        Open([&](HWND page) {
            for (int i = 0; i < 3; ++i) {
                c.press(page);
                shown.push_back(page::Text(page, IDC_VIEW_SPLIT_TEXT_LEN));
            }
        });
        EXPECT_EQ(c.shown, shown) << c.stored;
        EXPECT_EQ(std::stoul(c.shown.back()), Dword(L"SplitTextLen")) << c.stored;
    }
}

// The length shown is the low 16 bits of the stored value; what is written
// is the control's position, which a number typed out of range leaves alone.
TEST_F(ViewPageTest, LengthComesFromTheLowHalfAndGoesBackAsThePosition)
{
    struct Case {
        DWORD stored;
        const wchar_t *typed;
        const wchar_t *shown;
        DWORD written;
    } cases[] = {
        {0x00010020, nullptr, L"32", 32},
        {0xABCD0040, nullptr, L"64", 64},
        {40, L"77", L"40", 77},
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
    const std::wstring longest = L"\\" + std::wstring(4094, L'p');
    PutString(L"ViewSourceApp", longest);
    std::wstring shown;
    Open([&](HWND page) { shown = ViewerPath(page); });
    EXPECT_EQ(longest, shown);
    EXPECT_EQ(longest, String(L"ViewSourceApp"));

    const std::wstring longer = longest + L"tail beyond the limit";
    Open([&](HWND page) { TypePath(page, longer); });
    EXPECT_EQ(longest, String(L"ViewSourceApp"));

    // A stored path too long to read shows the default.
    PutString(L"ViewSourceApp", longer);
    Open([&](HWND page) { shown = ViewerPath(page); }, false);
    EXPECT_EQ(kDefaultViewer, shown);
}

} // namespace
