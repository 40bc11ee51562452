#pragma once
// The per-run state of a conversion: one record per input file, input
// stream and output stream, and the per-output-stream set-up that the
// opening of an output file prepares for the run. Every FFmpeg object here
// has one owner and is freed with its record.

#include "engine/converter/AmrNbEncoder.h"
#include "engine/converter/ConversionJobData.h"
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/FFHeaders.h"
#include "engine/converter/EncoderPrivate.h"

namespace engine {

// Owners of FFmpeg objects; the deleters call the loaded entry points.
struct TCodecContextDeleter { void operator()(AVCodecContext* P) const; };
struct TFrameDeleter { void operator()(AVFrame* P) const; };
struct TPacketDeleter { void operator()(AVPacket* P) const; };
struct TSwrDeleter { void operator()(SwrContext* P) const; };
struct TSwsDeleter { void operator()(SwsContext* P) const; };
struct TAudioFifoDeleter { void operator()(AVAudioFifo* P) const; };
struct TFilterGraphDeleter { void operator()(AVFilterGraph* P) const; };
struct TBsfDeleter { void operator()(AVBSFContext* P) const; };

using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;
using TSwrPtr = std::unique_ptr<SwrContext, TSwrDeleter>;
using TSwsPtr = std::unique_ptr<SwsContext, TSwsDeleter>;
using TAudioFifoPtr = std::unique_ptr<AVAudioFifo, TAudioFifoDeleter>;
using TFilterGraphPtr = std::unique_ptr<AVFilterGraph, TFilterGraphDeleter>;
using TBsfPtr = std::unique_ptr<AVBSFContext, TBsfDeleter>;

TFramePtr NewFrame();
TPacketPtr NewPacket();

// A chain of bitstream filters given for one output stream; each filter is
// made for the stream when the run starts.
struct TBitstreamFilterChain {
    std::vector<std::string> Names;
    std::vector<TBsfPtr> Contexts;
};

// What the opening of an output file decided for one of its streams: the
// encoder context with the options of the stream (or, for a copied stream,
// only its media type), kept until the run.
struct TOutputStreamSetup {
    TCodecContextPtr Enc;
    const AVCodec* Codec = nullptr; // forced encoder, or the container's default
    bool StreamCopy = false;
    // AMR-NB, which these libraries cannot encode, goes through the
    // program's own encoder: asked for at set-up, made when the run opens
    // its encoders.
    bool AmrNbStandIn = false;
    std::unique_ptr<TAmrNbEncoder> AmrNb;
    float Quality = 0;              // fixed quality asked for, in the encoder's lambda units
    TBitstreamFilterChain Filters;
    // The encoder's private context, released while the task waits.
    TEncoderPrivate Private;
};

// What the job keeps between the opening of its files and the run, beside
// the fields of the job itself.
struct TConverterState {
    // [output file][stream]: the set-up of each output stream.
    std::vector<std::vector<std::unique_ptr<TOutputStreamSetup>>> OutputSetups;
    // Quantiser histogram of the progress report and the subtitle encoder's
    // output: per job, never shared between jobs running at once.
    uint32_t QpHistogram[52] = {};
    std::vector<uint8_t> SubtitleBuffer;
};

struct TAVInputFile {
    int eof_reached = 0;
    // The latest time a packet read from the file reaches (its time plus
    // its duration, in microseconds of the file's own clock), and whether
    // the last packet read came cut short: what tells, when reading stops,
    // whether the file ended before its end.
    int64_t end_read = AV_NOPTS_VALUE;
    bool last_packet_cut = false;
    int ist_index = 0;
    int buffer_size = 0;
    int nb_streams = 0;
};

struct TAVInputStream {
    int file_index = 0;
    int index = 0;
    AVStream* st = nullptr;
    TCodecContextPtr dec;
    int discard = 1;
    int decoding_needed = 0;
    int64_t start = 0;
    int64_t next_pts = AV_NOPTS_VALUE;
    int64_t pts = 0;
    int is_start = 1;
    int showed_multi_packet_warning = 0;
    int is_past_recording_time = 0;
    int decoder_flushed = 0;
    float quality = 0;
    // Decoded audio as packed 16-bit samples at the source rate and layout:
    // the converter's sync, volume and framing arithmetic works on those.
    TSwrPtr to_s16;
    int to_s16_rate = 0, to_s16_format = -1;
    AVChannelLayout to_s16_layout = {};
    std::vector<uint8_t> samples;
    int channels() const { return dec ? dec->ch_layout.nb_channels : 0; }
};

struct TAVOutputStream {
    int file_index = 0;
    int index = 0;
    int source_index = 0;
    AVStream* st = nullptr;
    TOutputStreamSetup* setup = nullptr;
    AVCodecContext* enc = nullptr; // the setup's encoder context
    bool shared_tables = false;    // see SharedEncoderTables.h
    int encoding_needed = 0;
    int frame_number = 0;
    TAVInputStream* sync_ist = nullptr;
    int64_t sync_opts = 0;
    // video
    int video_resample = 0;
    TFramePtr pict_tmp;
    TSwsPtr img_resample_ctx;
    int resample_height = 0, resample_width = 0, resample_pix_fmt = -1;
    int original_height = 0, original_width = 0;
    int video_crop = 0;
    int topBand = 0, bottomBand = 0, leftBand = 0, rightBand = 0;
    int original_topBand = 0, original_bottomBand = 0, original_leftBand = 0, original_rightBand = 0;
    TFilterGraphPtr graph;
    AVFilterContext* input_video_filter = nullptr;
    AVFilterContext* out_video_filter = nullptr;
    // audio
    int audio_resample = 0;
    TSwrPtr resample;                 // packed 16-bit source to the encoder's format, rate and layout
    TAudioFifoPtr fifo;               // samples in the encoder's format waiting for a whole frame
    std::vector<uint8_t> silence_buf; // the input with inserted silence
    // both
    TFilePtr logfile;
    AVCodecID codec_id = AV_CODEC_ID_NONE;
    int show_fps = 1;
    double end_time = 0; // seconds: end of the last packet written, for the input choice and progress
    int64_t next_audio_pts = 0; // the audio encoder's clock
    int64_t last_quality = -1; // encoder's quality of the last packet, lambda units
    uint64_t last_error[3] = {0, 0, 0};
    char last_pict_type = '?';
};

// The tables of one run.
struct TTranscodeRun {
    std::vector<TAVInputFile> files;
    std::vector<std::unique_ptr<TAVInputStream>> ist;
    std::vector<std::unique_ptr<TAVOutputStream>> ost;
    int segment = 0; // streams per output entry (join mode)
    std::vector<bool> no_packet;
    int no_packet_count = 0;
    int codec_threads = 1; // of every codec this run opens; 0 automatic
};

} // namespace engine
