// The reader: opens the file, chooses the streams, fills the packet queues
// and carries out seeks; and the opening and closing of one stream's decoder.

#include "engine/player/FFPlay.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/loader/FFUtils.h"
#include "engine/loader/SwResampleStubs.h"
#include "engine/loader/UnicodeProtocol.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/probe/AVProbe.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <climits>
#include <cmath>

namespace engine {

namespace {

// At the end of the input a waiter for the next picture may go on; but a
// seek's waiter waits for the first picture after the seek, which the
// decoder may still be working on when a short rest of the file has been
// read (the decoder signals itself once it has nothing more to give).
void ReleasePictureWaiters(TVideoState* is)
{
    if (!is->seek_done)
        is->Owner->FPictEvent.SetEvent();
}

int InterruptCallback(void* AOpaque)
{
    return static_cast<TVideoState*>(AOpaque)->abort_request == 1;
}

// The reader and the player's other threads run on platform threads, so a
// GUI-thread wait for them keeps serving synchronised calls.
void Delay(uint32_t AMilliseconds) { platform::Sleep(AMilliseconds); }

} // namespace

int TCustomPlayer::ReaderThread(TVideoState* is)
{
    int ret = -1;
    AVPacket* pkt = ff::av_packet_alloc();
    const std::string& name = is->FileNameUtf8;
    bool eof = false;
    int st_index[AVMEDIA_TYPE_NB];

    is->video_stream = -1;
    is->audio_stream = -1;
    is->subtitle_stream = -1;

    is->ic = ff::avformat_alloc_context();
    if (!is->ic || !pkt) {
        ReportError("av_mallocz() failed.", true);
        goto teardown;
    }
    is->ic->interrupt_callback.callback = InterruptCallback;
    is->ic->interrupt_callback.opaque = is;
    {
        AVDictionary* opts = nullptr;
        if (FrameWidth > 0 && FrameHeight > 0)
            ff::av_dict_set(&opts, "video_size", platform::Format("%dx%d", FrameWidth, FrameHeight).c_str(), 0);
        if (Fframe_pix_fmt >= 0)
            ff::av_dict_set(&opts, "pixel_format", ff::av_get_pix_fmt_name(AVPixelFormat(Fframe_pix_fmt)), 0);
        const int err = OpenInputURL(&is->ic, FileNameToURL(name), is->iformat, &opts);
        ff::av_dict_free(&opts);
        if (err < 0) {
            ReportError(AVErrorText(name, err), true);
            goto teardown;
        }
    }
    if (genpts)
        is->ic->flags |= AVFMT_FLAG_GENPTS;
    if (ff::avformat_find_stream_info(is->ic, nullptr) < 0) {
        ReportError(platform::Format("%s: could not find codec parameters", name), true);
        goto teardown;
    }
    if (is->ic->pb)
        is->ic->pb->eof_reached = 0;
    if (seek_by_bytes < 0)
        seek_by_bytes = (is->ic->iformat->flags & AVFMT_TS_DISCONT) ? 1 : 0;

    is->IsImage2 = strcmp(is->ic->iformat->name, "image2") == 0;
    // Capture devices of the old platform do not exist here.
    is->IsDevice = strcmp(is->ic->iformat->name, "vfwcap") == 0 || strcmp(is->ic->iformat->name, "vfwcapture") == 0;
    is->StartTime = is->ic->start_time != AV_NOPTS_VALUE ? is->ic->start_time : 0;
    is->Duration = is->ic->duration != AV_NOPTS_VALUE ? is->ic->duration : -1;

    if (start_time != AV_NOPTS_VALUE) {
        int64_t target = start_time;
        if (is->ic->start_time != AV_NOPTS_VALUE)
            target += is->ic->start_time;
        if (ff::avformat_seek_file(is->ic, -1, INT64_MIN, target, INT64_MAX, 0) < 0)
            ReportError(platform::FormatC("%s: could not seek to position %0.3f", name.c_str(), double(target) / 1000000),
                        false);
    }

    {
        // A wanted index counts streams within their type. Without one, the
        // stream FFmpeg saw most frames of while probing wins (the library
        // keeps that count to itself, so it chooses).
        int counter[AVMEDIA_TYPE_NB] = {};
        for (int t = 0; t < AVMEDIA_TYPE_NB; ++t)
            st_index[t] = -1;
        for (unsigned i = 0; i < is->ic->nb_streams; ++i) {
            AVStream* st = is->ic->streams[i];
            st->discard = AVDISCARD_ALL;
            const int type = st->codecpar->codec_type;
            if (type < 0 || type >= AVMEDIA_TYPE_NB)
                continue;
            if (Fwanted_stream[type + 1] >= 0 && counter[type]++ == Fwanted_stream[type + 1])
                st_index[type] = int(i);
        }
        for (int type : {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_SUBTITLE}) {
            if (Fwanted_stream[type + 1] < 0)
                st_index[type] = ff::av_find_best_stream(is->ic, AVMediaType(type), -1, -1, nullptr, 0);
            if (st_index[type] < 0)
                st_index[type] = -1;
        }
        if (Faudio_disable)
            st_index[AVMEDIA_TYPE_AUDIO] = -1;
        if (Fvideo_disable)
            st_index[AVMEDIA_TYPE_VIDEO] = st_index[AVMEDIA_TYPE_SUBTITLE] = -1;
    }

    if (st_index[AVMEDIA_TYPE_AUDIO] >= 0)
        OpenStreamComponent(is, st_index[AVMEDIA_TYPE_AUDIO]);
    {
        int r = -1;
        if (st_index[AVMEDIA_TYPE_VIDEO] >= 0)
            r = OpenStreamComponent(is, st_index[AVMEDIA_TYPE_VIDEO]);
        if (r < 0 && !Fdisplay_disable)
            is->show_audio = 2;
    }
    if (st_index[AVMEDIA_TYPE_SUBTITLE] >= 0)
        OpenStreamComponent(is, st_index[AVMEDIA_TYPE_SUBTITLE]);
    if (is->video_stream < 0 && is->audio_stream < 0) {
        ReportError(platform::Format("%s: could not open codecs, no stream to play.", name), true);
        goto teardown;
    }

    is->Opened = 1;
    while (!is->abort_request) {
        const int paused = is->paused;
        if (paused != is->last_paused) {
            is->last_paused = paused;
            if (paused)
                is->read_pause_return = ff::av_read_pause(is->ic);
            else
                ff::av_read_play(is->ic);
        }
        if (is->seek_req) {
            const int64_t target = is->seek_pos;
            const int64_t lo = is->seek_rel > 0 ? target - is->seek_rel + 2 : INT64_MIN;
            const int64_t hi = is->seek_rel < 0 ? target - is->seek_rel - 2 : INT64_MAX;
            int r = ff::avformat_seek_file(is->ic, -1, lo, target, hi, is->seek_flags);
            if (r < 0)
                r = ff::av_seek_frame(is->ic, -1, target, is->seek_flags);
            if (r < 0)
                r = ff::av_seek_frame(is->ic, -1, target, is->seek_flags ^ AVSEEK_FLAG_BACKWARD);
            if (r < 0) {
                ReportError(platform::Format("%s: error while seeking", name), false);
                if (is->video_stream >= 0)
                    FPictEvent.SetEvent();
                // Nothing was flushed, so no picture will end the dropping
                // that a done seek starts: playback goes on where it was.
                is->seek_paused = 0;
                FSeeking = false;
            } else {
                // Set before the flush packets, which hand it to the decoders.
                is->seek_target = (is->seek_flags & AVSEEK_FLAG_BYTE) ? std::nan("") : double(target) / 1000000.0;
                if (is->audio_stream >= 0) {
                    is->audioq.Flush();
                    is->audioq.PutFlush();
                }
                if (is->subtitle_stream >= 0) {
                    is->subtitleq.Flush();
                    is->subtitleq.PutFlush();
                }
                if (is->video_stream >= 0) {
                    is->seek_flushed = 0;
                    is->videoq.Flush();
                    is->videoq.PutFlush();
                    FPictEvent.ResetEvent();
                }
                is->seek_done = 1;
            }
            is->ErrorEOF = 0;
            is->ReachEOF = 0;
            is->seek_req = 0;
            FSeekEvent.SetEvent();
            if (is->video_stream < 0)
                FSeeking = false;
            eof = false;
        }

        const int total = is->audioq.size() + is->videoq.size() + is->subtitleq.size();
        if (total > MAX_QUEUE_SIZE ||
            ((is->audioq.size() > MIN_AUDIOQ_SIZE || is->audio_stream < 0) &&
             (is->videoq.nb_packets() > MIN_FRAMES || is->video_stream < 0) &&
             (is->subtitleq.nb_packets() > MIN_FRAMES || is->subtitle_stream < 0))) {
            Delay(10);
            continue;
        }
        if ((is->ic->pb && ff::avio_feof(is->ic->pb)) || eof) {
            if (is->video_stream >= 0) {
                // An empty packet drains the pictures the decoder still holds.
                ff::av_packet_unref(pkt);
                pkt->stream_index = is->video_stream;
                is->videoq.Put(pkt);
                ReleasePictureWaiters(is);
            }
            Delay(10);
            if (is->audioq.size() + is->videoq.size() + is->subtitleq.size() == 0)
                is->ReachEOF = 1;
            continue;
        }
        is->Reading = 1;
        ret = ff::av_read_frame(is->ic, pkt);
        is->Reading = 0;
        if (is->abort_request)
            break;
        if (ret < 0) {
            if (ret == AVERROR(EAGAIN)) {
                Delay(10);
                continue;
            }
            if (is->video_stream >= 0)
                ReleasePictureWaiters(is);
            if (!is->IsImage2 && !is->ErrorEOF) {
                is->ErrorEOF = 1;
                if (ret == AVERROR_EOF)
                    GetFFLogger()->Log(this, llInfo, platform::Format("reach end of file: %s", name));
                else
                    ReportError(platform::Format("error #%d while reading file: %s", ret, name), false);
            }
            if (ret == AVERROR_EOF)
                eof = true;
            if (is->ic->pb && is->ic->pb->error)
                break;
            Delay(100);
            continue;
        }
        if (pkt->stream_index == is->audio_stream)
            is->audioq.Put(pkt);
        else if (pkt->stream_index == is->video_stream)
            is->videoq.Put(pkt);
        else if (pkt->stream_index == is->subtitle_stream)
            is->subtitleq.Put(pkt);
        else
            ff::av_packet_unref(pkt);
    }
    while (!is->abort_request)
        Delay(100);
    ret = 0;
    goto done;

teardown:
    ret = -1;
done:
    if (is->Opened != 1)
        is->Opened = -1;
    if (is->audio_stream >= 0)
        CloseStreamComponent(is, is->audio_stream);
    if (is->video_stream >= 0)
        CloseStreamComponent(is, is->video_stream);
    if (is->subtitle_stream >= 0)
        CloseStreamComponent(is, is->subtitle_stream);
    if (FAVProbe)
        FAVProbe->SetFileHandle(nullptr);
    if (is->ic)
        CloseInputURL(&is->ic);
    ff::av_packet_free(&pkt);
    if (ret != 0)
        PushQuitEvent(is);
    if (is->Opened == -1)
        is->Opened = -2;
    return 0;
}

void TCustomPlayer::StreamSeek(TVideoState* is, TSeekFlags AFlags, bool AWait, int64_t ARel, int64_t APos)
{
    if (is->seek_req)
        return;
    FSeeking = true;
    ++FSeekRequests;
    is->seek_paused = int(is->paused);
    is->seek_pos = APos;
    is->seek_rel = ARel;
    is->seek_flags = ConvertSeekFlags(AFlags);
    FSeekEvent.ResetEvent();
    {
        // After a seek the position may go back: the next one is reported
        // whatever it is.
        std::lock_guard<std::recursive_mutex> guard(FPositionLock);
        FLastPTS = AV_NOPTS_VALUE;
    }
    // Positions from before the seek are no news to the caller any more.
    FPlayEvent.Discard(1);
    is->seek_req = 1;
    if (!AWait)
        return;
    platform::WaitServing(FSeekEvent);
    if (is->video_stream >= 0)
        platform::WaitServing(FPictEvent);
}

int TCustomPlayer::OpenStreamComponent(TVideoState* is, int AStreamIndex)
{
    AVFormatContext* ic = is->ic;
    if (AStreamIndex < 0 || unsigned(AStreamIndex) >= ic->nb_streams)
        return -1;
    AVStream* st = ic->streams[AStreamIndex];
    const AVCodec* codec = ff::avcodec_find_decoder(st->codecpar->codec_id);
    AVCodecContext* dec = ff::avcodec_alloc_context3(codec);
    if (!dec)
        return -1;
    int ret = ff::avcodec_parameters_to_context(dec, st->codecpar);
    dec->pkt_timebase = st->time_base;
    dec->workaround_bugs = workaround_bugs;
    dec->lowres = codec ? std::min(lowres, int(codec->max_lowres)) : 0;
    dec->idct_algo = idct_algo;
    if (fast)
        dec->flags2 |= AV_CODEC_FLAG2_FAST;
    dec->err_recognition = error_recognition;
    dec->error_concealment = error_concealment;
    dec->thread_count = 1;
    {
        platform::TLockGuard guard(CodecLock());
        if (ret >= 0 && codec)
            ret = ff::avcodec_open2(dec, codec, nullptr);
    }
    if (!codec || ret < 0) {
        ff::avcodec_free_context(&dec);
        ReportError("avcodec_open() failed.", false);
        return -1;
    }

    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_AUDIO: {
        // The device gets one or two channels; more are mixed down. The
        // state is complete before the device's thread starts calling back.
        const int channels = dec->ch_layout.nb_channels;
        is->audio_channels = (channels == 1 || channels == 2) ? channels : 2;
        is->audio_sample_rate = dec->sample_rate;
        is->audio_src_fmt = -1;
        is->audio_dec = dec;
        is->audio_st = st;
        is->audio_buf_size = 0;
        is->audio_buf_index = 0;
        // e raised to log10(0.01) / 20: the averaging weight of audio drift.
        is->audio_diff_avg_coef = std::exp(std::log10(0.01) / AUDIO_DIFF_AVG_NB);
        is->audio_diff_avg_count = 0;
        is->audio_diff_threshold = dec->sample_rate > 0 ? 2048.0 / dec->sample_rate : 0;
        is->audio_pkt_pending = false;
        is->audioq.Init();
        is->audioq.PutFlush();
        SDL_AudioSpec wanted{};
        wanted.freq = dec->sample_rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = uint8_t(is->audio_channels);
        wanted.silence = 0;
        wanted.samples = 1024;
        wanted.callback = [](void* AUser, uint8_t* AStream, int ALen) {
            auto* state = static_cast<TVideoState*>(AUser);
            state->Owner->AudioCallback(state, AStream, ALen);
        };
        wanted.userdata = is;
        if (dec->sample_rate <= 0 || !OpenAudioDevice(&wanted)) {
            ReportError(std::string("SDL_OpenAudio() failed: ") + sdl::SDL_GetError(), false);
            is->audio_dec = nullptr;
            is->audio_st = nullptr;
            is->audioq.Flush();
            platform::TLockGuard guard(CodecLock());
            ff::avcodec_free_context(&dec);
            return -1;
        }
        st->discard = AVDISCARD_DEFAULT;
        is->AudioDuration = st->duration != AV_NOPTS_VALUE
                                ? ff::av_rescale_q(st->duration, st->time_base, AVRational{1, 1000000})
                                : -1;
        is->audio_stream = AStreamIndex;
        sdl::SDL_PauseAudio(0);
        break;
    }
    case AVMEDIA_TYPE_VIDEO:
        st->discard = AVDISCARD_DEFAULT;
        is->video_dec = dec;
        is->video_st = st;
        is->videoq.Init();
        is->videoq.PutFlush();
        is->video_stream = AStreamIndex;
        is->video_tid = std::make_unique<platform::TAnonymousThread>([this, is] { VideoThread(is); });
        is->video_tid->Start();
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        st->discard = AVDISCARD_DEFAULT;
        is->subtitle_dec = dec;
        is->subtitle_st = st;
        is->subtitleq.Init();
        is->subtitleq.PutFlush();
        is->subtitle_stream = AStreamIndex;
        is->subtitle_tid = std::make_unique<platform::TAnonymousThread>([this, is] { SubtitleThread(is); });
        is->subtitle_tid->Start();
        break;
    default: {
        platform::TLockGuard guard(CodecLock());
        ff::avcodec_free_context(&dec);
        return -1;
    }
    }
    return 0;
}

void TCustomPlayer::CloseStreamComponent(TVideoState* is, int AStreamIndex)
{
    AVFormatContext* ic = is->ic;
    if (!ic || AStreamIndex < 0 || unsigned(AStreamIndex) >= ic->nb_streams)
        return;
    AVStream* st = ic->streams[AStreamIndex];
    AVCodecContext** dec = nullptr;
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        is->videoq.Abort();
        {
            std::lock_guard<std::mutex> guard(is->pictq_mutex);
            is->pictq_cond.notify_all();
        }
        if (is->video_tid)
            is->video_tid->WaitFor();
        is->video_tid.reset();
        is->videoq.Flush();
        dec = &is->video_dec;
        break;
    case AVMEDIA_TYPE_AUDIO:
        is->audioq.Abort();
        sdl::SDL_CloseAudio();
        is->audioq.Flush();
        ff::swr_free(&is->reformat_ctx);
        ff::av_packet_free(&is->audio_pkt);
        ff::av_frame_free(&is->audio_frame);
        dec = &is->audio_dec;
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is->subtitleq.Abort();
        {
            std::lock_guard<std::mutex> guard(is->subpq_mutex);
            is->subtitle_stream_changed = 1;
            is->subpq_cond.notify_all();
        }
        if (is->subtitle_tid)
            is->subtitle_tid->WaitFor();
        is->subtitle_tid.reset();
        is->subtitleq.Flush();
        dec = &is->subtitle_dec;
        break;
    default:
        return;
    }
    st->discard = AVDISCARD_ALL;
    {
        platform::TLockGuard guard(CodecLock());
        ff::avcodec_free_context(dec);
    }
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        is->video_st = nullptr;
        is->video_stream = -1;
        break;
    case AVMEDIA_TYPE_AUDIO:
        is->audio_st = nullptr;
        is->audio_stream = -1;
        is->AudioDuration = -1;
        break;
    default:
        is->subtitle_st = nullptr;
        is->subtitle_stream = -1;
        break;
    }
}

} // namespace engine
