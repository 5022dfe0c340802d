// The registry form of both URL lists, their built-in tables and the two
// installers; the registry is written and read with plain calls.
#include "UrlListStore.h"

#include "EntryPoints.h"
#include "HostContext.h"
#include "TestRegistry.h"

#include <tuple>

namespace {

using Values = std::vector<std::pair<std::wstring, std::wstring>>;

class UrlListStoreTest : public SettingsTest {
protected:
    std::wstring NameOf(size_t i, const wchar_t *suffix) const
    {
        return std::to_wstring(i) + suffix;
    }
    void Store(const wchar_t *section, const Values &entries) const
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            testreg::WriteString(HKEY_CURRENT_USER, Path(section), NameOf(i, L"_Name").c_str(),
                                 entries[i].first);
            testreg::WriteString(HKEY_CURRENT_USER, Path(section), NameOf(i, L"_URL").c_str(),
                                 entries[i].second);
        }
    }
    // The entries from 0 up to the first missing name, as stored.
    Values Stored(const wchar_t *section) const
    {
        Values entries;
        for (size_t i = 0;; ++i) {
            auto name =
                testreg::ReadString(HKEY_CURRENT_USER, Path(section), NameOf(i, L"_Name").c_str());
            if (!name)
                return entries;
            auto url =
                testreg::ReadString(HKEY_CURRENT_USER, Path(section), NameOf(i, L"_URL").c_str());
            entries.push_back({*name, url.value_or(L"<missing>")});
        }
    }
    // Each entry's flags, between and name, and its URL.
    static Values Joined(const UrlList &list, const wchar_t *between = L"|")
    {
        Values entries;
        for (size_t i = 0; i < list.Size(); ++i)
            entries.push_back({std::wstring(list[i].flags.Text()) + between + list[i].name.Text(),
                               list[i].url.Text()});
        return entries;
    }
    static void Add(UrlList *list, const wchar_t *flags, const std::wstring &name,
                    const std::wstring &url)
    {
        UrlEntry *entry = list->AppendNew();
        ASSERT_TRUE(entry && entry->flags.Assign(flags) && entry->name.Assign(name.c_str()) &&
                    entry->url.Assign(url.c_str()));
    }
    static Values ReadJoined(UrlListStore store)
    {
        UrlList list;
        EXPECT_TRUE(store.Read(&list));
        return Joined(list);
    }
    static Values Defaults(const UrlListKind &kind)
    {
        UrlList list;
        EXPECT_TRUE(UrlListStore(kind).Defaults(&list));
        return Joined(list, L"");
    }
};

TEST_F(UrlListStoreTest, BothListsRoundTripInTheirOwnSections)
{
    struct Case {
        const UrlListKind &kind;
        const wchar_t *section;
        Values stored;
        Values read; // flags|name, URL
    } cases[] = {
        {kAliasList,
         L"Alias",
         {{L"DEc", L"http://www.%s.com/"}, {L"  g", L""}, {L" Elonger", L"x"}},
         {{L"DE|c", L"http://www.%s.com/"}, {L"  |g", L""}, {L" E|longer", L"x"}}},
        {kServiceList,
         L"Service",
         {{L"C GMaps", L"http://maps/%us"}, {L"CS ", L""}, {L"   ", L""}},
         {{L"C G|Maps", L"http://maps/%us"}, {L"CS |", L""}, {L"   |", L""}}},
    };
    for (const Case &c : cases) {
        Store(c.section, c.stored);
        UrlListStore store(c.kind);
        UrlList list;
        EXPECT_TRUE(store.Read(&list));
        EXPECT_EQ(c.read, Joined(list)) << c.section;

        testreg::DeleteTree(HKEY_CURRENT_USER, Path(c.section));
        store.Write(list, 3);
        EXPECT_EQ(c.stored, Stored(c.section));
        EXPECT_EQ(2 * c.stored.size(), testreg::ValueCount(HKEY_CURRENT_USER, Path(c.section)));
    }
    // Only the alias list keeps its expand key beside it.
    EXPECT_EQ(3u, Dword(L"AliasExpandKey"));
    EXPECT_EQ(1u, testreg::ValueCount(HKEY_CURRENT_USER, Path()));
}

TEST_F(UrlListStoreTest, ReadingEndsAtTheFirstEntryItCannotRead)
{
    const std::wstring fits(4095 - 2, L'a');
    const std::wstring tooLong(4096 - 2, L'a');
    struct Case {
        const char *what;
        std::function<void()> store;
        Values read;
    } cases[] = {
        {"gap in the numbering",
         [&] {
             Store(L"Alias", {{L"  a", L"1"}, {L"  b", L"2"}});
             testreg::WriteString(HKEY_CURRENT_USER, Path(L"Alias"), L"3_Name", L"  d");
             testreg::WriteString(HKEY_CURRENT_USER, Path(L"Alias"), L"3_URL", L"4");
         },
         {{L"  |a", L"1"}, {L"  |b", L"2"}}},
        {"name without URL ends the list after it",
         [&] {
             Store(L"Alias", {{L"  a", L"1"}, {L"  b", L"2"}, {L"  c", L"3"}});
             testreg::WriteString(HKEY_CURRENT_USER, Path(L"Alias"), L"1_URL", L"");
             HKEY key;
             RegOpenKeyExW(HKEY_CURRENT_USER, Path(L"Alias").c_str(), 0, KEY_ALL_ACCESS, &key);
             RegDeleteValueW(key, L"1_URL");
             RegCloseKey(key);
         },
         {{L"  |a", L"1"}, {L"  |b", L""}}},
        {"name of another type",
         [&] {
             Store(L"Alias", {{L"  a", L"1"}, {L"  b", L"2"}});
             testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Alias"), L"1_Name", 7);
         },
         {{L"  |a", L"1"}}},
        {"4095 characters fit, 4096 do not",
         [&] {
             Store(L"Alias", {{L"  " + fits, L"1"}, {L"  " + tooLong, L"2"}});
         },
         {{L"  |" + fits, L"1"}}},
        {"URL of 4095 characters",
         [&] {
             Store(L"Alias", {{L"  a", fits + L"xx"}, {L"  b", L"2"}});
         },
         {{L"  |a", fits + L"xx"}, {L"  |b", L"2"}}},
        {"URL too long ends the list after its entry",
         [&] {
             Store(L"Alias", {{L"  a", tooLong + L"xx"}, {L"  b", L"2"}});
         },
         {{L"  |a", L""}}},
        {"names shorter than the flags get blank flags",
         [&] {
             Store(L"Alias", {{L"D", L"1"}, {L"", L"2"}, {L"DE", L"3"}});
         },
         {{L"D |", L"1"}, {L"  |", L"2"}, {L"DE|", L"3"}}},
        {"missing section", [] {}, {}},
    };
    for (const Case &c : cases) {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        c.store();
        EXPECT_EQ(c.read, ReadJoined(UrlListStore(kAliasList))) << c.what;
    }
    // Reading never creates the section.
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path(L"Alias")));
}

// Accepting rewrites a section only where that changes it: whether the store
// skips the rewrite or not, the section ends the same, and one that holds
// exactly the list is not written at all.
TEST_F(UrlListStoreTest, RewritingLeavesTheSectionAsAFullRewriteWouldAndSkipsAnExactOne)
{
    using Raw = std::vector<BYTE>;
    // The text with its terminator.
    auto text = [](const std::wstring &value) {
        const BYTE *bytes = reinterpret_cast<const BYTE *>(value.c_str());
        return Raw(bytes, bytes + (value.size() + 1) * sizeof(wchar_t));
    };
    // The data's last bytes are not stored: the registry adds a terminator
    // only where the bytes after the data are one.
    struct Stored {
        const wchar_t *name;
        DWORD type;
        Raw data;
        DWORD droppedBytes = 0;
    };
    const std::vector<Stored> exact = {{L"0_Name", REG_SZ, text(L"DEc")},
                                       {L"0_URL", REG_SZ, text(L"http://www.%s.com/")},
                                       {L"1_Name", REG_SZ, text(L"  g")},
                                       {L"1_URL", REG_SZ, text(L"")}};
    auto with = [&](std::vector<Stored> extra) {
        std::vector<Stored> values = exact;
        values.insert(values.end(), extra.begin(), extra.end());
        return values;
    };
    struct Case {
        const char *what;
        std::vector<Stored> stored;
        bool subKey;
        bool untouched;
    } cases[] = {
        {"exactly the list", exact, false, true},
        {"an empty section", {}, false, true},
        {"stale entries above a gap",
         with({{L"3_Name", REG_SZ, text(L"  stale")}, {L"3_URL", REG_SZ, text(L"x")}}), false,
         false},
        {"a value that is no entry", with({{L"Other", REG_SZ, text(L"x")}}), false, false},
        {"a subkey", exact, true, false},
        // Written over in place under the spelling it has, which every
        // reader takes for the same value: the data stay the same.
        {"a name spelled in another case",
         {{L"0_name", REG_SZ, text(L"DEc")}, {L"0_URL", REG_SZ, text(L"u")}},
         false,
         true},
        {"a text without its terminator",
         {{L"0_Name", REG_SZ, text(L"DEcX"), 4}, {L"0_URL", REG_SZ, text(L"u")}},
         false,
         false},
        {"bytes after the terminator",
         {{L"0_Name", REG_SZ, text(L"DEc")}, {L"0_URL", REG_SZ, text(std::wstring(L"u\0junk", 6))}},
         false,
         false},
        {"a name shorter than its flags",
         {{L"0_Name", REG_SZ, text(L"D")}, {L"0_URL", REG_SZ, text(L"u")}},
         false,
         false},
        {"a name without its URL", {{L"0_Name", REG_SZ, text(L"DEc")}}, false, false},
    };
    // Every value and subkey of the section, with the time it was last
    // written.
    auto snapshot = [&](FILETIME *written) {
        std::vector<std::tuple<std::wstring, DWORD, Raw>> values;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Path(L"Alias").c_str(), 0, KEY_READ, &key))
            return values;
        DWORD subKeys = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, written);
        values.emplace_back(L"subkeys", subKeys, Raw());
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD length = 256, type = 0, size = 16384;
            Raw data(size);
            if (RegEnumValueW(key, i, name, &length, nullptr, &type, data.data(), &size))
                break;
            data.resize(size);
            values.emplace_back(name, type, data);
        }
        RegCloseKey(key);
        return values;
    };
    for (const Case &c : cases) {
        auto store = [&] {
            testreg::DeleteTree(HKEY_CURRENT_USER, Path());
            for (const Stored &value : c.stored)
                testreg::WriteRaw(HKEY_CURRENT_USER, Path(L"Alias"), value.name, value.type,
                                  value.data.data(),
                                  static_cast<DWORD>(value.data.size()) - value.droppedBytes);
            testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Alias"), nullptr, 0);
            RegDeleteKeyValueW(HKEY_CURRENT_USER, Path(L"Alias").c_str(), nullptr);
            if (c.subKey)
                testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Alias\\Below"), L"x", 1);
        };
        store();
        UrlList list;
        UrlListStore(kAliasList).Read(&list);
        UrlListStore(kAliasList).Write(list, 0);
        FILETIME ignored;
        auto rewritten = snapshot(&ignored);

        store();
        UrlListStore reader(kAliasList);
        UrlList again;
        ASSERT_TRUE(reader.Read(&again));
        ASSERT_EQ(list.Size(), again.Size()) << c.what;
        FILETIME before = {}, after = {};
        snapshot(&before);
        Sleep(20);
        reader.Write(list, 0);
        EXPECT_EQ(rewritten, snapshot(&after)) << c.what;
        EXPECT_EQ(c.untouched, CompareFileTime(&before, &after) == 0) << c.what;
    }
}

TEST_F(UrlListStoreTest, WritingWithoutASettingsKeyStoresTheListButNoExpandKey)
{
    UrlList list;
    Add(&list, L"DE", L"c", L"http://www.%s.com/");
    UrlListStore(kAliasList).Write(list, 2);
    EXPECT_EQ((Values{{L"DEc", L"http://www.%s.com/"}}), Stored(L"Alias"));
    EXPECT_EQ(std::nullopt, Dword(L"AliasExpandKey"));
}

TEST_F(UrlListStoreTest, TextsAreCutToWhatTheReadersTake)
{
    UrlList list;
    Add(&list, L"DE", std::wstring(5000, L'a'), std::wstring(5000, L'u'));
    UrlListStore(kAliasList).Write(list, 0);
    Values stored = Stored(L"Alias");
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ(L"DE" + std::wstring(4093, L'a'), stored[0].first);
    EXPECT_EQ(std::wstring(4095, L'u'), stored[0].second);
    EXPECT_EQ(1u, ReadJoined(UrlListStore(kAliasList)).size());
}

TEST_F(UrlListStoreTest, InstallersWriteTheBuiltInListsOnlyIntoAMissingSection)
{
    InstallDefaultAliases(vendor.c_str(), product.c_str(), L"1.0");
    InstallDefaultServices(vendor.c_str(), product.c_str(), L"1.0");
    Values aliases = Stored(L"Alias");
    Values services = Stored(L"Service");
    ASSERT_EQ(20u, aliases.size());
    ASSERT_EQ(81u, services.size());
    EXPECT_EQ(40u, testreg::ValueCount(HKEY_CURRENT_USER, Path(L"Alias")));
    EXPECT_EQ(162u, testreg::ValueCount(HKEY_CURRENT_USER, Path(L"Service")));
    EXPECT_EQ((std::pair<std::wstring, std::wstring>{L"DEc", L"http://www.%s.com/"}), aliases[0]);
    EXPECT_EQ((std::pair<std::wstring, std::wstring>{L"   Clear URL", L""}), services[0]);
    EXPECT_EQ((std::pair<std::wstring, std::wstring>{L"CS ", L""}), services[5]);
    EXPECT_EQ(std::nullopt, Dword(L"AliasExpandKey"));

    // An existing section stays as it is, empty or not.
    testreg::DeleteTree(HKEY_CURRENT_USER, Path(L"Alias"));
    testreg::WriteString(HKEY_CURRENT_USER, Path(L"Alias"), L"Unrelated", L"x");
    testreg::DeleteTree(HKEY_CURRENT_USER, Path(L"Service"));
    Store(L"Service", {{L"   mine", L"http://mine/"}});
    InstallDefaultAliases(vendor.c_str(), product.c_str(), L"1.0");
    InstallDefaultServices(vendor.c_str(), product.c_str(), L"1.0");
    EXPECT_EQ(1u, testreg::ValueCount(HKEY_CURRENT_USER, Path(L"Alias")));
    EXPECT_EQ((Values{{L"   mine", L"http://mine/"}}), Stored(L"Service"));
}

TEST_F(UrlListStoreTest, InstallersWithANullArgumentWriteNothing)
{
    const wchar_t *v = vendor.c_str(), *p = product.c_str();
    InstallDefaultAliases(v, p, nullptr);
    InstallDefaultServices(nullptr, p, L"1.0");
    InstallDefaultAliases(v, nullptr, L"1.0");
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Path()));
}

// Every name data of the built-in alias list exactly, and each URL's fixed
// part; the hosts of rows 3 to 17 are the module's choice.
TEST_F(UrlListStoreTest, BuiltInAliasList)
{
    const Values expected = {
        {L"DEc", L"http://www.%s.com/"},
        {L" En", L"http://www.%s.net/"},
        {L" Eo", L"http://www.%s.org/"},
        {L"  g", L"/search?q=%us"},
        {L"  gm", L"/xhtml?q=%us"},
        {L"  m", L"/"},
        {L"  img", L"/images?q=%us"},
        {L"  grp", L"/groups?q=%us"},
        {L"  news", L"/news?q=%us"},
        {L"  frg", L"/froogle?q=%us"},
        {L"  bk", L"/books?q=%us"},
        {L"  mp3", L"/search.php?stype=song&query=%us&action=Search"},
        {L"  y", L"/"},
        {L"  ys", L"/search?p=%us"},
        {L"  pt", L"/mobile/index.php?start=%s"},
        {L"  bh", L"/"},
        {L"  hd", L"/"},
        {L"  pg", L"/"},
        {L"  vt", L"http://www.velotab.example/"},
        {L"  vthelp", L"http://www.velotab.example/help/"},
    };
    Values list = Defaults(kAliasList);
    ASSERT_EQ(expected.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(expected[i].first, list[i].first) << "row " << i;
        const std::wstring &url = list[i].second;
        if (expected[i].second.compare(0, 7, L"http://") == 0) {
            EXPECT_EQ(expected[i].second, url) << "row " << i;
            continue;
        }
        // "http://", a host of letters, digits, dots and dashes, the path.
        size_t pathStart = url.find(L'/', 7);
        ASSERT_NE(std::wstring::npos, pathStart) << "row " << i;
        EXPECT_EQ(L"http://", url.substr(0, 7)) << "row " << i;
        std::wstring host = url.substr(7, pathStart - 7);
        EXPECT_EQ(std::wstring::npos,
                  host.find_first_not_of(L"abcdefghijklmnopqrstuvwxyz0123456789.-"))
            << "row " << i;
        EXPECT_NE(std::wstring::npos, host.find(L'.')) << "row " << i;
        EXPECT_EQ(expected[i].second, url.substr(pathStart)) << "row " << i;
    }
}

// Every name data of the built-in service list exactly, and each URL's
// fixed part: builders and empty URLs whole, services from their path on.
TEST_F(UrlListStoreTest, BuiltInServiceList)
{
    Values expected;
    auto heading = [&](const wchar_t *name) {
        expected.push_back({std::wstring(L"   ") + name, L""});
    };
    auto separator = [&] { expected.push_back({L"CS ", L""}); };
    auto builders = [&](std::initializer_list<const wchar_t *> suffixes) {
        for (const wchar_t *suffix : suffixes)
            expected.push_back({std::wstring(L"C  http://www.|") + suffix + L"/",
                                std::wstring(L"http://www.%s") + suffix + L"/"});
    };
    auto endings = [&](std::initializer_list<const wchar_t *> list) {
        for (const wchar_t *ending : list)
            expected.push_back({std::wstring(L"C  |") + ending, std::wstring(L"%s") + ending});
    };
    auto service = [&](const std::wstring &nameData, const std::wstring &path) {
        expected.push_back({nameData, L"*" + path});
    };
    heading(L"Clear URL");
    heading(L"URL Builder (Global)");
    builders({L".com", L".net", L".org"});
    separator();
    builders({L".biz", L".edu", L".gov", L".info", L".name", L".pro"});
    heading(L"URL Builder (Local)");
    builders({L".co.il", L".co.jp", L".co.kr", L".co.uk", L".com.au"});
    separator();
    builders({L".ca", L".cn", L".de", L".dk", L".fr", L".it", L".ru"});
    heading(L"URL Builder (Ext)");
    endings({L"mobile/"});
    separator();
    endings({L"index", L"default"});
    separator();
    endings({L".asp", L".aspx", L".cgi", L".htm", L".html", L".jsp", L".php"});
    expected.push_back({L" S ", L""});
    service(L"  GGoogle Mobile", L"/gwt/n?u=%s");
    service(L"  GSkweezer", L"/skweeze.aspx?i=1&q=%s");
    service(L"  GMobileLeap", L"/%s");
    service(L"  GWebWarper", L"/ww/~av/%s");
    service(L"  GOld version", L"/web/*/%s");
    heading(L"Google Service");
    service(L"C GMaps", L"/maps?output=html&q=%us");
    service(L"C GSimilar page", L"/search?as_rq=%s");
    service(L"C GReference", L"/search?as_lq=%s");
    service(L"C GOld Version", L"/search?sourceid=navclient&q=cache:%s");
    separator();
    service(L"C GPersonalized Homepage", L"/ig/mobile?output=xhtml&hl=en");
    service(L"C GReader", L"/reader/m/view/");
    service(L"C GBookmark", L"/bookmarks");
    const std::vector<std::pair<std::wstring, std::wstring>> languages = {
        {L"Arabic", L"ar"},  {L"Chinese Simplified", L"zh-CN"},
        {L"French", L"fr"},  {L"German", L"de"},
        {L"Italian", L"it"}, {L"Japanese", L"ja"},
        {L"Korean", L"ko"},  {L"Portuguese", L"pt"},
        {L"Spanish", L"es"}};
    const std::wstring tail = L"&hl=en&ie=UTF8&oe=UTF8&u=%us";
    heading(L"Translation to English");
    service(L"C GGoogle Translation", L"/translate_t");
    separator();
    for (const auto &language : languages)
        service(L"C G" + language.first + L" to English",
                L"/translate_c?langpair=" + language.second + L"%7Cen" + tail);
    heading(L"Translation to Others");
    service(L"C GGoogle Tanslation", L"/translate_t");
    separator();
    for (const auto &language : languages)
        service(L"C GEnglish to " + language.first,
                L"/translate_c?langpair=en%7C" + language.second + tail);
    separator();
    service(L"C GGerman to French", L"/translate_c?langpair=de%7Cfr" + tail);
    service(L"C GFrenche to German", L"/translate_c?langpair=fr%7Cde" + tail);

    Values list = Defaults(kServiceList);
    ASSERT_EQ(81u, expected.size());
    ASSERT_EQ(expected.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(expected[i].first, list[i].first) << "row " << i;
        const std::wstring &url = list[i].second;
        if (expected[i].second.empty() || expected[i].second[0] != L'*') {
            EXPECT_EQ(expected[i].second, url) << "row " << i;
            continue;
        }
        size_t pathStart = url.find(L'/', 7);
        ASSERT_NE(std::wstring::npos, pathStart) << "row " << i;
        EXPECT_EQ(L"http://", url.substr(0, 7)) << "row " << i;
        EXPECT_NE(std::wstring::npos, url.substr(7, pathStart - 7).find(L'.')) << "row " << i;
        EXPECT_EQ(expected[i].second.substr(1), url.substr(pathStart)) << "row " << i;
    }
}

} // namespace
