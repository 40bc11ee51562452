#pragma once
// One conversion job: the command-line converter's global state turned into
// an object, with its run machinery. A job converts once: it runs its
// transcode on the caller's thread or on a worker thread of its own, can be
// stopped, paused and resumed, turns every failure into a fatal flag and
// message, always cleans up, and reports its end through OnTerminate.
//
// Files of this unit:
//   ConversionJobData.h     the data model: the job's state in groups by
//                           concern, held privately by the job.
//   ConversionJob.h / .cpp  the lifecycle (construction, reset, clean-up,
//                           codec lists, run, stop, pause, resume, end
//                           report).
//   ConversionJob_*.cpp     the converter proper: option handlers, file
//                           opening and the transcode. The members in the
//                           section "Converter" below are defined there.
//
// Threads: the job's state belongs to one thread at a time, the caller's
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

#include "engine/converter/ConversionJobData.h"
#include "engine/converter/OutputTarget.h"
#include "engine/base/FFHeaders.h"
#include "engine/loader/FFUtils.h"

namespace engine {

struct TConverterState;
class TCodecDefaults;
struct TTranscodeRun;
struct TAVInputStream;
struct TAVOutputStream;
struct TOutputStreamSetup;
enum TTargetNorm : int;
struct TOutputOptions;
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

class TCustomFFmpeg : public platform::TObject {
public:
    // The job's own event types (see ConversionJobData.h).
    using TCustomHookEvent = TJobCustomHookEvent;
    using TPreviewBitmapEvent = TJobPreviewBitmapEvent;
    using TProgressEvent = TJobProgressEvent;
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
    // Makes the next StartConvert fail at once with AMessage, as a job with
    // no output does: its owner found the task unsafe to run. Empty lifts
    // it.
    void RefuseStart(const std::string& AMessage) { FStartRefusal = AMessage; }
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
    int nb_input_files() const { return FFiles.Fnb_input_files; }
    int nb_output_files() const { return FFiles.Fnb_output_files; }
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
    void CloseEncoders(PCodecItem& AList) { CloseCodecs(AList, true); }
    void CloseDecoders(PCodecItem& AList) { CloseCodecs(AList, false); }

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
    void WarnOfEarlyEnd(const TTranscodeRun& R, int AFileIndex, int AErr);
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
    // One frame (nullptr: the end) into the encoder; false when refused.
    bool SendFrame(TAVOutputStream& AOst, const AVFrame* AFrame);
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
    // --- Data model --------------------------------------------------------

    // Read-only views of the job's option state, for whoever checks what an
    // option or a task record set.
    const TJobFiles& Files() const { return FFiles; }
    const TJobVideoOutput& VideoOutput() const { return FVideoOut; }
    const TJobAudioOutput& AudioOutput() const { return FAudioOut; }
    const TJobMuxing& Muxing() const { return FMuxing; }
    // The state the picture hooks (PictureHooks.h) keep in the job; theirs
    // to change, on the job's thread.
    TJobHookState& HookState() { return FHooks; }
    // The caller's events, set before the job starts. A reset leaves them.
    const TJobEvents& Events() const { return FEvents; }
    void SetEvents(TJobEvents AEvents) { FEvents = std::move(AEvents); }
    void SetReportInterval(int64_t AValue) { FEvents.ReportInterval = AValue; }
    // Binds or (nullptr) unbinds the custom hook; the hooks unbind a handler
    // that asked to stop.
    void SetCustomHook(TCustomHookEvent AHook) { FEvents.FOnCustomHook = std::move(AHook); }

private:
    int FMaxFiles;
    TJobFiles FFiles;
    TJobVideoOutput FVideoOut;
    TJobAudioOutput FAudioOut;
    TJobSubtitleOutput FSubtitleOut;
    TJobMuxing FMuxing;
    TJobCounters FCounters;
    TJobHookState FHooks;
    TJobEvents FEvents;
    // This job as a member of the codec thread share while it runs.
    std::unique_ptr<TCodecThreadShare::TMember> FCodecShare;
    PCodecItem FEncoderList = nullptr;
    PCodecItem FDecoderList = nullptr;
    // Written by SetPostHooksLocked from other threads.
    std::atomic<TPostHooks> FPostHooks{0};

protected:
    // Called before the run's clean-up closes the input files, so that
    // whoever shares an input context lets go of it first.
    virtual void InputsClosing() {}

    // For a stand-in of the file opening (OpenInputFile, ApplyOutputRecord
    // overridden): the tables where it enters its files, and the message of
    // the last file it refused.
    TJobFiles& FilesToEnter() { return FFiles; }
    std::string FLastErrMsg;

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
    struct TOptionHandlers;
    class TConvertThread;
    class TDoTerminateThread;

    static void CloseCodecs(PCodecItem& AList, bool AEncoders);
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
    std::string FStartRefusal;               // see RefuseStart
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
