// Opening the job's input and output files and adding streams to an output.

#include <cmath>
#include <ctime>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/loader/UnicodeProtocol.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {

namespace {

// Encoders that this library generation lacks, and the ones that stand in.
struct TEncoderAlias {
    const char* Name;
    const char* Alias;
};
const TEncoderAlias EncoderAliases[] = {{"libfaac", "aac"}, {"libvo_aacenc", "aac"}};

std::string EncoderName(const std::string& AName)
{
    for (const TEncoderAlias& A : EncoderAliases)
        if (AName == A.Name)
            return A.Alias;
    return AName;
}

struct TFormatContextHolder {
    AVFormatContext* Ctx = nullptr;
    bool Input = true;
    ~TFormatContextHolder()
    {
        if (!Ctx)
            return;
        if (Input) {
            CloseInputURL(&Ctx);
        } else {
            if (Ctx->pb && !(Ctx->oformat->flags & AVFMT_NOFILE))
                CloseURL(&Ctx->pb);
            ff::avformat_free_context(Ctx);
        }
    }
    AVFormatContext* Release() { return std::exchange(Ctx, nullptr); }
};

struct TDictHolder {
    AVDictionary* D = nullptr;
    ~TDictHolder() { ff::av_dict_free(&D); }
};

} // namespace

bool TCustomFFmpeg::LookUpCodec(const std::string& AName, AVMediaType AType, AVCodecID& ACodecId, int AStrictness,
                               bool AEncoder, const AVCodec** ACodec)
{
    ACodecId = AV_CODEC_ID_NONE;
    if (ACodec)
        *ACodec = nullptr;
    if (AName.empty())
        return true;
    const char* Kind = AEncoder ? "encoder" : "decoder";
    const std::string Name = AEncoder ? EncoderName(AName) : AName;
    const AVCodec* Codec =
        AEncoder ? ff::avcodec_find_encoder_by_name(Name.c_str()) : ff::avcodec_find_decoder_by_name(Name.c_str());
    if (!Codec) {
        FLastErrMsg = platform::Format("Unknown %s '%s'", Kind, AName);
        return false;
    }
    if (Codec->type != AType) {
        FLastErrMsg = platform::Format("Invalid %s type '%s'", Kind, AName);
        return false;
    }
    if ((Codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && AStrictness > FF_COMPLIANCE_EXPERIMENTAL) {
        FLastErrMsg = platform::Format(
            "%s '%s' is experimental and might produce bad results.\r\nAdd '-strict experimental' if you want to use it.",
            Kind, std::string(Codec->name));
        const AVCodec* Other = AEncoder ? ff::avcodec_find_encoder(Codec->id) : ff::avcodec_find_decoder(Codec->id);
        if (Other && !(Other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            FLastErrMsg += "\r\n" + platform::Format("Or use the non experimental %s '%s'.", Kind, std::string(Other->name));
        return false;
    }
    ACodecId = Codec->id;
    if (ACodec)
        *ACodec = Codec;
    return true;
}

void TCustomFFmpeg::ReleasePendingCodecNames()
{
    FVideoOut.Fvideo_codec_name.clear();
    FAudioOut.Faudio_codec_name.clear();
    FSubtitleOut.Fsubtitle_codec_name.clear();
    FVideoOut.Fvideo_channel = 0;
}

bool TCustomFFmpeg::OpenInputFile(const std::string& AFileName)
{
    const AVInputFormat* Fmt = nullptr;
    if (!FMuxing.Flast_asked_format.empty()) {
        Fmt = ff::av_find_input_format(FMuxing.Flast_asked_format.c_str());
        if (!Fmt)
            throw FFmpegException(platform::Format("Unknown input format: \"%s\"", FMuxing.Flast_asked_format));
        FMuxing.Flast_asked_format.clear();
    }
    if (FFiles.Fnb_input_files >= FMaxFiles)
        throw FFmpegException(platform::Format("Too many input files (at most %d)", FMaxFiles));
    // The codec names asked for belong to this file, opened or not.
    struct TReleaseNames {
        TCustomFFmpeg& J;
        ~TReleaseNames() { J.ReleasePendingCodecNames(); }
    } ReleaseNames{*this};
    TFormatContextHolder Ic;
    Ic.Ctx = ff::avformat_alloc_context();
    if (!Ic.Ctx)
        throw FFmpegException("avformat_alloc_context failed");
    TDictHolder Params;
    if (Fmt)
        SetRawInputParams(Params.D);
    ApplyRecordedFormatOptions(Ic.Ctx, false);

    const std::pair<const std::string*, AVMediaType> Names[] = {
        {&FVideoOut.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO}, {&FAudioOut.Faudio_codec_name, AVMEDIA_TYPE_AUDIO},
        {&FSubtitleOut.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE}};
    AVCodecID Ids[3];
    const AVCodec* Decoders[3];
    for (int I = 0; I < 3; ++I)
        if (!LookUpCodec(*Names[I].first, Names[I].second, Ids[I], RecordedStrictness(Names[I].second), false,
                         &Decoders[I]))
            return false;
    Ic.Ctx->video_codec_id = Ids[0];
    Ic.Ctx->audio_codec_id = Ids[1];
    Ic.Ctx->subtitle_codec_id = Ids[2];
    Ic.Ctx->flags |= AVFMT_FLAG_NONBLOCK;
    if (FVideoOut.Fpgmyuv_compatibility_hack)
        Ic.Ctx->video_codec_id = AV_CODEC_ID_PGMYUV;

    const std::string Url = FileNameToURL(AFileName);
    AVFormatContext* Raw = Ic.Release();
    int Err = OpenInputURL(&Raw, Url, Fmt, &Params.D);
    Ic.Ctx = Raw; // freed by the opening on failure
    if (Err < 0) {
        FLastErrMsg = AVErrorText(AFileName, Err);
        return false;
    }
    if (!SelectProgram(Ic.Ctx))
        return false;
    {
        platform::TLockGuard Lock(CodecLock());
        Err = ff::avformat_find_stream_info(Ic.Ctx, nullptr);
    }
    if (Err < 0 && FMuxing.Fverbose >= 0) {
        FLastErrMsg = platform::Format("%s: could not find codec parameters", AFileName);
        JobLog(this, llVerbose, FLastErrMsg);
        return false;
    }
    const int64_t Timestamp = SeekToStart(Ic.Ctx, AFileName);
    for (unsigned I = 0; I < Ic.Ctx->nb_streams; ++I)
        TakeInputStream(Ic.Ctx->streams[I], Decoders);
    if (Ic.Ctx->duration > FFiles.FTotalOutputDuration)
        FFiles.FTotalOutputDuration = Ic.Ctx->duration;
    FFiles.Finput_files_ts_offset[FFiles.Fnb_input_files] =
        FMuxing.Fcopy_ts ? FMuxing.Finput_ts_offset : FMuxing.Finput_ts_offset - Timestamp;
    if (FMuxing.Fverbose >= 0)
        ff::av_dump_format(Ic.Ctx, FFiles.Fnb_input_files, Url.c_str(), 0);
    FFiles.Finput_files[FFiles.Fnb_input_files++] = Ic.Release();
    return true;
}

// What a raw input cannot tell by itself.
void TCustomFFmpeg::SetRawInputParams(AVDictionary*& AParams)
{
    if (FVideoOut.Fframe_rate.num && FVideoOut.Fframe_rate.den)
        ff::av_dict_set(&AParams, "framerate",
                        platform::Format("%d/%d", FVideoOut.Fframe_rate.num, FVideoOut.Fframe_rate.den).c_str(), 0);
    ff::av_dict_set_int(&AParams, "sample_rate", FAudioOut.Faudio_sample_rate, 0);
    ff::av_dict_set_int(&AParams, "channels", FAudioOut.Faudio_channels, 0);
    if (FVideoOut.Fframe_width && FVideoOut.Fframe_height)
        ff::av_dict_set(&AParams, "video_size",
                        platform::Format("%dx%d", FVideoOut.Fframe_width, FVideoOut.Fframe_height).c_str(), 0);
    if (FVideoOut.Fframe_pix_fmt >= 0)
        ff::av_dict_set(&AParams, "pixel_format", ff::av_get_pix_fmt_name(AVPixelFormat(FVideoOut.Fframe_pix_fmt)), 0);
    if (!FVideoOut.Fvideo_standard.empty())
        ff::av_dict_set(&AParams, "standard", FVideoOut.Fvideo_standard.c_str(), 0);
}

// Seeks to the start time asked for (which the file then uses up); answers
// the file's time that becomes the output's zero.
int64_t TCustomFFmpeg::SeekToStart(AVFormatContext* AIc, const std::string& AFileName)
{
    int64_t Timestamp = FMuxing.Fstart_time;
    if (AIc->start_time != AV_NOPTS_VALUE)
        Timestamp += AIc->start_time;
    if (FMuxing.Fstart_time != 0) {
        if (ff::av_seek_frame(AIc, -1, Timestamp, AVSEEK_FLAG_BACKWARD) < 0 && FMuxing.Fverbose > 0)
            JobLog(this, llVerbose,
                   platform::FormatC("%s: could not seek to position %0.3f", AFileName.c_str(), Timestamp / 1000000.0));
        FMuxing.Fstart_time = 0;
    }
    return Timestamp;
}

bool TCustomFFmpeg::SelectProgram(AVFormatContext* AIc)
{
    if (FMuxing.Fopt_programid == 0)
        return true;
    for (unsigned I = 0; I < AIc->nb_streams; ++I)
        AIc->streams[I]->discard = AVDISCARD_ALL;
    bool Found = false;
    for (unsigned I = 0; I < AIc->nb_programs; ++I) {
        AVProgram* P = AIc->programs[I];
        if (P->id != FMuxing.Fopt_programid) {
            P->discard = AVDISCARD_ALL;
            continue;
        }
        Found = true;
        for (unsigned J = 0; J < P->nb_stream_indexes; ++J)
            AIc->streams[P->stream_index[J]]->discard = AVDISCARD_DEFAULT;
    }
    if (!Found) {
        FLastErrMsg = "Specified program id not found";
        return false;
    }
    FMuxing.Fopt_programid = 0;
    return true;
}

void TCustomFFmpeg::TakeInputStream(AVStream* ASt, const AVCodec* const ADecoders[3])
{
    AVCodecParameters* Par = ASt->codecpar;
    const AVCodec* Forced = nullptr;
    switch (Par->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        FAudioOut.Fchannel_layout =
            Par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? int64_t(Par->ch_layout.u.mask) : 0;
        FAudioOut.Faudio_channels = Par->ch_layout.nb_channels;
        FAudioOut.Faudio_sample_rate = Par->sample_rate;
        FAudioOut.Faudio_sample_fmt = Par->format;
        Forced = ADecoders[1];
        if (FAudioOut.Faudio_disable)
            ASt->discard = AVDISCARD_ALL;
        break;
    case AVMEDIA_TYPE_VIDEO: {
        FVideoOut.Fframe_height = Par->height;
        FVideoOut.Fframe_width = Par->width;
        AVRational Sar = ASt->sample_aspect_ratio.num ? ASt->sample_aspect_ratio : Par->sample_aspect_ratio;
        const double A = Sar.num && Sar.den ? av_q2d(Sar) : 0.0;
        if (FVideoOut.Fframe_width * FVideoOut.Fframe_height != 0)
            FVideoOut.Fframe_aspect_ratio = float(A != 0 ? A * FVideoOut.Fframe_width / FVideoOut.Fframe_height
                                                         : double(FVideoOut.Fframe_width) / FVideoOut.Fframe_height);
        else
            FVideoOut.Fframe_aspect_ratio = A != 0 ? float(A) : 4.0f / 3.0f;
        FVideoOut.Fframe_pix_fmt = Par->format < 0 ? 0 : Par->format;
        if (ASt->r_frame_rate.num && ASt->r_frame_rate.den) {
            // The stream's average rate stands for the rate its codec
            // declares; the container's real rate is the one used.
            const AVRational Avg = ASt->avg_frame_rate;
            if (Avg.num && Avg.den && av_cmp_q(Avg, ASt->r_frame_rate) != 0 && FMuxing.Fverbose >= 0)
                JobLog(this, llInfo,
                       platform::Format("Seems stream %d codec frame rate differs from container frame rate: "
                                        "%2.2f (%d/%d) -> %2.2f (%d/%d)",
                                        ASt->index, av_q2d(Avg), Avg.num, Avg.den, av_q2d(ASt->r_frame_rate),
                                        ASt->r_frame_rate.num, ASt->r_frame_rate.den));
            FVideoOut.Fframe_rate = ASt->r_frame_rate;
        }
        Forced = ADecoders[0];
        if (FVideoOut.Fvideo_disable)
            ASt->discard = AVDISCARD_ALL;
        else if (FVideoOut.Fvideo_discard)
            ASt->discard = AVDiscard(FVideoOut.Fvideo_discard);
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        Forced = ADecoders[2];
        if (FSubtitleOut.Fsubtitle_disable)
            ASt->discard = AVDISCARD_ALL;
        break;
    case AVMEDIA_TYPE_DATA:
        return;
    case AVMEDIA_TYPE_ATTACHMENT:
    case AVMEDIA_TYPE_UNKNOWN:
        break;
    default:
        throw FFmpegException("invalid codec_type");
    }
    if (FFiles.Fnb_icodecs >= int(FFiles.Finput_codecs.size()))
        FFiles.Finput_codecs.resize(FFiles.Fnb_icodecs + 1, nullptr);
    FFiles.Finput_codecs[FFiles.Fnb_icodecs++] = Forced;
}

void TCustomFFmpeg::CheckInputMedia(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio, bool& AHasSubtitle)
{
    AHasVideo = AHasAudio = AHasSubtitle = false;
    for (int I = 0; I < FFiles.Fnb_input_files && (!AFirstOnly || I == 0); ++I)
        for (unsigned S = 0; S < FFiles.Finput_files[I]->nb_streams; ++S)
            switch (FFiles.Finput_files[I]->streams[S]->codecpar->codec_type) {
            // A cover picture of a sound file is no video: one picture makes
            // no stream that a video encoder or muxer takes.
            case AVMEDIA_TYPE_VIDEO:
                AHasVideo =
                    AHasVideo || !(FFiles.Finput_files[I]->streams[S]->disposition & AV_DISPOSITION_ATTACHED_PIC);
                break;
            case AVMEDIA_TYPE_AUDIO: AHasAudio = true; break;
            case AVMEDIA_TYPE_SUBTITLE: AHasSubtitle = true; break;
            case AVMEDIA_TYPE_UNKNOWN:
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_ATTACHMENT: break;
            default: throw FFmpegException("invalid codec_type of input file");
            }
}

int TCustomFFmpeg::OpenOutputFile(const std::string& AFileName, bool AJoin)
{
    if (FFiles.FJoinMode) {
        FLastErrMsg = "Cannot join more than one output file.";
        return -1;
    }
    if (FFiles.Fnb_output_files >= FMaxFiles) {
        FLastErrMsg = platform::Format("Too many output files (at most %d)", FMaxFiles);
        return -1;
    }
    FVideoOut.FEnableFilter = !FVideoOut.Fvfilters.empty();
    const std::string Url = FileNameToURL(AFileName);
    const AVOutputFormat* Fmt = nullptr;
    if (!FMuxing.Flast_asked_format.empty()) {
        Fmt = ff::av_guess_format(FMuxing.Flast_asked_format.c_str(), nullptr, nullptr);
        if (!Fmt) {
            FLastErrMsg = platform::Format("Requested output format '%s' is not a suitable output format",
                                           FMuxing.Flast_asked_format);
            return -1;
        }
        FMuxing.Flast_asked_format.clear();
    } else {
        Fmt = ff::av_guess_format(nullptr, Url.c_str(), nullptr);
        if (!Fmt) {
            FLastErrMsg = platform::Format("Unable to find a suitable output format for '%s'", AFileName);
            return -1;
        }
    }
    TFormatContextHolder Oc;
    Oc.Input = false;
    if (ff::avformat_alloc_output_context2(&Oc.Ctx, Fmt, nullptr, Url.c_str()) < 0 || !Oc.Ctx)
        throw FFmpegException("avformat_alloc_context failed");
    KeepToLocalFiles(Oc.Ctx);
    const int FileIndex = FFiles.Fnb_output_files;
    ConverterState().OutputSetups.resize(FMaxFiles);
    ConverterState().OutputSetups[FileIndex].clear();
    if (!AddOutputStreams(Oc.Ctx, FileIndex, AJoin))
        return -1;
    if (FMuxing.Frecording_timestamp) {
        // The muxers read this tag as an ISO 8601 date; a bare count of
        // seconds is not understood and the file would carry no time.
        const time_t Stamp = time_t(FMuxing.Frecording_timestamp);
        struct tm Utc {};
        char Text[32];
        if (gmtime_r(&Stamp, &Utc) && strftime(Text, sizeof Text, "%Y-%m-%dT%H:%M:%S.000000Z", &Utc))
            ff::av_dict_set(&Oc.Ctx->metadata, "creation_time", Text, 0);
    }
    for (auto It = FMuxing.Fmetadata.rbegin(); It != FMuxing.Fmetadata.rend(); ++It)
        // Older muxers took "author"; this generation writes "artist".
        ff::av_dict_set(&Oc.Ctx->metadata, It->key == "author" ? "artist" : It->key.c_str(), It->value.c_str(), 0);
    FMuxing.Fmetadata.clear();
    FMuxing.Fmetadata_count = 0;

    if ((Fmt->flags & AVFMT_NEEDNUMBER) && !ff::av_filename_number_test(Url.c_str())) {
        FLastErrMsg = AFileName + ": Number syntax expected in filename";
        return -1;
    }
    // The file itself is opened when the job runs, so that setting an
    // output never empties a file; here only what would make that fail.
    if (!(Fmt->flags & AVFMT_NOFILE)) {
        if (RefuseOutputOverInput(AFileName))
            return -1;
        const int Err = CheckOutputPlace(AFileName);
        if (Err < 0) {
            FLastErrMsg = AVErrorText(AFileName, Err);
            return -1;
        }
    }
    Oc.Ctx->max_delay = int(FMuxing.Fmux_max_delay * 1000000);
    SetOutputFormatOptions(Oc.Ctx);
    std::fill(FFiles.Fstreamid_map.begin(), FFiles.Fstreamid_map.end(), 0);
    FOutputTargets[size_t(FFiles.Fnb_output_files)] = TOutputTarget(AFileName);
    FFiles.Foutput_files[FFiles.Fnb_output_files++] = Oc.Release();
    if (AJoin && FFiles.Fnb_input_files > 1)
        SetUpJoin();
    return FFiles.Fnb_output_files;
}

bool TCustomFFmpeg::RefuseOutputOverInput(const std::string& AFileName)
{
    for (const std::string& Input : InputFileNames())
        if (SameFile(Input, AFileName)) {
            FLastErrMsg = platform::Format("%s: the output file is an input file of the task; it would be destroyed",
                                           AFileName);
            return true;
        }
    return false;
}

bool TCustomFFmpeg::AddOutputStreams(AVFormatContext* AOc, int AFileIndex, bool AJoin)
{
    const AVOutputFormat* Fmt = AOc->oformat;
    bool UseVideo =
        Fmt->video_codec != AV_CODEC_ID_NONE || FVideoOut.Fvideo_stream_copy || !FVideoOut.Fvideo_codec_name.empty();
    bool UseAudio =
        Fmt->audio_codec != AV_CODEC_ID_NONE || FAudioOut.Faudio_stream_copy || !FAudioOut.Faudio_codec_name.empty();
    bool UseSubtitle = Fmt->subtitle_codec != AV_CODEC_ID_NONE || FSubtitleOut.Fsubtitle_stream_copy ||
        !FSubtitleOut.Fsubtitle_codec_name.empty();
    if (FFiles.Fnb_input_files > 0) {
        bool HasVideo, HasAudio, HasSubtitle;
        try {
            CheckInputMedia(AJoin, HasVideo, HasAudio, HasSubtitle);
        } catch (const platform::Exception& E) {
            FLastErrMsg = platform::Format("check_audio_video_sub_inputs fail: %s", E.Message());
            return false;
        }
        UseVideo = UseVideo && HasVideo;
        UseAudio = UseAudio && HasAudio;
        UseSubtitle = UseSubtitle && HasSubtitle;
    }
    UseVideo = UseVideo && !FVideoOut.Fvideo_disable;
    UseAudio = UseAudio && !FAudioOut.Faudio_disable;
    UseSubtitle = UseSubtitle && !FSubtitleOut.Fsubtitle_disable;
    const std::pair<bool, AVMediaType> Kinds[] = {
        {UseVideo, AVMEDIA_TYPE_VIDEO}, {UseAudio, AVMEDIA_TYPE_AUDIO}, {UseSubtitle, AVMEDIA_TYPE_SUBTITLE}};
    for (const auto& [Use, Type] : Kinds) {
        if (!Use)
            continue;
        try {
            NewStream(AOc, AFileIndex, Type);
        } catch (const platform::Exception& E) {
            FLastErrMsg = platform::Format("new_%s_stream fail: %s",
                                           Type == AVMEDIA_TYPE_VIDEO   ? "video"
                                           : Type == AVMEDIA_TYPE_AUDIO ? "audio"
                                                                        : "subtitle",
                                           E.Message());
            return false;
        }
    }
    return true;
}

void TCustomFFmpeg::SetUpJoin()
{
    FFiles.FJoinMode = true;
    int64_t Total = 0;
    for (int I = 0; I < FFiles.Fnb_input_files; ++I)
        if (FFiles.Finput_files[I]->duration != AV_NOPTS_VALUE)
            Total += FFiles.Finput_files[I]->duration;
    FFiles.FTotalOutputDuration = Total == 0 ? -1 : Total;
    for (int I = 1; I < FFiles.Fnb_input_files && FFiles.Fnb_output_files < FMaxFiles; ++I) {
        FFiles.Foutput_files[FFiles.Fnb_output_files] = FFiles.Foutput_files[FFiles.Fnb_output_files - 1];
        ++FFiles.Fnb_output_files;
    }
}

void TCustomFFmpeg::AddVideoStream() { AddStreamToLastOutput(AVMEDIA_TYPE_VIDEO); }
void TCustomFFmpeg::AddAudioStream() { AddStreamToLastOutput(AVMEDIA_TYPE_AUDIO); }
void TCustomFFmpeg::AddSubtitleStream() { AddStreamToLastOutput(AVMEDIA_TYPE_SUBTITLE); }

void TCustomFFmpeg::AddStreamToLastOutput(AVMediaType AType)
{
    if (FFiles.Fnb_output_files <= 0)
        throw FFmpegException("At least one output file must be specified");
    NewStream(FFiles.Foutput_files[FFiles.Fnb_output_files - 1], FFiles.Fnb_output_files - 1, AType);
}

} // namespace engine
