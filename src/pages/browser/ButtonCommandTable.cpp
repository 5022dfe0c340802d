#include "ButtonCommandTable.h"

#include "HostContext.h"
#include "resource.h"

namespace {

// The D-Pad modes that cycle through all three, or through link navigation,
// are still shown on a button that carries them but are no longer offered.
const DWORD kCommandDpadAll = 79;
const DWORD kCommandDpadLinkPage = 80;
const DWORD kCommandDpadLinkLine = 81;
// Screen rotation exists from this platform generation on.
const DWORD kCommandScreenRotation = 88;
const LONG kScreenRotationPlatform = 4;

const wchar_t kNoLabel[] = L"";

} // namespace

// Not sorted by code: this is the order the user sees.
ButtonCommand ButtonCommandTable[kButtonCommandCount] = {
    {kCommandNoChange, IDS_COMMAND_NO_CHANGE, NULL},
    {1, IDS_COMMAND_NONE, NULL},
    {32, IDS_COMMAND_PIE_BACK, NULL},
    {33, IDS_COMMAND_PIE_FORWARD, NULL},
    {34, IDS_COMMAND_PIE_STOP_REFRESH, NULL},
    {35, IDS_COMMAND_PIE_HOME, NULL},
    {36, IDS_COMMAND_PIE_FAVORITES, NULL},
    {37, IDS_COMMAND_PIE_CHANGE_LAYOUT, NULL},
    {38, IDS_COMMAND_PIE_IMAGES, NULL},
    {39, IDS_COMMAND_PIE_ADDRESS_BAR, NULL},
    {40, IDS_COMMAND_PIE_HISTORY, NULL},
    {41, IDS_COMMAND_PIE_PROPERTIES, NULL},
    {64, IDS_COMMAND_MENU, NULL},
    {67, IDS_COMMAND_POCKET_VIEW, NULL},
    {68, IDS_COMMAND_NEW_TAB, NULL},
    {69, IDS_COMMAND_NEW_BLANK_TAB, NULL},
    {70, IDS_COMMAND_NEW_CURRENT_TAB, NULL},
    {71, IDS_COMMAND_NEW_HOME_TAB, NULL},
    {72, IDS_COMMAND_CLOSE_TAB, NULL},
    {73, IDS_COMMAND_PREVIOUS_TAB, NULL},
    {74, IDS_COMMAND_NEXT_TAB, NULL},
    {75, IDS_COMMAND_FULLSCREEN, NULL},
    {kCommandScreenRotation, IDS_COMMAND_SCREEN_ROTATION, NULL},
    {76, IDS_COMMAND_CURSOR_TO_ADDRESS_BAR, NULL},
    {77, IDS_COMMAND_TAB_KEY, NULL},
    {78, IDS_COMMAND_SHIFT_TAB_KEY, NULL},
    {89, IDS_COMMAND_ENTER_KEY, NULL},
    {65, IDS_COMMAND_BEGINNING_OF_PAGE, NULL},
    {66, IDS_COMMAND_END_OF_PAGE, NULL},
    {kCommandDpadAll, IDS_COMMAND_DPAD_ALL, NULL},
    {kCommandDpadLinkPage, IDS_COMMAND_DPAD_LINK_PAGE, NULL},
    {kCommandDpadLinkLine, IDS_COMMAND_DPAD_LINK_LINE, NULL},
    {82, IDS_COMMAND_DPAD_PAGE_LINE, NULL},
    {83, IDS_COMMAND_JOG_DIAL, NULL},
    {84, IDS_COMMAND_SCROLL_UP_PAGE, NULL},
    {85, IDS_COMMAND_SCROLL_DOWN_PAGE, NULL},
    {86, IDS_COMMAND_SCROLL_UP_LINE, NULL},
    {87, IDS_COMMAND_SCROLL_DOWN_LINE, NULL},
};

void LoadCommandLabels()
{
    for (size_t i = 0; i < kButtonCommandCount; ++i)
        ButtonCommandTable[i].label =
            PlatformLoadStringPointer(hostContext.instance, ButtonCommandTable[i].labelId);
}

LPCWSTR LookupCommandLabel(DWORD code)
{
    const ButtonCommand *found = &ButtonCommandTable[0];
    for (size_t i = 0; i < kButtonCommandCount; ++i)
        if (ButtonCommandTable[i].code == code) {
            found = &ButtonCommandTable[i];
            break;
        }
    return found->label ? found->label : kNoLabel;
}

bool IsCommandOffered(const ButtonCommand &command, LONG platformVersion)
{
    switch (command.code) {
    case kCommandDpadAll:
    case kCommandDpadLinkPage:
    case kCommandDpadLinkLine:
        return false;
    case kCommandScreenRotation:
        return platformVersion >= kScreenRotationPlatform;
    default:
        return true;
    }
}
