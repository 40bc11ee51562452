#include "engine/previewer/JobHooks.h"

#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/previewer/Deinterlace.h"
#include "engine/previewer/FrameHook.h"
#include "engine/previewer/Previewer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

namespace engine {

namespace {

void LogError(TCustomFFmpeg& AJob, const std::string& AText)
{
    GetFFLogger()->Log(&AJob, llError, AText);
}

TAVPicture PictureOf(const AVFrame* AFrame)
{
    TAVPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = AFrame->data[i];
        picture.linesize[i] = AFrame->linesize[i];
    }
    return picture;
}

// A convert context of the job's, made on first use; its deleter frees
// what the context holds, so dropping it is the reset.
TRGBConvertContext& ConvertContext(std::shared_ptr<TRGBConvertContext>& AContext)
{
    if (!AContext)
        AContext.reset(new TRGBConvertContext(), [](TRGBConvertContext* C) {
            ResetRGBConvertContext(*C);
            delete C;
        });
    return *AContext;
}

struct TFrameDeleter {
    void operator()(AVFrame* AFrame) const { ff::av_frame_free(&AFrame); }
};
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;

// A fresh picture of AFrame's format and size with buffers of its own; the
// hooks work there, never in the decoder's pictures, which it may still use
// as references for the pictures that follow.
TFramePtr NewWorkFrame(const AVFrame* AFrame)
{
    TFramePtr work(ff::av_frame_alloc());
    if (!work)
        return nullptr;
    work->format = AFrame->format;
    work->width = AFrame->width;
    work->height = AFrame->height;
    if (ff::av_frame_get_buffer(work.get(), 0) < 0)
        return nullptr;
    return work;
}

// The work picture starts as the deinterlaced decoded picture, or as its
// plain copy when deinterlacing is off or cannot handle the picture.
void FillWorkFrame(TCustomFFmpeg& AJob, AVFrame* AWork, const AVFrame* AFrame)
{
    if (AJob.VideoOutput().Fdo_deinterlace) {
        if (DeinterlacePicture(PictureOf(AWork), PictureOf(AFrame), AVPixelFormat(AFrame->format), AFrame->width,
                               AFrame->height) >= 0)
            return;
        LogError(AJob, "Deinterlacing failed.");
    }
    ff::av_frame_copy(AWork, AFrame);
}

// Writes the handler's drawing back into the picture the bitmap was made
// from: rows and row bytes are bounded by both the bitmap (the handler may
// have resized it) and the picture.
void BitmapToRGBPicture(TRGBConvertContext& C, int AHeight)
{
    const TAVPicture& target = *C.RGBPictureRef;
    const int rows = std::min(AHeight, C.Bitmap->Height());
    const size_t rowBytes = size_t(std::min(std::abs(target.linesize[0]), C.Bitmap->RowBytes()));
    for (int y = 0; y < rows; ++y)
        std::memcpy(target.data[0] + ptrdiff_t(y) * target.linesize[0], C.Bitmap->ScanLine(y), rowBytes);
}

// Converts the context's RGB picture back into APicture; false when no
// scaler can be made.
bool RGBPictureToPicture(TRGBConvertContext& C, const TAVPicture& APicture, AVPixelFormat APixFmt, int AWidth,
                         int AHeight)
{
    C.fromRGB_convert_ctx = ff::sws_getCachedContext(C.fromRGB_convert_ctx, AWidth, AHeight, C.RGBPixFmt, AWidth,
                                                     AHeight, APixFmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!C.fromRGB_convert_ctx)
        return false;
    ff::sws_scale(C.fromRGB_convert_ctx, C.RGBPicture.data, C.RGBPicture.linesize, 0, AHeight, APicture.data,
                  APicture.linesize);
    return true;
}

} // namespace

void PreprocessPicture(TCustomFFmpeg& AJob, AVFrame* AFrame, int64_t APTS)
{
    TJobHookState& hooks = AJob.HookState();
    const bool customHook = bool(AJob.Events().FOnCustomHook);
    ++hooks.FHookFrameNumber;
    if (!AJob.VideoOutput().Fdo_deinterlace && !customHook && !hooks.Fusing_vhook)
        return;
    TFramePtr work = NewWorkFrame(AFrame);
    if (!work) {
        LogError(AJob, "hook buf malloc error.");
        return;
    }
    FillWorkFrame(AJob, work.get(), AFrame);
    const TAVPicture picture = PictureOf(work.get());
    const AVPixelFormat pixFmt = AVPixelFormat(AFrame->format);
    if (customHook) {
        RunCustomHook(AJob, picture, pixFmt, AFrame->width, AFrame->height, APTS);
    } else if (hooks.Fusing_vhook) {
        TAVPicture hooked = picture;
        ProcessFrameHooks(hooks.FFirstHook.get(), &hooked, pixFmt, AFrame->width, AFrame->height, APTS);
    }
    // From here on the encoder (or the filter graph) reads the worked copy.
    ff::av_frame_copy_props(work.get(), AFrame);
    ff::av_frame_unref(AFrame);
    ff::av_frame_move_ref(AFrame, work.get());
}

void RunCustomHook(TCustomFFmpeg& AJob, const TAVPicture& APicture, AVPixelFormat APixFmt, int AWidth, int AHeight,
                   int64_t APTS)
{
    TJobHookState& hooks = AJob.HookState();
    TRGBConvertContext& C = ConvertContext(hooks.FHookContext.Context);
    bool stopHook = false;
    if (!PictureToBitmap(C, APicture.data, APicture.linesize, APixFmt, AWidth, AHeight)) {
        LogError(AJob, "Cannot initialize the toRGB conversion context");
        stopHook = true;
    } else {
        bool update = true;
        try {
            AJob.Events().FOnCustomHook(&AJob, C.Bitmap, hooks.FHookFrameNumber, APTS, update, stopHook);
        } catch (const std::exception& E) {
            LogError(AJob, std::string("Error occurs OnCustomHook: ") + E.what());
            update = false;
        }
        if (update) {
            BitmapToRGBPicture(C, AHeight);
            if (C.RGBPixFmt != APixFmt && !RGBPictureToPicture(C, APicture, APixFmt, AWidth, AHeight)) {
                LogError(AJob, "Cannot initialize the fromRGB conversion context");
                stopHook = true;
            }
        }
    }
    if (stopHook) {
        AJob.SetCustomHook(nullptr);
        hooks.Fusing_vhook = false;
    }
}

namespace {

// What one preview shows, taken under the lock; the showing itself happens
// after the lock is let go.
struct TPreviewJob {
    TPostHook Kind = phBitmap;
    std::shared_ptr<TRGBConvertContext> Context;
    std::shared_ptr<TPreviewer> Previewer;
    TCustomFFmpeg::TPreviewBitmapEvent Handler;
};

// Switches a preview kind off for good. Dropping the window's preview frees
// the window, which waits for the GUI thread: the previewer is handed to
// AKeep so that it is freed after the lock is let go.
void SwitchOff(TCustomFFmpeg& AJob, TPostHook AKind, std::shared_ptr<TPreviewer>& AKeep)
{
    AKeep = AJob.HookState().FPostContext.Previewer;
    AJob.SetPostHooks(AJob.PostHooks() & ~TPostHooks(AKind));
}

// Under FFmpegUnitLock: decides whether this picture is previewed and how,
// and converts it. False when nothing is to be shown.
bool PreparePreview(TCustomFFmpeg& AJob, const AVFrame* AFrame, const AVCodecContext* AEncoder,
                    TPreviewJob& APreview, std::shared_ptr<TPreviewer>& AKeep)
{
    const TPostHooks hooks = AJob.PostHooks();
    if ((hooks & phBitmap) && AJob.Events().FOnPreviewBitmap)
        APreview.Kind = phBitmap;
    else if (hooks & phPreview)
        APreview.Kind = phPreview;
    else
        return false;
    TPostHookContext& post = AJob.HookState().FPostContext;
    post.preview_cur_time = ff::av_gettime();
    if (post.preview_cur_time - post.preview_last_time <= AJob.Events().PreviewInterval)
        return false;
    post.preview_last_time = post.preview_cur_time;
    TRGBConvertContext& C = ConvertContext(post.Context);
    if (!PictureToBitmap(C, AFrame->data, AFrame->linesize, AEncoder->pix_fmt, AEncoder->width, AEncoder->height)) {
        LogError(AJob, "Cannot initialize the toRGB conversion context");
        SwitchOff(AJob, APreview.Kind, AKeep);
        return false;
    }
    APreview.Context = post.Context;
    if (APreview.Kind == phBitmap) {
        APreview.Handler = AJob.Events().FOnPreviewBitmap;
    } else {
        if (!post.Previewer)
            post.Previewer = std::make_shared<TPreviewer>();
        APreview.Previewer = post.Previewer;
    }
    return true;
}

} // namespace

void RunPostHooks(TCustomFFmpeg& AJob, const AVFrame* AFrame, const AVCodecContext* AEncoder, int64_t APTS)
{
    // Declared first so that a window switched off is freed last, after
    // the lock is let go.
    std::shared_ptr<TPreviewer> keep;
    TPreviewJob preview;
    {
        platform::TLockGuard guard(FFmpegUnitLock());
        if (!PreparePreview(AJob, AFrame, AEncoder, preview, keep))
            return;
    }
    const int64_t pts =
        APTS == AV_NOPTS_VALUE ? APTS : ff::av_rescale_q(APTS, AEncoder->time_base, AVRational{1, AV_TIME_BASE});
    TFrameBitmap* bitmap = preview.Context->Bitmap;
    if (preview.Kind == phBitmap) {
        preview.Handler(&AJob, bitmap, AJob.HookState().FHookFrameNumber, pts);
        return;
    }
    if (preview.Previewer->PaintFrame(bitmap, AJob.HookState().FHookFrameNumber, pts))
        return;
    platform::TLockGuard guard(FFmpegUnitLock());
    SwitchOff(AJob, phPreview, keep);
}

namespace {

class TJobPictureHooks final : public TPictureHooks {
public:
    int AddFrameHook(TCustomFFmpeg& AJob, int argc, std::span<char* const> argv) override
    {
        return engine::AddFrameHook(AJob.HookState().FFirstHook, argc, argv);
    }
    void PreprocessPicture(TCustomFFmpeg& AJob, AVFrame* AFrame, int64_t APTS) override
    {
        engine::PreprocessPicture(AJob, AFrame, APTS);
    }
    void RunPostHooks(TCustomFFmpeg& AJob, const AVFrame* AFrame, const AVCodecContext* AEncoder,
                      int64_t APTS) override
    {
        engine::RunPostHooks(AJob, AFrame, AEncoder, APTS);
    }
};

} // namespace

TPictureHooks& JobPictureHooks()
{
    static TJobPictureHooks hooks;
    return hooks;
}

} // namespace engine
