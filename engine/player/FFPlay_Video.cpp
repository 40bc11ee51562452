// Video and subtitle decoding: pictures through the display filter chain
// into YUV overlays of the two-slot picture queue, bitmap subtitles into the
// four-slot subtitle queue.

#include "engine/player/FFPlay.h"
#include "engine/player/FFPlay_Pixels.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/imgutils.h>
}

#include <climits>
#include <cmath>

namespace engine {

namespace {

void DestroyGraph(TVideoState* is)
{
    ff::avfilter_graph_free(&is->graph);
    is->in_video_filter = nullptr;
    is->out_video_filter = nullptr;
}

// The display chain: the decoder's pictures in, the caller's filters (if
// any) between "in" and "out", planar YUV 4:2:0 out. Answers an error text,
// empty when the chain works.
std::string BuildGraph(TCustomPlayer* APlayer, TVideoState* is, const AVFrame* AFrame)
{
    DestroyGraph(is);
    is->graph = ff::avfilter_graph_alloc();
    if (!is->graph)
        return "out of memory";
    is->graph->scale_sws_opts = ff::av_strdup(platform::Format("flags=%d", APlayer->Fsws_flags).c_str());
    const AVRational tb = is->video_st->time_base;
    AVRational sar = AFrame->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{0, 1};
    const std::string args = platform::FormatC("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
                                               AFrame->width, AFrame->height, AFrame->format, tb.num, tb.den,
                                               sar.num, sar.den);
    int r = ff::avfilter_graph_create_filter(&is->in_video_filter, ff::avfilter_get_by_name("buffer"), "src",
                                             args.c_str(), nullptr, is->graph);
    if (r >= 0)
        r = ff::avfilter_graph_create_filter(&is->out_video_filter, ff::avfilter_get_by_name("buffersink"), "out",
                                             nullptr, nullptr, is->graph);
    if (r >= 0) {
        const int pixFmts[] = {AV_PIX_FMT_YUV420P};
        r = ff::av_opt_set_bin(is->out_video_filter, "pix_fmts", reinterpret_cast<const uint8_t*>(pixFmts),
                               sizeof pixFmts, AV_OPT_SEARCH_CHILDREN);
    }
    if (r >= 0 && !APlayer->VideoFilters.empty()) {
        AVFilterInOut* outputs = ff::avfilter_inout_alloc();
        AVFilterInOut* inputs = ff::avfilter_inout_alloc();
        if (!outputs || !inputs) {
            r = AVERROR(ENOMEM);
        } else {
            outputs->name = ff::av_strdup("in");
            outputs->filter_ctx = is->in_video_filter;
            outputs->pad_idx = 0;
            inputs->name = ff::av_strdup("out");
            inputs->filter_ctx = is->out_video_filter;
            inputs->pad_idx = 0;
            r = ff::avfilter_graph_parse_ptr(is->graph, APlayer->VideoFilters.c_str(), &inputs, &outputs, nullptr);
        }
        ff::avfilter_inout_free(&outputs);
        ff::avfilter_inout_free(&inputs);
    } else if (r >= 0) {
        r = ff::avfilter_link(is->in_video_filter, 0, is->out_video_filter, 0);
    }
    if (r >= 0)
        r = ff::avfilter_graph_config(is->graph, nullptr);
    if (r < 0) {
        DestroyGraph(is);
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        ff::av_strerror(r, text, sizeof text);
        return text;
    }
    is->graph_width = AFrame->width;
    is->graph_height = AFrame->height;
    is->graph_pix_fmt = AFrame->format;
    is->out_width = ff::av_buffersink_get_w(is->out_video_filter);
    is->out_height = ff::av_buffersink_get_h(is->out_video_filter);
    is->out_pix_fmt = ff::av_buffersink_get_format(is->out_video_filter);
    return std::string();
}

} // namespace

// The decoder has given its last picture until the next seek: nobody needs
// to wait for one, and the end can be announced.
static void VideoDrained(TCustomPlayer* APlayer, TVideoState* is)
{
    APlayer->FPictEvent.SetEvent();
    // A seek that landed past the last picture is over all the same.
    if (APlayer->FSeeking && !is->seek_req)
        APlayer->FSeeking = false;
    // The end is announced once the display has shown every picture;
    // before that the refresh still moves the position on.
    bool shown;
    {
        std::lock_guard<std::mutex> guard(is->pictq_mutex);
        shown = is->pictq_size == 0;
    }
    if (shown && !is->EventEOF)
        APlayer->UpdatePosition();
}

// 1: a picture to show (its time in APts); 0: nothing to show, with
// ADrained set when the decoder has given its last picture; -1: aborted.
static int GetVideoFrame(TCustomPlayer* APlayer, TVideoState* is, AVFrame* AFrame, int64_t& APts, AVPacket* APacket,
                         bool& APending, bool& ADrained)
{
    AVCodecContext* dec = is->video_dec;
    for (;;) {
        if (APending) {
            const int r = ff::avcodec_receive_frame(dec, AFrame);
            if (r == 0)
                break;
            APending = false;
            ADrained = r == AVERROR_EOF;
            return 0;
        }
        bool flush = false;
        if (is->videoq.Get(APacket, true, flush) < 0)
            return -1;
        if (flush) {
            ff::avcodec_flush_buffers(dec);
            std::unique_lock<std::mutex> lock(is->pictq_mutex);
            for (auto& vp : is->pictq)
                vp.target_clock = 0;
            // No picture from before the seek may be timed with the new clock.
            is->pictq_cond.wait(lock, [&] { return is->pictq_size <= 0 || is->videoq.abort_request(); });
            lock.unlock();
            is->last_dts_for_fault_detection = INT64_MIN;
            is->last_pts_for_fault_detection = INT64_MIN;
            is->frame_last_pts = double(AV_NOPTS_VALUE);
            is->frame_last_delay = 0;
            is->frame_timer = double(ff::av_gettime()) / 1000000.0;
            is->skip_frames = 1;
            is->skip_frames_index = 0;
            is->video_seek_target = double(is->seek_target);
            if (is->passed_picture)
                ff::av_frame_unref(is->passed_picture);
            is->seek_flushed = 1;
            return 0;
        }
        // The reader's empty packet: the decoder gives what it still holds.
        const bool endOfInput = APacket->size == 0;
        const int r = ff::avcodec_send_packet(dec, endOfInput ? nullptr : APacket);
        ff::av_packet_unref(APacket);
        if (r < 0 && r != AVERROR(EAGAIN) && r != AVERROR_EOF)
            return 0;
        if (r == AVERROR_EOF) {
            ADrained = true;
            return 0;
        }
        APending = true;
    }
    // The packet's time: the reordered pts unless it proved less reliable
    // than the dts.
    const int64_t dts = AFrame->pkt_dts;
    const int64_t reordered = AFrame->pts;
    if (dts != AV_NOPTS_VALUE) {
        if (dts <= is->last_dts_for_fault_detection)
            ++is->faulty_dts;
        is->last_dts_for_fault_detection = dts;
    }
    if (reordered != AV_NOPTS_VALUE) {
        if (reordered <= is->last_pts_for_fault_detection)
            ++is->faulty_pts;
        is->last_pts_for_fault_detection = reordered;
    }
    const int reorder = APlayer->decoder_reorder_pts;
    if (reordered != AV_NOPTS_VALUE &&
        (reorder == 1 || (reorder && is->faulty_pts < is->faulty_dts) || dts == AV_NOPTS_VALUE))
        APts = reordered;
    else if (dts != AV_NOPTS_VALUE)
        APts = dts;
    else
        APts = 0;
    is->skip_frames_index += 1;
    const double skip = is->skip_frames;
    if (is->skip_frames_index >= skip) {
        is->skip_frames_index -= std::max(skip, 1.0);
        return 1;
    }
    ff::av_frame_unref(AFrame);
    return 0;
}

static int QueuePicture(TCustomPlayer* APlayer, TVideoState* is, AVFrame* AFrame, double APts, int64_t APos)
{
    {
        std::unique_lock<std::mutex> lock(is->pictq_mutex);
        // The display is late: decode less.
        if (is->pictq_size >= VIDEO_PICTURE_QUEUE_SIZE && is->refresh != 1)
            is->skip_frames = std::max(0.95, is->skip_frames * 0.95);
        is->pictq_cond.wait(lock, [&] {
            return is->pictq_size < VIDEO_PICTURE_QUEUE_SIZE || is->videoq.abort_request();
        });
    }
    if (is->videoq.abort_request())
        return -1;
    TVideoPicture& vp = is->pictq[is->pictq_windex];
    if (!vp.bmp || vp.width != (is->out_width & ~1) || vp.height != (is->out_height & ~1)) {
        // Overlays belong to the display thread: ask it and wait.
        {
            std::lock_guard<std::mutex> guard(is->pictq_mutex);
            vp.allocated = 0;
        }
        APlayer->PushAllocEvent(is);
        std::unique_lock<std::mutex> lock(is->pictq_mutex);
        is->pictq_cond.wait(lock, [&] { return vp.allocated || is->videoq.abort_request(); });
        if (is->videoq.abort_request())
            return -1;
    }
    if (vp.bmp) {
        vp.sample_aspect_ratio = AFrame->sample_aspect_ratio;
        sdl::SDL_LockYUVOverlay(vp.bmp);
        // YV12 keeps V before U.
        uint8_t* dst[4] = {vp.bmp->pixels[0], vp.bmp->pixels[2], vp.bmp->pixels[1], nullptr};
        int dstLines[4] = {vp.bmp->pitches[0], vp.bmp->pitches[2], vp.bmp->pitches[1], 0};
        const uint8_t* src[4] = {AFrame->data[0], AFrame->data[1], AFrame->data[2], nullptr};
        int srcLines[4] = {AFrame->linesize[0], AFrame->linesize[1], AFrame->linesize[2], 0};
        if (APlayer->FVerticalFlip) {
            // Read the picture bottom up; the decoded frame stays as it is.
            src[0] += ptrdiff_t(srcLines[0]) * (vp.height - 1);
            srcLines[0] = -srcLines[0];
            for (int p = 1; p < 3; ++p) {
                src[p] += ptrdiff_t(srcLines[p]) * (vp.height / 2 - 1);
                srcLines[p] = -srcLines[p];
            }
        }
        ff::av_image_copy(dst, dstLines, src, srcLines, AV_PIX_FMT_YUV420P, vp.width, vp.height);
        APlayer->DoHook(dst, dstLines, vp.width, vp.height, APts);
        sdl::SDL_UnlockYUVOverlay(vp.bmp);
        is->pictq_windex = (is->pictq_windex + 1) % VIDEO_PICTURE_QUEUE_SIZE;
        std::lock_guard<std::mutex> guard(is->pictq_mutex);
        vp.pts = APts;
        vp.pos = APos;
        vp.target_clock = APlayer->ComputeTargetTime(is, APts);
        vp.seek_serial = is->seek_serial;
        ++is->pictq_size;
    }
    return 0;
}

static int OutputPicture(TCustomPlayer* APlayer, TVideoState* is, AVFrame* AFrame, double APts, int64_t APos)
{
    if (APts != 0)
        is->video_clock = APts;
    else
        APts = is->video_clock;
    const AVRational tb = is->video_dec->time_base.num ? is->video_dec->time_base : av_inv_q(is->video_dec->framerate);
    double delay = tb.den ? av_q2d(tb) : 0.04;
    delay += AFrame->repeat_pict * (delay * 0.5);
    is->video_clock = is->video_clock + delay;
    return QueuePicture(APlayer, is, AFrame, APts, APos);
}

void TCustomPlayer::AllocPicture(TVideoState* is)
{
    TVideoPicture& vp = is->pictq[is->pictq_windex];
    if (vp.bmp)
        sdl::SDL_FreeYUVOverlay(vp.bmp);
    vp.bmp = nullptr;
    vp.width = is->out_width & ~1;
    vp.height = is->out_height & ~1;
    vp.pix_fmt = is->out_pix_fmt;
    if (Fscreen && vp.width > 0 && vp.height > 0)
        vp.bmp = sdl::SDL_CreateYUVOverlay(vp.width, vp.height, SDL_YV12_OVERLAY, Fscreen);
    std::lock_guard<std::mutex> guard(is->pictq_mutex);
    vp.allocated = 1;
    is->pictq_cond.notify_all();
}

namespace {

// How long a filtered picture stays on screen, in seconds.
double PictureDuration(const TVideoState* is, const AVFrame* AFrame, AVRational ATimeBase)
{
    if (AFrame->pkt_duration > 0)
        return double(AFrame->pkt_duration) * av_q2d(ATimeBase);
    const AVRational rate = is->video_st->avg_frame_rate;
    return rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.04;
}

} // namespace

// Queues one filtered picture and does what its showing starts; false when
// the video queue was aborted.
bool TCustomPlayer::ShowPicture(TVideoState* is, AVFrame* AFrame, double ASeconds)
{
    // Only the first picture after a seek's flush ends that seek: one that
    // left the decoder before it must not end a seek just being asked for.
    const bool landed = is->seek_done && is->seek_flushed;
    if (landed) {
        ++is->seek_serial;
        is->seek_done = 0;
        is->seek_paused = 0;
    }
    const int r = OutputPicture(this, is, AFrame, ASeconds, AFrame->pkt_pos);
    ff::av_frame_unref(AFrame);
    if (r < 0)
        return false;
    // A picture decoded before a seek's flush is not what the
    // seek's waiter waits for.
    if (!is->seek_done)
        FPictEvent.SetEvent();
    is->EventEOF = 0;
    if (landed && FSeeking && !is->seek_req)
        FSeeking = false;
    if (is->open_paused) {
        if (is->open_paused < 2) {
            ++is->open_paused;
        } else {
            is->open_paused = 0;
            AnnounceOpenPaused();
        }
    }
    if (Fstep && FVideoState == is)
        StreamPause(is);
    return true;
}

int TCustomPlayer::VideoThread(TVideoState* is)
{
    AVFrame* frame = ff::av_frame_alloc();
    AVFrame* filtered = ff::av_frame_alloc();
    AVFrame*& passed = is->passed_picture;
    passed = ff::av_frame_alloc();
    AVPacket* pkt = ff::av_packet_alloc();
    bool pending = false;
    while (frame && filtered && passed && pkt) {
        while (is->paused && !is->videoq.abort_request() && !is->seek_paused && !is->open_paused)
            platform::Sleep(10);
        int64_t pts = 0;
        bool drained = false;
        const int got = GetVideoFrame(this, is, frame, pts, pkt, pending, drained);
        if (got < 0)
            break;
        if (drained) {
            if (passed->buf[0]) {
                is->video_seek_target = std::nan("");
                if (!ShowPicture(is, passed, is->passed_seconds))
                    break;
            }
            VideoDrained(this, is);
        }
        if (got == 0)
            continue;
        frame->pts = pts;
        if (!is->graph || frame->width != is->graph_width || frame->height != is->graph_height ||
            frame->format != is->graph_pix_fmt) {
            const std::string error = BuildGraph(this, is, frame);
            if (!error.empty()) {
                ReportError("Error opening filters: " + error, true);
                break;
            }
        }
        if (ff::av_buffersrc_add_frame_flags(is->in_video_filter, frame, 0) < 0)
            break;
        bool aborted = false;
        while (ff::av_buffersink_get_frame(is->out_video_filter, filtered) >= 0) {
            const AVRational tb = ff::av_buffersink_get_time_base(is->out_video_filter);
            const double seconds = filtered->pts == AV_NOPTS_VALUE ? 0 : double(filtered->pts) * av_q2d(tb);
            // Pictures that end before the seek's target are passed over; the
            // one on screen at the target is the first shown.
            const double target = is->video_seek_target;
            if (!std::isnan(target) && filtered->pts != AV_NOPTS_VALUE &&
                seconds + PictureDuration(is, filtered, tb) <= target + 1e-6) {
                ff::av_frame_unref(passed);
                ff::av_frame_move_ref(passed, filtered);
                is->passed_seconds = seconds;
                continue;
            }
            is->video_seek_target = std::nan("");
            ff::av_frame_unref(passed);
            if (!ShowPicture(is, filtered, seconds)) {
                aborted = true;
                break;
            }
        }
        if (aborted)
            break;
    }
    DestroyGraph(is);
    ff::av_frame_free(&frame);
    ff::av_frame_free(&filtered);
    ff::av_frame_free(&passed);
    ff::av_packet_free(&pkt);
    return 0;
}

int TCustomPlayer::SubtitleThread(TVideoState* is)
{
    AVPacket* pkt = ff::av_packet_alloc();
    while (pkt) {
        while (is->paused && !is->subtitleq.abort_request() && !is->seek_paused)
            platform::Sleep(10);
        bool flush = false;
        if (is->subtitleq.Get(pkt, true, flush) < 0)
            break;
        if (flush) {
            ff::avcodec_flush_buffers(is->subtitle_dec);
            continue;
        }
        {
            std::unique_lock<std::mutex> lock(is->subpq_mutex);
            is->subpq_cond.wait(lock, [&] {
                return is->subpq_size < SUBPICTURE_QUEUE_SIZE || is->subtitleq.abort_request();
            });
        }
        if (is->subtitleq.abort_request())
            break;
        TSubPicture& sp = is->subpq[is->subpq_windex];
        const double pts = pkt->pts != AV_NOPTS_VALUE ? av_q2d(is->subtitle_st->time_base) * double(pkt->pts) : 0;
        int got = 0;
        ff::avcodec_decode_subtitle2(is->subtitle_dec, &sp.sub, &got, pkt);
        ff::av_packet_unref(pkt);
        if (!got)
            continue;
        if (sp.sub.format != 0) {
            // Only bitmap subtitles are shown.
            ff::avsubtitle_free(&sp.sub);
            continue;
        }
        sp.pts = pts;
        for (unsigned i = 0; i < sp.sub.num_rects; ++i) {
            AVSubtitleRect* rect = sp.sub.rects[i];
            auto* palette = reinterpret_cast<uint32_t*>(rect->data[1]);
            for (int j = 0; palette && j < rect->nb_colors; ++j)
                palette[j] = RGBAToAYUV(palette[j]);
        }
        is->subpq_windex = (is->subpq_windex + 1) % SUBPICTURE_QUEUE_SIZE;
        std::lock_guard<std::mutex> guard(is->subpq_mutex);
        ++is->subpq_size;
    }
    ff::av_packet_free(&pkt);
    return 0;
}

} // namespace engine
