#include "skin/core/bszlibcompress.h"

#include <algorithm>
#include <climits>
#include <exception>

namespace skin {

namespace {

using platform::soBeginning;
using platform::soCurrent;

constexpr int LevelValues[] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
const char* const InvalidOperation = "Invalid stream operation";

// zlib counts in unsigned int; larger requests are served in pieces.
uInt Piece(int64_t ALeft)
{
    return uInt(std::min<int64_t>(ALeft, UINT_MAX));
}

} // namespace

int CheckDeflateResult(int ACode)
{
    if (ACode < 0)
        throw ECompressionError("error");
    return ACode;
}

int CheckInflateResult(int ACode)
{
    if (ACode < 0)
        throw EDecompressionError("compression error");
    return ACode;
}

TCustomZlibStream::TCustomZlibStream(platform::TStream& AStrm) : FStrm(AStrm), FStrmPos(AStrm.Position()) {}

void TCustomZlibStream::Progress(platform::TObject* ASender)
{
    if (OnProgress)
        OnProgress(ASender);
}

// ---------------------------------------------------------------- deflate

TCompressionStream::TCompressionStream(TCompressionLevel ACompressionLevel, platform::TStream& ADest)
    : TCustomZlibStream(ADest)
{
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    CheckDeflateResult(deflateInit(&FZRec, LevelValues[ACompressionLevel]));
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (const std::exception&) {
        // Only a caller that did not finish gets here; it asked for no error.
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::FlushBuffer(int64_t ACount)
{
    FStrm.WriteBuffer(FBuffer, ACount);
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    FStrmPos = FStrm.Position();
}

int64_t TCompressionStream::Read(void*, int64_t)
{
    throw ECompressionError(InvalidOperation);
}

int64_t TCompressionStream::Write(const void* ABuffer, int64_t ACount)
{
    if (FFinished)
        throw ECompressionError(InvalidOperation);
    auto* next = static_cast<const uint8_t*>(ABuffer);
    int64_t left = std::max<int64_t>(ACount, 0);
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
    while (left > 0) {
        FZRec.next_in = const_cast<Bytef*>(next);
        FZRec.avail_in = Piece(left);
        const uInt given = FZRec.avail_in;
        while (FZRec.avail_in > 0) {
            CheckDeflateResult(deflate(&FZRec, Z_NO_FLUSH));
            if (FZRec.avail_out == 0) {
                FlushBuffer(BufferSize);
                Progress(this);
            }
        }
        next += given;
        left -= given;
    }
    return ACount;
}

int64_t TCompressionStream::Seek(int64_t AOffset, platform::TSeekOrigin AOrigin)
{
    if (AOffset == 0 && AOrigin == soCurrent)
        return int64_t(FZRec.total_in);
    throw ECompressionError(InvalidOperation);
}

void TCompressionStream::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
    while (CheckDeflateResult(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0)
        FlushBuffer(BufferSize);
    if (FZRec.avail_out < uInt(BufferSize))
        FlushBuffer(BufferSize - FZRec.avail_out);
}

float TCompressionStream::CompressionRate() const
{
    if (FZRec.total_in == 0)
        return 0;
    return float((1.0 - double(FZRec.total_out) / double(FZRec.total_in)) * 100.0);
}

// ---------------------------------------------------------------- inflate

TDecompressionStream::TDecompressionStream(platform::TStream& ASource) : TCustomZlibStream(ASource)
{
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    CheckInflateResult(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FZRec);
}

int64_t TDecompressionStream::Read(void* ABuffer, int64_t ACount)
{
    auto* next = static_cast<uint8_t*>(ABuffer);
    int64_t left = std::max<int64_t>(ACount, 0);
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
    while (left > 0 && !FEnded) {
        if (FZRec.avail_in == 0) {
            const int64_t got = FStrm.Read(FBuffer, BufferSize);
            if (got <= 0)
                break;
            FZRec.next_in = FBuffer;
            FZRec.avail_in = uInt(got);
            FStrmPos = FStrm.Position();
            Progress(this);
        }
        FZRec.next_out = next;
        FZRec.avail_out = Piece(left);
        const uInt room = FZRec.avail_out;
        const int result = CheckInflateResult(inflate(&FZRec, Z_NO_FLUSH));
        // A stream that needs a preset dictionary is not one we wrote.
        if (result == Z_NEED_DICT)
            throw EDecompressionError("compression error");
        FEnded = result == Z_STREAM_END;
        next += room - FZRec.avail_out;
        left -= room - FZRec.avail_out;
    }
    return ACount - left;
}

int64_t TDecompressionStream::Write(const void*, int64_t)
{
    throw EDecompressionError(InvalidOperation);
}

int64_t TDecompressionStream::Seek(int64_t AOffset, platform::TSeekOrigin AOrigin)
{
    if (AOffset == 0 && AOrigin == soBeginning) {
        CheckInflateResult(inflateReset(&FZRec));
        FZRec.next_in = FBuffer;
        FZRec.avail_in = 0;
        FEnded = false;
        FStrm.SetPosition(0);
        FStrmPos = 0;
        return 0;
    }
    int64_t skip;
    if (AOffset >= 0 && AOrigin == soCurrent)
        skip = AOffset;
    else if (AOrigin == soBeginning && AOffset >= int64_t(FZRec.total_out))
        skip = AOffset - int64_t(FZRec.total_out);
    else
        throw EDecompressionError(InvalidOperation);
    uint8_t discard[BufferSize];
    while (skip > 0) {
        const int64_t got = Read(discard, std::min<int64_t>(skip, BufferSize));
        if (got <= 0)
            break;
        skip -= got;
    }
    return int64_t(FZRec.total_out);
}

// ---------------------------------------------------------------- routines

void DeflateMemoryStream(platform::TMemoryStream& ASource, platform::TMemoryStream& ADest)
{
    TCompressionStream compressor(clMax, ADest);
    compressor.WriteBuffer(ASource.Memory(), ASource.Size());
    compressor.Finish();
}

void InflateToStream(platform::TStream& ADest, platform::TMemoryStream& ASource, int64_t AMaxSize)
{
    ASource.SetPosition(0);
    TDecompressionStream inflater(ASource);
    uint8_t piece[4096];
    int64_t total = 0;
    for (int64_t got; (got = inflater.Read(piece, sizeof(piece))) > 0;) {
        total += got;
        if (total > AMaxSize)
            throw EDecompressionError("compressed data inflates to more than " + std::to_string(AMaxSize) +
                                      " bytes");
        ADest.WriteBuffer(piece, got);
    }
    if (!inflater.Ended())
        throw EDecompressionError("compressed data ends before the end of its zlib stream");
}

} // namespace skin
