#pragma once
// The state of one file the player plays, shared by the reader, the
// decoders, the audio callback and the display. Flags and clocks that
// several threads touch are atomics; everything else belongs to one thread
// at a time as noted.

#include "engine/player/FFPlay_Pixels.h"
#include "engine/player/FFPlay_Queue.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/avfft.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
#include <SDL.h>
}

#include "platform/core/Threads.h"

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace engine {

class TCustomPlayer;

enum Tav_sync_type { AV_SYNC_AUDIO_MASTER, AV_SYNC_VIDEO_MASTER, AV_SYNC_EXTERNAL_CLOCK };

constexpr int AUDIO_BUFFER_SIZE = 288000;      // bytes in each audio buffer
constexpr int AUDIO_SILENCE_SIZE = 1024;       // bytes of silence when there is nothing to play
constexpr int SAMPLE_ARRAY_SIZE = 131072;      // samples kept for the visualisation
constexpr int VIDEO_PICTURE_QUEUE_SIZE = 2;
constexpr int SUBPICTURE_QUEUE_SIZE = 4;
constexpr int MAX_QUEUE_SIZE = 15728640;       // bytes queued by the reader in all
constexpr int MIN_AUDIOQ_SIZE = 327680;        // bytes of audio that are enough
constexpr int MIN_FRAMES = 5;                  // video or subtitle packets that are enough
constexpr double AV_NOSYNC_THRESHOLD = 10.0;   // seconds beyond which clocks are not corrected
constexpr int AUDIO_DIFF_AVG_NB = 20;
constexpr int SAMPLE_CORRECTION_PERCENT_MAX = 10;
constexpr int MAX_FILENAME_LENGTH = 1024;      // UTF-16 characters of a file name

// SDL user events of the player; data1 carries the TVideoState.
constexpr int PLAYER_ALLOC_EVENT = 24;
constexpr int PLAYER_REFRESH_EVENT = 25;
constexpr int PLAYER_QUIT_EVENT = 26;
constexpr int PLAYER_RELAYOUT_EVENT = 27;

struct TVideoPicture {
    double pts = 0;
    double target_clock = 0;     // wall-clock seconds at which it is due
    int64_t pos = -1;
    SDL_Overlay* bmp = nullptr;
    int width = 0, height = 0;   // even
    int allocated = 0;
    int pix_fmt = -1;
    AVRational sample_aspect_ratio{0, 1};
    unsigned seek_serial = 0;    // the landed seek it was decoded after
};

struct TSubPicture {
    double pts = 0;
    AVSubtitle sub{};
};

struct TVideoState {
    TVideoState();
    ~TVideoState();
    TVideoState(const TVideoState&) = delete;
    TVideoState& operator=(const TVideoState&) = delete;

    uint8_t audio_buf1[AUDIO_BUFFER_SIZE];
    uint8_t audio_buf2[AUDIO_BUFFER_SIZE];

    std::unique_ptr<platform::TThread> parse_tid, video_tid, refresh_tid, subtitle_tid;
    const AVInputFormat* iformat = nullptr;

    std::atomic<int> abort_request{0};
    std::atomic<int> paused{0};
    int last_paused = 0;
    std::atomic<int> seek_req{0};
    int seek_flags = 0;
    int64_t seek_pos = 0;
    int64_t seek_rel = 0;
    // Where the last time seek asked to land, in seconds of the container's
    // time: the demuxer lands on the key frame before it, and the decoders
    // pass over what lies between (NaN: a byte seek, nothing to pass over).
    std::atomic<double> seek_target{std::nan("")};
    // Each decoder's copy, taken at the seek's flush packet and dropped at
    // the first picture or sample at or past it.
    std::atomic<double> video_seek_target{std::nan("")}, audio_seek_target{std::nan("")};
    // The video thread's last picture passed over on the way to the target:
    // shown when the input ends before the target is reached.
    AVFrame* passed_picture = nullptr;
    double passed_seconds = 0;
    std::atomic<int> read_pause_return{0}; // the reader's, read when the pause is toggled
    AVFormatContext* ic = nullptr;

    // audio
    std::atomic<int> audio_stream{-1};
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    double external_clock = 0;
    int64_t external_clock_time = 0;
    std::atomic<double> audio_clock{0};
    double audio_diff_cum = 0;
    double audio_diff_avg_coef = 0;
    double audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;
    AVStream* audio_st = nullptr;
    AVCodecContext* audio_dec = nullptr;
    TPacketQueue audioq;
    uint8_t* audio_buf = nullptr;
    std::atomic<unsigned> audio_buf_size{0};
    std::atomic<int> audio_buf_index{0};
    AVPacket* audio_pkt = nullptr;      // the packet being decoded
    bool audio_pkt_pending = false;     // its frames are still coming out of the decoder
    AVFrame* audio_frame = nullptr;
    int audio_src_fmt = -1;             // sample format the converter was made for
    int audio_src_rate = 0;
    AVChannelLayout audio_src_layout{};
    SwrContext* reformat_ctx = nullptr;
    int audio_channels = 0;             // channels given to the audio device
    int audio_sample_rate = 0;

    // visualisation
    std::atomic<int> show_audio{0};
    int16_t sample_array[SAMPLE_ARRAY_SIZE];
    std::atomic<int> sample_array_index{0};
    int last_i_start = 0;
    RDFTContext* rdft = nullptr;
    int rdft_bits = 0;
    FFTSample* rdft_data = nullptr;
    int xpos = 0;

    // subtitles
    std::atomic<int> subtitle_stream{-1};
    int subtitle_stream_changed = 0;
    AVStream* subtitle_st = nullptr;
    AVCodecContext* subtitle_dec = nullptr;
    TPacketQueue subtitleq;
    TSubPicture subpq[SUBPICTURE_QUEUE_SIZE];
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;
    std::mutex subpq_mutex;
    std::condition_variable subpq_cond;

    // video timing
    std::atomic<double> frame_timer{0};
    // Wall-clock seconds when the current pause began: a resume moves the
    // picture timer on by the pause's length. (The clock pair below is not
    // set before the first picture, so it cannot tell that length.)
    std::atomic<double> paused_at{0};
    double frame_last_pts = 0;
    double frame_last_delay = 0;
    std::atomic<double> video_clock{0};

    // video
    std::atomic<int> video_stream{-1};
    AVStream* video_st = nullptr;
    AVCodecContext* video_dec = nullptr;
    TPacketQueue videoq;
    std::atomic<double> video_current_pts{0};
    std::atomic<double> video_current_pts_drift{0};

    TVideoPicture pictq[VIDEO_PICTURE_QUEUE_SIZE];
    int pictq_size = 0, pictq_rindex = 0, pictq_windex = 0;
    std::mutex pictq_mutex;
    std::condition_variable pictq_cond;
    // A copy of the picture last put on screen: its slot in the queue is
    // refilled as soon as it has been shown, and a window that is uncovered
    // needs that picture again (display thread only).
    TVideoPicture shown;

    char16_t filename[MAX_FILENAME_LENGTH] = {};
    std::string FileNameUtf8;
    int width = 0, height = 0;
    int xleft = 0, ytop = 0;
    // Where the picture went last on the screen surface; empty while the
    // surface is all black (display thread only).
    TDisplayRect shown_place{};

    int64_t faulty_pts = 0, faulty_dts = 0;
    int64_t last_dts_for_fault_detection = 0, last_pts_for_fault_detection = 0;

    // display filter chain (video thread)
    AVFilterGraph* graph = nullptr;
    AVFilterContext* in_video_filter = nullptr;
    AVFilterContext* out_video_filter = nullptr;
    std::atomic<int> out_width{0}, out_height{0}, out_pix_fmt{-1};
    int graph_width = 0, graph_height = 0, graph_pix_fmt = -1;
    std::atomic<double> skip_frames{1}; // raised by the refresh, lowered by the video thread
    double skip_frames_index = 0;
    std::atomic<int> refresh{0};

    TCustomPlayer* Owner = nullptr;
    std::atomic<int> Opened{0};
    int64_t StartTime = 0, Duration = -1;
    std::atomic<int64_t> AudioDuration{-1};

    bool IsImage2 = false;
    bool IsDevice = false;
    std::atomic<int> ErrorEOF{0}, EventEOF{0}, ReachEOF{0}, Reading{0};
    std::atomic<int> open_paused{0}, seek_paused{0}, seek_done{0}, seek_flushed{0};
    // Counts the seeks that have landed: a queued picture of an older count
    // was decoded before the latest seek and is never shown.
    std::atomic<unsigned> seek_serial{0};
};

} // namespace engine
