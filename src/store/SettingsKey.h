// The add-on's own key, HKEY_CURRENT_USER\Software\<vendor>\<product>, or a
// section below it, located from the key names the add-on passed at entry.
#ifndef VELOTAB_SETTINGS_KEY_H
#define VELOTAB_SETTINGS_KEY_H

#include "RegKey.h"

class SettingsKey : public RegKey {
public:
    // Takes the key names that the host context holds now; unread, when
    // given, is the record of the page's unread settings (RecordUnreadIn).
    explicit SettingsKey(UnreadValues *unread = NULL);

    // A null section names the product key itself.
    BOOL Create(LPCWSTR section = NULL, DWORD *disposition = NULL);
    BOOL Open(LPCWSTR section = NULL);

    // The path below HKEY_CURRENT_USER, or false without both key names or
    // when it does not fit.
    bool KeyPath(LPCWSTR section, wchar_t (&path)[kKeyPathCapacity]) const;

private:
    LPCWSTR vendorKey;
    LPCWSTR productKey;
};

#endif
