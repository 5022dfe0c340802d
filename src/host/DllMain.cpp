// Process-attach hook: the module's own instance is the source of every
// resource it uses.
#include "HostContext.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        hostContext.instance = instance;
    return TRUE;
}
