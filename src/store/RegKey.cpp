#include "RegKey.h"

namespace {

BOOL Succeeded(LONG status)
{
    return status == ERROR_SUCCESS ? TRUE : FALSE;
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

RegKey::RegKey(HINSTANCE resourceInstance) : resourceInstance(resourceInstance), key(NULL)
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
    if (!Succeeded(RegCreateKeyExW(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, &created)))
        return FALSE;
    if (disposition)
        *disposition = created;
    return TRUE;
}

BOOL RegKey::Open(HKEY root, LPCWSTR path)
{
    Close();
    return Succeeded(RegOpenKeyExW(root, path, 0, KEY_ALL_ACCESS, &key));
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

BOOL RegKey::QueryValue(LPCWSTR name, void *data, DWORD *type, DWORD *size) const
{
    return Succeeded(RegQueryValueExW(key, name, NULL, type, static_cast<BYTE *>(data), size));
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
    DWORD value = fallback;
    QueryDword(nameId, &value);
    return value;
}

void RegKey::StringOr(UINT nameId, LPCWSTR fallback, wchar_t *text, DWORD maxLength) const
{
    DWORD size = (maxLength + 1) * sizeof(wchar_t);
    if (!QueryString(nameId, text, &size))
        lstrcpynW(text, fallback, static_cast<int>(maxLength + 1));
}

BOOL RegKey::SetValue(LPCWSTR name, const void *data, DWORD type, DWORD size) const
{
    return Succeeded(RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size));
}

BOOL RegKey::SetDword(LPCWSTR name, DWORD value) const
{
    return SetValue(name, &value, REG_DWORD, sizeof value);
}

BOOL RegKey::SetString(LPCWSTR name, LPCWSTR text) const
{
    DWORD size = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
    return SetValue(name, text, REG_SZ, size);
}

BOOL RegKey::EnumSubKey(DWORD index, wchar_t *name) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    if (!Succeeded(RegEnumKeyExW(key, index, buffer, &length, NULL, NULL, NULL, NULL)))
        return FALSE;
    lstrcpynW(name, buffer, static_cast<int>(length + 1));
    return TRUE;
}

BOOL RegKey::EnumValue(DWORD index, wchar_t *name, DWORD *type, BYTE *data, DWORD *size) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    if (!Succeeded(RegEnumValueW(key, index, buffer, &length, NULL, type, data, size)))
        return FALSE;
    lstrcpynW(name, buffer, static_cast<int>(length + 1));
    return TRUE;
}

BOOL RegKey::HasValueAt(DWORD index) const
{
    wchar_t buffer[kRegNameCapacity];
    DWORD length = kRegNameCapacity;
    LONG status = RegEnumValueW(key, index, buffer, &length, NULL, NULL, NULL, NULL);
    return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
}

BOOL RegKey::HasSubKeys() const
{
    wchar_t name[kRegNameCapacity];
    return EnumSubKey(0, name);
}

BOOL RegKey::DeleteValue(LPCWSTR name) const
{
    return Succeeded(RegDeleteValueW(key, name));
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
    return Succeeded(PlatformDeleteKeyTree(key, name));
}

LPCWSTR RegKey::ValueName(UINT nameId) const
{
    return resourceInstance ? PlatformLoadStringPointer(resourceInstance, nameId) : NULL;
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
    LPCWSTR name = ValueName(nameId);
    return name ? SetDword(name, value) : FALSE;
}

BOOL RegKey::SetString(UINT nameId, LPCWSTR text) const
{
    LPCWSTR name = ValueName(nameId);
    return name ? SetString(name, text) : FALSE;
}
