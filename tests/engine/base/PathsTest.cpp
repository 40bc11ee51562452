#include "engine/base/Paths.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(Paths, ExePathEndsWithDelimiter)
{
    TPathFileName path, file;
    GetExePath(path);
    GetExeFileName(file);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '/');
    EXPECT_EQ(file.rfind(path, 0), 0u);
    EXPECT_EQ(FileSizeByName(path), -1); // a folder is not a file
    EXPECT_GT(FileSizeByName(file), 0);
}
