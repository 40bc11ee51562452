#pragma once
// What a conversion job does to the pictures it converts, at two points of
// its video path:
//   - PreprocessPicture, on every decoded picture before it is filtered and
//     encoded: deinterlacing, then either the owner's custom hook (the
//     picture as a bitmap that the handler may draw on) or the chain of
//     frame-hook libraries;
//   - RunPostHooks, after each encode that produced bytes: the preview, at
//     most once per preview interval, as the preview event or in the job's
//     preview window.
// Both run on the job's own thread. Failures are logged with the job as
// sender and switch the failing hook off for the rest of the job; none of
// them ends the job.

#include "engine/converter/ConversionJob.h"
#include "engine/converter/PictureHooks.h"
#include "engine/loader/FFUtils.h"

#include <cstdint>

namespace engine {

// AFrame is a picture the job decoded in this pass and APTS its time in
// microseconds. When deinterlacing or a hook is on, the hooks work on a
// copy and AFrame is replaced by that copy (with buffers of its own), so
// the decoder's reference pictures are never written. Counts the picture
// in FHookFrameNumber in every case.
void PreprocessPicture(TCustomFFmpeg& AJob, AVFrame* AFrame, int64_t APTS);

// The custom hook on one picture: shows it to FOnCustomHook as a bitmap
// and writes the handler's drawing back into APicture unless the handler
// says not to. A picture that cannot be converted either way, or a handler
// that asks to stop, turns the custom hook and the hook chain off.
void RunCustomHook(TCustomFFmpeg& AJob, const TAVPicture& APicture, AVPixelFormat APixFmt, int AWidth, int AHeight,
                   int64_t APTS);

// The preview of an encoded picture. AFrame is the picture the encoder was
// given, AEncoder gives its format, size and time base, and APTS is the
// encoded picture's time in the encoder's time base. Takes FFmpegUnitLock
// to read and change the preview set, but never holds it while the preview
// event or the preview window waits for the GUI thread.
void RunPostHooks(TCustomFFmpeg& AJob, const AVFrame* AFrame, const AVCodecContext* AEncoder, int64_t APTS);

// The three above as the picture hooks a job calls; one object serves every
// job (it holds nothing of its own) and lives as long as the process.
TPictureHooks& JobPictureHooks();

} // namespace engine
