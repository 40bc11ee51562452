#include "ProfileExpectations.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/converter/ConversionJobPresets.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "platform/core/SysUtils.h"
#include "profiles/PresetLists.h"
#include "profiles/PresetTexts.h"
#include "profiles/ProfileDefaults.h"

namespace profilesweep {

namespace {

// Encoders the catalogue names whose streams ffprobe names otherwise.
struct TEncoderName {
    const char* Encoder;
    const char* Probe;
};
const TEncoderName EncoderNames[] = {
    {"libx264", "h264"},
    {"libxvid", "mpeg4"},
    {"libmp3lame", "mp3"},
    {"libfaac", "aac"}, // the converter stands the native AAC encoder in
    {"libvorbis", "vorbis"},
    {"msmpeg4", "msmpeg4v3"},
    {"libopencore_amrnb", "amr_nb"}, // the converter's own AMR-NB encoder
};

// Output extensions and the format ffprobe finds in such a file.
struct TFormatName {
    const char* Ext;
    const char* Probe;
};
constexpr const char* IsoMedia = "mov,mp4,m4a,3gp,3g2,mj2";
const TFormatName FormatNames[] = {
    {".avi", "avi"},   {".mp4", IsoMedia},        {".mov", IsoMedia}, {".3gp", IsoMedia}, {".3g2", IsoMedia},
    {".m4a", IsoMedia}, {".mkv", "matroska,webm"}, {".mpg", "mpeg"},   {".mpeg", "mpeg"},  {".asf", "asf"},
    {".wmv", "asf"},   {".wma", "asf"},           {".rm", "rm"},      {".ra", "rm"},      {".mp3", "mp3"},
    {".mp2", "mp3"},   {".wav", "wav"},           {".aac", "aac"},    {".ogg", "ogg"},    {".ac3", "ac3"},
    {".aiff", "aiff"}, {".flac", "flac"},         {".amr", "amr"},    {".swf", "swf"},    {".flv", "flv"},
};

const TEncoderName* FindEncoder(const std::string& AEncoder)
{
    const auto found = std::find_if(std::begin(EncoderNames), std::end(EncoderNames),
                                    [&](const TEncoderName& E) { return AEncoder == E.Encoder; });
    return found == std::end(EncoderNames) ? nullptr : found;
}

// "640*480" and "720x576" give 640 and 480; anything else leaves the size.
void ReadSize(const std::string& AText, int& AWidth, int& AHeight)
{
    const size_t split = AText.find_first_of("*x");
    if (split == std::string::npos)
        return;
    AWidth = platform::StrToInt(AText.substr(0, split));
    AHeight = platform::StrToInt(AText.substr(split + 1));
}

// What the profile's disc target sets.
class TTarget {
public:
    TTarget(const std::string& AType, const std::string& ANorm)
        : FSteps(AType.empty() ? nullptr : engine::FindTargetSteps(AType)), FPal(ANorm != "NTSC")
    {
    }

    bool Has(engine::TTargetStepKind AKind) const { return Find(AKind) != nullptr; }

    std::string Value(engine::TTargetStepKind AKind) const
    {
        const engine::TTargetStep* step = Find(AKind);
        if (!step)
            return "";
        if (AKind == engine::tsFrameRate)
            return engine::TargetFrameRates[FPal ? engine::tnPAL : engine::tnNTSC];
        const char* value = FPal || !step->Other ? step->Pal : step->Other;
        return value ? value : "";
    }

private:
    const engine::TTargetStep* Find(engine::TTargetStepKind AKind) const
    {
        if (!FSteps)
            return nullptr;
        const auto found = std::find_if(FSteps->begin(), FSteps->end(),
                                        [AKind](const engine::TTargetStep& S) { return S.Kind == AKind; });
        return found == FSteps->end() ? nullptr : &*found;
    }

    const std::vector<engine::TTargetStep>* FSteps;
    bool FPal;
};

// The codec the format library writes into such a file when none is named.
std::string ContainerDefaultCodec(const std::string& AOutputFile, AVMediaType AType)
{
    const AVOutputFormat* format = ff::av_guess_format(nullptr, AOutputFile.c_str(), nullptr);
    if (!format)
        return "";
    const AVCodecID id = AType == AVMEDIA_TYPE_VIDEO ? format->video_codec : format->audio_codec;
    return id == AV_CODEC_ID_NONE ? std::string() : ff::avcodec_get_name(id);
}

std::string ExpectedCodec(const char* ARowCodec, const std::string& ATargetCodec, const std::string& AOutputFile,
                          AVMediaType AType)
{
    if (*ARowCodec)
        return ProbeCodecName(ARowCodec);
    if (!ATargetCodec.empty())
        return ProbeCodecName(ATargetCodec);
    return ContainerDefaultCodec(AOutputFile, AType);
}

void ExpectVideo(const profiles::TProfileDefaults& ARow, const std::array<std::string, profiles::PresetCount>& ATexts,
                 const TTarget& ATarget, const std::string& AOutputFile, const TSourceMedia& ASource,
                 TExpectedOutput& AExpected)
{
    using profiles::TPreset;
    AExpected.VideoCodec =
        ExpectedCodec(ARow.VideoCodec, ATarget.Value(engine::tsVideoCodec), AOutputFile, AVMEDIA_TYPE_VIDEO);
    AExpected.VideoTag = ARow.VideoTag;
    AExpected.Width = ASource.Width;
    AExpected.Height = ASource.Height;
    ReadSize(ATarget.Value(engine::tsFrameSize), AExpected.Width, AExpected.Height);
    ReadSize(profiles::FrameSizeOfText(ATexts[profiles::PresetIndex(TPreset::Resolution)]), AExpected.Width,
             AExpected.Height);
    const std::string rate = profiles::FrameRateOfText(ATexts[profiles::PresetIndex(TPreset::FrameRate)]);
    const std::string targetRate = ATarget.Value(engine::tsFrameRate);
    AExpected.FrameRate = !rate.empty() ? RatioValue(rate) : !targetRate.empty() ? RatioValue(targetRate) : ASource.FrameRate;
    const std::optional<std::string> aspect =
        profiles::AspectOfText(ATexts[profiles::PresetIndex(TPreset::VideoMode)]);
    const std::string aspectText = aspect ? *aspect : std::string(ARow.FrameAspectRatio);
    if (!aspectText.empty())
        AExpected.DisplayAspect = RatioValue(aspectText);
}

void ExpectAudio(const profiles::TProfileDefaults& ARow, const std::array<std::string, profiles::PresetCount>& ATexts,
                 const TTarget& ATarget, const std::string& AOutputFile, const TSourceMedia& ASource,
                 TExpectedOutput& AExpected)
{
    AExpected.AudioCodec =
        ExpectedCodec(ARow.AudioCodec, ATarget.Value(engine::tsAudioCodec), AOutputFile, AVMEDIA_TYPE_AUDIO);
    const std::string rate =
        profiles::SampleRateOfText(ATexts[profiles::PresetIndex(profiles::TPreset::SampleRate)]);
    const std::string targetRate = ATarget.Value(engine::tsSampleRate);
    AExpected.SampleRate = !rate.empty() ? platform::StrToInt(rate)
                           : !targetRate.empty() ? platform::StrToInt(targetRate)
                                                 : ASource.SampleRate;
    // A target that only refuses mono makes a mono source stereo.
    AExpected.Channels = *ARow.AudioChannels                    ? platform::StrToInt(ARow.AudioChannels)
                         : ATarget.Has(engine::tsChannels)       ? platform::StrToInt(ATarget.Value(engine::tsChannels))
                         : ATarget.Has(engine::tsChannelsNoMono) ? std::max(ASource.Channels, 2)
                                                                 : ASource.Channels;
}

} // namespace

double RatioValue(const std::string& AText)
{
    const size_t split = AText.find_first_of("/:");
    if (split == std::string::npos)
        return platform::StrToFloat(AText);
    return platform::StrToFloat(AText.substr(0, split)) / platform::StrToFloat(AText.substr(split + 1));
}

std::string ProbeCodecName(const std::string& AEncoder)
{
    const TEncoderName* name = FindEncoder(AEncoder);
    return name ? name->Probe : AEncoder;
}

std::string ProbeFormatName(const std::string& AExt)
{
    const auto found = std::find_if(std::begin(FormatNames), std::end(FormatNames),
                                    [&](const TFormatName& F) { return platform::SameText(AExt, F.Ext); });
    return found == std::end(FormatNames) ? std::string() : found->Probe;
}

TExpectedOutput ExpectedOutput(int AKey, const std::string& AOutputFile, const TSourceMedia& ASource)
{
    TExpectedOutput expected;
    const profiles::TProfileDefaults* row = profiles::FindProfileDefaults(AKey);
    const std::optional<profiles::TPresetChoices> choices = profiles::FindPresetChoices(AKey);
    if (!row || !choices) {
        expected.Failure = "is not in the catalogue";
        expected.FailureReason = "the profile has no defaults or no preset lists";
        return expected;
    }
    const std::array<std::string, profiles::PresetCount> texts = choices->DefaultTexts();
    const TTarget target(row->TargetType, row->NormType);
    expected.Format = ProbeFormatName(platform::ExtractFileExt(AOutputFile));
    if (!row->DisableVideo && ASource.Width > 0)
        ExpectVideo(*row, texts, target, AOutputFile, ASource, expected);
    ExpectAudio(*row, texts, target, AOutputFile, ASource, expected);
    return expected;
}

} // namespace profilesweep
