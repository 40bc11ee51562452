// Skin records read from INI text: any text either reads or is refused with
// EConvertError (a malformed point or rectangle); what was read, written by
// the skin writer and read again, settles: from its second writing on it
// reads back to the same text.

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
    const std::string Settled = fuzz::Reread(fuzz::SkinIniText(First));
    FUZZ_CHECK_SAME_TEXT(fuzz::Reread(Settled), Settled);
    return 0;
}
