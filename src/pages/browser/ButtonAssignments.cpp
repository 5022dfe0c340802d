#include "ButtonAssignments.h"

#include "SettingsKey.h"

namespace {

const wchar_t kKeysSection[] = L"Keys";
const wchar_t kDefaultValue[] = L"";

std::wstring ButtonSection(const std::wstring &subkeyName)
{
    return std::wstring(kKeysSection) + L"\\" + subkeyName;
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

DWORD ReadButtonAssignment(const std::wstring &subkeyName)
{
    DWORD assignment = 0;
    SettingsKey button;
    if (button.Open(ButtonSection(subkeyName).c_str()))
        button.QueryDword(kDefaultValue, &assignment);
    return assignment;
}

// The section is emptied first, so each button starts from 0 and ends with
// exactly the halves that its rows give it.
void SaveButtonAssignments(const std::vector<const ButtonRow *> &rows)
{
    SettingsKey settings;
    settings.Create();
    settings.DeleteSubKey(kKeysSection);
    settings.Close();
    SettingsKey section;
    section.Create(kKeysSection);
    section.Close();

    for (size_t i = 0; i < rows.size(); ++i) {
        SettingsKey button;
        if (!button.Create(ButtonSection(rows[i]->subkeyName).c_str()))
            continue;
        DWORD assignment = 0;
        button.QueryDword(kDefaultValue, &assignment);
        button.SetDword(kDefaultValue, WithRowCommand(assignment, *rows[i]));
        button.Close();
    }
}
