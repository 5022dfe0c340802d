#include "UserAgentPage.h"

#include "BrowserKey.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

enum { kPartCount = 5 };

// Selector indexes: the presets come first, then the custom user agent.
const DWORD kDefaultPreset = 0;
const DWORD kCustomIndex = 3;

struct UserAgentPreset {
    LPCWSTR parts[kPartCount];
};

const UserAgentPreset kPresets[kCustomIndex] = {
    {{L"Mozilla/2.0", L"compatible", L"MSIE 3.02", L"Windows CE", L"PPC; 240x320"}},
    {{L"Mozilla/4.0", L"compatible", L"MSIE 5.5", L"Windows NT 5.0", L""}},
    {{L"Mozilla/4.0", L"compatible", L"MSIE 6.0", L"Windows NT 5.1", L"SV1"}},
};

const UINT kChoiceNames[] = {IDS_UA_PRESET_PIE, IDS_UA_PRESET_IE55, IDS_UA_PRESET_IE60,
                             IDS_UA_PRESET_CUSTOM};

const int kPartEdits[kPartCount] = {IDC_UA_DEFAULT, IDC_UA_COMPATIBLE, IDC_UA_VERSION,
                                    IDC_UA_PLATFORM, IDC_UA_POST_PLATFORM};
const UINT kCustomValues[kPartCount] = {IDS_VALUE_UA_DEFAULT, IDS_VALUE_UA_COMPATIBLE,
                                        IDS_VALUE_UA_VERSION, IDS_VALUE_UA_PLATFORM,
                                        IDS_VALUE_UA_POST_PLATFORM};

// A stored custom part is read into 4096 bytes, its NUL included; a part
// edit takes no more than that holds, so that every part stored can be read
// back.
const DWORD kCustomValueCapacity = 4096;
const int kMaxPartLength = kCustomValueCapacity / sizeof(wchar_t) - 1;

// The browser keeps parts 1 to 4 in its user agent key, part 1 as the
// key's default value. Its post platform key is emptied and given the two
// tokens the browser expects of this device, in place of part 5.
const wchar_t kUserAgentKey[] = L"\\User Agent";
const wchar_t kPostPlatformKey[] = L"\\User Agent\\Post Platform";
const wchar_t kDefaultValue[] = L"";
const LPCWSTR kBrowserPartValues[] = {kDefaultValue, L"Compatible", L"Version", L"Platform"};
const int kBrowserPartCount = sizeof kBrowserPartValues / sizeof kBrowserPartValues[0];
const LPCWSTR kPostPlatformTokens[] = {L"PPC", L"240x320"};

// What follows each part in the composed user agent.
const LPCWSTR kPartEndings[kPartCount] = {L" (", L"; ", L"; ", L"; ", L")"};

} // namespace

UserAgentPage::UserAgentPage() : OptionPage(IDD_USER_AGENT, 0)
{
}

BOOL UserAgentPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    for (size_t i = 0; i < sizeof kChoiceNames / sizeof kChoiceNames[0]; ++i)
        AddListString(IDC_UA_PRESET, kChoiceNames[i]);
    for (int i = 0; i < kPartCount; ++i)
        SendControlMessage(kPartEdits[i], EM_LIMITTEXT, kMaxPartLength, 0);

    SettingsKey settings(&unreadValues);
    settings.Create();
    DWORD index = settings.DwordOr(IDS_VALUE_IDENTIFICATION, kDefaultPreset);
    settings.Close();
    // A choice the selector does not have shows the default preset, which
    // OK then stores.
    if (index > kCustomIndex)
        index = kDefaultPreset;
    SelectListItem(IDC_UA_PRESET, index);

    // The part edits are still read-only from the template: nothing is
    // stored here.
    RefreshUserAgent();
    return TRUE;
}

BOOL UserAgentPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_UA_PRESET && HIWORD(wParam) == CBN_SELCHANGE) {
        RefreshUserAgent();
        return TRUE;
    }
    return OptionPage::OnCommand(wParam, lParam);
}

void UserAgentPage::OnOK()
{
    ApplyUserAgent(ListSelection(IDC_UA_PRESET));
    OptionPage::OnOK();
}

bool UserAgentPage::ShowPart(int part, const wchar_t *text, WideText *userAgent) const
{
    SetWindowTextW(Control(kPartEdits[part]), text);
    return userAgent->Append(text) && userAgent->Append(kPartEndings[part]);
}

void UserAgentPage::SaveCustomUserAgent() const
{
    if (GetWindowLongPtrW(Control(kPartEdits[0]), GWL_STYLE) & ES_READONLY)
        return;
    SettingsKey settings(&unreadValues);
    settings.Create();
    for (int i = 0; i < kPartCount; ++i) {
        wchar_t part[kMaxPartLength + 1];
        ControlText(kPartEdits[i], part, kMaxPartLength);
        settings.SetString(kCustomValues[i], part);
    }
    settings.Close();
}

void UserAgentPage::RefreshUserAgent() const
{
    SaveCustomUserAgent();
    DWORD index = ListSelection(IDC_UA_PRESET);
    bool preset = index < kCustomIndex;
    for (int i = 0; i < kPartCount; ++i)
        SendControlMessage(kPartEdits[i], EM_SETREADONLY, preset, 0);

    // A user agent without room for its parts is shown empty; it is only
    // shown, never stored.
    WideText userAgent;
    bool composed = true;
    if (preset) {
        for (int i = 0; i < kPartCount; ++i)
            composed = ShowPart(i, kPresets[index].parts[i], &userAgent) && composed;
    } else {
        // A custom part never stored is the default preset's part.
        SettingsKey settings(&unreadValues);
        settings.Create();
        for (int i = 0; i < kPartCount; ++i) {
            wchar_t part[kMaxPartLength + 1];
            settings.StringOr(kCustomValues[i], kPresets[kDefaultPreset].parts[i], part,
                              kMaxPartLength);
            composed = ShowPart(i, part, &userAgent) && composed;
        }
        settings.Close();
    }
    SetWindowTextW(Control(IDC_UA_STRING), composed ? userAgent.Text() : L"");
}

void UserAgentPage::ApplyUserAgent(DWORD index) const
{
    SaveCustomUserAgent();
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_IDENTIFICATION, index);
    settings.Close();
    // The browser keeps the user agent of the choice that could not be
    // read, and of each custom part that could not be read, while the page
    // still shows what it showed in their place.
    if (unreadValues.Keeps(MAKEINTRESOURCEW(IDS_VALUE_IDENTIFICATION), index))
        return;

    BrowserKey userAgent(HKEY_LOCAL_MACHINE, IDS_KEY_BROWSER_MACHINE, kUserAgentKey);
    BrowserKey postPlatform(HKEY_LOCAL_MACHINE, IDS_KEY_BROWSER_MACHINE, kPostPlatformKey);
    userAgent.Create();
    postPlatform.Create();
    postPlatform.DeleteValues();
    for (int i = 0; i < kBrowserPartCount; ++i) {
        wchar_t part[kMaxPartLength + 1];
        ControlText(kPartEdits[i], part, kMaxPartLength);
        if (index != kCustomIndex || !unreadValues.Keeps(MAKEINTRESOURCEW(kCustomValues[i]), part))
            userAgent.SetString(kBrowserPartValues[i], part);
    }
    for (size_t i = 0; i < sizeof kPostPlatformTokens / sizeof kPostPlatformTokens[0]; ++i)
        postPlatform.SetString(kPostPlatformTokens[i], L"");
    userAgent.Close();
    postPlatform.Close();
}
