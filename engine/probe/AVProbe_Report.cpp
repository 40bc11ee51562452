// The probe's readable report of a file: format, size, times, tags,
// programs and one line per stream.

#include "engine/probe/AVProbe.h"

#include "engine/base/LocalTime.h"
#include "engine/base/TextUtils.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/Classes.h"
#include "platform/core/CodePage.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <cmath>
#include <memory>

using platform::Format;

namespace engine {

namespace {

// ID3v2 frame names shown under the names users know.
const struct {
    const char* FrameName;
    const char* ShownAs;
} MetadataKeyTable[] = {
    {"TALB", "album"},     {"TAL", "album"},       {"TCOM", "composer"},   {"TCON", "genre"},
    {"TCO", "genre"},      {"TCOP", "copyright"},  {"TDRL", "date"},       {"TENC", "encoder"},
    {"TEN", "encoder"},    {"TIT2", "title"},      {"TT2", "title"},       {"TLAN", "language"},
    {"TPE1", "artist"},    {"TP1", "artist"},      {"TPOS", "disc"},       {"TPUB", "publisher"},
    {"TRCK", "track"},     {"TRK", "track"},       {"TSOA", "albumsort"},  {"TSOP", "authorsort"},
    {"TSOT", "titlesort"}, {"TYER", "year"},
};

std::string ShownKey(const std::string& AKey)
{
    for (const auto& row : MetadataKeyTable)
        if (AKey == row.FrameName)
            return row.ShownAs;
    return AKey;
}

std::string LibText(const char* AText)
{
    return AText ? platform::AnsiToUtf8(AText) : std::string();
}

// Seconds and the six-digit remainder, as "%d.%.6d".
std::string SecondsText(int64_t AMicros)
{
    return Format("%d.%.6d", AMicros / 1000000, ff::av_rescale(AMicros % 1000000, 1000000, 1000000));
}

// 29.97 keeps two decimals, 25 none, 1000 shows as 1k.
std::string FormatRate(double ARate, const char* AUnit)
{
    const int64_t v = std::llround(ARate * 100);
    if (v % 100 != 0)
        return Format(", %3.2f %s", ARate, AUnit);
    if (v % 100000 != 0)
        return Format(", %1.0f %s", ARate, AUnit);
    return Format(", %1.0fk %s", ARate / 1000, AUnit);
}

void AddRate(std::string& ALine, AVRational ARate, const char* AUnit)
{
    if (ARate.num != 0 && ARate.den != 0)
        ALine += FormatRate(double(ARate.num) / double(ARate.den), AUnit);
}

// A program tag under its old key or the key demuxers use now; "N/A" when
// neither is there.
std::string ProgramTag(AVDictionary* AMetadata, const char* AKey, const char* ACurrentKey)
{
    const std::string value = MetadataValue(AMetadata, AKey, "");
    return value.empty() ? MetadataValue(AMetadata, ACurrentKey, "N/A") : value;
}

struct TCodecContextDeleter {
    void operator()(AVCodecContext* AContext) const { ff::avcodec_free_context(&AContext); }
};

// The codec text that the libraries print for a stream's parameters.
std::string CodecText(const AVCodecParameters* APar, AVRational* ACodecTimeBase)
{
    std::unique_ptr<AVCodecContext, TCodecContextDeleter> ctx(ff::avcodec_alloc_context3(nullptr));
    if (!ctx || ff::avcodec_parameters_to_context(ctx.get(), APar) < 0)
        return "Unknown";
    char buf[256] = {};
    ff::avcodec_string(buf, sizeof(buf), ctx.get(), 0);
    *ACodecTimeBase = ctx->time_base;
    return LibText(buf);
}

} // namespace

std::string TCustomAVProbe::GetFileInfoText()
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, "file not loaded.");
        return {};
    }
    platform::TStringList lines;
    lines.Add(Format("File Name: %s", FileName()));
    lines.Add(Format("Format Name: %s", LibText(ic->iformat->name)));
    lines.Add(Format("Format Long Name: %s", LibText(ic->iformat->long_name)));
    lines.Add(Format("File Size: %s", FormatByteSize(FFileSize)));
    const TFileStreamInfo info = GetFileStreamInfo();
    if (info.Duration < 0)
        lines.Add("Duration: N/A");
    else
        lines.Add(Format("Duration: %s", TimeToText(info.Duration)));
    if (info.StartTime >= 0)
        lines.Add("StartTime: " + SecondsText(info.StartTime));
    if (info.BitRate > 0)
        lines.Add(Format("Bit Rate: %d kb/s", info.BitRate / 1000));
    else
        lines.Add("Bit Rate: N/A");
    if (info.TimeStamp > 0)
        lines.Add(Format("Time Stamp: %s",
                         DateTimeText("yyyy-mm-dd hh:nn:ss", UnixTimeToLocalDateTime(info.TimeStamp))));
    AddMetadataBlock(lines, ic->metadata, "");

    std::vector<bool> shown(ic->nb_streams, false);
    for (unsigned p = 0; p < ic->nb_programs; ++p) {
        const AVProgram* program = ic->programs[p];
        lines.Add(Format("Program %d %s", program->id,
                         ProgramTag(program->metadata, "provider_name", "service_provider") + "@" +
                             ProgramTag(program->metadata, "name", "service_name")));
        AddMetadataBlock(lines, program->metadata, "  ");
        for (unsigned k = 0; k < program->nb_stream_indexes; ++k) {
            const unsigned i = program->stream_index[k];
            if (i >= ic->nb_streams)
                continue;
            AddStreamLine(lines, i);
            shown[i] = true;
        }
    }
    for (unsigned i = 0; i < ic->nb_streams; ++i)
        if (!shown[i])
            AddStreamLine(lines, i);
    return lines.Text() + lines.LineBreak;
}

void TCustomAVProbe::AddMetadataBlock(platform::TStringList& ALines, AVDictionary* AMetadata,
                                      const std::string& APrefix)
{
    if (!AMetadata)
        return;
    if (ff::av_dict_count(AMetadata) == 1 && ff::av_dict_get(AMetadata, "language", nullptr, 0))
        return;
    ALines.Add(APrefix + "Metadata:");
    const AVDictionaryEntry* tag = nullptr;
    while ((tag = ff::av_dict_get(AMetadata, "", tag, AV_DICT_IGNORE_SUFFIX))) {
        const std::string key = LibText(tag->key);
        if (key == "language")
            continue;
        ALines.Add(Format("%s  %-16s: %s", APrefix, ShownKey(key), LibText(tag->value)));
    }
}

void TCustomAVProbe::AddStreamLine(platform::TStringList& ALines, unsigned AIndex)
{
    AVFormatContext* ic = FFileHandle;
    AVStream* st = ic->streams[AIndex];
    const AVCodecParameters* par = st->codecpar;
    std::string line = Format("Stream #%d", AIndex);
    if (ic->iformat->flags & AVFMT_SHOW_IDS)
        line += platform::LowerCase(Format("[0x%x]", st->id));
    const std::string language = MetadataValue(st->metadata, "language", "");
    if (!language.empty())
        line += Format("(%s)", language);
    int gcd = int(ff::av_gcd(st->time_base.num, st->time_base.den));
    if (gcd == 0)
        gcd = 1;
    line += Format(", %d/%d", st->time_base.num / gcd, st->time_base.den / gcd);
    AVRational codecTimeBase{0, 1};
    line += ": " + CodecText(par, &codecTimeBase);
    const AVRational sar = st->sample_aspect_ratio;
    const AVRational codecSar = par->sample_aspect_ratio;
    if (sar.num != 0 && int64_t(sar.num) * codecSar.den != int64_t(codecSar.num) * sar.den) {
        int darNum = 0, darDen = 0;
        ff::av_reduce(&darNum, &darDen, int64_t(par->width) * sar.num, int64_t(par->height) * sar.den, 1048576);
        line = Format("%s, PAR %d:%d DAR %d:%d", line, sar.num, sar.den, darNum, darDen);
    }
    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        AddRate(line, st->avg_frame_rate, "fps");
        AddRate(line, st->r_frame_rate, "tbr");
        AddRate(line, AVRational{st->time_base.den, st->time_base.num}, "tbn");
        AddRate(line, AVRational{codecTimeBase.den, codecTimeBase.num}, "tbc");
    }
    const AVRational micro{1, AV_TIME_BASE};
    if (st->start_time != AV_NOPTS_VALUE)
        line += ", StartTime: " + SecondsText(ff::av_rescale_q(st->start_time, st->time_base, micro));
    if (st->duration == AV_NOPTS_VALUE)
        line += ", Duration: N/A";
    else
        line += ", Duration: " + TimeToText(ff::av_rescale_q(st->duration, st->time_base, micro));
    ALines.Add(line);
    AddMetadataBlock(ALines, st->metadata, "  ");
}

} // namespace engine
