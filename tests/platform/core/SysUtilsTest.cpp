#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(SysUtils, TextCompareIgnoresAsciiCase)
{
    EXPECT_TRUE(SameText("FORMINFO", "forminfo"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
}

TEST(SysUtils, LogicalCompareOrdersNamesAsAFileManagerDoes)
{
    const struct {
        const char* A;
        const char* B;
        int Expected;
    } cases[] = {
        {"t9", "t10", -1},        {"t10", "t9", 1},        {"t000", "t135", -1},   {"T2", "t10", -1},
        {"abc", "ABC", 0},        {"a01", "a1", 0},        {"a1b", "a1c", -1},     {"a", "a0", -1},
        {"x.mp3", "x.MP3", 0},    {"song", "Song2", -1},   {"2", "10", -1},        {"b", "a9", 1},
        {"", "", 0},              {"", "a", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareLogicalText(c.A, c.B), c.Expected) << c.A << " / " << c.B;
        EXPECT_EQ(CompareLogicalText(c.B, c.A), -c.Expected) << c.B << " / " << c.A;
    }
}

TEST(SysUtils, IntegersParseDecimalAndHex)
{
    struct Case {
        const char* Text;
        bool Ok;
        int64_t Value;
    } cases[] = {
        {"12", true, 12},     {" -3 ", true, -3},  {"$FF", true, 255}, {"0x10", true, 16},
        {"", false, 0},       {"1.5", false, 0},   {"abc", false, 0},  {"-", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        int64_t v = 0;
        EXPECT_EQ(TryStrToInt64(c.Text, v), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(v, c.Value) << c.Text;
        }
    }
    EXPECT_THROW(StrToInt("x1"), EConvertError);
    EXPECT_EQ(StrToIntDef("x1", 7), 7);
    try {
        StrToInt("x1");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
    }
}

TEST(SysUtils, FloatsUseADotWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
    EXPECT_THROW(StrToFloat("2,5"), EConvertError);
}

TEST(SysUtils, PathParts)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.mp4"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.mp4"), "c.mp4");
    EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
    EXPECT_EQ(ExtractFileExt("/a/c.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a/c.avi", ".mp3"), "/a/c.mp3");
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".mp3"), "/a.b/c.mp3");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x/"), "/x/");
}

TEST(SysUtils, FoldersAreNotFiles)
{
    testsupport::TTempDir dir;
    const std::string f = dir.File("文件.txt");
    testsupport::WriteFile(f, "12345");
    EXPECT_TRUE(FileExists(f));
    EXPECT_EQ(FileSizeByName(f), 5);
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_EQ(FileSizeByName(dir.Path()), -1);
    EXPECT_EQ(FileSizeByName(dir.File("missing")), -1);
    EXPECT_TRUE(DirectoryExists(dir.Path()));
}

TEST(CodePage, Utf16RoundTrip)
{
    const std::string text = "转换器 mp3 😀";
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("ab").size(), 2u);
}

TEST(CodePage, NarrowCodePageDecidesWhatFits)
{
    ASSERT_EQ(GetSystemCodePage(), "UTF-8");
    EXPECT_TRUE(FitsAnsiCodePage("任何"));
    ASSERT_TRUE(SetSystemCodePage("ISO-8859-1"));
    EXPECT_TRUE(FitsAnsiCodePage("plain.mp4"));
    EXPECT_FALSE(FitsAnsiCodePage("中文.mp4"));
    bool lossy = false;
    EXPECT_EQ(Utf8ToAnsi("a中b", &lossy), "a?b");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(AnsiToUtf8("\xE9"), "é");
    ASSERT_TRUE(SetSystemCodePage("GBK"));
    EXPECT_TRUE(FitsAnsiCodePage("中文.mp4"));
    EXPECT_FALSE(SetSystemCodePage("NO-SUCH-CODEPAGE"));
    ASSERT_TRUE(SetSystemCodePage("UTF-8"));
}
