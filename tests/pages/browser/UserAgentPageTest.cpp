#include "UserAgentPage.h"

#include "PageTest.h"

namespace {

const int kPartEdits[] = {IDC_UA_DEFAULT, IDC_UA_COMPATIBLE, IDC_UA_VERSION, IDC_UA_PLATFORM,
                          IDC_UA_POST_PLATFORM};
const wchar_t *const kCustomValues[] = {L"UADefault", L"UACompatible", L"UAVersion", L"UAPlatform",
                                        L"UAPostPlatform"};
// The browser's names for parts 1 to 4; part 1 is the default value.
const wchar_t *const kBrowserValues[] = {L"", L"Compatible", L"Version", L"Platform"};

using Parts = std::vector<std::wstring>;
using KeyValues = std::vector<testreg::Value>;

const Parts kPreset0 = {L"Mozilla/2.0", L"compatible", L"MSIE 3.02", L"Windows CE",
                        L"PPC; 240x320"};
const Parts kEdited = {L"Agent/9", L"like", L"Engine 7", L"Pocket", L"Tail"};
const Parts kMissing(5, L"<missing>");
// What OK leaves in the post platform key: two empty strings, the NUL alone.
const KeyValues kPostPlatformOnOk = {{L"240x320", REG_SZ, {0, 0}}, {L"PPC", REG_SZ, {0, 0}}};

// The browser's user agent keys are saved before and put back after each
// test.
class UserAgentPageTest : public PageTest<UserAgentPage> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SaveKey(HKEY_LOCAL_MACHINE, kUserAgent);
    }
    static Parts PartsOn(HWND page)
    {
        Parts parts;
        for (int id : kPartEdits)
            parts.push_back(page::Text(page, id));
        return parts;
    }
    // "editable", "read-only", or "mixed" when the edits disagree.
    static std::string PartsState(HWND page)
    {
        int readOnly = 0;
        for (int id : kPartEdits)
            readOnly += (GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & ES_READONLY) ? 1 : 0;
        return readOnly == 0 ? "editable" : readOnly == 5 ? "read-only" : "mixed";
    }
    static void TypeParts(HWND page, const Parts &parts)
    {
        for (size_t i = 0; i < parts.size(); ++i)
            page::Type(page, kPartEdits[i], parts[i]);
    }
    static std::wstring Compose(const Parts &p)
    {
        return p[0] + L" (" + p[1] + L"; " + p[2] + L"; " + p[3] + L"; " + p[4] + L")";
    }
    Parts StoredCustom() const
    {
        Parts parts;
        for (const wchar_t *name : kCustomValues)
            parts.push_back(String(name).value_or(L"<missing>"));
        return parts;
    }
    void StoreCustom(const Parts &parts) const
    {
        for (size_t i = 0; i < parts.size(); ++i)
            PutString(kCustomValues[i], parts[i]);
    }
    static Parts BrowserParts()
    {
        Parts parts;
        for (const wchar_t *name : kBrowserValues)
            parts.push_back(
                testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, name).value_or(L"<missing>"));
        return parts;
    }
};

TEST_F(UserAgentPageTest, PresetsShowTheirPartsReadOnlyAndComposeTheUserAgent)
{
    struct Case {
        int index;
        Parts parts;
        const wchar_t *composed;
    } cases[] = {
        {1,
         {L"Mozilla/4.0", L"compatible", L"MSIE 5.5", L"Windows NT 5.0", L""},
         L"Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 5.0; )"},
        {2,
         {L"Mozilla/4.0", L"compatible", L"MSIE 6.0", L"Windows NT 5.1", L"SV1"},
         L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)"},
        {0, kPreset0, L"Mozilla/2.0 (compatible; MSIE 3.02; Windows CE; PPC; 240x320)"},
    };
    Open(
        [&](HWND page) {
            EXPECT_EQ((Parts{L"PIE (default)", L"IE 5.5", L"IE 6.0", L"Custom"}),
                      sheet::Items(page, IDC_UA_PRESET));
            EXPECT_EQ(0, sheet::Selection(page, IDC_UA_PRESET)) << "nothing stored";
            EXPECT_EQ(kPreset0, PartsOn(page));
            for (const Case &c : cases) {
                sheet::ChooseItem(page, IDC_UA_PRESET, c.index);
                EXPECT_EQ(c.parts, PartsOn(page)) << c.index;
                EXPECT_EQ(c.composed, page::Text(page, IDC_UA_STRING)) << c.index;
                EXPECT_EQ("read-only", PartsState(page)) << c.index;
            }
        },
        false);
    EXPECT_EQ(kMissing, StoredCustom()) << "presets store no custom parts";
}

TEST_F(UserAgentPageTest, CustomPartsAreStoredOnLeavingCustomEvenWhenCancelled)
{
    KeyValues before = testreg::ReadValues(HKEY_LOCAL_MACHINE, kUserAgent);
    // Cancelled while "Custom" is still shown: nothing is stored.
    Open(
        [&](HWND page) {
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            EXPECT_EQ(kPreset0, PartsOn(page)) << "nothing stored yet";
            EXPECT_EQ("editable", PartsState(page));
            EXPECT_EQ(Compose(kPreset0), page::Text(page, IDC_UA_STRING));
            TypeParts(page, kEdited);
        },
        false);
    EXPECT_EQ(kMissing, StoredCustom());

    Open(
        [&](HWND page) {
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            TypeParts(page, kEdited);
            EXPECT_EQ(Compose(kPreset0), page::Text(page, IDC_UA_STRING))
                << "typing composes nothing";
            sheet::ChooseItem(page, IDC_UA_PRESET, 2);
            EXPECT_EQ(kEdited, StoredCustom()) << "stored before the sheet ends";
        },
        false);
    EXPECT_EQ(kEdited, StoredCustom());
    EXPECT_EQ(std::nullopt, Dword(L"Identification"));
    EXPECT_EQ(before, testreg::ReadValues(HKEY_LOCAL_MACHINE, kUserAgent));

    Open(
        [&](HWND page) {
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            EXPECT_EQ(kEdited, PartsOn(page));
            EXPECT_EQ(Compose(kEdited), page::Text(page, IDC_UA_STRING));
        },
        false);
}

TEST_F(UserAgentPageTest, OkWithAPresetWritesItsPartsAndLeavesTheCustomPartsAlone)
{
    struct Case {
        DWORD index;
        Parts browser;
    } cases[] = {
        {0, {L"Mozilla/2.0", L"compatible", L"MSIE 3.02", L"Windows CE"}},
        {1, {L"Mozilla/4.0", L"compatible", L"MSIE 5.5", L"Windows NT 5.0"}},
        {2, {L"Mozilla/4.0", L"compatible", L"MSIE 6.0", L"Windows NT 5.1"}},
    };
    StoreCustom(kEdited);
    for (const Case &c : cases) {
        PutDword(L"Identification", c.index);
        // Whatever the post platform key held goes.
        testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, L"SV1", L"");
        testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, L"PPC", L"old");
        testreg::WriteDword(HKEY_LOCAL_MACHINE, kPostPlatform, L"", 5);
        Open([&](HWND page) {
            EXPECT_EQ(static_cast<int>(c.index), sheet::Selection(page, IDC_UA_PRESET));
            EXPECT_EQ("read-only", PartsState(page));
        });
        EXPECT_EQ(c.index, Dword(L"Identification"));
        EXPECT_EQ(kEdited, StoredCustom()) << c.index;
        EXPECT_EQ(c.browser, BrowserParts()) << c.index;
        EXPECT_EQ(kPostPlatformOnOk, testreg::ReadValues(HKEY_LOCAL_MACHINE, kPostPlatform))
            << c.index;
    }
}

TEST_F(UserAgentPageTest, OkWithCustomWritesThePartsShownButNeverTheFifthToTheBrowser)
{
    StoreCustom(kEdited);
    PutDword(L"Identification", 3);
    const Parts typed = {L"Typed/1", L"compatible", L"Engine 8", L"Pocket", L"Extra"};
    Open([&](HWND page) {
        EXPECT_EQ(kEdited, PartsOn(page));
        EXPECT_EQ("editable", PartsState(page));
        EXPECT_EQ(Compose(kEdited), page::Text(page, IDC_UA_STRING));
        TypeParts(page, typed);
    });
    EXPECT_EQ(3u, Dword(L"Identification"));
    EXPECT_EQ(typed, StoredCustom());
    EXPECT_EQ((Parts{L"Typed/1", L"compatible", L"Engine 8", L"Pocket"}), BrowserParts());
    EXPECT_EQ(kPostPlatformOnOk, testreg::ReadValues(HKEY_LOCAL_MACHINE, kPostPlatform));
}

TEST_F(UserAgentPageTest, ChoiceOutsideTheSelectorShowsAndStoresTheDefaultPreset)
{
    for (DWORD stored : {4u, 0xFFFFFFFFu}) {
        PutDword(L"Identification", stored);
        Open([&](HWND page) {
            EXPECT_EQ(0, sheet::Selection(page, IDC_UA_PRESET)) << stored;
            EXPECT_EQ(kPreset0, PartsOn(page)) << stored;
            EXPECT_EQ("read-only", PartsState(page)) << stored;
        });
        EXPECT_EQ(0u, Dword(L"Identification")) << stored;
        EXPECT_EQ(kMissing, StoredCustom()) << stored;
        EXPECT_EQ(L"Mozilla/2.0", BrowserParts()[0]) << stored;
    }
}

TEST_F(UserAgentPageTest, EveryCustomPartThatCanBeTypedIsReadBack)
{
    // A stored part must fit in 4096 bytes with its NUL: 2047 characters.
    const std::wstring longest(2047, L'a');
    Open(
        [&](HWND page) {
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            page::TypeIn(page, IDC_UA_DEFAULT, std::wstring(3000, L'a'));
            EXPECT_EQ(longest, page::Text(page, IDC_UA_DEFAULT)) << "the edit takes no more";
            sheet::ChooseItem(page, IDC_UA_PRESET, 0);
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            EXPECT_EQ(longest, page::Text(page, IDC_UA_DEFAULT));
        },
        false);

    // One character more, stored by someone else, counts as missing.
    PutString(L"UADefault", longest + L"a");
    Open(
        [&](HWND page) {
            sheet::ChooseItem(page, IDC_UA_PRESET, 3);
            EXPECT_EQ(L"Mozilla/2.0", page::Text(page, IDC_UA_DEFAULT));
        },
        false);
}

TEST_F(UserAgentPageTest, PostPlatformValueWithAnOverlongNameStaysAndOkStillEnds)
{
    // Enumeration takes names of at most 255 characters: this one cannot be
    // enumerated, so it cannot be deleted either.
    const std::wstring overlong(300, L'z');
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, overlong.c_str(), L"x");
    Open([](HWND) {});
    EXPECT_EQ(L"x", testreg::ReadString(HKEY_LOCAL_MACHINE, kPostPlatform, overlong.c_str()));
    EXPECT_EQ(L"", testreg::ReadString(HKEY_LOCAL_MACHINE, kPostPlatform, L"PPC"));
}

} // namespace
