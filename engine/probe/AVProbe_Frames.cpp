// Frame access of the probe: seeking, decoding forwards and backwards, key
// frames, the byte position and copying a picture into a bitmap.

#include "engine/probe/AVProbe.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

using platform::Format;

namespace engine {

namespace {

const char* const NotLoaded = "file not loaded.";
const char* const EOFReached = "stream eof reached.";
const AVRational Micro{1, AV_TIME_BASE};

} // namespace

TAVProbe::TAVProbe(platform::TComponent* AOwner)
    : TCustomAVProbe(AOwner)
{
    // The base constructor could not reach this class's part of the state.
    UpdateFileInfo();
}

void TDecoderClose::operator()(AVCodecContext* AContext) const
{
    platform::TLockGuard lock(CodecLock());
    ff::avcodec_free_context(&AContext);
}

void TFrameFree::operator()(AVFrame* AFrame) const
{
    ff::av_frame_free(&AFrame);
}

void TPacketFree::operator()(AVPacket* APacket) const
{
    ff::av_packet_free(&APacket);
}

void TAVMemFree::operator()(uint8_t* ABuffer) const
{
    ff::av_free(ABuffer);
}

TAVProbe::~TAVProbe()
{
    CloseFile();
    ResetRGBConvertContext(FRGBContext);
}

void TAVProbe::UpdateFileInfo()
{
    TCustomAVProbe::UpdateFileInfo();
    const int video = FirstVideoStreamIndex();
    const int audio = FirstAudioStreamIndex();
    FSeekIndex = video >= 0 ? video : audio >= 0 ? audio : -1;
    AVFormatContext* ic = Handle();
    if (!ic)
        return;
    FStartTime = FSeekIndex >= 0 ? ic->streams[FSeekIndex]->start_time : ic->start_time;
    if (FStartTime == AV_NOPTS_VALUE)
        FStartTime = 0;
}

void TAVProbe::CloseDecoder()
{
    FCodec.reset();
    FCodecStream = -1;
}

void TAVProbe::CloseFile()
{
    FSeekIndex = -1;
    FStartTime = -1;
    FDecodeIndex = -1;
    FEOF = false;
    FDraining = false;
    ResetPicture();
    FLastPTS = AV_NOPTS_VALUE;
    FLastPos = -1;
    CloseDecoder();
    ResetRGBConvertContext(FRGBContext);
    TCustomAVProbe::CloseFile();
}

void TAVProbe::ResetPicture()
{
    if (FPicture.PTS != AV_NOPTS_VALUE)
        FLastPTS = FPicture.PTS;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.PixFmt = AVPixelFormat(-1);
    FPicture.Width = FPicture.Height = -1;
    FPicture.IsKeyFrame = false;
    FPicture.PictureType = ptUnknown;
    FPicture.PTS = FPicture.OriginalDTS = FPicture.OriginalPTS = AV_NOPTS_VALUE;
    FPicture.StreamIndex = -1;
    FPicture.Position = -1;
    FPicture.Ready = false;
}

int64_t TAVProbe::IOPosition()
{
    AVFormatContext* ic = Handle();
    return ic && ic->pb ? ff::avio_seek(ic->pb, 0, SEEK_CUR) : -1;
}

bool TAVProbe::IsImage2()
{
    AVFormatContext* ic = Handle();
    return ic && platform::SameText(ic->iformat->name, "image2");
}

int64_t TAVProbe::GetPosition()
{
    AVFormatContext* ic = Context();
    if (!ic) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return -1;
    }
    if (!ic->pb) {
        LogMessage(AV_LOG_WARNING, "cannot get position");
        return -1;
    }
    return IOPosition();
}

bool TAVProbe::CheckOwnHandle()
{
    if (!Context()) {
        LogMessage(AV_LOG_WARNING, NotLoaded);
        return false;
    }
    if (OwnsHandle())
        return true;
    const char* text = "file cannot be seeked, handle is readonly.";
    LogMessage(AV_LOG_WARNING, text);
    throw platform::Exception(text);
}

bool TAVProbe::CanSeek()
{
    if (!CheckOwnHandle())
        return false;
    if (IsImage2()) {
        LogMessage(AV_LOG_INFO, "\"image2\" format cannot to be seeked.");
        return false;
    }
    return true;
}

bool TAVProbe::Seek(int64_t APTS, TSeekFlags ASeekFlags)
{
    if (!CanSeek())
        return false;
    AVFormatContext* ic = Handle();
    if (ic->pb)
        LogMessage(AV_LOG_DEBUG, Format("currunt position %d bytes", IOPosition()));
    int64_t t = APTS < 0 ? 0 : APTS;
    if (!ASeekFlags.Contains(sfByte)) {
        if (FSeekIndex >= 0)
            t = ff::av_rescale_q(t, Micro, ic->streams[FSeekIndex]->time_base);
        if (FStartTime > 0)
            t += FStartTime;
    }
    if (FCodec)
        ff::avcodec_flush_buffers(FCodec.get());
    FDraining = false;
    FEOF = false;
    ResetPicture();
    // An end met by earlier reading is no news about this seek: demuxers
    // that seek lazily (MP4) leave the I/O flag standing until their next
    // read, which would refuse every seek back into a cut file.
    if (ic->pb)
        ic->pb->eof_reached = 0;
    const int flags = ConvertSeekFlags(ASeekFlags);
    int r;
    if (APTS > 0) {
        r = ff::av_seek_frame(ic, FSeekIndex, t, flags);
    } else {
        r = ff::av_seek_frame(ic, FSeekIndex, 0, flags | AVSEEK_FLAG_BACKWARD);
        if (r < 0)
            r = ff::av_seek_frame(ic, FSeekIndex, APTS, flags & ~AVSEEK_FLAG_BACKWARD);
    }
    if (r < 0) {
        if (ASeekFlags.Contains(sfByte))
            LogMessage(AV_LOG_ERROR, Format("could not seek to position %d bytes", APTS));
        else
            LogMessage(AV_LOG_ERROR, Format("could not seek to position %0.3f seconds", double(APTS) / 1000000));
    }
    if (ic->pb) {
        LogMessage(AV_LOG_DEBUG, Format("seek to position %d bytes", IOPosition()));
        if (ic->pb->eof_reached) {
            if (r >= 0)
                LogMessage(AV_LOG_INFO, EOFReached);
            FEOF = true;
            return false;
        }
    }
    return r >= 0;
}

int TAVProbe::SelectDecodeStream(int AStreamIndex)
{
    if (!CheckOwnHandle())
        return -1;
    AVFormatContext* ic = Handle();
    int i = AStreamIndex;
    if (i < 0) {
        i = FDecodeIndex >= 0 ? FDecodeIndex : FirstVideoStreamIndex();
        if (i < 0) {
            LogMessage(AV_LOG_ERROR, "no video stream.");
            return -1;
        }
    } else if (unsigned(i) >= ic->nb_streams) {
        LogMessage(AV_LOG_ERROR, Format("stream index #%d is invalid.", i));
        return -1;
    } else if (ic->streams[i]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
        LogMessage(AV_LOG_ERROR, Format("stream #%d is not video stream.", i));
        return -1;
    }
    if (i != FDecodeIndex)
        ResetPicture();
    FDecodeIndex = i;
    return i;
}

AVCodecContext* TAVProbe::OpenDecoder(int AStreamIndex)
{
    AVStream* st = Handle()->streams[AStreamIndex];
    const AVCodecParameters* par = st->codecpar;
    if (par->width == 0 || par->height == 0) {
        LogMessage(AV_LOG_ERROR, "frame size of codec is invalid.");
        return nullptr;
    }
    if (FCodec && FCodecStream == AStreamIndex)
        return FCodec.get();
    CloseDecoder();
    const AVCodec* decoder = ff::avcodec_find_decoder(par->codec_id);
    if (!decoder) {
        LogMessage(AV_LOG_ERROR,
                   Format("Unsupported codec (id=%d) for input file stream #%d", int(par->codec_id), AStreamIndex));
        return nullptr;
    }
    // The stream's parameters go into a decoder context of the probe's own,
    // since streams no longer carry one.
    std::unique_ptr<AVCodecContext, TDecoderClose> ctx(ff::avcodec_alloc_context3(decoder));
    int r = ctx ? ff::avcodec_parameters_to_context(ctx.get(), par) : AVERROR(ENOMEM);
    if (r >= 0) {
        ctx->pkt_timebase = st->time_base;
        // One thread: a picture leaves the decoder with the packet that
        // completed it, so that packet's times belong to the picture.
        ctx->thread_count = 1;
        platform::TLockGuard lock(CodecLock());
        r = ff::avcodec_open2(ctx.get(), decoder, nullptr);
    }
    if (r < 0) {
        ctx.reset();
        LogMessage(AV_LOG_ERROR, Format("Error while opening codec for input file stream #%d", AStreamIndex));
        return nullptr;
    }
    FCodec = std::move(ctx);
    FCodecStream = AStreamIndex;
    return FCodec.get();
}

// Feeds packets of the stream to the decoder until a picture comes out.
// Answers 1 for a picture, 0 at the end of the file.
int TAVProbe::ReceivePicture(int AStreamIndex, int64_t APosition)
{
    if (!FFrame)
        FFrame.reset(ff::av_frame_alloc());
    if (!FPacket)
        FPacket.reset(ff::av_packet_alloc());
    if (!FFrame || !FPacket)
        return 0;
    AVCodecContext* codec = FCodec.get();
    AVPacket* pkt = FPacket.get();
    for (;;) {
        const int got = ff::avcodec_receive_frame(codec, FFrame.get());
        if (got == 0) {
            StorePicture(FFrame.get(), APosition);
            ff::av_frame_unref(FFrame.get());
            return 1;
        }
        // Otherwise the decoder wants more, or the picture was damaged and
        // the next packet may decode.
        if (got == AVERROR_EOF || FDraining)
            return 0;
        if (ff::av_read_frame(Handle(), pkt) < 0) {
            // The pictures the decoder still holds come out before the end.
            FDraining = true;
            FPacketDTS = FPacketPTS = AV_NOPTS_VALUE;
            FPacketStream = AStreamIndex;
            FPacketFlags = 0;
            ff::avcodec_send_packet(codec, nullptr);
            continue;
        }
        if (pkt->stream_index == AStreamIndex) {
            codec->reordered_opaque = pkt->pts;
            FPacketDTS = pkt->dts;
            FPacketPTS = pkt->pts;
            FPacketStream = pkt->stream_index;
            FPacketFlags = pkt->flags;
            ff::avcodec_send_packet(codec, pkt);
        }
        ff::av_packet_unref(pkt);
    }
}

bool TAVProbe::Decode(int AStreamIndex)
{
    const int i = SelectDecodeStream(AStreamIndex);
    if (i < 0)
        return false;
    if (FPicture.Ready && IsImage2())
        return true;
    if (FEOF) {
        LogMessage(AV_LOG_INFO, EOFReached);
        return false;
    }
    if (!OpenDecoder(i))
        return false;
    const int64_t p = IOPosition();
    if (ReceivePicture(i, p) > 0)
        return true;
    LogMessage(AV_LOG_INFO, EOFReached);
    FEOF = true;
    return false;
}

bool TAVProbe::StoreTimes(const AVFrame* AFrame)
{
    // The packet that completed the picture gives its time when it has a
    // dts; else the pts the decoder carried along with the picture; else the
    // packet's pts.
    int64_t x = AFrame->pkt_dts;
    if (x == AV_NOPTS_VALUE)
        x = AFrame->reordered_opaque;
    if (x == AV_NOPTS_VALUE)
        x = FPacketPTS;
    if (FPicture.PTS != AV_NOPTS_VALUE)
        FLastPTS = FPicture.PTS;
    if (x == AV_NOPTS_VALUE) {
        FPicture.PTS = AV_NOPTS_VALUE;
        return false;
    }
    const AVStream* st = Handle()->streams[FDecodeIndex];
    if (st->start_time != AV_NOPTS_VALUE)
        x -= st->start_time;
    FPicture.PTS = ff::av_rescale_q(x, st->time_base, Micro);
    return true;
}

void TAVProbe::StorePicture(const AVFrame* AFrame, int64_t APosition)
{
    const AVPixelFormat format = AVPixelFormat(AFrame->format);
    const int n = ff::av_image_get_buffer_size(format, AFrame->width, AFrame->height, 1);
    if (n > FPicture.Size) {
        FPictureBuffer.reset(static_cast<uint8_t*>(ff::av_malloc(size_t(n))));
        FPicture.Buffer = FPictureBuffer.get();
        FPicture.Size = FPicture.Buffer ? n : 0;
    }
    FPicture.PixFmt = format;
    FPicture.Width = AFrame->width;
    FPicture.Height = AFrame->height;
    FPicture.IsKeyFrame = AFrame->key_frame == 1;
    FPicture.PictureType =
        AFrame->pict_type >= 0 && AFrame->pict_type <= 7 ? TPictureType(AFrame->pict_type) : ptUnknown;
    if (StoreTimes(AFrame))
        ff::av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", double(FPicture.PTS) / 1000000);
    GetFFLogger()->Log(this, llDebug,
                       Format("pkt.st_idx=%d, dts=%d, pts=%d, flags=%d, pict_type=%d", FPacketStream, FPacketDTS,
                              FPacketPTS, FPacketFlags, int(AFrame->pict_type)));
    FPicture.OriginalDTS = FPacketDTS;
    FPicture.OriginalPTS = FPacketPTS;
    FPicture.StreamIndex = FPacketStream;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.Position = APosition;
    if (!FPicture.Buffer)
        return;
    ff::av_image_fill_arrays(FPicture.Picture.data, FPicture.Picture.linesize, FPicture.Buffer, format,
                             AFrame->width, AFrame->height, 1);
    ff::av_image_copy(FPicture.Picture.data, FPicture.Picture.linesize, const_cast<const uint8_t**>(AFrame->data),
                      AFrame->linesize, format, AFrame->width, AFrame->height);
    FPicture.Ready = true;
}

int64_t TAVProbe::FrameStep(int AStreamIndex)
{
    AVRational rate = Handle()->streams[AStreamIndex]->r_frame_rate;
    return FrameDuration(&rate);
}

// The time the stepping operations step back from: the current picture's,
// else the previous one's, else the file's end or its start.
int64_t TAVProbe::ReferenceTime(bool AFromEnd)
{
    if (FPicture.PTS != AV_NOPTS_VALUE)
        return FPicture.PTS;
    if (FLastPTS != AV_NOPTS_VALUE)
        return FLastPTS;
    if (AFromEnd && Handle()->duration != AV_NOPTS_VALUE)
        return Handle()->duration;
    return 0;
}

bool TAVProbe::DecodeNextKeyFrame(int AStreamIndex)
{
    const int i = SelectDecodeStream(AStreamIndex);
    if (i < 0)
        return false;
    int64_t t = FrameStep(i);
    if (FPicture.PTS > 0)
        t += FPicture.PTS;
    if (Seek(t, TSeekFlags()))
        return Decode(i);
    return false;
}

bool TAVProbe::DecodePreviousFrame(int AStreamIndex)
{
    const int i = SelectDecodeStream(AStreamIndex);
    if (i < 0)
        return false;
    const int64_t d = FrameStep(i);
    const int64_t g = ReferenceTime(false) - 2 * d;
    if (!DecodePreviousKeyFrame(i))
        return false;
    while (FPicture.PTS <= g)
        if (!Decode(i))
            return false;
    return true;
}

bool TAVProbe::DecodePreviousKeyFrame(int AStreamIndex)
{
    const int i = SelectDecodeStream(AStreamIndex);
    if (i < 0)
        return false;
    const int64_t d = FrameStep(i);
    // With nothing decoded yet the search starts from the end of the file.
    const int64_t r = ReferenceTime(true);
    const char* const Failed = "Could not seek to the previous key-frame. ";
    // Whether a seek landed before the reference is judged by the time of
    // the picture decoded there, not by the byte position: demuxers that
    // seek lazily (MP4) leave the position where reading stopped until the
    // next read, which made every step look like a miss and the search run
    // back to the start of the file.
    for (int64_t h = 1;; ++h) {
        const int64_t back = h * d;
        Seek(r - back, TSeekFlags{sfBackward});
        if (Decode(i)) {
            if (FPicture.PTS < r || FPicture.PTS <= 0)
                return true;
            // Once the target is before the start, no earlier key frame is
            // left to find: stop instead of seeking to the same one forever.
            if (back > r) {
                FLastErrMsg = Failed + FLastErrMsg;
                return false;
            }
        } else if (back > r) {
            FLastErrMsg = Failed + FLastErrMsg;
            return false;
        }
    }
}

bool TAVProbe::CopyToBitmap(TFrameBitmap* ABitmap)
{
    if (!FPicture.Ready) {
        LogMessage(AV_LOG_ERROR, "picture not ready, please decode first");
        return false;
    }
    if (PictureToBitmap(FRGBContext, FPicture.Picture.data, FPicture.Picture.linesize, FPicture.PixFmt,
                        FPicture.Width, FPicture.Height)) {
        *ABitmap = *FRGBContext.Bitmap;
        return true;
    }
    // A new size leaves the bitmap black.
    ABitmap->SetSize(FPicture.Width, FPicture.Height);
    ff::av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}

} // namespace engine
