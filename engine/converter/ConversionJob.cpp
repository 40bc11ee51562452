#include "engine/converter/ConversionJob.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/loader/UnicodeProtocol.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cstdio>

namespace engine {

platform::TCriticalSection& FFmpegUnitLock()
{
    static platform::TCriticalSection lock;
    return lock;
}

// The worker: runs the job and says so through the stop event, which the
// job reset before the thread was created, so a wait that begins at once
// still covers the whole run.
class TCustomFFmpeg::TConvertThread : public platform::TThread {
public:
    TConvertThread(TCustomFFmpeg* AOwner, platform::TThreadPriority APriority)
        : platform::TThread(true), FOwner(AOwner)
    {
        SetPriority(APriority);
    }

protected:
    void Execute() override
    {
        FOwner->DoConvert();
        FOwner->FStopEvent.SetEvent();
    }

private:
    TCustomFFmpeg* FOwner;
};

// Reports the end of a job that never ran, from a thread of its own.
class TCustomFFmpeg::TDoTerminateThread : public platform::TThread {
public:
    explicit TDoTerminateThread(TCustomFFmpeg* AOwner) : platform::TThread(true), FOwner(AOwner) {}

protected:
    void Execute() override
    {
        FOwner->NotifyTerminate();
        FOwner->FTermEvent.SetEvent();
    }

private:
    TCustomFFmpeg* FOwner;
};

TJobFiles::TJobFiles(int AMaxFiles)
{
    const size_t files = size_t(AMaxFiles);
    Finput_files.assign(files, nullptr);
    Finput_files_ts_offset.assign(files, 0);
    Finput_files_ts_scale.assign(files, std::vector<double>(MAX_STREAMS, 0.0));
    Finput_codecs.assign(files * MAX_STREAMS, nullptr);
    Foutput_files.assign(files, nullptr);
    Foutput_codecs.assign(files * MAX_STREAMS, nullptr);
    Fstream_maps.assign(files * MAX_STREAMS, TAVStreamMap{});
    Fmeta_data_maps.assign(files, TAVMetaDataMap{});
    Fstreamid_map.assign(MAX_STREAMS, 0);
    Fbitstream_filters.assign(files, std::vector<std::string>(MAX_STREAMS));
}

TCustomFFmpeg::TCustomFFmpeg(int AMaxFiles) : FMaxFiles(AMaxFiles)
{
    ZASSERT(AMaxFiles >= MIN_MAX_FILES && AMaxFiles <= MAX_MAX_FILES);
    FOutputTargets.resize(size_t(AMaxFiles));
    InitDefaults();
}

std::vector<TOptionLine> ReadOptionLines(const std::string& AText)
{
    std::string text = platform::Trim(AText);
    std::string unified;
    unified.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            unified += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text.compare(i, 6, "<CRLF>") == 0) {
            unified += '\n';
            i += 5;
        } else {
            unified += text[i];
        }
    }
    std::vector<TOptionLine> lines;
    if (unified.empty())
        return lines;
    size_t start = 0;
    while (true) {
        const size_t end = unified.find('\n', start);
        const std::string line = unified.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            lines.emplace_back(line, std::string());
        else
            lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

void TCustomFFmpeg::WaitForEnd()
{
    Stop(true);
    JoinReportThread();
    platform::TThread* worker;
    {
        std::lock_guard<std::mutex> guard(FStateLock);
        worker = FThread.get();
    }
    if (worker)
        worker->WaitFor();
}

TCustomFFmpeg::~TCustomFFmpeg()
{
    try {
        WaitForEnd();
        FThread.reset();
        Cleanup();
        CloseEncoders(FEncoderList);
        CloseDecoders(FDecoderList);
    } catch (const std::exception& E) {
        GetFFLogger()->Log(this, llError, E.what());
    }
}

// Runs at construction and after Cleanup, when no file is open and nothing
// is allocated: every group of the option state goes back to its defaults.
void TCustomFFmpeg::InitDefaults()
{
    FFiles = TJobFiles(FMaxFiles);
    FVideoOut = TJobVideoOutput();
    FAudioOut = TJobAudioOutput();
    FSubtitleOut = TJobSubtitleOutput();
    FMuxing = TJobMuxing();
    FCounters = TJobCounters();
    FHooks = TJobHookState();
    FPostHooks = 0;
    FFatalException = false;
}

void TCustomFFmpeg::ResetJob()
{
    if (!GlobalLoader().Loaded(ConverterLibraries))
        return;
    JoinReportThread();
    if (FThread)
        FThread->WaitFor();
    FThread.reset();
    Cleanup();
    InitDefaults();
    std::lock_guard<std::mutex> guard(FStateLock);
    FConverting = false;
    FBroken = false;
    FFinished = false;
    FTerminated = false;
    FReporting = false;
    FStartRefusal.clear();
    AllocFFOptions(FMuxing.FOptions, int(FVideoOut.Fsws_flags));
}

std::string TCustomFFmpeg::OutputFileName(int AIndex) const
{
    return AIndex >= 0 && AIndex < FFiles.Fnb_output_files ? FOutputTargets[size_t(AIndex)].FileName() : std::string();
}

std::vector<std::string> TCustomFFmpeg::InputFileNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < FFiles.Fnb_input_files; ++i)
        if (FFiles.Finput_files[size_t(i)] && FFiles.Finput_files[size_t(i)]->url)
            names.push_back(URLToFileName(FFiles.Finput_files[size_t(i)]->url));
    return names;
}

// --- Clean-up -------------------------------------------------------------

// Closes one output entry. One that the run did not finish (a failure, or
// a job that never ran) leaves nothing the job made: a replacement in the
// making goes and the old file stays; a file the job created goes too.
void TCustomFFmpeg::CloseOutputFile(AVFormatContext* AContext, TOutputTarget& ATarget)
{
    if (AContext->oformat && !(AContext->oformat->flags & AVFMT_NOFILE) && AContext->pb)
        CloseURL(&AContext->pb);
    ff::avformat_free_context(AContext);
    ATarget.Discard();
}

void TCustomFFmpeg::CloseFiles()
{
    // In join mode every output entry shares the context of entry 0.
    const int outputs = FFiles.FJoinMode ? std::min(FFiles.Fnb_output_files, 1) : FFiles.Fnb_output_files;
    for (int i = 0; i < outputs; ++i)
        if (FFiles.Foutput_files[size_t(i)])
            CloseOutputFile(FFiles.Foutput_files[size_t(i)], FOutputTargets[size_t(i)]);
    std::fill(FFiles.Foutput_files.begin(), FFiles.Foutput_files.end(), nullptr);
    for (TOutputTarget& Target : FOutputTargets)
        Target = TOutputTarget();
    FFiles.Fnb_output_files = 0;
    InputsClosing();
    for (int i = 0; i < FFiles.Fnb_input_files; ++i)
        CloseInputURL(&FFiles.Finput_files[size_t(i)]);
    std::fill(FFiles.Finput_files.begin(), FFiles.Finput_files.end(), nullptr);
    FFiles.Fnb_input_files = 0;
}

void TCustomFFmpeg::Cleanup()
{
    if (!GlobalLoader().Loaded(ConverterLibraries))
        return;
    FreeFFOptions(FMuxing.FOptions);
    CloseFiles();
    FVideoOut.Fintra_matrix.clear();
    FVideoOut.Finter_matrix.clear();
    FVideoOut.Fvstats_file.reset();
    for (std::string* Text : {&FVideoOut.Fvstats_filename, &FVideoOut.Fvideo_codec_name, &FAudioOut.Faudio_codec_name,
                              &FSubtitleOut.Fsubtitle_codec_name, &FVideoOut.Fvideo_standard,
                              &FVideoOut.Fvideo_rc_override_string, &FVideoOut.Fvideo_language,
                              &FAudioOut.Faudio_language, &FSubtitleOut.Fsubtitle_language})
        Text->clear();
    FSubtitleOut.Fsubtitle_codec_tag = 0;
    FHooks.FFirstHook.reset();
    FHooks.FHookContext.Context.reset();
    ResetPostHookContext();
}

// --- Codec lists ----------------------------------------------------------

PCodecItem TCustomFFmpeg::AddCodecItem(PCodecItem& AList, void* AStream, AVCodecContext* ACodec)
{
    auto* item = new TCodecItem{AStream, ACodec, nullptr, AList};
    if (AList)
        AList->Prev = item;
    AList = item;
    return item;
}

void TCustomFFmpeg::RemoveCodecItem(PCodecItem& AList, void* AStream)
{
    for (PCodecItem item = AList; item; item = item->Next) {
        if (item->st != AStream)
            continue;
        if (item->Prev)
            item->Prev->Next = item->Next;
        else
            AList = item->Next;
        if (item->Next)
            item->Next->Prev = item->Prev;
        delete item;
        return;
    }
}

// Encoders and decoders close alike; an encoder also lets go of the second
// pass's statistics it was given.
void TCustomFFmpeg::CloseCodecs(PCodecItem& AList, bool AEncoders)
{
    while (AList) {
        PCodecItem item = AList;
        AList = item->Next;
        if (item->codec) {
            platform::TLockGuard guard(CodecLock());
            if (AEncoders)
                ff::av_freep(&item->codec->stats_in);
            ff::avcodec_close(item->codec);
        }
        delete item;
    }
}

// --- Post hooks -----------------------------------------------------------

void TCustomFFmpeg::SetPostHooks(TPostHooks AHooks)
{
    const TPostHooks old = FPostHooks;
    if (AHooks == old)
        return;
    if ((old & phPreview) && !(AHooks & phPreview))
        FHooks.FPostContext.Previewer.reset();
    FPostHooks = AHooks;
}

void TCustomFFmpeg::SetPostHooksLocked(TPostHooks AHooks)
{
    platform::TLockGuard guard(FFmpegUnitLock());
    SetPostHooks(AHooks);
}

void TCustomFFmpeg::ResetPostHookContext()
{
    FHooks.FPostContext = TPostHookContext();
}

// --- Running --------------------------------------------------------------

void TCustomFFmpeg::Fail(const std::string& AMessage)
{
    GetFFLogger()->Log(this, llQuiet, AMessage);
    // A failure in a closing step comes after the transcode marked its end:
    // the job has not finished after all.
    FFinished = false;
    FFatalException = true;
    FFatalMessage = AMessage;
}

// Nothing escapes the job: an exception of any kind becomes its fatal
// message (a later failure overwrites an earlier one).
void TCustomFFmpeg::HandleRunException(std::exception_ptr AError)
{
    try {
        std::rethrow_exception(AError);
    } catch (const std::exception& E) {
        Fail(E.what());
    } catch (...) {
        Fail("Unknown exception");
    }
}

platform::TThread* TCustomFFmpeg::StartConvert(bool AUseThread, platform::TThreadPriority APriority)
{
    {
        std::lock_guard<std::mutex> guard(FStateLock);
        if (FConverting || FTerminated || FReporting)
            return nullptr;
        FConverting = true;
    }
    const std::string missing = FFiles.Fnb_output_files <= 0 ? "At least one output file must be specified"
                                : FFiles.Fnb_input_files == 0 ? "At least one input file must be specified"
                                                              : FStartRefusal;
    if (!missing.empty()) {
        try {
            Cleanup();
        } catch (...) {
            HandleRunException(std::current_exception());
        }
        Fail(missing);
        NotifyTerminate();
        return nullptr;
    }
    FBroken = false;
    FFinished = false;
    FCodecShare = std::make_unique<TCodecThreadShare::TMember>(TCodecThreadShare::Global());
    if (!AUseThread) {
        DoConvert();
        return nullptr;
    }
    // The stop event is reset here, before the thread exists, so that a
    // Stop(True) right after the start waits for the whole run.
    FStopEvent.ResetEvent();
    {
        std::lock_guard<std::mutex> guard(FPauseLock);
        FHasWorker = true;
    }
    std::lock_guard<std::mutex> guard(FStateLock);
    FThread = std::make_unique<TConvertThread>(this, APriority);
    return FThread.get();
}

void TCustomFFmpeg::RunTranscode()
{
    if (FTranscodeStep)
        FTranscodeStep(*this);
    else
        Transcode();
}

void TCustomFFmpeg::DoConvert()
{
    FFinished = false;
    const std::function<void()> steps[] = {
        [this] { RunTranscode(); },
        [this] { CloseEncoders(FEncoderList); },
        [this] { CloseDecoders(FDecoderList); },
        [this] { FCodecShare.reset(); },
        [this] { Cleanup(); },
        [this] { NotifyTerminate(); },
    };
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            HandleRunException(std::current_exception());
        }
    }
}

void TCustomFFmpeg::NotifyTerminate()
{
    {
        std::lock_guard<std::mutex> guard(FPauseLock);
        FHasWorker = false;
        FPaused = false;
    }
    FPauseCond.notify_all();
    {
        std::lock_guard<std::mutex> guard(FStateLock);
        FConverting = false;
        FTerminated = true;
    }
    if (FEvents.FOnTerminate)
        FEvents.FOnTerminate(this);
}

// --- Stop, cancel, pause, resume -------------------------------------------

void TCustomFFmpeg::Stop(bool AWaitFor)
{
    FBroken = true;
    {
        std::lock_guard<std::mutex> guard(FPauseLock);
        FPaused = false;
    }
    FPauseCond.notify_all();
    platform::TThread* worker;
    {
        std::lock_guard<std::mutex> guard(FStateLock);
        worker = FThread.get();
    }
    if (!worker)
        return;
    // A worker the caller never started would never signal its end.
    if (!worker->Started())
        worker->Start();
    if (AWaitFor)
        platform::WaitServing(FStopEvent);
}

void TCustomFFmpeg::Cancel(bool AWaitFor)
{
    bool report = false;
    {
        std::lock_guard<std::mutex> guard(FStateLock);
        if (FConverting) {
            // fall through to Stop below
        } else if (!FTerminated && !FReporting) {
            FReporting = true;
            report = true;
        } else {
            return;
        }
    }
    if (!report) {
        Stop(AWaitFor);
        return;
    }
    FTermEvent.ResetEvent();
    FReportThread = std::make_unique<TDoTerminateThread>(this);
    FReportThread->Start();
    // The report may need the GUI thread (a terminate handler that
    // synchronises), so a wait there keeps serving it.
    if (AWaitFor)
        platform::WaitServing(FTermEvent);
}

void TCustomFFmpeg::JoinReportThread()
{
    if (FReportThread)
        FReportThread->WaitFor();
    FReportThread.reset();
}

void TCustomFFmpeg::Pause()
{
    std::lock_guard<std::mutex> guard(FPauseLock);
    if (FHasWorker && !FBroken)
        FPaused = true;
}

void TCustomFFmpeg::Resume()
{
    {
        std::lock_guard<std::mutex> guard(FPauseLock);
        FPaused = false;
    }
    FPauseCond.notify_all();
}

bool TCustomFFmpeg::Paused() const
{
    std::lock_guard<std::mutex> guard(FPauseLock);
    return FPaused;
}

bool TCustomFFmpeg::WaitWhilePaused()
{
    std::unique_lock<std::mutex> lock(FPauseLock);
    FPauseCond.wait(lock, [this] { return !FPaused || FBroken; });
    return !FBroken;
}

} // namespace engine
