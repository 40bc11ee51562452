#include "engine/converter/FFmpegOptionLines.h"

#include <cmath>
#include <ctime>

#include "platform/core/SysUtils.h"

namespace engine {

std::vector<TOptionNameValue> SplitOptionLines(const std::string& AText)
{
    std::string Text = platform::Trim(AText);
    std::string Joined;
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r') {
            Joined += '\n';
            if (I + 1 < Text.size() && Text[I + 1] == '\n')
                ++I;
        } else if (Text.compare(I, 6, "<CRLF>") == 0) {
            Joined += '\n';
            I += 5;
        } else {
            Joined += Text[I];
        }
    }
    std::vector<TOptionNameValue> Lines;
    if (Joined.empty())
        return Lines;
    size_t Start = 0;
    while (true) {
        size_t End = Joined.find('\n', Start);
        std::string Line = Joined.substr(Start, End == std::string::npos ? std::string::npos : End - Start);
        size_t Eq = Line.find('=');
        if (Eq == std::string::npos)
            Lines.push_back({Line, std::string()});
        else
            Lines.push_back({Line.substr(0, Eq), Line.substr(Eq + 1)});
        if (End == std::string::npos)
            break;
        Start = End + 1;
    }
    return Lines;
}

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
    for (const TOptionNameValue& Line : SplitOptionLines(AOptions.ExtOptions)) {
        std::string Name = platform::LowerCase(Line.Name);
        bool Known = false;
        for (const char* N : StreamNames)
            Known = Known || Name == N;
        if (!Known || Line.Value.empty())
            continue;
        if (Name == "vfilters")
            Name = "vf";
        SetDefault(Name, Line.Value);
        FLines.push_back({Name, Line.Value});
    }
}

std::string TCodecDefaults::Default(const std::string& AName) const
{
    for (const TOptionNameValue& D : FDefaults)
        if (platform::SameText(D.Name, "def_" + AName))
            return D.Value;
    return std::string();
}

std::string TCodecDefaults::Next(const std::string& AName)
{
    for (auto It = FLines.begin(); It != FLines.end(); ++It)
        if (It->Name == AName) {
            std::string Value = It->Value;
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
