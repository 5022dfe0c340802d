// One of the browser's own keys, outside the add-on's key. Its path is a
// string-table entry, optionally followed by subkeys; values are named
// plainly, as the browser names them.
#ifndef VELOTAB_BROWSER_KEY_H
#define VELOTAB_BROWSER_KEY_H

#include "RegKey.h"

class BrowserKey : public RegKey {
public:
    // subkeys, when given, starts with a backslash; unread, when given, is
    // the page's record of its unread settings (RecordUnreadIn).
    BrowserKey(HKEY root, UINT pathId, LPCWSTR subkeys = NULL, UnreadValues *unread = NULL);

    // Both fail without touching the registry when the path entry is
    // missing, rather than reach the root key itself.
    BOOL Create();
    BOOL Open();

private:
    // The full path, or false when the entry is missing or the path does
    // not fit.
    bool Path(wchar_t (&path)[kKeyPathCapacity]) const;

    HKEY root;
    UINT pathId;
    LPCWSTR subkeys;
};

#endif
