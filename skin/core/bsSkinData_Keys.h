#pragma once
// The keys of a skin record's section, described once: name, value form,
// default and field. Each record class lists its keys in reading order,
// after those of its parent; reading and writing walk that list, so no
// record has read or write code of its own.

#include "skin/core/bsUtils_SkinIni.h"

#include <string>
#include <string_view>
#include <vector>

namespace skin {

enum class TbsSkinKeyForm : uint8_t {
    Integer,
    Color,
    String,
    Boolean,
    Point,
    Rect,
    FontStyles,
    Alignment,
    StretchType,
    MorphKind,
    InActiveEffect,
    StdCommand,
};

struct TbsSkinKey {
    std::string Name;
    TbsSkinKeyForm Form;
    void* Field;
    int IntDefault;         // integers and colours
    const char* StrDefault; // strings
};

// The font of a record's captions. The model's font override rewrites the
// name and height of every record that has one.
struct TbsSkinFontFields {
    explicit TbsSkinFontFields(const char* AName = "Tahoma", int AHeight = 13) : FontName(AName), FontHeight(AHeight) {}
    virtual ~TbsSkinFontFields() = default;

    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight;
    TColor FontColor = 0;
};

class TbsSkinKeys {
public:
    void Integer(const char* AKey, int& AField, int ADefault = 0);
    void Color(const char* AKey, TColor& AField, TColor ADefault = 0);
    void String(const char* AKey, std::string& AField, const char* ADefault = "");
    void Boolean(const char* AKey, bool& AField);
    void Point(const char* AKey, TPoint& AField);
    void Rect(const char* AKey, TRect& AField);
    void FontStyles(const char* AKey, TFontStyles& AField);
    void Alignment(const char* AKey, TAlignment& AField);
    void StretchType(const char* AKey, TbsStretchType& AField);
    void MorphKind(const char* AKey, TbsMorphKind& AField);
    void InActiveEffect(const char* AKey, TbsInActiveEffect& AField);
    void StdCommand(const char* AKey, TbsStdCommand& AField);
    // The four keys of a font: APrefix + "fontname" ("Tahoma"), "fontheight"
    // (13), "fontstyle", "fontcolor" (0), in that order.
    void Font(std::string& AName, int& AHeight, TFontStyles& AStyle, TColor& AColor,
              const std::string& APrefix = "");
    // APrefix + "lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint".
    void Corners(TPoint& ALT, TPoint& ART, TPoint& ALB, TPoint& ARB, const std::string& APrefix = "");
    void Font(TbsSkinFontFields& AFont) { Font(AFont.FontName, AFont.FontHeight, AFont.FontStyle, AFont.FontColor); }

    // Some kinds write a key at another place than they read it: saving puts
    // AKey right after AAfter.
    void WriteAfter(const char* AKey, const char* AAfter);

    // Reads every key in order; a malformed point or rectangle raises
    // EConvertError, leaving the keys before it read and those after it
    // untouched.
    void Read(const TCustomIniFile& AIniFile, std::string_view ASection) const;
    // Reads only the keys AFirst .. AFirst + ACount - 1 (in reading order).
    void Read(const TCustomIniFile& AIniFile, std::string_view ASection, size_t AFirst, size_t ACount) const;
    // Writes every key in writing order (the section is not erased here).
    void Write(TCustomIniFile& AIniFile, std::string_view ASection) const;

    const std::vector<TbsSkinKey>& Items() const { return FKeys; }
    std::vector<std::string> ReadOrder() const;
    std::vector<std::string> WriteOrder() const;

private:
    void Add(std::string AKey, TbsSkinKeyForm AForm, void* AField, int AIntDefault = 0,
             const char* AStrDefault = "");
    std::vector<TbsSkinKey> FKeys;
    std::vector<size_t> FWriteOrder; // indexes into FKeys
};

// A record that reads and writes one INI section through its key list.
class TbsSkinRecord {
public:
    virtual ~TbsSkinRecord() = default;

    // Reads every key of the record's section, then applies the record's
    // rules that derive fields from others.
    virtual void LoadFromFile(const TCustomIniFile& AIniFile);
    // Erases the section, then writes every key the reader reads.
    virtual void SaveToFile(TCustomIniFile& AIniFile);

    // The record's keys, bound to its fields.
    TbsSkinKeys Keys();

protected:
    virtual std::string SectionName() const = 0;
    virtual void DescribeKeys(TbsSkinKeys& AKeys) = 0;
    virtual void AfterLoad() {}
};

} // namespace skin
