#include "engine/converter/ConversionJobOptionLines.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(CodecDefaults, FirstLineStandsInForAnEmptyField)
{
    TOutputOptions O;
    InitOutputOptions(O);
    O.ExtOptions = "acodec=aac\nACODEC=mp2\nnewaudio=\nvfilters=hflip\nvcodec=";
    TCodecDefaults D;
    D.Collect(O);
    EXPECT_EQ(D.Default("acodec"), "aac");
    EXPECT_EQ(D.Default("vf"), "hflip");
    EXPECT_EQ(D.Default("vcodec"), "");
    EXPECT_EQ(D.Next("acodec"), "aac");
    EXPECT_EQ(D.Next("acodec"), "mp2");
    EXPECT_EQ(D.Next("acodec"), "aac"); // lines used up: the default again
    EXPECT_EQ(D.Next("vf"), "hflip");
}

TEST(CodecDefaults, RecordFieldsWin)
{
    TOutputOptions O;
    InitOutputOptions(O);
    O.AudioCodec = "libmp3lame";
    O.ExtOptions = "acodec=mp2";
    TCodecDefaults D;
    D.Collect(O);
    EXPECT_EQ(D.Default("acodec"), "libmp3lame");
    EXPECT_EQ(D.Next("acodec"), "mp2");
}
