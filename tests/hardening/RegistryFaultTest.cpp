// The add-on's first run and a visit to the options, with one registry call
// of the module failing: the lists installed, the sheet opened on stored
// settings, assignments and lists with a stale entry behind a gap, every
// page shown and the sheet accepted. Whatever fails, the module lives and
// nothing stored is lost: every value that the run without a failure
// leaves is there afterwards as it left it, unless it was never stored.
#include "EntryPoints.h"
#include "FullSheet.h"
#include "ImportHook.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

// Each hooked import's replacement fails the call that the hooks pick by
// the text of its second argument: the key path, value name or string id.
template <const char *Name> void *original;
template <class Number> std::wstring Text(Number number)
{
    return std::to_wstring(number);
}
std::wstring Text(LPCWSTR text)
{
    return text ? text : L"";
}
template <const char *Name, auto Failure, class R, class H, class N, class... A>
R WINAPI Failing(H h, N n, A... a)
{
    if (!fault::Fails(Name, Text(n).c_str()))
        return reinterpret_cast<R(WINAPI *)(H, N, A...)>(original<Name>)(h, n, a...);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return Failure;
}
template <const char *Name, auto Failure, class R, class H, class N, class... A>
fault::Hook Hook(const char *dll, R(WINAPI *)(H, N, A...))
{
    return {dll, Name, reinterpret_cast<void *>(&Failing<Name, Failure, R, H, N, A...>),
            &original<Name>};
}

constexpr char kOpen[] = "RegOpenKeyExW", kCreate[] = "RegCreateKeyExW",
               kQuery[] = "RegQueryValueExW", kSet[] = "RegSetValueExW",
               kEnumValue[] = "RegEnumValueW", kEnumKey[] = "RegEnumKeyExW",
               kDeleteValue[] = "RegDeleteValueW", kDeleteTree[] = "RegDeleteTreeW",
               kLoadString[] = "LoadStringW";
const LONG kFailed = ERROR_OUTOFMEMORY;
const fault::Hook kRegistryHooks[] = {
    Hook<kOpen, kFailed>("advapi32.dll", &RegOpenKeyExW),
    Hook<kCreate, kFailed>("advapi32.dll", &RegCreateKeyExW),
    Hook<kQuery, kFailed>("advapi32.dll", &RegQueryValueExW),
    Hook<kSet, kFailed>("advapi32.dll", &RegSetValueExW),
    Hook<kEnumValue, kFailed>("advapi32.dll", &RegEnumValueW),
    Hook<kEnumKey, kFailed>("advapi32.dll", &RegEnumKeyExW),
    Hook<kDeleteValue, kFailed>("advapi32.dll", &RegDeleteValueW),
    Hook<kDeleteTree, kFailed>("advapi32.dll", &RegDeleteTreeW),
    Hook<kLoadString, 0>("user32.dll", &LoadStringW),
};

// The call-th call of function whose text argument ends with match, or of
// any call for a null match.
struct FaultPoint {
    const char *label;
    const char *function;
    const wchar_t *match;
    int call;
};
void PrintTo(const FaultPoint &point, std::ostream *out)
{
    *out << point.label;
}

class RegistryFaultTest : public FullSheetTest, public ::testing::WithParamInterface<FaultPoint> {
protected:
    // Every value the run can touch, by key.
    std::vector<testreg::Value> Stored() const
    {
        std::vector<testreg::Value> all = testreg::ValuesBelow(HKEY_CURRENT_USER, Path());
        const std::pair<HKEY, std::wstring> keys[] = {{HKEY_LOCAL_MACHINE, kBrowserMachine},
                                                      {HKEY_LOCAL_MACHINE, kUserAgent},
                                                      {HKEY_LOCAL_MACHINE, kPostPlatform},
                                                      {HKEY_CURRENT_USER, kBrowserMain}};
        for (const auto &[root, path] : keys)
            for (testreg::Value value : testreg::ReadValues(root, path)) {
                value.name = path + L"\\" + value.name;
                all.push_back(value);
            }
        return all;
    }
    using Values = std::vector<testreg::Value>;
    // What the run left: after the installers, and at its end.
    struct Result {
        Values installed, accepted;
    };
    Result Run(const FaultPoint &point)
    {
        testreg::DeleteTree(HKEY_CURRENT_USER, Path());
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kPostPlatform);
        for (const wchar_t *button : {L"\\40C1", L"\\40C2"})
            testreg::WriteString(HKEY_LOCAL_MACHINE, kShellKeys + button, L"Name", button + 1);
        testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\40C1"), L"", 0x00450020);
        testreg::WriteDword(HKEY_CURRENT_USER, Path(L"Keys\\40C2"), L"", 0x00210001);
        const std::pair<const wchar_t *, DWORD> settings[] = {
            {L"HotKeyInterval", 600}, {L"AliasExpandKey", 4}, {L"ScrollLinePixel", 50},
            {L"TabCount", 5},         {L"Focus", 1},          {L"Identification", 3},
            {L"ButtonHold", 1}};
        for (const auto &[name, value] : settings)
            PutDword(name, value);
        testreg::WriteString(HKEY_CURRENT_USER, Path(), L"UADefault", L"Velotab/1.0");
        testreg::WriteDword(HKEY_LOCAL_MACHINE, kBrowserMachine, L"Security_RunScripts", 0);

        fault::Arm(point.function, point.match, point.call);
        for (auto install : {InstallDefaultAliases, InstallDefaultAliases, InstallDefaultServices,
                             InstallDefaultServices})
            install(vendor.c_str(), product.c_str(), L"1.0");
        fault::Pause(true);
        Result result{Stored()};
        for (const wchar_t *section : {L"Alias", L"Service"})
            testreg::WriteString(HKEY_CURRENT_USER, Path(section), L"90_Name", L"  stale");
        fault::Pause(false);
        Show(true);
        fault::Pause(true);
        result.accepted = Stored();
        fault::Pause(false);
        return result;
    }
};

TEST_P(RegistryFaultTest, NothingStoredIsLost)
{
    static const bool hooked = fault::Install(kRegistryHooks, std::size(kRegistryHooks));
    ASSERT_TRUE(hooked);
    static const Result expected = Run({"", "", nullptr, 0});
    const Result stored = Run(GetParam());
    ASSERT_GE(fault::Calls(), GetParam().call) << "no such call";
    auto has = [](const Values &values, auto match) {
        return std::find_if(values.begin(), values.end(), match) != values.end();
    };
    // The lists are installed whole; after the sheet each value is as the
    // run without a failure left it, or still missing if it never was
    // stored and could not be read.
    for (const auto &[before, after] : {std::pair(&expected.installed, &stored.installed),
                                        std::pair(&expected.accepted, &stored.accepted)})
        for (const testreg::Value &value : *before) {
            auto named = [&](const testreg::Value &v) { return v.name == value.name; };
            bool neverStored =
                after == &stored.accepted && !has(*after, named) && !has(stored.installed, named);
            EXPECT_TRUE(neverStored || has(*after, [&](auto &v) { return v == value; }))
                << std::string(value.name.begin(), value.name.end());
        }
}

// The installers run twice each, as on two starts of the add-on; the sheet
// then reads and rewrites both lists, the buttons' assignments and the
// settings.
const FaultPoint kRegistryFaults[] = {
    {"InstallerOpen", "RegOpenKeyExW", nullptr, 1},
    {"InstallerCreate", "RegCreateKeyExW", nullptr, 1},
    {"InstallerFirstWrite", "RegSetValueExW", nullptr, 1},
    {"InstallerAliasWrite", "RegSetValueExW", L"10_URL", 1},
    {"InstallerFirstName", "LoadStringW", nullptr, 1},
    {"InstallerAliasName", "LoadStringW", L"621", 1},
    {"AliasSectionOpen", "RegOpenKeyExW", L"\\Alias", 3},
    {"ServiceSectionOpen", "RegOpenKeyExW", L"\\Service", 3},
    {"AliasFirstEnumeration", "RegEnumValueW", nullptr, 1},
    {"ServiceEnumeration", "RegEnumValueW", nullptr, 100},
    {"ShellFirstButton", "RegEnumKeyExW", nullptr, 1},
    {"ShellSecondButton", "RegEnumKeyExW", nullptr, 2},
    {"AssignmentOpen", "RegOpenKeyExW", L"\\Keys\\40C1", 1},
    {"AssignmentQuery", "RegQueryValueExW", nullptr, 9},
    {"ButtonsSettingsOpen", "RegOpenKeyExW", nullptr, 5},
    {"UserAgentSettingsCreate", "RegCreateKeyExW", nullptr, 3},
    {"TabDisplaySettingsCreate", "RegCreateKeyExW", nullptr, 6},
    {"FirstQuery", "RegQueryValueExW", nullptr, 1},
    {"ExpandKeyQuery", "RegQueryValueExW", L"AliasExpandKey", 1},
    {"ScrollQuery", "RegQueryValueExW", L"ScrollLinePixel", 1},
    {"FocusQuery", "RegQueryValueExW", L"Focus", 1},
    {"RunScriptsQuery", "RegQueryValueExW", L"Security_RunScripts", 1},
    {"TabCountName", "LoadStringW", L"9171", 1},
    {"IdentificationName", "LoadStringW", L"9131", 1},
    {"AssignmentCreate", "RegCreateKeyExW", L"\\Keys\\40C1", 1},
    {"AliasRewriteCreate", "RegCreateKeyExW", L"\\Alias", 2},
    {"ServiceRewriteCreate", "RegCreateKeyExW", L"\\Service", 2},
    {"AliasRewriteWrite", "RegSetValueExW", L"15_Name", 3},
    {"ServiceRewriteWrite", "RegSetValueExW", L"40_URL", 2},
    {"AliasStaleDeletion", "RegDeleteValueW", L"20_Name", 1},
    {"KeysCleanUp", "RegEnumKeyExW", nullptr, 6},
    {"AliasCleanUp", "RegEnumValueW", nullptr, 215},
    {"ServiceCleanUp", "RegEnumValueW", nullptr, 300},
};
INSTANTIATE_TEST_SUITE_P(Registry, RegistryFaultTest, ::testing::ValuesIn(kRegistryFaults),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
