// INI text, as option.ini and skin INI files are read: parsing the text
// again after writing it changes nothing, lookups agree with the section
// listings, and a written value reads back.

#include "fuzz/FuzzCheck.h"
#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <string>
#include <string_view>

using namespace platform;

namespace {

// A key and value that INI text can carry unchanged.
bool Storable(const std::string& AKey, const std::string& AValue)
{
    const auto Clean = [](const std::string& S) { return S.find_first_of("\r\n") == std::string::npos; };
    return !AKey.empty() && Clean(AKey) && Clean(AValue) && AKey.find('=') == std::string::npos &&
           AKey[0] != ';' && AKey[0] != '[' && Trim(AKey) == AKey && Trim(AValue) == AValue;
}

void CheckLookups(const TMemIniFile& AIni)
{
    TStringList Sections;
    AIni.ReadSections(Sections);
    for (int S = 0; S < Sections.Count(); ++S) {
        FUZZ_CHECK(AIni.SectionExists(Sections[S]));
        TStringList Keys;
        AIni.ReadSection(Sections[S], Keys);
        for (int K = 0; K < Keys.Count(); ++K)
            FUZZ_CHECK(AIni.ValueExists(Sections[S], Keys[K]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
    TMemIniFile First("");
    First.SetText(Text);
    const std::string Written = First.Text();
    TMemIniFile Second("");
    Second.SetText(Written);
    FUZZ_CHECK_SAME_TEXT(Second.Text(), Written);
    CheckLookups(First);

    // The first line of the input, split at "=", as a key and a value the
    // program writes.
    const std::string Line(Text.substr(0, Text.find('\n')));
    const size_t Eq = Line.find('=');
    if (Eq != std::string::npos) {
        const std::string Key = Line.substr(0, Eq), Value = Line.substr(Eq + 1);
        if (Storable(Key, Value)) {
            Second.WriteString("Fuzz", Key, Value);
            TMemIniFile Third("");
            Third.SetText(Second.Text());
            FUZZ_CHECK(Third.ReadString("Fuzz", Key, Value + "?") == Value);
        }
    }
    return 0;
}
