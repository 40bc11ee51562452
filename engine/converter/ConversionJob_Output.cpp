// Stream preparation, input packets to the output paths, stream copy,
// packet writing and the progress report.

#include <cmath>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/converter/SharedEncoderTables.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {

namespace {

// Errors a decoder may answer one after another before it counts as stuck.
constexpr int MaxDecodeErrorsInARow = 64;

} // namespace

void TCustomFFmpeg::PrepareOutputStreams(TTranscodeRun& R)
{
    for (size_t N = 0; N < R.ost.size(); ++N) {
        TAVOutputStream& Ost = *R.ost[N];
        TAVInputStream& Ist = *R.ist[Ost.source_index];
        if (FFiles.FJoinMode && int(N) >= R.segment) {
            Ist.decoding_needed = R.ist[R.ost[N % R.segment]->source_index]->decoding_needed;
            Ost.encoding_needed = R.ost[N % R.segment]->encoding_needed;
            continue;
        }
        ff::av_dict_copy(&Ost.st->metadata, Ist.st->metadata, AV_DICT_DONT_OVERWRITE);
        Ost.st->disposition = Ist.st->disposition;
        Ost.enc->bits_per_raw_sample = Ist.st->codecpar->bits_per_raw_sample;
        Ost.enc->chroma_sample_location = Ist.st->codecpar->chroma_location;
        if (Ost.setup->StreamCopy)
            SetUpStreamCopy(Ost, Ist);
        else
            SetUpEncoding(int(N), Ost, Ist);
    }
}

void TCustomFFmpeg::SetUpStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst)
{
    const AVCodecParameters* In = AIst.st->codecpar;
    switch (In->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        if (FAudioOut.Faudio_volume != 256)
            throw FFmpegException("-acodec copy and -vol are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_VIDEO:
        if (FEvents.FOnCustomHook)
            throw FFmpegException("-vcodec copy and CustomHook are incompatible (frames are not decoded)");
        if (FHooks.Fusing_vhook)
            throw FFmpegException("-vcodec copy and -vhook are incompatible (frames are not decoded)");
        if (PostHooks() != 0)
            throw FFmpegException("-vcodec copy and PostHooks are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_SUBTITLE: break;
    default: throw FFmpegException("invalid codec_type of output stream");
    }
    const uint32_t Tag = AOst.enc->codec_tag;
    if (ff::avcodec_parameters_copy(AOst.st->codecpar, In) < 0)
        throw FFmpegException("av_mallocz fail");
    AVCodecParameters* Out = AOst.st->codecpar;
    const AVCodecTag* const* Tags = FFiles.Foutput_files[AOst.file_index]->oformat->codec_tag;
    if (Tag)
        Out->codec_tag = Tag;
    else if (Tags && ff::av_codec_get_id(Tags, In->codec_tag) != In->codec_id &&
             ff::av_codec_get_tag(Tags, In->codec_id) != 0)
        Out->codec_tag = 0; // the container has its own tag for this codec
    if (In->codec_type == AVMEDIA_TYPE_AUDIO &&
        ((Out->block_align == 1 && Out->codec_id == AV_CODEC_ID_MP3) || Out->codec_id == AV_CODEC_ID_AC3))
        Out->block_align = 0;
    AOst.st->time_base = AIst.st->time_base;
    if (In->codec_type == AVMEDIA_TYPE_VIDEO && AOst.enc->sample_aspect_ratio.num) {
        AOst.st->sample_aspect_ratio = AIst.st->sample_aspect_ratio;
    }
}

void TCustomFFmpeg::SetUpEncoding(int AIndex, TAVOutputStream& AOst, TAVInputStream& AIst)
{
    AVCodecContext* Enc = AOst.enc;
    const AVCodecParameters* In = AIst.st->codecpar;
    switch (Enc->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        AOst.audio_resample = Enc->sample_rate != In->sample_rate || FAudioOut.Faudio_sync_method > 1;
        break;
    case AVMEDIA_TYPE_VIDEO: {
        if (Enc->pix_fmt == AV_PIX_FMT_NONE)
            throw FFmpegException("Video pixel format is unknown, stream cannot be encoded");
        const int T = FVideoOut.Fframe_topBand, B = FVideoOut.Fframe_bottomBand, L = FVideoOut.Fframe_leftBand,
                  Rt = FVideoOut.Fframe_rightBand;
        AOst.video_crop = T + B + L + Rt != 0;
        AOst.topBand = AOst.original_topBand = T;
        AOst.bottomBand = AOst.original_bottomBand = B;
        AOst.leftBand = AOst.original_leftBand = L;
        AOst.rightBand = AOst.original_rightBand = Rt;
        AOst.original_height = In->height;
        AOst.original_width = In->width;
        AOst.resample_height = In->height - T - B;
        AOst.resample_width = In->width - L - Rt;
        AOst.resample_pix_fmt = In->format;
        AOst.video_resample = AOst.resample_width != Enc->width || AOst.resample_height != Enc->height ||
                              In->format != Enc->pix_fmt;
        if (AOst.video_resample && !FVideoOut.FEnableFilter)
            CreateScaler(AOst, AOst.resample_width, AOst.resample_height, In->format);
        FLastErrMsg.clear();
        if (FVideoOut.FEnableFilter && ConfigureVideoFilters(AIst, AOst) != 0) {
            FLastErrMsg = FLastErrMsg.empty() ? "Error opening filters!" : "Error opening filters: " + FLastErrMsg;
            throw FFmpegException(FLastErrMsg);
        }
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        // Every encoder of this library generation needs a time base; the
        // packets are stamped in the stream's own.
        if (Enc->time_base.num <= 0 || Enc->time_base.den <= 0)
            Enc->time_base = AIst.st->time_base;
        break;
    default: throw FFmpegException("invalid codec_type of output stream");
    }
    AOst.encoding_needed = 1;
    AIst.decoding_needed = 1;
    if (Enc->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2))
        OpenPassLogFile(AIndex, AOst);
}

void TCustomFFmpeg::OpenPassLogFile(int AIndex, TAVOutputStream& AOst)
{
    std::string Name =
        (FMuxing.Fpass_logfilename_prefix.empty() ? std::string("ffmpeg2pass") : FMuxing.Fpass_logfilename_prefix) +
        "-" + std::to_string(AIndex) + ".log";
    if (Name.size() >= 1024)
        Name.resize(1023);
    if (AOst.enc->flags & AV_CODEC_FLAG_PASS1) {
        AOst.logfile.reset(std::fopen(Name.c_str(), "wb"));
        if (!AOst.logfile)
            throw FFmpegException(platform::Format("Cannot write log file %s for pass-1 encoding", Name));
        return;
    }
    FILE* F = std::fopen(Name.c_str(), "rb");
    if (!F)
        throw FFmpegException("Cannot read file: Error reading log file \"" + Name + "\" for pass-2 encoding");
    std::string Text;
    char Buf[65536];
    size_t Got;
    while ((Got = std::fread(Buf, 1, sizeof(Buf), F)) > 0)
        Text.append(Buf, Got);
    std::fclose(F);
    AOst.enc->stats_in = ff::av_strdup(Text.c_str());
    if (!AOst.enc->stats_in)
        throw FFmpegException("Could not allocate file buffer: Error reading log file \"" + Name + "\" for pass-2 encoding");
}

void TCustomFFmpeg::WriteOutputPacket(TAVOutputStream& AOst, AVPacket* APkt)
{
    APkt->stream_index = AOst.index;
    TBitstreamFilterChain& Chain = AOst.setup->Filters;
    if (Chain.Names.empty() && AOst.file_index < int(FFiles.Fbitstream_filters.size()) &&
        AOst.index < int(FFiles.Fbitstream_filters[AOst.file_index].size()))
        CreateBitstreamFilters(AOst);
    for (TBsfPtr& Bsf : Chain.Contexts) {
        int Err = ff::av_bsf_send_packet(Bsf.get(), APkt);
        if (Err >= 0)
            Err = ff::av_bsf_receive_packet(Bsf.get(), APkt);
        if (Err == AVERROR(EAGAIN))
            return; // the filter waits for more input
        if (Err < 0) {
            const std::string Msg = AVErrorText(
                platform::Format("%s failed for stream %d, codec %s", std::string(Bsf->filter->name), APkt->stream_index,
                                 AOst.setup->StreamCopy ? std::string("copy") : std::string(ff::avcodec_get_name(AOst.enc->codec_id))),
                Err);
            if (FMuxing.Fexit_on_error)
                throw FFmpegException(Msg);
            JobLog(this, llError, Msg);
        }
    }
    if (APkt->pts != AV_NOPTS_VALUE) {
        const int64_t End = APkt->pts + std::max<int64_t>(APkt->duration, 0);
        AOst.end_time = std::max(AOst.end_time, End * av_q2d(AOst.st->time_base));
    }
    const int Err = ff::av_interleaved_write_frame(FFiles.Foutput_files[AOst.file_index], APkt);
    TOutputTarget& Target = FOutputTargets[size_t(FFiles.FJoinMode ? 0 : AOst.file_index)];
    if (Err < 0)
        throw FFmpegException(AVErrorText(Target.FileName().empty() ? "av_interleaved_write_frame()" : Target.FileName(), Err));
    Target.CountPacket();
}

void TCustomFFmpeg::CreateBitstreamFilters(TAVOutputStream& AOst)
{
    TBitstreamFilterChain& Chain = AOst.setup->Filters;
    const std::string& Text = FFiles.Fbitstream_filters[AOst.file_index][AOst.index];
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find(',', Start);
        if (End == std::string::npos)
            End = Text.size();
        const std::string Name = Text.substr(Start, End - Start);
        Start = End + 1;
        const AVBitStreamFilter* Filter = ff::av_bsf_get_by_name(Name.c_str());
        AVBSFContext* Ctx = nullptr;
        if (!Filter || ff::av_bsf_alloc(Filter, &Ctx) < 0)
            throw FFmpegException(platform::Format("Unknown bitstream filter %s", Name));
        Chain.Contexts.emplace_back(Ctx);
        ff::avcodec_parameters_copy(Ctx->par_in, AOst.st->codecpar);
        Ctx->time_base_in = AOst.st->time_base;
        if (ff::av_bsf_init(Ctx) < 0)
            throw FFmpegException(platform::Format("Unknown bitstream filter %s", Name));
        Chain.Names.push_back(Name);
    }
    if (Chain.Names.empty())
        Chain.Names.push_back(""); // looked at once
}

void TCustomFFmpeg::WriteEncodedPacket(TAVOutputStream& AOst, AVPacket* APkt)
{
    size_t Size = 0;
    const uint8_t* Stats = ff::av_packet_get_side_data(APkt, AV_PKT_DATA_QUALITY_STATS, &Size);
    if (Stats && Size >= 6) {
        AOst.last_quality = int64_t(uint32_t(Stats[0] | Stats[1] << 8 | Stats[2] << 16 | uint32_t(Stats[3]) << 24));
        AOst.last_pict_type = ff::av_get_picture_type_char(AVPictureType(Stats[4]));
        for (int I = 0; I < 3 && Size >= size_t(8 + 8 * (I + 1)); ++I) {
            uint64_t E = 0;
            for (int B = 0; B < 8; ++B)
                E |= uint64_t(Stats[8 + 8 * I + B]) << (8 * B);
            AOst.last_error[I] = E;
        }
    }
    (AOst.enc->codec_type == AVMEDIA_TYPE_VIDEO ? FCounters.Fvideo_size : FCounters.Faudio_size) += APkt->size;
    if (AOst.enc->codec_type == AVMEDIA_TYPE_VIDEO && !FVideoOut.Fvstats_filename.empty() && APkt->size > 0)
        WriteVideoStats(AOst, APkt);
    if (AOst.logfile && AOst.enc->stats_out)
        std::fprintf(AOst.logfile.get(), "%s", AOst.enc->stats_out);
    // A picture lasts one tick of the encoder's time base (one frame).
    // Encoders that hold pictures back leave the duration out, and muxers
    // then give the last picture no time at all: an edit list cuts it off.
    if (AOst.enc->codec_type == AVMEDIA_TYPE_VIDEO && APkt->duration <= 0)
        APkt->duration = 1;
    ff::av_packet_rescale_ts(APkt, AOst.enc->time_base, AOst.st->time_base);
    WriteOutputPacket(AOst, APkt);
}

bool TCustomFFmpeg::SendFrame(TAVOutputStream& AOst, const AVFrame* AFrame)
{
    const TSharedTablesUse Use(AOst.shared_tables);
    return ff::avcodec_send_frame(AOst.enc, AFrame) >= 0;
}

int TCustomFFmpeg::ReceivePackets(TAVOutputStream& AOst)
{
    TPacketPtr Pkt = NewPacket();
    int Written = 0;
    while (true) {
        int Err;
        {
            const TSharedTablesUse Use(AOst.shared_tables);
            Err = ff::avcodec_receive_packet(AOst.enc, Pkt.get());
        }
        if (Err == AVERROR(EAGAIN) || Err == AVERROR_EOF)
            return Written;
        if (Err < 0)
            throw FFmpegException(AOst.enc->codec_type == AVMEDIA_TYPE_VIDEO ? "Video encoding failed"
                                                                             : "Audio encoding failed");
        Written += Pkt->size;
        WriteEncodedPacket(AOst, Pkt.get());
        ff::av_packet_unref(Pkt.get());
    }
}

void TCustomFFmpeg::DoStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst, const AVPacket* APkt)
{
    const int64_t StartOffset = ff::av_rescale_q(FMuxing.Fstart_time, AV_TIME_BASE_Q, AOst.st->time_base);
    if (AOst.frame_number == 0 && !(APkt->flags & AV_PKT_FLAG_KEY) && !FMuxing.Fcopy_initial_nonkeyframes)
        return;
    if (AIst.st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
        FCounters.Faudio_size += APkt->size;
    else if (AIst.st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
        FCounters.Fvideo_size += APkt->size;
        ++AOst.sync_opts;
    }
    TPacketPtr Out = NewPacket();
    if (ff::av_packet_ref(Out.get(), APkt) < 0)
        throw FFmpegException("av_mallocz fail");
    const AVRational InTb = AIst.st->time_base, OutTb = AOst.st->time_base;
    Out->pts = APkt->pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : ff::av_rescale_q(APkt->pts, InTb, OutTb) - StartOffset;
    Out->dts = (APkt->dts == AV_NOPTS_VALUE ? ff::av_rescale_q(AIst.pts, AV_TIME_BASE_Q, OutTb)
                                             : ff::av_rescale_q(APkt->dts, InTb, OutTb)) -
               StartOffset;
    Out->duration = ff::av_rescale_q(APkt->duration, InTb, OutTb);
    WriteOutputPacket(AOst, Out.get());
    ++AOst.frame_number;
}

void TCustomFFmpeg::AdvanceCopyClock(TAVInputStream& AIst, const AVPacket* APkt)
{
    const AVCodecParameters* Par = AIst.st->codecpar;
    if (APkt && APkt->duration > 0) {
        AIst.next_pts += ff::av_rescale_q(APkt->duration, AIst.st->time_base, AV_TIME_BASE_Q);
    } else if (Par->codec_type == AVMEDIA_TYPE_AUDIO && Par->sample_rate > 0) {
        AIst.next_pts += int64_t(1000000) * Par->frame_size / Par->sample_rate;
    } else if (Par->codec_type == AVMEDIA_TYPE_VIDEO && AIst.st->avg_frame_rate.num) {
        AIst.next_pts += ff::av_rescale_q(1, av_inv_q(AIst.st->avg_frame_rate), AV_TIME_BASE_Q);
    }
}

int TCustomFFmpeg::ProcessInputPacket(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt)
{
    TAVInputStream& Ist = *R.ist[AIstIndex];
    if (Ist.next_pts == AV_NOPTS_VALUE)
        Ist.next_pts = Ist.pts;
    if (APkt && APkt->dts != AV_NOPTS_VALUE)
        Ist.pts = Ist.next_pts = ff::av_rescale_q(APkt->dts, Ist.st->time_base, AV_TIME_BASE_Q);
    if (!Ist.decoding_needed) {
        if (!APkt)
            return 0;
        Ist.pts = Ist.next_pts;
        AdvanceCopyClock(Ist, APkt);
        if (FMuxing.Fstart_time == 0 || Ist.pts >= FMuxing.Fstart_time)
            for (auto& Ost : R.ost)
                if (Ost->source_index == AIstIndex && !Ost->encoding_needed)
                    DoStreamCopy(*Ost, Ist, APkt);
        return 0;
    }
    int Result;
    switch (Ist.st->codecpar->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
    case AVMEDIA_TYPE_VIDEO: Result = DecodeFrames(R, AIstIndex, APkt); break;
    case AVMEDIA_TYPE_SUBTITLE: Result = DecodeSubtitle(R, AIstIndex, APkt); break;
    default: return -1;
    }
    if (APkt)
        return Result;
    // The end of the input drains the encoders whatever its last frames
    // were like: a damaged last picture (a file cut off mid-frame) must not
    // cost the pictures the encoder still holds.
    for (auto& Ost : R.ost)
        if (Ost->source_index == AIstIndex && Ost->encoding_needed)
            FlushEncoder(*Ost);
    return Result;
}

void TCustomFFmpeg::FlushEncoder(TAVOutputStream& AOst)
{
    if (AOst.setup->AmrNb) {
        EncodeAudioFrames(AOst, true);
        return;
    }
    if (!ff::avcodec_is_open(AOst.enc) || AOst.enc->codec_type == AVMEDIA_TYPE_SUBTITLE)
        return;
    if (AOst.enc->codec_type == AVMEDIA_TYPE_AUDIO)
        EncodeAudioFrames(AOst, true);
    if (!SendFrame(AOst, nullptr))
        return; // drained already
    ReceivePackets(AOst);
}

int TCustomFFmpeg::DecodeFrames(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt)
{
    TAVInputStream& Ist = *R.ist[AIstIndex];
    if (ff::avcodec_send_packet(Ist.dec.get(), APkt) < 0 && APkt)
        return -1;
    TFramePtr Frame = NewFrame();
    int Decoded = 0;
    // Decoders of this library generation hide damage in the data and flag
    // the picture; such a picture is used, and counts as a decoding error.
    bool Damaged = false;
    // A threaded decoder tells a bad packet's error when its turn to give a
    // frame comes, often while draining: the frames behind it are still
    // good and are taken. A decoder that answers nothing but errors is
    // given up on.
    for (int Errors = 0; Errors < MaxDecodeErrorsInARow;) {
        const int Err = ff::avcodec_receive_frame(Ist.dec.get(), Frame.get());
        if (Err == AVERROR(EAGAIN) || Err == AVERROR_EOF)
            break;
        if (Err < 0) {
            Damaged = true;
            ++Errors;
            continue;
        }
        Errors = 0;
        Damaged = Damaged || Frame->decode_error_flags != 0 || (Frame->flags & AV_FRAME_FLAG_CORRUPT);
        if (++Decoded > 1 && APkt &&
            ((!Ist.showed_multi_packet_warning && FMuxing.Fverbose > 0) || FMuxing.Fverbose > 1)) {
            JobLog(this, llError, platform::Format("Multiple frames in a packet from stream %d", APkt->stream_index));
            Ist.showed_multi_packet_warning = 1;
        }
        if (Ist.st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            HandleDecodedAudio(R, AIstIndex, Frame.get());
        else
            HandleDecodedVideo(R, AIstIndex, Frame.get());
        ff::av_frame_unref(Frame.get());
    }
    return Damaged ? -1 : 0;
}

void TCustomFFmpeg::RateEmulation(TAVInputStream& AIst)
{
    if (!FMuxing.Frate_emu)
        return;
    const int64_t Now = ff::av_gettime() - AIst.start;
    if (AIst.pts - Now > 1000)
        platform::Sleep(uint32_t((AIst.pts - Now) / 1000));
}

void TCustomFFmpeg::ReportProgress(TTranscodeRun& R, int AFileIndex, bool ALast)
{
    AVIOContext* Pb = FFiles.Foutput_files[0]->pb;
    int64_t TotalSize = 0;
    if (Pb) {
        TotalSize = ff::avio_size(Pb);
        if (TotalSize < 0)
            TotalSize = ff::avio_seek(Pb, 0, SEEK_CUR);
    }
    std::string Text;
    // Before anything was written the position is 0, not a huge number.
    double ReportTime = 1e10;
    int Frame = -1, Fps = -1;
    float Q = -1;
    bool VideoSeen = false;
    for (auto& OstPtr : R.ost) {
        TAVOutputStream& Ost = *OstPtr;
        const bool IsVideo = Ost.enc->codec_type == AVMEDIA_TYPE_VIDEO;
        const float StreamQ = Ost.encoding_needed && Ost.last_quality >= 0 ? float(Ost.last_quality) / FF_QP2LAMBDA : -1;
        if (VideoSeen && IsVideo)
            Text += platform::FormatC("q=%2.1f ", StreamQ);
        if (!VideoSeen && IsVideo && Ost.show_fps == 1) {
            const float T = float(ff::av_gettime() - FCounters.Ftimer_start) / 1000000.0f;
            Frame = Ost.frame_number;
            if (Frame < 1)
                return;
            Fps = T > 1 ? int(Frame / T + 0.5f) : 0;
            Q = StreamQ;
            Text += platform::FormatC("frame=%5d fps=%3d q=%3.1f ", Frame, Fps, Q);
            if (ALast)
                Text += "L";
            if (FVideoOut.Fqp_hist)
                Text += QpHistogramText(Ost);
            if (Ost.enc->flags & AV_CODEC_FLAG_PSNR)
                Text += PsnrText(Ost, Frame, ALast);
            VideoSeen = true;
        }
        if (Ost.end_time > 0 && Ost.end_time < ReportTime)
            ReportTime = Ost.end_time;
    }
    if (ReportTime >= 1e10)
        ReportTime = 0;
    const double Time = std::max(ReportTime, 0.01);
    if (!(FEvents.FOnProgress || FMuxing.Fverbose > 0 || ALast))
        return;
    const double Bitrate = TotalSize * 8 / Time / 1000;
    Text += platform::FormatC("size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", TotalSize / 1024.0, ReportTime, Bitrate);
    if (FCounters.Fnb_frames_dup || FCounters.Fnb_frames_drop) {
        Text += platform::FormatC(" dup=%d drop=%d", FCounters.Fnb_frames_dup, FCounters.Fnb_frames_drop);
        if (FCounters.FShowDupOrDrop && FMuxing.Fverbose >= 0 && FEvents.FOnProgress) {
            FCounters.FShowDupOrDrop = false;
            JobLog(this, llVerbose, Text);
        }
    }
    if (FEvents.FOnProgress)
        FEvents.FOnProgress(this, AFileIndex, Frame, Fps, Q, float(Bitrate), TotalSize, int64_t(ReportTime * 1000000),
                    FFiles.FTotalOutputDuration);
    else if (FMuxing.Fverbose >= 0)
        JobLog(this, llVerbose, Text);
    if (ALast && FMuxing.Fverbose >= 0) {
        const double Raw = double(FCounters.Faudio_size + FCounters.Fvideo_size + FCounters.Fextra_size);
        // Nothing written: no overhead to speak of.
        const double Overhead = Raw > 0 ? 100.0 * (TotalSize - Raw) / Raw : 0.0;
        JobLog(this, llVerbose,
               platform::Format("video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %f%%",
                                FCounters.Fvideo_size / 1024.0, FCounters.Faudio_size / 1024.0,
                                FCounters.Fextra_size / 1024.0, Overhead) +
                   "\r\n");
    }
}

std::string TCustomFFmpeg::QpHistogramText(TAVOutputStream& AOst)
{
    auto& Hist = ConverterState().QpHistogram;
    const int Qp = int(std::nearbyint(double(AOst.last_quality) / FF_QP2LAMBDA));
    if (Qp >= 0 && Qp < 52)
        ++Hist[Qp];
    std::string Text;
    for (int J = 0; J < 32; ++J)
        Text += platform::FormatC("%X", int(std::nearbyint(std::log(double(Hist[J] + 1)) / std::log(2.0))));
    return Text;
}

std::string TCustomFFmpeg::PsnrText(TAVOutputStream& AOst, int AFrame, bool ALast)
{
    static const char Letters[3] = {'Y', 'U', 'V'};
    AVCodecContext* Enc = AOst.enc;
    double ErrorSum = 0, ScaleSum = 0;
    std::string Text = "PSNR=";
    auto Psnr = [](double X) { return -10.0 * std::log(X) / std::log(10.0); };
    for (int J = 0; J < 3; ++J) {
        double Error = ALast ? double(Enc->error[J]) : double(AOst.last_error[J]);
        double Scale = double(Enc->width) * Enc->height * 255.0 * 255.0 * (ALast ? AFrame : 1);
        if (J)
            Scale /= 4;
        ErrorSum += Error;
        ScaleSum += Scale;
        Text += platform::FormatC("%c:%2.2f ", Letters[J], Psnr(Error / Scale));
    }
    return Text + platform::FormatC("*:%2.2f ", Psnr(ErrorSum / ScaleSum));
}

} // namespace engine
