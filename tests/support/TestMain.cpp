// Test programs carry the module's resources, so the program itself is the
// module instance that the code under test loads from.
#include "HostContext.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    hostContext.instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
