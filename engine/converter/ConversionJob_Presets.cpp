// Disc and DV targets, built-in encoder presets and preset files applied to
// the conversion job.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobPresets.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {

namespace {

TTargetNorm NormOfRate(int64_t ARate)
{
    if (ARate == 25000)
        return tnPAL;
    if (ARate == 29970 || ARate == 23976)
        return tnNTSC;
    return tnUnknown;
}

} // namespace

TTargetNorm TCustomFFmpeg::GuessTargetNorm(const std::string& ADefaultNorm)
{
    if (FVideoOut.Fframe_rate.den == 0)
        throw FFmpegException("frame_rate is invalid.");
    TTargetNorm Norm = NormOfRate(std::llround(double(FVideoOut.Fframe_rate.num) * 1000.0 / FVideoOut.Fframe_rate.den));
    for (int I = 0; Norm == tnUnknown && I < FFiles.Fnb_input_files; ++I) {
        AVFormatContext* Ic = FFiles.Finput_files[I];
        for (unsigned S = 0; Norm == tnUnknown && S < Ic->nb_streams; ++S) {
            AVStream* St = Ic->streams[S];
            if (St->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
                continue;
            // The decoder's frame rate: the stream's average rate, else its real one.
            AVRational Rate = St->avg_frame_rate.num ? St->avg_frame_rate : St->r_frame_rate;
            if (Rate.num > 0 && Rate.den > 0)
                Norm = NormOfRate(std::llround(double(Rate.num) * 1000.0 / Rate.den));
        }
    }
    if (Norm == tnUnknown)
        Norm = ADefaultNorm == "film" ? tnFILM : ADefaultNorm == "ntsc" ? tnNTSC : tnPAL;
    if (FMuxing.Fverbose > 0)
        JobLog(this, llVerbose, platform::Format("Assuming %s for target.", Norm == tnPAL ? "PAL" : "NTSC"));
    return Norm;
}

void TCustomFFmpeg::ApplyTarget(const std::string& AType, const std::string& ANorm, const std::string& ADefaultNorm)
{
    TTargetNorm Norm;
    if (ANorm == "pal")
        Norm = tnPAL;
    else if (ANorm == "ntsc")
        Norm = tnNTSC;
    else if (ANorm == "film")
        Norm = tnFILM;
    else
        Norm = GuessTargetNorm(ADefaultNorm);
    const std::vector<TTargetStep>* Steps = FindTargetSteps(AType);
    if (!Steps)
        throw FFmpegException("Unknown target type");
    for (const TTargetStep& S : *Steps) {
        const std::string Value = Norm == tnPAL || !S.Other ? (S.Pal ? S.Pal : "") : S.Other;
        switch (S.Kind) {
        case tsVideoCodec: SetVideoCodec(Value); break;
        case tsAudioCodec: SetAudioCodec(Value); break;
        case tsFormat: SetFormat(Value); break;
        case tsFrameSize: SetFrameSize(Value); break;
        case tsPixelFormat: SetPixelFormat(Value); break;
        case tsFrameRate: SetFrameRate(TargetFrameRates[Norm]); break;
        case tsLibrary: SetLibraryOption(S.Key, Value); break;
        case tsSampleRate: FAudioOut.Faudio_sample_rate = platform::StrToInt(Value); break;
        case tsChannels: FAudioOut.Faudio_channels = platform::StrToInt(Value); break;
        case tsChannelsNoMono:
            if (FAudioOut.Faudio_channels == 1)
                FAudioOut.Faudio_channels = 2;
            break;
        case tsMuxPreload: FMuxing.Fmux_preload = float(platform::StrToFloat(Value)); break;
        case tsAspect:
            if (FVideoOut.Fframe_aspect_ratio == 0) {
                JobLog(this, llInfo, "Assuming " + Value + " for aspect ratio");
                SetAspectRatio(Value);
            }
            break;
        }
    }
}

void TCustomFFmpeg::SetTargetOption(const std::string& AValue)
{
    const std::string Value = platform::Trim(AValue);
    std::string Norm = "auto";
    std::string Type = Value;
    for (const char* Prefix : {"pal-", "ntsc-", "film-"}) {
        const std::string P = Prefix;
        if (Value.compare(0, P.size(), P) == 0) {
            Norm = P.substr(0, P.size() - 1);
            Type = Value.substr(P.size());
            break;
        }
    }
    ApplyTarget(Type, Norm, "ntsc");
}

namespace {

// Preset files are a few lines of text. Only a regular file of a sensible
// size is read: a device or a pipe named as a preset would never end.
constexpr std::uintmax_t MaxPresetFileSize = 1 << 20;

std::string ReadPresetFile(const std::string& AFileName)
{
    std::error_code Error;
    const auto Status = std::filesystem::status(AFileName, Error);
    if (Error || !std::filesystem::is_regular_file(Status))
        throw FFmpegException(platform::Format("Preset \"%s\" is not a regular file", AFileName));
    if (std::filesystem::file_size(AFileName, Error) > MaxPresetFileSize || Error)
        throw FFmpegException(platform::Format("Preset \"%s\" is too large to be a preset file", AFileName));
    std::ifstream File(AFileName, std::ios::binary);
    std::string Text((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    if (File.bad())
        throw FFmpegException(platform::Format("Preset \"%s\" cannot be read", AFileName));
    return Text;
}

} // namespace

void TCustomFFmpeg::ApplyPreset(const std::string& AName, const std::string& AValue)
{
    if (AName.empty() || AValue.empty())
        return;
    std::string PresetName = AValue;
    std::string Text;
    if (AName[0] != 'f') {
        Text = FindBuiltinPreset(AValue);
        if (Text.empty()) {
            std::string Codec;
            if (AName[0] == 'v' && !FVideoOut.Fvideo_codec_name.empty())
                Codec = FVideoOut.Fvideo_codec_name;
            else if (AName[0] == 'a' && !FAudioOut.Faudio_codec_name.empty())
                Codec = FAudioOut.Faudio_codec_name;
            else if (!FSubtitleOut.Fsubtitle_codec_name.empty())
                Codec = FSubtitleOut.Fsubtitle_codec_name;
            if (!Codec.empty()) {
                PresetName = Codec + "-" + AValue;
                Text = FindBuiltinPreset(PresetName);
            }
        }
    }
    if (Text.empty()) {
        if (!platform::FileExists(AValue))
            throw FFmpegException(platform::Format("Preset \"%s\" not found", AValue));
        Text = ReadPresetFile(AValue);
    }
    ApplyPresetText(PresetName, Text);
}

void TCustomFFmpeg::ApplyPresetText(const std::string& APresetName, const std::string& AText)
{
    std::string Text = platform::Trim(AText);
    size_t Start = 0;
    while (Start <= Text.size()) {
        size_t End = Text.find_first_of("\r\n", Start);
        if (End == std::string::npos)
            End = Text.size();
        const std::string Line = platform::Trim(Text.substr(Start, End - Start));
        Start = End + 1;
        if (Line.empty())
            continue;
        const size_t Eq = Line.find('=');
        const std::string Key = Eq == std::string::npos ? "" : Line.substr(0, Eq);
        const std::string Value = Eq == std::string::npos ? "" : Line.substr(Eq + 1);
        if (Key.empty() || Value.empty())
            throw FFmpegException(platform::Format("%s: Invalid syntax: \"%s\"", APresetName, Line));
        if (platform::SameText(Key, "acodec"))
            SetAudioCodec(Value);
        else if (platform::SameText(Key, "vcodec"))
            SetVideoCodec(Value);
        else if (platform::SameText(Key, "scodec"))
            SetSubtitleCodec(Value);
        else
            for (const auto& [K, V] : TranslatePresetOption(Key, Value))
                if (!SetLibraryOption(ToAnsi(K), ToAnsi(V)))
                    throw FFmpegException(platform::Format(
                        "%s: Invalid option or argument: \"%s\", parsed as \"%s\" = \"%s\"", APresetName, Line,
                        Key, Value));
    }
}

} // namespace engine
