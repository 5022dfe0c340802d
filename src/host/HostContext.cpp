#include "HostContext.h"

HostContext hostContext;
