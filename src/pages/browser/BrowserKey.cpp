#include "BrowserKey.h"

#include "BoundedText.h"
#include "HostContext.h"

BrowserKey::BrowserKey(HKEY root, UINT pathId, LPCWSTR subkeys, UnreadValues *unread)
    : root(root), pathId(pathId), subkeys(subkeys)
{
    RecordUnreadIn(unread);
}

// A path entry that could not be loaded makes the key's reads failed ones.
BOOL BrowserKey::Create()
{
    wchar_t path[kKeyPathCapacity];
    return Path(path) ? RegKey::Create(root, path) : Answer(ERROR_RESOURCE_NAME_NOT_FOUND);
}

BOOL BrowserKey::Open()
{
    wchar_t path[kKeyPathCapacity];
    return Path(path) ? RegKey::Open(root, path) : Answer(ERROR_RESOURCE_NAME_NOT_FOUND);
}

bool BrowserKey::Path(wchar_t (&path)[kKeyPathCapacity]) const
{
    LPCWSTR base = PlatformLoadStringPointer(hostContext.instance, pathId);
    if (!base)
        return false;
    BoundedText text(path, kKeyPathCapacity);
    text.Append(base);
    if (subkeys)
        text.Append(subkeys);
    return text.Whole();
}
