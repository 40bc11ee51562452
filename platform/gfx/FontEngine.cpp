// Logical fonts over the shared FreeType faces, with their glyphs rendered
// once and kept.

#include "platform/gfx/FontEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/core/SysUtils.h"

namespace platform {

namespace {

int Round(double V) { return int(std::lround(V)); }

class TFreeTypeFont : public TSizedFont {
public:
    TFreeTypeFont(const LOGFONT& AFont)
    {
        bool Bold = AFont.lfWeight >= 600;
        bool Italic = AFont.lfItalic != 0;
        TFaceFile Main = MatchFace(MapFaceName(AFont.lfFaceName), nullptr, Bold, Italic);
        TFaceFile Cjk = MatchFace("", "zh-cn", Bold, Italic);
        FPrimary = OpenFace(Main);
        if (Cjk.Path != Main.Path || Cjk.Index != Main.Index)
            FFallback = OpenFace(Cjk);
        if (FPrimary == nullptr) {
            FPrimary = FFallback;
            FFallback = nullptr;
        }
        Family = Main.Family;
        // Each face is emboldened on its own: a Latin face with a bold style
        // often stands beside a CJK fallback that has none.
        FSynthBold = Bold && !Main.Bold;
        FSynthBoldFallback = Bold && !Cjk.Bold;
        FSynthItalic = Italic && !Main.Italic;
        Underline = AFont.lfUnderline != 0;
        StrikeOut = AFont.lfStrikeOut != 0;
        SetupMetrics(AFont);
    }

    const TGlyph& Glyph(char32_t ACh) override
    {
        auto It = FGlyphs.find(ACh);
        if (It != FGlyphs.end())
            return It->second;
        return FGlyphs.emplace(ACh, Render(ACh)).first->second;
    }

private:
    void SetupMetrics(const LOGFONT& AFont)
    {
        TEXTMETRIC& M = Metrics;
        if (FPrimary == nullptr) {
            M.tmHeight = std::abs(AFont.lfHeight);
            M.tmAscent = M.tmHeight;
            return;
        }
        double Upem = FPrimary->units_per_EM;
        double Asc = FPrimary->ascender, Desc = -FPrimary->descender;
        auto* Os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(FPrimary, FT_SFNT_OS2));
        if (Os2 != nullptr && Os2->usWinAscent + Os2->usWinDescent > 0) {
            Asc = Os2->usWinAscent;
            Desc = Os2->usWinDescent;
        }
        int Ppem;
        if (AFont.lfHeight < 0)
            Ppem = -AFont.lfHeight;
        else if (AFont.lfHeight > 0)
            Ppem = std::max(1, Round(AFont.lfHeight * Upem / (Asc + Desc)));
        else
            Ppem = 16;
        Ppem = std::min(Ppem, 2048);
        FPpem = Ppem;
        FPrimarySize = FaceSize(FPrimary, Ppem);
        if (FFallback)
            FFallbackSize = FaceSize(FFallback, Ppem);
        double Scale = Ppem / Upem;
        M.tmAscent = Round(Asc * Scale);
        M.tmDescent = Round(Desc * Scale);
        M.tmHeight = AFont.lfHeight > 0 ? AFont.lfHeight : M.tmAscent + M.tmDescent;
        M.tmDescent = M.tmHeight - M.tmAscent;
        M.tmInternalLeading = std::max(0, M.tmHeight - Ppem);
        M.tmExternalLeading = 0;
        M.tmWeight = AFont.lfWeight;
        M.tmItalic = AFont.lfItalic;
        M.tmUnderlined = AFont.lfUnderline;
        M.tmStruckOut = AFont.lfStrikeOut;
        M.tmCharSet = AFont.lfCharSet;
        M.tmOverhang = 0;
        // Average width from the lower-case letters, as the platform derives it.
        const char* Sample = "abcdefghijklmnopqrstuvwxyz";
        int Sum = 0;
        for (const char* C = Sample; *C; ++C)
            Sum += Glyph(char32_t(*C)).Advance;
        M.tmAveCharWidth = std::max(1, (Sum + 13) / 26);
        M.tmMaxCharWidth = std::max(M.tmAveCharWidth, Round((FPrimary->bbox.xMax - FPrimary->bbox.xMin) * Scale));
        UnderlinePos = std::max(1, Round(-FPrimary->underline_position * Scale));
        UnderlineThickness = std::max(1, Round(FPrimary->underline_thickness * Scale));
        StrikeOutPos = Os2 != nullptr ? std::max(1, Round(Os2->yStrikeoutPosition * Scale)) : M.tmAscent / 3;
    }

    TGlyph Render(char32_t ACh)
    {
        TGlyph G;
        FT_Face Face = FPrimary;
        FT_UInt Index = Face != nullptr ? FT_Get_Char_Index(Face, ACh) : 0;
        if (Index == 0 && FFallback != nullptr) {
            FT_UInt I = FT_Get_Char_Index(FFallback, ACh);
            if (I != 0) {
                Face = FFallback;
                Index = I;
            }
        }
        if (Face == nullptr)
            return G;
        // The face is shared with the fonts of other sizes.
        const TFaceSize& Size = Face == FPrimary ? FPrimarySize : FFallbackSize;
        if (Size == nullptr || FT_Activate_Size(Size.get()) != 0 ||
            FT_Load_Glyph(Face, Index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0)
            return G;
        FT_GlyphSlot Slot = Face->glyph;
        const bool SynthBold = Face == FPrimary ? FSynthBold : FSynthBoldFallback;
        const bool EmbeddedBitmap = Slot->format == FT_GLYPH_FORMAT_BITMAP;
        if (Slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (SynthBold)
                FT_Outline_EmboldenXY(&Slot->outline, std::max(32, FPpem * 2), 0);
            if (FSynthItalic) {
                FT_Matrix Shear{0x10000, 0x3800, 0, 0x10000};
                FT_Outline_Transform(&Slot->outline, &Shear);
            }
        }
        G.Advance = int((Slot->advance.x + 32) >> 6) + (SynthBold ? 1 : 0);
        if (ACh == U'\t' || ACh == U'\n' || ACh == U'\r')
            return G;
        if (FT_Render_Glyph(Slot, FT_RENDER_MODE_NORMAL) != 0)
            return G;
        // Faces with embedded bitmaps for small sizes come as bitmaps: widen
        // those by one pixel, as the outlines are widened above.
        if (SynthBold && EmbeddedBitmap && FT_GlyphSlot_Own_Bitmap(Slot) == 0)
            FT_Bitmap_Embolden(FreeTypeLibrary(), &Slot->bitmap, 64, 0);
        const FT_Bitmap& B = Slot->bitmap;
        G.Left = Slot->bitmap_left;
        G.Top = Slot->bitmap_top;
        G.Width = int(B.width);
        G.Height = int(B.rows);
        G.Coverage.resize(size_t(G.Width) * size_t(G.Height));
        for (int Y = 0; Y < G.Height; ++Y) {
            const uint8_t* Row = B.buffer + Y * B.pitch;
            if (B.pixel_mode == FT_PIXEL_MODE_MONO) {
                for (int X = 0; X < G.Width; ++X)
                    G.Coverage[size_t(Y * G.Width + X)] = (Row[X >> 3] & (0x80 >> (X & 7))) ? 255 : 0;
            } else {
                std::memcpy(&G.Coverage[size_t(Y * G.Width)], Row, size_t(G.Width));
            }
        }
        return G;
    }

    FT_Face FPrimary = nullptr;
    FT_Face FFallback = nullptr;
    TFaceSize FPrimarySize;
    TFaceSize FFallbackSize;
    bool FSynthBold = false;
    bool FSynthBoldFallback = false;
    bool FSynthItalic = false;
    int FPpem = 16;
    std::unordered_map<char32_t, TGlyph> FGlyphs;
};

std::string FontKey(const LOGFONT& F)
{
    return LowerCase(F.lfFaceName) + "|" + std::to_string(F.lfHeight) + "|" + std::to_string(F.lfWeight >= 600) +
           std::to_string(F.lfItalic != 0) + std::to_string(F.lfUnderline != 0) + std::to_string(F.lfStrikeOut != 0);
}

} // namespace

std::mutex& FontEngineLock()
{
    static std::mutex M;
    return M;
}

TSizedFont& GetSizedFont(const LOGFONT& AFont)
{
    static auto* Cache = new std::unordered_map<std::string, std::unique_ptr<TSizedFont>>();
    std::string Key = FontKey(AFont);
    auto It = Cache->find(Key);
    if (It != Cache->end())
        return *It->second;
    // A bound on distinct fonts: a program that makes endless sizes starts over.
    if (Cache->size() > 256)
        Cache->clear();
    return *Cache->emplace(Key, std::make_unique<TFreeTypeFont>(AFont)).first->second;
}

std::u32string DecodeUtf8(std::string_view S)
{
    std::u32string Out;
    Out.reserve(S.size());
    size_t I = 0;
    while (I < S.size()) {
        auto C = uint8_t(S[I]);
        int N = C < 0x80 ? 0 : (C >> 5) == 6 ? 1 : (C >> 4) == 14 ? 2 : (C >> 3) == 30 ? 3 : -1;
        char32_t V = N == 0 ? C : N == 1 ? (C & 0x1F) : N == 2 ? (C & 0x0F) : (C & 0x07);
        bool Ok = N >= 0 && I + size_t(N) < S.size() + 0 && I + size_t(N) <= S.size() - 1 + 1;
        for (int K = 1; Ok && K <= N; ++K) {
            if (I + size_t(K) >= S.size() || (uint8_t(S[I + size_t(K)]) & 0xC0) != 0x80)
                Ok = false;
            else
                V = (V << 6) | (uint8_t(S[I + size_t(K)]) & 0x3F);
        }
        if (!Ok) {
            Out.push_back(0xFFFD);
            ++I;
            continue;
        }
        Out.push_back(V);
        I += size_t(N) + 1;
    }
    return Out;
}

} // namespace platform
