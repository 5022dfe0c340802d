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

// A button with the value that its rows give it.
struct ButtonValue {
    const wchar_t *subkeyName;
    DWORD assignment;
    bool unread;
};
typedef GrowableArray<ButtonValue> ButtonValues;

// Each button once, starting from 0, so that a half without a row is 0;
// false when memory ran out.
bool GatherButtons(const GrowableArray<const ButtonRow *> &rows, ButtonValues *buttons)
{
    if (!buttons->Reserve(rows.Size()))
        return false;
    for (size_t i = 0; i < rows.Size(); ++i) {
        size_t found = 0;
        while (found < buttons->Size() &&
               lstrcmpW((*buttons)[found].subkeyName, rows[i]->subkeyName) != 0)
            ++found;
        if (found == buttons->Size()) {
            ButtonValue button = {rows[i]->subkeyName, 0, rows[i]->assignmentUnread};
            buttons->Append(button);
        }
        (*buttons)[found].assignment = WithRowCommand((*buttons)[found].assignment, *rows[i]);
    }
    return true;
}

// The section keeps the subkeys of the buttons given, matched as the
// registry matches names, and nothing else.
class ListedButtons : public NameFilter {
public:
    explicit ListedButtons(const ButtonValues &buttons) : buttons(buttons) {}
    virtual bool Keeps(const wchar_t *name, bool subkey) const
    {
        for (size_t i = 0; subkey && i < buttons.Size(); ++i)
            if (lstrcmpiW(buttons[i].subkeyName, name) == 0)
                return true;
        return false;
    }

private:
    const ButtonValues &buttons;
};

} // namespace

DWORD ReadButtonAssignment(const wchar_t *subkeyName, bool *unread)
{
    DWORD assignment = 0;
    wchar_t section[kButtonSectionCapacity];
    SettingsKey button;
    if (button.Open(ButtonSection(subkeyName, section)))
        button.QueryDword(kDefaultValue, &assignment);
    *unread = button.ReadFailed() != FALSE;
    return assignment;
}

// Each button's value is written whole over the stored one, never half old
// and half new, and the section is never without the user's assignments:
// records of buttons without rows go last, and only when nothing failed.
void SaveButtonAssignments(const GrowableArray<const ButtonRow *> &rows, bool allButtons)
{
    ButtonValues buttons;
    if (!GatherButtons(rows, &buttons))
        return;
    bool allWritten = true;
    for (size_t i = 0; i < buttons.Size(); ++i) {
        if (buttons[i].unread && buttons[i].assignment == 0)
            continue;
        wchar_t section[kButtonSectionCapacity];
        SettingsKey button;
        allWritten = button.Create(ButtonSection(buttons[i].subkeyName, section)) &&
                     button.SetDword(kDefaultValue, buttons[i].assignment) && allWritten;
    }
    SettingsKey section;
    if (allWritten && allButtons && section.Create(kKeysSection))
        section.DeleteAllBut(ListedButtons(buttons));
}
