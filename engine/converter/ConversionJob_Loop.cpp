// The packet loop of the transcode and the end of the run.

#include <cmath>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/UnicodeProtocol.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {


namespace {

// Beyond this much shortfall a file counts as cut off: less can be a last
// packet's rounding or a stream that ends a little before the others.
constexpr int64_t EarlyEndTolerance = 500000; // µs

void NoteEndRead(TAVInputFile& AFile, const AVFormatContext* AIc, const AVPacket* APkt)
{
    AFile.last_packet_cut = (APkt->flags & AV_PKT_FLAG_CORRUPT) != 0;
    const int64_t Ts = APkt->pts != AV_NOPTS_VALUE ? APkt->pts : APkt->dts;
    if (Ts == AV_NOPTS_VALUE || APkt->stream_index >= int(AIc->nb_streams))
        return;
    const int64_t End = ff::av_rescale_q(Ts + std::max<int64_t>(APkt->duration, 0),
                                         AIc->streams[APkt->stream_index]->time_base, AV_TIME_BASE_Q);
    if (AFile.end_read == AV_NOPTS_VALUE || End > AFile.end_read)
        AFile.end_read = End;
}

void ClearNoPacketFlags(TTranscodeRun& R)
{
    std::fill(R.no_packet.begin(), R.no_packet.end(), false);
    R.no_packet_count = 0;
}

int MaxFramesIndex(AVMediaType AType)
{
    switch (AType) {
    case AVMEDIA_TYPE_VIDEO: return 0;
    case AVMEDIA_TYPE_AUDIO: return 1;
    case AVMEDIA_TYPE_SUBTITLE: return 3;
    default: return 2;
    }
}

} // namespace

int TCustomFFmpeg::ChooseInputFile(TTranscodeRun& R, int ACurrent)
{
    int Choice = -1;
    double MinOut = 1e100, MinIn = 1e100;
    for (size_t I = 0; I < R.ost.size(); ++I) {
        TAVOutputStream& Ost = *R.ost[I];
        if (FFiles.FJoinMode) {
            if (int(I) / R.segment != ACurrent)
                continue;
        } else {
            TAVInputStream& Src = *R.ist[Ost.source_index];
            if (Src.is_past_recording_time || R.no_packet[Src.file_index])
                continue;
            if (!R.files[Src.file_index].eof_reached) {
                const double InTime = double(Src.pts);
                if (InTime < MinIn) {
                    MinIn = InTime;
                    if (FMuxing.Finput_sync)
                        Choice = Src.file_index;
                }
                if (Ost.end_time < MinOut) {
                    MinOut = Ost.end_time;
                    if (!FMuxing.Finput_sync)
                        Choice = Src.file_index;
                }
            }
        }
        if (Ost.frame_number >= FMuxing.Fmax_frames[MaxFramesIndex(Ost.enc->codec_type)])
            return -1;
    }
    return FFiles.FJoinMode ? ACurrent : Choice;
}

void TCustomFFmpeg::AdjustPacketTimes(TTranscodeRun& R, TAVInputStream& AIst, AVPacket* APkt)
{
    const int F = AIst.file_index;
    const AVRational Tb = AIst.st->time_base;
    if (APkt->dts != AV_NOPTS_VALUE)
        APkt->dts += ff::av_rescale_q(FFiles.Finput_files_ts_offset[F], AV_TIME_BASE_Q, Tb);
    if (APkt->pts != AV_NOPTS_VALUE)
        APkt->pts += ff::av_rescale_q(FFiles.Finput_files_ts_offset[F], AV_TIME_BASE_Q, Tb);
    const auto& Scales = FFiles.Finput_files_ts_scale[F];
    const double Scale = APkt->stream_index < int(Scales.size()) ? Scales[APkt->stream_index] : 0.0;
    if (Scale != 0) {
        if (APkt->pts != AV_NOPTS_VALUE)
            APkt->pts = std::llrint(double(APkt->pts) * Scale);
        if (APkt->dts != AV_NOPTS_VALUE)
            APkt->dts = std::llrint(double(APkt->dts) * Scale);
    }
    if (APkt->dts == AV_NOPTS_VALUE || AIst.next_pts == AV_NOPTS_VALUE ||
        !(FFiles.Finput_files[F]->iformat->flags & AVFMT_TS_DISCONT) || FMuxing.Fcopy_ts)
        return;
    const int64_t PktDts = ff::av_rescale_q(APkt->dts, Tb, AV_TIME_BASE_Q);
    const int64_t Delta = PktDts - AIst.next_pts;
    if (std::fabs(double(Delta)) > FMuxing.Fdts_delta_threshold * 1e6 || PktDts + 1 < AIst.pts) {
        FFiles.Finput_files_ts_offset[F] -= Delta;
        if (FMuxing.Fverbose >= 3)
            JobLog(this, llVerbose,
                   platform::Format("timestamp discontinuity %d, new offset= %d", Delta,
                                    FFiles.Finput_files_ts_offset[F]));
        APkt->dts -= ff::av_rescale_q(Delta, AV_TIME_BASE_Q, Tb);
        if (APkt->pts != AV_NOPTS_VALUE)
            APkt->pts -= ff::av_rescale_q(Delta, AV_TIME_BASE_Q, Tb);
    }
}

void TCustomFFmpeg::RunLoop(TTranscodeRun& R)
{
    FCounters.Ftimer_start = ff::av_gettime();
    int64_t LastReport = FCounters.Ftimer_start;
    int Current = 0;
    ClearNoPacketFlags(R);
    TPacketPtr Pkt = NewPacket();
    while (!Broken()) {
        if (!WaitWhilePaused())
            break;
        const int FileIndex = ChooseInputFile(R, Current);
        if (FileIndex < 0) {
            if (FFiles.FJoinMode || R.no_packet_count == 0)
                break;
            ClearNoPacketFlags(R);
            platform::Sleep(10);
            continue;
        }
        if (FMuxing.Flimit_filesize != 0 && FFiles.Foutput_files[0]->pb &&
            ff::avio_seek(FFiles.Foutput_files[0]->pb, 0, SEEK_CUR) > FMuxing.Flimit_filesize)
            break;
        const int Err = ff::av_read_frame(FFiles.Finput_files[FileIndex], Pkt.get());
        if (Err == AVERROR(EAGAIN)) {
            R.no_packet[FileIndex] = true;
            ++R.no_packet_count;
            continue;
        }
        if (Err < 0) {
            if (!R.files[FileIndex].eof_reached)
                WarnOfEarlyEnd(R, FileIndex, Err);
            R.files[FileIndex].eof_reached = 1;
            if (FFiles.FJoinMode) {
                if (!SwitchJoinFile(R, Current))
                    break;
                continue;
            }
            if (FMuxing.Fopt_shortest)
                break;
            continue;
        }
        ClearNoPacketFlags(R);
        NoteEndRead(R.files[FileIndex], FFiles.Finput_files[FileIndex], Pkt.get());
        if (FMuxing.Fdo_pkt_dump)
            ff::av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, Pkt.get(), FMuxing.Fdo_hex_dump,
                                 FFiles.Finput_files[FileIndex]->streams[Pkt->stream_index]);
        HandlePacket(R, FileIndex, Pkt.get());
        ff::av_packet_unref(Pkt.get());
        const int64_t Now = ff::av_gettime();
        if (Now - LastReport > FEvents.ReportInterval) {
            LastReport = Now;
            ReportProgress(R, FileIndex, false);
        }
    }
}

// A file whose last packet comes cut short, or that stops giving packets
// well before the length its header claims, was cut off (an interrupted
// download or copy) or is damaged past that point. What was read is
// converted; the user is told the output is shorter than the input. A
// length guessed from the bit rate is too rough to judge by.
void TCustomFFmpeg::WarnOfEarlyEnd(const TTranscodeRun& R, int AFileIndex, int AErr)
{
    const AVFormatContext* Ic = FFiles.Finput_files[AFileIndex];
    const TAVInputFile& File = R.files[AFileIndex];
    const int64_t Start = Ic->start_time == AV_NOPTS_VALUE ? 0 : Ic->start_time;
    const int64_t Read = File.end_read == AV_NOPTS_VALUE ? 0 : std::max<int64_t>(File.end_read - Start, 0);
    const bool Claimed = Ic->duration != AV_NOPTS_VALUE && Ic->duration > 0 &&
        Ic->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE;
    const bool Short = Claimed && Ic->duration - Read > EarlyEndTolerance;
    if (!Short && !File.last_packet_cut)
        return;
    const std::vector<std::string> Names = InputFileNames();
    const std::string Name = AFileIndex < int(Names.size()) ? Names[size_t(AFileIndex)] : std::string();
    std::string Msg = platform::Format("%s: the input ended early, after %s", Name, TimeToText(Read));
    if (Claimed)
        Msg += " of " + TimeToText(Ic->duration);
    Msg += "; the output holds only what could be read";
    if (AErr != AVERROR_EOF)
        Msg += " (" + AVErrorText("reading stopped", AErr) + ")";
    JobLog(this, llWarning, Msg);
}

void TCustomFFmpeg::HandlePacket(TTranscodeRun& R, int AFileIndex, AVPacket* APkt)
{
    if (APkt->stream_index >= R.files[AFileIndex].nb_streams)
        return;
    const int IstIndex = R.files[AFileIndex].ist_index + APkt->stream_index;
    TAVInputStream& Ist = *R.ist[IstIndex];
    if (Ist.discard)
        return;
    AdjustPacketTimes(R, Ist, APkt);
    if (FMuxing.Frecording_time != INT64_MAX && APkt->pts != AV_NOPTS_VALUE &&
        ff::av_compare_ts(APkt->pts, Ist.st->time_base, FMuxing.Frecording_time + FMuxing.Fstart_time,
                          AV_TIME_BASE_Q) >= 0) {
        Ist.is_past_recording_time = 1;
        return;
    }
    if (ProcessInputPacket(R, IstIndex, APkt) < 0) {
        const std::string Msg = platform::Format("Error while decoding stream #%d.%d (%s)", Ist.file_index, Ist.index,
                                                 MediaTypeName(Ist.st->codecpar->codec_type));
        if (FMuxing.Fexit_on_error)
            throw FFmpegException(Msg);
        if (FMuxing.Fverbose >= 0)
            JobLog(this, llVerbose, Msg);
    }
}

bool TCustomFFmpeg::SwitchJoinFile(TTranscodeRun& R, int& ACurrent)
{
    const int S = R.segment;
    const int Last = FFiles.Fnb_input_files - 1;
    // The encoders run on across the files of a join, so that the output is
    // one stream: only the last file's end drains them.
    for (size_t I = 0; I < R.ist.size(); ++I)
        if (R.ist[I]->file_index == ACurrent && R.ist[I]->decoding_needed) {
            if (ACurrent >= Last)
                ProcessInputPacket(R, int(I), nullptr);
            else if (R.ist[I]->st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
                DecodeFrames(R, int(I), nullptr);
            R.ist[I]->decoder_flushed = 1;
        }
    for (size_t N = size_t(ACurrent + 1) * S; N < R.ost.size(); ++N) {
        R.ost[N]->sync_opts = R.ost[N - S]->sync_opts;
        R.ost[N]->frame_number = R.ost[N - S]->frame_number;
        R.ost[N]->end_time = R.ost[N - S]->end_time;
        R.ost[N]->next_audio_pts = R.ost[N - S]->next_audio_pts;
    }
    if (ACurrent >= Last)
        return false;
    // Samples short of a whole encoder frame go on with the next file.
    for (size_t N = size_t(ACurrent + 1) * S; N < size_t(ACurrent + 2) * S && N < R.ost.size(); ++N)
        R.ost[N]->fifo = std::move(R.ost[N - S]->fifo);
    double EndTime = 0;
    for (int N = ACurrent * S; N < (ACurrent + 1) * S; ++N) {
        EndTime = std::max(EndTime, R.ost[N]->end_time);
        R.ost[N]->show_fps = 0;
    }
    FFiles.Finput_files_ts_offset[ACurrent + 1] += std::llrint(EndTime * 1000000);
    ++ACurrent;
    return true;
}

void TCustomFFmpeg::EndRun(TTranscodeRun& R)
{
    for (size_t I = 0; I < R.ist.size(); ++I)
        if (R.ist[I]->decoding_needed && R.ist[I]->decoder_flushed != 1)
            ProcessInputPacket(R, int(I), nullptr);
    FinishOutputs(R);
    SetFinished(!Broken());
}

// Trailers, the last report, then every file closed and checked: a write
// that failed anywhere, or an output that took no packet, fails the job, and
// only a job that ran to its end puts a replaced file in place.
void TCustomFFmpeg::FinishOutputs(TTranscodeRun& R)
{
    const int Count = FFiles.FJoinMode ? 1 : FFiles.Fnb_output_files;
    for (int J = 0; J < Count; ++J) {
        const int Err = ff::av_write_trailer(FFiles.Foutput_files[J]);
        if (Err < 0)
            throw FFmpegException(AVErrorText(FOutputTargets[size_t(J)].FileName(), Err));
    }
    ReportProgress(R, -1, true);
    for (int J = 0; J < Count; ++J) {
        AVFormatContext* Oc = FFiles.Foutput_files[J];
        TOutputTarget& Target = FOutputTargets[size_t(J)];
        if (Oc->pb && !(Oc->oformat->flags & AVFMT_NOFILE)) {
            const int Err = CloseURL(&Oc->pb);
            if (Err < 0)
                throw FFmpegException(AVErrorText(Target.FileName(), Err));
        }
        if (!Broken() && Target.Packets() == 0)
            throw FFmpegException(platform::Format("%s: nothing was written to the output file", Target.FileName()));
    }
    if (Broken()) {
        for (int J = 0; J < Count; ++J)
            FOutputTargets[size_t(J)].Keep();
        return;
    }
    for (int J = 0; J < Count; ++J) {
        const int Err = FOutputTargets[size_t(J)].Commit();
        if (Err < 0)
            throw FFmpegException(AVErrorText(FOutputTargets[size_t(J)].FileName(), Err));
    }
}

} // namespace engine
