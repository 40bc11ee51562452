#include "engine/base/TextUtils.h"

#include <string>

#include <gtest/gtest.h>

using namespace engine;

TEST(TextUtils, FormatByteSize)
{
    const struct {
        int64_t Size;
        const char* Text;
    } cases[] = {
        {0, "0 Byte"},
        {1024, "1024 Byte"},
        {1025, "1.00 KB"},
        {1048576, "1024.00 KB"},
        {1073741824, "1024.00 MB"},
        {1073741825, "1.00 GB"},
        {-5, "-5 Byte"},
        {int64_t(5) << 40, "5120.00 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatByteSize(c.Size), c.Text) << c.Size;
}

TEST(TextUtils, SplitAtDelimiter)
{
    const struct {
        const char* S;
        const char* Delim;
        bool Remove;
        const char* Head;
        const char* Rest;
    } cases[] = {
        {"a=b", "=", true, "a", "b"},
        {"abc", "=", true, "abc", ""},
        {"a=b", "=", false, "a", "a=b"},
        {"abc", "=", false, "abc", "abc"},
        {"x\ny\nz", "\n", true, "x", "y\nz"},
        {"=v", "=", true, "", "v"},
    };
    for (const auto& c : cases) {
        std::string s = c.S, head;
        SplitAtDelimiter(s, c.Delim, c.Remove, head);
        EXPECT_EQ(head, c.Head) << c.S;
        EXPECT_EQ(s, c.Rest) << c.S;
    }
}
