// Audio output: decoding into packed 16-bit samples for the device,
// following the master clock, mute and volume, and the samples kept for the
// visualisation.

#include "engine/player/FFPlay.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwResampleStubs.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Format.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace engine {

namespace {

// A converter from the decoder's format, rate and layout to packed 16-bit
// samples at the same rate with the device's channel count.
bool MakeConverter(TCustomPlayer* APlayer, TVideoState* is, const AVFrame* AFrame)
{
    ff::swr_free(&is->reformat_ctx);
    AVChannelLayout out{};
    ff::av_channel_layout_default(&out, is->audio_channels);
    const int r = ff::swr_alloc_set_opts2(&is->reformat_ctx, &out, AV_SAMPLE_FMT_S16, AFrame->sample_rate,
                                          const_cast<AVChannelLayout*>(&AFrame->ch_layout), AVSampleFormat(AFrame->format), AFrame->sample_rate,
                                          0, nullptr);
    ff::av_channel_layout_uninit(&out);
    if (r < 0 || ff::swr_init(is->reformat_ctx) < 0) {
        ff::swr_free(&is->reformat_ctx);
        const char* from = ff::av_get_sample_fmt_name(AVSampleFormat(AFrame->format));
        APlayer->ReportError(platform::Format("Cannot convert %s sample format to %s sample format",
                                              from ? from : "unknown", ff::av_get_sample_fmt_name(AV_SAMPLE_FMT_S16)),
                             false);
        return false;
    }
    is->audio_src_fmt = AFrame->format;
    is->audio_src_rate = AFrame->sample_rate;
    ff::av_channel_layout_uninit(&is->audio_src_layout);
    ff::av_channel_layout_copy(&is->audio_src_layout, &AFrame->ch_layout);
    return true;
}

// After a seek the demuxer starts at the key frame before the target: how
// many of the ANumber samples that begin at the audio clock lie before it.
// The clock moves past them, and the target is done with once reached.
int SamplesBeforeSeekTarget(TVideoState* is, int ANumber)
{
    const double target = is->audio_seek_target;
    if (std::isnan(target) || ANumber <= 0)
        return 0;
    const double start = is->audio_clock;
    const int skip = std::clamp(int(std::lround((target - start) * is->audio_sample_rate)), 0, ANumber);
    is->audio_clock = start + double(skip) / is->audio_sample_rate;
    if (skip < ANumber)
        is->audio_seek_target = std::nan("");
    return skip;
}

bool SameSource(TVideoState* is, const AVFrame* AFrame)
{
    return is->reformat_ctx && AFrame->format == is->audio_src_fmt && AFrame->sample_rate == is->audio_src_rate &&
           ff::av_channel_layout_compare(&AFrame->ch_layout, &is->audio_src_layout) == 0;
}

} // namespace

int TCustomPlayer::AudioDecodeFrame(TVideoState* is, double& APts)
{
    if (!is->audio_pkt)
        is->audio_pkt = ff::av_packet_alloc();
    if (!is->audio_frame)
        is->audio_frame = ff::av_frame_alloc();
    if (!is->audio_pkt || !is->audio_frame)
        return -1;
    AVCodecContext* dec = is->audio_dec;
    for (;;) {
        while (is->audio_pkt_pending) {
            const int r = ff::avcodec_receive_frame(dec, is->audio_frame);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) {
                is->audio_pkt_pending = false;
                break;
            }
            if (r < 0) {
                GetFFLogger()->Log(this, llInfo, "avcodec_decode_audio2() failed");
                is->audio_pkt_pending = false;
                break;
            }
            AVFrame* frame = is->audio_frame;
            if (!SameSource(is, frame) && !MakeConverter(this, is, frame)) {
                // The rest of the packet is dropped.
                ff::av_frame_unref(frame);
                ff::avcodec_flush_buffers(dec);
                is->audio_pkt_pending = false;
                break;
            }
            const int bytesPerFrame = 2 * is->audio_channels;
            // Leave room for the synchronisation to stretch the buffer.
            const int capacity = AUDIO_BUFFER_SIZE * 9 / 10 / bytesPerFrame;
            uint8_t* out[1] = {is->audio_buf2};
            const int n = ff::swr_convert(is->reformat_ctx, out, capacity,
                                          const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
            ff::av_frame_unref(frame);
            if (n < 0) {
                ReportError("av_audio_convert() failed", false);
                continue;
            }
            const int skip = SamplesBeforeSeekTarget(is, n);
            if (skip == n)
                continue;
            if (skip > 0)
                memmove(is->audio_buf2, is->audio_buf2 + skip * bytesPerFrame, size_t(n - skip) * bytesPerFrame);
            is->audio_buf = is->audio_buf2;
            const int size = (n - skip) * bytesPerFrame;
            APts = is->audio_clock;
            is->audio_clock = is->audio_clock + double(size) / (double(bytesPerFrame) * is->audio_sample_rate);
            return size;
        }
        if (is->paused || is->audioq.abort_request())
            return -1;
        bool flush = false;
        if (is->audioq.Get(is->audio_pkt, false, flush) <= 0)
            return -1;
        if (flush) {
            ff::avcodec_flush_buffers(dec);
            is->audio_seek_target = double(is->seek_target);
            continue;
        }
        if (is->audio_pkt->pts != AV_NOPTS_VALUE)
            is->audio_clock = av_q2d(is->audio_st->time_base) * double(is->audio_pkt->pts);
        const int r = ff::avcodec_send_packet(dec, is->audio_pkt);
        ff::av_packet_unref(is->audio_pkt);
        if (r < 0 && r != AVERROR(EAGAIN)) {
            GetFFLogger()->Log(this, llInfo, "avcodec_decode_audio2() failed");
            continue;
        }
        is->audio_pkt_pending = true;
    }
}

void TCustomPlayer::AudioCallback(TVideoState* is, uint8_t* AStream, int ALength)
{
    Faudio_callback_time = ff::av_gettime();
    while (ALength > 0) {
        if (is->audio_buf_index >= int(is->audio_buf_size)) {
            double pts = 0;
            int size = AudioDecodeFrame(is, pts);
            if (is->audioq.abort_request())
                return;
            if (size < 0) {
                is->audio_buf = is->audio_buf1;
                size = AUDIO_SILENCE_SIZE;
                memset(is->audio_buf, 0, size_t(size));
            } else {
                if (is->show_audio)
                    UpdateSampleDisplay(is, reinterpret_cast<const int16_t*>(is->audio_buf), size);
                size = SynchronizeAudio(is, is->audio_buf, size, pts);
            }
            is->audio_buf_size = unsigned(size);
            is->audio_buf_index = 0;
        }
        const int n = std::min(ALength, int(is->audio_buf_size) - is->audio_buf_index);
        if (FMute)
            memset(AStream, 0, size_t(n));
        else
            sdl::SDL_MixAudio(AStream, is->audio_buf + is->audio_buf_index, uint32_t(n), FAudioVolume);
        is->audio_buf_index += n;
        ALength -= n;
        AStream += n;
    }
}

void TCustomPlayer::UpdateSampleDisplay(TVideoState* is, const int16_t* ASamples, int ASize)
{
    int count = ASize / 2;
    int index = is->sample_array_index;
    while (count > 0) {
        const int len = std::min(SAMPLE_ARRAY_SIZE - index, count);
        memcpy(is->sample_array + index, ASamples, size_t(len) * 2);
        ASamples += len;
        index += len;
        if (index >= SAMPLE_ARRAY_SIZE)
            index = 0;
        count -= len;
    }
    is->sample_array_index = index;
}

int TCustomPlayer::SynchronizeAudio(TVideoState* is, uint8_t* ASamples, int ASize, double APts)
{
    const bool audioIsSlave = (is->av_sync_type == AV_SYNC_VIDEO_MASTER && is->video_stream >= 0) ||
                              is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (!audioIsSlave)
        return ASize;
    const int n = 2 * is->audio_channels;
    const double diff = GetAudioClock(is) - GetMasterClock(is);
    if (diff >= AV_NOSYNC_THRESHOLD) {
        // Too far apart to correct: start averaging again.
        is->audio_diff_avg_count = 0;
        is->audio_diff_cum = 0;
        return ASize;
    }
    is->audio_diff_cum = diff + is->audio_diff_avg_coef * is->audio_diff_cum;
    if (is->audio_diff_avg_count < AUDIO_DIFF_AVG_NB) {
        ++is->audio_diff_avg_count;
        return ASize;
    }
    const double avg = is->audio_diff_cum * (1.0 - is->audio_diff_avg_coef);
    if (std::fabs(avg) < is->audio_diff_threshold)
        return ASize;
    int wanted = ASize + int(std::nearbyint(diff * is->audio_sample_rate)) * n;
    const int frames = ASize / n;
    const int minSize = (frames * (100 - SAMPLE_CORRECTION_PERCENT_MAX) / 100) * n;
    // Never stretch past the end of the buffer the samples are in.
    const int capacity = (AUDIO_BUFFER_SIZE / n) * n;
    const int maxSize = std::min((frames * (100 + SAMPLE_CORRECTION_PERCENT_MAX) / 100) * n, capacity);
    wanted = std::clamp(wanted, minSize, std::max(minSize, maxSize));
    if (wanted > ASize && ASize >= n) {
        const uint8_t* last = ASamples + ASize - n;
        for (uint8_t* q = ASamples + ASize; q + n <= ASamples + wanted; q += n)
            memcpy(q, last, size_t(n));
    }
    return wanted;
}

double TCustomPlayer::GetAudioClock(TVideoState* is)
{
    double pts = is->audio_clock;
    if (is->audio_stream >= 0 && is->audio_channels > 0 && is->audio_sample_rate > 0) {
        const int left = int(is->audio_buf_size) - is->audio_buf_index;
        pts -= double(left) / (double(is->audio_sample_rate) * 2 * is->audio_channels);
    }
    return pts;
}

double TCustomPlayer::GetVideoClock(TVideoState* is)
{
    if (is->paused)
        return is->video_current_pts;
    const double drift = is->video_current_pts_drift;
    if (drift != 0)
        return drift + double(ff::av_gettime()) / 1000000.0;
    return double(is->StartTime) / 1000000.0;
}

double TCustomPlayer::GetExternalClock(TVideoState* is)
{
    return is->external_clock + double(ff::av_gettime() - is->external_clock_time) * 0.000001;
}

double TCustomPlayer::GetMasterClock(TVideoState* is)
{
    switch (is->av_sync_type) {
    case AV_SYNC_VIDEO_MASTER:
        return is->video_stream >= 0 ? GetVideoClock(is) : GetAudioClock(is);
    case AV_SYNC_AUDIO_MASTER:
        return is->audio_stream >= 0 ? GetAudioClock(is) : GetVideoClock(is);
    default:
        return GetExternalClock(is);
    }
}

} // namespace engine
