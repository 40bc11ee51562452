#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Format, FollowsTheRunTimeLibraryRules)
{
    EXPECT_EQ(Format("%.2d:%.2d:%.2d.%.3d", 1, 2, 3, 45), "01:02:03.045");
    EXPECT_EQ(Format("%f", 1.0 / 3), "0.33");
    EXPECT_EQ(Format("%.1f", 2.25), "2.2");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("%.4x", 10), "000A");
    EXPECT_EQ(Format("%-6s|", std::string("ab")), "ab    |");
    EXPECT_EQ(Format("%6s|", "ab"), "    ab|");
    EXPECT_EQ(Format("%d%%", -7), "-7%");
    EXPECT_EQ(Format("%.3d", -7), "-007");
    EXPECT_EQ(Format("%1:s %0:s", "a", "b"), "b a");
    EXPECT_EQ(Format("%*d", 4, 7), "   7");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%u", int64_t(-1)), "4294967295");
    EXPECT_EQ(Format("%s", ""), "");
}

TEST(Format, RefusesMismatchedArguments)
{
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s", 3), EConvertError);
    EXPECT_THROW(Format("%d %d", 3), EConvertError);
    EXPECT_THROW(Format("%", 3), EConvertError);
}

TEST(Format, CFormatIsPrintf)
{
    EXPECT_EQ(FormatC("%s=%05.1f %x", "a", 2.5, 255), "a=002.5 ff");
    EXPECT_EQ(FormatC("%s", ""), "");
}
