#include "skin/core/bsUtils_SkinIni.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <optional>

using namespace skin;
using platform::EConvertError;
using platform::TMemIniFile;

namespace {

constexpr const char* S = "sec";

// An INI object whose section "sec" holds "k" = AValue, or no "k" at all.
std::unique_ptr<TMemIniFile> IniWith(std::optional<std::string> AValue)
{
    auto ini = std::make_unique<TMemIniFile>("");
    ini->WriteString(S, "other", "1");
    if (AValue)
        ini->WriteString(S, "k", *AValue);
    return ini;
}

} // namespace

TEST(SkinIniValues, RectanglesAndPointsTable)
{
    struct TCase {
        std::optional<std::string> Text; // nullopt: key absent
        bool Point;
        std::optional<TRect> Expected;   // nullopt: conversion error
    };
    const TCase cases[] = {
        {"3, 4 ,x5,6", false, TRect{3, 4, 5, 6}},
        {"-5,0,10,10", false, TRect{5, 0, 10, 10}},
        {"1,,2,3", false, std::nullopt},
        {"", false, std::nullopt},
        {std::nullopt, false, TRect{0, 0, 0, 0}},
        {"1,2,3,4,5", false, TRect{1, 2, 3, 4}},
        {"1,2,3", false, std::nullopt},
        {"1,2,3, ", false, std::nullopt},
        {"2147483647,0,0,0", false, TRect{2147483647, 0, 0, 0}},
        {"2147483648,0,0,0", false, std::nullopt},
        {"99999999999999999999,0,0,0", false, std::nullopt},
        {"000000000005,0000000000000,1,2", false, TRect{5, 0, 1, 2}},
        {"0002147483648,0,0,0", false, std::nullopt},
        {"-2,-3", true, TRect{2, 3, 0, 0}},
        {"7", true, std::nullopt},
        {"1,2,3", true, TRect{1, 2, 0, 0}},
        {" 0x10 , 2.5", true, TRect{10, 25, 0, 0}},
        {std::nullopt, true, TRect{0, 0, 0, 0}},
    };
    for (const TCase& c : cases) {
        auto ini = IniWith(c.Text);
        SCOPED_TRACE(c.Text.value_or("(absent)") + (c.Point ? " as point" : " as rectangle"));
        if (!c.Expected) {
            if (c.Point)
                EXPECT_THROW(ReadSkinPoint(*ini, S, "k"), EConvertError);
            else
                EXPECT_THROW(ReadSkinRect(*ini, S, "k"), EConvertError);
        } else if (c.Point) {
            EXPECT_EQ(ReadSkinPoint(*ini, S, "k"), (TPoint{c.Expected->Left, c.Expected->Top}));
        } else {
            EXPECT_EQ(ReadSkinRect(*ini, S, "k"), *c.Expected);
        }
    }
}

TEST(SkinIniValues, ManyPartsNeverOverrun)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += std::to_string(i) + ",";
    EXPECT_EQ(ParseSkinRect(text), (TRect{0, 1, 2, 3}));
    EXPECT_EQ(ParseSkinPoint("1,2" + std::string(100000, ',') + "5"), (TPoint{1, 2}));
}

TEST(SkinIniValues, ManyEmptyPartsStillFail)
{
    EXPECT_THROW(ParseSkinPoint(std::string(100000, ',')), EConvertError);
}

TEST(SkinIniValues, ConversionErrorNamesSectionAndKey)
{
    auto ini = IniWith(std::string("1,,2,3"));
    try {
        ReadSkinRect(*ini, S, "k");
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_NE(E.Message().find("[sec] k=1,,2,3"), std::string::npos) << E.Message();
    }
}

TEST(SkinIniValues, WordsAndNumbersTable)
{
    struct TCase {
        std::optional<std::string> Text;
        int StretchType, MorphKind, InActiveEffect, StdCommand, Alignment;
        bool Boolean;
        int FontStyleBits;
    };
    // Font style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
    const TCase cases[] = {
        {std::nullopt, bsstFull, mkDefault, ieBrightness, cmDefault, platform::taCenter, false, 0},
        {"", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"STFULL", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"stvert", bsstVert, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"sthorz", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"mkPush", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"mkpush", bsstHorz, mkPush, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"iedarkness", bsstHorz, mkDefault, ieDarkness, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"CMCLOSE", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"cmrollup", bsstHorz, mkDefault, ieGrayScale, cmRollUp, platform::taRightJustify, false, 0},
        {"taleftjustify", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taLeftJustify, false, 0},
        {"tacenter", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taCenter, false, 0},
        {"1", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, true, 0},
        {"0x1", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, true, 0},
        {"2", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"true", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"fsbold,fsunderline", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 5},
        {"xfsitalicx", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 2},
        {"FsBold", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 0},
        {"fsstrikeoutfsbold", bsstHorz, mkDefault, ieGrayScale, cmMinimizeToTray, platform::taRightJustify, false, 9},
    };
    for (const TCase& c : cases) {
        auto ini = IniWith(c.Text);
        SCOPED_TRACE(c.Text.value_or("(absent)"));
        EXPECT_EQ(ReadSkinStretchType(*ini, S, "k"), c.StretchType);
        EXPECT_EQ(ReadSkinMorphKind(*ini, S, "k"), c.MorphKind);
        EXPECT_EQ(ReadSkinInActiveEffect(*ini, S, "k"), c.InActiveEffect);
        EXPECT_EQ(ReadSkinStdCommand(*ini, S, "k"), c.StdCommand);
        EXPECT_EQ(ReadSkinAlignment(*ini, S, "k"), c.Alignment);
        EXPECT_EQ(ReadSkinBoolean(*ini, S, "k"), c.Boolean);
        EXPECT_EQ(ReadSkinFontStyles(*ini, S, "k").Bits(), c.FontStyleBits);
    }
}

TEST(SkinIniValues, ColourInHexReadsAsInteger)
{
    auto ini = IniWith(std::string("$FF"));
    EXPECT_EQ(ini->ReadInteger(S, "k", 0), 255);
}

TEST(SkinIniValues, WritersTable)
{
    TMemIniFile ini("");
    WriteSkinRect(ini, S, "rect", TRect{-1, 2, 3, 4});
    WriteSkinPoint(ini, S, "point", TPoint{5, -6});
    WriteSkinBoolean(ini, S, "yes", true);
    WriteSkinBoolean(ini, S, "no", false);
    WriteSkinFontStyles(ini, S, "styles", TFontStyles{platform::fsStrikeOut, platform::fsBold, platform::fsItalic});
    WriteSkinFontStyles(ini, S, "nostyle", TFontStyles{});
    WriteSkinAlignment(ini, S, "left", platform::taLeftJustify);
    WriteSkinAlignment(ini, S, "right", platform::taRightJustify);
    WriteSkinAlignment(ini, S, "center", platform::taCenter);
    WriteSkinStretchType(ini, S, "horz", bsstHorz);
    WriteSkinStretchType(ini, S, "badstretch", TbsStretchType(9));
    WriteSkinMorphKind(ini, S, "morph", mkRightSlide);
    WriteSkinInActiveEffect(ini, S, "effect", ieSplitBlur);
    WriteSkinStdCommand(ini, S, "command", cmSysMenu);
    WriteSkinStdCommand(ini, S, "badcommand", TbsStdCommand(42));
    EXPECT_EQ(ini.Text(), "[sec]\r\nrect=-1,2,3,4\r\npoint=5,-6\r\nyes=1\r\nno=0\r\n"
                          "styles=fsbold,fsitalic,fsstrikeout\r\nnostyle=\r\nleft=taleftjustify\r\n"
                          "right=tarightjustify\r\ncenter=tacenter\r\nhorz=sthorz\r\nbadstretch=\r\n"
                          "morph=mkrightslide\r\neffect=iesplitblur\r\ncommand=cmsysmenu\r\n"
                          "badcommand=cmminimizetotray\r\n\r\n");
    EXPECT_EQ(ReadSkinRect(ini, S, "rect"), (TRect{1, 2, 3, 4})) << "signs are lost on reading";
}

TEST(SkinIniValues, StringListsTable)
{
    TMemIniFile ini("");
    ini.WriteString("P", "activepicturescount", "2");
    ini.WriteString("P", "0", "a.bmp");
    TStringList list{"kept"};
    ReadSkinStrings(ini, "P", "activepictures", list);
    EXPECT_EQ(list.CommaText(), "kept,a.bmp,\"\"");

    TMemIniFile out("");
    WriteSkinStrings(out, "P", "activepictures", TStringList{"x.bmp", "y.bmp"});
    EXPECT_EQ(out.Text(), "[P]\r\nactivepicturescount=2\r\n0=x.bmp\r\n1=y.bmp\r\n\r\n");

    for (const char* count : {"-3", "junk", "2147483647"}) {
        TMemIniFile bad("");
        bad.WriteString("P", "activepicturescount", count);
        TStringList items;
        ReadSkinStrings(bad, "P", "activepictures", items);
        EXPECT_LE(items.Count(), 65536) << count;
    }
}
