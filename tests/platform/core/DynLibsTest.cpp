#include "platform/core/DynLibs.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DynLibs, LoadsBindsAndReportsTheSystemsText)
{
    std::string error;
    TLibHandle h = LoadLibrary("libm.so.6", &error);
    ASSERT_NE(h, nullptr) << error;
    EXPECT_NE(GetProcAddress(h, "cos"), nullptr);
    EXPECT_EQ(GetProcAddress(h, "no_such_export", &error), nullptr);
    EXPECT_NE(error.find("no_such_export"), std::string::npos);
    FreeLibrary(h);
    EXPECT_EQ(LoadLibrary("/nonexistent/libx.so", &error), nullptr);
    EXPECT_NE(error.find("libx.so"), std::string::npos);
}
