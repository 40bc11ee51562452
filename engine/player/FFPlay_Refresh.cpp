// The clockwork of playback: pausing with clock correction, when each
// picture is due, and the refresh that shows pictures on time, drops late
// ones and expires subtitles.

#include "engine/player/FFPlay.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <cmath>

namespace engine {

namespace {
double Now() { return double(ff::av_gettime()) / 1000000.0; }

void FreeSubPicture(TSubPicture& ASlot)
{
    ff::avsubtitle_free(&ASlot.sub);
    ASlot.sub = AVSubtitle{};
}

// Releases the picture slot at the read index.
void ReleasePicture(TVideoState* is)
{
    std::lock_guard<std::mutex> guard(is->pictq_mutex);
    if (++is->pictq_rindex == VIDEO_PICTURE_QUEUE_SIZE)
        is->pictq_rindex = 0;
    --is->pictq_size;
    is->pictq_cond.notify_all();
}
} // namespace

void TCustomPlayer::StreamPause(TVideoState* is)
{
    if (FSeekEvent.WaitFor(250) == platform::TWaitResult::wrTimeout)
        FSeekEvent.SetEvent(); // a pending seek no longer holds anyone
    if (FVideoState != is)
        return;
    if (is->paused) {
        is->frame_timer = is->frame_timer + Now() - is->paused_at;
        // Before the first picture the clock pair holds nothing to carry on.
        const bool clockSet = is->video_current_pts_drift != 0;
        if (clockSet && is->read_pause_return != AVERROR(ENOSYS))
            is->video_current_pts = is->video_current_pts_drift + Now();
        if (clockSet)
            is->video_current_pts_drift = is->video_current_pts - Now();
        is->paused = 0;
        return;
    }
    if (is->video_stream >= 0) {
        if (FPictEvent.WaitFor(250) == platform::TWaitResult::wrTimeout)
            FPictEvent.SetEvent();
        if (FVideoState != is)
            return;
    }
    is->paused_at = Now();
    is->paused = 1;
}

double TCustomPlayer::ComputeTargetTime(TVideoState* is, double APts)
{
    double delay = APts - is->frame_last_pts;
    if (delay <= 0 || delay >= 10.0)
        delay = is->frame_last_delay; // an impossible step: keep the last one
    else
        is->frame_last_delay = delay;
    is->frame_last_pts = APts;
    if ((is->av_sync_type == AV_SYNC_AUDIO_MASTER && is->audio_stream >= 0) ||
        is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK) {
        const double diff = GetVideoClock(is) - GetMasterClock(is);
        const double threshold = std::max(0.01, delay);
        if (std::fabs(diff) < AV_NOSYNC_THRESHOLD) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
        }
    }
    is->frame_timer = is->frame_timer + delay;
    return is->frame_timer;
}

void TCustomPlayer::VideoRefresh(TVideoState* is, bool AAdvance)
{
    bool announce = true;
    if (is->video_stream >= 0) {
        for (;;) {
            int queued;
            double due, nextDue;
            // Pictures from before a seek are passed over: all of them while
            // the seek has not landed, then those older than its first one.
            // Read with the queue, which the first picture joins only after
            // the seek is marked landed.
            bool dropping;
            TVideoPicture& vp = is->pictq[is->pictq_rindex];
            {
                std::lock_guard<std::mutex> guard(is->pictq_mutex);
                queued = is->pictq_size;
                dropping = queued > 0 && (is->seek_done || vp.seek_serial != is->seek_serial);
                due = vp.target_clock;
                nextDue = is->pictq[(is->pictq_rindex + 1) % VIDEO_PICTURE_QUEUE_SIZE].target_clock;
            }
            if (queued == 0) {
                if (!AAdvance)
                    VideoDisplay(is);
                break;
            }
            const double now = Now();
            if (now < due)
                return;
            is->video_current_pts = vp.pts;
            is->video_current_pts_drift = vp.pts - now;
            double next;
            if (queued > 1) {
                next = nextDue;
                ZASSERT(next >= due);
            } else {
                next = due + is->video_clock - vp.pts;
            }
            if ((framedrop && now > next && !is->IsDevice) || dropping) {
                is->skip_frames = is->skip_frames * 1.05;
                if (queued > 1 || now > next + 0.5 || dropping) {
                    ReleasePicture(is);
                    announce = false;
                    continue;
                }
            }
            if (is->subtitle_stream >= 0) {
                std::lock_guard<std::mutex> guard(is->subpq_mutex);
                if (is->subtitle_stream_changed) {
                    while (is->subpq_size > 0) {
                        FreeSubPicture(is->subpq[is->subpq_rindex]);
                        is->subpq_rindex = (is->subpq_rindex + 1) % SUBPICTURE_QUEUE_SIZE;
                        --is->subpq_size;
                    }
                    is->subtitle_stream_changed = 0;
                    is->subpq_cond.notify_all();
                } else if (is->subpq_size > 0) {
                    TSubPicture& sp = is->subpq[is->subpq_rindex];
                    const TSubPicture* sp2 =
                        is->subpq_size > 1 ? &is->subpq[(is->subpq_rindex + 1) % SUBPICTURE_QUEUE_SIZE] : nullptr;
                    const double pts = is->video_current_pts;
                    if (pts > sp.pts + double(sp.sub.end_display_time) / 1000 ||
                        (sp2 && pts > sp2->pts + double(sp2->sub.start_display_time) / 1000)) {
                        FreeSubPicture(sp);
                        is->subpq_rindex = (is->subpq_rindex + 1) % SUBPICTURE_QUEUE_SIZE;
                        --is->subpq_size;
                        is->subpq_cond.notify_all();
                    }
                }
            }
            VideoDisplay(is);
            if (AAdvance)
                ReleasePicture(is);
            break;
        }
    } else if (is->audio_stream >= 0) {
        VideoDisplay(is);
        UpdatePosition();
        return;
    } else {
        return;
    }
    if (announce)
        UpdatePosition();
}

int TCustomPlayer::RefreshThread(TVideoState* is)
{
    while (is->abort_request != 1) {
        if (is->refresh != 1) {
            is->refresh = 1;
            PushUserEvent(PLAYER_REFRESH_EVENT, is);
        }
        platform::Sleep(is->audio_stream >= 0 && is->show_audio ? uint32_t(rdftspeed) : 5u);
    }
    return 0;
}

} // namespace engine
