#include "skin/core/bseffects_Link.h"

#include <cstring>

#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "skin/core/bseffects.h"

namespace skin {

using namespace platform;

void TbsBitmapLink::Assign(TPersistent* ASource)
{
    auto* L = dynamic_cast<TbsBitmapLink*>(ASource);
    if (L == nullptr) {
        TPersistent::Assign(ASource);
        return;
    }
    Image = L->Image;
    Rect = L->Rect;
    Name = L->Name;
    FMasked = L->FMasked;
    FMaskedBorder = L->FMaskedBorder;
    FMaskedAngles = L->FMaskedAngles;
}

bool TbsBitmapLink::Assigned() const
{
    return Image != nullptr && int64_t(Rect.Right - Rect.Left) * (Rect.Bottom - Rect.Top) > 0;
}

void TbsBitmapLink::LoadFromStream(TStream& AStream)
{
    ReadStreamString(AStream, Name);
    int32_t V[4];
    AStream.ReadBuffer(V, sizeof(V));
    Rect = platform::Rect(V[0], V[1], V[2], V[3]);
}

void TbsBitmapLink::SaveToStream(TStream& AStream)
{
    WriteStreamString(AStream, Name);
    int32_t V[4] = {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    AStream.WriteBuffer(V, sizeof(V));
}

bool TbsBitmapLink::Drawable() const
{
    return Image != nullptr && !Image->Empty() && Rect.Width() > 0 && Rect.Height() > 0;
}

void TbsBitmapLink::Draw(TCanvas* ACanvas, int AX, int AY)
{
    if (Drawable())
        Image->Draw(ACanvas, AX, AY, Rect);
}

void TbsBitmapLink::Draw(TbsBitmap& ABitmap, int AX, int AY)
{
    if (Drawable())
        Image->Draw(ABitmap, AX, AY, Rect);
}

void TbsBitmapLink::CheckingMasked() { CheckingMasked(TRect{}); }

void TbsBitmapLink::CheckingMasked(const TRect& AMargin)
{
    FMasked = FMaskedBorder = FMaskedAngles = false;
    // Outside the image a pixel reads as 0, which is see-through.
    auto SeeThrough = [&](int X, int Y) {
        TbsColor P = 0;
        if (Image != nullptr && !Image->Empty() && X >= 0 && Y >= 0 && X < Image->Width() && Y < Image->Height())
            P = *Image->GetPixelPtr(X, Y);
        return P != 0x33333333 && (P == bsTransparentColor || (P >> 24) != 255);
    };
    bool NoMargin = AMargin.Left == 0 && AMargin.Top == 0 && AMargin.Right == 0 && AMargin.Bottom == 0;
    int W = Rect.Right - Rect.Left, H = Rect.Bottom - Rect.Top;
    const TRect M = AMargin;
    struct TArea {
        TRect R;
        bool* Flag;
    };
    const TArea Areas[] = {
        {{0, 0, M.Left, M.Top}, &FMaskedAngles},
        {{W - M.Right, 0, W, M.Top}, &FMaskedAngles},
        {{W - M.Right, H - M.Bottom, W, H}, &FMaskedAngles},
        {{0, H - M.Bottom, M.Left, H}, &FMaskedAngles},
        {{M.Left, 0, W - M.Right, M.Top}, &FMaskedBorder},
        {{M.Left, H - M.Bottom, W - M.Right, H}, &FMaskedBorder},
        {{0, M.Top, M.Left, H - M.Bottom}, &FMaskedBorder},
        {{W - M.Right, M.Top, W, H - M.Bottom}, &FMaskedBorder},
        {{M.Left, M.Top, W - M.Right, H - M.Bottom}, &FMasked},
    };
    for (int X = Rect.Left; X < Rect.Right; ++X)
        for (int Y = Rect.Top; Y < Rect.Bottom; ++Y) {
            if (!SeeThrough(X, Y))
                continue;
            if (NoMargin) {
                FMasked = true;
                break;
            }
            int PX = X - Rect.Left, PY = Y - Rect.Top;
            for (const TArea& A : Areas)
                if (PX >= A.R.Left && PX < A.R.Right && PY >= A.R.Top && PY < A.R.Bottom)
                    *A.Flag = true;
        }
}

// ---- stream strings

void WriteStreamString(TStream& AStream, const std::string& AText)
{
    std::u16string U = Utf8ToUtf16(AText);
    int32_t N = int32_t(U.size());
    AStream.WriteBuffer(&N, sizeof(N));
    std::vector<uint8_t> Bytes(U.size() * 2);
    for (size_t I = 0; I < U.size(); ++I) {
        Bytes[2 * I] = uint8_t(U[I]);
        Bytes[2 * I + 1] = uint8_t(U[I] >> 8);
    }
    if (N > 0)
        AStream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
}

void ReadStreamString(TStream& AStream, std::string& AText)
{
    int32_t N = 0;
    AStream.ReadBuffer(&N, sizeof(N));
    // A count beyond the stream's end is damage, not a reason to allocate.
    if (N < 0 || int64_t(N) * 2 > AStream.Size() - AStream.Position())
        throw EReadError("Stream read error");
    std::vector<uint8_t> Bytes(size_t(N) * 2);
    if (N > 0)
        AStream.ReadBuffer(Bytes.data(), int64_t(Bytes.size()));
    std::u16string U(size_t(N), u'\0');
    for (size_t I = 0; I < U.size(); ++I)
        U[I] = char16_t(Bytes[2 * I] | (Bytes[2 * I + 1] << 8));
    AText = Utf16ToUtf8(U);
}

// ---- rectangle texts

void ReadRectToken(std::string& AText, std::string& AToken)
{
    static const char Separators[] = " (),:;=";
    AToken.clear();
    size_t I = 0;
    for (; I < AText.size(); ++I) {
        if (std::strchr(Separators, AText[I]) != nullptr) {
            ++I;
            break;
        }
        AToken += AText[I];
    }
    AText = Trim(std::string_view(AText).substr(I));
    AToken = Trim(AToken);
}

TRect StrToRect(const std::string& AText)
{
    std::string S = AText, Token;
    int V[4];
    try {
        for (int& X : V) {
            ReadRectToken(S, Token);
            X = StrToInt(Token);
        }
    } catch (const EConvertError&) {
        return TRect{};
    }
    return Rect(V[0], V[1], V[2], V[3]);
}

} // namespace skin
