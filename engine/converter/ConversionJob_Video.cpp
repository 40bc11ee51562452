// The video path: crop and scale (or a filter graph), frame-rate sync by
// dropping or repeating pictures, encoding; and subtitles.

#include <cmath>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "platform/core/Format.h"

namespace engine {

void TCustomFFmpeg::CreateScaler(TAVOutputStream& AOst, int AWidth, int AHeight, int AFormat)
{
    AVCodecContext* Enc = AOst.enc;
    // The scaler aborts the process on a format it does not know, so what
    // the input says is checked first.
    if (AFormat < 0 || !ff::sws_isSupportedInput(AVPixelFormat(AFormat)))
        throw FFmpegException(platform::Format("Input video pixel format %s is unknown or not supported, stream "
                                               "cannot be converted",
                                               PixelFormatName(AFormat)));
    if (AWidth <= 0 || AHeight <= 0 || ff::av_image_check_size(unsigned(AWidth), unsigned(AHeight), 0, nullptr) < 0)
        throw FFmpegException(platform::Format("Input video frame size %dx%d is invalid", AWidth, AHeight));
    if (!ff::sws_isSupportedOutput(Enc->pix_fmt))
        throw FFmpegException(platform::Format("Video pixel format %s cannot be encoded", PixelFormatName(Enc->pix_fmt)));
    if (!AOst.pict_tmp) {
        AOst.pict_tmp = NewFrame();
        AOst.pict_tmp->format = Enc->pix_fmt;
        AOst.pict_tmp->width = Enc->width;
        AOst.pict_tmp->height = Enc->height;
        if (ff::av_frame_get_buffer(AOst.pict_tmp.get(), 0) < 0)
            throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    }
    FVideoOut.Fsws_flags = RecordedScalerFlags();
    AOst.img_resample_ctx.reset(ff::sws_getContext(AWidth, AHeight, AVPixelFormat(AFormat), Enc->width, Enc->height,
                                                   Enc->pix_fmt, int(FVideoOut.Fsws_flags), nullptr, nullptr, nullptr));
    if (!AOst.img_resample_ctx)
        throw FFmpegException("Cannot get resampling context");
    Enc->bits_per_raw_sample = 0;
}

int TCustomFFmpeg::ConfigureVideoFilters(TAVInputStream& AIst, TAVOutputStream& AOst)
{
    AVCodecContext* Enc = AOst.enc;
    const AVCodecParameters* Dec = AIst.st->codecpar;
    AOst.graph.reset(ff::avfilter_graph_alloc());
    if (!AOst.graph)
        return -1;
    AVFilterGraph* G = AOst.graph.get();
    const AVRational Sar = Dec->sample_aspect_ratio.num ? Dec->sample_aspect_ratio : AVRational{0, 1};
    const std::string SrcArgs = platform::FormatC("video_size=%dx%d:pix_fmt=%d:time_base=1/1000000:pixel_aspect=%d/%d",
                                                  Dec->width, Dec->height, Dec->format, Sar.num, Sar.den);
    if (ff::avfilter_graph_create_filter(&AOst.input_video_filter, ff::avfilter_get_by_name("buffer"), "src",
                                         SrcArgs.c_str(), nullptr, G) < 0 ||
        ff::avfilter_graph_create_filter(&AOst.out_video_filter, ff::avfilter_get_by_name("buffersink"), "out",
                                         nullptr, nullptr, G) < 0)
        return -1;
    const AVPixelFormat Formats[] = {Enc->pix_fmt, AV_PIX_FMT_NONE};
    if (ff::av_opt_set_bin(AOst.out_video_filter, "pix_fmts", reinterpret_cast<const uint8_t*>(Formats),
                           sizeof(Formats[0]), AV_OPT_SEARCH_CHILDREN) < 0)
        return -1;
    std::string Chain;
    const int CropW = Dec->width - (FVideoOut.Fframe_leftBand + FVideoOut.Fframe_rightBand);
    const int CropH = Dec->height - (FVideoOut.Fframe_topBand + FVideoOut.Fframe_bottomBand);
    if (AOst.video_crop)
        Chain += platform::FormatC("crop=%d:%d:%d:%d,", CropW, CropH, AOst.leftBand, AOst.topBand);
    if (Enc->width != CropW || Enc->height != CropH)
        Chain += platform::FormatC("scale=%d:%d,", Enc->width, Enc->height);
    Chain += FVideoOut.Fvfilters.empty() ? "null" : ToAnsi(FVideoOut.Fvfilters);
    const std::string ScaleOpts = platform::FormatC("flags=0x%X", RecordedScalerFlags());
    G->scale_sws_opts = ff::av_strdup(ScaleOpts.c_str());
    AVFilterInOut* Outputs = ff::avfilter_inout_alloc();
    AVFilterInOut* Inputs = ff::avfilter_inout_alloc();
    if (!Outputs || !Inputs) {
        ff::avfilter_inout_free(&Outputs);
        ff::avfilter_inout_free(&Inputs);
        return -1;
    }
    Outputs->name = ff::av_strdup("in");
    Outputs->filter_ctx = AOst.input_video_filter;
    Inputs->name = ff::av_strdup("out");
    Inputs->filter_ctx = AOst.out_video_filter;
    int Err = ff::avfilter_graph_parse_ptr(G, Chain.c_str(), &Inputs, &Outputs, nullptr);
    ff::avfilter_inout_free(&Outputs);
    ff::avfilter_inout_free(&Inputs);
    if (Err < 0 || ff::avfilter_graph_config(G, nullptr) < 0)
        return -1;
    // The encoder takes the picture the graph gives.
    Enc->width = ff::av_buffersink_get_w(AOst.out_video_filter);
    Enc->height = ff::av_buffersink_get_h(AOst.out_video_filter);
    return 0;
}

void TCustomFFmpeg::HandleDecodedVideo(TTranscodeRun& R, int AIstIndex, AVFrame* AFrame)
{
    TAVInputStream& Ist = *R.ist[AIstIndex];
    // The picture's own time: decoders give pictures in display order.
    const int64_t Ts = AFrame->best_effort_timestamp;
    Ist.pts = Ts != AV_NOPTS_VALUE ? ff::av_rescale_q(Ts, Ist.st->time_base, AV_TIME_BASE_Q) : Ist.next_pts;
    AVRational Rate = Ist.st->avg_frame_rate.num ? Ist.st->avg_frame_rate : Ist.st->r_frame_rate;
    if (Rate.num && Rate.den)
        Ist.next_pts = Ist.pts + ff::av_rescale_q(1 + AFrame->repeat_pict, av_inv_q(Rate), AV_TIME_BASE_Q);
    Ist.quality = float(AFrame->quality);
    RateEmulation(Ist);
    if (FMuxing.Fstart_time != 0 && Ist.pts < FMuxing.Fstart_time)
        return;
    PreprocessPicture(Ist, AFrame);
    for (auto& OstPtr : R.ost) {
        TAVOutputStream& Ost = *OstPtr;
        if (Ost.source_index != AIstIndex || !Ost.encoding_needed)
            continue;
        if (!Ost.graph) {
            OutputVideo(Ost, Ist, AFrame);
            continue;
        }
        AFrame->pts = Ist.pts;
        if (ff::av_buffersrc_add_frame_flags(Ost.input_video_filter, AFrame, AV_BUFFERSRC_FLAG_KEEP_REF) < 0)
            throw FFmpegException("Error opening filters!");
        TFramePtr Filtered = NewFrame();
        while (ff::av_buffersink_get_frame(Ost.out_video_filter, Filtered.get()) >= 0) {
            const int64_t Saved = Ist.pts;
            if (Filtered->pts != AV_NOPTS_VALUE)
                Ist.pts = Filtered->pts;
            if (Filtered->sample_aspect_ratio.num)
                Ost.enc->sample_aspect_ratio = Filtered->sample_aspect_ratio;
            OutputVideo(Ost, Ist, Filtered.get());
            Ist.pts = Saved;
            ff::av_frame_unref(Filtered.get());
        }
    }
}

int TCustomFFmpeg::VideoFrameCount(TAVOutputStream& AOst, double ASyncIpts)
{
    int NbFrames = 1;
    if (FVideoOut.Fvideo_sync_method != 0) {
        const double VDelta = ASyncIpts - double(AOst.sync_opts);
        const bool Variable = FVideoOut.Fvideo_sync_method == 2 ||
            (FVideoOut.Fvideo_sync_method < 0 &&
             (FFiles.Foutput_files[AOst.file_index]->oformat->flags & AVFMT_VARIABLE_FPS));
        if (VDelta < -1.1)
            NbFrames = 0;
        else if (Variable) {
            if (VDelta <= -0.6)
                NbFrames = 0;
            else if (VDelta > 0.6)
                AOst.sync_opts = std::llrint(ASyncIpts);
        } else if (VDelta > 1.1) {
            NbFrames = int(std::llrint(VDelta));
        }
        if (NbFrames == 0) {
            ++FCounters.Fnb_frames_drop;
            FCounters.FShowDupOrDrop = true;
            if (FMuxing.Fverbose > 2)
                JobLog(this, llVerbose, "*** drop!");
        } else if (NbFrames > 1) {
            FCounters.Fnb_frames_dup += NbFrames - 1;
            FCounters.FShowDupOrDrop = true;
            if (FMuxing.Fverbose > 2)
                JobLog(this, llVerbose, platform::Format("*** %d dup!", NbFrames - 1));
        }
    } else {
        AOst.sync_opts = std::llrint(ASyncIpts);
    }
    return std::min(NbFrames, FMuxing.Fmax_frames[0] - AOst.frame_number);
}

// The picture as the encoder takes it: cropped and scaled here unless a
// filter graph did it. A change of the input's size or format mid-stream
// re-creates the scaler.
AVFrame* TCustomFFmpeg::FormatPicture(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AIn, AVFrame* AView)
{
    if (AOst.graph)
        return AIn;
    AVFrame* Picture = AIn;
    if (AOst.video_crop) {
        if (ff::av_frame_ref(AView, AIn) < 0)
            throw FFmpegException("error cropping picture");
        AView->crop_top = AOst.topBand;
        AView->crop_bottom = AOst.bottomBand;
        AView->crop_left = AOst.leftBand;
        AView->crop_right = AOst.rightBand;
        if (ff::av_frame_apply_cropping(AView, AV_FRAME_CROP_UNALIGNED) < 0) {
            if (FMuxing.Fexit_on_error)
                throw FFmpegException("error cropping picture");
            JobLog(this, llError, "error cropping picture");
            return nullptr;
        }
        Picture = AView;
    }
    const int H = AIn->height - (AOst.topBand + AOst.bottomBand);
    const int W = AIn->width - (AOst.leftBand + AOst.rightBand);
    const bool Changed = AOst.resample_height != H || AOst.resample_width != W || AOst.resample_pix_fmt != AIn->format;
    if (Changed) {
        JobLog(this, llQuiet,
               platform::Format("Input Stream #%d.%d frame size changed to %dx%d, %s", AIst.file_index, AIst.index,
                                AIn->width, AIn->height,
                                std::string(ff::av_get_pix_fmt_name(AVPixelFormat(AIn->format)))));
        auto Band = [](int ASize, int ABand, int AOriginal) {
            return AOriginal ? int((int64_t(ASize) * ABand / AOriginal) & ~int64_t(1)) : 0;
        };
        AOst.topBand = Band(AIn->height, AOst.original_topBand, AOst.original_height);
        AOst.bottomBand = Band(AIn->height, AOst.original_bottomBand, AOst.original_height);
        AOst.leftBand = Band(AIn->width, AOst.original_leftBand, AOst.original_width);
        AOst.rightBand = Band(AIn->width, AOst.original_rightBand, AOst.original_width);
        AOst.resample_height = AIn->height - (AOst.topBand + AOst.bottomBand);
        AOst.resample_width = AIn->width - (AOst.leftBand + AOst.rightBand);
        AOst.resample_pix_fmt = AIn->format;
        AOst.video_resample = 1;
        CreateScaler(AOst, AOst.resample_width, AOst.resample_height, AIn->format);
        if (AOst.video_crop)
            return FormatPicture(AOst, AIst, AIn, (ff::av_frame_unref(AView), AView));
    }
    if (!AOst.video_resample)
        return Picture;
    if (ff::av_frame_make_writable(AOst.pict_tmp.get()) < 0)
        throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    ff::sws_scale(AOst.img_resample_ctx.get(), Picture->data, Picture->linesize, 0, AOst.resample_height,
                  AOst.pict_tmp->data, AOst.pict_tmp->linesize);
    return AOst.pict_tmp.get();
}

int TCustomFFmpeg::OutputVideo(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AIn)
{
    AVCodecContext* Enc = AOst.enc;
    const double SyncIpts = (double(AIst.pts - FMuxing.Fstart_time) / 1000000.0) / av_q2d(Enc->time_base);
    const int NbFrames = VideoFrameCount(AOst, SyncIpts);
    if (NbFrames <= 0)
        return 0;
    TFramePtr View = NewFrame();
    AVFrame* Picture = FormatPicture(AOst, AIst, AIn, View.get());
    if (!Picture)
        return 0;
    int FrameSize = 0;
    for (int I = 0; I < NbFrames; ++I) {
        if (Broken())
            return FrameSize;
        TFramePtr Frame(ff::av_frame_clone(Picture));
        if (!Frame)
            throw FFmpegException("Video encoding failed");
        Frame->interlaced_frame = AIn->interlaced_frame;
        if (Enc->flags & (AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME))
            Frame->top_field_first =
                FVideoOut.Ftop_field_first == -1 ? AIn->top_field_first : FVideoOut.Ftop_field_first;
        Frame->quality = int(std::nearbyint(FVideoOut.Fsame_quality ? AIst.quality : AOst.setup->Quality));
        if (FVideoOut.Fme_threshold == 0)
            Frame->pict_type = AV_PICTURE_TYPE_NONE;
        Frame->pts = AOst.sync_opts;
        Frame->sample_aspect_ratio = Enc->sample_aspect_ratio;
        if (!SendFrame(AOst, Frame.get()))
            throw FFmpegException("Video encoding failed");
        FrameSize = ReceivePackets(AOst);
        RunPostHooks(AOst, Frame.get());
        ++AOst.sync_opts;
        ++AOst.frame_number;
    }
    return FrameSize;
}

int TCustomFFmpeg::DecodeSubtitle(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt)
{
    TAVInputStream& Ist = *R.ist[AIstIndex];
    if (!APkt)
        return 0;
    AVSubtitle Sub = {};
    int Got = 0;
    if (ff::avcodec_decode_subtitle2(Ist.dec.get(), &Sub, &Got, const_cast<AVPacket*>(APkt)) < 0)
        return -1;
    if (!Got)
        return 0;
    struct TFree {
        AVSubtitle* S;
        ~TFree() { ff::avsubtitle_free(S); }
    } Free{&Sub};
    Ist.pts = Ist.next_pts;
    if (FMuxing.Fstart_time != 0 && Ist.pts < FMuxing.Fstart_time)
        return 0;
    for (auto& Ost : R.ost)
        if (Ost->source_index == AIstIndex && Ost->encoding_needed)
            OutputSubtitle(*Ost, Ist, &Sub, APkt->pts);
    return 0;
}

void TCustomFFmpeg::OutputSubtitle(TAVOutputStream& AOst, TAVInputStream& AIst, AVSubtitle* ASub, int64_t APts)
{
    if (APts == AV_NOPTS_VALUE) {
        if (FMuxing.Fexit_on_error)
            throw FFmpegException("Subtitle packets must have a pts");
        JobLog(this, llError, "Subtitle packets must have a pts");
        return;
    }
    // One buffer per job: jobs that encode subtitles at once never share it.
    std::vector<uint8_t>& Buffer = ConverterState().SubtitleBuffer;
    Buffer.resize(1048576);
    const int Count = AOst.enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE ? 2 : 1;
    for (int I = 0; I < Count; ++I) {
        ASub->pts = ff::av_rescale_q(APts, AIst.st->time_base, AV_TIME_BASE_Q) +
                    ff::av_rescale_q(ASub->start_display_time, AVRational{1, 1000}, AV_TIME_BASE_Q);
        ASub->end_display_time -= ASub->start_display_time;
        ASub->start_display_time = 0;
        const int Size = ff::avcodec_encode_subtitle(AOst.enc, Buffer.data(), int(Buffer.size()), ASub);
        if (Size < 0)
            throw FFmpegException("Subtitle encoding failed");
        TPacketPtr Pkt = NewPacket();
        if (ff::av_new_packet(Pkt.get(), Size) < 0)
            throw FFmpegException("Subtitle encoding failed");
        std::copy(Buffer.begin(), Buffer.begin() + Size, Pkt->data);
        Pkt->pts = ff::av_rescale_q(ASub->pts, AV_TIME_BASE_Q, AOst.st->time_base);
        if (AOst.enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE)
            Pkt->pts += 90 * (I == 0 ? ASub->start_display_time : ASub->end_display_time);
        Pkt->dts = Pkt->pts;
        Pkt->duration = ff::av_rescale_q(ASub->end_display_time, AVRational{1, 1000}, AOst.st->time_base);
        WriteOutputPacket(AOst, Pkt.get());
    }
}

// One line per encoded picture; the file is opened on the first one and
// stays open until the job's clean-up.
void TCustomFFmpeg::WriteVideoStats(TAVOutputStream& AOst, const AVPacket* APkt)
{
    if (!FVideoOut.Fvstats_file) {
        FVideoOut.Fvstats_file.reset(std::fopen(FVideoOut.Fvstats_filename.c_str(), "w"));
        if (!FVideoOut.Fvstats_file)
            throw FFmpegException("fopen fail: " + FVideoOut.Fvstats_filename);
    }
    const AVCodecContext* Enc = AOst.enc;
    FILE* F = FVideoOut.Fvstats_file.get();
    std::fprintf(F, "frame= %5d q= %2.1f ", AOst.frame_number, double(std::max<int64_t>(AOst.last_quality, 0)) / FF_QP2LAMBDA);
    if (Enc->flags & AV_CODEC_FLAG_PSNR)
        std::fprintf(F, "PSNR= %6.2f ",
                     -10.0 * std::log10(double(AOst.last_error[0]) / (double(Enc->width) * Enc->height * 255.0 * 255.0)));
    std::fprintf(F, "f_size= %6d ", APkt->size);
    const double Tick = av_q2d(Enc->time_base);
    const int64_t Pts = APkt->pts != AV_NOPTS_VALUE ? APkt->pts : AOst.sync_opts;
    const double T = std::max(double(Pts) * Tick, 0.01);
    const double Bitrate = Tick > 0 ? APkt->size * 8 / Tick / 1000 : 0;
    const double Average = double(FCounters.Fvideo_size) * 8 / T / 1000;
    std::fprintf(F, "s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ",
                 FCounters.Fvideo_size / 1024.0, T, Bitrate, Average);
    std::fprintf(F, "type= %c\n", AOst.last_pict_type);
}

} // namespace engine
