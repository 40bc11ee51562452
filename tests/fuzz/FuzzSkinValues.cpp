// Skin INI values: any text under a key either reads as a value of every
// kind or, for points and rectangles, is refused with EConvertError; a value
// read is written with the skin writer and reads back the same.

#include "fuzz/FuzzCheck.h"
#include "platform/core/Exceptions.h"
#include "skin/core/bsUtils_SkinIni.h"

#include <string>

using namespace platform;
using namespace skin;

namespace {

constexpr std::string_view Section = "Fuzz", Key = "value";

template <typename TValue, typename TReader, typename TWriter>
void CheckRoundTrip(const TMemIniFile& AIni, TReader AReader, TWriter AWriter)
{
    TValue Value;
    try {
        Value = AReader(AIni, Section, Key);
    } catch (const EConvertError&) {
        return;
    }
    TMemIniFile Written("");
    AWriter(Written, Section, Key, Value);
    TMemIniFile Reread("");
    Reread.SetText(Written.Text());
    FUZZ_CHECK(AReader(Reread, Section, Key) == Value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    TMemIniFile Ini("");
    Ini.WriteString(Section, Key, Text);

    CheckRoundTrip<TRect>(Ini, ReadSkinRect, WriteSkinRect);
    CheckRoundTrip<TPoint>(Ini, ReadSkinPoint, WriteSkinPoint);
    CheckRoundTrip<bool>(Ini, ReadSkinBoolean, WriteSkinBoolean);
    CheckRoundTrip<TFontStyles>(Ini, ReadSkinFontStyles, WriteSkinFontStyles);
    CheckRoundTrip<TAlignment>(Ini, ReadSkinAlignment, WriteSkinAlignment);
    CheckRoundTrip<TbsStretchType>(Ini, ReadSkinStretchType, WriteSkinStretchType);
    CheckRoundTrip<TbsMorphKind>(Ini, ReadSkinMorphKind, WriteSkinMorphKind);
    CheckRoundTrip<TbsInActiveEffect>(Ini, ReadSkinInActiveEffect, WriteSkinInActiveEffect);
    CheckRoundTrip<TbsStdCommand>(Ini, ReadSkinStdCommand, WriteSkinStdCommand);

    // The same text as a whole section: a list read from it is written and
    // reads back item for item.
    TMemIniFile Lists("");
    Lists.SetText("[" + std::string(Section) + "]\n" + Text);
    TStringList Items;
    ReadSkinStrings(Lists, Section, "list", Items);
    TMemIniFile Written("");
    WriteSkinStrings(Written, Section, "list", Items);
    TStringList Again;
    ReadSkinStrings(Written, Section, "list", Again);
    FUZZ_CHECK(Again.Count() == Items.Count());
    for (int I = 0; I < Items.Count(); ++I)
        FUZZ_CHECK(Again[I] == Items[I]);
    return 0;
}
