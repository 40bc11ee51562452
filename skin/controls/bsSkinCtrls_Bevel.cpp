#include "skin/controls/bsSkinCtrls_Bevel.h"

namespace skin {

using namespace platform;

namespace {

// The dotted outline of a spacer at design time.
constexpr TColor DesignSpacerColor = 16767182;

} // namespace

TbsSkinBevel::TbsSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TbsSkinBevel::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
    ChangeSkinData();
}

// A model freed under the bevel must not be read by the next skin change.
void TbsSkinBevel::Notification(TComponent* AComponent, TOperation AOperation)
{
    TBevel::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FSD)
        FSD = nullptr;
}

void TbsSkinBevel::SetDividerMode(bool Value)
{
    FDividerMode = Value;
    Repaint();
}

void TbsSkinBevel::ChangeSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) {
        LightColor = clBtnHighlight;
        DarkColor = clBtnShadow;
    } else if (auto* rec = dynamic_cast<TbsDataSkinBevel*>(FSD->CtrlList[size_t(FIndex)].get())) {
        LightColor = rec->LightColor;
        DarkColor = rec->DarkColor;
    }
    Repaint();
}

// On a tool bar that lines its controls up the bevel stands in the middle
// of the bar's client part.
void TbsSkinBevel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    CentreOnToolBar(Parent(), AHeight, ATop);
    TBevel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsSkinBevel::BevelRect(int L, int T, int R, int B, TColor AColor1, TColor AColor2)
{
    TCanvas* c = Canvas();
    c->Pen()->SetColor(AColor1);
    c->Polyline({Point(L, B), Point(L, T), Point(R, T)});
    c->Pen()->SetColor(AColor2);
    c->Polyline({Point(R, T), Point(R, B), Point(L, B)});
}

void TbsSkinBevel::BevelLine(TColor AColor, int X1, int Y1, int X2, int Y2)
{
    TCanvas* c = Canvas();
    c->Pen()->SetColor(AColor);
    c->MoveTo(X1, Y1);
    c->LineTo(X2, Y2);
}

void TbsSkinBevel::PaintDesignSpacer()
{
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(psDot);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(DesignSpacerColor);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, Width(), Height());
}

void TbsSkinBevel::Paint()
{
    TCanvas* c = Canvas();
    if (IsDesigning()) {
        if (Shape == bsSpacer) {
            PaintDesignSpacer();
            return;
        }
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetMode(pmCopy);
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsSolid);
    }
    c->Pen()->SetWidth(1);
    const TColor color1 = Style == bsLowered ? DarkColor : LightColor;
    const TColor color2 = Style == bsLowered ? LightColor : DarkColor;
    if (FDividerMode)
        PaintDivider(color1, color2);
    else
        PaintShape(color1, color2);
}

void TbsSkinBevel::PaintDivider(TColor AColor1, TColor AColor2)
{
    const int w = Width(), h = Height();
    switch (Shape) {
    case bsTopLine:
    case bsBottomLine: BevelRect(2, h / 2 - 1, w - 2, h / 2, AColor1, AColor2); break;
    case bsBox:
    case bsFrame:
    case bsLeftLine:
    case bsRightLine: BevelRect(w / 2 - 1, 2, w / 2, h - 2, AColor1, AColor2); break;
    case bsSpacer: break;
    }
}

void TbsSkinBevel::PaintShape(TColor AColor1, TColor AColor2)
{
    const int w = Width(), h = Height();
    switch (Shape) {
    case bsBox: BevelRect(0, 0, w - 1, h - 1, AColor1, AColor2); break;
    case bsFrame:
        BevelRect(1, 1, w - 1, h - 1, AColor2, AColor2);
        BevelRect(0, 0, w - 2, h - 2, AColor1, AColor1);
        break;
    case bsTopLine:
        BevelLine(AColor1, 0, 0, w, 0);
        BevelLine(AColor2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        BevelLine(AColor1, 0, h - 2, w, h - 2);
        BevelLine(AColor2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        BevelLine(AColor1, 0, 0, 0, h);
        BevelLine(AColor2, 1, 0, 1, h);
        break;
    case bsRightLine:
        BevelLine(AColor1, w - 2, 0, w - 2, h);
        BevelLine(AColor2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

} // namespace skin
