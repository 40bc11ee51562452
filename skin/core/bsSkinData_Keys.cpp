#include "skin/core/bsSkinData_Keys.h"

#include "platform/core/Exceptions.h"

#include <algorithm>

namespace skin {

void TbsSkinKeys::Add(std::string AKey, TbsSkinKeyForm AForm, void* AField, int AIntDefault,
                      const char* AStrDefault)
{
    FWriteOrder.push_back(FKeys.size());
    FKeys.push_back({std::move(AKey), AForm, AField, AIntDefault, AStrDefault});
}

void TbsSkinKeys::Corners(TPoint& ALT, TPoint& ART, TPoint& ALB, TPoint& ARB, const std::string& APrefix)
{
    Add(APrefix + "lefttoppoint", TbsSkinKeyForm::Point, &ALT);
    Add(APrefix + "righttoppoint", TbsSkinKeyForm::Point, &ART);
    Add(APrefix + "leftbottompoint", TbsSkinKeyForm::Point, &ALB);
    Add(APrefix + "rightbottompoint", TbsSkinKeyForm::Point, &ARB);
}

void TbsSkinKeys::Font(std::string& AName, int& AHeight, TFontStyles& AStyle, TColor& AColor,
                       const std::string& APrefix)
{
    Add(APrefix + "fontname", TbsSkinKeyForm::String, &AName, 0, "Tahoma");
    Add(APrefix + "fontheight", TbsSkinKeyForm::Integer, &AHeight, 13);
    Add(APrefix + "fontstyle", TbsSkinKeyForm::FontStyles, &AStyle);
    Add(APrefix + "fontcolor", TbsSkinKeyForm::Color, &AColor);
}

void TbsSkinKeys::Integer(const char* AKey, int& AField, int ADefault)
{
    Add(AKey, TbsSkinKeyForm::Integer, &AField, ADefault);
}

void TbsSkinKeys::Color(const char* AKey, TColor& AField, TColor ADefault)
{
    Add(AKey, TbsSkinKeyForm::Color, &AField, ADefault);
}

void TbsSkinKeys::String(const char* AKey, std::string& AField, const char* ADefault)
{
    Add(AKey, TbsSkinKeyForm::String, &AField, 0, ADefault);
}

void TbsSkinKeys::Boolean(const char* AKey, bool& AField)
{
    Add(AKey, TbsSkinKeyForm::Boolean, &AField);
}

void TbsSkinKeys::Point(const char* AKey, TPoint& AField)
{
    Add(AKey, TbsSkinKeyForm::Point, &AField);
}

void TbsSkinKeys::Rect(const char* AKey, TRect& AField)
{
    Add(AKey, TbsSkinKeyForm::Rect, &AField);
}

void TbsSkinKeys::FontStyles(const char* AKey, TFontStyles& AField)
{
    Add(AKey, TbsSkinKeyForm::FontStyles, &AField);
}

void TbsSkinKeys::Alignment(const char* AKey, TAlignment& AField)
{
    Add(AKey, TbsSkinKeyForm::Alignment, &AField);
}

void TbsSkinKeys::StretchType(const char* AKey, TbsStretchType& AField)
{
    Add(AKey, TbsSkinKeyForm::StretchType, &AField);
}

void TbsSkinKeys::MorphKind(const char* AKey, TbsMorphKind& AField)
{
    Add(AKey, TbsSkinKeyForm::MorphKind, &AField);
}

void TbsSkinKeys::InActiveEffect(const char* AKey, TbsInActiveEffect& AField)
{
    Add(AKey, TbsSkinKeyForm::InActiveEffect, &AField);
}

void TbsSkinKeys::StdCommand(const char* AKey, TbsStdCommand& AField)
{
    Add(AKey, TbsSkinKeyForm::StdCommand, &AField);
}

void TbsSkinKeys::WriteAfter(const char* AKey, const char* AAfter)
{
    auto position = [&](std::string_view AName) {
        auto it = std::find_if(FWriteOrder.begin(), FWriteOrder.end(),
                               [&](size_t i) { return FKeys[i].Name == AName; });
        ZASSERT_MSG(it != FWriteOrder.end(), "unknown skin key " + std::string(AName));
        return it;
    };
    const size_t moved = *position(AKey);
    FWriteOrder.erase(position(AKey));
    FWriteOrder.insert(position(AAfter) + 1, moved);
}

void TbsSkinKeys::Read(const TCustomIniFile& AIniFile, std::string_view ASection) const
{
    Read(AIniFile, ASection, 0, FKeys.size());
}

void TbsSkinKeys::Read(const TCustomIniFile& AIniFile, std::string_view ASection, size_t AFirst,
                       size_t ACount) const
{
    const size_t last = std::min(FKeys.size(), AFirst + ACount);
    for (size_t i = AFirst; i < last; ++i) {
        const TbsSkinKey& k = FKeys[i];
        switch (k.Form) {
        case TbsSkinKeyForm::Integer:
        case TbsSkinKeyForm::Color:
            *static_cast<int*>(k.Field) = AIniFile.ReadInteger(ASection, k.Name, k.IntDefault);
            break;
        case TbsSkinKeyForm::String:
            *static_cast<std::string*>(k.Field) = AIniFile.ReadString(ASection, k.Name, k.StrDefault);
            break;
        case TbsSkinKeyForm::Boolean:
            *static_cast<bool*>(k.Field) = ReadSkinBoolean(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::Point:
            *static_cast<TPoint*>(k.Field) = ReadSkinPoint(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::Rect:
            *static_cast<TRect*>(k.Field) = ReadSkinRect(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::FontStyles:
            *static_cast<TFontStyles*>(k.Field) = ReadSkinFontStyles(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::Alignment:
            *static_cast<TAlignment*>(k.Field) = ReadSkinAlignment(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::StretchType:
            *static_cast<TbsStretchType*>(k.Field) = ReadSkinStretchType(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::MorphKind:
            *static_cast<TbsMorphKind*>(k.Field) = ReadSkinMorphKind(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::InActiveEffect:
            *static_cast<TbsInActiveEffect*>(k.Field) = ReadSkinInActiveEffect(AIniFile, ASection, k.Name);
            break;
        case TbsSkinKeyForm::StdCommand:
            *static_cast<TbsStdCommand*>(k.Field) = ReadSkinStdCommand(AIniFile, ASection, k.Name);
            break;
        }
    }
}

void TbsSkinKeys::Write(TCustomIniFile& AIniFile, std::string_view ASection) const
{
    for (size_t i : FWriteOrder) {
        const TbsSkinKey& k = FKeys[i];
        switch (k.Form) {
        case TbsSkinKeyForm::Integer:
        case TbsSkinKeyForm::Color:
            AIniFile.WriteInteger(ASection, k.Name, *static_cast<const int*>(k.Field));
            break;
        case TbsSkinKeyForm::String:
            AIniFile.WriteString(ASection, k.Name, *static_cast<const std::string*>(k.Field));
            break;
        case TbsSkinKeyForm::Boolean:
            WriteSkinBoolean(AIniFile, ASection, k.Name, *static_cast<const bool*>(k.Field));
            break;
        case TbsSkinKeyForm::Point:
            WriteSkinPoint(AIniFile, ASection, k.Name, *static_cast<const TPoint*>(k.Field));
            break;
        case TbsSkinKeyForm::Rect:
            WriteSkinRect(AIniFile, ASection, k.Name, *static_cast<const TRect*>(k.Field));
            break;
        case TbsSkinKeyForm::FontStyles:
            WriteSkinFontStyles(AIniFile, ASection, k.Name, *static_cast<const TFontStyles*>(k.Field));
            break;
        case TbsSkinKeyForm::Alignment:
            WriteSkinAlignment(AIniFile, ASection, k.Name, *static_cast<const TAlignment*>(k.Field));
            break;
        case TbsSkinKeyForm::StretchType:
            WriteSkinStretchType(AIniFile, ASection, k.Name, *static_cast<const TbsStretchType*>(k.Field));
            break;
        case TbsSkinKeyForm::MorphKind:
            WriteSkinMorphKind(AIniFile, ASection, k.Name, *static_cast<const TbsMorphKind*>(k.Field));
            break;
        case TbsSkinKeyForm::InActiveEffect:
            WriteSkinInActiveEffect(AIniFile, ASection, k.Name, *static_cast<const TbsInActiveEffect*>(k.Field));
            break;
        case TbsSkinKeyForm::StdCommand:
            WriteSkinStdCommand(AIniFile, ASection, k.Name, *static_cast<const TbsStdCommand*>(k.Field));
            break;
        }
    }
}

std::vector<std::string> TbsSkinKeys::ReadOrder() const
{
    std::vector<std::string> names;
    for (const TbsSkinKey& k : FKeys)
        names.push_back(k.Name);
    return names;
}

std::vector<std::string> TbsSkinKeys::WriteOrder() const
{
    std::vector<std::string> names;
    for (size_t i : FWriteOrder)
        names.push_back(FKeys[i].Name);
    return names;
}

TbsSkinKeys TbsSkinRecord::Keys()
{
    TbsSkinKeys keys;
    DescribeKeys(keys);
    return keys;
}

void TbsSkinRecord::LoadFromFile(const TCustomIniFile& AIniFile)
{
    Keys().Read(AIniFile, SectionName());
    AfterLoad();
}

void TbsSkinRecord::SaveToFile(TCustomIniFile& AIniFile)
{
    AIniFile.EraseSection(SectionName());
    Keys().Write(AIniFile, SectionName());
}

} // namespace skin
