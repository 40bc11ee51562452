#include "ConverterTestSupport.h"

#include <functional>

using namespace engine;
using namespace convertertest;

namespace {

class FFmpegOptionsTest : public TJobOptionsTest {};

using TCheck = std::function<bool(const TCustomFFmpeg&)>;

struct TCase {
    std::vector<std::pair<std::string, std::string>> Before; // options given first, all accepted
    std::string Name, Value;
    std::string Error;                                        // message raised; empty: accepted
    TCheck Check;                                             // what the job holds afterwards
};

} // namespace

TEST_F(FFmpegOptionsTest, ResultsAndRefusals)
{
    // clang-format off
    const TCase Cases[] = {
        {{}, "dump", "", "", [](auto& J) { return J.Muxing().Fdo_pkt_dump; }},
        {{{"dump", ""}}, "dump", "0", "", [](auto& J) { return !J.Muxing().Fdo_pkt_dump; }},
        {{}, "copyts", "0", "", [](auto& J) { return J.Muxing().Fcopy_ts; }},
        {{}, "ar", "0", "", [](auto& J) { return J.AudioOutput().Faudio_sample_rate == 44100; }},
        {{}, "ar", "-1", "", [](auto& J) { return J.AudioOutput().Faudio_sample_rate == 44100; }},
        {{}, "ar", "22050", "", [](auto& J) { return J.AudioOutput().Faudio_sample_rate == 22050; }},
        {{}, "ar", "x", "'x' is not a valid integer value", nullptr},
        {{}, "vol", "-1", "", [](auto& J) { return J.AudioOutput().Faudio_volume == -1; }},
        {{}, "aspect", "16:0", "Incorrect aspect ratio specification.", nullptr},
        {{}, "aspect", "abc", "Incorrect aspect ratio specification.", nullptr},
        {{}, "aspect", "4:3", "", [](auto& J) { return J.VideoOutput().Fframe_aspect_ratio == 4.0f / 3.0f; }},
        {{{"s", "320x240"}}, "croptop", "0", "", [](auto& J) { return J.VideoOutput().Fframe_height == 240; }},
        {{{"s", "320x240"}}, "croptop", "240",
         "Vertical crop dimensions are outside the range of the original image.\nRemember to crop first and scale second.",
         nullptr},
        {{{"s", "320x240"}}, "cropright", "20", "",
         [](auto& J) { return J.VideoOutput().Fframe_width == 300 && J.VideoOutput().Fframe_rightBand == 20; }},
        {{{"s", "320x240"}}, "cropleft", "320",
         "Horizontal crop dimensions are outside the range of the original image.\nRemember to crop first and scale second.",
         nullptr},
        {{}, "vtag", "XVID", "",
         [](auto& J) { return J.VideoOutput().Fvideo_codec_tag == uint32_t('X' | 'V' << 8 | 'I' << 16 | 'D' << 24); }},
        {{}, "atag", "XVIDX", "audio tag parameter must be 4 chars", nullptr},
        {{}, "map", "0:1", "", [](auto& J) {
             const TAVStreamMap& M = J.Files().Fstream_maps[0];
             return J.Files().Fnb_stream_maps == 1 && M.file_index == 0 && M.stream_index == 1 && M.sync_file_index == 0 &&
                    M.sync_stream_index == 1;
         }},
        {{}, "map", "0:1:1:0", "", [](auto& J) {
             const TAVStreamMap& M = J.Files().Fstream_maps[0];
             return M.stream_index == 1 && M.sync_file_index == 1 && M.sync_stream_index == 0;
         }},
        {{}, "itsscale", "20:1.5", "stream index over MAX_STREAMS(20)", nullptr},
        {{}, "itsscale", "1:1.5", "", [](auto& J) { return J.Files().Finput_files_ts_scale[0][1] == 1.5; }},
        {{}, "streamid", "3", "Invalid value \"3\" for option \"streamid\", required syntax is \"index:value\"", nullptr},
        {{}, "streamid", "0:256", "", [](auto& J) { return J.Files().Fstreamid_map[0] == 256; }},
        // The id table follows the streams asked for instead of stopping at 20.
        {{}, "streamid", "30:5", "", [](auto& J) { return J.Files().Fstreamid_map.size() > 30 && J.Files().Fstreamid_map[30] == 5; }},
        {{}, "streamid", "70000:5", "Invalid stream index 70000 for option \"streamid\"", nullptr},
        {{}, "threads", "2", "TODO: option - threads", nullptr},
        {{}, "padtop", "2", "Please use vfilters=pad", nullptr},
        {{}, "r", "abc", "Incorrect frame rate", nullptr},
        {{}, "r", "25", "", [](auto& J) { return J.VideoOutput().Fframe_rate.num == 25 && J.VideoOutput().Fframe_rate.den == 1; }},
        {{}, "s", "abc", "Incorrect frame size", nullptr},
        {{}, "s", "321x241", "", [](auto& J) { return J.VideoOutput().Fframe_width == 321 && J.VideoOutput().Fframe_height == 241; }},
        {{}, "pix_fmt", "nope", "Unknown pixel format requested: nope", nullptr},
        {{}, "pix_fmt", "yuv422p", "", [](auto& J) { return J.VideoOutput().Fframe_pix_fmt == AV_PIX_FMT_YUV422P; }},
        {{}, "sample_fmt", "nope", "", [](auto& J) { return J.AudioOutput().Faudio_sample_fmt == -1; }},
        {{}, "qscale", "0", "qscale must be > 0.0 and <= 255", nullptr},
        {{}, "qscale", "256", "qscale must be > 0.0 and <= 255", nullptr},
        {{}, "pass", "3", "pass number can be only 1 or 2", nullptr},
        {{}, "pass", "2", "", [](auto& J) { return J.Muxing().Fdo_pass == 2; }},
        {{}, "t", "abc", "Invalid duration specification for t: abc", nullptr},
        {{}, "t", "1.5", "", [](auto& J) { return J.Muxing().Frecording_time == 1500000 && J.Files().FTotalOutputDuration == 1500000; }},
        {{}, "ss", "00:00:02", "", [](auto& J) { return J.Muxing().Fstart_time == 2000000; }},
        {{}, "timestamp", "bad", "Invalid date specification for timestamp: bad", nullptr},
        {{}, "timestamp", "1970-01-02T00:00:00Z", "", [](auto& J) { return J.Muxing().Frecording_timestamp == 86400; }},
        {{}, "metadata", "abc", "Missing =", nullptr},
        {{}, "metadata", "title=x=y", "", [](auto& J) {
             return J.Muxing().Fmetadata.size() == 1 && J.Muxing().Fmetadata[0].key == "title" && J.Muxing().Fmetadata[0].value == "x=y";
         }},
        {{}, "vbsf", "nope", "Unknown bitstream filter nope", nullptr},
        {{{"vbsf", "h264_mp4toannexb"}}, "vbsf", "dump_extra=x", "",
         [](auto& J) { return J.VideoOutput().Fvideo_bitstream_filters == "h264_mp4toannexb,dump_extra"; }},
        {{}, "acodec", "copy", "", [](auto& J) { return J.AudioOutput().Faudio_stream_copy == 1 && J.AudioOutput().Faudio_codec_name.empty(); }},
        {{{"acodec", "copy"}}, "acodec", "mp2", "",
         [](auto& J) { return J.AudioOutput().Faudio_stream_copy == 1 && J.AudioOutput().Faudio_codec_name == "mp2"; }},
        {{}, "vcodec", "", "", [](auto& J) { return J.VideoOutput().Fvideo_codec_name.empty() && J.VideoOutput().Fvideo_stream_copy == 0; }},
        {{}, "f", "pgmyuv", "", [](auto& J) {
             return J.Muxing().Flast_asked_format == "image2" && J.VideoOutput().Fpgmyuv_compatibility_hack == 1;
         }},
        {{}, "vframes", "7", "", [](auto& J) { return J.Muxing().Fmax_frames[0] == 7; }},
        {{}, "fs", "5000000000", "", [](auto& J) { return J.Muxing().Flimit_filesize == 5000000000LL; }},
        {{}, "vlang", "", "", [](auto& J) { return J.VideoOutput().Fvideo_language.empty(); }},
    };
    // clang-format on
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name + "=" + C.Value);
        Job.ResetJob();
        for (const auto& [N, V] : C.Before)
            ASSERT_EQ(Dispatch(N, V), "");
        EXPECT_EQ(Dispatch(C.Name, C.Value), C.Error);
        if (C.Check) {
            EXPECT_TRUE(C.Check(Job));
        }
    }
}

TEST_F(FFmpegOptionsTest, MatrixNeedsSixtyFourCoefficients)
{
    std::string Text63, Text65;
    for (int I = 0; I < 65; ++I) {
        if (I < 63)
            Text63 += (I ? "," : "") + std::to_string(I + 1);
        Text65 += (I ? "," : "") + std::to_string(I + 1);
    }
    EXPECT_EQ(Dispatch("intra_matrix", Text63), "Syntax error in matrix \"" + Text63 + "\" at coeff 62");
    EXPECT_EQ(Dispatch("inter_matrix", Text65), "");
    ASSERT_EQ(Job.VideoOutput().Finter_matrix.size(), 64u);
    EXPECT_EQ(Job.VideoOutput().Finter_matrix[0], 1);
    EXPECT_EQ(Job.VideoOutput().Finter_matrix[63], 64);
}

TEST_F(FFmpegOptionsTest, IgnoredAndWarnedNamesLog)
{
    EXPECT_EQ(Dispatch("L", ""), "");
    EXPECT_TRUE(Logged("Do nothing: option - L"));
    EXPECT_EQ(Dispatch("timelimit", "5"), "");
    EXPECT_TRUE(Logged("Warning: -timelimit not implemented on Windows"));
    Lines.clear();
    // Unknown names and names nobody takes neither raise nor log.
    EXPECT_EQ(Dispatch("foo", "1"), "");
    EXPECT_EQ(Dispatch("l", "1"), "");
    EXPECT_TRUE(Lines.empty());
}

TEST_F(FFmpegOptionsTest, LibraryOptionsAreRecordedByKind)
{
    EXPECT_EQ(Dispatch("b", "64"), "");
    EXPECT_TRUE(Logged("WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s"));
    Lines.clear();
    EXPECT_EQ(Dispatch("ab", "64k"), "");
    EXPECT_TRUE(Lines.empty());
    // "b" is the video bit rate, "ab" the audio one, as they always were.
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_VIDEO], "b"), "64");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_AUDIO], "ab"), "64k");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_AUDIO], "b"), "(none)");
    EXPECT_EQ(Dispatch("ab", "500"), "");
    EXPECT_TRUE(Logged("WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s"));
    EXPECT_EQ(Dispatch("g", "12"), "");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_VIDEO], "g"), "12");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_AUDIO], "g"), "(none)");
    // The H.264 encoder's and the program-stream muxer's own options.
    EXPECT_EQ(Dispatch("preset", "ultrafast"), "");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_VIDEO], "preset"), "ultrafast");
    EXPECT_EQ(Dispatch("muxrate", "1411200"), "");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.format_opts, "muxrate"), "1411200");
    EXPECT_EQ(Dispatch("sws_flags", "bilinear"), "");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.sws_opts, "sws_flags"), "bilinear");
    // A value the libraries refuse is logged, not raised, and not kept.
    EXPECT_EQ(Dispatch("g", "abc"), "");
    EXPECT_TRUE(Logged("Invalid value \"abc\" for option \"g\""));
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_VIDEO], "g"), "12");
    EXPECT_TRUE(Job.SetLibraryOptionInt("bufsize", 327680));
    EXPECT_FALSE(Job.SetLibraryOption("no_such_option", "1"));
}

TEST_F(FFmpegOptionsTest, DirectSettersKeepTheirBounds)
{
    Job.SetAudioVolume(-1);
    EXPECT_EQ(Job.AudioOutput().Faudio_volume, 256);
    Job.SetRecordingTime(AV_NOPTS_VALUE);
    EXPECT_EQ(Job.Muxing().Frecording_time, INT64_MAX);
    Job.SetStartTime(AV_NOPTS_VALUE);
    EXPECT_EQ(Job.Muxing().Fstart_time, 0);
    Job.SetMuxPreload(0);
    Job.SetMuxPreload(0.7f);
    EXPECT_FLOAT_EQ(Job.Muxing().Fmux_preload, 0.7f);
    Job.AddMetadata("album", "A");
    EXPECT_EQ(Job.Muxing().Fmetadata_count, 1);
}

// More stream and metadata maps than a file's 20 streams: the tables grow.
TEST_F(FFmpegOptionsTest, MapTablesGrowWithTheOptions)
{
    for (int I = 0; I < 50; ++I) {
        ASSERT_EQ(Dispatch("map", "0:" + std::to_string(I)), "");
        ASSERT_EQ(Dispatch("map_meta_data", "0:0"), "");
    }
    EXPECT_EQ(Job.Files().Fnb_stream_maps, 50);
    EXPECT_EQ(Job.Files().Fstream_maps[49].stream_index, 49);
    EXPECT_EQ(Job.Files().Fnb_meta_data_maps, 50);
}
