#include "TabEventPage.h"

#include "BoundedText.h"
#include "HostContext.h"
#include "SettingsKey.h"
#include "resource.h"

namespace {

const DWORD kDefaultBlankPage = 0;
const DWORD kDefaultOff = 0;
const DWORD kDefaultOn = 1;

// Each entry of the sound list carries whether it stands for the built-in
// sound or for a file; the list is sorted, so positions say nothing.
const LRESULT kFileItem = 0;
const LRESULT kBuiltInItem = 1;
const wchar_t kBuiltInName[] = L"VelotabEvent";

const wchar_t kSoundPattern[] = L"*.wav";
const wchar_t kSoundExtension[] = L".wav";
const size_t kSoundExtensionLength = sizeof kSoundExtension / sizeof kSoundExtension[0] - 1;
// Room for a sound file's path: the folder and a file name.
const size_t kSoundPathCapacity = 2 * MAX_PATH;

// Room for the stored sound name: 4096 bytes with its NUL.
const DWORD kMaxStoredNameLength = 2047;
// The exact search starts after this item and wraps around to the top, so it
// covers the whole list.
const WPARAM kSearchAfterFirstItem = 0;

// Where the image sits on its button, in pixels from the top left corner.
const int kImageOffset = 3;

const int kHeadings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3};

} // namespace

TabEventPage::TabEventPage()
    : OptionPage(IDD_TAB_EVENT, 0), playImage(IDB_PLAY), stopImage(IDB_STOP)
{
}

INT_PTR TabEventPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
        OnDrawItem(wParam, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    return OptionPage::HandleMessage(message, wParam, lParam);
}

BOOL TabEventPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    OptionPage::OnInitDialog(wParam, lParam);
    SetHeadingFont(kHeadings, sizeof kHeadings / sizeof kHeadings[0]);
    // Opening only: showing the page must not create the add-on's key. When
    // the key is missing, every read below keeps its default.
    SettingsKey settings(&unreadValues);
    settings.Open();

    AddListString(IDC_TAB_NEW_TYPE, IDS_TAB_NEW_BLANK_PAGE);
    AddListString(IDC_TAB_NEW_TYPE, IDS_TAB_NEW_HOME_PAGE);
    AddListString(IDC_TAB_NEW_TYPE, IDS_TAB_NEW_CURRENT_PAGE);
    SelectListItem(IDC_TAB_NEW_TYPE, settings.DwordOr(IDS_VALUE_TAB_NEW_TYPE, kDefaultBlankPage));

    SetCheck(IDC_EVENT_SOUND, settings.DwordOr(IDS_VALUE_EVENT_SOUND, kDefaultOff));

    // Without a stored name the built-in sound is shown, which is also what
    // OK then writes.
    FillSoundList();
    wchar_t stored[kMaxStoredNameLength + 1];
    settings.StringOr(IDS_VALUE_EVENT_SOUND_FILE, kBuiltInName, stored, kMaxStoredNameLength);
    SelectSound(stored);

    SetCheck(IDC_EVENT_FOREGROUND, settings.DwordOr(IDS_VALUE_EVENT_FOREGROUND, kDefaultOn));
    SetCheck(IDC_TAB_DOUBLE_TAP, settings.DwordOr(IDS_VALUE_TAB_DOUBLE_TAP, kDefaultOn));

    settings.Close();
    return TRUE;
}

// The preview buttons work whether or not "Play sound" is checked.
BOOL TabEventPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_EVENT_PLAY:
        PlayPreview();
        return TRUE;
    case IDC_EVENT_STOP:
        // Stops the sound that a preview started.
        PlaySoundW(NULL, NULL, SND_ASYNC);
        return TRUE;
    default:
        return OptionPage::OnCommand(wParam, lParam);
    }
}

void TabEventPage::OnOK()
{
    SettingsKey settings(&unreadValues);
    settings.Create();
    settings.SetDword(IDS_VALUE_TAB_NEW_TYPE, ListSelection(IDC_TAB_NEW_TYPE));
    settings.SetDword(IDS_VALUE_EVENT_SOUND, CheckState(IDC_EVENT_SOUND));
    wchar_t sound[MAX_PATH];
    if (BuiltInSoundSelected())
        lstrcpyW(sound, kBuiltInName);
    else
        SelectedSoundText(sound);
    settings.SetString(IDS_VALUE_EVENT_SOUND_FILE, sound);
    settings.SetDword(IDS_VALUE_EVENT_FOREGROUND, CheckState(IDC_EVENT_FOREGROUND));
    settings.SetDword(IDS_VALUE_TAB_DOUBLE_TAP, CheckState(IDC_TAB_DOUBLE_TAP));
    settings.Close();
    OptionPage::OnOK();
}

// A push-button frame with the image over it; while the button is held down
// the frame is drawn pushed and the image with its colours inverted.
BOOL TabEventPage::OnDrawItem(WPARAM controlId, const DRAWITEMSTRUCT *item)
{
    const ButtonImage *image = NULL;
    switch (controlId) {
    case IDC_EVENT_PLAY:
        image = &playImage;
        break;
    case IDC_EVENT_STOP:
        image = &stopImage;
        break;
    default:
        return FALSE;
    }
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    RECT frame = item->rcItem;
    DrawFrameControl(item->hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    HDC source = CreateCompatibleDC(item->hDC);
    HGDIOBJ previous = SelectObject(source, image->Bitmap());
    BitBlt(item->hDC, kImageOffset, kImageOffset, image->Width(), image->Height(), source, 0, 0,
           pressed ? NOTSRCCOPY : SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return TRUE;
}

void TabEventPage::FillSoundList() const
{
    LRESULT builtIn = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_ADDSTRING, 0,
                                         reinterpret_cast<LPARAM>(kBuiltInName));
    if (builtIn >= 0)
        SendControlMessage(IDC_EVENT_SOUND_FILE, CB_SETITEMDATA, builtIn, kBuiltInItem);

    wchar_t folder[MAX_PATH];
    PlatformWindowsFolder(folder);
    wchar_t pattern[kSoundPathCapacity];
    BoundedText text(pattern, kSoundPathCapacity);
    text.Append(folder);
    text.Append(kSoundPattern);
    WIN32_FIND_DATAW file;
    HANDLE search = FindFirstFileW(pattern, &file);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        AddSoundFile(file);
    while (FindNextFileW(search, &file));
    FindClose(search);
}

// The search pattern also matches names whose extension only begins with
// ".wav" (through their short names): only names that end in ".wav", in any
// case, are sound files, and a bare ".wav" would leave an empty entry.
void TabEventPage::AddSoundFile(const WIN32_FIND_DATAW &file) const
{
    if (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return;
    size_t length = static_cast<size_t>(lstrlenW(file.cFileName));
    if (length <= kSoundExtensionLength ||
        lstrcmpiW(file.cFileName + length - kSoundExtensionLength, kSoundExtension) != 0)
        return;
    wchar_t text[MAX_PATH];
    lstrcpynW(text, file.cFileName, static_cast<int>(length - kSoundExtensionLength + 1));
    // The platform's upper-casing knows every letter; the C library's knows
    // only ASCII in the runtime's C locale.
    CharUpperBuffW(text, 1);
    LRESULT index =
        SendControlMessage(IDC_EVENT_SOUND_FILE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    // A failed add reports a negative index, which would address every item.
    if (index >= 0)
        SendControlMessage(IDC_EVENT_SOUND_FILE, CB_SETITEMDATA, index, kFileItem);
}

// The search ignores case, so a name stored in other case finds its entry.
void TabEventPage::SelectSound(const wchar_t *name) const
{
    LRESULT found = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_FINDSTRINGEXACT,
                                       kSearchAfterFirstItem, reinterpret_cast<LPARAM>(name));
    if (found == CB_ERR)
        found = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_FINDSTRINGEXACT, kSearchAfterFirstItem,
                                   reinterpret_cast<LPARAM>(kBuiltInName));
    SelectListItem(IDC_EVENT_SOUND_FILE, static_cast<DWORD>(found));
}

bool TabEventPage::BuiltInSoundSelected() const
{
    LRESULT selection = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return true;
    return SendControlMessage(IDC_EVENT_SOUND_FILE, CB_GETITEMDATA, selection, 0) != kFileItem;
}

// The list's read of an item takes no buffer size, so the text's length is
// checked first.
void TabEventPage::SelectedSoundText(wchar_t (&text)[MAX_PATH]) const
{
    text[0] = L'\0';
    LRESULT selection = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_GETCURSEL, 0, 0);
    LRESULT length = SendControlMessage(IDC_EVENT_SOUND_FILE, CB_GETLBTEXTLEN, selection, 0);
    if (length != CB_ERR && length < MAX_PATH)
        SendControlMessage(IDC_EVENT_SOUND_FILE, CB_GETLBTEXT, selection,
                           reinterpret_cast<LPARAM>(text));
}

// Plays asynchronously: a new preview or the stop button cuts it off. A
// sound that cannot be played plays nothing, not the system's default.
void TabEventPage::PlayPreview() const
{
    if (BuiltInSoundSelected()) {
        PlaySoundW(MAKEINTRESOURCEW(IDR_BUILT_IN_SOUND), hostContext.instance,
                   SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
        return;
    }
    wchar_t folder[MAX_PATH];
    PlatformWindowsFolder(folder);
    wchar_t name[MAX_PATH];
    SelectedSoundText(name);
    wchar_t file[kSoundPathCapacity];
    BoundedText text(file, kSoundPathCapacity);
    text.Append(folder);
    text.Append(name);
    text.Append(kSoundExtension);
    PlaySoundW(file, NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
