#include "platform/core/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/SysUtils.h"

namespace platform {

int64_t TStream::Size()
{
    int64_t Pos = Seek(0, soCurrent);
    int64_t Result = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return Result;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* ABuffer, int64_t ACount)
{
    if (ACount != 0 && Read(ABuffer, ACount) != ACount)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* ABuffer, int64_t ACount)
{
    if (ACount != 0 && Write(ABuffer, ACount) != ACount)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& ASource, int64_t ACount)
{
    if (ACount == 0) {
        ASource.SetPosition(0);
        ACount = ASource.Size();
    }
    std::vector<uint8_t> Buffer(size_t(std::min<int64_t>(ACount, 1 << 16)));
    int64_t Left = ACount;
    while (Left > 0) {
        int64_t N = std::min<int64_t>(Left, int64_t(Buffer.size()));
        ASource.ReadBuffer(Buffer.data(), N);
        WriteBuffer(Buffer.data(), N);
        Left -= N;
    }
    return ACount;
}

int64_t TMemoryStream::Read(void* ABuffer, int64_t ACount)
{
    if (ACount <= 0 || FPosition >= int64_t(FData.size()))
        return 0;
    int64_t N = std::min<int64_t>(ACount, int64_t(FData.size()) - FPosition);
    std::memcpy(ABuffer, FData.data() + FPosition, size_t(N));
    FPosition += N;
    return N;
}

int64_t TMemoryStream::Write(const void* ABuffer, int64_t ACount)
{
    if (ACount <= 0)
        return 0;
    if (FPosition + ACount > int64_t(FData.size()))
        FData.resize(size_t(FPosition + ACount));
    std::memcpy(FData.data() + FPosition, ABuffer, size_t(ACount));
    FPosition += ACount;
    return ACount;
}

int64_t TMemoryStream::Seek(int64_t AOffset, TSeekOrigin AOrigin)
{
    switch (AOrigin) {
    case soBeginning: FPosition = AOffset; break;
    case soCurrent: FPosition += AOffset; break;
    case soEnd: FPosition = int64_t(FData.size()) + AOffset; break;
    }
    FPosition = std::max<int64_t>(FPosition, 0);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t ASize)
{
    FData.resize(size_t(std::max<int64_t>(ASize, 0)));
    FPosition = std::min<int64_t>(FPosition, int64_t(FData.size()));
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& AStream)
{
    AStream.SetPosition(0);
    int64_t N = AStream.Size();
    SetSize(N);
    if (N != 0)
        AStream.ReadBuffer(FData.data(), N);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& AStream)
{
    AStream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TMemoryStream::LoadFromFile(const std::string& AFileName)
{
    TFileStream F(AFileName, fmOpenRead);
    LoadFromStream(F);
}

void TMemoryStream::SaveToFile(const std::string& AFileName)
{
    TFileStream F(AFileName, fmCreate);
    SaveToStream(F);
}

TFileStream::TFileStream(const std::string& AFileName, uint16_t AMode) : FFileName(AFileName)
{
    if (AMode == fmCreate) {
        FHandle = ::open(AFileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + AFileName + "\". " + SysErrorMessage(errno));
        return;
    }
    int Flags = (AMode & 3) == fmOpenWrite ? O_WRONLY : (AMode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = ::open(AFileName.c_str(), Flags | O_CLOEXEC);
    struct stat St {};
    if (FHandle >= 0 && ::fstat(FHandle, &St) == 0 && S_ISDIR(St.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        errno = EISDIR;
    }
    if (FHandle < 0)
        throw EFOpenError("Cannot open file \"" + AFileName + "\". " + SysErrorMessage(errno));
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

int64_t TFileStream::Read(void* ABuffer, int64_t ACount)
{
    int64_t Done = 0;
    while (Done < ACount) {
        ssize_t N = ::read(FHandle, static_cast<uint8_t*>(ABuffer) + Done, size_t(ACount - Done));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            break;
        Done += N;
    }
    return Done;
}

int64_t TFileStream::Write(const void* ABuffer, int64_t ACount)
{
    int64_t Done = 0;
    while (Done < ACount) {
        ssize_t N = ::write(FHandle, static_cast<const uint8_t*>(ABuffer) + Done, size_t(ACount - Done));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            break;
        Done += N;
    }
    return Done;
}

int64_t TFileStream::Seek(int64_t AOffset, TSeekOrigin AOrigin)
{
    int Whence = AOrigin == soBeginning ? SEEK_SET : AOrigin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t R = ::lseek(FHandle, off_t(AOffset), Whence);
    return R < 0 ? -1 : int64_t(R);
}

void TFileStream::SetSize(int64_t ASize)
{
    if (::ftruncate(FHandle, off_t(ASize)) != 0)
        throw EStreamError("Stream write error");
    if (Position() > ASize)
        Seek(ASize, soBeginning);
}

} // namespace platform
