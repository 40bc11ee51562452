#pragma once
// The media probe: file and stream facts of a media file, a readable report,
// and (TAVProbe) frame access on its video streams: seeking, decoding
// forwards and backwards, key frames, and copying a picture into a bitmap.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/base/FFBaseComponent.h"
#include "engine/base/FFHeaders.h"
#include "engine/loader/FFUtils.h"
#include "engine/loader/UnicodeProtocol.h"

namespace engine {

// -1 in a numeric field: the value is missing.
struct TFileStreamInfo {
    int64_t StartTime = -1;
    int64_t Duration = -1;
    int BitRate = -1;
    int64_t TimeStamp = -1;
    int Year = -1;
    int Track = -1;
    std::string Title, Author, Copyright, Comment, Album, Genre;
};

// The fields audio and video records share, in their order.
struct TMediaStreamInfo {
    std::string Language;
    std::string CodecName;
    int64_t StartTime = -1;       // stream time base
    int64_t StartTimeScaled = -1; // microseconds
    int64_t Duration = -1;
    int64_t DurationScaled = -1;
    int BitRate = -1;
};

struct TAudioStreamInfo : TMediaStreamInfo {
    int Channels = -1;
    int SampleRate = -1;
    AVSampleFormat SampleFormat = AVSampleFormat(-1);
};

struct TVideoStreamInfo : TMediaStreamInfo {
    int Height = -1;
    int Width = -1;
    float AspectRatio = -1.0f;
    AVPixelFormat PixFmt = AVPixelFormat(-1);
    AVRational FrameRate{-1, -1};
};

struct TSubtitleStreamInfo {
    std::string Language;
    std::string CodecName;
};

// Information about a media file. Opens the file itself (LoadFile) or
// borrows a context somebody else opened (SetFileHandle); never decodes.
// Failures go to the logger and LastErrMsg and give False, -1, an empty
// text or a record of -1 values; only missing libraries raise.
class TCustomAVProbe : public TFFBaseComponent {
public:
    explicit TCustomAVProbe(platform::TComponent* AOwner);
    ~TCustomAVProbe() override;

    bool LoadAVLib(const std::string& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    bool LoadFile(const std::string& AFileName, const std::string& AFormatName = "");
    virtual void CloseFile();

    AVFormatContext* FileHandle() { return Context(); }
    // Adopts a context opened by somebody else, without owning it; nil closes.
    virtual void SetFileHandle(AVFormatContext* Value);

    // The owner of a context calls this right before closing it: every probe
    // that borrowed the context lets go and answers "file not loaded."
    // from then on instead of reading freed memory.
    static void FormatContextClosing(AVFormatContext* AContext);

    std::string FileName();
    int64_t FileSize();
    const std::string& ForceFormat() const { return FForceFormat; }
    std::string FormatName();
    std::string FormatLongName();
    int StreamCount();
    int ProgramCount();
    int AudioStreamCount();
    int VideoStreamCount();
    int SubtitleStreamCount();
    int FirstAudioStreamIndex();
    int FirstVideoStreamIndex();
    int FirstSubtitleStreamIndex();

    bool IsAudioStream(int AStreamIndex);
    bool IsVideoStream(int AStreamIndex);
    bool IsSubtitleStream(int AStreamIndex);

    TAudioStreamInfo GetAudioStreamInfo(int AStreamIndex);
    TVideoStreamInfo GetVideoStreamInfo(int AStreamIndex);
    TSubtitleStreamInfo GetSubtitleStreamInfo(int AStreamIndex);
    TAudioStreamInfo FirstAudioStreamInfo() { return GetAudioStreamInfo(-1); }
    TVideoStreamInfo FirstVideoStreamInfo() { return GetVideoStreamInfo(-1); }
    TSubtitleStreamInfo FirstSubtitleStreamInfo() { return GetSubtitleStreamInfo(-1); }

    TFileStreamInfo GetFileStreamInfo();
    TFileStreamInfo FileStreamInfo() { return GetFileStreamInfo(); }
    std::string GetFileInfoText();
    std::string FileInfoText() { return GetFileInfoText(); }

    const std::string& LastErrMsg() const { return FLastErrMsg; }

protected:
    virtual void UpdateFileInfo();
    // Level is an FFmpeg log level (16 error, 24 warning, 32 info, 48 debug).
    void LogMessage(int ALevel, const std::string& AMessage);
    void CheckLibrariesLoaded() const;
    // The held context, or nil; a context its owner has closed is dropped here.
    AVFormatContext* Context();
    bool OwnsHandle() const { return FOwnHandle; }
    // The held context as it stands, for steps that checked it already.
    AVFormatContext* Handle() const { return FFileHandle; }

    std::string FLastErrMsg;

private:
    enum class TStreamKind { Audio, Video, Subtitle };
    bool IsStreamOfKind(int AStreamIndex, AVMediaType AType);
    AVStream* StreamForRecord(int AStreamIndex, TStreamKind AKind);
    void DropLostHandle();
    void Borrow(AVFormatContext* AContext);
    void StopBorrowing();
    void ReleaseContext();

    // Report (AVProbe_Report.cpp)
    void AddMetadataBlock(platform::TStringList& ALines, AVDictionary* AMetadata, const std::string& APrefix);
    void AddStreamLine(platform::TStringList& ALines, unsigned AIndex);

    AVFormatContext* FFileHandle = nullptr;
    bool FOwnHandle = false;
    std::string FForceFormat;
    int64_t FFileSize = -1;
    int FStreamCount = -1;
    int FProgramCount = -1;
    int FAudioStreamCount = -1;
    int FVideoStreamCount = -1;
    int FSubtitleStreamCount = -1;
    int FFirstAudioStreamIndex = -1;
    int FFirstVideoStreamIndex = -1;
    int FFirstSubtitleStreamIndex = -1;
    std::atomic<bool> FHandleLost{false};
};

struct TFrameInfo {
    AVPixelFormat PixFmt = AVPixelFormat(-1);
    int Width = -1;
    int Height = -1;
    bool IsKeyFrame = false;
    TPictureType PictureType = ptUnknown;
    int64_t PTS = AV_NOPTS_VALUE;
    int64_t OriginalDTS = AV_NOPTS_VALUE;
    int64_t OriginalPTS = AV_NOPTS_VALUE;
    int StreamIndex = -1;
    int64_t Position = -1;
    bool Ready = false;
    TAVPicture Picture{};
    uint8_t* Buffer = nullptr;
    int Size = 0;
};

// Owners of the FFmpeg objects behind a probe's frame access.
struct TDecoderClose {
    void operator()(AVCodecContext* AContext) const; // under the codec lock
};
struct TFrameFree {
    void operator()(AVFrame* AFrame) const;
};
struct TPacketFree {
    void operator()(AVPacket* APacket) const;
};
struct TAVMemFree {
    void operator()(uint8_t* ABuffer) const;
};

// The probe every owner creates: adds frame access on a file it opened itself.
class TAVProbe : public TCustomAVProbe {
public:
    explicit TAVProbe(platform::TComponent* AOwner);
    ~TAVProbe() override;

    void CloseFile() override;

    bool Seek(int64_t APTS, TSeekFlags ASeekFlags);
    bool Decode(int AStreamIndex = -1);
    bool DecodeNextKeyFrame(int AStreamIndex = -1);
    bool DecodePreviousFrame(int AStreamIndex = -1);
    bool DecodePreviousKeyFrame(int AStreamIndex = -1);
    bool CopyToBitmap(TFrameBitmap* ABitmap);

    // EOF is the C library's macro, hence the spelling.
    bool Eof() const { return FEOF; }
    const TFrameInfo& FrameInfo() const { return FPicture; }
    int64_t GetPosition();
    int64_t Position() { return GetPosition(); }

protected:
    void UpdateFileInfo() override;

private:
    void ResetPicture();
    bool CheckOwnHandle();
    bool CanSeek();
    int SelectDecodeStream(int AStreamIndex);
    AVCodecContext* OpenDecoder(int AStreamIndex);
    void CloseDecoder();
    int ReceivePicture(int AStreamIndex, int64_t APosition);
    void StorePicture(const AVFrame* AFrame, int64_t APosition);
    bool StoreTimes(const AVFrame* AFrame);
    int64_t FrameStep(int AStreamIndex);
    int64_t ReferenceTime(bool AFromEnd);
    int64_t IOPosition();
    bool IsImage2();

    std::unique_ptr<AVCodecContext, TDecoderClose> FCodec;
    int FCodecStream = -1;
    TRGBConvertContext FRGBContext{};
    int FSeekIndex = -1;
    int64_t FStartTime = -1;
    int FDecodeIndex = -1;
    bool FEOF = false;
    bool FDraining = false;
    TFrameInfo FPicture;
    int64_t FLastPTS = AV_NOPTS_VALUE;
    int64_t FLastPos = -1;
    // FPicture.Buffer is this buffer.
    std::unique_ptr<uint8_t, TAVMemFree> FPictureBuffer;
    std::unique_ptr<AVFrame, TFrameFree> FFrame;
    std::unique_ptr<AVPacket, TPacketFree> FPacket;
    // The packet last handed to the decoder: the one that completes a picture.
    int64_t FPacketDTS = AV_NOPTS_VALUE;
    int64_t FPacketPTS = AV_NOPTS_VALUE;
    int FPacketStream = -1;
    int FPacketFlags = 0;
};

} // namespace engine
