#include "profiles/LegacyProfileDefaults.h"

#include <algorithm>

#include "platform/core/Format.h"
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

std::string NoDefaultsMessage(int AKey)
{
    if (const TLegacyProfile* profile = FindLegacyProfile(AKey))
        return platform::Format("The output profile \"%s\" has no output settings.", profile->Title);
    return platform::Format("Output profile %d is not in the catalogue.", AKey);
}

} // namespace

const TProfileDefaults* FindLegacyProfileDefaults(int AKey)
{
    if (!FindLegacyProfile(AKey))
        return nullptr;
    const auto row = std::find_if(std::begin(LegacyDefaultsRows), std::end(LegacyDefaultsRows),
                                  [AKey](const TProfileDefaults& ARow) { return ARow.Key == AKey; });
    return row != std::end(LegacyDefaultsRows) ? row : FindProfileDefaults(AKey);
}

void ApplyLegacyProfileDefaults(TOutputFields& AFields, int AKey, const TOutputNaming& ANaming)
{
    // A key without defaults would leave the fields of the previous profile
    // under a name made for no profile; refuse it before anything changes.
    const TProfileDefaults* row = FindLegacyProfileDefaults(AKey);
    if (!row)
        throw EProfileError(NoDefaultsMessage(AKey));
    std::string outputName = MakeOutputFileName(AFields.Video_AddFileName, row->Ext, ANaming);
    ApplyProfileValues(AFields, *row);
    AFields.Video_OutPutFileName = std::move(outputName);
}

void ApplyLegacyDialogOk(TOutputFields& AFields, int ACategoryIndex, int AProfileIndex,
                         const std::array<std::string, PresetCount>& AShownTexts, const TOutputNaming& ANaming)
{
    const std::optional<int> key = LegacyCatalogueKey(ACategoryIndex, AProfileIndex);
    if (!key)
        throw EProfileError(platform::Format("There is no output profile at position %d of category %d.",
                                             AProfileIndex, ACategoryIndex));
    TOutputFields fields = AFields;
    ApplyLegacyProfileDefaults(fields, *key, ANaming);
    ApplyDialogPresetTexts(fields, AShownTexts);
    AFields = std::move(fields);
}

} // namespace profiles
