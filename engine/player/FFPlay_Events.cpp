// The player's own threads: the SDL event loop that allocates, refreshes,
// displays and closes, and the delivery of position and state events to
// the caller; the position update, the file-open notification and the
// per-picture hook.

#include "engine/player/FFPlay.h"

#include "engine/loader/AVUtilStubs.h"
#include "engine/base/MainThreadCalls.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Exceptions.h"

extern "C" {
#include <libavutil/imgutils.h>
}

#include <cmath>
#include <cstring>

namespace engine {

// ---- event ring ------------------------------------------------------------

void TPlayEvent::Push(const TPlayEventItem& AItem)
{
    std::lock_guard<std::mutex> guard(FLock);
    const int newest = (FTailer + Capacity - 1) % Capacity;
    if (FHeader == FTailer || FEvents[newest].Kind != AItem.Kind) {
        FTailer = (FTailer + 1) % Capacity;
        if (FTailer == FHeader)
            FHeader = (FHeader + 1) % Capacity; // full: the oldest entry goes
    }
    FEvents[(FTailer + Capacity - 1) % Capacity] = AItem;
    FEvent.SetEvent();
}

TPlayEventItem TPlayEvent::Pop()
{
    std::lock_guard<std::mutex> guard(FLock);
    if (FHeader == FTailer)
        return TPlayEventItem{};
    const TPlayEventItem item = FEvents[FHeader];
    FHeader = (FHeader + 1) % Capacity;
    if (FHeader == FTailer)
        FEvent.ResetEvent();
    return item;
}

void TPlayEvent::Discard(int AKind)
{
    std::lock_guard<std::mutex> guard(FLock);
    int kept = FHeader;
    for (int i = FHeader; i != FTailer; i = (i + 1) % Capacity)
        if (FEvents[i].Kind != AKind) {
            FEvents[kept] = FEvents[i];
            kept = (kept + 1) % Capacity;
        }
    FTailer = kept;
    if (FHeader == FTailer)
        FEvent.ResetEvent();
}

void TPlayEvent::Clear()
{
    std::lock_guard<std::mutex> guard(FLock);
    FHeader = FTailer = 0;
    FEvent.ResetEvent();
}

// ---- states and positions ----------------------------------------------------

void TCustomPlayer::SetState(TPlayState AState)
{
    FState = AState;
    if (StateHandler())
        FPlayEvent.Push(TPlayEventItem{2, int64_t(AState)});
    else if (AState == psStop)
        FPlayEvent.Push(TPlayEventItem{3, 0});
}

void TCustomPlayer::AnnouncePlay()
{
    std::lock_guard<std::mutex> guard(FAnnounceLock);
    SetState(psPlay);
    FPlayAnnounced = true;
    if (FPauseOwed) {
        FPauseOwed = false;
        SetState(psPause);
    }
}

void TCustomPlayer::AnnounceOpenPaused()
{
    std::lock_guard<std::mutex> guard(FAnnounceLock);
    if (FPlayAnnounced)
        SetState(psPause);
    else
        FPauseOwed = true;
}

void TCustomPlayer::UpdatePosition()
{
    // The display and the video decoder (at the end of the input) both
    // update the position.
    std::lock_guard<std::recursive_mutex> guard(FPositionLock);
    TVideoState* is = FVideoState;
    if (!is || is->IsImage2)
        return;
    int64_t pts;
    if (is->video_stream >= 0) {
        pts = int64_t(std::nearbyint(GetVideoClock(is) * 1000000)) - is->StartTime;
    } else if (is->audio_stream >= 0) {
        pts = int64_t(std::nearbyint(GetAudioClock(is) * 1000000)) - is->StartTime;
        // The audio ended before the file: the rest is silence to its end.
        const int64_t audioDuration = is->AudioDuration;
        if (audioDuration > 0 && audioDuration <= pts && pts < is->Duration)
            pts = is->Duration;
    } else {
        return;
    }
    // The picture a seek lands on may begin before the target: until
    // playback passes the target, the position is the place asked for.
    const double target = is->seek_target;
    if (!std::isnan(target))
        pts = std::max(pts, int64_t(std::nearbyint(target * 1000000)) - is->StartTime);
    FCurrentPTS = pts;
    if (is->Duration > 0 && pts >= is->Duration) {
        pts = is->Duration;
        if (FLastPTS != is->Duration)
            FLastPTS = 0;
    }
    // The clocks run on between pictures, so a late picture can put them a
    // frame or two back: while playing on, the position only moves forward;
    // a real jump back (a seek, a loop) is reported.
    constexpr int64_t ClockJitter = 500000;
    // Until a seek shows its first picture the clocks still tell where
    // playback was: the caller hears of the new place, not the old one.
    if (!FSeeking && (FLastPTS == AV_NOPTS_VALUE || pts > FLastPTS + 10000 || pts < FLastPTS - ClockJitter)) {
        FLastPTS = pts;
        if (PositionHandler())
            FPlayEvent.Push(TPlayEventItem{1, pts});
    }
    if (!is->IsDevice && !is->EventEOF && is->ReachEOF) {
        if (is->video_stream >= 0)
            is->EventEOF = 1;
        SetState(psEnd);
    }
    const int64_t playTime = PlayTime;
    if (playTime != AV_NOPTS_VALUE) {
        const int64_t end = start_time != AV_NOPTS_VALUE ? start_time + playTime : playTime;
        if (pts >= end) {
            const TRepeatType repeat = RepeatType;
            if (repeat == rtStop)
                Stop(false);
            else if (repeat == rtLoop) {
                if (start_time != AV_NOPTS_VALUE)
                    Seek(start_time, TSeekFlags{}, false);
                else
                    Seek(int64_t(0), TSeekFlags{sfAny}, false);
            }
        }
    }
}

void TCustomPlayer::DoFileOpen()
{
    TVideoState* is = FVideoState;
    if (is && OnFileOpen) {
        int w = -1, h = -1;
        if (is->video_stream >= 0 && is->video_dec && is->video_dec->width > 0) {
            w = is->video_dec->width;
            h = is->video_dec->height;
        }
        const int64_t duration = is->IsImage2 ? 0 : is->Duration;
        int sw = Fscreen_width, sh = Fscreen_height;
        OnFileOpen(this, duration, w, h, sw, sh);
        Fscreen_width = sw;
        Fscreen_height = sh;
    }
    if (FScreenHandle != 0 && (Fscreen_width == 0 || Fscreen_height == 0) && ScreenClientSize) {
        int cw = 0, ch = 0;
        ScreenClientSize(FScreenHandle, cw, ch);
        Fscreen_width = cw;
        Fscreen_height = ch;
    }
}

bool TCustomPlayer::DoHook(uint8_t* const AData[4], const int ALineSize[4], int AWidth, int AHeight, double APts)
{
    const THookEvent hook = HookHandler();
    if (!Hook || !hook || AWidth <= 0 || AHeight <= 0)
        return false;
    // The bitmap follows the picture's size, also when it changes within a file.
    if (!PictureToBitmap(FHookContext, AData, ALineSize, AV_PIX_FMT_YUV420P, AWidth, AHeight)) {
        GetFFLogger()->Log(this, llError, "Cannot initialize the toRGB conversion context");
        return false;
    }
    TFrameBitmap* bmp = FHookContext.Bitmap;
    try {
        const TVideoState* is = FVideoState;
        hook(this, bmp, int64_t(std::nearbyint(APts * 1000000)) - (is ? is->StartTime : 0));
    } catch (const std::exception& e) {
        GetFFLogger()->Log(this, llError, std::string("Error occurs OnHook: ") + e.what());
        return false;
    }
    FHookContext.fromRGB_convert_ctx =
        ff::sws_getCachedContext(FHookContext.fromRGB_convert_ctx, AWidth, AHeight, AV_PIX_FMT_BGR24, AWidth,
                                 AHeight, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!FHookContext.fromRGB_convert_ctx) {
        GetFFLogger()->Log(this, llError, "Cannot initialize the fromRGB conversion context");
        return false;
    }
    const uint8_t* src[4] = {bmp->ScanLine(0), nullptr, nullptr, nullptr};
    const int srcLines[4] = {bmp->RowBytes(), 0, 0, 0};
    ff::sws_scale(FHookContext.fromRGB_convert_ctx, src, srcLines, 0, AHeight, AData, ALineSize);
    return true;
}

// ---- SDL events --------------------------------------------------------------

void TCustomPlayer::PushUserEvent(int AType, TVideoState* is)
{
    SDL_Event event{};
    event.type = uint8_t(AType);
    event.user.data1 = is;
    sdl::SDL_PushEvent(&event);
}

void TCustomPlayer::PushQuitEvent(TVideoState* is) { PushUserEvent(PLAYER_QUIT_EVENT, is); }
void TCustomPlayer::PushRelayoutEvent(TVideoState* is) { PushUserEvent(PLAYER_RELAYOUT_EVENT, is); }
void TCustomPlayer::PushAllocEvent(TVideoState* is) { PushUserEvent(PLAYER_ALLOC_EVENT, is); }

void TCustomPlayer::EventLoop()
{
    for (;;) {
        SDL_Event event;
        // SDL answers no event only when its queue is gone: nothing could
        // ever wake this loop again.
        const bool got = sdl::SDL_WaitEvent(&event) != 0;
        FDataLock.Acquire();
        struct TRelease {
            platform::TMutex& Lock;
            ~TRelease() { Lock.Release(); }
        } release{FDataLock};
        TVideoState* is = FVideoState;
        if (!is || !got) {
            // Closed by force meanwhile, which left SDL to this thread.
            CloseVideoState();
            return;
        }
        switch (event.type) {
        case SDL_QUIT:
        case PLAYER_QUIT_EVENT:
            CloseVideoState();
            return;
        case SDL_VIDEORESIZE:
            // The surface follows the window; the picture on show is fitted
            // to the new size at once, playing or paused.
            Fscreen_width = event.resize.w;
            Fscreen_height = event.resize.h;
            if (Fscreen && VideoOpen(is, true) == 0)
                ShowAgain(is);
            break;
        case SDL_VIDEOEXPOSE:
            ShowAgain(is);
            break;
        case PLAYER_ALLOC_EVENT:
            VideoOpen(is, false);
            AllocPicture(is);
            break;
        case PLAYER_REFRESH_EVENT:
            VideoRefresh(is, true);
            is->refresh = 0;
            break;
        case PLAYER_RELAYOUT_EVENT:
            if (VideoOpen(is, true) == 0)
                ShowAgain(is);
            break;
        default:
            break;
        }
    }
}

void TCustomPlayer::PlayThreadExecute()
{
    AnnouncePlay();
    try {
        EventLoop();
    } catch (const std::exception& e) {
        GetFFLogger()->Log(this, llFatal, std::string("PlayThread Exception: ") + e.what());
        CloseVideoState();
    }
    SetState(psStop);
    FStopEvent.SetEvent();
}

void TCustomPlayer::EventThreadExecute(uint64_t AGeneration)
{
    for (;;) {
        // A newer file's delivery thread has taken over.
        if (FEventGeneration != AGeneration)
            return;
        const TPlayEventItem item = FPlayEvent.Pop();
        // The stop state ends the thread whatever its handler does.
        const bool end = item.Kind == 3 || (item.Kind == 2 && TPlayState(item.Value) == psStop);
        // The handler is looked at where it runs: the owner may clear it
        // (while being destroyed) between the push and the delivery.
        std::function<void()> call;
        // A position taken before a seek that is still under way is stale,
        // also when the seek is asked for while it waits for the caller's
        // thread.
        if (item.Kind == 1 && !FSeeking)
            call = [this, item, seeks = FSeekRequests.load()] {
                if (seeks != FSeekRequests)
                    return;
                if (const TPositionEvent handler = PositionHandler())
                    handler(this, item.Value);
            };
        else if (item.Kind == 2)
            call = [this, item] {
                if (const TPlayStateEvent handler = StateHandler())
                    handler(this, TPlayState(item.Value));
            };
        if (call) {
            call = [this, call] {
                // The handler may stop or reopen the player, which must not
                // wait for this thread meanwhile.
                ++FDelivering;
                struct TDone {
                    std::atomic<int>& Count;
                    ~TDone() { --Count; }
                } done{FDelivering};
                call();
            };
            try {
                if (TriggerEventInMainThread)
                    CallInMainThread(call);
                else
                    call();
            } catch (const std::exception& e) {
                GetFFLogger()->Log(this, llError, e.what());
            }
        }
        if (end)
            return;
        if (item.Kind == 0)
            FPlayEvent.Event().WaitFor();
    }
}

} // namespace engine
