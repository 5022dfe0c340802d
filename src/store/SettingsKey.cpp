#include "SettingsKey.h"

#include "BoundedText.h"
#include "HostContext.h"

SettingsKey::SettingsKey(UnreadValues *unread)
    : RegKey(hostContext.instance), vendorKey(hostContext.vendorKey),
      productKey(hostContext.productKey)
{
    RecordUnreadIn(unread);
}

BOOL SettingsKey::Create(LPCWSTR section, DWORD *disposition)
{
    wchar_t path[kKeyPathCapacity];
    return KeyPath(section, path) ? RegKey::Create(HKEY_CURRENT_USER, path, disposition) : FALSE;
}

BOOL SettingsKey::Open(LPCWSTR section)
{
    wchar_t path[kKeyPathCapacity];
    return KeyPath(section, path) ? RegKey::Open(HKEY_CURRENT_USER, path) : FALSE;
}

bool SettingsKey::KeyPath(LPCWSTR section, wchar_t (&path)[kKeyPathCapacity]) const
{
    if (!vendorKey || !productKey)
        return false;
    BoundedText text(path, kKeyPathCapacity);
    text.Append(L"Software\\");
    text.Append(vendorKey);
    text.Append(L"\\");
    text.Append(productKey);
    if (section) {
        text.Append(L"\\");
        text.Append(section);
    }
    return text.Whole();
}
