#include "RegKey.h"

#include "HostContext.h"
#include "TestRegistry.h"
#include "resource.h"

#include <functional>

namespace {

const DWORD kDefault = 0xDEFA17;

class RegKeyTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, Path().c_str()));
    }
    void Put(const wchar_t *name, DWORD type, const void *data, DWORD size)
    {
        testreg::WriteRaw(HKEY_CURRENT_USER, Path(), name, type, data, size);
    }

    RegKey key{hostContext.instance};
};

TEST_F(RegKeyTest, QueryDwordAcceptsOnlyAFourByteDword)
{
    const DWORD stored = 7;
    Put(L"Dword", REG_DWORD, &stored, sizeof stored);
    Put(L"Text", REG_SZ, L"5", 4);
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Put(L"Long", REG_BINARY, eight, sizeof eight);
    Put(L"Short", REG_DWORD, eight, 2);

    DWORD value = kDefault;
    EXPECT_TRUE(key.QueryDword(L"Dword", &value));
    EXPECT_EQ(7u, value);
    for (const wchar_t *name : {L"Text", L"Long", L"Short", L"Missing"}) {
        value = kDefault;
        EXPECT_FALSE(key.QueryDword(name, &value)) << name;
        // A failed read leaves the preset default, even when the data fits.
        EXPECT_EQ(kDefault, value) << name;
    }
}

TEST_F(RegKeyTest, DwordOrFallsBackOnAnyFailedRead)
{
    Put(L"TabCount", REG_SZ, L"5", 4);
    EXPECT_EQ(3u, key.DwordOr(IDS_VALUE_TAB_COUNT, 3));
    PutDword(L"TabCount", 6);
    EXPECT_EQ(6u, key.DwordOr(IDS_VALUE_TAB_COUNT, 3));
}

TEST_F(RegKeyTest, QueryStringChecksTypeAndCapacity)
{
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"Text", L"abc");
    const DWORD number = 0x00410041;
    Put(L"Number", REG_DWORD, &number, sizeof number);

    wchar_t buffer[8] = L"keep";
    DWORD size = sizeof buffer;
    EXPECT_TRUE(key.QueryString(L"Text", buffer, &size));
    EXPECT_STREQ(L"abc", buffer);
    EXPECT_EQ(8u, size);

    wcscpy(buffer, L"keep");
    size = 6; // room for "ab" and no NUL
    EXPECT_FALSE(key.QueryString(L"Text", buffer, &size));
    EXPECT_STREQ(L"keep", buffer);

    size = sizeof buffer;
    EXPECT_FALSE(key.QueryString(L"Number", buffer, &size));
    EXPECT_STREQ(L"keep", buffer);
}

TEST_F(RegKeyTest, QueryStringTerminatesTextStoredWithoutNul)
{
    // Six bytes of "xyzw": the 'w' that follows keeps the platform from
    // storing a NUL of its own, so the value really ends without one.
    Put(L"Bare", REG_SZ, L"xyzw", 6);
    auto raw = testreg::ReadRaw(HKEY_CURRENT_USER, Path(), L"Bare");
    ASSERT_TRUE(raw);
    ASSERT_EQ(6u, raw->second.size()) << "the fixture must store no NUL";

    wchar_t exact[4];
    wmemset(exact, L'#', 4);
    DWORD size = sizeof exact;
    EXPECT_TRUE(key.QueryString(L"Bare", exact, &size));
    EXPECT_EQ(std::wstring(L"xyz", 4), std::wstring(exact, 4));
    EXPECT_EQ(8u, size);

    // One character short of the NUL: the read fails rather than hand out
    // an unterminated text, and the buffer is untouched.
    wchar_t tight[3] = {L'#', L'#', L'#'};
    size = sizeof tight;
    EXPECT_FALSE(key.QueryString(L"Bare", tight, &size));
    EXPECT_EQ(std::wstring(L"###"), std::wstring(tight, 3));
}

TEST_F(RegKeyTest, SetStringStoresTheTerminatingNul)
{
    EXPECT_TRUE(key.SetString(L"Empty", L""));
    EXPECT_TRUE(key.SetString(L"Word", L"abc"));
    auto empty = testreg::ReadRaw(HKEY_CURRENT_USER, Path(), L"Empty");
    auto word = testreg::ReadRaw(HKEY_CURRENT_USER, Path(), L"Word");
    ASSERT_TRUE(empty && word);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), empty->first);
    EXPECT_EQ(2u, empty->second.size());
    EXPECT_EQ(8u, word->second.size());
}

TEST_F(RegKeyTest, ByIdentifierUsesTheStringTableName)
{
    EXPECT_TRUE(key.SetDword(IDS_VALUE_TAB_HEIGHT, 14));
    EXPECT_EQ(14u, Dword(L"TabHeight"));
    EXPECT_TRUE(key.SetString(IDS_VALUE_EVENT_SOUND_FILE, L"\\Windows\\a.wav"));
    EXPECT_EQ(L"\\Windows\\a.wav",
              testreg::ReadString(HKEY_CURRENT_USER, Path(), L"EventSoundFile"));
    DWORD value = 0;
    EXPECT_TRUE(key.QueryDword(IDS_VALUE_TAB_HEIGHT, &value));
    EXPECT_EQ(14u, value);
}

TEST_F(RegKeyTest, MissingStringEntryLeavesRegistryUntouched)
{
    const UINT kNoEntry = 9999;
    DWORD value = kDefault;
    wchar_t text[4] = L"old";
    DWORD size = sizeof text;
    EXPECT_FALSE(key.SetDword(kNoEntry, 1));
    EXPECT_FALSE(key.SetString(kNoEntry, L"x"));
    EXPECT_FALSE(key.QueryDword(kNoEntry, &value));
    EXPECT_FALSE(key.QueryString(kNoEntry, text, &size));
    EXPECT_EQ(kDefault, value);
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));

    // A plain key has no string table at all.
    RegKey plain;
    ASSERT_TRUE(plain.Open(HKEY_CURRENT_USER, Path().c_str()));
    EXPECT_FALSE(plain.SetDword(IDS_VALUE_TAB_COUNT, 1));
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

TEST_F(RegKeyTest, EnumerationStopsAtTheEndAndKeepsTheName)
{
    RegKey child;
    ASSERT_TRUE(child.Create(HKEY_CURRENT_USER, Path(L"Alpha").c_str()));
    ASSERT_TRUE(child.SetDword(L"Value", 1));
    wchar_t name[kRegNameCapacity] = L"unchanged";
    EXPECT_TRUE(key.EnumSubKey(0, name));
    EXPECT_STREQ(L"Alpha", name);
    lstrcpyW(name, L"unchanged");
    EXPECT_FALSE(key.EnumSubKey(1, name));
    EXPECT_STREQ(L"unchanged", name);

    DWORD type = 0, data = 0, size = sizeof data;
    EXPECT_TRUE(child.EnumValue(0, name, &type, reinterpret_cast<BYTE *>(&data), &size));
    EXPECT_STREQ(L"Value", name);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(1u, data);
    EXPECT_FALSE(child.EnumValue(1, name, &type, reinterpret_cast<BYTE *>(&data), &size));
    EXPECT_STREQ(L"Value", name);
}

TEST_F(RegKeyTest, CreateReportsWhetherTheKeyIsNew)
{
    RegKey other;
    DWORD disposition = 0;
    ASSERT_TRUE(other.Create(HKEY_CURRENT_USER, Path(L"New").c_str(), &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    ASSERT_TRUE(other.Close());
    ASSERT_TRUE(other.Create(HKEY_CURRENT_USER, Path(L"New").c_str(), &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    EXPECT_TRUE(other.Close());
    EXPECT_FALSE(other.Open(HKEY_CURRENT_USER, Path(L"Missing").c_str()));
}

TEST_F(RegKeyTest, CloseIsSafeTwiceAndTheDestructorCloses)
{
    EXPECT_TRUE(key.Close());
    EXPECT_EQ(nullptr, key.Handle());
    EXPECT_TRUE(key.Close());

    HKEY held = nullptr;
    {
        RegKey scoped;
        ASSERT_TRUE(scoped.Open(HKEY_CURRENT_USER, Path().c_str()));
        held = scoped.Handle();
    }
    DWORD values = 0;
    EXPECT_EQ(ERROR_INVALID_HANDLE,
              RegQueryInfoKeyW(held, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr));
}

TEST_F(RegKeyTest, CreateAndOpenReleaseTheKeyAlreadyHeld)
{
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Other"), L"Value", 1);
    auto releasesOnReuse = [&](const char *what, const std::function<BOOL(RegKey &)> &reuse) {
        RegKey reused;
        ASSERT_TRUE(reused.Open(HKEY_CURRENT_USER, Path().c_str())) << what;
        HKEY first = reused.Handle();
        ASSERT_TRUE(reuse(reused)) << what;
        if (reused.Handle() == first)
            return; // the value can only come back once the first key is closed
        DWORD values = 0;
        EXPECT_EQ(ERROR_INVALID_HANDLE,
                  RegQueryInfoKeyW(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   &values, nullptr, nullptr, nullptr, nullptr))
            << what << ": the first key is still open";
    };
    const std::wstring other = Path(L"Other");
    releasesOnReuse("Create",
                    [&](RegKey &k) { return k.Create(HKEY_CURRENT_USER, other.c_str()); });
    releasesOnReuse("Open", [&](RegKey &k) { return k.Open(HKEY_CURRENT_USER, other.c_str()); });
}

TEST_F(RegKeyTest, DeleteSubKeyRemovesTheWholeTree)
{
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\Button1"), L"Press", 1);
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\Button2\\Deep"), L"Hold", 2);
    testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys"), L"Top", 3);
    EXPECT_TRUE(key.DeleteSubKey(L"Keys"));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Keys")));
    EXPECT_FALSE(key.DeleteSubKey(L"Keys"));

    PutDword(L"Gone", 1);
    EXPECT_TRUE(key.DeleteValue(L"Gone"));
    EXPECT_FALSE(Dword(L"Gone"));
}

TEST_F(RegKeyTest, StringOrFallsBackUnlessTheWholeTextFits)
{
    const DWORD number = 0x00410041; // reads as "AA" if taken for text
    struct Case {
        const char *what;
        std::function<void()> store;
        std::wstring expected;
    } cases[] = {
        {"missing", [] {}, L"none"},
        {"number", [&] { Put(L"ViewSourceApp", REG_DWORD, &number, sizeof number); }, L"none"},
        {"empty", [&] { testreg::WriteString(HKEY_CURRENT_USER, Path(), L"ViewSourceApp", L""); },
         L""},
        {"exactly the limit",
         [&] { testreg::WriteString(HKEY_CURRENT_USER, Path(), L"ViewSourceApp", L"12345"); },
         L"12345"},
        {"one beyond the limit",
         [&] { testreg::WriteString(HKEY_CURRENT_USER, Path(), L"ViewSourceApp", L"123456"); },
         L"none"},
    };
    for (const Case &c : cases) {
        key.DeleteValue(L"ViewSourceApp");
        c.store();
        wchar_t text[6];
        key.StringOr(IDS_VALUE_VIEW_SOURCE_APP, L"none", text, 5);
        EXPECT_EQ(c.expected, text) << c.what;
    }
}

// Holds a handle that may read the key but not change it.
class ReadOnlyKey : public RegKey {
public:
    ReadOnlyKey(HKEY root, const std::wstring &path)
    {
        RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
    }
};

TEST_F(RegKeyTest, DeleteValuesEmptiesTheKeyButKeepsItsSubkeys)
{
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"", L"default");
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"A", L"a");
    PutDword(L"B", 2);
    testreg::WriteString(HKEY_CURRENT_USER, Path(L"Sub"), L"C", L"c");
    key.DeleteValues();
    EXPECT_EQ(0u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
    EXPECT_EQ(L"c", testreg::ReadString(HKEY_CURRENT_USER, Path(L"Sub"), L"C"));
}

TEST_F(RegKeyTest, DeleteValuesStopsAtAValueItCannotDelete)
{
    testreg::WriteString(HKEY_CURRENT_USER, Path(), L"A", L"a");
    PutDword(L"B", 2);
    ReadOnlyKey readOnly(HKEY_CURRENT_USER, Path());
    ASSERT_NE(nullptr, readOnly.Handle());
    readOnly.DeleteValues(); // returns rather than retry the first value for ever
    EXPECT_EQ(2u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

} // namespace
