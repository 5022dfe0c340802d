#include "ButtonAssignments.h"

#include "BoundedText.h"
#include "SettingsKey.h"

namespace {

const wchar_t kKeysSection[] = L"Keys";
const wchar_t kDefaultValue[] = L"";
// "Keys\" and any subkey name the enumeration gives.
const size_t kButtonSectionCapacity = sizeof kKeysSection / sizeof(wchar_t) + kRegNameCapacity;

const wchar_t *ButtonSection(const wchar_t *subkeyName, wchar_t (&section)[kButtonSectionCapacity])
{
    BoundedText text(section, kButtonSectionCapacity);
    text.Append(kKeysSection);
    text.Append(L"\\");
    text.Append(subkeyName);
    return section;
}

// The row's half of the value replaced by its command, the other half kept.
DWORD WithRowCommand(DWORD assignment, const ButtonRow &row)
{
    WORD command = LOWORD(row.command);
    if (row.holdFlag == kHoldRow)
        return MAKELONG(PressCommand(assignment), command);
    return MAKELONG(command, HoldCommand(assignment));
}

} // namespace

DWORD ReadButtonAssignment(const wchar_t *subkeyName)
{
    DWORD assignment = 0;
    wchar_t section[kButtonSectionCapacity];
    SettingsKey button;
    if (button.Open(ButtonSection(subkeyName, section)))
        button.QueryDword(kDefaultValue, &assignment);
    return assignment;
}

// The section is emptied first, so each button starts from 0 and ends with
// exactly the halves that its rows give it.
void SaveButtonAssignments(const GrowableArray<const ButtonRow *> &rows)
{
    SettingsKey settings;
    settings.Create();
    settings.DeleteSubKey(kKeysSection);
    settings.Close();
    SettingsKey section;
    section.Create(kKeysSection);
    section.Close();

    for (size_t i = 0; i < rows.Size(); ++i) {
        wchar_t section[kButtonSectionCapacity];
        SettingsKey button;
        if (!button.Create(ButtonSection(rows[i]->subkeyName, section)))
            continue;
        DWORD assignment = 0;
        button.QueryDword(kDefaultValue, &assignment);
        button.SetDword(kDefaultValue, WithRowCommand(assignment, *rows[i]));
        button.Close();
    }
}
