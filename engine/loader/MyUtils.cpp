#include "engine/loader/MyUtils.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"

#include <cmath>
#include <dlfcn.h>
#include <ctime>

namespace engine {
namespace {

constexpr double UnixEpochDays = 25569.0; // 1970-01-01 in days since 1899-12-30
constexpr double SecondsPerDay = 86400.0;

void* BindExport(const char* AKind, const TPathFileName& ALibName, platform::TLibHandle AHandle,
                 const char* AName, bool AOptional)
{
    std::string error;
    void* p = platform::GetProcAddress(AHandle, AName, &error);
    if (!p && !AOptional)
        throw platform::Exception(platform::Format("Load %s %s@%s error: %s", AKind, AName, ALibName, error));
    return p;
}

} // namespace

platform::TLibHandle LoadLibraryWithPath(const TPathFileName& ADir, const TPathFileName& AFileName,
                                         std::string& AErrorText)
{
    // dlopen searches neither the current folder nor PATH for the libraries
    // a library imports; the loader loads the folder's libraries in
    // dependency order instead, so nothing process-wide is changed here.
    std::string path = AFileName;
    if (!ADir.empty()) {
        const std::string full = platform::IncludeTrailingPathDelimiter(ADir) + AFileName;
        if (platform::FileExists(full))
            path = full;
    }
    platform::TLibHandle h = platform::LoadLibrary(path, &AErrorText);
    if (h) {
        // The media libraries keep allocations and exit handlers that point
        // into their images; unmapping them on unload would leave those
        // dangling. Unloading unbinds and releases the handle, and the image
        // stays mapped for a later load.
        if (void* pin = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(pin);
    }
    return h;
}

void* BindExportFunction(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional)
{
    return BindExport("function", ALibName, AHandle, AName, AOptional);
}

void* BindExportVariable(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional)
{
    return BindExport("variable", ALibName, AHandle, AName, AOptional);
}

void GetExeFileName(TPathFileName& AFileName)
{
    AFileName = platform::GetExeFileName();
}

void GetExePath(TPathFileName& APath)
{
    APath = platform::ExtractFilePath(platform::GetExeFileName());
}

int64_t FileSizeByName(const TPathFileName& AFileName)
{
    return platform::FileSizeByName(AFileName);
}

void SplitAtDelimiter(std::string& S, const std::string& ADelim, bool ARemove, std::string& AHead)
{
    const size_t p = ADelim.empty() ? std::string::npos : S.find(ADelim);
    if (p == std::string::npos) {
        AHead = S;
        if (ARemove)
            S.clear();
        return;
    }
    AHead = S.substr(0, p);
    if (ARemove)
        S.erase(0, p + ADelim.size());
}

std::string FormatByteSize(int64_t ASize)
{
    constexpr int64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
    if (ASize > GB)
        return platform::Format("%.2f GB", double(ASize) / double(GB));
    if (ASize > MB)
        return platform::Format("%.2f MB", double(ASize) / double(MB));
    if (ASize > KB)
        return platform::Format("%.2f KB", double(ASize) / double(KB));
    return platform::Format("%d Byte", ASize);
}

double TimeZoneBiasDays(int64_t ASeconds)
{
    const time_t t = time_t(ASeconds);
    struct tm local {};
    localtime_r(&t, &local);
    return double(local.tm_gmtoff) / SecondsPerDay;
}

TDateTime UnixTimeToLocalDateTime(int64_t ASeconds)
{
    return double(ASeconds) / SecondsPerDay + UnixEpochDays + TimeZoneBiasDays(ASeconds);
}

int64_t LocalDateTimeToUnixTime(TDateTime AValue)
{
    // The offset belongs to the instant, which is unknown until the offset
    // is known: start from the offset at the local reading taken as
    // universal, then correct once with the offset at the estimate.
    const double localSeconds = (AValue - UnixEpochDays) * SecondsPerDay;
    const int64_t guess = int64_t(std::llround(localSeconds));
    int64_t utc = guess - int64_t(std::llround(TimeZoneBiasDays(guess) * SecondsPerDay));
    utc = guess - int64_t(std::llround(TimeZoneBiasDays(utc) * SecondsPerDay));
    return utc;
}

std::string DateTimeText(const std::string& APattern, TDateTime AValue)
{
    // The date-time value counts local days; read it back as a calendar
    // through the universal-time calendar, which has no offsets.
    const double seconds = (AValue - UnixEpochDays) * SecondsPerDay;
    const int64_t millis = int64_t(std::llround(seconds * 1000.0));
    const time_t whole = time_t(millis >= 0 ? millis / 1000 : (millis - 999) / 1000);
    const int ms = int(millis - int64_t(whole) * 1000);
    struct tm c {};
    gmtime_r(&whole, &c);
    struct TToken {
        const char* Text;
        int Value;
        int Digits;
    };
    const TToken tokens[] = {
        {"yyyy", c.tm_year + 1900, 4}, {"yy", (c.tm_year + 1900) % 100, 2}, {"mm", c.tm_mon + 1, 2},
        {"m", c.tm_mon + 1, 1},        {"dd", c.tm_mday, 2},                {"d", c.tm_mday, 1},
        {"hh", c.tm_hour, 2},          {"h", c.tm_hour, 1},                 {"nn", c.tm_min, 2},
        {"n", c.tm_min, 1},            {"ss", c.tm_sec, 2},                 {"s", c.tm_sec, 1},
        {"zzz", ms, 3},
    };
    std::string out;
    for (size_t i = 0; i < APattern.size();) {
        const TToken* hit = nullptr;
        for (const TToken& t : tokens)
            if (APattern.compare(i, std::char_traits<char>::length(t.Text), t.Text) == 0) {
                hit = &t;
                break;
            }
        if (!hit) {
            out += APattern[i++];
            continue;
        }
        out += platform::FormatC("%0*d", hit->Digits, hit->Value);
        i += std::char_traits<char>::length(hit->Text);
    }
    return out;
}

void CallInMainThread(const std::function<void()>& AMethod)
{
    platform::Synchronize(AMethod);
}

bool ProcessOneMessage()
{
    return platform::ProcessOneMessage();
}

void PumpMessages()
{
    platform::PumpMessages();
}

} // namespace engine
