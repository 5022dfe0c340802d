#include "BrowserKey.h"

#include "HostContext.h"

BrowserKey::BrowserKey(HKEY root, UINT pathId, LPCWSTR subkeys) : root(root)
{
    LPCWSTR base = PlatformLoadStringPointer(hostContext.instance, pathId);
    if (!base)
        return;
    path = base;
    if (subkeys)
        path += subkeys;
}

BOOL BrowserKey::Create()
{
    return path.empty() ? FALSE : RegKey::Create(root, path.c_str());
}

BOOL BrowserKey::Open()
{
    return path.empty() ? FALSE : RegKey::Open(root, path.c_str());
}
