#pragma once
// The data model of a conversion job, grouped by concern: the opened files
// and their tables, the pending options of the next output's video, audio
// and subtitle streams, the muxing and run options, the counters of a run,
// the picture hooks' state and the caller's events. The job holds one of
// each privately (see ConversionJob.h); the member names are those of the
// converter's option state, so an option's handler and its field read alike.
//
// Threads: like the job itself, all of this belongs to one thread at a time
// (the caller's until the job starts, then the worker's).

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/FFHeaders.h"
#include "engine/loader/FFUtils.h"
#include "platform/core/Classes.h"

namespace engine {

struct TFrameHookEntry;
class TPreviewer;

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

// Closes a C runtime file.
struct TFileDeleter { void operator()(FILE* P) const; };
using TFilePtr = std::unique_ptr<FILE, TFileDeleter>;

// The opened files and the per-file tables, sized for the job's MaxFiles.
struct TJobFiles {
    TJobFiles() : TJobFiles(MIN_MAX_FILES) {}
    explicit TJobFiles(int AMaxFiles);

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
    std::vector<int> Fstreamid_map;                          // [MAX_STREAMS, grows]: of the next output
    // The bitstream filter chains of each output stream ("name,name,...").
    std::vector<std::vector<std::string>> Fbitstream_filters; // [MaxFiles][MAX_STREAMS, grows]
    // All outputs are one file, entry 0's context shared by every entry.
    bool FJoinMode = false;
    int64_t FTotalOutputDuration = -1;                       // µs, expected output length
};

// The pending video options of the next output, and the video path's own.
struct TJobVideoOutput {
    int Fframe_width = 0;
    int Fframe_height = 0;
    float Fframe_aspect_ratio = 0.0f;
    int Fframe_pix_fmt = -1;
    int Fframe_topBand = 0;
    int Fframe_bottomBand = 0;
    int Fframe_leftBand = 0;
    int Fframe_rightBand = 0;
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
    int Fvideo_stream_copy = 0;
    std::string Fvideo_bitstream_filters;                    // "name,name,..." as the option gave them
    bool Fsame_quality = false;
    bool Fdo_deinterlace = false;
    int Ftop_field_first = -1;
    int Fme_threshold = 0;
    int Fintra_dc_precision = 8;
    bool Fqp_hist = false;
    std::string Fvfilters;
    bool FEnableFilter = false;
    bool Fintra_only = false;
    int Fvideo_sync_method = -1;
    int Fvideo_global_header = 0;
    int Fvideo_channel = 0;
    std::string Fvideo_standard;
    bool Fforce_fps = false;
    int Fpgmyuv_compatibility_hack = 0;
    uint32_t Fsws_flags = 4;                                 // bicubic
    bool Fdo_psnr = false;
    std::string Fvstats_filename;
    TFilePtr Fvstats_file;                                   // opened by the first statistics line
};

// The pending audio options of the next output, and the audio path's own.
struct TJobAudioOutput {
    int Faudio_sample_fmt = -1;
    int Faudio_sample_rate = 44100;
    int64_t Fchannel_layout = 0;
    float Faudio_qscale = -99999.0f;
    bool Faudio_disable = false;
    int Faudio_channels = 2;
    std::string Faudio_codec_name;
    uint32_t Faudio_codec_tag = 0;
    std::string Faudio_language;
    int Faudio_stream_copy = 0;
    std::string Faudio_bitstream_filters;
    int Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    int Faudio_volume = 256;
};

// The pending subtitle options of the next output.
struct TJobSubtitleOutput {
    bool Fsubtitle_disable = false;
    std::string Fsubtitle_codec_name;
    std::string Fsubtitle_language;
    uint32_t Fsubtitle_codec_tag = 0;
    int Fsubtitle_stream_copy = 0;
    std::string Fsubtitle_bitstream_filters;
};

// Muxing and the run: formats, timings, metadata, two-pass, the libraries'
// option contexts and what the run reports.
struct TJobMuxing {
    std::string Flast_asked_format;                          // forced format of the next file
    int Fmax_frames[4] = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}; // video, audio, data, subtitle
    float Fmux_preload = 0.5f;                               // s
    float Fmux_max_delay = 0.7f;                             // s
    int64_t Frecording_time = INT64_MAX;                     // µs, no limit
    int64_t Fstart_time = 0;                                 // µs
    int64_t Frecording_timestamp = 0;                        // s since 1970
    int64_t Finput_ts_offset = 0;                            // µs
    int Fmetadata_count = 0;
    std::vector<TAVMetadataTag> Fmetadata;
    bool Fdo_hex_dump = false;
    bool Fdo_pkt_dump = false;
    int Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    bool Fcopy_ts = false;
    bool Fopt_shortest = false;
    int Fopt_programid = 0;
    int Fcopy_initial_nonkeyframes = 0;
    bool Frate_emu = false;
    bool Floop_input = false;
    int Floop_output = -1;
    bool Finput_sync = false;
    int64_t Flimit_filesize = 0;                             // bytes
    float Fdts_delta_threshold = 10.0f;
    bool Fexit_on_error = false;
    int Fverbose = 1;
    TFFOptions FOptions;                                     // empty until ResetJob
};

// What a run counts for its progress report and end statistics.
struct TJobCounters {
    int64_t Fvideo_size = 0;                                 // bytes
    int64_t Faudio_size = 0;
    int64_t Fextra_size = 0;
    int Fnb_frames_dup = 0;
    int Fnb_frames_drop = 0;
    bool FShowDupOrDrop = false;
    int64_t Ftimer_start = 0;                                // µs
};

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

// What the picture hooks keep in the job between pictures.
struct TJobHookState {
    std::shared_ptr<TFrameHookEntry> FFirstHook;             // the chain; its maker's deleter releases it
    bool Fusing_vhook = false;                               // the chain is in use
    TCustomHookContext FHookContext;
    int FHookFrameNumber = 0;
    TPostHookContext FPostContext;
};

// The job's own event types (the conversion component's events carry the
// same values packed into records).
using TJobCustomHookEvent = std::function<void(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                                               int64_t APTS, bool& AUpdate, bool& AStopHook)>;
using TJobPreviewBitmapEvent =
    std::function<void(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS)>;
using TJobProgressEvent = std::function<void(platform::TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS,
                                             float AQuality, float ABitRate, int64_t ACurrentSize,
                                             int64_t ACurrentDuration, int64_t ATotalDuration)>;

// The events the job raises and how often; a reset leaves them alone.
struct TJobEvents {
    TJobCustomHookEvent FOnCustomHook;
    TJobPreviewBitmapEvent FOnPreviewBitmap;
    TJobProgressEvent FOnProgress;
    platform::TNotifyEvent FOnTerminate;
    int64_t ReportInterval = 500000;                         // µs between progress reports
    int64_t PreviewInterval = 100000;                        // µs between previews
};

} // namespace engine
