#include "profiles/OutputFields.h"

#include "platform/core/SysUtils.h"

namespace profiles {

void ResetOutputFields(TOutputFields& AFields)
{
    AFields.Video_OutPutFileName.clear();
    AFields.Video_FileExt.clear();
    AFields.Video_AudioChannels.clear();
    AFields.Video_AudioSampleRate.clear();
    AFields.Video_FrameSize.clear();
    AFields.Video_FrameRate.clear();
    AFields.Video_NormType.clear();
    AFields.Video_VideoFilters.clear();
    AFields.Video_AudioVolume = UnchangedVolume;
    AFields.Video_FrameAspectRatio.clear();
    AFields.Video_VideoCodec.clear();
    AFields.Video_AudioCodec.clear();
    AFields.Video_CopyTimestamp.clear();
    AFields.Video_FileFormat.clear();
    AFields.Video_TargetType.clear();
    AFields.Video_VideoTag.clear();
    AFields.Video_VideoBitrate = BitrateNotSet;
    AFields.Video_AudioBitrate = BitrateNotSet;
    AFields.Video_TimeStart = -1;
    AFields.Video_TimeLength = -1;
    AFields.Video_DisableVideo = false;
}

namespace {

const char* const NotGiven = "AUTO";
const char* const X264 = "libx264";
const char* const X264DefaultPreset = "libx264-default";

void CopyIfGiven(const std::string& AField, std::string& AOption)
{
    if (!AField.empty())
        AOption = AField;
}

engine::TOptionTargetType TargetOfText(const std::string& AText)
{
    if (AText == "vcd")
        return engine::ttVCD;
    if (AText == "svcd")
        return engine::ttSVCD;
    if (AText == "dvd")
        return engine::ttDVD;
    return engine::ttIgnore;
}

engine::TOptionNormType NormOfText(const std::string& AText)
{
    if (AText == "PAL")
        return engine::ntPAL;
    if (AText == "NTSC")
        return engine::ntNTSC;
    return engine::ntAuto;
}

void VideoToOptions(const TOutputFields& AFields, engine::TOutputOptions& AOptions)
{
    if (!AFields.Video_VideoCodec.empty()) {
        AOptions.VideoCodec = AFields.Video_VideoCodec;
        AOptions.VideoPreset = AFields.Video_VideoCodec == X264 ? X264DefaultPreset : "";
    }
    CopyIfGiven(AFields.Video_FrameSize, AOptions.FrameSize);
    CopyIfGiven(AFields.Video_FrameRate, AOptions.FrameRate);
    CopyIfGiven(AFields.Video_FrameAspectRatio, AOptions.FrameAspectRatio);
    CopyIfGiven(AFields.Video_VideoFilters, AOptions.VideoFilters);
    CopyIfGiven(AFields.Video_VideoTag, AOptions.VideoTag);
    AOptions.DisableVideo = AFields.Video_DisableVideo;
    if (AFields.Video_VideoBitrate != BitrateAutomatic && AFields.Video_VideoBitrate != BitrateNotSet)
        AOptions.VideoBitrate = AFields.Video_VideoBitrate;
}

void AudioToOptions(const TOutputFields& AFields, engine::TOutputOptions& AOptions)
{
    if (!AFields.Video_AudioCodec.empty() && AFields.Video_AudioCodec != NotGiven)
        AOptions.AudioCodec = AFields.Video_AudioCodec;
    if (!AFields.Video_AudioChannels.empty())
        AOptions.AudioChannels = platform::StrToInt(AFields.Video_AudioChannels);
    if (!AFields.Video_AudioSampleRate.empty() && AFields.Video_AudioSampleRate != NotGiven)
        AOptions.AudioSampleRate = platform::StrToInt(AFields.Video_AudioSampleRate);
    if (!AFields.Video_AudioVolume.empty() && AFields.Video_AudioVolume != UnchangedVolume)
        AOptions.AudioVolume = platform::StrToInt(AFields.Video_AudioVolume);
    const int bitrate = AFields.Video_AudioBitrate;
    if (bitrate != BitrateAutomatic && bitrate != AudioBitrateAutomatic2 && bitrate != BitrateNotSet)
        AOptions.AudioBitrate = bitrate;
}

} // namespace

void OutputFieldsToOptions(const TOutputFields& AFields, engine::TOutputOptions& AOptions)
{
    VideoToOptions(AFields, AOptions);
    AudioToOptions(AFields, AOptions);
    CopyIfGiven(AFields.Video_FileFormat, AOptions.FileFormat);
    if (!AFields.Video_TargetType.empty())
        AOptions.TargetType = TargetOfText(AFields.Video_TargetType);
    AOptions.NormType = NormOfText(AFields.Video_NormType);
}

} // namespace profiles
