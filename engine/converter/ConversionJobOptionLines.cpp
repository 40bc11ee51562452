#include "engine/converter/ConversionJobOptionLines.h"

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

} // namespace engine
