// The URL Alias and URL Service pages in a real sheet, driven through their
// controls; the registry is read back with plain calls.
#include "UrlAliasPage.h"
#include "UrlServicePage.h"

#include "PageTest.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

using Row = std::vector<std::wstring>;
using Rows = std::vector<Row>;
using Entries = std::map<std::wstring, std::wstring>;

struct PageCase {
    const char *label;
    std::function<std::unique_ptr<UrlListPage>()> make;
    const wchar_t *section;
    size_t flagWidth;
    // Column 1 of a row made by Add, once it is shown.
    const wchar_t *newName;
    int nameField;
    std::vector<int> flagBoxes;
    std::wstring flagLetters;
    std::vector<int> itemControls;
    std::vector<std::wstring> titles;
    std::vector<int> widths;
    size_t defaultCount;
    Row firstDefault;
    // Stored name data and URL, in list order.
    std::vector<std::pair<std::wstring, std::wstring>> sample;
};

const PageCase kAlias = {
    "Alias",
    [] { return std::make_unique<UrlAliasPage>(); },
    L"Alias",
    2,
    L"alias",
    IDC_URL_ALIAS_FIELD,
    {IDC_URL_FLAG_DEFAULT, IDC_URL_FLAG_EXP_KEY},
    L"DE",
    {IDC_URL_REMOVE, IDC_URL_UP, IDC_URL_DOWN, IDC_URL_ALIAS_FIELD, IDC_URL_FLAG_DEFAULT,
     IDC_URL_FLAG_EXP_KEY, IDC_URL_URL_FIELD},
    {L"Flag", L"Alias", L"URL"},
    {35, 35, 130},
    20,
    {L"DE", L"c", L"http://www.%s.com/"},
    {{L"DEc", L"http://www.%s.com/"},
     {L" Eo", L"http://www.%s.org/"},
     {L"  g", L"http://search.example/?q=%us"},
     {L"D news", L"http://news.example/"},
     {L"  x", L""}},
};

const PageCase kService = {
    "Service",
    [] { return std::make_unique<UrlServicePage>(); },
    L"Service",
    3,
    L"Name",
    IDC_URL_NAME_FIELD,
    {IDC_URL_FLAG_CHILD, IDC_URL_FLAG_SEPARATOR, IDC_URL_FLAG_GO},
    L"CSG",
    {IDC_URL_REMOVE, IDC_URL_UP, IDC_URL_DOWN, IDC_URL_NAME_FIELD, IDC_URL_URL_FIELD,
     IDC_URL_FLAG_CHILD, IDC_URL_FLAG_SEPARATOR, IDC_URL_FLAG_GO},
    {L"Flag", L"Name", L"URL"},
    {35, 90, 75},
    81,
    {L"   ", L"Clear URL", L""},
    {{L"   Heading", L""},
     {L"C GMaps", L"http://maps.example/?q=%us"},
     {L"CS ", L""},
     {L"C  Child Page", L"http://child.example/"},
     {L"  GGo There", L"http://go.example/%s"}},
};

// Names each case in the test list by its page.
void PrintTo(const PageCase &kind, std::ostream *out)
{
    *out << kind.label;
}

class UrlListPageTest : public PageFixture, public ::testing::WithParamInterface<PageCase> {
protected:
    const PageCase &Kind() const { return GetParam(); }
    std::wstring Section() const { return Path(Kind().section); }

    void Open(const std::function<void(HWND page)> &use, bool accept = true)
    {
        std::unique_ptr<UrlListPage> page = Kind().make();
        OpenPage(*page, use, accept);
    }

    void Store(const std::vector<std::pair<std::wstring, std::wstring>> &entries) const
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            testreg::WriteString(HKEY_CURRENT_USER, Section(),
                                 (std::to_wstring(i) + L"_Name").c_str(), entries[i].first);
            testreg::WriteString(HKEY_CURRENT_USER, Section(),
                                 (std::to_wstring(i) + L"_URL").c_str(), entries[i].second);
        }
    }
    void StoreSample() const { Store(Kind().sample); }

    Row Split(const std::wstring &nameData, const std::wstring &url) const
    {
        return {nameData.substr(0, Kind().flagWidth), nameData.substr(Kind().flagWidth), url};
    }
    Rows SampleRows() const
    {
        Rows rows;
        for (const auto &entry : Kind().sample)
            rows.push_back(Split(entry.first, entry.second));
        return rows;
    }

    // Every value of the section, by name.
    Entries StoredList() const
    {
        Entries values;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Section().c_str(), 0, KEY_READ, &key))
            return values;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr))
                break;
            values[name] = testreg::ReadString(HKEY_CURRENT_USER, Section(), name).value_or(L"?");
        }
        RegCloseKey(key);
        return values;
    }
    Entries ValuesOf(const Rows &rows) const
    {
        Entries values;
        for (size_t i = 0; i < rows.size(); ++i) {
            values[std::to_wstring(i) + L"_Name"] = rows[i][0] + rows[i][1];
            values[std::to_wstring(i) + L"_URL"] = rows[i][2];
        }
        return values;
    }

    std::vector<bool> ItemControlsEnabled(HWND page) const
    {
        std::vector<bool> enabled;
        for (int id : Kind().itemControls)
            enabled.push_back(page::Enabled(page, id));
        return enabled;
    }
    std::vector<bool> All(bool value) const
    {
        return std::vector<bool>(Kind().itemControls.size(), value);
    }
    std::wstring CheckedFlags(HWND page) const
    {
        std::wstring flags;
        for (size_t i = 0; i < Kind().flagBoxes.size(); ++i)
            flags += sheet::IsChecked(page, Kind().flagBoxes[i]) ? Kind().flagLetters[i] : L' ';
        return flags;
    }
    static Rows RowsOn(HWND page) { return page::ListRows(page, IDC_URL_LIST); }
    static std::vector<int> Selected(HWND page) { return page::SelectedRows(page, IDC_URL_LIST); }
    static void Select(HWND page, int row) { page::SelectRow(page, IDC_URL_LIST, row); }
    // What the fields and boxes show with no row to show.
    Row Blank() const { return {std::wstring(Kind().flagWidth, L' '), L"", L""}; }
    // What the fields and boxes show: flags, name, URL.
    Row Shown(HWND page) const
    {
        return {CheckedFlags(page), page::Text(page, Kind().nameField),
                page::Text(page, IDC_URL_URL_FIELD)};
    }
};

TEST_P(UrlListPageTest, ShowsTheStoredRowsUnderItsColumnsAndWritesThemBack)
{
    StoreSample();
    // Above a gap in the numbering: not shown, and gone after the save.
    testreg::WriteString(HKEY_CURRENT_USER, Section(), L"7_Name", L"  stale");
    testreg::WriteString(HKEY_CURRENT_USER, Section(), L"7_URL", L"http://stale.example/");
    Open([&](HWND page) {
        HWND list = GetDlgItem(page, IDC_URL_LIST);
        HWND header = ListView_GetHeader(list);
        ASSERT_EQ(3, Header_GetItemCount(header));
        for (int i = 0; i < 3; ++i) {
            wchar_t title[32] = {};
            LVCOLUMNW column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            column.pszText = title;
            column.cchTextMax = 32;
            ASSERT_TRUE(ListView_GetColumn(list, i, &column));
            EXPECT_EQ(Kind().titles[i], title);
            EXPECT_EQ(Kind().widths[i], column.cx) << "column " << i;
            EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
            EXPECT_EQ(i, column.iSubItem);
        }
        const LONG styles = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
        const LONG unwanted =
            LVS_TYPEMASK | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS;
        EXPECT_EQ(styles, GetWindowLongW(list, GWL_STYLE) & (styles | unwanted));
        // The list view turns a plain border into a sunken client edge.
        EXPECT_TRUE((GetWindowLongW(list, GWL_STYLE) & WS_BORDER) ||
                    (GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
        EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);

        EXPECT_EQ(SampleRows(), RowsOn(page));
        EXPECT_TRUE(Selected(page).empty());
        EXPECT_EQ(Blank(), Shown(page));
        EXPECT_EQ(All(false), ItemControlsEnabled(page));
        EXPECT_TRUE(page::ReadOnly(page, Kind().nameField));
        EXPECT_TRUE(page::ReadOnly(page, IDC_URL_URL_FIELD));
        for (int id : {IDC_URL_ADD, IDC_URL_RESTORE_DEFAULTS, IDC_URL_LIST})
            EXPECT_TRUE(page::Enabled(page, id)) << id;
    });
    EXPECT_EQ(ValuesOf(SampleRows()), StoredList());
}

TEST_P(UrlListPageTest, ASectionWithoutEntriesIsWrittenBackEmpty)
{
    struct Case {
        const char *what;
        bool sectionExists;
    } cases[] = {{"missing settings key", false}, {"empty section", true}};
    for (const Case &c : cases) {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        if (c.sectionExists)
            testreg::WriteString(HKEY_CURRENT_USER, Section(), L"1_Name", L"  after a gap");
        Open([&](HWND page) {
            EXPECT_TRUE(RowsOn(page).empty()) << c.what;
            EXPECT_EQ(All(false), ItemControlsEnabled(page)) << c.what;
        });
        EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Section())) << c.what;
        EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Section())) << c.what;
    }
}

TEST_P(UrlListPageTest, AddAppendsOrGoesInFrontOfTheCurrentRow)
{
    StoreSample();
    const Row added = {std::wstring(Kind().flagWidth, L' '), Kind().newName, L""};
    Rows rows = SampleRows();
    Open([&](HWND page) {
        sheet::Click(page, IDC_URL_ADD);
        Rows expected = rows;
        expected.push_back(added);
        EXPECT_EQ(expected, RowsOn(page));
        EXPECT_EQ(std::vector<int>{5}, Selected(page));
        EXPECT_EQ(added, Shown(page));
        EXPECT_EQ(All(true), ItemControlsEnabled(page));
        EXPECT_FALSE(page::ReadOnly(page, Kind().nameField));
        EXPECT_FALSE(page::ReadOnly(page, IDC_URL_URL_FIELD));
        EXPECT_EQ(GetDlgItem(page, IDC_URL_LIST), GetFocus())
            << "the focus is on control " << GetDlgCtrlID(GetFocus());

        Select(page, 2);
        sheet::Click(page, IDC_URL_ADD);
        expected.insert(expected.begin() + 2, added);
        EXPECT_EQ(expected, RowsOn(page));
        EXPECT_EQ(std::vector<int>{2}, Selected(page));
        EXPECT_EQ(added, Shown(page));
        // The new row is the one the fields edit.
        page::Type(page, IDC_URL_URL_FIELD, L"http://new.example/");
        EXPECT_EQ(L"http://new.example/", RowsOn(page)[2][2]);
        EXPECT_EQ(rows[2], RowsOn(page)[3]);
    });
    rows.insert(rows.begin() + 2, {added[0], added[1], L"http://new.example/"});
    rows.push_back(added);
    EXPECT_EQ(ValuesOf(rows), StoredList());
}

TEST_P(UrlListPageTest, RemoveLeavesTheFieldsButNoCurrentRow)
{
    StoreSample();
    Rows rows = SampleRows();
    Open([&](HWND page) {
        Select(page, 1);
        sheet::Click(page, IDC_URL_REMOVE);
        Rows expected = rows;
        expected.erase(expected.begin() + 1);
        EXPECT_EQ(expected, RowsOn(page));
        EXPECT_TRUE(Selected(page).empty());
        EXPECT_EQ(rows[1], Shown(page));
        EXPECT_EQ(All(true), ItemControlsEnabled(page));

        // With no current row, typing changes no row and Remove, Up and
        // Down do nothing.
        page::Type(page, IDC_URL_URL_FIELD, L"http://typed.example/");
        for (int button : {IDC_URL_REMOVE, IDC_URL_UP, IDC_URL_DOWN})
            sheet::Click(page, button);
        EXPECT_EQ(expected, RowsOn(page));

        HWND field = GetDlgItem(page, Kind().nameField);
        page::MessageSeen hint = page::AnswerMessage([&] { SetFocus(field); }, IDOK);
        EXPECT_TRUE(hint.shown);
        EXPECT_EQ(L"Please tap [Add] button to add new item", hint.text);
        EXPECT_EQ(product, hint.caption);
        EXPECT_EQ(GetAncestor(page, GA_ROOT), hint.owner);
        EXPECT_FALSE(hint.hasCancel);
        EXPECT_EQ(GetDlgItem(page, IDC_URL_LIST), GetFocus())
            << "the focus is on control " << GetDlgCtrlID(GetFocus());
    });
    rows.erase(rows.begin() + 1);
    EXPECT_EQ(ValuesOf(rows), StoredList());
}

TEST_P(UrlListPageTest, UpAndDownSwapWholeRowsButStopAtTheEnds)
{
    StoreSample();
    Rows rows = SampleRows();
    Open([&](HWND page) {
        Select(page, 0);
        sheet::Click(page, IDC_URL_UP);
        EXPECT_EQ(rows, RowsOn(page));
        EXPECT_EQ(std::vector<int>{0}, Selected(page));

        Select(page, 4);
        sheet::Click(page, IDC_URL_DOWN);
        EXPECT_EQ(rows, RowsOn(page));
        EXPECT_EQ(std::vector<int>{4}, Selected(page));

        Select(page, 3);
        sheet::Click(page, IDC_URL_UP);
        Rows expected = rows;
        std::swap(expected[2], expected[3]);
        EXPECT_EQ(expected, RowsOn(page));
        EXPECT_EQ(std::vector<int>{2}, Selected(page));
        EXPECT_EQ(rows[3], Shown(page));
        // The fields now edit the moved row at its new place.
        page::Type(page, IDC_URL_URL_FIELD, L"http://moved.example/");
        EXPECT_EQ(L"http://moved.example/", RowsOn(page)[2][2]);

        sheet::Click(page, IDC_URL_DOWN);
        expected[2] = expected[3];
        expected[3] = {rows[3][0], rows[3][1], L"http://moved.example/"};
        EXPECT_EQ(expected, RowsOn(page));
        EXPECT_EQ(std::vector<int>{3}, Selected(page));
    });
}

TEST_P(UrlListPageTest, URLsAreKeptAsTyped)
{
    StoreSample();
    Open([&](HWND page) {
        Select(page, 1);
        page::Type(page, IDC_URL_URL_FIELD, L"HTTP://Example.COM/%us");
        EXPECT_EQ(L"HTTP://Example.COM/%us", page::Text(page, IDC_URL_URL_FIELD));
        EXPECT_EQ(L"HTTP://Example.COM/%us", RowsOn(page)[1][2]);
    });
    EXPECT_EQ(L"HTTP://Example.COM/%us",
              testreg::ReadString(HKEY_CURRENT_USER, Section(), L"1_URL"));
}

TEST_P(UrlListPageTest, DefaultAsksFirstAndWritesOnlyOnAcceptance)
{
    StoreSample();
    const Entries before = StoredList();
    Open([&](HWND page) {
        Select(page, 1);
        page::MessageSeen asked =
            page::AnswerMessage([&] { sheet::Click(page, IDC_URL_RESTORE_DEFAULTS); }, IDCANCEL);
        EXPECT_TRUE(asked.shown);
        EXPECT_EQ(L"Do you want to clear all aliases and restore defaults?", asked.text);
        EXPECT_EQ(product, asked.caption);
        EXPECT_TRUE(asked.hasCancel);
        EXPECT_EQ(SampleRows(), RowsOn(page));
        EXPECT_EQ(std::vector<int>{1}, Selected(page));

        asked = page::AnswerMessage([&] { sheet::Click(page, IDC_URL_RESTORE_DEFAULTS); }, IDOK);
        EXPECT_TRUE(asked.shown);
        Rows rows = RowsOn(page);
        ASSERT_EQ(Kind().defaultCount, rows.size());
        EXPECT_EQ(Kind().firstDefault, rows[0]);
        EXPECT_TRUE(Selected(page).empty());
        EXPECT_EQ(Blank(), Shown(page));
        EXPECT_EQ(All(false), ItemControlsEnabled(page));
        EXPECT_EQ(before, StoredList());
    });
    Entries stored = StoredList();
    EXPECT_EQ(2 * Kind().defaultCount, stored.size());
    EXPECT_EQ(Kind().firstDefault[0] + Kind().firstDefault[1], stored[L"0_Name"]);
}

TEST_P(UrlListPageTest, CancellingTheSheetWritesNothing)
{
    StoreSample();
    const Entries before = StoredList();
    Open(
        [&](HWND page) {
            Select(page, 2);
            sheet::Click(page, Kind().flagBoxes[0]);
            page::Type(page, Kind().nameField, L"changed");
            sheet::Click(page, IDC_URL_UP);
            sheet::Click(page, IDC_URL_ADD);
            sheet::Click(page, IDC_URL_REMOVE);
            page::AnswerMessage([&] { sheet::Click(page, IDC_URL_RESTORE_DEFAULTS); }, IDOK);
        },
        false);
    EXPECT_EQ(before, StoredList());
    EXPECT_EQ(std::nullopt, Dword(L"AliasExpandKey"));
}

// The list draws the texts of the rows it shows: a row whose texts change
// is drawn again, and a reader with little room gets a cut, terminated text.
TEST_P(UrlListPageTest, ChangedRowsAreDrawnAgainAndReadersGetCutTexts)
{
    StoreSample();
    Rows rows = SampleRows();
    Open([&](HWND page) {
        HWND list = GetDlgItem(page, IDC_URL_LIST);
        auto redrawn = [&](int row) {
            RECT place = {};
            ListView_GetItemRect(list, row, &place, LVIR_BOUNDS);
            HRGN pending = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(list, pending, FALSE);
            bool covered = RectInRegion(pending, &place) != FALSE;
            DeleteObject(pending);
            return covered;
        };

        Select(page, 1);
        UpdateWindow(list);
        page::Type(page, IDC_URL_URL_FIELD, L"http://typed.example/");
        EXPECT_TRUE(redrawn(1)) << "typing into the URL field";
        EXPECT_FALSE(redrawn(3)) << "a row that did not change";

        UpdateWindow(list);
        sheet::Click(page, IDC_URL_DOWN);
        EXPECT_TRUE(redrawn(1)) << "the row that moved away";
        EXPECT_TRUE(redrawn(2)) << "the row that moved in";

        wchar_t cut[6];
        std::fill(cut, cut + 6, L'#');
        ListView_GetItemText(list, 0, 2, cut, 4);
        EXPECT_EQ(rows[0][2].substr(0, 3), std::wstring(cut));
        EXPECT_EQ(L'#', cut[4]) << "written past the room given";
    });
}

INSTANTIATE_TEST_SUITE_P(BothLists, UrlListPageTest, ::testing::Values(kAlias, kService),
                         [](const ::testing::TestParamInfo<PageCase> &info) {
                             return std::string(info.param.label);
                         });

// The alias page alone: lower-case aliases, the one default alias and the
// expand key.
class UrlAliasPageTest : public UrlListPageTest {};

TEST_P(UrlAliasPageTest, AliasesBecomeLowerCaseAtOnceWithTheCaretKept)
{
    Store({{L"  GooGle", L"http://www.google.com/"}, {L"  y", L"http://www.yahoo.com/"}});
    Open([&](HWND page) {
        // Showing a row is a change of the field too.
        Select(page, 0);
        EXPECT_EQ(L"google", page::Text(page, IDC_URL_ALIAS_FIELD));
        EXPECT_EQ(L"google", RowsOn(page)[0][1]);

        Select(page, 1);
        HWND field = GetDlgItem(page, IDC_URL_ALIAS_FIELD);
        SendMessageW(field, EM_SETSEL, 1, 1);
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"AHOO"));
        EXPECT_EQ(L"yahoo", page::Text(page, IDC_URL_ALIAS_FIELD));
        EXPECT_EQ(L"yahoo", RowsOn(page)[1][1]);
        DWORD start = 0, end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(5u, start);
        EXPECT_EQ(5u, end);
    });
    EXPECT_EQ(L"  google", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"0_Name"));
    EXPECT_EQ(L"  yahoo", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"1_Name"));
}

TEST_P(UrlAliasPageTest, DefaultFlagBelongsToOneRowAndLeavesExpandKeyFlags)
{
    Store({{L"DEc", L"1"}, {L" En", L"2"}, {L"D o", L"3"}, {L"  g", L"4"}});
    auto flags = [](HWND page) {
        std::vector<std::wstring> column;
        for (const Row &row : RowsOn(page))
            column.push_back(row[0]);
        return column;
    };
    using Flags = std::vector<std::wstring>;
    Open([&](HWND page) {
        // "Exp Key" excludes nothing, and unchecking "Default" takes "D"
        // from the current row only.
        Select(page, 2);
        sheet::Click(page, IDC_URL_FLAG_EXP_KEY);
        EXPECT_EQ((Flags{L"DE", L" E", L"DE", L"  "}), flags(page));
        sheet::Click(page, IDC_URL_FLAG_DEFAULT);
        EXPECT_EQ((Flags{L"DE", L" E", L" E", L"  "}), flags(page));
        // Checking takes it from every other row and leaves their "E".
        Select(page, 3);
        sheet::Click(page, IDC_URL_FLAG_DEFAULT);
        EXPECT_EQ((Flags{L" E", L" E", L" E", L"D "}), flags(page));
        sheet::Click(page, IDC_URL_FLAG_EXP_KEY);
        EXPECT_EQ((Flags{L" E", L" E", L" E", L"DE"}), flags(page));
        EXPECT_EQ(L"DE", CheckedFlags(page));
    });
    EXPECT_EQ(L" Ec", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"0_Name"));
    EXPECT_EQ(L" Eo", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"2_Name"));
    EXPECT_EQ(L"DEg", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"3_Name"));
}

TEST_P(UrlAliasPageTest, ExpandKeyShowsTheStoredChoiceOrNone)
{
    const std::vector<std::wstring> choices = {
        L"  ` (Back Quote)", L"  \\ (Back Slash)", L"  [ (Left Bracket)", L"  ] (Right Bracket)",
        L"  ; (Semi Colon)", L"  * (Apostrophe)",  L"  $ (Dollar)",       L"  ! (Exclamation)",
        L"  , (Comma)",      L"  CTLR + ENTER",    L"  SHIFT + ENTER"};
    struct Case {
        std::optional<DWORD> stored;
        int shown;
        DWORD written;
    } cases[] = {
        {std::nullopt, 0, 0},
        {4, 4, 4},
        {10, 10, 10},
        {11, CB_ERR, 0xFFFFFFFF},
        {0xFFFFFFFF, CB_ERR, 0xFFFFFFFF},
    };
    for (const Case &c : cases) {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        PutDword(L"Other", 1);
        if (c.stored)
            PutDword(L"AliasExpandKey", *c.stored);
        int shown = -2;
        Open([&](HWND page) {
            EXPECT_EQ(choices, sheet::Items(page, IDC_URL_EXPAND_KEY));
            shown = sheet::Selection(page, IDC_URL_EXPAND_KEY);
        });
        EXPECT_EQ(c.shown, shown) << c.written;
        EXPECT_EQ(c.written, Dword(L"AliasExpandKey"));
    }
    Open([](HWND page) {
        LONG style = GetWindowLongW(GetDlgItem(page, IDC_URL_EXPAND_KEY), GWL_STYLE);
        EXPECT_EQ(CBS_DROPDOWNLIST, style & (CBS_DROPDOWNLIST | CBS_SORT));
        sheet::ChooseItem(page, IDC_URL_EXPAND_KEY, 7);
    });
    EXPECT_EQ(7u, Dword(L"AliasExpandKey"));
}

INSTANTIATE_TEST_SUITE_P(AliasList, UrlAliasPageTest, ::testing::Values(kAlias),
                         [](const ::testing::TestParamInfo<PageCase> &) { return "Alias"; });

class UrlServicePageTest : public UrlListPageTest {};

TEST_P(UrlServicePageTest, FlagsAreComposedFromTheThreeBoxes)
{
    Store({{L"   Plain", L""}, {L"CSGAll", L""}});
    struct Case {
        int row;
        std::vector<int> clicks;
        const wchar_t *flags;
    } cases[] = {
        {0, {IDC_URL_FLAG_CHILD, IDC_URL_FLAG_GO}, L"C G"},
        {0, {IDC_URL_FLAG_SEPARATOR}, L"CSG"},
        {1, {IDC_URL_FLAG_SEPARATOR}, L"C G"},
        {1, {IDC_URL_FLAG_CHILD, IDC_URL_FLAG_GO}, L"   "},
    };
    Open([&](HWND page) {
        for (const Case &c : cases) {
            Select(page, c.row);
            for (int box : c.clicks)
                sheet::Click(page, box);
            EXPECT_EQ(c.flags, RowsOn(page)[c.row][0]) << "row " << c.row;
            EXPECT_EQ(c.flags, CheckedFlags(page));
        }
        // Capitals in the name stay.
        page::Type(page, IDC_URL_NAME_FIELD, L"Google MAPS");
        EXPECT_EQ(L"Google MAPS", RowsOn(page)[1][1]);
    });
    EXPECT_EQ(L"CSGPlain", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"0_Name"));
    EXPECT_EQ(L"   Google MAPS", testreg::ReadString(HKEY_CURRENT_USER, Section(), L"1_Name"));
}

INSTANTIATE_TEST_SUITE_P(ServiceList, UrlServicePageTest, ::testing::Values(kService),
                         [](const ::testing::TestParamInfo<PageCase> &) { return "Service"; });

} // namespace
