#include "engine/converter/FFmpegOptionLines.h"

#include <cmath>
#include <ctime>

#include "platform/core/SysUtils.h"

namespace engine {

void TCodecDefaults::SetDefault(const std::string& AName, const std::string& AValue)
{
    if (!AValue.empty() && Default(AName).empty())
        FDefaults.push_back({"def_" + AName, AValue});
}

void TCodecDefaults::Collect(const TOutputOptions& AOptions)
{
    FDefaults.clear();
    FLines.clear();
    SetDefault("acodec", AOptions.AudioCodec);
    SetDefault("vcodec", AOptions.VideoCodec);
    SetDefault("scodec", AOptions.SubtitleCodec);
    SetDefault("apre", AOptions.AudioPreset);
    SetDefault("vpre", AOptions.VideoPreset);
    SetDefault("spre", AOptions.SubtitlePreset);
    SetDefault("s", AOptions.FrameSize);
    SetDefault("vf", AOptions.VideoFilters);
    static const char* const StreamNames[] = {"acodec", "vcodec", "scodec", "apre", "vpre",
                                              "spre", "s", "vfilters", "vf"};
    for (const TOptionLine& Line : ReadOptionLines(AOptions.ExtOptions)) {
        std::string Name = platform::LowerCase(Line.first);
        bool Known = false;
        for (const char* N : StreamNames)
            Known = Known || Name == N;
        if (!Known || Line.second.empty())
            continue;
        if (Name == "vfilters")
            Name = "vf";
        SetDefault(Name, Line.second);
        FLines.push_back({Name, Line.second});
    }
}

std::string TCodecDefaults::Default(const std::string& AName) const
{
    for (const TOptionLine& D : FDefaults)
        if (platform::SameText(D.first, "def_" + AName))
            return D.second;
    return std::string();
}

std::string TCodecDefaults::Next(const std::string& AName)
{
    for (auto It = FLines.begin(); It != FLines.end(); ++It)
        if (It->first == AName) {
            std::string Value = It->second;
            FLines.erase(It);
            return Value;
        }
    return Default(AName);
}

namespace {

// The zone's standard offset from UTC in days (no daylight saving), from
// January's and July's offsets: the smaller one is standard time.
double StandardOffsetDays()
{
    time_t Now = time(nullptr);
    struct tm Local;
    localtime_r(&Now, &Local);
    long Offsets[2];
    for (int I = 0; I < 2; ++I) {
        struct tm T = {};
        T.tm_year = Local.tm_year;
        T.tm_mon = I * 6;
        T.tm_mday = 1;
        T.tm_hour = 12;
        T.tm_isdst = -1;
        time_t When = mktime(&T);
        struct tm L;
        localtime_r(&When, &L);
        Offsets[I] = L.tm_gmtoff - (L.tm_isdst > 0 ? 3600 : 0);
    }
    return double(Offsets[0]) / 86400.0;
}

} // namespace

int64_t DateTimeToUnixTime(TDateTime AValue)
{
    return int64_t(std::nearbyint((AValue - 25569.0 - StandardOffsetDays()) * 86400.0));
}

TDateTime NowDateTime()
{
    struct timespec Ts;
    clock_gettime(CLOCK_REALTIME, &Ts);
    time_t Secs = Ts.tv_sec;
    struct tm Local;
    localtime_r(&Secs, &Local);
    const double LocalSecs = double(Secs + Local.tm_gmtoff) + Ts.tv_nsec / 1e9;
    return LocalSecs / 86400.0 + 25569.0;
}

} // namespace engine
