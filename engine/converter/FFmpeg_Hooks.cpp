// The two places where the job's owner sees the pictures it converts: every
// decoded picture before it is encoded (deinterlacing, the custom hook, the
// frame-hook chain) and every encoded picture (the preview). The work itself
// is the previewer's; the job only says where.

#include "engine/converter/FFmpegInternal.h"
#include "engine/converter/FFmpegStreams.h"
#include "engine/previewer/JobHooks.h"

namespace engine {

void TCustomFFmpeg::PreprocessPicture(TAVInputStream& AIst, AVFrame* AFrame)
{
    engine::PreprocessPicture(*this, AFrame, AIst.pts);
}

void TCustomFFmpeg::RunPostHooks(TAVOutputStream& AOst, AVFrame* AFrame)
{
    if (PostHooks() != 0 && AOst.enc)
        engine::RunPostHooks(*this, AFrame, AOst.enc, AFrame->pts);
}

} // namespace engine
