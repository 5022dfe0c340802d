#include "SettingsKey.h"

#include "HostContext.h"

SettingsKey::SettingsKey(UnreadValues *unread)
    : RegKey(hostContext.instance), vendorKey(hostContext.vendorKey),
      productKey(hostContext.productKey)
{
    RecordUnreadIn(unread);
}

BOOL SettingsKey::Create(LPCWSTR section, DWORD *disposition)
{
    std::wstring path;
    return KeyPath(section, &path) ? RegKey::Create(HKEY_CURRENT_USER, path.c_str(), disposition)
                                   : FALSE;
}

BOOL SettingsKey::Open(LPCWSTR section)
{
    std::wstring path;
    return KeyPath(section, &path) ? RegKey::Open(HKEY_CURRENT_USER, path.c_str()) : FALSE;
}

bool SettingsKey::KeyPath(LPCWSTR section, std::wstring *path) const
{
    if (!vendorKey || !productKey)
        return false;
    path->assign(L"Software\\");
    path->append(vendorKey);
    path->append(L"\\");
    path->append(productKey);
    if (section) {
        path->append(L"\\");
        path->append(section);
    }
    return true;
}
