#include "BrowserPage.h"

#include "BrowserKey.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

// The browser's values: scripts and ClearType in its machine-wide internet
// settings, script errors in its per-user "Main" key.
const wchar_t kRunScripts[] = L"Security_RunScripts";
const wchar_t kClearType[] = L"ClearTypeText";
const wchar_t kMainKey[] = L"\\Main";
const wchar_t kShowScriptErrors[] = L"ShowScriptErrors";

// What the browser does while it has none of its values.
const DWORD kDefaultRunScripts = 1;
const DWORD kDefaultShowScriptErrors = 0;
const DWORD kDefaultClearType = 0;
const DWORD kDefaultFocus = 0;

// Script mode list indexes; each mode adds to the one before it.
const DWORD kScriptsDisabled = 0;
const DWORD kScriptsEnabled = 1;

// No mode: the list is left without a selection.
const DWORD kNoScriptMode = static_cast<DWORD>(CB_ERR);

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3};

// Values that form no mode of the list give none. A sum that overflows is
// no mode either: it would wrap round to "Disable Script" although the
// browser runs scripts.
DWORD ScriptMode(DWORD runScripts, DWORD showScriptErrors)
{
    if (runScripts == 0)
        return kScriptsDisabled;
    DWORD mode = runScripts + showScriptErrors;
    return mode < runScripts ? kNoScriptMode : mode;
}

} // namespace

BrowserPage::BrowserPage() : OptionPage(IDD_BROWSER, 0)
{
}

BOOL BrowserPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);

    AddListString(IDC_SCRIPT_MODE, IDS_SCRIPT_DISABLE);
    AddListString(IDC_SCRIPT_MODE, IDS_SCRIPT_ENABLE);
    AddListString(IDC_SCRIPT_MODE, IDS_SCRIPT_ENABLE_WITH_ERRORS);
    // The browser's keys are only read here: they are not made for it.
    BrowserKey machine(HKEY_LOCAL_MACHINE, IDS_KEY_BROWSER_MACHINE, NULL, &unreadValues);
    machine.Open();
    DWORD runScripts = machine.DwordOr(kRunScripts, kDefaultRunScripts);
    machine.Close();
    BrowserKey user(HKEY_CURRENT_USER, IDS_KEY_BROWSER_USER, kMainKey, &unreadValues);
    user.Open();
    DWORD showScriptErrors = user.DwordOr(kShowScriptErrors, kDefaultShowScriptErrors);
    user.Close();
    SelectListItem(IDC_SCRIPT_MODE, ScriptMode(runScripts, showScriptErrors));

    machine.Open();
    SetCheck(IDC_CLEAR_TYPE, machine.DwordOr(kClearType, kDefaultClearType));
    machine.Close();

    AddListString(IDC_START_FOCUS, IDS_FOCUS_DEFAULT);
    AddListString(IDC_START_FOCUS, IDS_FOCUS_BROWSER_WINDOW);
    AddListString(IDC_START_FOCUS, IDS_FOCUS_ADDRESS_BAR);
    SettingsKey settings(&unreadValues);
    settings.Create();
    SelectListItem(IDC_START_FOCUS, settings.DwordOr(IDS_VALUE_FOCUS, kDefaultFocus));
    settings.Close();
    return TRUE;
}

// A script list without a selection (index -1) writes 1 to both values.
void BrowserPage::OnOK()
{
    DWORD mode = ListSelection(IDC_SCRIPT_MODE);
    WriteScriptSettings(mode != kScriptsDisabled, mode > kScriptsEnabled);
    WriteClearTypeSetting(CheckState(IDC_CLEAR_TYPE));
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_FOCUS, ListSelection(IDC_START_FOCUS));
    settings.Close();
    OptionPage::OnOK();
}

void BrowserPage::WriteScriptSettings(DWORD runScripts, DWORD showScriptErrors) const
{
    BrowserKey machine(HKEY_LOCAL_MACHINE, IDS_KEY_BROWSER_MACHINE, NULL, &unreadValues);
    machine.Create();
    machine.SetDword(kRunScripts, runScripts);
    machine.Close();
    BrowserKey user(HKEY_CURRENT_USER, IDS_KEY_BROWSER_USER, kMainKey, &unreadValues);
    user.Create();
    user.SetDword(kShowScriptErrors, showScriptErrors);
    user.Close();
}

void BrowserPage::WriteClearTypeSetting(DWORD clearType) const
{
    BrowserKey machine(HKEY_LOCAL_MACHINE, IDS_KEY_BROWSER_MACHINE, NULL, &unreadValues);
    machine.Create();
    machine.SetDword(kClearType, clearType);
    machine.Close();
}
