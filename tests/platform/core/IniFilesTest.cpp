#include "platform/core/IniFiles.h"

#include "platform/core/CodePage.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;
using testsupport::ReadFile;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

std::unique_ptr<TMemIniFile> FromText(const std::string& AText)
{
    auto ini = std::make_unique<TMemIniFile>("");
    ini->SetText(AText);
    return ini;
}

std::string Keys(const TCustomIniFile& AIni, const std::string& ASection)
{
    TStringList keys;
    AIni.ReadSection(ASection, keys);
    return keys.CommaText();
}

} // namespace

TEST(IniFiles, SectionsAndKeysIgnoreLetterCase)
{
    auto owner = FromText("[Main]\r\nunenabledfontColor=5\r\n");
    TMemIniFile& ini = *owner;
    EXPECT_EQ(ini.ReadString("MAIN", "UnEnabledFontColor", "x"), "5");
    EXPECT_TRUE(ini.SectionExists("main"));
    EXPECT_TRUE(ini.ValueExists("main", "UNENABLEDFONTCOLOR"));
    ini.WriteString("main", "UNENABLEDFONTCOLOR", "6");
    EXPECT_EQ(ini.Text(), "[Main]\r\nunenabledfontColor=6\r\n\r\n");
}

TEST(IniFiles, MissingSectionOrKeyGivesDefault)
{
    auto owner = FromText("[a]\nk=v\n");
    TMemIniFile& ini = *owner;
    EXPECT_EQ(ini.ReadString("b", "k", "def"), "def");
    EXPECT_EQ(ini.ReadString("a", "other", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("a", "other", -7), -7);
    EXPECT_FALSE(ini.ValueExists("a", "other"));
}

TEST(IniFiles, ReadsLfCrLfBomCommentsAndSpaces)
{
    auto owner = FromText("\xEF\xBB\xBF; comment\r\nstray=1\n[ s ]\n  key = value with = sign  \r\n"
                               "no equals here\n;k2=hidden\nempty=\n");
    TMemIniFile& ini = *owner;
    EXPECT_EQ(Keys(ini, "s"), "key,empty");
    EXPECT_EQ(ini.ReadString("s", "key", ""), "value with = sign");
    EXPECT_TRUE(ini.ValueExists("s", "empty"));
    EXPECT_EQ(ini.ReadString("s", "empty", "def"), "");
}

TEST(IniFiles, IntegersTable)
{
    struct TCase {
        const char* Text;
        int Expected;
    };
    const TCase cases[] = {
        {"12", 12},          {"-16777201", -16777201}, {"$FF", 255},   {"0x1", 1},
        {"0XfF", 255},       {"$FFFFFFFF", -1},        {" 7 ", 7},     {"true", -99},
        {"", -99},           {"1.5", -99},             {"2147483647", 2147483647},
        {"2147483648", -99}, {"-2147483648", INT32_MIN}, {"$1FFFFFFFF", -99}, {"12abc", -99},
    };
    for (const TCase& c : cases) {
        TMemIniFile ini("");
        ini.WriteString("s", "k", c.Text);
        EXPECT_EQ(ini.ReadInteger("s", "k", -99), c.Expected) << '"' << c.Text << '"';
    }
}

TEST(IniFiles, BooleansAndIntegersAreWrittenAsNumbers)
{
    TMemIniFile ini("");
    ini.WriteInteger("s", "i", -5);
    ini.WriteBool("s", "t", true);
    ini.WriteBool("s", "f", false);
    EXPECT_EQ(ini.Text(), "[s]\r\ni=-5\r\nt=1\r\nf=0\r\n\r\n");
    EXPECT_TRUE(ini.ReadBool("s", "t", false));
    EXPECT_TRUE(ini.ReadBool("s", "i", false));
    EXPECT_FALSE(ini.ReadBool("s", "f", true));
    EXPECT_TRUE(ini.ReadBool("s", "missing", true));
}

TEST(IniFiles, OrderIsKeptAndEraseRemovesWholeSection)
{
    TMemIniFile ini("");
    ini.WriteString("B", "z", "1");
    ini.WriteString("A", "y", "2");
    ini.WriteString("B", "a", "3");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), "B,A");
    EXPECT_EQ(Keys(ini, "b"), "z,a");
    ini.EraseSection("b");
    EXPECT_FALSE(ini.SectionExists("B"));
    ini.WriteString("B", "n", "4");
    sections.Clear();
    ini.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), "A,B");
    ini.DeleteKey("a", "Y");
    EXPECT_EQ(Keys(ini, "A"), "");
    EXPECT_TRUE(ini.SectionExists("A"));
}

TEST(IniFiles, SectionNamedTwiceIsOneAndFirstKeyWins)
{
    auto owner = FromText("[s]\nk=1\n[t]\n[S]\nk=2\nm=3\n");
    TMemIniFile& ini = *owner;
    EXPECT_EQ(ini.ReadString("s", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("s", "m", ""), "3");
    TStringList values;
    ini.ReadSectionValues("s", values);
    EXPECT_EQ(values.CommaText(), "k=1,k=2,m=3");
}

TEST(IniFiles, MemIniFileWritesOnlyOnUpdate)
{
    TTempDir dir;
    const std::string name = dir.File("m.ini");
    WriteFile(name, "[old]\nx=1\n");
    TMemIniFile ini(name);
    ini.WriteString("new", "y", "2");
    EXPECT_EQ(ReadFile(name), "[old]\nx=1\n");
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(name), "[old]\r\nx=1\r\n\r\n[new]\r\ny=2\r\n\r\n");
}

TEST(IniFiles, IniFileWritesThroughAndReadsBack)
{
    TTempDir dir;
    const std::string name = dir.File("option.ini");
    {
        TIniFile ini(name);
        EXPECT_EQ(ini.ReadString("Option", "OutPut", "none"), "none");
        ini.WriteString("Option", "OutPut", "/home/用户/out");
        ini.WriteInteger("Option", "Threads", 2);
    }
    EXPECT_EQ(ReadFile(name), "[Option]\r\nOutPut=/home/用户/out\r\nThreads=2\r\n\r\n");
    TIniFile again(name);
    EXPECT_EQ(again.ReadString("option", "output", ""), "/home/用户/out");
    again.EraseSection("OPTION");
    EXPECT_EQ(ReadFile(name), "");
}

TEST(IniFiles, EightBitFileIsReadThroughTheCodePage)
{
    TTempDir dir;
    const std::string name = dir.File("latin.ini");
    WriteFile(name, "[s]\nk=caf\xE9\n");
    ASSERT_TRUE(SetSystemCodePage("ISO-8859-1"));
    TMemIniFile ini(name);
    SetSystemCodePage("UTF-8");
    EXPECT_EQ(ini.ReadString("s", "k", ""), "caf\xC3\xA9");
}

TEST(IniFiles, UnwritableFileRaises)
{
    TTempDir dir;
    TIniFile ini(dir.File("missing-folder/x.ini"));
    EXPECT_THROW(ini.WriteString("s", "k", "v"), EIniFileException);
    TMemIniFile mem(dir.Path()); // a folder cannot be written as a file
    mem.WriteString("s", "k", "v");
    EXPECT_THROW(mem.UpdateFile(), EIniFileException);
}
