#include "engine/loader/UnicodeProtocol.h"

#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/CodePage.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {
namespace {

constexpr const char* UnicodePrefix = "unicode:utf8:";
constexpr size_t UnicodePrefixLength = 13;
// Names that FileNameToURL leaves in the code page whatever they hold.
constexpr const char* PassedProtocols = ":unicode:stream:gopher:http:pipe:rtp:tcp:udp:";
constexpr int IOBufferSize = 32768;
// How long an opened pipe waits for its writer before it counts as empty.
constexpr int PipeWriterWaitMs = 5000;

bool IsValidUtf8(const std::string& S)
{
    for (size_t i = 0; i < S.size();) {
        const unsigned char c = (unsigned char)S[i];
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > S.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if (((unsigned char)S[i + k] >> 6) != 0x2)
                return false;
        i += n;
    }
    return true;
}

// The file name of a unicode URL: the text after its second colon. An
// invalid UTF-8 text gives an empty name, which no file has.
std::string UnicodeURLFileName(const std::string& AURL)
{
    if (!IsValidUtf8(AURL))
        return std::string();
    const size_t first = AURL.find(':');
    const size_t second = first == std::string::npos ? first : AURL.find(':', first + 1);
    return second == std::string::npos ? std::string() : AURL.substr(second + 1);
}

struct TLocalFile {
    int Fd = -1;
};

int LocalRead(void* AOpaque, uint8_t* ABuf, int ASize)
{
    const ssize_t n = ::read(static_cast<TLocalFile*>(AOpaque)->Fd, ABuf, size_t(ASize));
    if (n < 0)
        return AVERROR(errno);
    return n == 0 ? AVERROR_EOF : int(n);
}

int LocalWrite(void* AOpaque, uint8_t* ABuf, int ASize)
{
    const int fd = static_cast<TLocalFile*>(AOpaque)->Fd;
    int done = 0;
    while (done < ASize) {
        const ssize_t n = ::write(fd, ABuf + done, size_t(ASize - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return AVERROR(n < 0 ? errno : EIO);
        done += int(n);
    }
    return done;
}

int64_t LocalSeek(void* AOpaque, int64_t APos, int AWhence)
{
    const int fd = static_cast<TLocalFile*>(AOpaque)->Fd;
    if (AWhence & AVSEEK_SIZE) {
        struct stat st {};
        return ::fstat(fd, &st) == 0 ? int64_t(st.st_size) : AVERROR(errno);
    }
    const off_t r = ::lseek(fd, off_t(APos), AWhence & ~AVSEEK_FORCE);
    return r < 0 ? AVERROR(errno) : int64_t(r);
}

bool IsLocalFileContext(const AVIOContext* APb)
{
    return APb && APb->read_packet == LocalRead;
}

// Every further file a format context opens by itself (the pieces of a
// playlist, numbered pictures) is a local file as well: its URL is read as
// a file name and never reaches a protocol.
int LocalIOOpen(AVFormatContext*, AVIOContext** APb, const char* AURL, int AFlags, AVDictionary**)
{
    return OpenURL(APb, AURL ? AURL : "", AFlags);
}

int LocalIOClose(AVFormatContext*, AVIOContext* APb)
{
    return CloseURL(&APb);
}

} // namespace

int OpenFileIO(AVIOContext** APb, const std::string& AFileName, int AFlags)
{
    *APb = nullptr;
    if (AFileName.empty())
        return AVERROR(ENOENT);
    int mode = O_RDONLY;
    if ((AFlags & AVIO_FLAG_READ_WRITE) == AVIO_FLAG_READ_WRITE)
        mode = O_RDWR | O_CREAT | O_TRUNC;
    else if (AFlags & AVIO_FLAG_WRITE)
        mode = O_WRONLY | O_CREAT | O_TRUNC;
    // Not blocking while opening: a pipe without its other end would hold
    // the caller (the GUI thread, for a probe) for ever.
    const int fd = ::open(AFileName.c_str(), mode | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return AVERROR(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return AVERROR(error);
    }
    // A pipe read before its writer came would read its end at once: give
    // the writer a moment to come, without waiting for it for ever.
    if (S_ISFIFO(st.st_mode) && !(AFlags & AVIO_FLAG_WRITE)) {
        pollfd writer{fd, POLLIN, 0};
        if (::poll(&writer, 1, PipeWriterWaitMs) <= 0) {
            ::close(fd);
            return AVERROR(ETIMEDOUT);
        }
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int r = OpenDescriptorIO(APb, fd, (AFlags & AVIO_FLAG_WRITE) != 0);
    if (r < 0)
        ::close(fd);
    return r;
}

int OpenDescriptorIO(AVIOContext** APb, int AFd, bool AWrite)
{
    auto* buffer = static_cast<unsigned char*>(ff::av_malloc(IOBufferSize));
    auto* file = new TLocalFile{AFd};
    *APb = buffer ? ff::avio_alloc_context(buffer, IOBufferSize, AWrite ? 1 : 0, file, LocalRead, LocalWrite,
                                           LocalSeek)
                  : nullptr;
    if (*APb)
        return 0;
    ff::av_free(buffer);
    delete file;
    return AVERROR(ENOMEM);
}

void KeepToLocalFiles(AVFormatContext* ACtx)
{
    ACtx->io_open = LocalIOOpen;
    ACtx->io_close2 = LocalIOClose;
}

bool NeedsUnicodeProtocol(const std::string& AFileName)
{
    const size_t colon = AFileName.find(':');
    if (colon != std::string::npos &&
        std::string(PassedProtocols).find(":" + AFileName.substr(0, colon) + ":") != std::string::npos)
        return false;
    return !platform::FitsAnsiCodePage(AFileName);
}

bool IsUnicodeURL(const std::string& AURL)
{
    return AURL.size() > UnicodePrefixLength && AURL.compare(0, UnicodePrefixLength, UnicodePrefix) == 0;
}

std::string FileNameToURL(const std::string& AFileName)
{
    if (NeedsUnicodeProtocol(AFileName))
        return UnicodePrefix + AFileName;
    return platform::Utf8ToAnsi(AFileName);
}

void URLToFileName(const std::string& AURL, std::string& AFileName)
{
    AFileName = IsUnicodeURL(AURL) ? UnicodeURLFileName(AURL) : platform::AnsiToUtf8(AURL);
}

std::string URLToFileName(const std::string& AURL)
{
    std::string name;
    URLToFileName(AURL, name);
    return name;
}

int OpenURL(AVIOContext** APb, const std::string& AURL, int AFlags)
{
    // A unicode URL that is no valid UTF-8 names no file.
    const int r = OpenFileIO(APb, URLToFileName(AURL), AFlags);
    return r < 0 && IsUnicodeURL(AURL) ? AVERROR(ENOENT) : r;
}

int CloseURL(AVIOContext** APb)
{
    AVIOContext* pb = *APb;
    if (!pb)
        return 0;
    // The last buffered bytes are written here; a write that failed now or
    // earlier is this close's failure.
    if (pb->write_flag)
        ff::avio_flush(pb);
    int error = pb->write_flag ? pb->error : 0;
    if (!IsLocalFileContext(pb)) {
        const int closed = ff::avio_closep(APb);
        return error < 0 ? error : closed;
    }
    auto* file = static_cast<TLocalFile*>(pb->opaque);
    if (file->Fd >= 0 && ::close(file->Fd) != 0 && error >= 0)
        error = AVERROR(errno);
    delete file;
    ff::av_freep(&pb->buffer); // avio may have replaced the buffer it was given
    ff::avio_context_free(APb);
    return error < 0 ? error : 0;
}

int OpenInputURL(AVFormatContext** ACtx, const std::string& AURL, const AVInputFormat* AFormat,
                 AVDictionary** AOptions)
{
    AVIOContext* pb = nullptr;
    int r = OpenURL(&pb, AURL, AVIO_FLAG_READ);
    if (r < 0) {
        if (*ACtx)
            ff::avformat_free_context(*ACtx);
        *ACtx = nullptr;
        return r;
    }
    if (!*ACtx)
        *ACtx = ff::avformat_alloc_context();
    if (!*ACtx) {
        CloseURL(&pb);
        return AVERROR(ENOMEM);
    }
    (*ACtx)->pb = pb;
    (*ACtx)->flags |= AVFMT_FLAG_CUSTOM_IO;
    KeepToLocalFiles(*ACtx);
    // On failure FFmpeg frees the format context but leaves a custom I/O
    // context to its owner.
    r = ff::avformat_open_input(ACtx, AURL.c_str(), AFormat, AOptions);
    if (r < 0)
        CloseURL(&pb);
    return r;
}

void CloseInputURL(AVFormatContext** ACtx)
{
    if (!*ACtx)
        return;
    AVIOContext* pb = IsLocalFileContext((*ACtx)->pb) ? (*ACtx)->pb : nullptr;
    ff::avformat_close_input(ACtx);
    if (pb)
        CloseURL(&pb);
}

} // namespace engine
