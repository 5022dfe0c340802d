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

// A button with the value that its rows give it.
struct ButtonValue {
    std::wstring subkeyName;
    DWORD assignment;
    bool unread;
};

// Each button once, starting from 0, so that a half without a row is 0.
std::vector<ButtonValue> ButtonValues(const std::vector<const ButtonRow *> &rows)
{
    std::vector<ButtonValue> buttons;
    for (size_t i = 0; i < rows.size(); ++i) {
        size_t found = 0;
        while (found < buttons.size() && buttons[found].subkeyName != rows[i]->subkeyName)
            ++found;
        if (found == buttons.size()) {
            ButtonValue button = {rows[i]->subkeyName, 0, rows[i]->assignmentUnread};
            buttons.push_back(button);
        }
        buttons[found].assignment = WithRowCommand(buttons[found].assignment, *rows[i]);
    }
    return buttons;
}

// The section keeps the subkeys of the buttons given, matched as the
// registry matches names, and nothing else.
class ListedButtons : public NameFilter {
public:
    explicit ListedButtons(const std::vector<ButtonValue> &buttons) : buttons(buttons) {}
    virtual bool Keeps(const std::wstring &name, bool subkey) const
    {
        for (size_t i = 0; subkey && i < buttons.size(); ++i)
            if (lstrcmpiW(buttons[i].subkeyName.c_str(), name.c_str()) == 0)
                return true;
        return false;
    }

private:
    const std::vector<ButtonValue> &buttons;
};

} // namespace

DWORD ReadButtonAssignment(const std::wstring &subkeyName, bool *unread)
{
    DWORD assignment = 0;
    SettingsKey button;
    if (button.Open(ButtonSection(subkeyName).c_str()))
        button.QueryDword(kDefaultValue, &assignment);
    *unread = button.ReadFailed() != FALSE;
    return assignment;
}

// Each button's value is written whole over the stored one, never half old
// and half new, and the section is never without the user's assignments:
// records of buttons without rows go last, and only when nothing failed.
void SaveButtonAssignments(const std::vector<const ButtonRow *> &rows, bool allButtons)
{
    std::vector<ButtonValue> buttons = ButtonValues(rows);
    bool allWritten = true;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].unread && buttons[i].assignment == 0)
            continue;
        SettingsKey button;
        allWritten = button.Create(ButtonSection(buttons[i].subkeyName).c_str()) &&
                     button.SetDword(kDefaultValue, buttons[i].assignment) && allWritten;
    }
    SettingsKey section;
    if (allWritten && allButtons && section.Create(kKeysSection))
        section.DeleteAllBut(ListedButtons(buttons));
}
