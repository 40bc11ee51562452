// The player component: library set, opening and closing files, the
// control operations and the settings.

#include "engine/player/FFPlay.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/base/MainThreadCalls.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/probe/AVProbe.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <cmath>
#include <csignal>
#include <cstring>

namespace engine {

namespace {

// The driver names of the old platform's choices, in their Linux form.
const char* const AudioDriverNames[] = {"", "alsa", "pulse"};
const char* const VideoDriverNames[] = {"", "x11", "x11"};

} // namespace

const char* AudioDriverName(TAudioDriver ADriver) { return AudioDriverNames[ADriver]; }
const char* VideoDriverName(TVideoDriver ADriver) { return VideoDriverNames[ADriver]; }

TVideoState::TVideoState()
{
    memset(audio_buf1, 0, sizeof audio_buf1);
    memset(audio_buf2, 0, sizeof audio_buf2);
    memset(sample_array, 0, sizeof sample_array);
}

TVideoState::~TVideoState()
{
    for (auto& vp : pictq)
        if (vp.bmp)
            sdl::SDL_FreeYUVOverlay(vp.bmp);
    if (shown.bmp)
        sdl::SDL_FreeYUVOverlay(shown.bmp);
    for (auto& sp : subpq)
        ff::avsubtitle_free(&sp.sub);
    if (rdft)
        ff::av_rdft_end(rdft);
    ff::av_free(rdft_data);
    if (audio_src_layout.nb_channels)
        ff::av_channel_layout_uninit(&audio_src_layout);
}

TCustomPlayer::TCustomPlayer(platform::TComponent* AOwner) : TFFBaseComponent(AOwner)
{
    FAVProbe = new TAVProbe(nullptr);
    ResetPlaybackSettings();
}

TCustomPlayer::~TCustomPlayer()
{
    ClearEventHandlers();
    Stop(true);
    EndPlaybackThreads();
    delete FAVProbe;
    if (ff::sws_freeContext) {
        ResetRGBConvertContext(FRGBContext);
        ResetRGBConvertContext(FHookContext);
    } else {
        // Without the libraries only the pictures can be there: a frame asked
        // for before any file was played.
        delete FRGBContext.Bitmap;
        delete FHookContext.Bitmap;
    }
}

void TCustomPlayer::ClearEventHandlers()
{
    std::lock_guard<std::mutex> guard(FHandlerLock);
    OnPosition = nullptr;
    OnState = nullptr;
    OnHook = nullptr;
}

TPositionEvent TCustomPlayer::PositionHandler() const
{
    std::lock_guard<std::mutex> guard(FHandlerLock);
    return OnPosition;
}

TPlayStateEvent TCustomPlayer::StateHandler() const
{
    std::lock_guard<std::mutex> guard(FHandlerLock);
    return OnState;
}

THookEvent TCustomPlayer::HookHandler() const
{
    std::lock_guard<std::mutex> guard(FHandlerLock);
    return OnHook;
}

bool TCustomPlayer::AVLibLoaded() const { return GlobalLoader().Loaded(PlayerLibraries); }

bool TCustomPlayer::LoadAVLib(const std::string& APath)
{
    GlobalLoader().SetLibraryPath(APath);
    const bool ok = GlobalLoader().Load(PlayerLibraries);
    if (!ok) {
        std::lock_guard<std::mutex> guard(FErrLock);
        FLastErrMsg = GlobalLoader().LastErrMsg();
    }
    return ok;
}

void TCustomPlayer::UnloadAVLib() { GlobalLoader().Unload(PlayerLibraries); }

std::string TCustomPlayer::LastErrMsg() const
{
    std::lock_guard<std::mutex> guard(FErrLock);
    return FLastErrMsg;
}

void TCustomPlayer::ReportError(const std::string& AMessage, bool ASetLastErrMsg)
{
    if (ASetLastErrMsg) {
        std::lock_guard<std::mutex> guard(FErrLock);
        FLastErrMsg = AMessage;
    }
    GetFFLogger()->Log(this, llError, AMessage);
}

void TCustomPlayer::ResetPlaybackSettings()
{
    Fscreen = nullptr;
    FLastPTS = AV_NOPTS_VALUE;
    FCurrentPTS = -1;
    Fstep = false;
    for (int& w : Fwanted_stream)
        w = -1;
    seek_by_bytes = -1;
    start_time = AV_NOPTS_VALUE;
    PlayTime = AV_NOPTS_VALUE;
    RepeatType = rtStop;
    FVerticalFlip = false;
    FSeekEvent.SetEvent();
    FSeeking = false;
}

bool TCustomPlayer::InitSDLForWindow(unsigned long AScreenHandle)
{
    if (AScreenHandle != 0)
        platform::SetEnvironmentVariable("SDL_WINDOWID", std::to_string(AScreenHandle));
    // SDL would take over the program's interrupt and termination signals
    // (and, without NOPARACHUTE, its fault signals): the host keeps them.
    struct sigaction oldInt, oldTerm;
    sigaction(SIGINT, nullptr, &oldInt);
    sigaction(SIGTERM, nullptr, &oldTerm);
    const uint32_t all = SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_NOPARACHUTE;
    bool ok = sdl::SDL_Init(all) == 0;
    if (!ok && sdl::SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_NOPARACHUTE) == 0) {
        // A machine without a sound device still shows pictures; the audio
        // plays into SDL's silent driver.
        GetFFLogger()->Log(this, llWarning, std::string("SDL audio: ") + sdl::SDL_GetError());
        UseSilentAudioDriver();
        ok = sdl::SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!ok)
            QuitSDL();
    }
    sigaction(SIGINT, &oldInt, nullptr);
    sigaction(SIGTERM, &oldTerm, nullptr);
    if (AScreenHandle != 0) {
        char buf[64];
        if (sdl::SDL_AudioDriverName(buf, sizeof buf))
            ff::av_log(nullptr, AV_LOG_DEBUG, "using audio driver: %s\n", buf);
        if (sdl::SDL_VideoDriverName(buf, sizeof buf))
            ff::av_log(nullptr, AV_LOG_DEBUG, "using video driver: %s\n", buf);
        unsetenv("SDL_WINDOWID");
    }
    if (ok && AScreenHandle != 0)
        HookScreenWindow(AScreenHandle);
    if (!ok) {
        ReportError(platform::Format("Could not initialize SDL with ScreenHandle(%u): %s", int64_t(AScreenHandle),
                                     std::string(sdl::SDL_GetError())),
                    true);
        return false;
    }
    FSDLStarted = true;
    return true;
}

bool TCustomPlayer::Open(const std::string& AFileName, unsigned long AScreenHandle, bool APaused)
{
    if (!AVLibLoaded()) {
        ReportError("libav or libsdl not loaded.", true);
        return false;
    }
    const uint64_t request = ++FRequests;
    CancelPendingOpen();
    StopPlayback(true);
    // One file's events never reach the next: the previous delivery thread
    // has ended (it ends with the stop state) before the ring is reused.
    EndPlaybackThreads();
    if (Superseded(request, AFileName))
        return false;
    FPlayEvent.Clear();

    if (platform::Utf8ToUtf16(AFileName).size() >= MAX_FILENAME_LENGTH) {
        ReportError(platform::Format("%s: the file name is too long.", AFileName), true);
        return false;
    }
    // The default drivers leave the environment as the user set it.
    if (AudioDriver != adDefault)
        platform::SetEnvironmentVariable("SDL_AUDIODRIVER", AudioDriverName(AudioDriver));
    if (VideoDriver != vdDefault)
        platform::SetEnvironmentVariable("SDL_VIDEODRIVER", VideoDriverName(VideoDriver));
    if (!InitSDLForWindow(AScreenHandle))
        return false;
    if (Fdisplay_disable) {
        Fvideo_disable = true;
    } else {
        const SDL_VideoInfo* info = sdl::SDL_GetVideoInfo();
        if (!info) {
            ReportError("SDL_GetVideoInfo() failed", true);
            QuitSDL();
            return false;
        }
        Ffs_screen_width = info->current_w;
        Ffs_screen_height = info->current_h;
    }
    sdl::SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
    sdl::SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    sdl::SDL_EventState(SDL_SYSWMEVENT, SDL_IGNORE);
    FScreenHandle = AScreenHandle;
    // Fresh pictures for the new file, before its video thread can hook.
    ResetRGBConvertContext(FRGBContext);
    ResetRGBConvertContext(FHookContext);
    // A stop that comes before the play thread runs must find a file that
    // is still playing, not the signal of the last one.
    FStopEvent.ResetEvent();
    {
        std::lock_guard<std::mutex> guard(FAnnounceLock);
        FPlayAnnounced = false;
        FPauseOwed = false;
    }
    if (!StreamOpen(AFileName, Ffile_iformat, APaused, request)) {
        // A newer open that came meanwhile owns SDL and the stop signal.
        if (Superseded(request, AFileName))
            return false;
        FStopEvent.SetEvent();
        QuitSDL();
        return false;
    }
    Finput_filename = AFileName;
    FAVProbe->SetFileHandle(FVideoState.load()->ic);
    if (TriggerEventInMainThread)
        CallInMainThread([this] { DoFileOpen(); });
    else
        DoFileOpen();
    const uint64_t generation = ++FEventGeneration;
    FEventThread =
        std::make_unique<platform::TAnonymousThread>([this, generation] { EventThreadExecute(generation); });
    FEventThread->Start();
    FPlayThread = std::make_unique<platform::TAnonymousThread>([this] { PlayThreadExecute(); });
    FPlayThread->Start();
    return true;
}

bool TCustomPlayer::StreamOpen(const std::string& AFileName, const AVInputFormat* AFormat, bool APaused,
                               uint64_t ARequest)
{
    ZASSERT(FVideoState == nullptr);
    auto* is = new (std::nothrow) TVideoState;
    if (!is) {
        ReportError("av_mallocz() failed.", true);
        return false;
    }
    is->Owner = this;
    if (APaused) {
        is->paused_at = double(ff::av_gettime()) / 1000000.0;
        is->paused = 1;
        is->open_paused = 1;
        Fstep = false;
    }
    const std::u16string wide = platform::Utf8ToUtf16(AFileName);
    std::copy(wide.begin(), wide.end(), is->filename);
    is->FileNameUtf8 = AFileName;
    is->iformat = AFormat;
    is->av_sync_type = av_sync_type;
    is->parse_tid = std::make_unique<platform::TAnonymousThread>([this, is] { ReaderThread(is); });
    is->parse_tid->Start();
    FOpening = is;
    platform::WaitUntilServing([is] { return is->Opened != 0; });
    if (FOpening == is)
        FOpening = nullptr;
    if (ARequest != FRequests) {
        // Abandoned for a newer request, which may have opened its file
        // meanwhile: only this file's own threads and memory go.
        is->abort_request = 1;
        is->parse_tid->WaitFor();
        delete is;
        return false;
    }
    if (is->Opened > 0) {
        FVideoState = is;
        if (is->video_stream < 0 && !Fdisplay_disable)
            is->show_audio = int(FShowAudio);
        is->refresh_tid = std::make_unique<platform::TAnonymousThread>([this, is] { RefreshThread(is); });
        is->refresh_tid->Start();
        return true;
    }
    platform::WaitUntilServing([is] { return is->Opened != -1; });
    is->abort_request = 1;
    is->parse_tid->WaitFor();
    delete is;
    ResetPlaybackSettings();
    return false;
}

void TCustomPlayer::StreamClose(TVideoState* is)
{
    is->abort_request = 1;
    if (is->parse_tid)
        is->parse_tid->WaitFor();
    if (is->refresh_tid)
        is->refresh_tid->WaitFor();
}

void TCustomPlayer::CloseStream()
{
    if (TVideoState* is = FVideoState) {
        StreamClose(is);
        FVideoState = nullptr;
        delete is;
        ResetPlaybackSettings();
    }
}

void TCustomPlayer::CloseVideoState()
{
    CloseStream();
    if (FSDLStarted)
        QuitSDL();
    FSDLStarted = false;
}

// SDL reads the driver name whenever it starts the audio, so the silent
// driver stays named while SDL runs; QuitSDL puts the setting back so that
// the next file tries the real device again.
void TCustomPlayer::UseSilentAudioDriver()
{
    if (!FAudioDriverReplaced) {
        const char* before = getenv("SDL_AUDIODRIVER");
        FAudioDriverBefore = before ? std::optional<std::string>(before) : std::nullopt;
        FAudioDriverReplaced = true;
    }
    platform::SetEnvironmentVariable("SDL_AUDIODRIVER", "dummy");
}

// A machine without a sound device still plays: the sound goes to SDL's
// silent driver (SDL starts without audio and fails only here).
bool TCustomPlayer::OpenAudioDevice(SDL_AudioSpec* AWanted)
{
    if (sdl::SDL_OpenAudio(AWanted, nullptr) == 0)
        return true;
    GetFFLogger()->Log(this, llWarning, std::string("SDL audio: ") + sdl::SDL_GetError());
    UseSilentAudioDriver();
    sdl::SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return sdl::SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && sdl::SDL_OpenAudio(AWanted, nullptr) == 0;
}

void TCustomPlayer::QuitSDL()
{
    sdl::SDL_Quit();
    if (!FAudioDriverReplaced)
        return;
    FAudioDriverReplaced = false;
    if (FAudioDriverBefore)
        platform::SetEnvironmentVariable("SDL_AUDIODRIVER", *FAudioDriverBefore);
    else
        unsetenv("SDL_AUDIODRIVER");
}

void TCustomPlayer::Stop(bool AWaitForStop)
{
    if (AWaitForStop) {
        ++FRequests;
        CancelPendingOpen();
    }
    StopPlayback(AWaitForStop);
}

void TCustomPlayer::CancelPendingOpen()
{
    if (TVideoState* pending = FOpening) {
        pending->abort_request = 1;
        pending->parse_tid->WaitFor();
    }
}

bool TCustomPlayer::Superseded(uint64_t ARequest, const std::string& AFileName)
{
    if (ARequest == FRequests)
        return false;
    ReportError(platform::Format("%s: not opened, another file was opened or playback stopped meanwhile.", AFileName),
                true);
    return true;
}

void TCustomPlayer::EndPlaybackThreads()
{
    // Taken out first: a nested open while this waits starts threads of
    // its own, which are not this call's to join.
    std::unique_ptr<platform::TThread> play = std::move(FPlayThread);
    std::unique_ptr<platform::TThread> events = std::move(FEventThread);
    std::vector<std::unique_ptr<platform::TThread>> retired = std::move(FRetiredThreads);
    FRetiredThreads.clear();
    if (events)
        retired.push_back(std::move(events));
    if (play)
        play->WaitFor();
    if (FDelivering > 0) {
        // A handler runs for a delivery thread, which waits for it: that
        // thread cannot end before this returns.
        ++FEventGeneration;
        FPlayEvent.Event().SetEvent();
        for (auto& thread : retired)
            FRetiredThreads.push_back(std::move(thread));
        return;
    }
    for (auto& thread : retired)
        thread->WaitFor();
}

void TCustomPlayer::StopPlayback(bool AWaitForStop)
{
    // The play thread closes the stream and SDL (with its event queue)
    // under the data lock: both are touched here only while it is held,
    // serving the GUI thread's calls meanwhile as the play thread may wait
    // for one of them.
    platform::WaitUntilServing([this] { return FDataLock.Acquire(0); });
    bool asked = false;
    if (TVideoState* is = FVideoState) {
        if (is->paused) {
            StreamPause(is);
            Fstep = false;
        }
        PushQuitEvent(is);
        asked = true;
    }
    FDataLock.Release();
    if (asked && AWaitForStop)
        WaitForStop();
    if (AWaitForStop && FSDLStarted && !FVideoState) {
        // The play thread has left its loop; SDL can go.
        if (FPlayThread)
            FPlayThread->WaitFor();
        QuitSDL();
        FSDLStarted = false;
    }
    UnhookScreenWindow();
}

void TCustomPlayer::WaitForStop()
{
    int rounds = 1;
    while (platform::WaitServing(FStopEvent, 100) != platform::TWaitResult::wrSignaled) {
        if (!FVideoState)
            break;
        if (!FDataLock.Acquire(100))
            continue;
        ++rounds;
        TVideoState* is = FVideoState;
        if (!is) {
            FDataLock.Release();
            break;
        }
        // The reader can hang in a read: force the close after about a
        // second in that case, and after about two in any case.
        // SDL stays up: the play thread may be inside SDL's event wait,
        // and it ends SDL itself when it wakes and finds no file.
        if ((rounds > 10 && is->Reading) || rounds > 20) {
            CloseStream();
            PushQuitEvent(nullptr);
            FDataLock.Release();
            break;
        }
        PushQuitEvent(is);
        FDataLock.Release();
    }
}

bool TCustomPlayer::Paused() const
{
    TVideoState* is = FVideoState;
    return !is || is->paused;
}

void TCustomPlayer::Pause()
{
    TVideoState* is = FVideoState;
    if (!is || is->paused)
        return;
    StreamPause(is);
    Fstep = false;
    SetState(psPause);
}

void TCustomPlayer::Resume()
{
    TVideoState* is = FVideoState;
    if (!is || !is->paused)
        return;
    StreamPause(is);
    Fstep = false;
    SetState(psResume);
}

void TCustomPlayer::TogglePause()
{
    TVideoState* is = FVideoState;
    if (!is)
        return;
    StreamPause(is);
    Fstep = false;
    SetState(is->paused ? psPause : psResume);
}

void TCustomPlayer::StepToNextFrame()
{
    TVideoState* is = FVideoState;
    if (!is)
        return;
    if (is->paused)
        StreamPause(is);
    const bool was = Fstep;
    Fstep = true;
    if (!was)
        SetState(psStep);
}

void TCustomPlayer::ToggleAudioDisplay()
{
    TVideoState* is = FVideoState;
    if (!is)
        return;
    is->show_audio = (is->show_audio + 1) % 3;
    // Before the first display there is no surface to clear.
    if (Fscreen)
        ClearScreen(is);
}

void TCustomPlayer::Seek(int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd)
{
    TVideoState* is = FVideoState;
    if (!is)
        return;
    if (ASeekFlags.Contains(sfByte)) {
        StreamSeek(is, ASeekFlags, AWaitForSeekEnd, 0, APTS);
        return;
    }
    const int64_t rel = APTS <= 0 ? 1 : 0;
    if (is->ic->duration != AV_NOPTS_VALUE && APTS > is->ic->duration)
        APTS = is->ic->duration;
    if (is->ic->start_time != AV_NOPTS_VALUE)
        APTS += is->ic->start_time;
    StreamSeek(is, ASeekFlags, AWaitForSeekEnd, rel, APTS);
}

void TCustomPlayer::Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd)
{
    TVideoState* is = FVideoState;
    if (!is)
        return;
    if (ASeekFlags.Contains(sfByte)) {
        const double bytes = is->ic->bit_rate ? ADelta * double(is->ic->bit_rate) / 8.0 : ADelta * 180000.0;
        const int64_t pos = int64_t(std::nearbyint(double(ff::avio_seek(is->ic->pb, 0, SEEK_CUR)) + bytes));
        StreamSeek(is, ASeekFlags, AWaitForSeekEnd, int64_t(std::nearbyint(bytes)), pos);
        return;
    }
    const int64_t pos = int64_t(std::nearbyint((GetMasterClock(is) + ADelta) * 1000000));
    StreamSeek(is, ASeekFlags, AWaitForSeekEnd, int64_t(std::nearbyint(ADelta * 1000000)), pos);
}

TFrameBitmap* TCustomPlayer::CurrentFrame()
{
    int64_t pts;
    return CurrentFrame(pts);
}

TFrameBitmap* TCustomPlayer::CurrentFrame(int64_t& APTS)
{
    if (!FRGBContext.Bitmap)
        FRGBContext.Bitmap = NewBitmap(0, 0, FRGBContext.BMPPixFmt);
    TFrameBitmap* bmp = FRGBContext.Bitmap;
    TVideoState* is = FVideoState;
    APTS = -1;
    if (!is || is->video_stream < 0 || !is->video_dec) {
        bmp->SetSize(0, 0);
        return bmp;
    }
    // Black at the decoder's size until a picture is there.
    bmp->SetSize(is->video_dec->width, is->video_dec->height);
    for (int y = 0; y < bmp->Height(); ++y)
        memset(bmp->ScanLine(y), 0, size_t(bmp->RowBytes()));
    // The overlay belongs to the display thread, which holds this lock
    // while it draws.
    FDataLock.Acquire();
    // The picture due next, or the one on show when none is queued; the
    // queue's indexes and times change under its lock.
    int slot;
    double pts;
    {
        std::lock_guard<std::mutex> guard(is->pictq_mutex);
        slot = is->pictq_size == 0 ? (is->pictq_rindex + VIDEO_PICTURE_QUEUE_SIZE - 1) % VIDEO_PICTURE_QUEUE_SIZE
                                   : is->pictq_rindex;
        pts = is->pictq[slot].pts;
    }
    const TVideoPicture& vp = is->pictq[slot];
    APTS = int64_t(std::nearbyint(pts * 1000000)) - is->StartTime;
    if (vp.bmp) {
        sdl::SDL_LockYUVOverlay(vp.bmp);
        const uint8_t* planes[4] = {vp.bmp->pixels[0], vp.bmp->pixels[2], vp.bmp->pixels[1], nullptr};
        const int lines[4] = {vp.bmp->pitches[0], vp.bmp->pitches[2], vp.bmp->pitches[1], 0};
        if (!PictureToBitmap(FRGBContext, planes, lines, AV_PIX_FMT_YUV420P, vp.width, vp.height))
            bmp->SetSize(0, 0);
        sdl::SDL_UnlockYUVOverlay(vp.bmp);
    }
    FDataLock.Release();
    return bmp;
}

void TCustomPlayer::SetAspectRatio(float AValue)
{
    if (FAspectRatio == AValue)
        return;
    FAspectRatio = AValue;
    if (TVideoState* is = FVideoState)
        PushRelayoutEvent(is);
}

void TCustomPlayer::SetAudioVolume(TAudioVolume AValue) { FAudioVolume = std::clamp(AValue, 0, SDL_MIX_MAXVOLUME); }

void TCustomPlayer::SetShowAudio(TShowAudio AValue)
{
    FShowAudio = AValue;
    TVideoState* is = FVideoState;
    if (is && is->audio_stream >= 0 && !Fdisplay_disable)
        is->show_audio = int(AValue);
}

std::string TCustomPlayer::Format() const { return Ffile_iformat ? Ffile_iformat->name : ""; }

void TCustomPlayer::SetFormat(const std::string& AName)
{
    if (!AVLibLoaded()) {
        ReportError("libav or libsdl not loaded.", true);
        return;
    }
    if (AName.empty()) {
        Ffile_iformat = nullptr;
        return;
    }
    const AVInputFormat* fmt = ff::av_find_input_format(platform::Utf8ToAnsi(AName).c_str());
    if (!fmt)
        throw platform::Exception(platform::Format("Unknown input format: %s", AName));
    Ffile_iformat = fmt;
}

int TCustomPlayer::AudioStreamIndex() const
{
    TVideoState* is = FVideoState;
    return is ? int(is->audio_stream) : -1;
}

int TCustomPlayer::VideoStreamIndex() const
{
    TVideoState* is = FVideoState;
    return is ? int(is->video_stream) : -1;
}

int TCustomPlayer::SubtitleStreamIndex() const
{
    TVideoState* is = FVideoState;
    return is ? int(is->subtitle_stream) : -1;
}

void TCustomPlayer::SetAudioStreamIndex(int AValue)
{
    if (FVideoState && AValue != AudioStreamIndex())
        SelectStream(AVMEDIA_TYPE_AUDIO, AValue);
}

void TCustomPlayer::SetVideoStreamIndex(int AValue)
{
    if (FVideoState && AValue != VideoStreamIndex())
        SelectStream(AVMEDIA_TYPE_VIDEO, AValue);
}

void TCustomPlayer::SetSubtitleStreamIndex(int AValue)
{
    if (FVideoState && AValue != SubtitleStreamIndex())
        SelectStream(AVMEDIA_TYPE_SUBTITLE, AValue);
}

void TCustomPlayer::SelectStream(int AType, int AValue)
{
    TVideoState* is = FVideoState;
    const int current = AType == AVMEDIA_TYPE_VIDEO ? int(is->video_stream)
                        : AType == AVMEDIA_TYPE_AUDIO ? int(is->audio_stream)
                                                      : int(is->subtitle_stream);
    const int lowest = AType == AVMEDIA_TYPE_SUBTITLE ? -1 : 0;
    if (current < lowest) {
        ReportError("the current stream is not valid.", true);
        return;
    }
    if (AValue < lowest || AValue >= int(is->ic->nb_streams)) {
        ReportError("the stream index is not valid.", true);
        return;
    }
    if (AValue == current)
        return;
    if (AValue >= 0) {
        const AVCodecParameters* par = is->ic->streams[AValue]->codecpar;
        if (par->codec_type != AType) {
            ReportError("the stream type is not matched.", true);
            return;
        }
        if (AType == AVMEDIA_TYPE_AUDIO && (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0)) {
            ReportError("the audio stream is not invalid.", true);
            return;
        }
    }
    if (current >= 0)
        CloseStreamComponent(is, current);
    if (AValue >= 0)
        OpenStreamComponent(is, AValue);
}

} // namespace engine
