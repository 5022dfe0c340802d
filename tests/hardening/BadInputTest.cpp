// The module over registry data that it did not write: values of the wrong
// type or size, unterminated and overlong texts, overlong names, in its own
// key, its list sections, the shell's button keys and the browser's keys.
// Every page is shown and the sheet accepted; the module must not crash or
// hang, must fall back to its defaults, and must write sane data.
#include "FullSheet.h"
#include "HostContext.h"
#include "SavedKey.h"
#include "TestRegistry.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>

namespace testreg {

// The characters of a text that a failure shows.
const size_t kShownCharacters = 40;

// A value prints as its name, its type and its data: a DWORD as its number,
// a text as its stored length in characters and its first characters,
// anything else as its bytes.
void PrintTo(const Value &value, std::ostream *out)
{
    *out << ::testing::PrintToString(value.name) << " type " << value.type << " ";
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
        *out << *reinterpret_cast<const DWORD *>(value.data.data());
    } else if (value.type == REG_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t *>(value.data.data()),
                          value.data.size() / sizeof(wchar_t));
        *out << text.size() << " characters "
             << ::testing::PrintToString(text.substr(0, kShownCharacters));
    } else {
        *out << ::testing::PrintToString(value.data);
    }
}

} // namespace testreg

namespace {

using testreg::Value;

// The browser's values that the module reads, by key.
const std::vector<std::wstring> kUserAgentValues = {L"", L"Compatible", L"Version", L"Platform"};
const std::vector<std::wstring> kPostPlatformValues = {L"PPC", L"240x320"};

// A hardware button whose values are all fed bad data, and one whose name
// stays readable, so that its row and stored assignment are always there.
const std::wstring kBadButton = L"40C1";
const std::wstring kGoodButton = L"40C2";
const std::vector<std::wstring> kButtonValues = {L"Name", L"Icon", L"Flags", L""};

// The longest text the module keeps, in characters, without its NUL.
const size_t kLongestKeptText = 4095;
// The module's largest text buffer, in characters.
const size_t kLargestTextBuffer = kLongestKeptText + 1;

enum class Bad {
    Missing,
    WrongType,
    Bytes0,
    Bytes2,
    Bytes7,
    Bytes8,
    Unterminated,
    UnterminatedFull,
    Text4095,
    Text4096,
    Text5000,
};

struct BadCase {
    const char *label;
    Bad kind;
    // No text of this form can be read: the module writes the texts it
    // writes over missing data.
    bool textsUnreadable;
};

void PrintTo(const BadCase &badCase, std::ostream *out)
{
    *out << badCase.label;
}

// The sizes of the bad forms that are too short or too long: bytes of the
// numbers, characters of the texts.
const std::map<Bad, size_t> kSizes = {
    {Bad::Bytes0, 0},      {Bad::Bytes2, 2},      {Bad::Bytes7, 7},     {Bad::Bytes8, 8},
    {Bad::Text4095, 4095}, {Bad::Text4096, 4096}, {Bad::Text5000, 5000}};

// Writes the bad form of a value; the key is created when missing.
void Feed(HKEY root, const std::wstring &path, const std::wstring &name, Bad kind)
{
    const BYTE bytes[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x01};
    auto text = [&](size_t length) {
        std::wstring long_text(length, L'x');
        testreg::WriteString(root, path, name.c_str(), long_text);
    };
    // The registry supplies a NUL left out of the size when the character
    // after the data is one, so the data given are followed by another.
    auto unterminated = [&](size_t length) {
        std::wstring followed(length + 1, L'x');
        testreg::WriteRaw(root, path, name.c_str(), REG_SZ, followed.data(),
                          static_cast<DWORD>(length * sizeof(wchar_t)));
    };
    switch (kind) {
    case Bad::Missing: {
        HKEY key = nullptr;
        if (!RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key)) {
            RegDeleteValueW(key, name.c_str());
            RegCloseKey(key);
        }
        break;
    }
    case Bad::WrongType:
        testreg::WriteString(root, path, name.c_str(), L"1");
        break;
    case Bad::Bytes0:
    case Bad::Bytes2:
    case Bad::Bytes7:
    case Bad::Bytes8:
        testreg::WriteRaw(root, path, name.c_str(), REG_DWORD, bytes,
                          static_cast<DWORD>(kSizes.at(kind)));
        break;
    case Bad::Unterminated:
        unterminated(3);
        break;
    case Bad::UnterminatedFull: // fills the largest buffer, leaving no room for a NUL
        unterminated(kLargestTextBuffer);
        break;
    case Bad::Text4095:
    case Bad::Text4096:
    case Bad::Text5000:
        text(kSizes.at(kind));
        break;
    }
}

// Every text the module writes is terminated, holds no NUL before its end
// and fits the readers' buffers.
void ExpectSaneTexts(const std::vector<Value> &values, const std::wstring &where)
{
    for (const Value &value : values) {
        if (value.type != REG_SZ)
            continue;
        SCOPED_TRACE(std::string(where.begin(), where.end()) + " " +
                     std::string(value.name.begin(), value.name.end()));
        ASSERT_EQ(0u, value.data.size() % sizeof(wchar_t));
        ASSERT_GE(value.data.size(), sizeof(wchar_t));
        std::wstring text(reinterpret_cast<const wchar_t *>(value.data.data()),
                          value.data.size() / sizeof(wchar_t));
        EXPECT_EQ(text.size() - 1, text.find(L'\0'));
        EXPECT_LE(text.size() - 1, kLongestKeptText);
    }
}

// The values that one reading holds and the other does not, as they are:
// what was changed, added or removed between them.
std::vector<Value> Differences(const std::vector<Value> &before, const std::vector<Value> &after)
{
    std::vector<Value> differences;
    for (const Value &value : after)
        if (std::find(before.begin(), before.end(), value) == before.end())
            differences.push_back(value);
    for (const Value &value : before)
        if (std::find(after.begin(), after.end(), value) == after.end())
            differences.push_back(value);
    return differences;
}

// Every value of the type that acceptance wrote over missing data is
// written again, as the same value, over the bad data.
void ExpectAsDefault(DWORD type, const std::vector<Value> &defaults,
                     const std::vector<Value> &written, const std::wstring &where)
{
    for (const Value &expected : defaults) {
        if (expected.type != type)
            continue;
        SCOPED_TRACE(std::string(where.begin(), where.end()) + " " +
                     std::string(expected.name.begin(), expected.name.end()));
        auto found = std::find_if(written.begin(), written.end(),
                                  [&](const Value &v) { return v.name == expected.name; });
        ASSERT_NE(written.end(), found);
        EXPECT_EQ(expected, *found);
    }
}

class BadInputTest : public FullSheetTest {
protected:
    void SetUp() override
    {
        FullSheetTest::SetUp();
        // Every read starts from missing data.
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kUserAgent);
        for (const auto &name : kMachineValues)
            Feed(HKEY_LOCAL_MACHINE, kBrowserMachine, name, Bad::Missing);
        for (const auto &name : kMainValues)
            Feed(HKEY_CURRENT_USER, kBrowserMain, name, Bad::Missing);
        testreg::WriteString(HKEY_LOCAL_MACHINE, kShellKeys + L"\\" + kGoodButton, L"Name",
                             L"Button");
    }

    // What the module writes over missing data, key by key.
    struct Written {
        std::vector<Value> settings, machine, main, alias, service, userAgent, postPlatform;
    };
    Written Read() const
    {
        return {testreg::ReadValues(HKEY_CURRENT_USER, Path()),
                testreg::ReadValues(HKEY_LOCAL_MACHINE, kBrowserMachine),
                testreg::ReadValues(HKEY_CURRENT_USER, kBrowserMain),
                testreg::ReadValues(HKEY_CURRENT_USER, Path(L"Alias")),
                testreg::ReadValues(HKEY_CURRENT_USER, Path(L"Service")),
                testreg::ReadValues(HKEY_LOCAL_MACHINE, kUserAgent),
                testreg::ReadValues(HKEY_LOCAL_MACHINE, kPostPlatform)};
    }
    Written Defaults()
    {
        Show(true);
        Written defaults = Read();
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        return defaults;
    }

    void FeedEverything(const std::vector<Value> &settings, Bad kind) const
    {
        for (const Value &value : settings)
            Feed(HKEY_CURRENT_USER, Path(), value.name, kind);
        for (const wchar_t *section : {L"Alias", L"Service"})
            for (const wchar_t *name : {L"0_Name", L"0_URL", L"1_Name"})
                Feed(HKEY_CURRENT_USER, Path(section), name, kind);
        for (const auto &name : kMachineValues)
            Feed(HKEY_LOCAL_MACHINE, kBrowserMachine, name, kind);
        for (const auto &name : kMainValues)
            Feed(HKEY_CURRENT_USER, kBrowserMain, name, kind);
        for (const auto &name : kUserAgentValues)
            Feed(HKEY_LOCAL_MACHINE, kUserAgent, name, kind);
        for (const auto &name : kPostPlatformValues)
            Feed(HKEY_LOCAL_MACHINE, kPostPlatform, name, kind);
        for (const auto &name : kButtonValues)
            Feed(HKEY_LOCAL_MACHINE, kShellKeys + L"\\" + kBadButton, name, kind);
        for (const auto &name : {L"Icon", L"Flags", L""})
            Feed(HKEY_LOCAL_MACHINE, kShellKeys + L"\\" + kGoodButton, name, kind);
    }

    // Every key that the module writes, with the keys below it, by label.
    std::vector<std::pair<const char *, std::vector<Value>>> Everything() const
    {
        return {{"settings", testreg::ValuesBelow(HKEY_CURRENT_USER, Path())},
                {"browser machine", testreg::ValuesBelow(HKEY_LOCAL_MACHINE, kBrowserMachine)},
                {"browser main", testreg::ValuesBelow(HKEY_CURRENT_USER, kBrowserMain)},
                {"shell keys", testreg::ValuesBelow(HKEY_LOCAL_MACHINE, kShellKeys)}};
    }

    void ExpectSane(const Written &defaults) const
    {
        Written written = Read();
        ExpectAsDefault(REG_DWORD, defaults.settings, written.settings, L"settings");
        ExpectAsDefault(REG_DWORD, defaults.machine, written.machine, L"browser machine");
        ExpectAsDefault(REG_DWORD, defaults.main, written.main, L"browser main");
        ExpectSaneTexts(written.settings, L"settings");
        ExpectSaneTexts(written.alias, L"Alias");
        ExpectSaneTexts(written.service, L"Service");
        ExpectSaneTexts(written.userAgent, L"user agent");
        ExpectSaneTexts(written.postPlatform, L"post platform");
    }
};

class BadValueTest : public BadInputTest, public ::testing::WithParamInterface<BadCase> {};

// Each page reads its settings over the bad data and writes its defaults on
// acceptance; cancelling leaves the bad data as it was.
TEST_P(BadValueTest, PagesFallBackToTheirDefaults)
{
    const Written defaults = Defaults();
    ASSERT_FALSE(defaults.settings.empty());

    FeedEverything(defaults.settings, GetParam().kind);
    const auto fed = Everything();
    Show(false);
    const auto cancelled = Everything();
    for (size_t i = 0; i < fed.size(); ++i)
        EXPECT_EQ(std::vector<Value>(), Differences(fed[i].second, cancelled[i].second))
            << fed[i].first;

    Show(true);
    ExpectSane(defaults);
    if (GetParam().textsUnreadable) {
        const Written written = Read();
        ExpectAsDefault(REG_SZ, defaults.settings, written.settings, L"settings");
        ExpectAsDefault(REG_SZ, defaults.alias, written.alias, L"Alias");
        ExpectAsDefault(REG_SZ, defaults.service, written.service, L"Service");
        ExpectAsDefault(REG_SZ, defaults.userAgent, written.userAgent, L"user agent");
        ExpectAsDefault(REG_SZ, defaults.postPlatform, written.postPlatform, L"post platform");
    }
}

// A DWORD where a text is expected and a text too long for every buffer
// are unreadable texts; "1", three unterminated characters and 4095
// characters can be read.
const BadCase kBadValues[] = {
    {"Missing", Bad::Missing, true},
    {"WrongType", Bad::WrongType, false},
    {"Dword0Bytes", Bad::Bytes0, true},
    {"Dword2Bytes", Bad::Bytes2, true},
    {"Dword7Bytes", Bad::Bytes7, true},
    {"Dword8Bytes", Bad::Bytes8, true},
    {"Unterminated", Bad::Unterminated, false},
    {"UnterminatedFull", Bad::UnterminatedFull, true},
    {"Text4095", Bad::Text4095, false},
    {"Text4096", Bad::Text4096, true},
    {"Text5000", Bad::Text5000, true},
};
INSTANTIATE_TEST_SUITE_P(Values, BadValueTest, ::testing::ValuesIn(kBadValues),
                         [](const auto &info) { return std::string(info.param.label); });

class LongNameTest : public BadInputTest, public ::testing::WithParamInterface<size_t> {};

// Subkey and value names at and beyond the registry's name limit, where the
// module enumerates: the shell's buttons and the list sections. The
// registry may refuse the longer names; whatever it takes, the module must
// cope with.
TEST_P(LongNameTest, EnumerationsCopeWithLongNames)
{
    const Written defaults = Defaults();
    const std::wstring name(GetParam(), L'k');

    HKEY key = nullptr;
    if (!RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kShellKeys + L"\\" + name).c_str(), 0, nullptr, 0,
                         KEY_ALL_ACCESS, nullptr, &key, nullptr)) {
        RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"Long"),
                       sizeof L"Long");
        RegCloseKey(key);
    }
    for (const wchar_t *section : {L"Alias", L"Service"}) {
        testreg::WriteString(HKEY_CURRENT_USER, Path(section), L"0_Name", L"   n");
        testreg::WriteString(HKEY_CURRENT_USER, Path(section), L"0_URL", L"http://a/%s");
        testreg::WriteString(HKEY_CURRENT_USER, Path(section), name.c_str(), L"x");
        if (!RegCreateKeyExW(HKEY_CURRENT_USER, (Path(section) + L"\\" + name).c_str(), 0, nullptr,
                             0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
            RegCloseKey(key);
    }
    testreg::WriteDword(HKEY_CURRENT_USER, Path(), name.c_str(), 1);

    Show(true);
    ExpectSane(defaults);
}

INSTANTIATE_TEST_SUITE_P(Names, LongNameTest, ::testing::Values(255, 256, 300));

} // namespace
