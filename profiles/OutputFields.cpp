#include "profiles/OutputFields.h"

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

} // namespace profiles
