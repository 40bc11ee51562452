// Face names, fontconfig matches and opened FreeType faces, each found once.

#include "platform/gfx/FontFaces.h"

#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <map>
#include <mutex>
#include <tuple>

#include "platform/core/SysUtils.h"

namespace platform {

namespace {

// Face names used by the program's forms and skins, and what stands for
// them here. The first installed candidate wins; fontconfig's own choice
// for the name comes after them.
struct TFaceMapping {
    const char* Names[8];
    const char* Candidates[4];
};
const TFaceMapping FaceMappings[] = {
    {{"宋体", "SimSun", "新宋体", "NSimSun", "黑体", "SimHei", "微软雅黑", "Microsoft YaHei"},
     {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback", nullptr}},
    {{"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Arial", "Verdana",
      "Segoe UI"},
     {"DejaVu Sans", "Liberation Sans", nullptr, nullptr}},
    {{"System", "Arial Black", nullptr}, {"DejaVu Sans", nullptr, nullptr, nullptr}},
    {{"Courier New", "Courier", "Lucida Console", "Fixedsys", "Terminal", nullptr},
     {"DejaVu Sans Mono", "Liberation Mono", nullptr, nullptr}},
    {{"Times New Roman", "Times", "Georgia", nullptr}, {"DejaVu Serif", "Liberation Serif", nullptr, nullptr}},
};

// The answers kept; MapFaceName is also asked without the engine's lock.
std::mutex& FacesLock()
{
    static std::mutex M;
    return M;
}

// Fontconfig keeps caches that only FcFini releases.
void InitFontconfig()
{
    static bool Done = [] {
        FcInit();
        std::atexit([] { FcFini(); });
        return true;
    }();
    (void)Done;
}

bool FamilyInstalled(const char* AFamily)
{
    InitFontconfig();
    FcPattern* P = FcNameParse(reinterpret_cast<const FcChar8*>(AFamily));
    FcObjectSet* Os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* Set = FcFontList(nullptr, P, Os);
    bool Found = Set != nullptr && Set->nfont > 0;
    if (Set)
        FcFontSetDestroy(Set);
    FcObjectSetDestroy(Os);
    FcPatternDestroy(P);
    return Found;
}

std::string FindFamily(std::string_view AFaceName)
{
    for (const TFaceMapping& M : FaceMappings)
        for (const char* N : M.Names)
            if (N != nullptr && SameText(N, AFaceName))
                for (const char* C : M.Candidates)
                    if (C != nullptr && FamilyInstalled(C))
                        return C;
    return std::string(AFaceName);
}

TFaceFile FindFace(const std::string& AFamily, const char* ALang, bool ABold, bool AItalic)
{
    InitFontconfig();
    FcPattern* P = FcPatternCreate();
    if (!AFamily.empty())
        FcPatternAddString(P, FC_FAMILY, reinterpret_cast<const FcChar8*>(AFamily.c_str()));
    FcPatternAddString(P, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    if (ALang != nullptr)
        FcPatternAddString(P, FC_LANG, reinterpret_cast<const FcChar8*>(ALang));
    FcPatternAddInteger(P, FC_WEIGHT, ABold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(P, FC_SLANT, AItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, P, FcMatchPattern);
    FcDefaultSubstitute(P);
    FcResult Result;
    FcPattern* M = FcFontMatch(nullptr, P, &Result);
    TFaceFile F;
    if (M != nullptr) {
        FcChar8* S = nullptr;
        if (FcPatternGetString(M, FC_FILE, 0, &S) == FcResultMatch)
            F.Path = reinterpret_cast<const char*>(S);
        if (FcPatternGetString(M, FC_FAMILY, 0, &S) == FcResultMatch)
            F.Family = reinterpret_cast<const char*>(S);
        FcPatternGetInteger(M, FC_INDEX, 0, &F.Index);
        int W = 0, Sl = 0;
        FcPatternGetInteger(M, FC_WEIGHT, 0, &W);
        FcPatternGetInteger(M, FC_SLANT, 0, &Sl);
        // fontconfig reports a face without a bold style as bold when it
        // asks for synthetic emboldening; that face still has to be widened.
        FcBool Embolden = FcFalse;
        FcPatternGetBool(M, FC_EMBOLDEN, 0, &Embolden);
        F.Bold = W >= FC_WEIGHT_DEMIBOLD && !Embolden;
        F.Italic = Sl != FC_SLANT_ROMAN;
        FcPatternDestroy(M);
    }
    FcPatternDestroy(P);
    return F;
}

// Opened files by path and face index, and their sizes by pixel size; a
// size lives while a font holds it.
std::map<std::pair<std::string, int>, FT_Face>& OpenedFaces()
{
    static auto* Faces = new std::map<std::pair<std::string, int>, FT_Face>();
    return *Faces;
}

std::map<FT_Face, std::map<int, std::weak_ptr<FT_SizeRec_>>>& FaceSizes()
{
    static auto* Sizes = new std::map<FT_Face, std::map<int, std::weak_ptr<FT_SizeRec_>>>();
    return *Sizes;
}

int OpenCount = 0;

} // namespace

FT_Library FreeTypeLibrary()
{
    static FT_Library L = [] {
        FT_Library R = nullptr;
        FT_Init_FreeType(&R);
        return R;
    }();
    return L;
}

std::string MapFaceName(std::string_view AFaceName)
{
    std::lock_guard<std::mutex> Guard(FacesLock());
    static auto* Families = new std::map<std::string, std::string, std::less<>>();
    auto It = Families->find(AFaceName);
    if (It == Families->end())
        It = Families->emplace(std::string(AFaceName), FindFamily(AFaceName)).first;
    return It->second;
}

TFaceFile MatchFace(const std::string& AFamily, const char* ALang, bool ABold, bool AItalic)
{
    std::lock_guard<std::mutex> Guard(FacesLock());
    using TKey = std::tuple<std::string, std::string, bool, bool>;
    static auto* Matches = new std::map<TKey, TFaceFile>();
    TKey Key{AFamily, ALang != nullptr ? ALang : "", ABold, AItalic};
    auto It = Matches->find(Key);
    if (It == Matches->end())
        It = Matches->emplace(Key, FindFace(AFamily, ALang, ABold, AItalic)).first;
    return It->second;
}

FT_Face OpenFace(const TFaceFile& AFile)
{
    if (AFile.Path.empty())
        return nullptr;
    std::lock_guard<std::mutex> Guard(FacesLock());
    FT_Face& Face = OpenedFaces()[{AFile.Path, AFile.Index}];
    // A file that cannot be opened is tried again by the next font.
    if (Face == nullptr && FT_New_Face(FreeTypeLibrary(), AFile.Path.c_str(), AFile.Index, &Face) == 0)
        ++OpenCount;
    return Face;
}

TFaceSize FaceSize(FT_Face AFace, int APixels)
{
    std::lock_guard<std::mutex> Guard(FacesLock());
    std::weak_ptr<FT_SizeRec_>& Kept = FaceSizes()[AFace][APixels];
    if (TFaceSize Size = Kept.lock())
        return Size;
    FT_Size Size = nullptr;
    if (FT_New_Size(AFace, &Size) != 0)
        return nullptr;
    FT_Activate_Size(Size);
    FT_Set_Pixel_Sizes(AFace, 0, FT_UInt(APixels));
    // Freed with the last font of its size, under the engine's lock as all
    // use of the face is.
    TFaceSize Shared(Size, FT_Done_Size);
    Kept = Shared;
    return Shared;
}

int OpenedFontFiles()
{
    std::lock_guard<std::mutex> Guard(FacesLock());
    return OpenCount;
}

} // namespace platform
