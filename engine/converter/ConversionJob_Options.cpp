// The option dispatcher and the option handlers of the conversion job.

#include <cmath>
#include <cstring>
#include <cstdlib>
#include <ctime>

#include "engine/converter/ConversionJobInternal.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace engine {

namespace {

using THandler = void (*)(TCustomFFmpeg& J, const std::string& N, const std::string& V);

struct TOptionEntry {
    const char* Name;
    THandler Handler;
};

bool SwitchValue(const std::string& V) { return V != "0"; }

void Ignore(TCustomFFmpeg& J, const std::string& N, const std::string&)
{
    JobLog(&J, llInfo, "Do nothing: option - " + N);
}

void RefusePad(TCustomFFmpeg&, const std::string&, const std::string&)
{
    throw FFmpegException("Please use vfilters=pad");
}

// Reads a C-style integer (decimal, 0x hexadecimal, leading-0 octal) at P
// and moves P past it.
int ReadCInt(const char*& P)
{
    char* End = nullptr;
    long Value = std::strtol(P, &End, 0);
    P = End;
    return int(Value);
}

void SkipOne(const char*& P)
{
    if (*P)
        ++P;
}

// Reads two integers with one character between them ("0:1", "0.1").
void ReadIntPair(const char*& P, int& AFirst, int& ASecond)
{
    AFirst = ReadCInt(P);
    SkipOne(P);
    ASecond = ReadCInt(P);
}





int64_t ParseTimeOption(const std::string& N, const std::string& V, bool ADuration)
{
    int64_t Result = INT64_MIN;
    const std::string Text = ToAnsi(V);
    if (ff::av_parse_time(&Result, Text.c_str(), ADuration ? 1 : 0) < 0)
        Result = INT64_MIN;
    if (Result == INT64_MIN)
        throw FFmpegException(
            platform::Format("Invalid %s specification for %s: %s", ADuration ? "duration" : "date", N, V));
    return Result;
}

void ParseMatrix(std::vector<uint16_t>& AMatrix, const std::string& V)
{
    AMatrix.assign(64, 0);
    const std::string Text = ToAnsi(V);
    const char* P = Text.c_str();
    for (int I = 0; I < 64; ++I) {
        AMatrix[I] = uint16_t(std::atoi(P));
        if (I == 63)
            break;
        P = std::strchr(P, ',');
        if (!P)
            throw FFmpegException(platform::Format("Syntax error in matrix \"%s\" at coeff %d", V, I));
        ++P;
    }
}



void AddMetadataOption(TCustomFFmpeg& J, const std::string&, const std::string& V)
{
    const std::string Text = ToAnsi(V);
    const size_t Eq = Text.find('=');
    if (Eq == std::string::npos)
        throw FFmpegException("Missing =");
    J.AddMetadata(Text.substr(0, Eq), Text.substr(Eq + 1));
}

void LogFormatList(TCustomFFmpeg& J, bool APixel)
{
    char Buf[128];
    const int Count = APixel ? int(AV_PIX_FMT_NB) : int(AV_SAMPLE_FMT_NB);
    for (int I = -1; I < Count; ++I) {
        Buf[0] = 0;
        if (APixel)
            ff::av_get_pix_fmt_string(Buf, sizeof(Buf), AVPixelFormat(I));
        else
            ff::av_get_sample_fmt_string(Buf, sizeof(Buf), AVSampleFormat(I));
        JobLog(&J, llInfo, platform::Trim(Buf));
    }
}


uint32_t TagOf(const std::string& AValue, const char* AKind)
{
    const std::string Tag = ToAnsi(AValue);
    if (Tag.size() != 4)
        throw platform::EAssertionFailed(std::string(AKind) + " tag parameter must be 4 chars");
    return uint8_t(Tag[0]) | uint32_t(uint8_t(Tag[1])) << 8 | uint32_t(uint8_t(Tag[2])) << 16 |
           uint32_t(uint8_t(Tag[3])) << 24;
}

void SetCodec(const std::string& AValue, int& AStreamCopy, std::string& AName)
{
    if (AValue.empty())
        return;
    AName.clear();
    if (AValue == "copy")
        AStreamCopy = 1;
    else
        AName = ToAnsi(AValue);
}

// Values of zero or below leave the field as it was.
template <typename T>
void SetIfPositive(T& AField, T AValue)
{
    if (AValue > 0)
        AField = AValue;
}

// Puts AItem after the first ACount entries of ATable, growing the table when
// they fill it.
template <typename T>
void AppendCounted(std::vector<T>& ATable, int& ACount, const T& AItem)
{
    if (ACount >= int(ATable.size()))
        ATable.resize(size_t(ACount) + 1);
    ATable[size_t(ACount++)] = AItem;
}

} // namespace

// The handlers that write the job's option state themselves, and the table
// of every option the converter handles.
struct TCustomFFmpeg::TOptionHandlers {
    static void AddStreamMap(TCustomFFmpeg& J, const std::string&, const std::string& V)
    {
        const std::string Text = ToAnsi(V);
        const char* P = Text.c_str();
        TAVStreamMap M;
        ReadIntPair(P, M.file_index, M.stream_index);
        if (*P) {
            ++P;
            ReadIntPair(P, M.sync_file_index, M.sync_stream_index);
        } else {
            M.sync_file_index = M.file_index;
            M.sync_stream_index = M.stream_index;
        }
        AppendCounted(J.FFiles.Fstream_maps, J.FFiles.Fnb_stream_maps, M);
    }

    static void AddMetaDataMap(TCustomFFmpeg& J, const std::string&, const std::string& V)
    {
        const std::string Text = ToAnsi(V);
        const char* P = Text.c_str();
        TAVMetaDataMap M;
        ReadIntPair(P, M.out_file, M.in_file);
        AppendCounted(J.FFiles.Fmeta_data_maps, J.FFiles.Fnb_meta_data_maps, M);
    }

    static void SetInputTsScale(TCustomFFmpeg& J, const std::string&, const std::string& V)
    {
        const std::string Text = ToAnsi(V);
        const char* P = Text.c_str();
        const int Index = ReadCInt(P);
        SkipOne(P);
        const double Scale = std::strtod(P, nullptr);
        if (Index < 0 || Index >= MAX_STREAMS)
            throw FFmpegException(platform::Format("stream index over MAX_STREAMS(%d)", MAX_STREAMS));
        if (J.FFiles.Fnb_input_files >= int(J.FFiles.Finput_files_ts_scale.size()))
            throw FFmpegException("Too many input files");
        auto& Row = J.FFiles.Finput_files_ts_scale[J.FFiles.Fnb_input_files];
        if (int(Row.size()) <= Index)
            Row.resize(Index + 1, 0.0);
        Row[Index] = Scale;
    }

    static void SetStreamId(TCustomFFmpeg& J, const std::string& N, const std::string& V)
    {
        if (N.empty() || V.empty())
            return;
        const size_t Colon = V.find(':');
        if (Colon == std::string::npos || Colon == 0 || Colon + 1 == V.size())
            throw FFmpegException(platform::Format(
                "Invalid value \"%s\" for option \"%s\", required syntax is \"index:value\"", V, N));
        const int Index = platform::StrToInt(V.substr(0, Colon));
        const int Value = platform::StrToInt(V.substr(Colon + 1));
        // The map follows the streams of the next output file, however many.
        if (Index < 0 || Index > 65535)
            throw FFmpegException(platform::Format("Invalid stream index %d for option \"%s\"", Index, N));
        if (Index >= int(J.FFiles.Fstreamid_map.size()))
            J.FFiles.Fstreamid_map.resize(Index + 1, 0);
        J.FFiles.Fstreamid_map[Index] = Value;
    }

    static void SetVStats(TCustomFFmpeg& J, const std::string&, const std::string&)
    {
        time_t Now = time(nullptr);
        struct tm Local;
        localtime_r(&Now, &Local);
        char Stamp[16];
        strftime(Stamp, sizeof(Stamp), "%H%M%S", &Local);
        J.FVideoOut.Fvstats_filename = platform::Format(
            "%svstats_%s.log",
            platform::IncludeTrailingPathDelimiter(platform::ExtractFilePath(platform::GetExeFileName())),
            std::string(Stamp));
    }

    static void AddBitstreamFilter(TCustomFFmpeg& J, const std::string& N, const std::string& V)
    {
        if (N.empty() || V.empty() || V[0] == '=')
            return;
        const std::string Name = ToAnsi(V.substr(0, V.find('=')));
        if (!ff::av_bsf_get_by_name(Name.c_str()))
            throw FFmpegException(platform::Format("Unknown bitstream filter %s", platform::Trim(V)));
        std::string& Chain = N[0] == 'v'   ? J.FVideoOut.Fvideo_bitstream_filters
                             : N[0] == 'a' ? J.FAudioOut.Faudio_bitstream_filters
                                           : J.FSubtitleOut.Fsubtitle_bitstream_filters;
        Chain += (Chain.empty() ? "" : ",") + Name;
    }

#define H(body) [](TCustomFFmpeg& J, const std::string& N, const std::string& V) { body; }
#define INT(field) H(J.field = platform::StrToInt(V))
#define FLT(field) H(J.field = float(platform::StrToFloat(V)))
#define SWITCH(field) H(J.field = SwitchValue(V))

    static std::span<const TOptionEntry> Table()
    {
        // Every option name the converter handles itself, in the order they are
        // tested; any other name goes to the libraries' option dictionaries.
        // clang-format off
        static const TOptionEntry OptionTable[] = {
            {"L", Ignore}, {"h", Ignore}, {"version", Ignore}, {"formats", Ignore}, {"codecs", Ignore},
            {"bsfs", Ignore}, {"protocols", Ignore}, {"filters", Ignore},
            {"loglevel", H(J.SetLogLevelOption(V))},
            {"f", H(J.SetFormat(V))},
            {"i", Ignore}, {"y", Ignore},
            {"map", AddStreamMap},
            {"map_meta_data", AddMetaDataMap},
            {"t", H(J.SetRecordingTime(ParseTimeOption(N, V, true)))},
            {"fs", H(J.FMuxing.Flimit_filesize = platform::StrToInt64(V))},
            {"ss", H(J.FMuxing.Fstart_time = ParseTimeOption(N, V, true))},
            {"itsoffset", H(J.FMuxing.Finput_ts_offset = ParseTimeOption(N, V, true))},
            {"itsscale", SetInputTsScale},
            {"timestamp", H(J.FMuxing.Frecording_timestamp = std::llround(double(ParseTimeOption(N, V, false)) / 1000000.0))},
            {"metadata", AddMetadataOption},
            {"dframes", INT(FMuxing.Fmax_frames[2])},
            {"benchmark", Ignore},
            {"timelimit", H(JobLog(&J, llWarning, "Warning: -timelimit not implemented on Windows"))},
            {"dump", SWITCH(FMuxing.Fdo_pkt_dump)}, {"hex", SWITCH(FMuxing.Fdo_hex_dump)}, {"re", SWITCH(FMuxing.Frate_emu)},
            {"loop_input", SWITCH(FMuxing.Floop_input)},
            {"loop_output", INT(FMuxing.Floop_output)},
            {"v", H(J.SetVerbose(platform::StrToInt(V)))},
            {"target", H(J.SetTargetOption(V))},
            {"threads", H(throw FFmpegException("TODO: option - " + N))},
            {"vsync", INT(FVideoOut.Fvideo_sync_method)}, {"async", INT(FAudioOut.Faudio_sync_method)},
            {"adrift_threshold", FLT(FAudioOut.Faudio_drift_threshold)},
            {"vglobal", INT(FVideoOut.Fvideo_global_header)},
            {"copyts", H(J.FMuxing.Fcopy_ts = true)},
            {"shortest", SWITCH(FMuxing.Fopt_shortest)},
            {"dts_delta_threshold", FLT(FMuxing.Fdts_delta_threshold)},
            {"programid", INT(FMuxing.Fopt_programid)},
            {"xerror", H(J.FMuxing.Fexit_on_error = true)},
            {"copyinkf", INT(FMuxing.Fcopy_initial_nonkeyframes)},
            {"b", H(J.SetBitrate(N, V))}, {"vb", H(J.SetBitrate(N, V))},
            {"vframes", INT(FMuxing.Fmax_frames[0])},
            {"r", H(J.SetFrameRate(V))}, {"s", H(J.SetFrameSize(V))}, {"aspect", H(J.SetAspectRatio(V))},
            {"pix_fmt", H(J.SetPixelFormat(V))},
            {"croptop", H(J.SetCropTop(platform::StrToInt(V)))},
            {"cropbottom", H(J.SetCropBottom(platform::StrToInt(V)))},
            {"cropleft", H(J.SetCropLeft(platform::StrToInt(V)))},
            {"cropright", H(J.SetCropRight(platform::StrToInt(V)))},
            {"padtop", RefusePad}, {"padbottom", RefusePad}, {"padleft", RefusePad}, {"padright", RefusePad},
            {"padcolor", RefusePad},
            {"intra", SWITCH(FVideoOut.Fintra_only)}, {"vn", SWITCH(FVideoOut.Fvideo_disable)},
            {"vdt", INT(FVideoOut.Fvideo_discard)},
            {"qscale", H(J.SetVideoQScale(platform::StrToFloat(V)))},
            {"rc_override", H(J.FVideoOut.Fvideo_rc_override_string = ToAnsi(V))},
            {"vcodec", H(J.SetVideoCodec(V))},
            {"me_threshold", INT(FVideoOut.Fme_threshold)},
            {"sameq", SWITCH(FVideoOut.Fsame_quality)},
            {"pass", H(J.SetPass(platform::StrToInt(V)))},
            {"passlogfile", H(J.FMuxing.Fpass_logfilename_prefix = ToAnsi(V))},
            {"deinterlace", SWITCH(FVideoOut.Fdo_deinterlace)}, {"psnr", SWITCH(FVideoOut.Fdo_psnr)},
            {"vstats", SetVStats},
            {"vstats_file", H(J.FVideoOut.Fvstats_filename = ToAnsi(V))},
            {"vhook", H(J.AddVideoHook(V))},
            {"vfilters", H(J.SetVideoFilters(V))}, {"vf", H(J.SetVideoFilters(V))},
            {"intra_matrix", H(ParseMatrix(J.FVideoOut.Fintra_matrix, V))},
            {"inter_matrix", H(ParseMatrix(J.FVideoOut.Finter_matrix, V))},
            {"top", INT(FVideoOut.Ftop_field_first)}, {"dc", INT(FVideoOut.Fintra_dc_precision)},
            {"vtag", H(J.SetVideoTag(V))},
            {"newvideo", H(J.AddVideoStream())},
            {"vlang", H(J.FVideoOut.Fvideo_language = V)},
            {"qphist", SWITCH(FVideoOut.Fqp_hist)}, {"force_fps", SWITCH(FVideoOut.Fforce_fps)},
            {"streamid", SetStreamId},
            {"ab", H(J.SetBitrate(N, V))},
            {"aframes", INT(FMuxing.Fmax_frames[1])},
            {"aq", FLT(FAudioOut.Faudio_qscale)},
            {"ar", H(J.SetAudioSampleRate(platform::StrToInt(V)))},
            {"ac", H(J.SetAudioChannels(platform::StrToInt(V)))},
            {"an", SWITCH(FAudioOut.Faudio_disable)},
            {"acodec", H(J.SetAudioCodec(V))},
            {"atag", H(J.SetAudioTag(V))},
            {"vol", INT(FAudioOut.Faudio_volume)},
            {"newaudio", H(J.AddAudioStream())},
            {"alang", H(J.FAudioOut.Faudio_language = V)},
            {"sample_fmt", H(J.SetSampleFormat(V))},
            {"sn", SWITCH(FSubtitleOut.Fsubtitle_disable)},
            {"scodec", H(J.SetSubtitleCodec(V))},
            {"newsubtitle", H(J.AddSubtitleStream())},
            {"slang", H(J.FSubtitleOut.Fsubtitle_language = V)},
            {"stag", H(J.SetSubtitleTag(V))},
            {"vc", INT(FVideoOut.Fvideo_channel)},
            {"tvstd", H(J.FVideoOut.Fvideo_standard = ToAnsi(V))},
            {"isync", SWITCH(FMuxing.Finput_sync)},
            {"muxdelay", FLT(FMuxing.Fmux_max_delay)}, {"muxpreload", FLT(FMuxing.Fmux_preload)},
            {"absf", AddBitstreamFilter}, {"vbsf", AddBitstreamFilter}, {"sbsf", AddBitstreamFilter},
            {"apre", H(J.ApplyPreset(N, V))}, {"vpre", H(J.ApplyPreset(N, V))}, {"spre", H(J.ApplyPreset(N, V))},
            {"fpre", H(J.ApplyPreset(N, V))},
        };
        // clang-format on
        return OptionTable;
    }
#undef H
#undef INT
#undef FLT
#undef SWITCH
};


void TCustomFFmpeg::DispatchOption(const std::string& AName, const std::string& AValue)
{
    for (const TOptionEntry& E : TOptionHandlers::Table())
        if (AName == E.Name) {
            E.Handler(*this, AName, AValue);
            return;
        }
    SetLibraryOption(AName, AValue);
}

bool TCustomFFmpeg::SetLibraryOptionInt(const std::string& AName, int AValue)
{
    return SetLibraryOption(AName, std::to_string(AValue));
}

void TCustomFFmpeg::SetRecordingTime(int64_t AValue)
{
    if (AValue == AV_NOPTS_VALUE)
        return;
    FMuxing.Frecording_time = AValue;
    FFiles.FTotalOutputDuration = AValue;
}

void TCustomFFmpeg::SetStartTime(int64_t AValue)
{
    if (AValue != AV_NOPTS_VALUE)
        FMuxing.Fstart_time = AValue;
}

void TCustomFFmpeg::SetProgramId(int AValue)
{
    if (AValue >= 0)
        FMuxing.Fopt_programid = AValue;
}

void TCustomFFmpeg::SetAudioVolume(int AValue)
{
    if (AValue >= 0)
        FAudioOut.Faudio_volume = AValue;
}

void TCustomFFmpeg::SetAudioSyncMethod(int AValue) { FAudioOut.Faudio_sync_method = AValue; }
void TCustomFFmpeg::SetVideoSyncMethod(int AValue) { FVideoOut.Fvideo_sync_method = AValue; }

void TCustomFFmpeg::SetMuxMaxDelay(float AValue) { SetIfPositive(FMuxing.Fmux_max_delay, AValue); }

void TCustomFFmpeg::SetMuxPreload(float AValue) { SetIfPositive(FMuxing.Fmux_preload, AValue); }

void TCustomFFmpeg::SetVerbose(int AValue) { FMuxing.Fverbose = AValue; }

void TCustomFFmpeg::AddMetadata(const std::string& AKey, const std::string& AValue)
{
    FMuxing.Fmetadata.push_back({AKey, AValue});
    FMuxing.Fmetadata_count = int(FMuxing.Fmetadata.size());
}

void TCustomFFmpeg::SetFormat(const std::string& AValue)
{
    if (AValue.empty())
        return;
    FMuxing.Flast_asked_format = ToAnsi(AValue);
    if (FMuxing.Flast_asked_format == "pgmyuv") {
        FVideoOut.Fpgmyuv_compatibility_hack = 1;
        FMuxing.Flast_asked_format = "image2";
        JobLog(this, llInfo, "pgmyuv format is deprecated, use image2");
    }
}

void TCustomFFmpeg::SetFrameRate(const std::string& AValue)
{
    if (AValue.empty())
        return;
    if (ff::av_parse_video_rate(&FVideoOut.Fframe_rate, ToAnsi(AValue).c_str()) < 0)
        throw FFmpegException("Incorrect frame rate");
}

void TCustomFFmpeg::SetFrameSize(const std::string& AValue)
{
    if (AValue.empty())
        return;
    if (ff::av_parse_video_size(&FVideoOut.Fframe_width, &FVideoOut.Fframe_height, ToAnsi(AValue).c_str()) < 0)
        throw FFmpegException("Incorrect frame size");
}

void TCustomFFmpeg::SetAspectRatio(const std::string& AValue)
{
    if (AValue.empty())
        return;
    double Ratio = 0;
    const size_t Colon = AValue.find(':');
    if (Colon != std::string::npos) {
        const int X = platform::StrToIntDef(AValue.substr(0, Colon), 0);
        const int Y = platform::StrToIntDef(AValue.substr(Colon + 1), 0);
        if (Y > 0)
            Ratio = double(X) / double(Y);
    } else if (!platform::TryStrToFloat(AValue, Ratio)) {
        Ratio = 0;
    }
    if (Ratio == 0)
        throw FFmpegException("Incorrect aspect ratio specification.");
    FVideoOut.Fframe_aspect_ratio = float(Ratio);
}

void TCustomFFmpeg::SetPixelFormat(const std::string& AValue)
{
    if (AValue == "list") {
        LogFormatList(*this, true);
        return;
    }
    FVideoOut.Fframe_pix_fmt = ff::av_get_pix_fmt(ToAnsi(AValue).c_str());
    if (FVideoOut.Fframe_pix_fmt == AV_PIX_FMT_NONE)
        throw FFmpegException(platform::Format("Unknown pixel format requested: %s", AValue));
}

void TCustomFFmpeg::SetSampleFormat(const std::string& AValue)
{
    if (AValue == "list") {
        LogFormatList(*this, false);
        return;
    }
    FAudioOut.Faudio_sample_fmt = ff::av_get_sample_fmt(ToAnsi(AValue).c_str());
}

void TCustomFFmpeg::SetCrop(int AValue, int& ABand, bool AVertical)
{
    if (AValue <= 0)
        return;
    int& Size = AVertical ? FVideoOut.Fframe_height : FVideoOut.Fframe_width;
    if (AValue >= Size)
        throw FFmpegException(std::string(AVertical ? "Vertical" : "Horizontal") +
                              " crop dimensions are outside the range of the original image.\n"
                              "Remember to crop first and scale second.");
    static const char* const Names[2][2] = {{"CropLeft", "CropRight"}, {"CropTop", "CropBottom"}};
    const bool Second = &ABand == &FVideoOut.Fframe_bottomBand || &ABand == &FVideoOut.Fframe_rightBand;
    JobLog(this, llWarning, std::string(Names[AVertical][Second]) + " is deprecated in favor of the crop avfilter");
    ABand = AValue;
    Size -= AValue;
}

void TCustomFFmpeg::SetCropTop(int AValue) { SetCrop(AValue, FVideoOut.Fframe_topBand, true); }
void TCustomFFmpeg::SetCropBottom(int AValue) { SetCrop(AValue, FVideoOut.Fframe_bottomBand, true); }
void TCustomFFmpeg::SetCropLeft(int AValue) { SetCrop(AValue, FVideoOut.Fframe_leftBand, false); }
void TCustomFFmpeg::SetCropRight(int AValue) { SetCrop(AValue, FVideoOut.Fframe_rightBand, false); }

void TCustomFFmpeg::SetVideoQScale(double AValue)
{
    if (AValue <= 0 || AValue > 255)
        throw FFmpegException("qscale must be > 0.0 and <= 255");
    FVideoOut.Fvideo_qscale = float(AValue);
}

void TCustomFFmpeg::SetAudioSampleRate(int AValue) { SetIfPositive(FAudioOut.Faudio_sample_rate, AValue); }

void TCustomFFmpeg::SetAudioChannels(int AValue) { SetIfPositive(FAudioOut.Faudio_channels, AValue); }

void TCustomFFmpeg::SetPass(int AValue)
{
    if (AValue != 1 && AValue != 2)
        throw FFmpegException("pass number can be only 1 or 2");
    FMuxing.Fdo_pass = AValue;
}

bool TCustomFFmpeg::SetBitrate(const std::string& AName, const std::string& AValue)
{
    if (AName.empty() || AValue.empty())
        return false;
    if (!SetLibraryOption(AName, AValue))
        return false;
    const int64_t Rate = RecordedBitrate(AName[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_VIDEO);
    if (Rate < 1000)
        JobLog(this, llWarning,
               "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
    return true;
}

void TCustomFFmpeg::SetVideoCodec(const std::string& AValue)
{
    SetCodec(AValue, FVideoOut.Fvideo_stream_copy, FVideoOut.Fvideo_codec_name);
}
void TCustomFFmpeg::SetAudioCodec(const std::string& AValue)
{
    SetCodec(AValue, FAudioOut.Faudio_stream_copy, FAudioOut.Faudio_codec_name);
}
void TCustomFFmpeg::SetSubtitleCodec(const std::string& AValue)
{
    SetCodec(AValue, FSubtitleOut.Fsubtitle_stream_copy, FSubtitleOut.Fsubtitle_codec_name);
}

void TCustomFFmpeg::SetVideoTag(const std::string& AValue)
{
    if (!AValue.empty())
        FVideoOut.Fvideo_codec_tag = TagOf(AValue, "video");
}

void TCustomFFmpeg::SetAudioTag(const std::string& AValue)
{
    if (!AValue.empty())
        FAudioOut.Faudio_codec_tag = TagOf(AValue, "audio");
}

void TCustomFFmpeg::SetSubtitleTag(const std::string& AValue)
{
    if (!AValue.empty())
        FSubtitleOut.Fsubtitle_codec_tag = TagOf(AValue, "subtitle");
}

void TCustomFFmpeg::SetVideoFilters(const std::string& AValue)
{
    if (!AValue.empty())
        FVideoOut.Fvfilters = AValue;
}

} // namespace engine
