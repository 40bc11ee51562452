// New streams of an output file and the choice of formats the encoder can
// produce.

#include <cmath>
#include <cstring>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {

namespace {

// Whether a codec's list (ended by AEnd) holds AValue.
template <typename T>
bool Lists(const T* AList, T AValue, T AEnd)
{
    for (const T* P = AList; *P != AEnd; ++P)
        if (*P == AValue)
            return true;
    return false;
}

} // namespace

void ChooseSampleFormat(AVCodecContext* AEnc, const AVCodec* ACodec)
{
    if (ACodec && ACodec->sample_fmts && !Lists(ACodec->sample_fmts, AEnc->sample_fmt, AV_SAMPLE_FMT_NONE))
        AEnc->sample_fmt = ACodec->sample_fmts[0];
}

void ChoosePixelFormat(AVCodecContext* AEnc, const AVCodec* ACodec)
{
    if (!ACodec || !ACodec->pix_fmts || Lists(ACodec->pix_fmts, AEnc->pix_fmt, AV_PIX_FMT_NONE))
        return;
    if (ACodec->id == AV_CODEC_ID_MJPEG && AEnc->strict_std_compliance < 0 &&
        (AEnc->pix_fmt == AV_PIX_FMT_YUV420P || AEnc->pix_fmt == AV_PIX_FMT_YUV422P))
        return;
    AEnc->pix_fmt = ACodec->pix_fmts[0];
}

void TCustomFFmpeg::ChooseSampleRate(AVCodecContext* AEnc, const AVCodec* ACodec)
{
    if (!ACodec || !ACodec->supported_samplerates)
        return;
    int Best = 0;
    int64_t Distance = INT32_MAX;
    for (const int* P = ACodec->supported_samplerates; *P; ++P) {
        const int64_t D = std::llabs(int64_t(AEnc->sample_rate) - *P);
        if (D < Distance) {
            Best = *P;
            Distance = D;
        }
    }
    if (Distance != 0)
        JobLog(this, llWarning, platform::Format("Requested sampling rate unsupported using closest supported (%d)", Best));
    AEnc->sample_rate = Best;
}

namespace {

// The sample aspect ratio of a picture of AWidth x AHeight shown at the
// display aspect ratio AAspect, as a fraction of terms up to 255.
AVRational AspectFraction(int AWidth, int AHeight, float AAspect)
{
    const double D = AWidth * AHeight != 0 ? AHeight * double(AAspect) / AWidth : double(AAspect) * 3 / 4;
    const int E = std::max(0, int(std::nearbyint(std::log10(std::fabs(D) + 1e-20) / 0.6931471805599453)));
    const int K = (61 - E) % 32;
    AVRational R;
    ff::av_reduce(&R.num, &R.den, int64_t(std::nearbyint(D * double(int64_t(1) << K) + 0.5)), int64_t(1) << K, 255);
    return R;
}

} // namespace

void TCustomFFmpeg::ParseRcOverride(AVCodecContext* AEnc)
{
    const std::string& Text = FVideoOut.Fvideo_rc_override_string;
    if (Text.empty())
        return;
    std::vector<RcOverride> Overrides;
    const char* P = Text.c_str();
    while (P && *P) {
        int Start = 0, End = 0, Q = 0;
        if (std::sscanf(P, "%d,%d,%d", &Start, &End, &Q) != 3)
            throw FFmpegException("error parsing rc_override");
        RcOverride O = {};
        O.start_frame = Start;
        O.end_frame = End;
        if (Q > 0) {
            O.qscale = Q;
            O.quality_factor = 1.0f;
        } else {
            O.qscale = 0;
            O.quality_factor = -Q / 100.0f;
        }
        Overrides.push_back(O);
        P = std::strchr(P, '/');
        if (P)
            ++P;
    }
    AEnc->rc_override = static_cast<RcOverride*>(ff::av_malloc_array(Overrides.size(), sizeof(RcOverride)));
    if (!AEnc->rc_override)
        throw FFmpegException("av_malloc fail");
    std::copy(Overrides.begin(), Overrides.end(), AEnc->rc_override);
    AEnc->rc_override_count = int(Overrides.size());
}

namespace {

// The pending values of one stream type, and their reset once a stream of
// that type has been made, whatever happened.
struct TPendingStream {
    TJobVideoOutput& Video;
    TJobAudioOutput& Audio;
    TJobSubtitleOutput& Subtitle;
    AVMediaType Type;
    std::string& CodecName;
    std::string& Language;
    int& StreamCopy;
    std::string& Bsf;
    uint32_t Tag;

    TPendingStream(TJobVideoOutput& AVideo, TJobAudioOutput& AAudio, TJobSubtitleOutput& ASubtitle, AVMediaType AType)
        : Video(AVideo), Audio(AAudio), Subtitle(ASubtitle), Type(AType),
          CodecName(Pick(AVideo.Fvideo_codec_name, AAudio.Faudio_codec_name, ASubtitle.Fsubtitle_codec_name)),
          Language(Pick(AVideo.Fvideo_language, AAudio.Faudio_language, ASubtitle.Fsubtitle_language)),
          StreamCopy(Pick(AVideo.Fvideo_stream_copy, AAudio.Faudio_stream_copy, ASubtitle.Fsubtitle_stream_copy)),
          Bsf(Pick(AVideo.Fvideo_bitstream_filters, AAudio.Faudio_bitstream_filters,
                   ASubtitle.Fsubtitle_bitstream_filters)),
          Tag(Pick(AVideo.Fvideo_codec_tag, AAudio.Faudio_codec_tag, ASubtitle.Fsubtitle_codec_tag))
    {
    }
    ~TPendingStream()
    {
        CodecName.clear();
        Language.clear();
        StreamCopy = 0;
        if (Type == AVMEDIA_TYPE_VIDEO) {
            Video.Fvideo_disable = false;
            Video.Fframe_pix_fmt = -1;
        } else if (Type == AVMEDIA_TYPE_AUDIO) {
            Audio.Faudio_disable = false;
        } else {
            Subtitle.Fsubtitle_disable = false;
        }
    }
    template <typename T>
    T& Pick(T& AVideo, T& AAudio, T& ASubtitle) const
    {
        return Type == AVMEDIA_TYPE_VIDEO ? AVideo : Type == AVMEDIA_TYPE_AUDIO ? AAudio : ASubtitle;
    }
};

// Global headers where the container keeps them, as the options ask.
void SetHeaderFlags(AVCodecContext* AEnc, const AVFormatContext* AOc, AVMediaType AType, int AVideoGlobalHeader)
{
    const bool GlobalHeader = AOc->oformat->flags & AVFMT_GLOBALHEADER;
    if (AType == AVMEDIA_TYPE_VIDEO) {
        if ((AVideoGlobalHeader & 1) || (AVideoGlobalHeader == 0 && GlobalHeader))
            AEnc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (AVideoGlobalHeader & 2)
            AEnc->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
    } else if (AType == AVMEDIA_TYPE_AUDIO && GlobalHeader) {
        AEnc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
}

} // namespace

const AVCodec* TCustomFFmpeg::ChooseEncoder(const AVFormatContext* AOc, AVMediaType AType, const std::string& AName)
{
    if (AName.empty())
        return ff::avcodec_find_encoder(ff::av_guess_codec(AOc->oformat, nullptr, AOc->url, nullptr, AType));
    AVCodecID Id = AV_CODEC_ID_NONE;
    const AVCodec* Codec = nullptr;
    if (!LookUpCodec(AName, AType, Id, RecordedStrictness(AType), true, &Codec))
        throw FFmpegException(FLastErrMsg);
    if (FFiles.Fnb_ocodecs >= int(FFiles.Foutput_codecs.size()))
        FFiles.Foutput_codecs.resize(FFiles.Fnb_ocodecs + 1, nullptr);
    FFiles.Foutput_codecs[FFiles.Fnb_ocodecs] = Codec;
    return Codec;
}

// AMR-NB asked for by name, or as the container's own audio codec, while
// the libraries have no encoder for it. Without the program's encoder
// library the name is as unknown as any other.
bool TCustomFFmpeg::NeedsAmrNbStandIn(const AVFormatContext* AOc, const std::string& AName)
{
    const bool Asked = AName.empty() ? ff::av_guess_codec(AOc->oformat, nullptr, AOc->url, nullptr,
                                                           AVMEDIA_TYPE_AUDIO) == AV_CODEC_ID_AMR_NB
                                     : TAmrNbEncoder::IsAmrNbName(AName);
    if (!Asked)
        return false;
    if (AName.empty() ? ff::avcodec_find_encoder(AV_CODEC_ID_AMR_NB) != nullptr
                      : ff::avcodec_find_encoder_by_name(AName.c_str()) != nullptr)
        return false;
    std::string Why;
    if (!TAmrNbEncoder::Available(&Why))
        throw FFmpegException(platform::Format("Unknown encoder '%s' (%s)", AName.empty() ? std::string("amr_nb") : AName, Why));
    return true;
}

void TCustomFFmpeg::NewStream(AVFormatContext* AOc, int AFileIndex, AVMediaType AType)
{
    TPendingStream Pending(FVideoOut, FAudioOut, FSubtitleOut, AType);
    const int N = int(AOc->nb_streams);
    AVStream* St = ff::avformat_new_stream(AOc, nullptr);
    if (!St)
        throw FFmpegException("Could not alloc stream");
    St->id = N < int(FFiles.Fstreamid_map.size()) ? FFiles.Fstreamid_map[N] : 0;

    auto Setup = std::make_unique<TOutputStreamSetup>();
    Setup->StreamCopy = Pending.StreamCopy != 0;
    Setup->AmrNbStandIn = !Setup->StreamCopy && AType == AVMEDIA_TYPE_AUDIO && NeedsAmrNbStandIn(AOc, Pending.CodecName);
    if (!Setup->StreamCopy && !Setup->AmrNbStandIn)
        Setup->Codec = ChooseEncoder(AOc, AType, Pending.CodecName);
    Setup->Enc.reset(ff::avcodec_alloc_context3(Setup->Codec));
    if (!Setup->Enc)
        throw FFmpegException("avcodec_alloc_context failed");
    AVCodecContext* Enc = Setup->Enc.get();
    Enc->codec_type = AType;
    if (Setup->Codec)
        Enc->codec_id = Setup->Codec->id;
    else if (Setup->AmrNbStandIn)
        Enc->codec_id = AV_CODEC_ID_AMR_NB;
    if (!Pending.Bsf.empty()) {
        auto& Row = FFiles.Fbitstream_filters[AFileIndex];
        if (int(Row.size()) <= N)
            Row.resize(N + 1);
        Row[N] = Pending.Bsf;
        Pending.Bsf.clear();
    }
    if (Pending.Tag)
        Enc->codec_tag = Pending.Tag;
    SetHeaderFlags(Enc, AOc, AType, FVideoOut.Fvideo_global_header);
    if (AType == AVMEDIA_TYPE_VIDEO)
        SetUpVideoStream(St, Setup.get());
    else if (AType == AVMEDIA_TYPE_AUDIO)
        SetUpAudioStream(St, Setup.get());
    else if (!Setup->StreamCopy)
        ApplyRecordedCodecOptions(Enc, AType);
    ++FFiles.Fnb_ocodecs;
    if (!Pending.Language.empty())
        ff::av_dict_set(&St->metadata, "language", ToAnsi(Pending.Language).c_str(), 0);
    // Every setting is checked by now; what the encoder keeps privately is
    // made again when the task runs.
    Setup->Private.Release(Enc);
    auto& Setups = ConverterState().OutputSetups[AFileIndex];
    if (int(Setups.size()) <= N)
        Setups.resize(N + 1);
    Setups[N] = std::move(Setup);
}

void TCustomFFmpeg::SetUpVideoStream(AVStream* ASt, TOutputStreamSetup* ASetup)
{
    AVCodecContext* Enc = ASetup->Enc.get();
    const AVRational Sar =
        AspectFraction(FVideoOut.Fframe_width, FVideoOut.Fframe_height, FVideoOut.Fframe_aspect_ratio);
    if (ASetup->StreamCopy) {
        ASt->sample_aspect_ratio = Sar;
        Enc->sample_aspect_ratio = Sar;
        return;
    }
    AVRational Fps = FVideoOut.Fframe_rate.num ? FVideoOut.Fframe_rate : AVRational{25, 1};
    ApplyRecordedCodecOptions(Enc, AVMEDIA_TYPE_VIDEO);
    const AVCodec* Codec = ASetup->Codec;
    if (Codec && Codec->supported_framerates && !FVideoOut.Fforce_fps)
        Fps = Codec->supported_framerates[ff::av_find_nearest_q_idx(Fps, Codec->supported_framerates)];
    Enc->time_base = AVRational{Fps.den, Fps.num};
    Enc->framerate = Fps;
    Enc->width = FVideoOut.Fframe_width;
    Enc->height = FVideoOut.Fframe_height;
    Enc->sample_aspect_ratio = Sar;
    ASt->sample_aspect_ratio = Sar;
    Enc->pix_fmt = AVPixelFormat(FVideoOut.Fframe_pix_fmt);
    ChoosePixelFormat(Enc, Codec);
    if (FVideoOut.Fintra_only)
        Enc->gop_size = 0;
    if (FVideoOut.Fvideo_qscale != 0 || FVideoOut.Fsame_quality) {
        Enc->flags |= AV_CODEC_FLAG_QSCALE;
        ASetup->Quality = FF_QP2LAMBDA * FVideoOut.Fvideo_qscale;
        Enc->global_quality = int(ASetup->Quality);
    }
    for (auto [Matrix, Target] : {std::pair{&FVideoOut.Fintra_matrix, &Enc->intra_matrix},
                                  std::pair{&FVideoOut.Finter_matrix, &Enc->inter_matrix}})
        if (!Matrix->empty()) {
            *Target = static_cast<uint16_t*>(ff::av_malloc(64 * sizeof(uint16_t)));
            if (*Target)
                std::copy(Matrix->begin(), Matrix->end(), *Target);
        }
    ParseRcOverride(Enc);
    if (Enc->rc_initial_buffer_occupancy == 0)
        Enc->rc_initial_buffer_occupancy = Enc->rc_buffer_size * 3 / 4;
    Enc->intra_dc_precision = FVideoOut.Fintra_dc_precision - 8;
    if (FVideoOut.Fdo_psnr)
        Enc->flags |= AV_CODEC_FLAG_PSNR;
    if (FMuxing.Fdo_pass == 1)
        Enc->flags |= AV_CODEC_FLAG_PASS1;
    else if (FMuxing.Fdo_pass == 2)
        Enc->flags |= AV_CODEC_FLAG_PASS2;
}

void TCustomFFmpeg::SetUpAudioStream(AVStream*, TOutputStreamSetup* ASetup)
{
    AVCodecContext* Enc = ASetup->Enc.get();
    AVChannelLayout Layout = {};
    if (FAudioOut.Fchannel_layout &&
        __builtin_popcountll(uint64_t(FAudioOut.Fchannel_layout)) == FAudioOut.Faudio_channels)
        ff::av_channel_layout_from_mask(&Layout, uint64_t(FAudioOut.Fchannel_layout));
    else
        ff::av_channel_layout_default(&Layout, FAudioOut.Faudio_channels);
    ff::av_channel_layout_copy(&Enc->ch_layout, &Layout);
    ff::av_channel_layout_uninit(&Layout);
    Enc->sample_rate = FAudioOut.Faudio_sample_rate;
    if (ASetup->StreamCopy)
        return;
    ApplyRecordedCodecOptions(Enc, AVMEDIA_TYPE_AUDIO);
    if (FAudioOut.Faudio_qscale > -99999) {
        Enc->flags |= AV_CODEC_FLAG_QSCALE;
        ASetup->Quality = FF_QP2LAMBDA * FAudioOut.Faudio_qscale;
        Enc->global_quality = int(ASetup->Quality);
    }
    Enc->sample_fmt = AVSampleFormat(FAudioOut.Faudio_sample_fmt);
    ChooseSampleFormat(Enc, ASetup->Codec);
    ChooseSampleRate(Enc, ASetup->Codec);
    if (ASetup->AmrNbStandIn)
        SetUpAmrNbStream(Enc);
    Enc->time_base = AVRational{1, Enc->sample_rate};
}

// AMR-NB is speech: one channel of 16-bit samples at 8000 Hz, in frames of
// 160 samples.
void TCustomFFmpeg::SetUpAmrNbStream(AVCodecContext* AEnc)
{
    if (AEnc->sample_rate != TAmrNbEncoder::SampleRate)
        JobLog(this, llWarning,
               platform::Format("Requested sampling rate unsupported using closest supported (%d)", TAmrNbEncoder::SampleRate));
    if (AEnc->ch_layout.nb_channels != 1)
        JobLog(this, llWarning, "AMR-NB is mono: the channels are mixed into one");
    AEnc->sample_rate = TAmrNbEncoder::SampleRate;
    ff::av_channel_layout_uninit(&AEnc->ch_layout);
    ff::av_channel_layout_default(&AEnc->ch_layout, 1);
    AEnc->sample_fmt = AV_SAMPLE_FMT_S16;
    AEnc->frame_size = TAmrNbEncoder::FrameSamples;
}

} // namespace engine
