#include "BrowserKey.h"

#include "BoundedText.h"
#include "HostContext.h"

BrowserKey::BrowserKey(HKEY root, UINT pathId, LPCWSTR subkeys)
    : root(root), pathId(pathId), subkeys(subkeys)
{
}

BOOL BrowserKey::Create()
{
    wchar_t path[kKeyPathCapacity];
    return Path(path) ? RegKey::Create(root, path) : FALSE;
}

BOOL BrowserKey::Open()
{
    wchar_t path[kKeyPathCapacity];
    return Path(path) ? RegKey::Open(root, path) : FALSE;
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
