#include "RegKey.h"

namespace {

BOOL Succeeded(LONG status)
{
    return status == ERROR_SUCCESS ? TRUE : FALSE;
}

// Answers that say what is stored, or that nothing is: anything else is a
// registry that failed.
bool IsAnswer(LONG status)
{
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_MORE_DATA ||
           status == ERROR_NO_MORE_ITEMS;
}

bool EndsWithNul(const BYTE *data, DWORD size)
{
    DWORD chars = size / sizeof(wchar_t);
    if (chars == 0)
        return false;
    const wchar_t *text = reinterpret_cast<const wchar_t *>(data);
    return text[chars - 1] == L'\0';
}

} // namespace

// Until a key is held every read fails.
RegKey::RegKey(HINSTANCE resourceInstance)
    : resourceInstance(resourceInstance), key(NULL), unread(NULL), lastStatus(ERROR_INVALID_HANDLE),
      keyStatus(ERROR_INVALID_HANDLE)
{
}

RegKey::~RegKey()
{
    Close();
}

// Create and Open release a key that the object still holds, so reusing an
// object for another key cannot leak the first handle.
BOOL RegKey::Create(HKEY root, LPCWSTR path, DWORD *disposition)
{
    Close();
    DWORD created = 0;
    keyStatus = RegCreateKeyExW(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, &created);
    if (!Answer(keyStatus))
        return FALSE;
    if (disposition)
        *disposition = created;
    return TRUE;
}

BOOL RegKey::Open(HKEY root, LPCWSTR path)
{
    Close();
    keyStatus = RegOpenKeyExW(root, path, 0, KEY_ALL_ACCESS, &key);
    return Answer(keyStatus);
}

BOOL RegKey::Close()
{
    if (!key)
        return TRUE;
    if (!Succeeded(RegCloseKey(key)))
        return FALSE;
    key = NULL;
    return TRUE;
}

// Without a key the answer of the failed open or create stands: a missing
// key reads as missing values, a key that could not be opened as failed
// reads.
BOOL RegKey::QueryValue(LPCWSTR name, void *data, DWORD *type, DWORD *size) const
{
    if (!key) {
        Answer(keyStatus);
        return FALSE;
    }
    return Answer(RegQueryValueExW(key, name, NULL, type, static_cast<BYTE *>(data), size));
}

BOOL RegKey::QueryDword(LPCWSTR name, DWORD *value) const
{
    DWORD stored = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof stored;
    if (!QueryValue(name, &stored, &type, &size) || type != REG_DWORD || size != sizeof stored)
        return FALSE;
    *value = stored;
    return TRUE;
}

// Reads into a private buffer so that a failed read leaves the caller's
// text alone, and insists on a terminating NUL: the registry does not
// guarantee one, and every reader uses the text as a C string.
BOOL RegKey::QueryString(LPCWSTR name, wchar_t *buffer, DWORD *size) const
{
    BYTE data[kMaxTextBytes];
    DWORD capacity = *size < kMaxTextBytes ? *size : kMaxTextBytes;
    DWORD type = REG_NONE;
    DWORD stored = capacity;
    if (!QueryValue(name, data, &type, &stored) || type != REG_SZ ||
        !TerminateText(data, capacity, &stored))
        return FALSE;
    CopyMemory(buffer, data, stored);
    *size = stored;
    return TRUE;
}

// Text data need not end with a NUL: one is added in place of an odd last
// byte, or after the data when the buffer has room.
BOOL RegKey::TerminateText(BYTE *data, DWORD capacity, DWORD *stored)
{
    if (EndsWithNul(data, *stored))
        return TRUE;
    DWORD whole = *stored / sizeof(wchar_t) * sizeof(wchar_t);
    if (whole + sizeof(wchar_t) > capacity)
        return FALSE;
    data[whole] = 0;
    data[whole + 1] = 0;
    *stored = whole + sizeof(wchar_t);
    return TRUE;
}

DWORD RegKey::DwordOr(UINT nameId, DWORD fallback) const
{
    return DwordOr(MAKEINTRESOURCEW(nameId), fallback);
}

DWORD RegKey::DwordOr(LPCWSTR value, DWORD fallback) const
{
    DWORD read = fallback;
    LPCWSTR name = NameOf(value);
    NoteRead(value, name && QueryDword(name, &read), fallback);
    return read;
}

void RegKey::StringOr(UINT nameId, LPCWSTR fallback, wchar_t *text, DWORD maxLength) const
{
    DWORD size = (maxLength + 1) * sizeof(wchar_t);
    LPCWSTR value = MAKEINTRESOURCEW(nameId);
    LPCWSTR name = NameOf(value);
    BOOL read = name && QueryString(name, text, &size);
    if (!read)
        lstrcpynW(text, fallback, static_cast<int>(maxLength + 1));
    NoteRead(value, read, fallback);
}

BOOL RegKey::ReadFailed() const
{
    return IsAnswer(lastStatus) ? FALSE : TRUE;
}

BOOL RegKey::Answer(LONG status) const
{
    lastStatus = status;
    return Succeeded(status);
}

LPCWSTR RegKey::NameOf(LPCWSTR value) const
{
    return IS_INTRESOURCE(value) ? ValueName(LOWORD(reinterpret_cast<ULONG_PTR>(value))) : value;
}

template <class Shown> void RegKey::NoteRead(LPCWSTR value, BOOL read, Shown shown) const
{
    if (!unread)
        return;
    if (!read && ReadFailed())
        unread->Remember(value, shown);
    else
        unread->Forget(value);
}

BOOL RegKey::SetValue(LPCWSTR name, const void *data, DWORD type, DWORD size) const
{
    return Answer(RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size));
}

// A value that could not be read and still holds what was shown keeps what
// is stored: nothing needs writing.
BOOL RegKey::SetDword(LPCWSTR name, DWORD value) const
{
    if (unread && unread->Keeps(name, value))
        return TRUE;
    return SetValue(name, &value, REG_DWORD, sizeof value);
}

BOOL RegKey::SetString(LPCWSTR name, LPCWSTR text) const
{
    if (unread && unread->Keeps(name, text))
        return TRUE;
    DWORD size = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
    return SetValue(name, text, REG_SZ, size);
}

BOOL RegKey::EnumSubKey(DWORD index, wchar_t *name) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    if (!Answer(RegEnumKeyExW(key, index, buffer, &length, NULL, NULL, NULL, NULL)))
        return FALSE;
    lstrcpynW(name, buffer, static_cast<int>(length + 1));
    return TRUE;
}

BOOL RegKey::EnumValue(DWORD index, wchar_t *name, DWORD *type, BYTE *data, DWORD *size) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    if (!Answer(RegEnumValueW(key, index, buffer, &length, NULL, type, data, size)))
        return FALSE;
    lstrcpynW(name, buffer, static_cast<int>(length + 1));
    return TRUE;
}

BOOL RegKey::HasValueAt(DWORD index) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    LONG status = RegEnumValueW(key, index, buffer, &length, NULL, NULL, NULL, NULL);
    Answer(status);
    return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
}

BOOL RegKey::HasSubKeys() const
{
    wchar_t name[kRegNameCapacity];
    return EnumSubKey(0, name);
}

BOOL RegKey::DeleteValue(LPCWSTR name) const
{
    return Answer(RegDeleteValueW(key, name));
}

// Stops at the first failure: a value that cannot be deleted stays first
// and would otherwise be tried again for ever.
void RegKey::DeleteValues() const
{
    wchar_t name[kRegNameCapacity];
    while (EnumValue(0, name, NULL, NULL, NULL))
        if (!DeleteValue(name))
            return;
}

BOOL RegKey::DeleteSubKey(LPCWSTR name) const
{
    return Answer(PlatformDeleteKeyTree(key, name));
}

// Goes past a value or subkey whose name is too long to enumerate, or that
// cannot be deleted; stops where the enumeration ends or fails.
void RegKey::DeleteAllBut(const NameFilter &keep) const
{
    wchar_t name[kRegNameCapacity];
    for (DWORD index = 0;;) {
        if (!EnumValue(index, name, NULL, NULL, NULL)) {
            if (lastStatus != ERROR_MORE_DATA)
                break;
            ++index;
        } else if (keep.Keeps(name, false) || !DeleteValue(name)) {
            ++index;
        }
    }
    for (DWORD index = 0;;) {
        if (!EnumSubKey(index, name)) {
            if (lastStatus != ERROR_MORE_DATA)
                break;
            ++index;
        } else if (keep.Keeps(name, true) || !DeleteSubKey(name)) {
            ++index;
        }
    }
}

// A value name that cannot be loaded is a failed read, not a missing value.
LPCWSTR RegKey::ValueName(UINT nameId) const
{
    LPCWSTR name = resourceInstance ? PlatformLoadStringPointer(resourceInstance, nameId) : NULL;
    if (!name)
        lastStatus = ERROR_RESOURCE_NAME_NOT_FOUND;
    return name;
}

// By-identifier forms: the name comes from the string table; without an
// entry the registry is not touched.

BOOL RegKey::QueryValue(UINT nameId, void *data, DWORD *type, DWORD *size) const
{
    LPCWSTR name = ValueName(nameId);
    return name ? QueryValue(name, data, type, size) : FALSE;
}

BOOL RegKey::QueryDword(UINT nameId, DWORD *value) const
{
    LPCWSTR name = ValueName(nameId);
    return name ? QueryDword(name, value) : FALSE;
}

BOOL RegKey::QueryString(UINT nameId, wchar_t *buffer, DWORD *size) const
{
    LPCWSTR name = ValueName(nameId);
    return name ? QueryString(name, buffer, size) : FALSE;
}

BOOL RegKey::SetValue(UINT nameId, const void *data, DWORD type, DWORD size) const
{
    LPCWSTR name = ValueName(nameId);
    return name ? SetValue(name, data, type, size) : FALSE;
}

BOOL RegKey::SetDword(UINT nameId, DWORD value) const
{
    if (unread && unread->Keeps(MAKEINTRESOURCEW(nameId), value))
        return TRUE;
    LPCWSTR name = ValueName(nameId);
    return name ? SetDword(name, value) : FALSE;
}

BOOL RegKey::SetString(UINT nameId, LPCWSTR text) const
{
    if (unread && unread->Keeps(MAKEINTRESOURCEW(nameId), text))
        return TRUE;
    LPCWSTR name = ValueName(nameId);
    return name ? SetString(name, text) : FALSE;
}
