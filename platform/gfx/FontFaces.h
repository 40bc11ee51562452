#pragma once
// Font files for the font engine: the platform's face names mapped to
// installed families, fontconfig's choice of file for a family, style and
// language, and the files opened with FreeType. Every answer is kept for the
// life of the process: a file is matched and opened once, however many
// logical fonts and sizes use it, and one pixel size of a file is set up
// once for all the fonts of that size. Callers hold FontEngineLock() while
// they use faces and sizes (FreeType's faces are not shared across threads).

#include <memory>
#include <string>
#include <string_view>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct FT_SizeRec_;

namespace platform {

FT_LibraryRec_* FreeTypeLibrary();

// The installed family that stands for a platform face name.
std::string MapFaceName(std::string_view AFaceName);

struct TFaceFile {
    std::string Path;
    int Index = 0;
    std::string Family;
    bool Bold = false;   // the file's own style, without synthetic emboldening
    bool Italic = false;
};

// The file fontconfig picks for AFamily (empty: any family) in the style
// asked for, preferring ALang (nil: no language) when given.
TFaceFile MatchFace(const std::string& AFamily, const char* ALang, bool ABold, bool AItalic);

// AFile opened, nil when it cannot be; the face stays open.
FT_FaceRec_* OpenFace(const TFaceFile& AFile);

// A size of an opened face, shared by every font of that pixel size while
// one holds it. Activate it on its face before loading glyphs.
using TFaceSize = std::shared_ptr<FT_SizeRec_>;
TFaceSize FaceSize(FT_FaceRec_* AFace, int APixels);

// How many font files have been opened so far.
int OpenedFontFiles();

} // namespace platform
