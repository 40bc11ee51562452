// The two places where the job's owner sees the pictures it converts: every
// decoded picture before it is encoded (deinterlacing, the custom hook, the
// frame-hook chain) and every encoded picture (the preview). The work itself
// belongs to the installed picture hooks; the job only says where.

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/converter/PictureHooks.h"

namespace engine {

void TCustomFFmpeg::PreprocessPicture(TAVInputStream& AIst, AVFrame* AFrame)
{
    if (FPictureHooks) {
        FPictureHooks->PreprocessPicture(*this, AFrame, AIst.pts);
        return;
    }
    // A job nobody gave picture hooks cannot do what these settings ask;
    // converting without it would hand the user a silently different file.
    if (FVideoOut.Fdo_deinterlace || FEvents.FOnCustomHook || FHooks.Fusing_vhook)
        throw FFmpegException("Deinterlacing and picture hooks are not available in this job");
    ++FHooks.FHookFrameNumber;
}

void TCustomFFmpeg::RunPostHooks(TAVOutputStream& AOst, AVFrame* AFrame)
{
    if (FPictureHooks && PostHooks() != 0 && AOst.enc)
        FPictureHooks->RunPostHooks(*this, AFrame, AOst.enc, AFrame->pts);
}

int TCustomFFmpeg::AddFrameHook(int argc, std::span<char* const> argv)
{
    return FPictureHooks ? FPictureHooks->AddFrameHook(*this, argc, argv) : -1;
}

} // namespace engine
