// Test programs carry the module's resources, so the program itself is the
// module instance that the code under test loads from.
#include "FatalExceptionGuard.h"
#include "HostContext.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // A crash inside a script that a timer runs would otherwise be swallowed.
    InstallFatalExceptionGuard();
    hostContext.instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
