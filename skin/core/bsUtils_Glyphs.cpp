#include "skin/core/bsUtils_Glyphs.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Messages.h"

#include <array>

namespace skin {

using namespace platform;

namespace {

void Pen(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
}

void Line(TCanvas* Canvas, int X0, int Y0, int X1, int Y1)
{
    Canvas->MoveTo(X0, Y0);
    Canvas->LineTo(X1, Y1);
}

void Centre(const TRect& R, int& CX, int& CY)
{
    CX = R.Left + R.Width() / 2;
    CY = R.Top + R.Height() / 2;
}

// The arrows of N lines: left and up grow from the tip at 2 before the
// centre, right and down shrink towards the tip at 2 after it.
void Arrow(TCanvas* Canvas, const TRect& R, TColor Color, int Kind, int N)
{
    int CX, CY;
    Centre(R, CX, CY);
    Pen(Canvas, Color);
    for (int I = 0; I < N; ++I) {
        int NDown = N - 1 - I;
        switch (Kind) {
        case 1: Line(Canvas, CX + I - 2, CY - I, CX + I - 2, CY + I + 1); break;
        case 2: Line(Canvas, CX - NDown + 2, CY - NDown, CX - NDown + 2, CY + NDown + 1); break;
        case 3: Line(Canvas, CX - I, CY + I - 2, CX + I + 1, CY + I - 2); break;
        case 4: Line(Canvas, CX - NDown, CY - NDown + 2, CX + NDown + 1, CY - NDown + 2); break;
        default: return;
        }
    }
}

void HLines(TCanvas* Canvas, int X, int Y, std::initializer_list<std::array<int, 3>> ALines)
{
    for (const auto& L : ALines)
        Line(Canvas, X + L[0], Y + L[2], X + L[1], Y + L[2]);
}

void Frames(TCanvas* Canvas, int X, int Y, TColor Color, std::initializer_list<TRect> ARects)
{
    Pen(Canvas, Color);
    Canvas->Brush()->SetStyle(bsClear);
    for (const TRect& R : ARects)
        Canvas->Rectangle(X + R.Left, Y + R.Top, X + R.Right, Y + R.Bottom);
}

} // namespace

void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Kind)
{
    if (Kind != 5) {
        Arrow(Canvas, R, Color, Kind, 4);
        return;
    }
    int CX, CY;
    Centre(R, CX, CY);
    Pen(Canvas, Color);
    for (int D : {-1, 0}) {
        Line(Canvas, CX - 4, CY + D, CX + 4, CY + D);
        Line(Canvas, CX + D, CY - 4, CX + D, CY + 4);
    }
}

void DrawLargeArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Kind)
{
    Arrow(Canvas, R, Color, Kind, 6);
}

void DrawDownTriangle(TCanvas* Canvas, const TRect& R, TColor Color)
{
    int CX, CY;
    Centre(R, CX, CY);
    Pen(Canvas, Color);
    for (int N = 2; N >= 0; --N)
        Line(Canvas, CX - N, CY + 2 - N, CX + N + 1, CY + 2 - N);
}

void DrawRadioImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    for (int I = 0; I < 3; ++I)
        Canvas->Polyline({{X, Y + 5 - I}, {X + 2, Y + 7 - I}, {X + 7, Y + 2 - I}});
}

void DrawFrame3DLines(TCanvas* Canvas, TRect R, TColor TopColor, TColor BottomColor)
{
    --R.Right;
    --R.Bottom;
    Pen(Canvas, TopColor);
    Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    Pen(Canvas, BottomColor);
    Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}});
}

void DrawDotFocusRect(TCanvas* Canvas, const TRect& R)
{
    TRect P = R;
    --P.Right;
    --P.Bottom;
    TColor Color = Canvas->Font()->Color();
    Pen(Canvas, Color);
    bool Flag = P.Width() % 2 == 0 && P.Height() % 2 == 0;
    // Each side runs from corner to corner; the next side starts with the
    // flag turned back, so a corner gets the same decision from both sides.
    auto Side = [&](int X0, int Y0, int DX, int DY, int N) {
        for (int I = 0; I <= N; ++I) {
            if (!Flag)
                Canvas->SetPixels(X0 + I * DX, Y0 + I * DY, Color);
            Flag = !Flag;
        }
        Flag = !Flag;
    };
    Side(P.Left, P.Top, 1, 0, P.Width());
    Side(P.Right, P.Top, 0, 1, P.Height());
    Side(P.Right, P.Bottom, -1, 0, P.Width());
    Side(P.Left, P.Bottom, 0, -1, P.Height());
}

// ---- caption glyphs

void DrawCloseImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawSysMenuImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    Canvas->Brush()->SetStyle(bsClear);
    HLines(Canvas, X, Y, {{2, 8, 3}, {2, 8, 5}});
}

void DrawMinimizeImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    HLines(Canvas, X, Y, {{1, 9, 8}, {1, 9, 9}});
}

void DrawMaximizeImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Frames(Canvas, X, Y, Color, {Rect(0, 0, 11, 10), Rect(0, 0, 11, 2)});
}

void DrawRestoreImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Frames(Canvas, X, Y, Color, {Rect(2, 0, 10, 6), Rect(2, 0, 10, 2), Rect(0, 4, 7, 10), Rect(0, 4, 7, 6)});
}

void DrawRollDownImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    HLines(Canvas, X, Y, {{5, 6, 6}, {4, 7, 5}, {3, 8, 4}, {2, 9, 3}});
}

void DrawRollUpImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    HLines(Canvas, X, Y, {{2, 9, 5}, {3, 8, 4}, {4, 7, 3}, {5, 6, 2}});
}

void DrawMinimizeToTrayImage(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Pen(Canvas, Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

// ---- colours and pictures

TColor MixColors(TColor C1, TColor C2)
{
    COLORREF A = ColorToRGB(C1), B = ColorToRGB(C2);
    return TColor(RGB(BYTE((GetRValue(A) + GetRValue(B)) >> 1), BYTE((GetGValue(A) + GetGValue(B)) >> 1),
                      BYTE((GetBValue(A) + GetBValue(B)) >> 1)));
}

TColor DarkerColor(TColor Color, uint8_t Percent)
{
    COLORREF C = ColorToRGB(Color);
    auto Dark = [&](BYTE V) { return BYTE(V - MulDiv(V, Percent, 100)); };
    return TColor(RGB(Dark(GetRValue(C)), Dark(GetGValue(C)), Dark(GetBValue(C))));
}

void PngImageToBitmap(TbsBitmap& B, const TPngImage& Png)
{
    const TImageData& Image = Png.Image();
    B.SetSize(Image.Width, Image.Height);
    if (B.Empty() || B.Width() != Image.Width || B.Height() != Image.Height)
        return;
    // Pictures without an alpha channel are held opaque.
    std::copy(Image.Pixels.begin(), Image.Pixels.end(), B.Bits());
    B.CheckingAlphaBlend();
}

// ---- what lies beneath a control

namespace {

// PaintWindow is the parent's own business; the background painter is the
// one outside caller that needs it.
struct TPaintWindowAccess : TWinControl {
    using TWinControl::PaintWindow;
};

// Sets a control's paint-copy state for as long as it lives, also when
// painting throws.
class TPaintCopy {
public:
    explicit TPaintCopy(TControl* AControl) : FControl(AControl) { FControl->ControlState |= csPaintCopyState; }
    ~TPaintCopy() { FControl->ControlState &= ~unsigned(csPaintCopyState); }
    TPaintCopy(const TPaintCopy&) = delete;
    TPaintCopy& operator=(const TPaintCopy&) = delete;

private:
    TControl* FControl;
};

// The origin moves relative to where the canvas has it, so a canvas that
// already maps a control's own place (a windowless control's canvas on its
// parent) lands the parent's picture right as well.
class TSavedOrigin {
public:
    TSavedOrigin(HDC ADC, int DX, int DY, int AClipW, int AClipH) : FDC(ADC), FLevel(SaveDC(ADC))
    {
        OffsetViewportOrgEx(ADC, DX, DY, nullptr);
        IntersectClipRect(ADC, 0, 0, AClipW, AClipH);
    }
    ~TSavedOrigin() { RestoreDC(FDC, FLevel); }
    TSavedOrigin(const TSavedOrigin&) = delete;
    TSavedOrigin& operator=(const TSavedOrigin&) = delete;

private:
    HDC FDC;
    int FLevel;
};

void PaintBeneath(TControl* Control, TCanvas* Canvas, int DX, int DY)
{
    if (Control == nullptr || Control->Parent() == nullptr || Canvas == nullptr)
        return;
    TWinControl* Parent = Control->Parent();
    HDC DC = Canvas->Handle();
    TPaintCopy ParentCopy(Parent);
    {
        TSavedOrigin Origin(DC, DX - Control->Left(), DY - Control->Top(), Parent->ClientWidth(),
                            Parent->ClientHeight());
        // There is no separate MDI client window here: an MDI form erases its
        // own background, as every other parent does.
        Parent->Perform(WM_ERASEBKGND, WPARAM(DC), 0);
        if (dynamic_cast<TCustomForm*>(Parent) == nullptr)
            (Parent->*(&TPaintWindowAccess::PaintWindow))(DC);
    }
    for (int I = 0; I < Parent->ControlCount(); ++I) {
        TControl* Sibling = Parent->Controls(I);
        if (Sibling == Control)
            break;
        if (dynamic_cast<TGraphicControl*>(Sibling) == nullptr || !Sibling->Visible())
            continue;
        TRect A = Sibling->BoundsRect(), B = Control->BoundsRect();
        if (std::max(A.Left, B.Left) >= std::min(A.Right, B.Right) ||
            std::max(A.Top, B.Top) >= std::min(A.Bottom, B.Bottom))
            continue;
        TPaintCopy SiblingCopy(Sibling);
        TSavedOrigin Origin(DC, DX + Sibling->Left() - Control->Left(), DY + Sibling->Top() - Control->Top(),
                            Sibling->Width(), Sibling->Height());
        Sibling->Perform(WM_PAINT, WPARAM(DC), 0);
    }
    Canvas->Refresh();
}

} // namespace

void PaintParentBackground(TControl* Control, TCanvas* Canvas) { PaintBeneath(Control, Canvas, 0, 0); }

void PaintParentBackgroundAt(TControl* Control, const TRect& R, TCanvas* Canvas)
{
    PaintBeneath(Control, Canvas, -R.Left, -R.Top);
}

} // namespace skin
