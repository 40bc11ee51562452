// Skin records read from INI text: any text either reads or is refused with
// EConvertError (a malformed point or rectangle); what was read, written by
// the skin writer and read again, writes the same text.

#include "fuzz/FuzzSkinShared.h"
#include "platform/core/Exceptions.h"

using namespace platform;
using namespace skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemIniFile Ini("");
    Ini.SetText(std::string_view(reinterpret_cast<const char*>(Data), Size));
    TbsSkinData First(nullptr);
    try {
        First.ReadSkinIni(Ini, "/nonexistent", false);
    } catch (const EConvertError&) {
        return 0;
    }
    const std::string Written = fuzz::SkinIniText(First);

    TMemIniFile Again("");
    Again.SetText(Written);
    TbsSkinData Second(nullptr);
    Second.ReadSkinIni(Again, "/nonexistent", false);
    FUZZ_CHECK(fuzz::SkinIniText(Second) == Written);
    return 0;
}
