// The transcode: set-up of the run's streams and codecs, the packet loop and
// the end of the run.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>
#include <cstring>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/converter/SharedEncoderTables.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/loader/UnicodeProtocol.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {


namespace {

std::string TypeName(const AVCodecContext* C) { return MediaTypeName(C->codec_type); }

} // namespace

void TCustomFFmpeg::BuildInputTables(TTranscodeRun& R)
{
    for (int I = 0; I < FFiles.Fnb_input_files; ++I) {
        TAVInputFile F;
        F.ist_index = int(R.ist.size());
        F.nb_streams = int(FFiles.Finput_files[I]->nb_streams);
        R.files.push_back(F);
        for (int K = 0; K < F.nb_streams; ++K) {
            auto Ist = std::make_unique<TAVInputStream>();
            Ist->st = FFiles.Finput_files[I]->streams[K];
            Ist->file_index = I;
            Ist->index = K;
            if (FMuxing.Frate_emu)
                Ist->start = ff::av_gettime();
            R.ist.push_back(std::move(Ist));
        }
    }
}

void TCustomFFmpeg::BuildOutputTable(TTranscodeRun& R)
{
    int Total = 0;
    for (int I = 0; I < FFiles.Fnb_output_files; ++I) {
        if (FFiles.Foutput_files[I]->nb_streams == 0) {
            ff::av_dump_format(FFiles.Foutput_files[I], I, FFiles.Foutput_files[I]->url, 1);
            throw FFmpegException(platform::Format("Output file #%d does not contain any stream", I));
        }
        Total += int(FFiles.Foutput_files[I]->nb_streams);
    }
    R.segment = int(FFiles.Foutput_files[0]->nb_streams);
    if (FFiles.Fnb_stream_maps > 0 && FFiles.Fnb_stream_maps != Total)
        throw FFmpegException("Number of stream maps must match number of output streams");
    for (int I = 0; I < FFiles.Fnb_stream_maps; ++I) {
        const TAVStreamMap& M = FFiles.Fstream_maps[I];
        if (M.file_index < 0 || M.file_index >= FFiles.Fnb_input_files || M.stream_index < 0 ||
            M.stream_index >= R.files[M.file_index].nb_streams)
            throw FFmpegException(platform::Format("Could not find input stream #%d.%d", M.file_index, M.stream_index));
        if (M.sync_file_index < 0 || M.sync_file_index >= FFiles.Fnb_input_files || M.sync_stream_index < 0 ||
            M.sync_stream_index >= R.files[M.sync_file_index].nb_streams)
            throw FFmpegException(
                platform::Format("Could not find sync stream #%d.%d", M.sync_file_index, M.sync_stream_index));
    }
    auto& Setups = ConverterState().OutputSetups;
    for (int J = 0; J < FFiles.Fnb_output_files; ++J) {
        // Join entries share the streams of entry 0.
        const int SetupFile = FFiles.FJoinMode ? 0 : J;
        for (unsigned K = 0; K < FFiles.Foutput_files[J]->nb_streams; ++K) {
            auto Ost = std::make_unique<TAVOutputStream>();
            Ost->file_index = J;
            Ost->index = int(K);
            Ost->st = FFiles.Foutput_files[J]->streams[K];
            if (SetupFile >= int(Setups.size()) || K >= Setups[SetupFile].size() || !Setups[SetupFile][K])
                throw FFmpegException(platform::Format("Output file #%d does not contain any stream", J));
            Ost->setup = Setups[SetupFile][K].get();
            Ost->enc = Ost->setup->Enc.get();
            Ost->setup->Private.Restore(Ost->enc);
            R.ost.push_back(std::move(Ost));
        }
    }
}

bool TCustomFFmpeg::InProgram(const TAVInputStream& AIst)
{
    AVFormatContext* Ic = FFiles.Finput_files[AIst.file_index];
    for (unsigned P = 0; P < Ic->nb_programs; ++P) {
        if (Ic->programs[P]->id != FMuxing.Fopt_programid)
            continue;
        for (unsigned S = 0; S < Ic->programs[P]->nb_stream_indexes; ++S)
            if (int(Ic->programs[P]->stream_index[S]) == AIst.index)
                return true;
    }
    return false;
}

// How much the probe saw of a stream: the best stream wins the automatic
// choice, the first of equals.
static int64_t StreamWeight(const AVStream* ASt)
{
    if (ASt->nb_frames > 0)
        return ASt->nb_frames;
    return ASt->duration > 0 ? 1 + ASt->codecpar->bit_rate / 1000 : ASt->codecpar->bit_rate / 1000;
}

void TCustomFFmpeg::SelectSources(TTranscodeRun& R)
{
    for (size_t N = 0; N < R.ost.size(); ++N) {
        TAVOutputStream& Ost = *R.ost[N];
        const AVMediaType Type = Ost.enc->codec_type;
        if (FFiles.Fnb_stream_maps > 0) {
            const TAVStreamMap& M = FFiles.Fstream_maps[N];
            Ost.source_index = R.files[M.file_index].ist_index + M.stream_index;
            TAVInputStream& Src = *R.ist[Ost.source_index];
            if (Src.st->codecpar->codec_type != Type) {
                ff::av_dump_format(FFiles.Foutput_files[Ost.file_index], Ost.file_index,
                                   FFiles.Foutput_files[Ost.file_index]->url, 1);
                throw FFmpegException(platform::Format(
                    "Codec type mismatch for mapping #%d.%d (%s) -> #%d.%d (%s)", M.file_index, M.stream_index,
                    MediaTypeName(Src.st->codecpar->codec_type), Ost.file_index, Ost.index, MediaTypeName(Type)));
            }
            Ost.sync_ist = R.ist[R.files[M.sync_file_index].ist_index + M.sync_stream_index].get();
        } else {
            int Found = -1;
            int64_t Best = -1;
            for (size_t I = 0; I < R.ist.size(); ++I) {
                TAVInputStream& Ist = *R.ist[I];
                if (Ist.discard && Ist.st->discard != AVDISCARD_ALL && Ist.st->codecpar->codec_type == Type &&
                    (!FFiles.FJoinMode || Ist.file_index == Ost.file_index) &&
                    (!FMuxing.Fopt_programid || InProgram(Ist)) && StreamWeight(Ist.st) > Best) {
                    Best = StreamWeight(Ist.st);
                    Found = int(I);
                }
            }
            if (Found < 0 && !FMuxing.Fopt_programid && !FFiles.FJoinMode)
                for (size_t I = 0; I < R.ist.size(); ++I)
                    if (R.ist[I]->st->codecpar->codec_type == Type && R.ist[I]->st->discard != AVDISCARD_ALL)
                        Found = int(I);
            if (Found < 0) {
                ff::av_dump_format(FFiles.Foutput_files[Ost.file_index], Ost.file_index,
                                   FFiles.Foutput_files[Ost.file_index]->url, 1);
                throw FFmpegException(platform::Format("Could not find input stream matching output stream #%d.%d (%s)",
                                                       Ost.file_index, Ost.index, MediaTypeName(Type)));
            }
            Ost.source_index = Found;
            Ost.sync_ist = R.ist[Found].get();
        }
        R.ist[Ost.source_index]->discard = 0;
        Ost.show_fps = 1;
    }
}

namespace {

void CopySubtitleHeader(AVCodecContext* AEnc, const AVCodecContext* ADec)
{
    if (AEnc->subtitle_header || !ADec || !ADec->subtitle_header)
        return;
    AEnc->subtitle_header = static_cast<uint8_t*>(ff::av_mallocz(size_t(ADec->subtitle_header_size) + 1));
    if (!AEnc->subtitle_header)
        throw FFmpegException("av_mallocz failed");
    std::memcpy(AEnc->subtitle_header, ADec->subtitle_header, size_t(ADec->subtitle_header_size));
    AEnc->subtitle_header_size = ADec->subtitle_header_size;
}

} // namespace

void TCustomFFmpeg::OpenEncoders(TTranscodeRun& R)
{
    const size_t Count = FFiles.FJoinMode ? size_t(R.segment) : R.ost.size();
    for (size_t N = 0; N < Count; ++N) {
        TAVOutputStream& Ost = *R.ost[N];
        if (!Ost.encoding_needed)
            continue;
        if (Ost.setup->AmrNbStandIn) {
            OpenAmrNbEncoder(Ost);
            continue;
        }
        const AVCodec* Codec = Ost.setup->Codec ? Ost.setup->Codec : ff::avcodec_find_encoder(Ost.enc->codec_id);
        if (!Codec) {
            const std::string Msg =
                platform::Format("Encoder (codec id %d) not found for output stream #%d.%d (%s)", int(Ost.enc->codec_id),
                                 Ost.file_index, Ost.index, TypeName(Ost.enc));
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
        if (Ost.enc->codec_type == AVMEDIA_TYPE_SUBTITLE)
            CopySubtitleHeader(Ost.enc, R.ist[size_t(Ost.source_index)]->dec.get());
        int Err;
        {
            Ost.shared_tables = UsesSharedEncoderTables(Codec);
            const TSharedTablesSetUp SetUp(Ost.shared_tables);
            platform::TLockGuard Lock(CodecLock());
            Ost.codec_id = Ost.enc->codec_id;
            if (Ost.enc->codec_type != AVMEDIA_TYPE_SUBTITLE)
                Ost.enc->thread_count = R.codec_threads;
            Err = ff::avcodec_open2(Ost.enc, Codec, nullptr);
            if (Err >= 0)
                AddCodecItem(FEncoderList, &Ost, Ost.enc);
        }
        if (Err < 0) {
            const std::string Msg = platform::Format(
                "Error while opening encoder for output stream #%d.%d (%s) - maybe incorrect parameters such as "
                "bit_rate, rate, width or height. Please check error log message to find out more detail information.",
                Ost.file_index, Ost.index, TypeName(Ost.enc));
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
        FCounters.Fextra_size += Ost.enc->extradata_size;
        ff::avcodec_parameters_from_context(Ost.st->codecpar, Ost.enc);
        Ost.st->time_base = Ost.enc->time_base;
        if (Ost.enc->codec_type == AVMEDIA_TYPE_AUDIO)
            PrepareAudioFifo(Ost);
    }
    // Join entries share the streams: the encoders are those of entry 0.
    for (size_t N = Count; N < R.ost.size(); ++N)
        R.ost[N]->enc = R.ost[N % R.segment]->enc;
}

void TCustomFFmpeg::OpenDecoders(TTranscodeRun& R)
{
    for (size_t N = 0; N < R.ist.size(); ++N) {
        TAVInputStream& Ist = *R.ist[N];
        if (!Ist.decoding_needed)
            continue;
        const AVCodec* Codec = N < FFiles.Finput_codecs.size() && FFiles.Finput_codecs[N]
                                   ? FFiles.Finput_codecs[N]
                                   : ff::avcodec_find_decoder(Ist.st->codecpar->codec_id);
        const std::string Type = MediaTypeName(Ist.st->codecpar->codec_type);
        if (!Codec) {
            const std::string Msg = platform::Format("Decoder (codec id %d) not found for input stream #%d.%d (%s)",
                                                     int(Ist.st->codecpar->codec_id), Ist.file_index, Ist.index, Type);
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
        if (!Ist.dec) {
            Ist.dec.reset(ff::avcodec_alloc_context3(Codec));
            if (!Ist.dec || ff::avcodec_parameters_to_context(Ist.dec.get(), Ist.st->codecpar) < 0)
                throw FFmpegException("avcodec_alloc_context failed");
            Ist.dec->pkt_timebase = Ist.st->time_base;
        }
        Ist.dec->thread_count = R.codec_threads;
        int Err;
        {
            platform::TLockGuard Lock(CodecLock());
            Err = ff::avcodec_open2(Ist.dec.get(), Codec, nullptr);
            if (Err >= 0)
                AddCodecItem(FDecoderList, &Ist, Ist.dec.get());
        }
        if (Err < 0) {
            const std::string Msg = platform::Format("Error while opening decoder for input stream #%d.%d (%s)",
                                                     Ist.file_index, Ist.index, Type);
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
    }
}

void TCustomFFmpeg::InitTimestamps(TTranscodeRun& R)
{
    for (auto& Ist : R.ist) {
        const AVRational Rate = Ist->st->avg_frame_rate;
        const int BFrames = Ist->st->codecpar->video_delay;
        Ist->pts = Rate.num ? -std::llrint(BFrames * 1000000.0 / (double(Rate.num) / Rate.den)) : 0;
        Ist->next_pts = AV_NOPTS_VALUE;
        Ist->is_start = 1;
    }
}

void TCustomFFmpeg::CopyMetadataMaps(TTranscodeRun& R)
{
    for (int I = 0; I < FFiles.Fnb_meta_data_maps; ++I) {
        const TAVMetaDataMap& M = FFiles.Fmeta_data_maps[I];
        std::string Msg;
        if (M.out_file < 0 || M.out_file >= FFiles.Fnb_output_files)
            Msg = platform::Format("Invalid output file index %d map_meta_data(%d,%d)", M.out_file, M.out_file, M.in_file);
        else if (M.in_file < 0 || M.in_file >= FFiles.Fnb_input_files)
            Msg = platform::Format("Invalid input file index %d map_meta_data(%d,%d)", M.in_file, M.out_file, M.in_file);
        if (!Msg.empty()) {
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
        ff::av_dict_copy(&FFiles.Foutput_files[M.out_file]->metadata, FFiles.Finput_files[M.in_file]->metadata,
                         AV_DICT_DONT_OVERWRITE);
    }
}

namespace {

struct TChapterFree {
    void operator()(AVChapter* AChapter) const
    {
        ff::av_dict_free(&AChapter->metadata);
        ff::av_free(AChapter);
    }
};
using TChapterPtr = std::unique_ptr<AVChapter, TChapterFree>;

TChapterPtr NewChapter(int64_t AId, AVRational ATimeBase, int64_t AStart, int64_t AEnd)
{
    TChapterPtr Chapter(static_cast<AVChapter*>(ff::av_mallocz(sizeof(AVChapter))));
    if (!Chapter)
        throw FFmpegException("av_mallocz fail");
    Chapter->id = AId;
    Chapter->time_base = ATimeBase;
    Chapter->start = AStart;
    Chapter->end = AEnd;
    return Chapter;
}

// QuickTime and its kin keep chapters as a text track: one sample after the
// other from the start, so a gap before or between chapters would move the
// later ones forward.
bool ChaptersAsATrack(const AVOutputFormat* AFormat)
{
    for (const char* Name : {"mov", "mp4", "ipod", "psp", "3gp", "3g2", "ismv", "f4v"})
        if (std::strcmp(AFormat->name, Name) == 0)
            return true;
    return false;
}

} // namespace

// The chapters of input AIn that fall in the part converted, cut to it, go
// to output AOut all together or not at all. Muxers that write chapters as
// a track of their own need them in time order, apart and each with a
// title: a chapter they skip (an untitled cue point of a WAV file) leaves
// the file pointing at a chapter track that is not there, and the file
// reads as damaged. Chapters past the input's end mark nothing converted.
void TCustomFFmpeg::CopyChapters(int AIn, int AOut)
{
    AVFormatContext* Is = FFiles.Finput_files[AIn];
    AVFormatContext* Os = FFiles.Foutput_files[AOut];
    std::vector<TChapterPtr> Chapters;
    for (unsigned I = 0; I < Is->nb_chapters; ++I) {
        const AVChapter* In = Is->chapters[I];
        const int64_t TsOff =
            ff::av_rescale_q(FMuxing.Fstart_time - FFiles.Finput_files_ts_offset[AIn], AV_TIME_BASE_Q, In->time_base);
        int64_t Rt = FMuxing.Frecording_time == INT64_MAX
            ? INT64_MAX
            : ff::av_rescale_q(FMuxing.Frecording_time, AV_TIME_BASE_Q, In->time_base);
        if (Is->duration > 0) {
            const int64_t InputEnd = ff::av_rescale_q(
                (Is->start_time == AV_NOPTS_VALUE ? 0 : Is->start_time) + Is->duration, AV_TIME_BASE_Q, In->time_base);
            Rt = std::min(Rt, InputEnd - TsOff);
        }
        if (In->end < TsOff || In->start - TsOff >= Rt)
            continue;
        TChapterPtr Out =
            NewChapter(In->id, In->time_base, std::max<int64_t>(0, In->start - TsOff), std::min(Rt, In->end - TsOff));
        ff::av_dict_copy(&Out->metadata, In->metadata, 0);
        if (!ff::av_dict_get(Out->metadata, "title", nullptr, 0))
            ff::av_dict_set(&Out->metadata, "title", "", 0);
        Chapters.push_back(std::move(Out));
    }
    std::stable_sort(Chapters.begin(), Chapters.end(), [](const TChapterPtr& A, const TChapterPtr& B) {
        return ff::av_compare_ts(A->start, A->time_base, B->start, B->time_base) < 0;
    });
    if (Chapters.empty())
        return;
    const bool Track = ChaptersAsATrack(Os->oformat);
    // Each chapter ends where the next begins at the latest; on a track, at
    // the earliest too.
    for (size_t I = 0; I + 1 < Chapters.size(); ++I) {
        const int64_t NextStart = ff::av_rescale_q(Chapters[I + 1]->start, Chapters[I + 1]->time_base,
                                                   Chapters[I]->time_base);
        Chapters[I]->end = Track ? NextStart : std::max(Chapters[I]->start, std::min(Chapters[I]->end, NextStart));
    }
    if (Track && Chapters.front()->start > 0) {
        TChapterPtr Lead = NewChapter(0, Chapters.front()->time_base, 0, Chapters.front()->start);
        ff::av_dict_set(&Lead->metadata, "title", "", 0);
        Chapters.insert(Chapters.begin(), std::move(Lead));
    }
    auto* List = static_cast<AVChapter**>(
        ff::av_realloc_array(Os->chapters, Os->nb_chapters + Chapters.size(), sizeof(AVChapter*)));
    if (!List)
        throw FFmpegException("av_realloc fail");
    Os->chapters = List;
    for (TChapterPtr& Chapter : Chapters)
        Os->chapters[Os->nb_chapters++] = Chapter.release();
}

void TCustomFFmpeg::OpenOutputTargets()
{
    const int Count = FFiles.FJoinMode ? 1 : FFiles.Fnb_output_files;
    for (int J = 0; J < Count; ++J) {
        AVFormatContext* Oc = FFiles.Foutput_files[J];
        if (Oc->oformat->flags & AVFMT_NOFILE)
            continue;
        TOutputTarget& Target = FOutputTargets[size_t(J)];
        const int Err = Target.Open(&Oc->pb);
        if (Err < 0)
            throw FFmpegException(AVErrorText(Target.FileName(), Err));
    }
}

void TCustomFFmpeg::WriteHeaders(TTranscodeRun& R)
{
    OpenOutputTargets();
    const int Count = FFiles.FJoinMode ? 1 : FFiles.Fnb_output_files;
    bool AllRtp = true;
    for (int J = 0; J < Count; ++J) {
        const int Err = ff::avformat_write_header(FFiles.Foutput_files[J], nullptr);
        // A file that cannot be written is told as such, not as bad codec
        // parameters.
        const AVIOContext* Pb = FFiles.Foutput_files[J]->pb;
        if (Err < 0 && Pb && Pb->error < 0)
            throw FFmpegException(AVErrorText(FOutputTargets[size_t(J)].FileName(), Pb->error));
        if (Err < 0) {
            const std::string Msg =
                platform::Format("Could not write header for output file #%d (incorrect codec parameters ?)", J);
            ListStreamMapping(R);
            JobLog(this, llError, Msg);
            throw FFmpegException(Msg);
        }
        AllRtp = AllRtp && std::string(FFiles.Foutput_files[J]->oformat->name) == "rtp";
    }
    if (AllRtp) {
        char Sdp[2048];
        ff::av_sdp_create(FFiles.Foutput_files.data(), Count, Sdp, sizeof(Sdp));
        JobLog(this, llInfo, "SDP:\r\n" + platform::Trim(Sdp));
    }
}

void TCustomFFmpeg::ListStreamMapping(TTranscodeRun& R)
{
    const int Count = FFiles.FJoinMode ? 1 : FFiles.Fnb_output_files;
    for (int J = 0; J < Count; ++J)
        ff::av_dump_format(FFiles.Foutput_files[J], J, FFiles.Foutput_files[J]->url, 1);
    if (FMuxing.Fverbose < 0)
        return;
    JobLog(this, llVerbose, "Stream mapping:");
    for (auto& Ost : R.ost) {
        const TAVInputStream& Src = *R.ist[Ost->source_index];
        JobLog(this, llVerbose,
               platform::Format("  Stream #%d.%d -> #%d.%d (%s)", Src.file_index, Src.index,
                                FFiles.FJoinMode ? 0 : Ost->file_index, Ost->index, TypeName(Ost->enc)));
        if (Ost->sync_ist && Ost->sync_ist != &Src)
            JobLog(this, llVerbose,
                   platform::Format(" [sync #%d.%d (%s)]", Ost->sync_ist->file_index, Ost->sync_ist->index,
                                    TypeName(Ost->enc)));
    }
}

void TCustomFFmpeg::CloseRunCodecs(TTranscodeRun& R)
{
    for (auto& Ost : R.ost)
        if (Ost->encoding_needed) {
            platform::TLockGuard Lock(CodecLock());
            RemoveCodecItem(FEncoderList, Ost.get());
        }
    for (auto& Ist : R.ist)
        if (Ist->decoding_needed) {
            platform::TLockGuard Lock(CodecLock());
            RemoveCodecItem(FDecoderList, Ist.get());
            Ist->dec.reset();
        }
    // Encoder contexts belong to the output streams' set-ups.
    for (auto& Files : ConverterState().OutputSetups)
        for (auto& Setup : Files)
            if (Setup && Setup->Enc && ff::avcodec_is_open(Setup->Enc.get())) {
                platform::TLockGuard Lock(CodecLock());
                Setup->Enc.reset();
            }
}

void TCustomFFmpeg::Transcode()
{
    TTranscodeRun R;
    R.no_packet.assign(FMaxFiles, false);
    try {
        BuildInputTables(R);
        BuildOutputTable(R);
        SelectSources(R);
        PrepareOutputStreams(R);
        R.codec_threads = TCodecThreadShare::Global().CodecThreadCount();
        // Decoders first: text subtitle encoders take the style header
        // that their source's decoder makes when it opens.
        OpenDecoders(R);
        OpenEncoders(R);
        InitTimestamps(R);
        CopyMetadataMaps(R);
        for (int I = 0; I < FFiles.Fnb_input_files; ++I)
            if (FFiles.Finput_files[I]->nb_chapters)
                for (int J = 0; J < (FFiles.FJoinMode ? 1 : FFiles.Fnb_output_files); ++J)
                    CopyChapters(I, J);
        WriteHeaders(R);
        ListStreamMapping(R);
        RunLoop(R);
        EndRun(R);
    } catch (...) {
        CloseRunCodecs(R);
        ReleaseConverterState();
        throw;
    }
    CloseRunCodecs(R);
    ReleaseConverterState();
}

} // namespace engine
