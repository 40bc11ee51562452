// A task's option records turned into converter options: the option lines,
// the record fields, the target, and the extra streams of an output file.

#include "engine/base/LocalTime.h"
#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobOptionLines.h"
#include "engine/options/FFConverter_Options.h"
#include "platform/core/SysUtils.h"

#include <ctime>

namespace engine {

static_assert(NoOptionTime == AV_NOPTS_VALUE, "a record's unset time is the libraries' own");

void TCustomFFmpeg::ApplyExtOptions(const std::string& AOptionText, bool ACodecNamesAllowed)
{
    static const char* const Skipped[] = {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf"};
    static const char* const Codecs[] = {"acodec", "vcodec", "scodec", "s"};
    for (const TOptionLine& Line : ReadOptionLines(AOptionText)) {
        const std::string Name = platform::LowerCase(Line.first);
        if (std::find(std::begin(Skipped), std::end(Skipped), Name) != std::end(Skipped))
            continue;
        if (std::find(std::begin(Codecs), std::end(Codecs), Name) != std::end(Codecs)) {
            if (ACodecNamesAllowed)
                DispatchOption(Name, Line.second);
            continue;
        }
        DispatchOption(Line.first, Line.second);
    }
}

void TCustomFFmpeg::ApplyTargetOptions(const TOutputOptions& O)
{
    const std::string Norm = O.NormType == ntPAL ? "pal" : O.NormType == ntNTSC ? "ntsc" : "auto";
    const std::string Default = O.NormDefault == ntPAL ? "pal" : "ntsc";
    switch (O.TargetType) {
    case ttVCD: ApplyTarget("vcd", Norm, Default); break;
    case ttSVCD: ApplyTarget("svcd", Norm, Default); break;
    case ttDVD: ApplyTarget("dvd", Norm, Default); break;
    default: break;
    }
}

void TCustomFFmpeg::ApplyOutputFields(const TOutputOptions& O)
{
    if (!O.FileFormat.empty()) SetFormat(O.FileFormat);
    if (O.PacketSize > 0) SetLibraryOptionInt("packetsize", O.PacketSize);
    if (O.MuxRate > 0) SetLibraryOptionInt("muxrate", O.MuxRate);
    if (O.MuxDelay > 0) SetMuxMaxDelay(O.MuxDelay);
    if (O.MuxPreload > 0) SetMuxPreload(O.MuxPreload);
    if (O.DisableAudio) FAudioOut.Faudio_disable = true;
    if (O.AudioVolume >= 0) SetAudioVolume(O.AudioVolume);
    if (O.AudioChannels > 0) SetAudioChannels(O.AudioChannels);
    if (O.AudioSampleRate > 0) SetAudioSampleRate(O.AudioSampleRate);
    if (O.AudioBitrate > 0) SetLibraryOptionInt("ab", O.AudioBitrate);
    if (O.AudioBitRateTolerance > 0) SetLibraryOptionInt("abt", O.AudioBitRateTolerance);
    FAudioOut.Faudio_language = O.AudioLanguage;
    SetAudioSyncMethod(O.AudioSyncMethod);
    if (!O.AudioTag.empty()) SetAudioTag(O.AudioTag);
    if (O.DisableVideo) FVideoOut.Fvideo_disable = true;
    if (!O.FrameRate.empty()) SetFrameRate(O.FrameRate);
    if (!O.FrameAspectRatio.empty()) SetAspectRatio(O.FrameAspectRatio);
    if (O.CropTop > 0) SetCropTop(O.CropTop);
    if (O.CropBottom > 0) SetCropBottom(O.CropBottom);
    if (O.CropLeft > 0) SetCropLeft(O.CropLeft);
    if (O.CropRight > 0) SetCropRight(O.CropRight);
    if (O.GroupPictureSize > 0) SetLibraryOptionInt("g", O.GroupPictureSize);
    if (O.VideoBitrate > 0) SetLibraryOptionInt("vb", O.VideoBitrate);
    if (O.VideoMaxRate > 0) SetLibraryOptionInt("maxrate", O.VideoMaxRate);
    if (O.VideoMinRate > 0) SetLibraryOptionInt("minrate", O.VideoMinRate);
    if (O.VideoBitRateTolerance > 0) SetLibraryOptionInt("bt", O.VideoBitRateTolerance);
    if (O.VideoBufSize > 0) SetLibraryOptionInt("bufsize", O.VideoBufSize);
    SetVideoSyncMethod(O.VideoSyncMethod);
    if (!O.VideoTag.empty()) SetVideoTag(O.VideoTag);
    FVideoOut.Fvideo_language = O.VideoLanguage;
    if (O.DisableSubtitle) FSubtitleOut.Fsubtitle_disable = true;
    FSubtitleOut.Fsubtitle_language = O.SubtitleLanguage;
    FMuxing.Finput_sync = O.InputSync;
    if (O.CopyTimestamp) FMuxing.Fcopy_ts = true;
    if (O.TimeStart != AV_NOPTS_VALUE) SetStartTime(O.TimeStart);
    if (O.TimeLength != AV_NOPTS_VALUE) SetRecordingTime(O.TimeLength);
    if (O.Info.TimeStamp == 0.0) FMuxing.Frecording_timestamp = int64_t(time(nullptr));
    else if (O.Info.TimeStamp > 0.0) FMuxing.Frecording_timestamp = LocalDateTimeToUnixTime(O.Info.TimeStamp);
    if (O.Info.Year > 0) AddMetadata("year", std::to_string(O.Info.Year));
    if (O.Info.Track > 0) AddMetadata("track", std::to_string(O.Info.Track));
    const std::pair<const char*, const std::string*> Texts[] = {
        {"title", &O.Info.Title},     {"author", &O.Info.Author}, {"copyright", &O.Info.Copyright},
        {"comment", &O.Info.Comment}, {"album", &O.Info.Album},   {"genre", &O.Info.Genre}};
    for (const auto& [Key, Value] : Texts)
        if (!Value->empty())
            AddMetadata(Key, *Value);
    // Last, as the crop values above are checked against the input's size.
    SetFrameSize(O.FrameSize);
    SetVideoFilters(O.VideoFilters);
}

void TCustomFFmpeg::ApplyNewStreams(const std::string& AOptionText, TCodecDefaults& ADefaults)
{
    auto Next = [&](const char* AName) { DispatchOption(AName, ADefaults.Next(AName)); };
    for (const TOptionLine& Line : ReadOptionLines(AOptionText)) {
        const std::string Name = platform::LowerCase(Line.first);
        if (Name == "newaudio") {
            Next("acodec");
            Next("apre");
        } else if (Name == "newvideo") {
            Next("vcodec");
            Next("vpre");
            Next("s");
            Next("vf");
        } else if (Name == "newsubtitle") {
            Next("scodec");
            Next("spre");
        } else {
            continue;
        }
        DispatchOption(Name, Line.second);
    }
}

bool TCustomFFmpeg::ApplyOutputRecord(const std::string& AFileName, const TOutputOptions* AOptions,
                                      const TCustomHookEvent& ACustomHook)
{
    TCodecDefaults Defaults;
    bool Join = false;
    if (AOptions) {
        const TOutputOptions& O = *AOptions;
        Defaults.Collect(O);
        ApplyTargetOptions(O);
        SetAudioCodec(Defaults.Default("acodec"));
        SetVideoCodec(Defaults.Default("vcodec"));
        SetSubtitleCodec(Defaults.Default("scodec"));
        ApplyPreset("apre", Defaults.Default("apre"));
        ApplyPreset("vpre", Defaults.Default("vpre"));
        ApplyPreset("spre", Defaults.Default("spre"));
        ApplyExtOptions(O.ExtOptions, false);
        ApplyOutputFields(O);
        // Without the record's own value the first stream takes the first
        // option line's, as the option lines are read for every stream.
        if (O.FrameSize.empty())
            SetFrameSize(Defaults.Default("s"));
        if (O.VideoFilters.empty())
            SetVideoFilters(Defaults.Default("vf"));
        if (O.CustomHook)
            FEvents.FOnCustomHook = ACustomHook;
        Join = O.Join;
    }
    if (OpenOutputFile(AFileName, Join) < 0)
        return false;
    if (AOptions)
        ApplyNewStreams(AOptions->ExtOptions, Defaults);
    return true;
}

} // namespace engine
