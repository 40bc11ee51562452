#pragma once
// What a conversion job does to the pictures it converts, at two points of
// its video path: every decoded picture before it is encoded, and every
// picture after an encode that produced bytes. The job only says where; the
// work (deinterlacing, the custom hook, frame-hook libraries, the preview)
// belongs to whoever implements this interface, and whoever makes a job
// installs it with TCustomFFmpeg::SetPictureHooks.

#include "engine/base/FFHeaders.h"

#include <cstdint>
#include <span>

namespace engine {

class TCustomFFmpeg;

class TPictureHooks {
public:
    virtual ~TPictureHooks() = default;
    // Appends the frame-hook library argv[0], configured with the first argc
    // strings of argv, to the job's chain; 0 when it was added.
    virtual int AddFrameHook(TCustomFFmpeg& AJob, int argc, std::span<char* const> argv) = 0;
    // A picture the job decoded in this pass, APTS its time in microseconds.
    virtual void PreprocessPicture(TCustomFFmpeg& AJob, AVFrame* AFrame, int64_t APTS) = 0;
    // The picture the encoder was given; AEncoder gives its format, size and
    // time base, APTS the encoded picture's time in that time base.
    virtual void RunPostHooks(TCustomFFmpeg& AJob, const AVFrame* AFrame, const AVCodecContext* AEncoder,
                              int64_t APTS) = 0;
};

} // namespace engine
