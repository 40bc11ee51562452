#include "profiles/LegacyProfileDefaults.h"

#include <algorithm>

#include "platform/core/SysUtils.h"
#include "profiles/DialogPresetTexts.h"
#include "profiles/LegacyProfileList.h"

namespace profiles {

namespace {

// The rows in which the legacy copy differs from the catalogue, in the
// catalogue's columns: key, name extension, Video_FileExt, video codec,
// video tag, frame size, frame rate, aspect, video bitrate, audio codec,
// channels, sample rate, audio bitrate, target, norm, audio-only. Kept as
// the older copy has them: 211 names ".m4a" files with Video_FileExt
// ".alac"; 702, listed as a 3G2 profile, writes ".3gp"; 704 keeps 10200 bit/s.
const TProfileDefaults LegacyDefaultsRows[] = {
    {211, ".m4a", ".alac", "",      "", "",        "",   "",  -1,     "alac",      "2", "48000", 128000, "", "", true},
    {700, ".3gp", ".3gp",  "h263",  "", "176*144", "12", "",  128000, "libamr_nb", "1", "8000",  12000,  "", "", false},
    {702, ".3gp", ".3gp",  "mpeg4", "", "176*144", "12", "",  128000, "libamr_nb", "1", "8000",  12000,  "", "", false},
    {704, ".3gp", ".3gp",  "mpeg4", "", "176*144", "12", "",  128000, "libamr_nb", "1", "8000",  10200,  "", "", false},
};

} // namespace

const TProfileDefaults* FindLegacyProfileDefaults(int AKey)
{
    if (!FindLegacyProfile(AKey))
        return nullptr;
    const auto row = std::find_if(std::begin(LegacyDefaultsRows), std::end(LegacyDefaultsRows),
                                  [AKey](const TProfileDefaults& ARow) { return ARow.Key == AKey; });
    return row != std::end(LegacyDefaultsRows) ? row : FindProfileDefaults(AKey);
}

int LegacyDefaultsKey(int ACategoryIndex, int AProfileIndex)
{
    return (ACategoryIndex + 1) * 100 + AProfileIndex;
}

void ApplyLegacyProfileDefaults(TOutputFields& AFields, int AKey, const TOutputNaming& ANaming)
{
    // Both names are made before anything changes: a refused name leaves
    // the fields as they were.
    if (const TProfileDefaults* row = FindLegacyProfileDefaults(AKey)) {
        std::string outputName = MakeOutputFileName(AFields.Video_AddFileName, row->Ext, ANaming);
        ApplyProfileValues(AFields, *row);
        AFields.Video_OutPutFileName = std::move(outputName);
        return;
    }
    // Without defaults the previous profile's values stay; the name they
    // came with moves into the folder shown and is made free. No name yet
    // stays no name rather than becoming the bare folder.
    std::string outputName = AFields.Video_OutPutFileName;
    if (!outputName.empty())
        outputName = FreeOutputFileName(platform::ExtractFileName(outputName), AFields.Video_AddFileName, ANaming);
    AFields.Video_DisableVideo = false;
    AFields.Video_OutPutFileName = std::move(outputName);
}

void ApplyLegacyDialogOk(TOutputFields& AFields, int ACategoryIndex, int AProfileIndex,
                         const std::array<std::string, PresetCount>& AShownTexts, const TOutputNaming& ANaming)
{
    TOutputFields fields = AFields;
    ApplyLegacyProfileDefaults(fields, LegacyDefaultsKey(ACategoryIndex, AProfileIndex), ANaming);
    ApplyDialogPresetTexts(fields, AShownTexts);
    AFields = std::move(fields);
}

} // namespace profiles
