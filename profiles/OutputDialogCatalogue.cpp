#include "profiles/OutputDialogCatalogue.h"

#include <utility>

#include "platform/core/Format.h"
#include "profiles/DialogPresetTexts.h"
#include "profiles/ProfileCatalogue.h"

namespace profiles {

namespace {

// The dialog's own extension fixes, tail before the last character and the
// extension it gives, tried before the main window's. No name of the
// catalogue ends in either tail; a name with a blank after its ")" would end
// in "lac)".
constexpr std::pair<std::string_view, const char*> DialogExtensionFixes[] = {
    {"lac)", ".alac"},
    {"mpeg", ".mpeg"},
};

const char* ProfileNameAt(int ACategoryPosition, int AProfilePosition)
{
    const auto names = ProfileNamesAt(ACategoryPosition);
    if (AProfilePosition < 0 || AProfilePosition >= int(names.size()))
        throw EProfileError(platform::Format("There is no output profile at position %d of category position %d.",
                                             AProfilePosition, ACategoryPosition));
    return names[AProfilePosition];
}

} // namespace

std::string OutputDialogExtension(std::string_view AProfileName)
{
    // The extension stands in the name's last "(*.ext)" group, whatever its
    // length: cutting a fixed number of characters before the end made a
    // five-letter extension lose its dot.
    const size_t open = AProfileName.rfind("(*.");
    if (open != std::string_view::npos) {
        const size_t close = AProfileName.find(')', open);
        if (close != std::string_view::npos && close > open + 3)
            return std::string(AProfileName.substr(open + 2, close - open - 2));
    }
    if (AProfileName.size() >= 5) {
        const std::string_view tail = AProfileName.substr(AProfileName.size() - 5, 4);
        for (const auto& [fixTail, ext] : DialogExtensionFixes)
            if (tail == fixTail)
                return ext;
    }
    return ExtensionOfProfileName(AProfileName);
}

std::optional<TPresetChoices> OutputDialogPresetFill(TOutputFields& AFields, int ACategoryPosition,
                                                     int AProfilePosition)
{
    AFields.Video_DisableVideo = false;
    const std::optional<int> key = CatalogueKey(ACategoryPosition, AProfilePosition);
    if (!key)
        return std::nullopt;
    AFields.All_Trant_Number = *key;
    return FindPresetChoices(*key);
}

TOutputDialogRowEdits ApplyOutputDialogProfileChange(TOutputFields& AFields, int ACategoryPosition,
                                                     int AProfilePosition,
                                                     const std::array<std::string, PresetCount>& AShownTexts,
                                                     std::string_view ARowOutputName, const TOutputNaming& ANaming)
{
    const std::string ext = OutputDialogExtension(ProfileNameAt(ACategoryPosition, AProfilePosition));
    TOutputFields fields = AFields;
    ApplyProfileDefaults(fields, *CatalogueKey(ACategoryPosition, AProfilePosition), ANaming);
    TOutputDialogRowEdits edits;
    edits.ProfileSubItems = ProfileRowSubItems(fields);
    ApplyDialogPresetTexts(fields, AShownTexts);
    edits.OutputFileName = RowOutputNameForExtension(ARowOutputName, ext);
    edits.ProfileCode = RowProfileCodeText(ACategoryPosition, AProfilePosition);
    AFields = std::move(fields);
    return edits;
}

} // namespace profiles
