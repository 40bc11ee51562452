#pragma once
// The class library's byte streams: an abstract stream with position and
// size, a growable memory stream and a file stream. Read and write helpers
// raise EReadError / EWriteError with the library's texts when the whole
// buffer could not be moved.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/Exceptions.h"

namespace platform {

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Answer how many bytes were moved (0 at the end of the data).
    virtual int64_t Read(void* ABuffer, int64_t ACount) = 0;
    virtual int64_t Write(const void* ABuffer, int64_t ACount) = 0;
    virtual int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t APos) { Seek(APos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t ASize);

    void ReadBuffer(void* ABuffer, int64_t ACount);        // "Stream read error"
    void WriteBuffer(const void* ABuffer, int64_t ACount); // "Stream write error"
    // Copies ACount bytes from ASource (0: all of it from its start).
    int64_t CopyFrom(TStream& ASource, int64_t ACount);
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* ABuffer, int64_t ACount) override;
    int64_t Write(const void* ABuffer, int64_t ACount) override;
    int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
    int64_t Size() override { return int64_t(FData.size()); }
    void SetSize(int64_t ASize) override;
    void Clear();
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Data() const { return FData; }
    void LoadFromFile(const std::string& AFileName);
    void SaveToFile(const std::string& AFileName);
    void LoadFromStream(TStream& AStream);
    void SaveToStream(TStream& AStream);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

enum : uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00,
};

// Raises EFOpenError "Cannot open file \"<name>\". <reason>" or
// EFCreateError "Cannot create file \"<name>\". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const std::string& AFileName, uint16_t AMode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* ABuffer, int64_t ACount) override;
    int64_t Write(const void* ABuffer, int64_t ACount) override;
    int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
    void SetSize(int64_t ASize) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    int FHandle = -1;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

} // namespace platform
