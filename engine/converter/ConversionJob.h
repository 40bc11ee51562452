#pragma once
// One conversion job: the command-line converter's global state turned into
// an object, with its run machinery. A job converts once: it runs its
// transcode on the caller's thread or on a worker thread of its own, can be
// stopped, paused and resumed, turns every failure into a fatal flag and
// message, always cleans up, and reports its end through OnTerminate.
//
// Files of this unit:
//   ConversionJob.h / .cpp  the data model and the lifecycle (construction,
//                           reset, clean-up, codec lists, run, stop, pause,
//                           resume, end report).
//   ConversionJob_*.cpp     the converter proper: option handlers, file
//                           opening and the transcode. The members in the
//                           section "Converter" below are defined there.
//
// Threads: the job's fields belong to one thread at a time, the caller's
// until StartConvert, then the worker's until the end is reported. Other
// threads only ever touch the stop flag, the pause gate and the post-hook
// set (under FFmpegUnitLock).

#include "engine/converter/CodecThreads.h"
#include "platform/core/Classes.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SyncObjs.h"
#include "platform/core/Threads.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/converter/OutputTarget.h"
#include "engine/base/FFHeaders.h"
#include "engine/loader/FFUtils.h"

namespace engine {

struct TFrameHookEntry;
struct TConverterState;
class TCodecDefaults;
struct TTranscodeRun;
struct TAVInputStream;
struct TAVOutputStream;
struct TOutputStreamSetup;
enum TTargetNorm : int;
struct TOutputOptions;
class TPreviewer;
class TPictureHooks;

// The lines of an option text (a record's ExtOptions): the whole text
// trimmed; CR LF, a lone CR, a lone LF and the text "<CRLF>" each end a line;
// each line cut at its first "=" into name and value (no "=": all name).
// Names and values are not trimmed.
using TOptionLine = std::pair<std::string, std::string>;
std::vector<TOptionLine> ReadOptionLines(const std::string& AText);

// The converter's exception: every failure the job raises itself.
class FFmpegException : public platform::Exception {
public:
    using platform::Exception::Exception;
};

// Held while a job's post-hook set changes and while a job previews a frame.
platform::TCriticalSection& FFmpegUnitLock();

// Stream slots per file that the tables start with. Files may hold more
// streams than this; the converter grows a table before it writes past it.
constexpr int MAX_STREAMS = 20;
constexpr int MIN_MAX_FILES = 1;
constexpr int MAX_MAX_FILES = 512;

struct TAVStreamMap {
    int file_index = 0;
    int stream_index = 0;
    int sync_file_index = 0;
    int sync_stream_index = 0;
};

struct TAVMetaDataMap {
    int out_file = 0;
    int in_file = 0;
};

// Pending metadata of the next output file.
struct TAVMetadataTag {
    std::string key;
    std::string value;
};

// One open encoder or decoder: the stream record that owns it and its
// codec context, closed by CloseEncoders / CloseDecoders if the transcode
// did not close it itself.
struct TCodecItem {
    void* st = nullptr;
    AVCodecContext* codec = nullptr;
    TCodecItem* Prev = nullptr;
    TCodecItem* Next = nullptr;
};
using PCodecItem = TCodecItem*;

enum TPostHook { phPreview = 1u << 0, phBitmap = 1u << 1, phHBITMAP = 1u << 2 };
using TPostHooks = unsigned; // a set of TPostHook

// The hook code makes its convert contexts and the preview window on first
// use; whoever makes one gives the deleter that releases it, so a reset is
// dropping the pointer.
struct TCustomHookContext {
    std::shared_ptr<TRGBConvertContext> Context;
};

struct TPostHookContext {
    std::shared_ptr<TRGBConvertContext> Context;
    std::shared_ptr<TPreviewer> Previewer;
    int64_t preview_last_time = 0; // µs, wall clock
    int64_t preview_cur_time = 0;
};

class TCustomFFmpeg : public platform::TObject {
public:
    // The job's own event types (the conversion component's events carry
    // the same values packed into records).
    using TCustomHookEvent = std::function<void(platform::TObject* Sender, TFrameBitmap* ABitmap,
                                                int AFrameNumber, int64_t APTS, bool& AUpdate, bool& AStopHook)>;
    using TPreviewBitmapEvent =
        std::function<void(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS)>;
    using TProgressEvent = std::function<void(platform::TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS,
                                              float AQuality, float ABitRate, int64_t ACurrentSize,
                                              int64_t ACurrentDuration, int64_t ATotalDuration)>;
    // The transcode step as the run calls it; see SetTranscodeStep.
    using TTranscodeStep = std::function<void(TCustomFFmpeg& AJob)>;

    // AMaxFiles outside 1..512 raises EAssertionFailed.
    explicit TCustomFFmpeg(int AMaxFiles);
    // Stops the job and waits for it (and for a running end report), then
    // cleans up.
    ~TCustomFFmpeg() override;
    TCustomFFmpeg(const TCustomFFmpeg&) = delete;
    TCustomFFmpeg& operator=(const TCustomFFmpeg&) = delete;

    // --- Lifecycle -------------------------------------------------------

    // Needs the converter's libraries; without them does nothing.
    void ResetJob();
    void InitDefaults();
    void Cleanup();

    // Runs the job once between resets. Without AUseThread the whole run
    // happens inside the call and the answer is nullptr. With it the answer
    // is the worker thread, created suspended: the caller starts it. A job
    // that cannot start (no output, no input) reports its end before the
    // call returns and answers nullptr; so does a job that already ran.
    platform::TThread* StartConvert(bool AUseThread, platform::TThreadPriority APriority);
    // The job body: the transcode, then the closing steps and the end report.
    void DoConvert();
    // Asks the run to end at its next check; AWaitFor waits for the worker
    // (on the GUI thread the wait keeps serving synchronised calls).
    void Stop(bool AWaitFor);
    // Stops a running job; a job that never ran reports its end from a
    // thread of its own; a job that already ended is left alone.
    void Cancel(bool AWaitFor);
    // Pause closes a gate that the worker checks between packets; no lock is
    // held while it waits there. Resume and Stop open it. Only a job running
    // on a worker thread can be paused.
    void Pause();
    void Resume();
    bool Paused() const;
    // Called by the transcode between packets and before waits: blocks while
    // the job is paused. Answers false when the run is to stop.
    bool WaitWhilePaused();
    bool Broken() const { return FBroken.load(); }
    // Stops the job and waits until its worker and its end report are gone.
    void WaitForEnd();

    // The file name of output AIndex as it was set; empty when none.
    std::string OutputFileName(int AIndex) const;
    // The file names of the opened inputs.
    std::vector<std::string> InputFileNames() const;
    int nb_input_files() const { return Fnb_input_files; }
    int nb_output_files() const { return Fnb_output_files; }
    bool Finished() const { return FFinished; }
    bool FatalException() const { return FFatalException; }
    const std::string& FatalMessage() const { return FFatalMessage; }
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    int MaxFiles() const { return FMaxFiles; }
    bool Converting() const { return FConverting.load(); }
    bool Terminated() const { return FTerminated.load(); }

    // Codec lists: the transcode adds every codec it opens and removes it
    // when it closes it; the run closes whatever is still listed.
    static PCodecItem AddCodecItem(PCodecItem& AList, void* AStream, AVCodecContext* ACodec);
    static void RemoveCodecItem(PCodecItem& AList, void* AStream);
    void CloseEncoders(PCodecItem& AList);
    void CloseDecoders(PCodecItem& AList);

    // Replace the post-hook set; switching the preview off frees the preview
    // window. The locked form may be called while the job runs.
    void SetPostHooks(TPostHooks AHooks);
    void SetPostHooksLocked(TPostHooks AHooks);
    void ResetPostHookContext();
    TPostHooks PostHooks() const { return FPostHooks.load(); }

    // The work done on the pictures the job converts (see PictureHooks.h);
    // not owned, and outlives the job. Without it the job converts plainly
    // and refuses deinterlacing and hooks.
    void SetPictureHooks(TPictureHooks* AHooks) { FPictureHooks = AHooks; }

    // Replaces the transcode the run calls. Tests use it to drive the job
    // without converting anything; an empty step restores the converter's
    // own Transcode.
    void SetTranscodeStep(TTranscodeStep AStep) { FTranscodeStep = std::move(AStep); }

    // --- Converter (defined in the converter's files ConversionJob_*.cpp) ---

    // Sets up the streams and codecs and converts every packet; calls
    // SetFinished(!Broken()) at its normal end; raises FFmpegException on
    // failure. Checks WaitWhilePaused() between packets and before waits.
    void Transcode();
    // The option lines of a task record (name=value per line).
    void ApplyExtOptions(const std::string& AOptionText, bool ACodecNamesAllowed);
    void SetFormat(const std::string& AValue);
    void SetStartTime(int64_t AValue);
    void SetProgramId(int AValue);
    // True when the file was opened and entered; False with FLastErrMsg set.
    // Virtual so that tests can stand in for the file opening.
    virtual bool OpenInputFile(const std::string& AFileName);
    // The output side of a task record, from the codec defaults to the extra
    // streams: AOptions (nullptr: no record) is translated into options,
    // ACustomHook is bound when the record asks for the custom hook, the
    // output file is opened. True when the file was added; False with
    // FLastErrMsg set; refusals of options raise. AFileName is the file
    // opened; the record's own FileName is the caller's and not read.
    virtual bool ApplyOutputRecord(const std::string& AFileName, const TOutputOptions* AOptions,
                                   const TCustomHookEvent& ACustomHook);

    // The converter's option handlers, file opening and transcode helpers.
    void DispatchOption(const std::string& AName, const std::string& AValue);
    bool SetLibraryOption(const std::string& AName, const std::string& AValue);
    bool SetLibraryOptionInt(const std::string& AName, int AValue);
    void SetRecordingTime(int64_t AValue);
    void SetAudioVolume(int AValue);
    void SetAudioSyncMethod(int AValue);
    void SetVideoSyncMethod(int AValue);
    void SetMuxMaxDelay(float AValue);
    void SetMuxPreload(float AValue);
    void SetVerbose(int AValue);
    void AddMetadata(const std::string& AKey, const std::string& AValue);
    void SetFrameRate(const std::string& AValue);
    void SetFrameSize(const std::string& AValue);
    void SetAspectRatio(const std::string& AValue);
    void SetPixelFormat(const std::string& AValue);
    void SetSampleFormat(const std::string& AValue);
    void SetCropTop(int AValue);
    void SetCropBottom(int AValue);
    void SetCropLeft(int AValue);
    void SetCropRight(int AValue);
    void SetVideoQScale(double AValue);
    void SetAudioSampleRate(int AValue);
    void SetAudioChannels(int AValue);
    void SetPass(int AValue);
    bool SetBitrate(const std::string& AName, const std::string& AValue);
    void SetVideoCodec(const std::string& AValue);
    void SetAudioCodec(const std::string& AValue);
    void SetSubtitleCodec(const std::string& AValue);
    void SetVideoTag(const std::string& AValue);
    void SetAudioTag(const std::string& AValue);
    void SetSubtitleTag(const std::string& AValue);
    void SetVideoFilters(const std::string& AValue);
    void SetLogLevelOption(const std::string& AValue);
    void AddVideoHook(const std::string& AValue);
    void ApplyTarget(const std::string& AType, const std::string& ANorm, const std::string& ADefaultNorm);
    void SetTargetOption(const std::string& AValue);
    void ApplyPreset(const std::string& AName, const std::string& AValue);
    int OpenOutputFile(const std::string& AFileName, bool AJoin);
    void AddVideoStream();
    void AddAudioStream();
    void AddSubtitleStream();
    bool LookUpCodec(const std::string& AName, AVMediaType AType, AVCodecID& ACodecId, int AStrictness, bool AEncoder,
                     const AVCodec** ACodec = nullptr);
    void ChooseSampleRate(AVCodecContext* AEnc, const AVCodec* ACodec);

private:
    // The converter's own steps, defined in the converter's files.

    TConverterState& ConverterState();
    void ReleaseConverterState();
    void ApplyRecordedCodecOptions(AVCodecContext* AContext, AVMediaType AType);
    void ApplyRecordedFormatOptions(AVFormatContext* AContext, bool AEncoding);
    void SetOutputFormatOptions(AVFormatContext* AOc);
    int64_t RecordedBitrate(AVMediaType AType);
    int RecordedStrictness(AVMediaType AType);
    uint32_t RecordedScalerFlags();
    void SetCrop(int AValue, int& ABand, bool AVertical);
    TTargetNorm GuessTargetNorm(const std::string& ADefaultNorm);
    void ApplyPresetText(const std::string& APresetName, const std::string& AText);
    void ReleasePendingCodecNames();
    void SetRawInputParams(AVDictionary*& AParams);
    int64_t SeekToStart(AVFormatContext* AIc, const std::string& AFileName);
    bool SelectProgram(AVFormatContext* AIc);
    void TakeInputStream(AVStream* ASt, const AVCodec* const ADecoders[3]);
    void CheckInputMedia(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio, bool& AHasSubtitle);
    bool AddOutputStreams(AVFormatContext* AOc, int AFileIndex, bool AJoin);
    void SetUpJoin();
    void AddStreamToLastOutput(AVMediaType AType);
    const AVCodec* ChooseEncoder(const AVFormatContext* AOc, AVMediaType AType, const std::string& AName);
    void NewStream(AVFormatContext* AOc, int AFileIndex, AVMediaType AType);
    bool NeedsAmrNbStandIn(const AVFormatContext* AOc, const std::string& AName);
    void SetUpAmrNbStream(AVCodecContext* AEnc);
    void OpenAmrNbEncoder(TAVOutputStream& AOst);
    void EncodeAmrNbFrames(TAVOutputStream& AOst, bool ALast);
    void SetUpVideoStream(AVStream* ASt, TOutputStreamSetup* ASetup);
    void SetUpAudioStream(AVStream* ASt, TOutputStreamSetup* ASetup);
    void ParseRcOverride(AVCodecContext* AEnc);
    // Transcode set-up
    void BuildInputTables(TTranscodeRun& R);
    void BuildOutputTable(TTranscodeRun& R);
    bool InProgram(const TAVInputStream& AIst);
    void SelectSources(TTranscodeRun& R);
    void PrepareOutputStreams(TTranscodeRun& R);
    void SetUpStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst);
    void SetUpEncoding(int AIndex, TAVOutputStream& AOst, TAVInputStream& AIst);
    void OpenPassLogFile(int AIndex, TAVOutputStream& AOst);
    void OpenEncoders(TTranscodeRun& R);
    void OpenDecoders(TTranscodeRun& R);
    void InitTimestamps(TTranscodeRun& R);
    void CopyMetadataMaps(TTranscodeRun& R);
    void CopyChapters(int AIn, int AOut);
    void OpenOutputTargets();
    void WriteHeaders(TTranscodeRun& R);
    void FinishOutputs(TTranscodeRun& R);
    bool RefuseOutputOverInput(const std::string& AFileName);
    void ListStreamMapping(TTranscodeRun& R);
    void CloseRunCodecs(TTranscodeRun& R);
    // Loop and end
    int ChooseInputFile(TTranscodeRun& R, int ACurrent);
    void AdjustPacketTimes(TTranscodeRun& R, TAVInputStream& AIst, AVPacket* APkt);
    void RunLoop(TTranscodeRun& R);
    void HandlePacket(TTranscodeRun& R, int AFileIndex, AVPacket* APkt);
    bool SwitchJoinFile(TTranscodeRun& R, int& ACurrent);
    void EndRun(TTranscodeRun& R);
    // Packets
    int ProcessInputPacket(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt);
    int DecodeFrames(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt);
    int DecodeSubtitle(TTranscodeRun& R, int AIstIndex, const AVPacket* APkt);
    void AdvanceCopyClock(TAVInputStream& AIst, const AVPacket* APkt);
    void DoStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst, const AVPacket* APkt);
    void RateEmulation(TAVInputStream& AIst);
    void WriteOutputPacket(TAVOutputStream& AOst, AVPacket* APkt);
    void CreateBitstreamFilters(TAVOutputStream& AOst);
    void WriteEncodedPacket(TAVOutputStream& AOst, AVPacket* APkt);
    int ReceivePackets(TAVOutputStream& AOst);
    void FlushEncoder(TAVOutputStream& AOst);
    void ReportProgress(TTranscodeRun& R, int AFileIndex, bool ALast);
    std::string QpHistogramText(TAVOutputStream& AOst);
    std::string PsnrText(TAVOutputStream& AOst, int AFrame, bool ALast);
    // Audio
    void PrepareAudioFifo(TAVOutputStream& AOst);
    void HandleDecodedAudio(TTranscodeRun& R, int AIstIndex, AVFrame* AFrame);
    void OutputAudio(TAVOutputStream& AOst, TAVInputStream& AIst, const uint8_t* ABuf, int ASize);
    bool KeepAudioInStep(TAVOutputStream& AOst, TAVInputStream& AIst, const uint8_t*& ABuf, int& ASize);
    void EncodeAudioFrames(TAVOutputStream& AOst, bool ALast);
    // Video and subtitles
    int AddFrameHook(int argc, std::span<char* const> argv);
    void PreprocessPicture(TAVInputStream& AIst, AVFrame* AFrame);
    void RunPostHooks(TAVOutputStream& AOst, AVFrame* AFrame);
    void CreateScaler(TAVOutputStream& AOst, int AWidth, int AHeight, int AFormat);
    int ConfigureVideoFilters(TAVInputStream& AIst, TAVOutputStream& AOst);
    void HandleDecodedVideo(TTranscodeRun& R, int AIstIndex, AVFrame* AFrame);
    int VideoFrameCount(TAVOutputStream& AOst, double ASyncIpts);
    AVFrame* FormatPicture(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AIn, AVFrame* AView);
    int OutputVideo(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AIn);
    void WriteVideoStats(TAVOutputStream& AOst, const AVPacket* APkt);
    void OutputSubtitle(TAVOutputStream& AOst, TAVInputStream& AIst, AVSubtitle* ASub, int64_t APts);
    // Task records
    void ApplyOutputFields(const TOutputOptions& AOptions);
    void ApplyTargetOptions(const TOutputOptions& AOptions);
    void ApplyNewStreams(const std::string& AOptionText, TCodecDefaults& ADefaults);
    std::shared_ptr<TConverterState> FConverterState;

public:

    // --- Data model (public: the converter's files and the component work
    // on it directly, as the converter's global state always was) ----------

    int FMaxFiles;
    std::vector<AVFormatContext*> Finput_files;              // [MaxFiles]
    std::vector<int64_t> Finput_files_ts_offset;             // [MaxFiles]
    std::vector<std::vector<double>> Finput_files_ts_scale;  // [MaxFiles][MAX_STREAMS, grows]
    std::vector<const AVCodec*> Finput_codecs;               // [MaxFiles * MAX_STREAMS, grows]
    int Fnb_input_files = 0;
    int Fnb_icodecs = 0;
    std::vector<AVFormatContext*> Foutput_files;             // [MaxFiles]
    std::vector<const AVCodec*> Foutput_codecs;              // [MaxFiles * MAX_STREAMS, grows]
    int Fnb_output_files = 0;
    int Fnb_ocodecs = 0;
    std::vector<TAVStreamMap> Fstream_maps;                  // [MaxFiles * MAX_STREAMS, grows]
    int Fnb_stream_maps = 0;
    std::vector<TAVMetaDataMap> Fmeta_data_maps;             // [MaxFiles]
    int Fnb_meta_data_maps = 0;
    std::vector<int> Fstreamid_map;                          // [MAX_STREAMS, grows]
    std::string Flast_asked_format;
    int Fframe_width = 0;
    int Fframe_height = 0;
    float Fframe_aspect_ratio = 0.0f;
    int Fframe_pix_fmt = -1;
    int Faudio_sample_fmt = -1;
    int Fframe_topBand = 0;
    int Fframe_bottomBand = 0;
    int Fframe_leftBand = 0;
    int Fframe_rightBand = 0;
    int Fmax_frames[4] = {};                                 // video, audio, data, subtitle
    AVRational Fframe_rate{0, 0};
    float Fvideo_qscale = 0.0f;
    std::vector<uint16_t> Fintra_matrix;                     // 64 values; empty: none
    std::vector<uint16_t> Finter_matrix;
    std::string Fvideo_rc_override_string;
    bool Fvideo_disable = false;
    int Fvideo_discard = 0;
    std::string Fvideo_codec_name;
    uint32_t Fvideo_codec_tag = 0;
    std::string Fvideo_language;
    bool Fsame_quality = false;
    bool Fdo_deinterlace = false;
    int Ftop_field_first = -1;
    int Fme_threshold = 0;
    int Fintra_dc_precision = 8;
    bool Floop_input = false;
    int Floop_output = -1;
    bool Fqp_hist = false;
    std::string Fvfilters;
    bool FEnableFilter = false;
    bool Fintra_only = false;
    AVFilterGraph* Fgraph = nullptr;
    int Faudio_sample_rate = 44100;
    int64_t Fchannel_layout = 0;
    float Faudio_qscale = -99999.0f;
    bool Faudio_disable = false;
    int Faudio_channels = 2;
    std::string Faudio_codec_name;
    uint32_t Faudio_codec_tag = 0;
    std::string Faudio_language;
    bool Fsubtitle_disable = false;
    std::string Fsubtitle_codec_name;
    std::string Fsubtitle_language;
    uint32_t Fsubtitle_codec_tag = 0;
    float Fmux_preload = 0.5f;                               // s
    float Fmux_max_delay = 0.7f;                             // s
    int64_t Frecording_time = INT64_MAX;                     // µs, no limit
    int64_t Fstart_time = 0;                                 // µs
    int64_t Frecording_timestamp = 0;                        // s since 1970
    int64_t Finput_ts_offset = 0;                            // µs
    int Fmetadata_count = 0;
    std::vector<TAVMetadataTag> Fmetadata;
    int Fdo_benchmark = 0;
    bool Fdo_hex_dump = false;
    bool Fdo_pkt_dump = false;
    bool Fdo_psnr = false;
    int Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    int Faudio_stream_copy = 0;
    int Fvideo_stream_copy = 0;
    int Fsubtitle_stream_copy = 0;
    int Fvideo_sync_method = -1;
    int Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    bool Fcopy_ts = false;
    bool Fopt_shortest = false;
    int Fvideo_global_header = 0;
    std::string Fvstats_filename;
    FILE* Fvstats_file = nullptr;                            // closed by Cleanup
    int Fopt_programid = 0;
    int Fcopy_initial_nonkeyframes = 0;
    bool Frate_emu = false;
    int Fvideo_channel = 0;
    std::string Fvideo_standard;
    int Faudio_volume = 256;
    bool Fexit_on_error = false;
    int Fusing_stdin = 0;
    bool Fusing_vhook = false;
    int Fverbose = 1;
    // This job as a member of the codec thread share while it runs.
    std::unique_ptr<TCodecThreadShare::TMember> FCodecShare;
    int Fq_pressed = 0;
    int64_t Fvideo_size = 0;
    int64_t Faudio_size = 0;
    int64_t Fextra_size = 0;
    int Fnb_frames_dup = 0;
    int Fnb_frames_drop = 0;
    bool FShowDupOrDrop = false;
    bool Finput_sync = false;
    int64_t Flimit_filesize = 0;
    bool Fforce_fps = false;
    int Fpgmyuv_compatibility_hack = 0;
    float Fdts_delta_threshold = 10.0f;
    uint32_t Fsws_flags = 4;                                 // bicubic
    TFFOptions FOptions;                                     // empty until ResetJob
    int64_t Ftimer_start = 0;                                // µs
    // Audio work buffers of the run (av_malloc family).
    uint8_t* Faudio_buf = nullptr;
    uint8_t* Faudio_out = nullptr;
    uint32_t Fallocated_audio_out_size = 0;
    uint32_t Fallocated_audio_buf_size = 0;
    uint8_t* Finput_tmp = nullptr;
    uint32_t Fsamples_size = 0;
    int16_t* Fsamples = nullptr;
    // Pending bitstream filter chains of the next output's streams, and the
    // chains of each output stream ("name,name,..." as the option gave them).
    std::string Fvideo_bitstream_filters;
    std::string Faudio_bitstream_filters;
    std::string Fsubtitle_bitstream_filters;
    std::vector<std::vector<std::string>> Fbitstream_filters; // [MaxFiles][MAX_STREAMS, grows]
    int Fbit_buffer_size = 262144;
    uint8_t* Fbit_buffer = nullptr;
    PCodecItem FEncoderList = nullptr;
    PCodecItem FDecoderList = nullptr;
    std::shared_ptr<TFrameHookEntry> FFirstHook;             // the chain; its maker's deleter releases it
    uint8_t* FHookBuf = nullptr;
    int FHookBufSize = 0;
    TCustomHookContext FHookContext;
    int FHookFrameNumber = 0;
    TPostHookContext FPostContext;
    std::atomic<TPostHooks> FPostHooks{0};
    bool FJoinMode = false;
    int64_t FTotalOutputDuration = -1;                       // µs
    std::string FLastErrMsg;
    TCustomHookEvent FOnCustomHook;
    TPreviewBitmapEvent FOnPreviewBitmap;
    TProgressEvent FOnProgress;
    platform::TNotifyEvent FOnTerminate;
    int64_t ReportInterval = 500000;                         // µs
    int64_t PreviewInterval = 100000;                        // µs

protected:
    // Called before the run's clean-up closes the input files, so that
    // whoever shares an input context lets go of it first.
    virtual void InputsClosing() {}

    // Run state. FConverting/FTerminated change under FStateLock so that a
    // start and a cancel from two threads cannot both report the job's end.
    std::atomic<bool> FConverting{false};
    std::atomic<bool> FBroken{false};
    bool FFinished = false;
    std::atomic<bool> FTerminated{false};
    bool FFatalException = false;
    std::string FFatalMessage;

public:
    // The transcode marks its normal end through this (FFinished := !FBroken).
    void SetFinished(bool AValue) { FFinished = AValue; }

private:
    class TConvertThread;
    class TDoTerminateThread;

    void Fail(const std::string& AMessage);
    void HandleRunException(std::exception_ptr AError);
    void NotifyTerminate();
    void RunTranscode();
    void CloseFiles();
    void CloseOutputFile(AVFormatContext* AContext, TOutputTarget& ATarget);
    void JoinReportThread();

    TTranscodeStep FTranscodeStep;
    TPictureHooks* FPictureHooks = nullptr;
    // Where each output file goes on disk ([MaxFiles]; in join mode entry 0
    // stands for the one file).
    std::vector<TOutputTarget> FOutputTargets;
    mutable std::mutex FStateLock;
    bool FReporting = false;                 // a cancel report was started
    std::unique_ptr<platform::TThread> FThread;       // the worker, kept until the job goes
    std::unique_ptr<platform::TThread> FReportThread; // the cancel report, idem
    platform::TEvent FStopEvent{true, true};  // unsignalled while a worker runs the job
    platform::TEvent FTermEvent{true, true};  // unsignalled while a cancel report runs
    mutable std::mutex FPauseLock;
    std::condition_variable FPauseCond;
    bool FPaused = false;
    bool FHasWorker = false;
};

} // namespace engine
