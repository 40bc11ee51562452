#pragma once
// Checks shared by the skin targets: what every load answers, and a skin's
// whole description as the writer puts it, to compare two loads.

#include "fuzz/FuzzCheck.h"
#include "platform/core/IniFiles.h"
#include "skin/core/bsSkinData.h"

#include <string>

namespace fuzz {

// A load either succeeded and left a skin, or failed, said why and left the
// model as it was (empty here).
inline void CheckLoadStatus(const skin::TbsSkinStatus& AStatus, const skin::TbsSkinData& ASkin)
{
    if (AStatus.Ok()) {
        FUZZ_CHECK(!ASkin.Empty());
        for (const auto& Picture : ASkin.FActivePictures)
            FUZZ_CHECK(Picture != nullptr);
    } else {
        FUZZ_CHECK(!AStatus.Message.empty());
        FUZZ_CHECK(ASkin.Empty());
    }
}

inline std::string SkinIniText(skin::TbsSkinData& ASkin)
{
    platform::TMemIniFile Ini("");
    ASkin.WriteSkinIni(Ini);
    return Ini.Text();
}

// What a skin written as AText writes when it is read back (pictures
// aside). The reader normalises a few values (corner points clamped to the
// client rectangle, zero hit-test points of a masked skin taken from the
// corners), so a written skin reads back to the same text only from its
// second writing on.
inline std::string Reread(const std::string& AText)
{
    platform::TMemIniFile Ini("");
    Ini.SetText(AText);
    skin::TbsSkinData Skin(nullptr);
    Skin.ReadSkinIni(Ini, "/nonexistent", false);
    return SkinIniText(Skin);
}

} // namespace fuzz
