#include "BrowserKey.h"

#include "HostContext.h"

BrowserKey::BrowserKey(HKEY root, UINT pathId, LPCWSTR subkeys, UnreadValues *unread) : root(root)
{
    RecordUnreadIn(unread);
    LPCWSTR base = PlatformLoadStringPointer(hostContext.instance, pathId);
    if (!base)
        return;
    path = base;
    if (subkeys)
        path += subkeys;
}

// A path entry that could not be loaded makes the key's reads failed ones.
BOOL BrowserKey::Create()
{
    return path.empty() ? Answer(ERROR_RESOURCE_NAME_NOT_FOUND)
                        : RegKey::Create(root, path.c_str());
}

BOOL BrowserKey::Open()
{
    return path.empty() ? Answer(ERROR_RESOURCE_NAME_NOT_FOUND) : RegKey::Open(root, path.c_str());
}
