// Test programs run their tests on the process's first thread, which is the
// GUI thread of the platform layer.
#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    platform::SetMainThread();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
