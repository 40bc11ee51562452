#pragma once
// The media player component: plays one file at a time into a window of the
// caller (or SDL's own window), with pause, stepping, seeking, stream
// switching, volume and mute, and hands the caller the current picture.
//
// Playback runs on threads of its own: a reader that demultiplexes into
// packet queues, video and subtitle decoders, SDL's audio callback, a
// refresh pacer, the SDL event loop that displays, and a thread that
// delivers position and state events to the caller.

#include "engine/base/FFBaseComponent.h"
#include "engine/loader/FFUtils.h"
#include "engine/player/FFPlay_State.h"
#include "platform/core/SyncObjs.h"
#include "platform/ui/Window.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace engine {

class TAVProbe;

enum TPlayState { psPlay, psPause, psResume, psStep, psStop, psEnd };
enum TRepeatType { rtNone, rtStop, rtLoop };
enum TShowAudio { saNone, saWave, saRDFT };
enum TAudioDriver { adDefault, adDirectSound, adWaveOut };
enum TVideoDriver { vdDefault, vdDirectDraw, vdGDI };
using TAudioVolume = int; // 0..128
constexpr TAudioVolume MaxAudioVolume = 128;

// The SDL driver each choice stands for on Linux; empty for the default,
// which leaves the user's environment alone.
const char* AudioDriverName(TAudioDriver ADriver);
const char* VideoDriverName(TVideoDriver ADriver);

using TFileOpenEvent = std::function<void(platform::TObject* Sender, int64_t ADuration, int AFrameWidth,
                                          int AFrameHeight, int& AScreenWidth, int& AScreenHeight)>;
using TPositionEvent = std::function<void(platform::TObject* Sender, int64_t APTS)>;
using TPlayStateEvent = std::function<void(platform::TObject* Sender, TPlayState AState)>;
// ABitmap: a 24-bit copy of the picture that the handler may draw on; what
// it draws is shown. The player owns it.
using THookEvent = std::function<void(platform::TObject* Sender, TFrameBitmap* ABitmap, int64_t APTS)>;

// Entries between the playback threads and the event-delivery thread.
struct TPlayEventItem {
    int Kind = 0; // 0 none, 1 position, 2 state, 3 end of the event thread
    int64_t Value = 0;
};

class TPlayEvent {
public:
    static constexpr int Capacity = 10;
    // An entry of the same kind as the newest undelivered one replaces it;
    // a full ring drops its oldest entry.
    void Push(const TPlayEventItem& AItem);
    TPlayEventItem Pop();
    void Clear();
    // Drops the undelivered entries of AKind, keeping the others in order.
    void Discard(int AKind);
    platform::TEvent& Event() { return FEvent; }

private:
    std::mutex FLock;
    platform::TEvent FEvent{true, false};
    int FHeader = 0, FTailer = 0;
    TPlayEventItem FEvents[Capacity];
};

class TCustomPlayer : public TFFBaseComponent {
public:
    explicit TCustomPlayer(platform::TComponent* AOwner);
    ~TCustomPlayer() override;

    bool AVLibLoaded() const;
    bool LoadAVLib(const std::string& APath);
    void UnloadAVLib();

    // AScreenHandle: an X window to draw into, 0 for SDL's own window.
    bool Open(const std::string& AFileName, unsigned long AScreenHandle, bool APaused);
    void Stop(bool AWaitForStop);
    void Pause();
    void Resume();
    void TogglePause();
    void ToggleAudioDisplay();
    void StepToNextFrame();
    void Seek(int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd);
    void Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd);
    // A 24-bit copy of the current picture (0 x 0 without video), owned by
    // the player and reused by the next call; APTS is its time from the
    // start of the file, -1 without video.
    TFrameBitmap* CurrentFrame();
    TFrameBitmap* CurrentFrame(int64_t& APTS);
    void UpdateScreenPosition() {}

    // Properties
    std::string About;
    static const char* Version() { return "2.3"; }
    float AspectRatio() const { return FAspectRatio; }
    void SetAspectRatio(float AValue);
    TAudioDriver AudioDriver = adDefault;
    TVideoDriver VideoDriver = vdDefault;
    TAudioVolume AudioVolume() const { return FAudioVolume; }
    void SetAudioVolume(TAudioVolume AValue);
    bool DisableAudio() const { return Faudio_disable; }
    void SetDisableAudio(bool AValue) { Faudio_disable = AValue; }
    bool DisableVideo() const { return Fvideo_disable; }
    void SetDisableVideo(bool AValue) { Fvideo_disable = AValue; }
    bool DisableDisplay() const { return Fdisplay_disable; }
    void SetDisableDisplay(bool AValue) { Fdisplay_disable = AValue; }
    bool Mute() const { return FMute; }
    void SetMute(bool AValue) { FMute = AValue; }
    int FrameWidth = 0, FrameHeight = 0;
    bool Hook = false;
    int ScreenWidth() const { return Fscreen_width; }
    int ScreenHeight() const { return Fscreen_height; }
    void SetScreenWidth(int AValue) { Fscreen_width = AValue; }
    void SetScreenHeight(int AValue) { Fscreen_height = AValue; }
    bool TriggerEventInMainThread = true;
    std::string Format() const;
    void SetFormat(const std::string& AName);
    const std::string& FileName() const { return Finput_filename; }
    std::string LastErrMsg() const;
    unsigned long ScreenHandle() const { return FScreenHandle; }
    bool FullScreen() const { return Fis_full_screen; }
    void SetFullScreen(bool AValue) { Fis_full_screen = AValue; }
    TAVProbe* AVProbe() const { return FAVProbe; }
    int64_t CurrentPTS() const { return FCurrentPTS; }
    TPlayState PlayState() const { return FState; }
    bool Seeking() const { return FSeeking; }
    bool Paused() const;
    int AudioStreamIndex() const;
    int VideoStreamIndex() const;
    int SubtitleStreamIndex() const;
    void SetAudioStreamIndex(int AValue);
    void SetVideoStreamIndex(int AValue);
    void SetSubtitleStreamIndex(int AValue);
    TShowAudio ShowAudio() const { return FShowAudio; }
    void SetShowAudio(TShowAudio AValue);
    // Set by the caller at any time, read by the event thread.
    std::atomic<int64_t> PlayTime{AV_NOPTS_VALUE};
    std::atomic<TRepeatType> RepeatType{rtStop};
    bool VerticalFlip() const { return FVerticalFlip; }
    void SetVerticalFlip(bool AValue) { FVerticalFlip = AValue; }
    std::string VideoFilters;
    int seek_by_bytes = -1;
    int64_t start_time = AV_NOPTS_VALUE;
    int workaround_bugs = 1;
    bool fast = false;
    bool genpts = false;
    int decoder_reorder_pts = -1;
    int framedrop = 1;
    int rdftspeed = 20;
    int lowres = 0;
    int idct_algo = 0;
    int error_recognition = 1;
    int error_concealment = 3;
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    int wanted_stream(int AType) const { return Fwanted_stream[AType + 1]; }
    void set_wanted_stream(int AType, int AValue) { Fwanted_stream[AType + 1] = AValue; }

    // The host's way to measure a window (the platform's client size); used
    // when the file-open handler leaves the surface size open.
    std::function<void(unsigned long AWindow, int& AWidth, int& AHeight)> ScreenClientSize;

    TFileOpenEvent OnFileOpen;
    TPositionEvent OnPosition;
    TPlayStateEvent OnState;
    THookEvent OnHook;
    // Clears OnPosition, OnState and OnHook while playback threads may be
    // looking at them.
    void ClearEventHandlers();
    // Copies of the handlers, taken under the lock, for the playback threads.
    TPositionEvent PositionHandler() const;
    TPlayStateEvent StateHandler() const;
    THookEvent HookHandler() const;

    // Routines of the playback threads; public to the player's own units.
    int ReaderThread(TVideoState* is);
    int OpenStreamComponent(TVideoState* is, int AStreamIndex);
    void CloseStreamComponent(TVideoState* is, int AStreamIndex);
    void StreamSeek(TVideoState* is, TSeekFlags AFlags, bool AWait, int64_t ARel, int64_t APos);
    void AudioCallback(TVideoState* is, uint8_t* AStream, int ALength);
    int AudioDecodeFrame(TVideoState* is, double& APts);
    int SynchronizeAudio(TVideoState* is, uint8_t* ASamples, int ASize, double APts);
    void UpdateSampleDisplay(TVideoState* is, const int16_t* ASamples, int ASize);
    double GetAudioClock(TVideoState* is);
    double GetVideoClock(TVideoState* is);
    double GetExternalClock(TVideoState* is);
    double GetMasterClock(TVideoState* is);
    void StreamPause(TVideoState* is);
    double ComputeTargetTime(TVideoState* is, double APts);
    void VideoRefresh(TVideoState* is, bool AAdvance);
    int RefreshThread(TVideoState* is);
    int VideoThread(TVideoState* is);
    bool ShowPicture(TVideoState* is, AVFrame* AFrame, double ASeconds);
    int SubtitleThread(TVideoState* is);
    void AllocPicture(TVideoState* is);
    int VideoOpen(TVideoState* is, bool AForce);
    // Fills the whole screen surface black and puts it on screen.
    void ClearScreen(TVideoState* is);
    void VideoDisplay(TVideoState* is);
    void VideoImageDisplay(TVideoState* is);
    void VideoAudioDisplay(TVideoState* is);
    // Keeps a copy of the picture about to be shown, then shows the copy.
    void KeepShownPicture(TVideoState* is, const TVideoPicture& vp);
    void ShowKeptPicture(TVideoState* is);
    // The window was uncovered or resized: what it showed, again.
    void ShowAgain(TVideoState* is);
    void SetState(TPlayState AState);
    // A file opened paused announces its pause from the video thread, which
    // may get there before the play thread has announced the play: the
    // pause then waits for it, so listeners always hear play first.
    void AnnouncePlay();
    void AnnounceOpenPaused();
    void UpdatePosition();
    void DoFileOpen();
    bool DoHook(uint8_t* const AData[4], const int ALineSize[4], int AWidth, int AHeight, double APts);
    void PushQuitEvent(TVideoState* is);
    void PushRelayoutEvent(TVideoState* is);
    void PushAllocEvent(TVideoState* is);
    void ReportError(const std::string& AMessage, bool ASetLastErrMsg);
    void EventLoop();
    void PlayThreadExecute();
    void EventThreadExecute(uint64_t AGeneration);
    // Ends the open file and SDL; on the play thread, or on the caller's
    // while the play thread cannot take an event.
    void CloseVideoState();

    // Settings the playback threads read.
    int Fsws_flags = 4;
    int Fframe_pix_fmt = -1;
    int Fwanted_stream[7];
    std::atomic<bool> Fstep{false};
    std::atomic<bool> FSeeking{false};
    // Seeks asked for so far: a position taken before the latest one is
    // not delivered.
    std::atomic<uint64_t> FSeekRequests{0};
    // Set by the thread that opens the audio, read once SDL is done.
    std::atomic<bool> FAudioDriverReplaced{false}; // the silent audio fallback is in use
    std::optional<std::string> FAudioDriverBefore; // the setting it replaced
    std::atomic<bool> FVerticalFlip{false};
    std::atomic<bool> FMute{false};
    std::atomic<int> FAudioVolume{128};
    std::atomic<int64_t> Faudio_callback_time{0};
    std::atomic<TVideoState*> FVideoState{nullptr};
    SDL_Surface* Fscreen = nullptr;
    platform::TEvent FSeekEvent{true, true};
    platform::TEvent FPictEvent{true, true};
    platform::TEvent FStopEvent{true, true};
    platform::TMutex FDataLock;
    TPlayEvent FPlayEvent;

private:
    bool StreamOpen(const std::string& AFileName, const AVInputFormat* AFormat, bool APaused, uint64_t ARequest);
    void StreamClose(TVideoState* is);
    // Frees the state of the open file, leaving SDL to the play thread.
    void CloseStream();
    void StopPlayback(bool AWaitForStop);
    // The control operations wait serving the caller's messages, so another
    // open or stop can come while one waits: the latest request wins, and
    // an open still reading its file is abandoned.
    void CancelPendingOpen();
    bool Superseded(uint64_t ARequest, const std::string& AFileName);
    // Joins the play thread and the delivery threads; a delivery thread that
    // waits for the handler calling this is told to end and joined later.
    void EndPlaybackThreads();
    void ResetPlaybackSettings();
    void WaitForStop();
    void SelectStream(int AType, int AValue);
    bool InitSDLForWindow(unsigned long AScreenHandle);
    // Ends SDL and puts back an audio driver setting that the silent
    // fallback replaced.
    void QuitSDL();
    void UseSilentAudioDriver();
    bool OpenAudioDevice(SDL_AudioSpec* AWanted);
    void PushUserEvent(int AType, TVideoState* is);
    // The host window (the caller's window the picture lives in): its
    // messages stand in for the events SDL takes none of when embedded.
    void HookScreenWindow(unsigned long AScreenHandle);
    void UnhookScreenWindow();
    friend platform::LRESULT ScreenWndProc(platform::HWND, platform::UINT, platform::WPARAM, platform::LPARAM);

    const AVInputFormat* Ffile_iformat = nullptr;
    std::string Finput_filename;
    int Ffs_screen_width = 0, Ffs_screen_height = 0;
    int Fscreen_width = 0, Fscreen_height = 0;
    bool Faudio_disable = false, Fvideo_disable = false, Fdisplay_disable = false;
    bool Fis_full_screen = false;
    mutable std::mutex FErrLock;
    std::string FLastErrMsg;
    int64_t FLastPTS = AV_NOPTS_VALUE;
    std::atomic<int64_t> FCurrentPTS{-1};
    TAVProbe* FAVProbe = nullptr;
    unsigned long FScreenHandle = 0;
    std::atomic<TPlayState> FState{psStop};
    std::mutex FAnnounceLock;
    bool FPlayAnnounced = false; // under FAnnounceLock
    bool FPauseOwed = false;     // under FAnnounceLock
    std::atomic<float> FAspectRatio{0};
    TShowAudio FShowAudio = saWave;
    TRGBConvertContext FRGBContext;  // CurrentFrame's picture
    TRGBConvertContext FHookContext; // the hook's picture
    std::atomic<bool> FSDLStarted{false};
    // Guards the event handlers against being cleared while a playback
    // thread looks at them.
    mutable std::mutex FHandlerLock;
    std::recursive_mutex FPositionLock;
    std::unique_ptr<platform::TThread> FPlayThread;
    std::unique_ptr<platform::TThread> FEventThread;
    std::vector<std::unique_ptr<platform::TThread>> FRetiredThreads;
    // A delivery thread ends as soon as its generation is not the current one.
    std::atomic<uint64_t> FEventGeneration{0};
    std::atomic<int> FDelivering{0}; // handlers running for the delivery thread
    uint64_t FRequests = 0;           // opens and stops asked for, on the caller's thread
    TVideoState* FOpening = nullptr;  // a file whose reader is opening it

    friend class TPlayThread;
    friend class TEventThread;
};

// The published form the main window places.
class TDOVozori : public TCustomPlayer {
public:
    using TCustomPlayer::TCustomPlayer;
};

} // namespace engine
