#include "engine/converter/ConversionJobPresets.h"

#include <gtest/gtest.h>

#include <set>

using namespace engine;

TEST(BuiltinPresets, ThirtySixRowsInOrder)
{
    const auto& P = BuiltinPresets();
    ASSERT_EQ(P.size(), 36u);
    EXPECT_EQ(P[0].Name, "libx264-baseline");
    EXPECT_EQ(P[1].Name, "libx264-default");
    EXPECT_EQ(P[8].Name, "libx264-ipod320");
    EXPECT_EQ(P[16].Name, "libx264-main");
    EXPECT_EQ(P[35].Name, "libx264-veryslow_firstpass");
    std::set<std::string> Names;
    for (const auto& R : P)
        Names.insert(R.Name);
    EXPECT_EQ(Names.size(), 36u);
}

TEST(BuiltinPresets, TextsFollowTheLayout)
{
    EXPECT_EQ(FindBuiltinPreset("libx264-main"), "flags2=-dct8x8\n");
    EXPECT_EQ(FindBuiltinPreset("LIBX264-DEFAULT"),
              "coder=1\nflags=+loop\ncmp=+chroma\npartitions=+parti8x8+parti4x4+partp8x8+partb8x8\n"
              "me_method=hex\nsubq=7\nme_range=16\ng=250\nkeyint_min=25\nsc_threshold=40\ni_qfactor=0.71\n"
              "b_strategy=1\nqcomp=0.6\nqmin=10\nqmax=51\nqdiff=4\nbf=3\nrefs=3\ndirectpred=1\ntrellis=1\n"
              "flags2=+mixed_refs+wpred+dct8x8+fastpskip\nwpredp=2\n");
    // Lossless rows: no bf, no trellis, a cqp line before wpredp.
    const std::string Lossless = FindBuiltinPreset("libx264-lossless_ultrafast");
    EXPECT_EQ(Lossless.find("bf="), std::string::npos);
    EXPECT_EQ(Lossless.find("trellis="), std::string::npos);
    EXPECT_EQ(Lossless.find("wpredp="), std::string::npos);
    EXPECT_NE(Lossless.find("flags2=+fastpskip\ncqp=0\n"), std::string::npos);
    EXPECT_NE(FindBuiltinPreset("libx264-lossless_max").find("cqp=0\nwpredp=2\n"), std::string::npos);
    EXPECT_EQ(FindBuiltinPreset("libx264-medium_firstpass"), FindBuiltinPreset("libx264-fast_firstpass"));
    EXPECT_EQ(FindBuiltinPreset("libx264-ultrafast_firstpass"), FindBuiltinPreset("libx264-ultrafast"));
    EXPECT_EQ(FindBuiltinPreset("medium"), "");
}

TEST(TranslatePresetOption, OldKeysBecomeEncoderOptions)
{
    struct TCase {
        std::string Key, Value;
        TOptionPairs Expected;
    };
    const TCase Cases[] = {
        {"directpred", "3", {{"direct-pred", "3"}}},
        {"cqp", "0", {{"qp", "0"}}},
        {"partitions", "+parti8x8+parti4x4+partp8x8+partb8x8", {{"partitions", "i8x8,i4x4,p8x8,b8x8"}}},
        {"partitions", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", {{"partitions", "i4x4,p8x8"}}},
        {"partitions", "-parti8x8-parti4x4", {{"partitions", "none"}}},
        {"flags2", "-wpred-dct8x8", {{"weightb", "0"}, {"8x8dct", "0"}}},
        {"flags2", "+bpyramid-mixed_refs+fastpskip-mbtree",
         {{"b-pyramid", "normal"}, {"mixed-refs", "0"}, {"fast-pskip", "1"}, {"mbtree", "0"}}},
        {"flags2", "+local_header+dct8x8", {{"8x8dct", "1"}, {"flags2", "+local_header"}}},
        {"bf", "3", {{"bf", "3"}}},
        {"me_method", "umh", {{"me_method", "umh"}}},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(TranslatePresetOption(C.Key, C.Value), C.Expected) << C.Key << "=" << C.Value;
}

TEST(TargetSteps, KnownTypesOnly)
{
    ASSERT_NE(FindTargetSteps("vcd"), nullptr);
    ASSERT_NE(FindTargetSteps("dv50"), nullptr);
    EXPECT_EQ(FindTargetSteps("dv25"), nullptr);
    EXPECT_EQ(FindTargetSteps("DVD"), nullptr);
    const auto& Svcd = *FindTargetSteps("svcd");
    bool ScanOffset = false;
    for (const TTargetStep& S : Svcd)
        ScanOffset = ScanOffset || (S.Kind == tsLibrary && std::string(S.Key) == "scan_offset");
    EXPECT_TRUE(ScanOffset);
    EXPECT_STREQ(TargetFrameRates[tnNTSC], "30000/1001");
}
