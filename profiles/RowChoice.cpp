#include "profiles/RowChoice.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/PresetTexts.h"

namespace profiles {

namespace {

struct TExtensionFix {
    const char* Tail;
    const char* Ext;
};

// Names whose extension is not three letters long.
const TExtensionFix ExtensionFixes[] = {
    {"flac", ".flac"},
    {"aiff", ".aiff"},
    {"*.rm", ".rm"},
    {"*.ra", ".ra"},
};

const TRowSubItem PresetSubItems[PresetCount] = {
    siFrameSize, siVideoBitrate, siAudioBitrate, siAspect, siFrameRate, siSampleRate};

bool AllDigits(std::string_view AText)
{
    return !AText.empty() && std::all_of(AText.begin(), AText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number of at most nine digits, or -1.
int DigitsValue(std::string_view AText)
{
    if (!AllDigits(AText) || AText.size() > 9)
        return -1;
    return platform::StrToInt(AText);
}

} // namespace

std::array<std::string, ProfileRowSubItemCount> ProfileRowSubItems(const TOutputFields& AFields)
{
    return {AFields.Video_VideoCodec,
            AFields.Video_AudioCodec,
            AFields.Video_AudioChannels,
            AFields.Video_VideoTag,
            AFields.Video_FileExt,
            AFields.Video_FrameSize,
            platform::IntToStr(AFields.Video_VideoBitrate),
            AFields.Video_FrameRate,
            platform::IntToStr(AFields.Video_AudioBitrate),
            AFields.Video_AudioSampleRate,
            AFields.Video_FrameAspectRatio,
            AFields.Video_DisableVideo ? "True" : "False",
            AFields.Video_TargetType,
            AFields.Video_NormType};
}

TRowSubItem PresetRowSubItem(TPreset APreset)
{
    return PresetSubItems[PresetIndex(APreset)];
}

std::string FormatPresetPair(int AIndex)
{
    if (AIndex < 0 || AIndex > 99)
        throw platform::EConvertError("List index " + platform::IntToStr(AIndex) + " does not fit a preset code");
    return (AIndex < 10 ? "0" : "") + platform::IntToStr(AIndex);
}

std::string PresetCode(const std::array<int, PresetCount>& AIndexes)
{
    std::string code;
    for (int index : AIndexes)
        code += FormatPresetPair(index);
    return code;
}

std::string ReplacePresetPair(std::string_view ACode, TPreset APreset, int AIndex)
{
    const size_t at = size_t(PresetIndex(APreset)) * 2;
    const std::string pair = FormatPresetPair(AIndex);
    const std::string_view before = ACode.substr(0, std::min(at, ACode.size()));
    const std::string_view after = at + 2 < ACode.size() ? ACode.substr(at + 2) : std::string_view();
    return std::string(before) + pair + std::string(after);
}

std::optional<TRowChoice> ParseRowChoice(std::string_view AProfileCode, std::string_view APresetCode)
{
    const int code = DigitsValue(AProfileCode);
    if (code < 0 || APresetCode.size() < size_t(PresetCount) * 2)
        return std::nullopt;
    TRowChoice choice;
    choice.CategoryPosition = code / 100 - 1;
    choice.ProfilePosition = code % 100;
    // A code outside the category list or past its profiles would leave the
    // lists without a selection and rewrite the row with nothing; refuse it.
    if (choice.ProfilePosition >= int(ProfileNamesAt(choice.CategoryPosition).size()))
        return std::nullopt;
    for (int i = 0; i < PresetCount; ++i) {
        choice.PresetIndexes[i] = DigitsValue(APresetCode.substr(size_t(i) * 2, 2));
        if (choice.PresetIndexes[i] < 0)
            return std::nullopt;
    }
    return choice;
}

std::string ExtensionOfProfileName(std::string_view AName)
{
    // The name ends in ASCII "(*.ext)", so byte positions are character
    // positions here.
    if (AName.size() < 5)
        return std::string();
    const std::string_view tail = AName.substr(AName.size() - 5, 4);
    for (const TExtensionFix& fix : ExtensionFixes)
        if (tail == fix.Tail)
            return fix.Ext;
    return std::string(tail);
}

std::string RowOutputNameForExtension(std::string_view ARowOutputName, std::string_view AExt)
{
    return platform::ChangeFileExt(platform::ExtractFileName(ARowOutputName), AExt);
}

TRowEdit ApplyPresetChange(TOutputFields& AFields, TPreset APreset, int AIndex, std::string_view AShownText,
                           std::string& APresetCode)
{
    std::string code = ReplacePresetPair(APresetCode, APreset, AIndex);
    ApplyPresetText(AFields, APreset, AShownText);
    APresetCode = std::move(code);
    return TRowEdit{PresetRowSubItem(APreset), PresetFieldText(AFields, APreset)};
}

} // namespace profiles
