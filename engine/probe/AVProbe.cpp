#include "engine/probe/AVProbe.h"

#include "engine/base/Paths.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <climits>
#include <map>
#include <mutex>

using platform::Format;

namespace engine {

namespace {

const char* const NotLoaded = "file not loaded.";

// Probes that borrowed a context, by context: the owner's close reaches them.
std::mutex BorrowLock;
std::multimap<AVFormatContext*, TCustomAVProbe*>& Borrowers()
{
    static std::multimap<AVFormatContext*, TCustomAVProbe*> List;
    return List;
}

int ClampToInt(int64_t AValue)
{
    return int(std::clamp<int64_t>(AValue, INT_MIN, INT_MAX));
}

// FFmpeg's texts are UTF-8; the program's strings are too, but they pass
// through the system code page as every text from the libraries does.
std::string LibText(const char* AText)
{
    return AText ? platform::AnsiToUtf8(AText) : std::string();
}

// A stream time base with a zero denominator is repaired in the stream
// itself, so that every later rescale of its times stays defined.
void RepairTimeBase(AVStream* AStream)
{
    if (AStream->time_base.den == 0) {
        AStream->time_base.den = AStream->time_base.num;
        if (AStream->time_base.den == 0)
            AStream->time_base.den = 1;
    }
}

// The fields audio and video records share.
void FillMediaInfo(TMediaStreamInfo& ARecord, AVStream* AStream)
{
    ARecord.Language = MetadataValue(AStream->metadata, "language", "");
    ARecord.CodecName = CodecDisplayName(AStream->codecpar, false);
    RepairTimeBase(AStream);
    const AVRational micro{1, AV_TIME_BASE};
    ARecord.StartTime = AStream->start_time;
    if (AStream->start_time != AV_NOPTS_VALUE)
        ARecord.StartTimeScaled = ff::av_rescale_q(AStream->start_time, AStream->time_base, micro);
    ARecord.Duration = AStream->duration;
    if (AStream->duration != AV_NOPTS_VALUE)
        ARecord.DurationScaled = ff::av_rescale_q(AStream->duration, AStream->time_base, micro);
    ARecord.BitRate = ClampToInt(AStream->codecpar->bit_rate);
}

// The leading decimal number of a tag such as "2019-05-01" or "3/12"; 0, as
// an unset field of the file, when there is none.
int LeadingNumber(const std::string& AText)
{
    const std::string s = platform::Trim(AText);
    size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9' && n < 9)
        ++n;
    return n ? std::stoi(s.substr(0, n)) : 0;
}

// Seconds since 1970 of the "creation_time" tag; 0 when absent or unreadable.
int64_t CreationTime(AVDictionary* AMetadata)
{
    const std::string text = MetadataValue(AMetadata, "creation_time", "");
    int64_t micros = 0;
    if (text.empty() || ff::av_parse_time(&micros, text.c_str(), 0) < 0)
        return 0;
    return micros / AV_TIME_BASE;
}

} // namespace

TCustomAVProbe::TCustomAVProbe(platform::TComponent* AOwner)
    : TFFBaseComponent(AOwner)
{
    UpdateFileInfo();
}

TCustomAVProbe::~TCustomAVProbe()
{
    ReleaseContext();
}

bool TCustomAVProbe::LoadAVLib(const std::string& APath)
{
    GlobalLoader().SetLibraryPath(APath);
    const bool result = GlobalLoader().Load(ProbeLibraries);
    if (!result)
        FLastErrMsg = GlobalLoader().LastErrMsg();
    return result;
}

bool TCustomAVProbe::AVLibLoaded() const
{
    return GlobalLoader().Loaded(ProbeLibraries);
}

void TCustomAVProbe::UnloadAVLib()
{
    GlobalLoader().Unload(ProbeLibraries);
}

void TCustomAVProbe::LogMessage(int ALevel, const std::string& AMessage)
{
    GetFFLogger()->Log(this, AVToLogLevel(ALevel), AMessage);
    FLastErrMsg = AMessage;
}

void TCustomAVProbe::CheckLibrariesLoaded() const
{
    static const struct {
        TLibrary Lib;
        const char* Text;
    } Needed[] = {
        {avCodec, "LibAVCodec not loaded."},
        {avFormat, "LibAVFormat not loaded."},
        {avUtil, "LibAVUtil not loaded."},
        {swScale, "LibSwScale not loaded."},
    };
    for (const auto& item : Needed)
        if (!GlobalLoader().Loaded(item.Lib))
            throw platform::Exception(item.Text);
}

bool TCustomAVProbe::LoadFile(const std::string& AFileName, const std::string& AFormatName)
{
    CheckLibrariesLoaded();
    CloseFile();
    const AVInputFormat* format = nullptr;
    if (!AFormatName.empty()) {
        format = ff::av_find_input_format(platform::Utf8ToAnsi(AFormatName).c_str());
        if (!format) {
            FLastErrMsg = Format("Unknown input format: %s", AFormatName);
            return false;
        }
    }
    FFileHandle = ff::avformat_alloc_context();
    FOwnHandle = true;
    if (!FFileHandle) {
        LogMessage(AV_LOG_ERROR, AVErrorText(AFileName, AVERROR(ENOMEM)));
        CloseFile();
        return false;
    }
    FFileHandle->flags |= AVFMT_FLAG_NONBLOCK;
    // On failure avformat_open_input frees the context and clears the pointer.
    const int code = OpenInputURL(&FFileHandle, FileNameToURL(AFileName), format, nullptr);
    if (code < 0) {
        LogMessage(AV_LOG_ERROR, AVErrorText(AFileName, code));
        CloseFile();
        return false;
    }
    if (ff::avformat_find_stream_info(FFileHandle, nullptr) < 0) {
        FLastErrMsg = Format("%s: could not find codec parameters", AFileName);
        CloseFile();
        return false;
    }
    UpdateFileInfo();
    FForceFormat = AFormatName;
    return true;
}

void TCustomAVProbe::ReleaseContext()
{
    if (FOwnHandle) {
        if (FFileHandle) {
            FormatContextClosing(FFileHandle);
            CloseInputURL(&FFileHandle);
        }
    } else {
        StopBorrowing();
    }
    FFileHandle = nullptr;
    FOwnHandle = false;
}

void TCustomAVProbe::CloseFile()
{
    FForceFormat.clear();
    ReleaseContext();
    FHandleLost = false;
    UpdateFileInfo();
}

void TCustomAVProbe::SetFileHandle(AVFormatContext* Value)
{
    CheckLibrariesLoaded();
    CloseFile();
    FOwnHandle = false;
    FFileHandle = Value;
    if (Value)
        Borrow(Value);
    UpdateFileInfo();
}

void TCustomAVProbe::Borrow(AVFormatContext* AContext)
{
    std::lock_guard<std::mutex> lock(BorrowLock);
    Borrowers().emplace(AContext, this);
}

void TCustomAVProbe::StopBorrowing()
{
    std::lock_guard<std::mutex> lock(BorrowLock);
    auto& list = Borrowers();
    for (auto it = list.begin(); it != list.end();)
        it = it->second == this ? list.erase(it) : std::next(it);
}

void TCustomAVProbe::FormatContextClosing(AVFormatContext* AContext)
{
    std::lock_guard<std::mutex> lock(BorrowLock);
    auto range = Borrowers().equal_range(AContext);
    for (auto it = range.first; it != range.second; ++it)
        it->second->FHandleLost = true;
    Borrowers().erase(range.first, range.second);
}

void TCustomAVProbe::DropLostHandle()
{
    if (FHandleLost.exchange(false)) {
        // The owner closed the context: forget it without touching it.
        FFileHandle = nullptr;
        FOwnHandle = false;
        CloseFile();
    }
}

AVFormatContext* TCustomAVProbe::Context()
{
    DropLostHandle();
    return FFileHandle;
}

void TCustomAVProbe::UpdateFileInfo()
{
    FFileSize = -1;
    FStreamCount = FProgramCount = -1;
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = -1;
    FFirstAudioStreamIndex = FFirstVideoStreamIndex = FFirstSubtitleStreamIndex = -1;
    AVFormatContext* ic = FFileHandle;
    if (!ic)
        return;
    // The context's own size is the I/O size since the field went away.
    const int64_t ioSize = ic->pb ? ff::avio_size(ic->pb) : -1;
    FFileSize = ioSize;
    if (ioSize <= 0 && ic->url) {
        const std::string name = URLToFileName(ic->url);
        if (platform::FileExists(name))
            FFileSize = FileSizeByName(name);
    }
    FStreamCount = int(ic->nb_streams);
    FProgramCount = int(ic->nb_programs);
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = 0;
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        switch (ic->streams[i]->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            ++FVideoStreamCount;
            if (FFirstVideoStreamIndex < 0)
                FFirstVideoStreamIndex = int(i);
            break;
        case AVMEDIA_TYPE_AUDIO:
            ++FAudioStreamCount;
            if (FFirstAudioStreamIndex < 0)
                FFirstAudioStreamIndex = int(i);
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            ++FSubtitleStreamCount;
            if (FFirstSubtitleStreamIndex < 0)
                FFirstSubtitleStreamIndex = int(i);
            break;
        default:
            break;
        }
    }
}

std::string TCustomAVProbe::FileName()
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return {};
    }
    return ic->url ? URLToFileName(ic->url) : std::string();
}

std::string TCustomAVProbe::FormatName()
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return {};
    }
    return LibText(ic->iformat->name);
}

std::string TCustomAVProbe::FormatLongName()
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return {};
    }
    return LibText(ic->iformat->long_name);
}

// The counters are plain fields, but a context closed by its owner must not
// go on answering with its old figures.
int64_t TCustomAVProbe::FileSize() { DropLostHandle(); return FFileSize; }
int TCustomAVProbe::StreamCount() { DropLostHandle(); return FStreamCount; }
int TCustomAVProbe::ProgramCount() { DropLostHandle(); return FProgramCount; }
int TCustomAVProbe::AudioStreamCount() { DropLostHandle(); return FAudioStreamCount; }
int TCustomAVProbe::VideoStreamCount() { DropLostHandle(); return FVideoStreamCount; }
int TCustomAVProbe::SubtitleStreamCount() { DropLostHandle(); return FSubtitleStreamCount; }
int TCustomAVProbe::FirstAudioStreamIndex() { DropLostHandle(); return FFirstAudioStreamIndex; }
int TCustomAVProbe::FirstVideoStreamIndex() { DropLostHandle(); return FFirstVideoStreamIndex; }
int TCustomAVProbe::FirstSubtitleStreamIndex() { DropLostHandle(); return FFirstSubtitleStreamIndex; }

bool TCustomAVProbe::IsStreamOfKind(int AStreamIndex, AVMediaType AType)
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return false;
    }
    if (AStreamIndex < 0 || unsigned(AStreamIndex) >= ic->nb_streams) {
        LogMessage(AV_LOG_ERROR, Format("stream index #%d is invalid.", AStreamIndex));
        return false;
    }
    return ic->streams[AStreamIndex]->codecpar->codec_type == AType;
}

bool TCustomAVProbe::IsAudioStream(int AStreamIndex) { return IsStreamOfKind(AStreamIndex, AVMEDIA_TYPE_AUDIO); }
bool TCustomAVProbe::IsVideoStream(int AStreamIndex) { return IsStreamOfKind(AStreamIndex, AVMEDIA_TYPE_VIDEO); }
bool TCustomAVProbe::IsSubtitleStream(int AStreamIndex) { return IsStreamOfKind(AStreamIndex, AVMEDIA_TYPE_SUBTITLE); }

// The stream a record describes, or nil after reporting why there is none.
AVStream* TCustomAVProbe::StreamForRecord(int AStreamIndex, TStreamKind AKind)
{
    static const struct {
        AVMediaType Type;
        const char* Name;
    } Kinds[] = {{AVMEDIA_TYPE_AUDIO, "audio"}, {AVMEDIA_TYPE_VIDEO, "video"}, {AVMEDIA_TYPE_SUBTITLE, "subtitle"}};
    const auto& kind = Kinds[int(AKind)];
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return nullptr;
    }
    if (AStreamIndex < 0) {
        const int first[] = {FFirstAudioStreamIndex, FFirstVideoStreamIndex, FFirstSubtitleStreamIndex};
        AStreamIndex = first[int(AKind)];
        if (AStreamIndex < 0) {
            LogMessage(AV_LOG_ERROR, Format("no %s stream.", kind.Name));
            return nullptr;
        }
    }
    if (unsigned(AStreamIndex) >= ic->nb_streams) {
        LogMessage(AV_LOG_ERROR, Format("stream index #%d is invalid.", AStreamIndex));
        return nullptr;
    }
    AVStream* st = ic->streams[AStreamIndex];
    if (st->codecpar->codec_type != kind.Type) {
        LogMessage(AV_LOG_ERROR, Format("stream #%d is not %s stream.", AStreamIndex, kind.Name));
        return nullptr;
    }
    return st;
}

TAudioStreamInfo TCustomAVProbe::GetAudioStreamInfo(int AStreamIndex)
{
    TAudioStreamInfo info;
    AVStream* st = StreamForRecord(AStreamIndex, TStreamKind::Audio);
    if (!st)
        return info;
    const AVCodecParameters* par = st->codecpar;
    FillMediaInfo(info, st);
    info.Channels = par->ch_layout.nb_channels;
    info.SampleRate = par->sample_rate;
    info.SampleFormat = AVSampleFormat(par->format);
    return info;
}

TVideoStreamInfo TCustomAVProbe::GetVideoStreamInfo(int AStreamIndex)
{
    TVideoStreamInfo info;
    AVStream* st = StreamForRecord(AStreamIndex, TStreamKind::Video);
    if (!st)
        return info;
    const AVCodecParameters* par = st->codecpar;
    FillMediaInfo(info, st);
    info.Height = par->height;
    info.Width = par->width;
    // A zero height or a zero denominator has no ratio: 0, never inf or NaN.
    const AVRational sar = par->sample_aspect_ratio;
    info.AspectRatio = par->height != 0 && sar.den != 0
                           ? float(double(par->width) * (double(sar.num) / double(sar.den)) / double(par->height))
                           : 0.0f;
    info.PixFmt = AVPixelFormat(par->format);
    info.FrameRate = st->r_frame_rate;
    return info;
}

TSubtitleStreamInfo TCustomAVProbe::GetSubtitleStreamInfo(int AStreamIndex)
{
    TSubtitleStreamInfo info;
    AVStream* st = StreamForRecord(AStreamIndex, TStreamKind::Subtitle);
    if (!st)
        return info;
    info.Language = MetadataValue(st->metadata, "language", "");
    info.CodecName = CodecDisplayName(st->codecpar, false);
    return info;
}

TFileStreamInfo TCustomAVProbe::GetFileStreamInfo()
{
    TFileStreamInfo info;
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return info;
    }
    AVDictionary* meta = ic->metadata;
    info.StartTime = ic->start_time == AV_NOPTS_VALUE ? -1 : ic->start_time;
    info.Duration = ic->duration == AV_NOPTS_VALUE ? -1 : ic->duration;
    info.BitRate = ClampToInt(ic->bit_rate);
    // Year, track and time stamp left the context for its tags.
    info.TimeStamp = CreationTime(meta);
    std::string year = MetadataValue(meta, "date", "");
    if (year.empty())
        year = MetadataValue(meta, "year", "");
    info.Year = LeadingNumber(year);
    info.Track = LeadingNumber(MetadataValue(meta, "track", ""));
    info.Title = MetadataValue(meta, "title", "");
    info.Author = MetadataValue(meta, "author", "");
    if (info.Author.empty())
        info.Author = MetadataValue(meta, "artist", "");
    info.Copyright = MetadataValue(meta, "copyright", "");
    info.Comment = MetadataValue(meta, "comment", "");
    info.Album = MetadataValue(meta, "album", "");
    info.Genre = MetadataValue(meta, "genre", "");
    return info;
}

} // namespace engine
