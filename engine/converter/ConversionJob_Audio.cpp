// The audio path: decoded samples, as packed 16-bit samples at the source
// rate and layout, kept in step with the input clock, converted to the
// encoder's format, rate and layout, framed and encoded.

#include <cmath>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwResampleStubs.h"
#include "platform/core/Format.h"

namespace engine {

namespace {

constexpr int SampleBytes = 2; // the packed 16-bit intermediate

SwrContext* NewSwr(const AVChannelLayout* AOutLayout, AVSampleFormat AOutFmt, int AOutRate,
                   const AVChannelLayout* AInLayout, AVSampleFormat AInFmt, int AInRate)
{
    SwrContext* S = nullptr;
    AVChannelLayout Out = *AOutLayout, In = *AInLayout; // the call takes them as non-const
    if (ff::swr_alloc_set_opts2(&S, &Out, AOutFmt, AOutRate, &In, AInFmt, AInRate, 0, nullptr) < 0)
        return nullptr;
    if (ff::swr_init(S) < 0) {
        ff::swr_free(&S);
        return nullptr;
    }
    return S;
}

} // namespace

void TCustomFFmpeg::PrepareAudioFifo(TAVOutputStream& AOst)
{
    AOst.fifo.reset(ff::av_audio_fifo_alloc(AOst.enc->sample_fmt, AOst.enc->ch_layout.nb_channels, 1024));
    if (!AOst.fifo)
        throw FFmpegException("av_fifo_alloc fail");
}

// Decoded samples to packed 16-bit at the decoder's own rate and layout.
void TCustomFFmpeg::HandleDecodedAudio(TTranscodeRun& R, int AIstIndex, AVFrame* AFrame)
{
    TAVInputStream& Ist = *R.ist[AIstIndex];
    if (!Ist.to_s16 || Ist.to_s16_rate != AFrame->sample_rate || Ist.to_s16_format != AFrame->format ||
        ff::av_channel_layout_compare(&Ist.to_s16_layout, &AFrame->ch_layout) != 0) {
        Ist.to_s16.reset(NewSwr(&AFrame->ch_layout, AV_SAMPLE_FMT_S16, AFrame->sample_rate, &AFrame->ch_layout,
                                AVSampleFormat(AFrame->format), AFrame->sample_rate));
        if (!Ist.to_s16)
            throw FFmpegException(platform::Format("Cannot convert %s sample format to %s sample format",
                                                   std::string(ff::av_get_sample_fmt_name(AVSampleFormat(AFrame->format))),
                                                   std::string("s16")));
        Ist.to_s16_rate = AFrame->sample_rate;
        Ist.to_s16_format = AFrame->format;
        ff::av_channel_layout_uninit(&Ist.to_s16_layout);
        ff::av_channel_layout_copy(&Ist.to_s16_layout, &AFrame->ch_layout);
    }
    const int Channels = AFrame->ch_layout.nb_channels;
    const size_t Bytes = size_t(AFrame->nb_samples) * Channels * SampleBytes;
    Ist.samples.resize(std::max<size_t>(Bytes, 192000));
    uint8_t* Out = Ist.samples.data();
    const int Got = ff::swr_convert(Ist.to_s16.get(), &Out, AFrame->nb_samples,
                                    const_cast<const uint8_t**>(AFrame->extended_data), AFrame->nb_samples);
    if (Got <= 0)
        return;
    int Size = Got * Channels * SampleBytes;
    // The samples' own time: a decoder working on several packets at once
    // gives its first samples only after it has taken several packets, when
    // the input clock already stands at the latest packet's time.
    const int64_t Ts = AFrame->best_effort_timestamp;
    Ist.pts = Ts != AV_NOPTS_VALUE ? ff::av_rescale_q(Ts, Ist.st->time_base, AV_TIME_BASE_Q) : Ist.next_pts;
    Ist.next_pts = Ist.pts + int64_t(1000000 / SampleBytes) * Size / (int64_t(AFrame->sample_rate) * Channels);
    if (FAudioOut.Faudio_volume != 256) {
        auto* S = reinterpret_cast<int16_t*>(Out);
        for (int I = 0; I < Size / 2; ++I)
            S[I] = int16_t(std::clamp((S[I] * FAudioOut.Faudio_volume + 128) >> 8, -32768, 32767));
    }
    RateEmulation(Ist);
    // Samples before the output's start go. A seek in the input lands on the
    // key frame before the time asked for; audio from there would come out
    // with times below zero, and the muxer would push every other stream
    // back by as much to start at zero.
    if (Ist.pts < FMuxing.Fstart_time) {
        const int64_t Skip = (FMuxing.Fstart_time - Ist.pts) * AFrame->sample_rate / 1000000;
        const int Bytes = int(std::min<int64_t>(Size, Skip * Channels * SampleBytes));
        Out += Bytes;
        Size -= Bytes;
        Ist.pts += int64_t(Bytes / (Channels * SampleBytes)) * 1000000 / AFrame->sample_rate;
        if (Size <= 0)
            return;
    }
    for (auto& Ost : R.ost)
        if (Ost->source_index == AIstIndex && Ost->encoding_needed)
            OutputAudio(*Ost, Ist, Out, Size);
}

void TCustomFFmpeg::OutputAudio(TAVOutputStream& AOst, TAVInputStream& AIst, const uint8_t* ABuf, int ASize)
{
    AVCodecContext* Enc = AOst.enc;
    const int DecChannels = AIst.to_s16_layout.nb_channels;
    const int DecRate = AIst.to_s16_rate;
    if (Enc->ch_layout.nb_channels != DecChannels)
        AOst.audio_resample = 1;
    if (!AOst.resample) {
        AOst.resample.reset(NewSwr(&Enc->ch_layout, Enc->sample_fmt, Enc->sample_rate, &AIst.to_s16_layout,
                                   AV_SAMPLE_FMT_S16, DecRate));
        if (!AOst.resample)
            throw FFmpegException(platform::Format("Can not resample %d channels @ %d Hz to %d channels @ %d Hz",
                                                   DecChannels, DecRate, Enc->ch_layout.nb_channels, Enc->sample_rate));
    }
    if (!KeepAudioInStep(AOst, AIst, ABuf, ASize))
        return;
    const int InSamples = ASize / (DecChannels * SampleBytes);
    const int OutMax = ff::swr_get_out_samples(AOst.resample.get(), InSamples);
    if (OutMax > 0) {
        uint8_t** Planes = nullptr;
        int LineSize = 0;
        if (ff::av_samples_alloc_array_and_samples(&Planes, &LineSize, Enc->ch_layout.nb_channels, OutMax,
                                                    Enc->sample_fmt, 0) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
        const int Got = ff::swr_convert(AOst.resample.get(), Planes, OutMax, &ABuf, InSamples);
        const int Written = Got > 0 ? ff::av_audio_fifo_write(AOst.fifo.get(), reinterpret_cast<void**>(Planes), Got) : 0;
        ff::av_freep(&Planes[0]);
        ff::av_freep(&Planes);
        if (Written < Got)
            throw FFmpegException("av_fifo_realloc2() failed");
    }
    EncodeAudioFrames(AOst, false);
}

// Keeps the output in step with the input clock: drops the oldest samples,
// puts silence in front or asks the resampler to stretch. False when no
// sample is left to output.
bool TCustomFFmpeg::KeepAudioInStep(TAVOutputStream& AOst, TAVInputStream& AIst, const uint8_t*& ABuf, int& ASize)
{
    AVCodecContext* Enc = AOst.enc;
    const int DecRate = AIst.to_s16_rate;
    const int FrameBytes = AIst.to_s16_layout.nb_channels * SampleBytes;
    const double Ipts = double(AIst.pts - FMuxing.Fstart_time) / 1000000.0;
    // The samples waiting in the FIFO are counted in the encoder's own format.
    const int FifoSamples = ff::av_audio_fifo_size(AOst.fifo.get());
    if (FAudioOut.Faudio_sync_method == 0) {
        AOst.sync_opts = std::llrint(Enc->sample_rate * Ipts) - FifoSamples;
    } else {
        const double Delta = Enc->sample_rate * Ipts - double(AOst.sync_opts) - FifoSamples;
        const double IDelta = DecRate * Delta / Enc->sample_rate;
        int ByteDelta = int(IDelta) * FrameBytes;
        if (std::fabs(Delta) > 50 &&
            (AIst.is_start || std::fabs(Delta) > Enc->sample_rate * double(FAudioOut.Faudio_drift_threshold))) {
            if (ByteDelta < 0) {
                ByteDelta = std::max(ByteDelta, -ASize);
                ASize += ByteDelta;
                ABuf -= ByteDelta;
                if (FMuxing.Fverbose > 2)
                    JobLog(this, llVerbose, platform::Format("discarding %d audio samples", int(-Delta)));
                if (ASize == 0)
                    return false;
                AIst.is_start = 0;
            } else {
                AOst.silence_buf.assign(size_t(ByteDelta), 0);
                AOst.silence_buf.insert(AOst.silence_buf.end(), ABuf, ABuf + ASize);
                ABuf = AOst.silence_buf.data();
                ASize += ByteDelta;
                AIst.is_start = 0;
                if (FMuxing.Fverbose > 2)
                    JobLog(this, llVerbose, platform::Format("adding %d audio samples of silence", int(Delta)));
            }
        } else if (std::fabs(Delta) > 50 && FAudioOut.Faudio_sync_method > 1) {
            const int Comp = std::clamp(int(Delta), -FAudioOut.Faudio_sync_method, FAudioOut.Faudio_sync_method);
            if (FMuxing.Fverbose > 2)
                JobLog(this, llVerbose,
                       platform::Format("compensating audio timestamp drift:%f compensation:%d in:%d", Delta, Comp,
                                        Enc->sample_rate));
            ff::swr_set_compensation(AOst.resample.get(), Comp, Enc->sample_rate);
        }
    }
    return true;
}

void TCustomFFmpeg::EncodeAudioFrames(TAVOutputStream& AOst, bool ALast)
{
    if (AOst.setup->AmrNb) {
        EncodeAmrNbFrames(AOst, ALast);
        return;
    }
    AVCodecContext* Enc = AOst.enc;
    const bool Variable = Enc->frame_size <= 1 || (Enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    while (true) {
        const int Available = ff::av_audio_fifo_size(AOst.fifo.get());
        int Samples = Variable ? Available : Enc->frame_size;
        if (Available <= 0 || (!Variable && Available < Samples && !ALast))
            return;
        const bool Short = Available < Samples;
        if (Short && (Enc->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME))
            Samples = Available;
        TFramePtr Frame = NewFrame();
        Frame->nb_samples = Samples;
        Frame->format = Enc->sample_fmt;
        Frame->sample_rate = Enc->sample_rate;
        ff::av_channel_layout_copy(&Frame->ch_layout, &Enc->ch_layout);
        if (ff::av_frame_get_buffer(Frame.get(), 0) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
        if (Short) // the last frame is filled up with silence
            ff::av_samples_set_silence(Frame->extended_data, 0, Samples, Enc->ch_layout.nb_channels, Enc->sample_fmt);
        ff::av_audio_fifo_read(AOst.fifo.get(), reinterpret_cast<void**>(Frame->extended_data), std::min(Available, Samples));
        // The encoder's clock runs on without gaps; the sync arithmetic has
        // already dropped or inserted what the input clock asked for.
        if (AOst.frame_number == 0)
            AOst.next_audio_pts = AOst.sync_opts;
        Frame->pts = AOst.next_audio_pts;
        AOst.next_audio_pts += Samples;
        AOst.sync_opts += Samples;
        ++AOst.frame_number;
        if (!SendFrame(AOst, Frame.get()))
            throw FFmpegException("Audio encoding failed");
        ReceivePackets(AOst);
        if (Short)
            return;
    }
}

void TCustomFFmpeg::OpenAmrNbEncoder(TAVOutputStream& AOst)
{
    AVCodecContext* Enc = AOst.enc;
    try {
        AOst.setup->AmrNb = std::make_unique<TAmrNbEncoder>(Enc->bit_rate);
    } catch (const std::exception& E) {
        throw FFmpegException(platform::Format("Error while opening encoder for output stream #%d.%d (Audio): %s",
                                               AOst.file_index, AOst.index, std::string(E.what())));
    }
    const int Rate = TAmrNbEncoder::BitRateOfMode(AOst.setup->AmrNb->Mode());
    if (Enc->bit_rate != Rate)
        JobLog(this, llInfo, platform::Format("AMR-NB bit rate %d is not a mode of the codec; using %d",
                                              int(Enc->bit_rate), Rate));
    Enc->bit_rate = Rate;
    AOst.codec_id = AV_CODEC_ID_AMR_NB;
    ff::avcodec_parameters_from_context(AOst.st->codecpar, Enc);
    AOst.st->time_base = Enc->time_base;
    PrepareAudioFifo(AOst);
}

// Whole frames from the FIFO through the AMR-NB encoder; the last one is
// filled up with silence.
void TCustomFFmpeg::EncodeAmrNbFrames(TAVOutputStream& AOst, bool ALast)
{
    constexpr int Samples = TAmrNbEncoder::FrameSamples;
    int16_t Frame[Samples];
    TPacketPtr Pkt = NewPacket();
    while (true) {
        const int Available = ff::av_audio_fifo_size(AOst.fifo.get());
        if (Available <= 0 || (Available < Samples && !ALast))
            return;
        std::fill(std::begin(Frame), std::end(Frame), int16_t(0));
        void* Planes[1] = {Frame};
        ff::av_audio_fifo_read(AOst.fifo.get(), Planes, std::min(Available, Samples));
        const std::vector<uint8_t> Data = AOst.setup->AmrNb->Encode(Frame);
        if (AOst.frame_number == 0)
            AOst.next_audio_pts = AOst.sync_opts;
        const int64_t Pts = AOst.next_audio_pts;
        AOst.next_audio_pts += Samples;
        AOst.sync_opts += Samples;
        ++AOst.frame_number;
        if (Data.empty())
            throw FFmpegException("Audio encoding failed");
        if (ff::av_new_packet(Pkt.get(), int(Data.size())) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
        std::copy(Data.begin(), Data.end(), Pkt->data);
        Pkt->pts = Pkt->dts = Pts;
        Pkt->duration = Samples;
        Pkt->flags |= AV_PKT_FLAG_KEY;
        WriteEncodedPacket(AOst, Pkt.get());
        ff::av_packet_unref(Pkt.get());
    }
}

} // namespace engine
