#include "profiles/DialogPresetTexts.h"

#include "profiles/PresetTexts.h"

namespace profiles {

namespace {

const char* const AutoSampleRateForTexts = "AUTO";

} // namespace

void ApplyDialogPresetText(TOutputFields& AFields, TPreset APreset, std::string_view AText, TDialogTextUse AUse)
{
    if (APreset == TPreset::AudioBitrate && AText == AutoAudioBitrateText)
        AFields.Video_AudioBitrate = BitrateAutomatic;
    else if (APreset == TPreset::SampleRate && AText == AutoSampleRateText)
        AFields.Video_AudioSampleRate = AUse == TDialogTextUse::PresetTexts ? AutoSampleRateForTexts : "";
    else
        ApplyPresetText(AFields, APreset, AText);
}

void ApplyDialogPresetTexts(TOutputFields& AFields, const std::array<std::string, PresetCount>& ATexts)
{
    for (TPreset preset : PresetTextOrder)
        ApplyDialogPresetText(AFields, preset, ATexts[PresetIndex(preset)], TDialogTextUse::PresetTexts);
}

TRowEdit ApplyDialogPresetChange(TOutputFields& AFields, TPreset APreset, int AIndex, std::string_view AShownText,
                                 std::string& APresetCode)
{
    std::string code = ReplacePresetPair(APresetCode, APreset, AIndex);
    ApplyDialogPresetText(AFields, APreset, AShownText, TDialogTextUse::RowChange);
    APresetCode = std::move(code);
    return TRowEdit{PresetRowSubItem(APreset), PresetFieldText(AFields, APreset)};
}

} // namespace profiles
