#pragma once
// How skin INI files spell their values: numbers, Booleans, points,
// rectangles, font styles, word-coded enumerations and lists.
//
// Stored skins rely on the lenient rules kept here: points and rectangles
// keep only their digits (signs and other characters are dropped), only the
// integer 1 is true, and unknown enumeration words fall back silently, not
// always to the value of the missing key. A point or rectangle part without
// a digit raises EConvertError, which aborts the skin load.

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "platform/core/Types.h"

#include <string>
#include <string_view>

namespace skin {

using platform::TAlignment;
using platform::TColor;
using platform::TCustomIniFile;
using platform::TFontStyles;
using platform::TPoint;
using platform::TRect;
using platform::TStringList;

enum TbsStretchType : uint8_t { bsstFull, bsstHorz, bsstVert };

enum TbsMorphKind : uint8_t {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum TbsInActiveEffect : uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// The window command of a caption button.
enum TbsStdCommand : uint8_t {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// Number lists: digits are kept, "," separates parts, everything else is
// dropped. Raise EConvertError when an expected part has no digit or does
// not fit a 32-bit integer; parts beyond the expected ones are ignored,
// however many there are.
TPoint ParseSkinPoint(std::string_view AText);
TRect ParseSkinRect(std::string_view AText);

TRect ReadSkinRect(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey);
TPoint ReadSkinPoint(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey);
bool ReadSkinBoolean(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey);
TFontStyles ReadSkinFontStyles(const TCustomIniFile& AIniFile, std::string_view ASection,
                               std::string_view AKey);
TAlignment ReadSkinAlignment(const TCustomIniFile& AIniFile, std::string_view ASection,
                             std::string_view AKey);
TbsStretchType ReadSkinStretchType(const TCustomIniFile& AIniFile, std::string_view ASection,
                                   std::string_view AKey);
TbsMorphKind ReadSkinMorphKind(const TCustomIniFile& AIniFile, std::string_view ASection,
                               std::string_view AKey);
TbsInActiveEffect ReadSkinInActiveEffect(const TCustomIniFile& AIniFile, std::string_view ASection,
                                         std::string_view AKey);
TbsStdCommand ReadSkinStdCommand(const TCustomIniFile& AIniFile, std::string_view ASection,
                                 std::string_view AKey);
// Appends the items of the list AName (keys AName + "count", "0", "1", ...).
void ReadSkinStrings(const TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AName,
                     TStringList& AList);

void WriteSkinRect(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                   const TRect& AValue);
void WriteSkinPoint(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                    const TPoint& AValue);
void WriteSkinBoolean(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                      bool AValue);
void WriteSkinFontStyles(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                         TFontStyles AValue);
void WriteSkinAlignment(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                        TAlignment AValue);
void WriteSkinStretchType(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                          TbsStretchType AValue);
void WriteSkinMorphKind(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                        TbsMorphKind AValue);
void WriteSkinInActiveEffect(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                             TbsInActiveEffect AValue);
void WriteSkinStdCommand(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AKey,
                         TbsStdCommand AValue);
void WriteSkinStrings(TCustomIniFile& AIniFile, std::string_view ASection, std::string_view AName,
                      const TStringList& AList);

} // namespace skin
