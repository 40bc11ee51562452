#include "profiles/LegacyPresetLists.h"

#include <span>

#include "profiles/LegacyProfileList.h"

namespace profiles {

namespace {

// The AMR rates of the older copy, the list the catalogue gives its
// "3GP - 视频格式(*.3gp)" profile.
constexpr const char* LegacyAmrRates[] = {"5 kbps", "6 kbps", "7 kbps", "8 kbps", "10 kbps", "12 kbps"};

// The lists in which the legacy copy differs from the catalogue.
struct TLegacyPresetRow {
    int Key;
    TPreset Preset;
    std::span<const char* const> Texts;
    int DefaultIndex;
};

const TLegacyPresetRow LegacyPresetRows[] = {
    {700, TPreset::AudioBitrate, LegacyAmrRates, 5},
    {702, TPreset::AudioBitrate, LegacyAmrRates, 5},
    {704, TPreset::AudioBitrate, LegacyAmrRates, 5},
};

} // namespace

std::optional<TPresetChoices> FindLegacyPresetChoices(int AKey)
{
    if (!FindLegacyProfile(AKey))
        return std::nullopt;
    std::optional<TPresetChoices> choices = FindPresetChoices(AKey);
    if (!choices)
        return std::nullopt;
    for (const TLegacyPresetRow& row : LegacyPresetRows)
        if (row.Key == AKey)
            choices->Picks[PresetIndex(row.Preset)] = TPresetPick{row.Texts, row.DefaultIndex};
    return choices;
}

std::optional<TPresetChoices> LegacyPresetFill(TOutputFields& AFields, int ACategoryIndex, int AProfileIndex)
{
    AFields.Video_DisableVideo = false;
    const std::optional<int> key = LegacyCatalogueKey(ACategoryIndex, AProfileIndex);
    return key ? FindLegacyPresetChoices(*key) : std::nullopt;
}

} // namespace profiles
