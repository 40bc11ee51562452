#pragma once
// zlib streams: a write-only stream that deflates into another stream and a
// read-only stream that inflates from one, with the routines the compressed
// skins are built from. Both move data through a fixed buffer of their own.

#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <zlib.h>

#include <cstdint>

namespace skin {

class EZlibError : public platform::Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

enum TCompressionLevel { clNone, clFastest, clDefault, clMax };

// Pass zlib's result through; a negative one raises ECompressionError
// "error" / EDecompressionError "compression error".
int CheckDeflateResult(int ACode);
int CheckInflateResult(int ACode);

class TCustomZlibStream : public platform::TStream {
public:
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;
    platform::TNotifyEvent OnProgress;

protected:
    explicit TCustomZlibStream(platform::TStream& AStrm);
    virtual void Progress(platform::TObject* ASender);

    static constexpr int BufferSize = 8192;
    platform::TStream& FStrm;
    int64_t FStrmPos;
    z_stream FZRec{};
    uint8_t FBuffer[BufferSize];
};

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel ACompressionLevel, platform::TStream& ADest);
    // Finishes the zlib data when Finish was not called (errors are lost then).
    ~TCompressionStream() override;

    int64_t Read(void* ABuffer, int64_t ACount) override;   // raises ECompressionError
    int64_t Write(const void* ABuffer, int64_t ACount) override;
    // Only Seek(0, soCurrent): the bytes taken so far.
    int64_t Seek(int64_t AOffset, platform::TSeekOrigin AOrigin) override;
    // Writes the end of the zlib data; raises ECompressionError on failure.
    void Finish();
    float CompressionRate() const;

private:
    void FlushBuffer(int64_t ACount);
    bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(platform::TStream& ASource);
    ~TDecompressionStream() override;

    // Stops at the end of the zlib data; bytes after it are never read as data.
    int64_t Read(void* ABuffer, int64_t ACount) override;
    int64_t Write(const void* ABuffer, int64_t ACount) override;   // raises EDecompressionError
    int64_t Seek(int64_t AOffset, platform::TSeekOrigin AOrigin) override;
    // True once the whole zlib data was inflated (its checksum included).
    bool Ended() const { return FEnded; }

private:
    bool FEnded = false;
};

// Compresses the whole of ASource at level 9 into ADest at its position.
void DeflateMemoryStream(platform::TMemoryStream& ASource, platform::TMemoryStream& ADest);

// Largest payload a compressed skin may inflate to; guards against data
// that would inflate without end.
constexpr int64_t MaxInflatedSize = int64_t(128) << 20;

// Inflates all of ASource (from its start) into ADest. Raises
// EDecompressionError when the data is corrupt, ends before the end of the
// zlib data, or inflates to more than AMaxSize bytes.
void InflateToStream(platform::TStream& ADest, platform::TMemoryStream& ASource,
                     int64_t AMaxSize = MaxInflatedSize);

} // namespace skin
