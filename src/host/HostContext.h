// What the add-on passed at entry, kept for the rest of the call.
#ifndef VELOTAB_HOST_CONTEXT_H
#define VELOTAB_HOST_CONTEXT_H

#include "Platform.h"

class OptionSheet;

// One module-wide record. Each entry point overwrites the fields it
// receives; the others keep what an earlier call stored. The texts are the
// add-on's own strings, which it keeps alive until the call returns.
struct HostContext {
    HINSTANCE instance;
    BOOL holdIntervalHidden;
    LONG platformVersion;
    LPCWSTR vendorKey;
    LPCWSTR productKey;
    LPCWSTR versionText;
    OptionSheet *currentSheet;
};

extern HostContext hostContext;

#endif
