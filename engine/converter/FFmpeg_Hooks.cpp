// The two places where the job's owner sees the pictures it converts: every
// decoded picture before it is encoded (deinterlacing, the custom hook, the
// frame-hook chain) and every encoded picture (the preview). The picture
// hooks and the preview come with the previewer; until then the job counts
// the pictures the hooks will be numbered by and passes them on unchanged.

#include "engine/converter/FFmpegInternal.h"
#include "engine/converter/FFmpegStreams.h"

namespace engine {

void TCustomFFmpeg::PreprocessPicture(TAVInputStream&, AVFrame*)
{
    ++FHookFrameNumber;
}

void TCustomFFmpeg::RunPostHooks(TAVOutputStream&, AVFrame*) {}

} // namespace engine
