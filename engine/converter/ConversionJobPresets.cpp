#include "engine/converter/ConversionJobPresets.h"

#include <map>

#include "platform/core/SysUtils.h"

namespace engine {

const char* const TargetFrameRates[4] = {"25", "30000/1001", "24000/1001", ""};

namespace {

// The four presets that do not follow the common layout.
const TOptionsPreset ShortPresets[] = {
    {"libx264-baseline", "coder=0\nbf=0\nflags2=-wpred-dct8x8\nwpredp=0\n"},
    {"libx264-ipod320",
     "coder=0\nbf=0\nflags2=-wpred-dct8x8\nlevel=13\nmaxrate=768000\nbufsize=3000000\nwpredp=0\n"},
    {"libx264-ipod640",
     "coder=0\nbf=0\nrefs=1\nflags2=-wpred-dct8x8\nlevel=30\nmaxrate=10000000\nbufsize=10000000\nwpredp=0\n"},
    {"libx264-main", "flags2=-dct8x8\n"},
};

// The columns in which the other 32 presets differ; an empty cell leaves
// its line out. SameAs names the row whose text a row shares.
struct TLayoutRow {
    const char* Name;
    const char* SameAs;
    const char *Coder = nullptr, *Flags = nullptr, *Partitions = nullptr, *MeMethod = nullptr, *Subq = nullptr,
               *MeRange = nullptr, *ScThreshold = nullptr, *BStrategy = nullptr, *Bf = nullptr, *Refs = nullptr,
               *DirectPred = nullptr, *Trellis = nullptr, *Flags2 = nullptr, *Wpredp = nullptr, *Cqp = nullptr;
};

const char* const P4 = "+parti8x8+parti4x4+partp8x8+partb8x8";
const char* const PNone = "-parti8x8-parti4x4-partp8x8-partb8x8";
const char* const PAll = "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8";
const char* const PLossless = "+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8";
const char* const FirstPassFlags2 = "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip";
const char* const FastFirstPassFlags2 = "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree";

// clang-format off
const TLayoutRow LayoutRows[] = {
//  name                          same as                 coder flags   partitions  me     subq  range sc    bstr  bf    refs  dir  trel flags2                                              wpredp cqp
{"libx264-default",              nullptr,                 "1", "+loop", P4,         "hex", "7",  "16", "40", "1", "3",  "3",  "1", "1", "+mixed_refs+wpred+dct8x8+fastpskip",             "2", ""},
{"libx264-fast",                 nullptr,                 "1", "+loop", P4,         "hex", "6",  "16", "40", "1", "3",  "2",  "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip",   "2", ""},
{"libx264-fast_firstpass",       nullptr,                 "1", "+loop", PNone,      "dia", "2",  "16", "40", "1", "3",  "1",  "1", "0", FirstPassFlags2,                                  "2", ""},
{"libx264-faster",               nullptr,                 "1", "+loop", P4,         "hex", "4",  "16", "40", "1", "3",  "2",  "1", "1", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip",   "1", ""},
{"libx264-faster_firstpass",     nullptr,                 "1", "+loop", PNone,      "dia", "2",  "16", "40", "1", "3",  "1",  "1", "0", FirstPassFlags2,                                  "1", ""},
{"libx264-fastfirstpass",        nullptr,                 "1", "+loop", "-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "3", "0", "-bpyramid-wpred-mixed_refs-dct8x8+fastpskip", "2", ""},
{"libx264-hq",                   nullptr,                 "1", "+loop", P4,         "umh", "8",  "16", "40", "2", "3",  "4",  "3", "1", "+wpred+mixed_refs+dct8x8+fastpskip",             "2", ""},
{"libx264-lossless_fast",        nullptr,                 "0", "+loop", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", "hex", "3", "16", "40", "1", "", "", "1", "", "+fastpskip", "0", "0"},
{"libx264-lossless_max",         nullptr,                 "1", "+loop", PLossless,  "esa", "8",  "16", "40", "1", "",   "16", "1", "",  "+mixed_refs+dct8x8+fastpskip",                   "2", "0"},
{"libx264-lossless_medium",      nullptr,                 "1", "+loop", "-parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "hex", "5", "16", "40", "1", "", "", "1", "", "+fastpskip", "2", "0"},
{"libx264-lossless_slow",        nullptr,                 "1", "+loop", PLossless,  "umh", "6",  "16", "40", "1", "",   "2",  "1", "",  "+dct8x8+fastpskip",                              "2", "0"},
{"libx264-lossless_slower",      nullptr,                 "1", "+loop", PLossless,  "umh", "8",  "16", "40", "1", "",   "4",  "1", "",  "+mixed_refs+dct8x8+fastpskip",                   "2", "0"},
{"libx264-lossless_ultrafast",   nullptr,                 "0", "+loop", "-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "dia", "0", "16", "40", "1", "", "", "1", "", "+fastpskip", "", "0"},
{"libx264-max",                  nullptr,                 "1", "+loop", PAll,       "tesa","10", "24", "40", "2", "3",  "16", "3", "2", "+wpred+mixed_refs+dct8x8-fastpskip",             "2", ""},
{"libx264-medium",               nullptr,                 "1", "+loop", P4,         "hex", "7",  "16", "40", "1", "3",  "3",  "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip",   "2", ""},
{"libx264-medium_firstpass",     "libx264-fast_firstpass"},
{"libx264-normal",               nullptr,                 "1", "+loop", P4,         "hex", "6",  "16", "40", "1", "3",  "2",  "3", "0", "+wpred+dct8x8+fastpskip",                        "2", ""},
{"libx264-placebo",              nullptr,                 "1", "+loop", PAll,       "tesa","10", "24", "40", "2", "16", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8-fastpskip",   "2", ""},
{"libx264-placebo_firstpass",    "libx264-placebo"},
{"libx264-slow",                 nullptr,                 "1", "+loop", P4,         "umh", "8",  "16", "40", "2", "3",  "5",  "3", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip",   "2", ""},
{"libx264-slow_firstpass",       nullptr,                 "1", "+loop", PNone,      "dia", "2",  "16", "40", "2", "3",  "1",  "3", "0", FirstPassFlags2,                                  "2", ""},
{"libx264-slower",               nullptr,                 "1", "+loop", PAll,       "umh", "9",  "16", "40", "2", "3",  "8",  "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip",   "2", ""},
{"libx264-slower_firstpass",     "libx264-slow_firstpass"},
{"libx264-slowfirstpass",        nullptr,                 "1", "+loop", P4,         "hex", "6",  "16", "40", "2", "3",  "1",  "3", "0", "+wpred+dct8x8+fastpskip",                        "2", ""},
{"libx264-superfast",            nullptr,                 "1", "+loop", "+parti8x8+parti4x4-partp8x8-partb8x8", "dia", "1", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0", ""},
{"libx264-superfast_firstpass",  nullptr,                 "1", "+loop", PNone,      "dia", "1",  "16", "40", "1", "3",  "1",  "1", "0", FastFirstPassFlags2,                              "0", ""},
{"libx264-ultrafast",            nullptr,                 "0", "-loop", PNone,      "dia", "0",  "16", "0",  "0", "0",  "1",  "1", "0", "-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "0", ""},
{"libx264-ultrafast_firstpass",  "libx264-ultrafast"},
{"libx264-veryfast",             nullptr,                 "1", "+loop", P4,         "hex", "2",  "16", "40", "1", "3",  "1",  "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0", ""},
{"libx264-veryfast_firstpass",   nullptr,                 "1", "+loop", PNone,      "dia", "2",  "16", "40", "1", "3",  "1",  "1", "0", FastFirstPassFlags2,                              "0", ""},
{"libx264-veryslow",             nullptr,                 "1", "+loop", PAll,       "umh", "10", "24", "40", "2", "8",  "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip",   "2", ""},
{"libx264-veryslow_firstpass",   nullptr,                 "1", "+loop", PNone,      "dia", "2",  "24", "40", "2", "8",  "1",  "3", "0", FirstPassFlags2,                                  "2", ""},
};
// clang-format on

// Row order of the whole table: the short presets sit at rows 1, 9, 10 and
// 17, the layout rows fill the rest in their order.
const char* const RowOrder[] = {
    "libx264-baseline", "libx264-default", "libx264-fast", "libx264-fast_firstpass", "libx264-faster",
    "libx264-faster_firstpass", "libx264-fastfirstpass", "libx264-hq", "libx264-ipod320",
    "libx264-ipod640", "libx264-lossless_fast", "libx264-lossless_max", "libx264-lossless_medium",
    "libx264-lossless_slow", "libx264-lossless_slower", "libx264-lossless_ultrafast", "libx264-main",
    "libx264-max", "libx264-medium", "libx264-medium_firstpass", "libx264-normal", "libx264-placebo",
    "libx264-placebo_firstpass", "libx264-slow", "libx264-slow_firstpass", "libx264-slower",
    "libx264-slower_firstpass", "libx264-slowfirstpass", "libx264-superfast",
    "libx264-superfast_firstpass", "libx264-ultrafast", "libx264-ultrafast_firstpass",
    "libx264-veryfast", "libx264-veryfast_firstpass", "libx264-veryslow", "libx264-veryslow_firstpass",
};

std::string LayoutText(const TLayoutRow& R)
{
    const std::pair<const char*, const char*> Lines[] = {
        {"coder", R.Coder},        {"flags", R.Flags},          {"cmp", "+chroma"},
        {"partitions", R.Partitions}, {"me_method", R.MeMethod}, {"subq", R.Subq},
        {"me_range", R.MeRange},   {"g", "250"},                {"keyint_min", "25"},
        {"sc_threshold", R.ScThreshold}, {"i_qfactor", "0.71"}, {"b_strategy", R.BStrategy},
        {"qcomp", "0.6"},          {"qmin", "10"},              {"qmax", "51"},
        {"qdiff", "4"},            {"bf", R.Bf},                {"refs", R.Refs},
        {"directpred", R.DirectPred}, {"trellis", R.Trellis},   {"flags2", R.Flags2},
        {"cqp", R.Cqp},            {"wpredp", R.Wpredp},
    };
    std::string Text;
    for (const auto& [Key, Value] : Lines)
        if (Value && *Value)
            Text += std::string(Key) + "=" + Value + "\n";
    return Text;
}

std::vector<TOptionsPreset> BuildPresets()
{
    std::map<std::string, std::string> Texts;
    for (const TOptionsPreset& P : ShortPresets)
        Texts[P.Name] = P.Value;
    for (const TLayoutRow& R : LayoutRows)
        if (!R.SameAs)
            Texts[R.Name] = LayoutText(R);
    for (const TLayoutRow& R : LayoutRows)
        if (R.SameAs)
            Texts[R.Name] = Texts.at(R.SameAs);
    std::vector<TOptionsPreset> Result;
    for (const char* Name : RowOrder)
        Result.push_back({Name, Texts.at(Name)});
    return Result;
}

// "+parti8x8-partp4x4..." as the encoder's own list "i8x8,...".
std::string PartitionList(const std::string& AFlags)
{
    std::string List;
    size_t I = 0;
    while (I < AFlags.size()) {
        const char Sign = AFlags[I];
        size_t J = AFlags.find_first_of("+-", I + 1);
        if (J == std::string::npos)
            J = AFlags.size();
        std::string Name = AFlags.substr(I + 1, J - I - 1);
        if (Sign == '+' && Name.rfind("part", 0) == 0)
            List += (List.empty() ? "" : ",") + Name.substr(4);
        I = J;
    }
    return List.empty() ? "none" : List;
}

// Old "flags2" bits that became private options of the H.264 encoder.
struct TFlag2Option {
    const char* Flag;
    const char* Key;
    const char* On;
    const char* Off;
};
const TFlag2Option Flag2Options[] = {
    {"mixed_refs", "mixed-refs", "1", "0"}, {"wpred", "weightb", "1", "0"},
    {"dct8x8", "8x8dct", "1", "0"},         {"fastpskip", "fast-pskip", "1", "0"},
    {"bpyramid", "b-pyramid", "normal", "none"}, {"mbtree", "mbtree", "1", "0"},
};

TOptionPairs TranslateFlags2(const std::string& AValue)
{
    TOptionPairs Result;
    std::string Rest; // bits that kept their generic meaning
    size_t I = 0;
    while (I < AValue.size()) {
        char Sign = AValue[I];
        size_t Start = I + 1;
        if (Sign != '+' && Sign != '-') {
            Sign = '+';
            Start = I;
        }
        size_t J = AValue.find_first_of("+-", Start);
        if (J == std::string::npos)
            J = AValue.size();
        const std::string Name = AValue.substr(Start, J - Start);
        const TFlag2Option* Found = nullptr;
        for (const TFlag2Option& F : Flag2Options)
            if (Name == F.Flag)
                Found = &F;
        if (Found)
            Result.emplace_back(Found->Key, Sign == '+' ? Found->On : Found->Off);
        else if (!Name.empty())
            Rest += Sign + Name;
        I = J;
    }
    if (!Rest.empty())
        Result.emplace_back("flags2", Rest);
    return Result;
}

} // namespace

const std::vector<TOptionsPreset>& BuiltinPresets()
{
    static const std::vector<TOptionsPreset> Presets = BuildPresets();
    return Presets;
}

std::string FindBuiltinPreset(const std::string& AName)
{
    for (const TOptionsPreset& P : BuiltinPresets())
        if (platform::SameText(P.Name, AName))
            return P.Value;
    return std::string();
}

TOptionPairs TranslatePresetOption(const std::string& AKey, const std::string& AValue)
{
    if (AKey == "directpred")
        return {{"direct-pred", AValue}};
    if (AKey == "cqp")
        return {{"qp", AValue}};
    if (AKey == "partitions")
        return {{"partitions", PartitionList(AValue)}};
    if (AKey == "flags2")
        return TranslateFlags2(AValue);
    return {{AKey, AValue}};
}

namespace {

// clang-format off
const std::vector<TTargetStep> VcdSteps = {
    {tsVideoCodec, nullptr, "mpeg1video", nullptr},
    {tsAudioCodec, nullptr, "mp2", nullptr},
    {tsFormat, nullptr, "vcd", nullptr},
    {tsFrameSize, nullptr, "352x288", "352x240"},
    {tsFrameRate, nullptr, nullptr, nullptr},
    {tsLibrary, "g", "15", "18"},
    {tsLibrary, "b", "1150000", nullptr},
    {tsLibrary, "maxrate", "1150000", nullptr},
    {tsLibrary, "minrate", "1150000", nullptr},
    {tsLibrary, "bufsize", "327680", nullptr},
    {tsLibrary, "ab", "224000", nullptr},
    {tsSampleRate, nullptr, "44100", nullptr},
    {tsChannels, nullptr, "2", nullptr},
    {tsLibrary, "packetsize", "2324", nullptr},
    {tsLibrary, "muxrate", "1411200", nullptr},
    {tsMuxPreload, nullptr, "0.44", nullptr},
    {tsAspect, nullptr, "4:3", nullptr},
};

const std::vector<TTargetStep> SvcdSteps = {
    {tsVideoCodec, nullptr, "mpeg2video", nullptr},
    {tsAudioCodec, nullptr, "mp2", nullptr},
    {tsFormat, nullptr, "svcd", nullptr},
    {tsFrameSize, nullptr, "480x576", "480x480"},
    {tsFrameRate, nullptr, nullptr, nullptr},
    {tsLibrary, "g", "15", "18"},
    {tsLibrary, "b", "2040000", nullptr},
    {tsLibrary, "maxrate", "2516000", nullptr},
    {tsLibrary, "minrate", "0", nullptr},
    {tsLibrary, "bufsize", "1835008", nullptr},
    // Once a generic "flags" bit; now the MPEG-2 encoder's own option.
    {tsLibrary, "scan_offset", "1", nullptr},
    {tsLibrary, "ab", "224000", nullptr},
    {tsSampleRate, nullptr, "44100", nullptr},
    {tsLibrary, "packetsize", "2324", nullptr},
    {tsChannelsNoMono, nullptr, nullptr, nullptr},
    {tsAspect, nullptr, "4:3", nullptr},
};

const std::vector<TTargetStep> DvdSteps = {
    {tsVideoCodec, nullptr, "mpeg2video", nullptr},
    {tsAudioCodec, nullptr, "ac3", nullptr},
    {tsFormat, nullptr, "dvd", nullptr},
    {tsFrameSize, nullptr, "720x576", "720x480"},
    {tsFrameRate, nullptr, nullptr, nullptr},
    {tsLibrary, "g", "15", "18"},
    {tsLibrary, "b", "6000000", nullptr},
    {tsLibrary, "maxrate", "9000000", nullptr},
    {tsLibrary, "minrate", "0", nullptr},
    {tsLibrary, "bufsize", "1835008", nullptr},
    {tsLibrary, "packetsize", "2048", nullptr},
    {tsLibrary, "muxrate", "10080000", nullptr},
    {tsLibrary, "ab", "448000", nullptr},
    {tsSampleRate, nullptr, "48000", nullptr},
    {tsChannelsNoMono, nullptr, nullptr, nullptr},
    {tsAspect, nullptr, "16:9", nullptr},
};

const std::vector<TTargetStep> DvSteps = {
    {tsFormat, nullptr, "dv", nullptr},
    {tsFrameSize, nullptr, "720x576", "720x480"},
    {tsPixelFormat, nullptr, "yuv420p", "yuv411p"},
    {tsFrameRate, nullptr, nullptr, nullptr},
    {tsSampleRate, nullptr, "48000", nullptr},
    {tsChannels, nullptr, "2", nullptr},
};

const std::vector<TTargetStep> Dv50Steps = {
    {tsFormat, nullptr, "dv", nullptr},
    {tsFrameSize, nullptr, "720x576", "720x480"},
    {tsPixelFormat, nullptr, "yuv422p", nullptr},
    {tsFrameRate, nullptr, nullptr, nullptr},
    {tsSampleRate, nullptr, "48000", nullptr},
    {tsChannels, nullptr, "2", nullptr},
};
// clang-format on

} // namespace

const std::vector<TTargetStep>* FindTargetSteps(const std::string& AType)
{
    static const std::map<std::string, const std::vector<TTargetStep>*> Targets = {
        {"vcd", &VcdSteps}, {"svcd", &SvcdSteps}, {"dvd", &DvdSteps}, {"dv", &DvSteps}, {"dv50", &Dv50Steps}};
    auto It = Targets.find(AType);
    return It == Targets.end() ? nullptr : It->second;
}

} // namespace engine
