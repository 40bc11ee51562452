#include "skin/core/bsUtils_SkinIni.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <array>
#include <vector>

namespace skin {

using platform::EConvertError;
using platform::IntToStr;

namespace {

// The words of each enumeration, in the order of its values.
constexpr std::array<const char*, 3> StretchTypeWords = {"stfull", "sthorz", "stvert"};
constexpr std::array<const char*, 7> MorphKindWords = {
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 6> InActiveEffectWords = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> StdCommandWords = {
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};
constexpr std::array<const char*, 4> FontStyleWords = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};

// A list of pictures longer than this is not a skin but a damaged file; the
// bound keeps a huge count from filling memory with empty names.
constexpr int MaxSkinListCount = 65536;

// Index of AText among AWords (exact comparison), or -1.
template <size_t N>
int WordIndex(const std::array<const char*, N>& AWords, std::string_view AText)
{
    for (size_t i = 0; i < N; ++i)
        if (AText == AWords[i])
            return int(i);
    return -1;
}

template <size_t N>
std::string WordOf(const std::array<const char*, N>& AWords, unsigned AValue)
{
    return AValue < N ? AWords[AValue] : "";
}

// Splits at "," keeping only the digits of each part. The parts live in a
// growing list, so any number of them is safe.
std::vector<std::string> SkinNumberParts(std::string_view AText)
{
    std::vector<std::string> parts(1);
    for (char c : AText) {
        if (c == ',')
            parts.emplace_back();
        else if (c >= '0' && c <= '9')
            parts.back() += c;
    }
    return parts;
}

int SkinNumber(const std::vector<std::string>& AParts, size_t AIndex, std::string_view AText)
{
    const std::string part = AIndex < AParts.size() ? AParts[AIndex] : std::string();
    // Leading zeros add nothing to the value: only the significant digits
    // count against the 32-bit range.
    const size_t first = std::min(part.find_first_not_of('0'), part.empty() ? 0 : part.size() - 1);
    const std::string digits = part.substr(first);
    int64_t value = 0;
    bool ok = !digits.empty() && digits.size() <= 10;
    if (ok) {
        value = platform::StrToInt64(digits);
        ok = value <= INT32_MAX;
    }
    if (!ok)
        throw EConvertError("'" + part + "' is not a valid integer value (in \"" + std::string(AText) + "\")");
    return int(value);
}

// Names the key of a malformed value, so a failed load says where it failed.
template <typename T, typename F>
T ReadNumbers(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
              const char* ADefault, F AParse)
{
    const std::string text = AIniFile.ReadString(ASection, AKey, ADefault);
    try {
        return AParse(text);
    } catch (const EConvertError& E) {
        throw EConvertError("[" + std::string(ASection) + "] " + std::string(AKey) + "=" + text + ": " +
                            E.Message());
    }
}

} // namespace

TPoint ParseSkinPoint(std::string_view AText)
{
    const auto parts = SkinNumberParts(AText);
    const int x = SkinNumber(parts, 0, AText);
    return {x, SkinNumber(parts, 1, AText)};
}

TRect ParseSkinRect(std::string_view AText)
{
    const auto parts = SkinNumberParts(AText);
    const int left = SkinNumber(parts, 0, AText);
    const int top = SkinNumber(parts, 1, AText);
    const int right = SkinNumber(parts, 2, AText);
    return {left, top, right, SkinNumber(parts, 3, AText)};
}

TRect ReadSkinRect(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey)
{
    return ReadNumbers<TRect>(AIniFile, ASection, AKey, "0,0,0,0", ParseSkinRect);
}

TPoint ReadSkinPoint(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey)
{
    return ReadNumbers<TPoint>(AIniFile, ASection, AKey, "0,0", ParseSkinPoint);
}

bool ReadSkinBoolean(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey)
{
    return AIniFile.ReadInteger(ASection, AKey, 0) == 1;
}

TFontStyles ReadSkinFontStyles(const TCustomIniFile& AIniFile, std::string_view ASection,
                               std::string_view AKey)
{
    const std::string text = AIniFile.ReadString(ASection, AKey, "");
    TFontStyles styles;
    for (size_t i = 0; i < FontStyleWords.size(); ++i)
        if (text.find(FontStyleWords[i]) != std::string::npos)
            styles.Include(platform::TFontStyle(i));
    return styles;
}

TAlignment ReadSkinAlignment(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey)
{
    const std::string text = AIniFile.ReadString(ASection, AKey, "tacenter");
    if (text == "tacenter")
        return platform::taCenter;
    return text == "taleftjustify" ? platform::taLeftJustify : platform::taRightJustify;
}

TbsStretchType ReadSkinStretchType(const TCustomIniFile& AIniFile, std::string_view ASection,
                                   std::string_view AKey)
{
    const std::string text = AIniFile.ReadString(ASection, AKey, "stfull");
    if (text == "stfull")
        return bsstFull;
    return text == "stvert" ? bsstVert : bsstHorz;
}

TbsMorphKind ReadSkinMorphKind(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey)
{
    const int i = WordIndex(MorphKindWords, AIniFile.ReadString(ASection, AKey, "mkdefault"));
    return i < 0 ? mkDefault : TbsMorphKind(i);
}

TbsInActiveEffect ReadSkinInActiveEffect(const TCustomIniFile& AIniFile, std::string_view ASection,
                                         std::string_view AKey)
{
    const int i = WordIndex(InActiveEffectWords, AIniFile.ReadString(ASection, AKey, "iebrightness"));
    return i < 0 ? ieGrayScale : TbsInActiveEffect(i);
}

TbsStdCommand ReadSkinStdCommand(const TCustomIniFile& AIniFile, std::string_view ASection,
                                 std::string_view AKey)
{
    const int i = WordIndex(StdCommandWords, AIniFile.ReadString(ASection, AKey, "cmdefault"));
    return i < 0 ? cmMinimizeToTray : TbsStdCommand(i);
}

void ReadSkinStrings(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AName,
                     TStringList& AList)
{
    const int count = std::min(AIniFile.ReadInteger(ASection, std::string(AName) + "count", 0), MaxSkinListCount);
    for (int i = 0; i < count; ++i)
        AList.Add(AIniFile.ReadString(ASection, IntToStr(i), ""));
}

void WriteSkinRect(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey, const TRect& AValue)
{
    AIniFile.WriteString(ASection, AKey,
                         IntToStr(AValue.Left) + "," + IntToStr(AValue.Top) + "," + IntToStr(AValue.Right) + "," +
                             IntToStr(AValue.Bottom));
}

void WriteSkinPoint(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                    const TPoint& AValue)
{
    AIniFile.WriteString(ASection, AKey, IntToStr(AValue.X) + "," + IntToStr(AValue.Y));
}

void WriteSkinBoolean(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey, bool AValue)
{
    AIniFile.WriteInteger(ASection, AKey, AValue ? 1 : 0);
}

void WriteSkinFontStyles(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                         TFontStyles AValue)
{
    std::string text;
    for (size_t i = 0; i < FontStyleWords.size(); ++i)
        if (AValue.Contains(platform::TFontStyle(i)))
            text += (text.empty() ? "" : ",") + std::string(FontStyleWords[i]);
    AIniFile.WriteString(ASection, AKey, text);
}

void WriteSkinAlignment(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                        TAlignment AValue)
{
    const char* word = AValue == platform::taCenter         ? "tacenter"
                       : AValue == platform::taRightJustify ? "tarightjustify"
                                                            : "taleftjustify";
    AIniFile.WriteString(ASection, AKey, word);
}

void WriteSkinStretchType(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                          TbsStretchType AValue)
{
    AIniFile.WriteString(ASection, AKey, WordOf(StretchTypeWords, AValue));
}

void WriteSkinMorphKind(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                        TbsMorphKind AValue)
{
    AIniFile.WriteString(ASection, AKey, WordOf(MorphKindWords, AValue));
}

void WriteSkinInActiveEffect(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                             TbsInActiveEffect AValue)
{
    AIniFile.WriteString(ASection, AKey, WordOf(InActiveEffectWords, AValue));
}

void WriteSkinStdCommand(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                         TbsStdCommand AValue)
{
    AIniFile.WriteString(ASection, AKey, WordOf(StdCommandWords, std::min<unsigned>(AValue, cmMinimizeToTray)));
}

void WriteSkinStrings(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AName,
                      const TStringList& AList)
{
    AIniFile.WriteInteger(ASection, std::string(AName) + "count", AList.Count());
    for (int i = 0; i < AList.Count(); ++i)
        AIniFile.WriteString(ASection, IntToStr(i), AList[i]);
}

} // namespace skin
