#include "platform/core/IniFiles.h"

#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

bool IsValidUtf8(std::string_view S)
{
    size_t i = 0;
    while (i < S.size()) {
        const auto c = static_cast<unsigned char>(S[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const size_t follow = (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 0;
        if (follow == 0 || i + follow >= S.size())
            return false;
        for (size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(S[i + k]) >> 6) != 0x2)
                return false;
        i += follow + 1;
    }
    return true;
}

// Decimal numbers must fit a signed 32-bit integer; hexadecimal ones may use
// all 32 bits ("$FFFFFFFF" is -1), as colours are often written that way.
bool TryIniInteger(std::string_view AText, int& AValue)
{
    std::string text = Trim(AText);
    int64_t value;
    if (!TryStrToInt64(text, value))
        return false;
    const size_t digits = text.find_first_not_of("+-");
    const bool hex = digits != std::string::npos &&
                     (text[digits] == '$' || text.compare(digits, 2, "0x") == 0 ||
                      text.compare(digits, 2, "0X") == 0);
    if (hex ? (value < INT32_MIN || value > int64_t(UINT32_MAX)) : (value < INT32_MIN || value > INT32_MAX))
        return false;
    AValue = int(int32_t(uint32_t(uint64_t(value))));
    return true;
}

// Trim without a copy: characters up to the blank are dropped at both ends.
std::string_view TrimView(std::string_view S)
{
    while (!S.empty() && (unsigned char)S.front() <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && (unsigned char)S.back() <= ' ')
        S.remove_suffix(1);
    return S;
}

} // namespace

// Files may be UTF-8 (with or without a byte order mark) or in the system's
// 8-bit code page; the program works in UTF-8.
std::string FileTextToUtf8(std::string AText)
{
    if (AText.rfind("\xEF\xBB\xBF", 0) == 0)
        AText.erase(0, 3);
    // Returned by move: a copy of a file of many megabytes costs as much as
    // reading it.
    if (IsValidUtf8(AText))
        return AText;
    return AnsiToUtf8(AText);
}

// ---------------------------------------------------------------- TCustomIniFile

int TCustomIniFile::ReadInteger(std::string_view ASection, std::string_view AKey, int ADefault) const
{
    int value;
    return TryIniInteger(ReadString(ASection, AKey, std::string()), value) ? value : ADefault;
}

void TCustomIniFile::WriteInteger(std::string_view ASection, std::string_view AKey, int AValue)
{
    WriteString(ASection, AKey, IntToStr(AValue));
}

bool TCustomIniFile::ReadBool(std::string_view ASection, std::string_view AKey, bool ADefault) const
{
    return ReadInteger(ASection, AKey, ADefault ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view ASection, std::string_view AKey, bool AValue)
{
    WriteString(ASection, AKey, AValue ? "1" : "0");
}

bool TCustomIniFile::ValueExists(std::string_view ASection, std::string_view AKey) const
{
    TStringList keys;
    ReadSection(ASection, keys);
    for (int i = 0; i < keys.Count(); ++i)
        if (SameText(keys[i], AKey))
            return true;
    return false;
}

// ---------------------------------------------------------------- TMemIniFile

// Keys and section names compare without regard to ASCII letter case; the
// indexes map the lower-case form to the first entry of that name, so that
// a file with many keys reads in linear, not quadratic, time.
struct TMemIniFile::TSection {
    struct TEntry {
        std::string Key;
        std::string Value;
    };
    std::string Name;
    std::vector<TEntry> Entries;
    std::unordered_map<std::string, size_t> Index;

    TEntry* Find(std::string_view AKey)
    {
        const auto it = Index.find(LowerCase(AKey));
        return it == Index.end() ? nullptr : &Entries[it->second];
    }
    void Add(std::string_view AKey, std::string_view AValue)
    {
        Index.emplace(LowerCase(AKey), Entries.size());
        Entries.push_back({std::string(AKey), std::string(AValue)});
    }
    void Erase(std::string_view AKey)
    {
        std::erase_if(Entries, [&](const auto& e) { return SameText(e.Key, AKey); });
        Index.clear();
        for (size_t i = 0; i < Entries.size(); ++i)
            Index.emplace(LowerCase(Entries[i].Key), i);
    }
};

TMemIniFile::TMemIniFile(const std::string& AFileName) : TCustomIniFile(AFileName)
{
    if (AFileName.empty() || !FileExists(AFileName))
        return;
    std::ifstream in(AFileName, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SetText(FileTextToUtf8(std::move(bytes)));
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view AName) const
{
    const auto it = FSectionIndex.find(LowerCase(AName));
    return it == FSectionIndex.end() ? nullptr : it->second;
}

TMemIniFile::TSection& TMemIniFile::SectionFor(std::string_view AName)
{
    if (TSection* s = FindSection(AName))
        return *s;
    FSections.push_back(std::make_unique<TSection>());
    FSections.back()->Name = std::string(AName);
    FSectionIndex.emplace(LowerCase(AName), FSections.back().get());
    return *FSections.back();
}

std::string TMemIniFile::ReadString(std::string_view ASection, std::string_view AKey,
                                    const std::string& ADefault) const
{
    TSection* s = FindSection(ASection);
    const TSection::TEntry* e = s ? s->Find(AKey) : nullptr;
    return e ? e->Value : ADefault;
}

void TMemIniFile::WriteString(std::string_view ASection, std::string_view AKey, const std::string& AValue)
{
    TSection& s = SectionFor(ASection);
    if (TSection::TEntry* e = s.Find(AKey))
        e->Value = AValue;
    else
        s.Add(AKey, AValue);
}

bool TMemIniFile::SectionExists(std::string_view ASection) const
{
    return FindSection(ASection) != nullptr;
}

void TMemIniFile::ReadSection(std::string_view ASection, TStringList& AList) const
{
    if (TSection* s = FindSection(ASection))
        for (const auto& e : s->Entries)
            AList.Add(e.Key);
}

void TMemIniFile::ReadSections(TStringList& AList) const
{
    for (const auto& s : FSections)
        AList.Add(s->Name);
}

void TMemIniFile::ReadSectionValues(std::string_view ASection, TStringList& AList) const
{
    if (TSection* s = FindSection(ASection))
        for (const auto& e : s->Entries)
            AList.Add(e.Key + "=" + e.Value);
}

void TMemIniFile::EraseSection(std::string_view ASection)
{
    FSectionIndex.erase(LowerCase(ASection));
    std::erase_if(FSections, [&](const auto& s) { return SameText(s->Name, ASection); });
}

void TMemIniFile::DeleteKey(std::string_view ASection, std::string_view AKey)
{
    if (TSection* s = FindSection(ASection))
        s->Erase(AKey);
}

void TMemIniFile::Clear()
{
    FSectionIndex.clear();
    FSections.clear();
}

std::string TMemIniFile::Text() const
{
    size_t size = 0;
    for (const auto& s : FSections) {
        size += s->Name.size() + 6;
        for (const auto& e : s->Entries)
            size += e.Key.size() + e.Value.size() + 3;
    }
    std::string text;
    text.reserve(size);
    for (const auto& s : FSections) {
        text.append("[").append(s->Name).append("]\r\n");
        for (const auto& e : s->Entries)
            text.append(e.Key).append("=").append(e.Value).append("\r\n");
        text.append("\r\n");
    }
    return text;
}

// Lines outside any section, comments (";") and lines without "=" carry no
// value and are dropped. A section named twice is one section. Lines end at
// CR LF, LF or CR, as a string list splits them; the text is read in place,
// so a file of many megabytes is read in one pass.
void TMemIniFile::SetText(std::string_view AText)
{
    Clear();
    TSection* current = nullptr;
    size_t start = 0;
    while (start < AText.size()) {
        const size_t end = std::min(AText.find_first_of("\r\n", start), AText.size());
        ReadLine(AText.substr(start, end - start), current);
        start = end;
        if (start < AText.size() && AText[start] == '\r')
            ++start;
        if (start < AText.size() && AText[start] == '\n')
            ++start;
    }
}

void TMemIniFile::GetStrings(TStringList& AList) const
{
    AList.SetText(Text());
}

void TMemIniFile::SetStrings(const TStringList& AList)
{
    Clear();
    TSection* current = nullptr;
    for (int i = 0; i < AList.Count(); ++i)
        ReadLine(AList[i], current);
}

void TMemIniFile::ReadLine(std::string_view ALine, TSection*& ACurrent)
{
    const std::string_view line = TrimView(ALine);
    if (line.empty() || line[0] == ';')
        return;
    if (line.front() == '[' && line.back() == ']') {
        ACurrent = &SectionFor(TrimView(line.substr(1, line.size() - 2)));
        return;
    }
    const size_t eq = line.find('=');
    if (!ACurrent || eq == std::string_view::npos)
        return;
    ACurrent->Add(TrimView(line.substr(0, eq)), TrimView(line.substr(eq + 1)));
}

void TMemIniFile::UpdateFile()
{
    if (FileName().empty())
        return;
    std::ofstream out(FileName(), std::ios::binary | std::ios::trunc);
    const std::string text = Text();
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out)
        throw EIniFileException("Unable to write to " + FileName());
}

// ---------------------------------------------------------------- TIniFile

void TIniFile::WriteString(std::string_view ASection, std::string_view AKey, const std::string& AValue)
{
    TMemIniFile::WriteString(ASection, AKey, AValue);
    UpdateFile();
}

void TIniFile::EraseSection(std::string_view ASection)
{
    if (!SectionExists(ASection))
        return;
    TMemIniFile::EraseSection(ASection);
    UpdateFile();
}

void TIniFile::DeleteKey(std::string_view ASection, std::string_view AKey)
{
    if (!ValueExists(ASection, AKey))
        return;
    TMemIniFile::DeleteKey(ASection, AKey);
    UpdateFile();
}

} // namespace platform
