#include "platform/controls/ExtCtrls.h"

#include "platform/ui/Paint.h"

#include <algorithm>

namespace platform {

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FAlign = alLeft;
    FWidth = 3;
    FHeight = 100;
    FColor = clBtnFace;
    Cursor = crSizeWE;
}

TSplitter::~TSplitter() = default;

// The pointer tells which way the bar moves.
void TSplitter::RequestAlign()
{
    TGraphicControl::RequestAlign();
    Cursor = (FAlign == alTop || FAlign == alBottom) ? crSizeNS : crSizeWE;
}

TControl* TSplitter::FindControl()
{
    if (!FParent)
        return nullptr;
    TPoint p = Point(FLeft, FTop);
    switch (FAlign) {
    case alLeft: --p.X; break;
    case alRight: p.X += FWidth; break;
    case alTop: --p.Y; break;
    case alBottom: p.Y += FHeight; break;
    default: return nullptr;
    }
    const bool before = FAlign == alLeft || FAlign == alTop;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (c == this || !c->Visible() || !c->Enabled())
            continue;
        TRect r = c->BoundsRect();
        // A control sized down to nothing still owns the edge it sits on.
        if (r.Width() == 0)
            (before ? r.Left : r.Right) += before ? -1 : 1;
        if (r.Height() == 0)
            (before ? r.Top : r.Bottom) += before ? -1 : 1;
        if (PtInRect(r, p))
            return c;
    }
    return nullptr;
}

bool TSplitter::CanResize(int& NewSize)
{
    bool accept = true;
    if (OnCanResize)
        OnCanResize(this, NewSize, accept);
    return accept;
}

bool TSplitter::DoCanResize(int& ANewSize)
{
    const bool accept = CanResize(ANewSize);
    if (accept && ANewSize <= MinSize && AutoSnap)
        ANewSize = 0;
    return accept;
}

// The new size of the control for the mouse at (X, Y), kept between
// MinSize and what the other aligned controls leave; ASplit is how far the
// splitter moves for it.
void TSplitter::CalcSplitSize(int X, int Y, int& ANewSize, int& ASplit)
{
    const bool horz = FAlign == alLeft || FAlign == alRight;
    ASplit = horz ? X - FDownPos.X : Y - FDownPos.Y;
    int s = 0;
    switch (FAlign) {
    case alLeft: s = FControl->Width() + ASplit; break;
    case alRight: s = FControl->Width() - ASplit; break;
    case alTop: s = FControl->Height() + ASplit; break;
    case alBottom: s = FControl->Height() - ASplit; break;
    default: break;
    }
    ANewSize = std::clamp(s, MinSize, std::max(MinSize, FMaxSize));
    if (s != ANewSize)
        ASplit += (FAlign == alRight || FAlign == alBottom) ? s - ANewSize : ANewSize - s;
}

void TSplitter::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TGraphicControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    FControl = FindControl();
    FDownPos = Point(X, Y);
    if (!FControl)
        return;
    const bool horz = FAlign == alLeft || FAlign == alRight;
    FMaxSize = (horz ? FParent->ClientWidth() : FParent->ClientHeight()) - MinSize;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (!c->Visible())
            continue;
        if (horz && (c->Align() == alLeft || c->Align() == alRight))
            FMaxSize -= c->Width();
        if (!horz && (c->Align() == alTop || c->Align() == alBottom))
            FMaxSize -= c->Height();
    }
    FMaxSize += horz ? FControl->Width() : FControl->Height();
    FOldSize = horz ? FControl->Width() : FControl->Height();
    CalcSplitSize(X, Y, FNewSize, FSplit);
    if (ResizeStyle == rsLine || ResizeStyle == rsPattern)
        DrawLine();
}

void TSplitter::MouseMove(TShiftState AShift, int X, int Y)
{
    TGraphicControl::MouseMove(AShift, X, Y);
    if (!(AShift & ssLeft) || !FControl)
        return;
    int newSize = 0, split = 0;
    CalcSplitSize(X, Y, newSize, split);
    if (!DoCanResize(newSize))
        return;
    if (FLineVisible)
        DrawLine();
    FNewSize = newSize;
    FSplit = split;
    if (ResizeStyle == rsUpdate)
        UpdateControlSize();
    if (ResizeStyle == rsLine || ResizeStyle == rsPattern)
        DrawLine();
}

void TSplitter::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TGraphicControl::MouseUp(AButton, AShift, X, Y);
    if (!FControl)
        return;
    if (FLineVisible)
        DrawLine();
    UpdateControlSize();
    StopSizing();
}

void TSplitter::UpdateControlSize()
{
    if (FNewSize == FOldSize)
        return;
    switch (FAlign) {
    case alLeft: FControl->SetWidth(FNewSize); break;
    case alTop: FControl->SetHeight(FNewSize); break;
    case alRight:
        FParent->DisableAlign();
        FControl->SetBounds(FControl->Left() + FControl->Width() - FNewSize, FControl->Top(), FNewSize,
                            FControl->Height());
        FParent->EnableAlign();
        break;
    case alBottom:
        FParent->DisableAlign();
        FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - FNewSize, FControl->Width(),
                            FNewSize);
        FParent->EnableAlign();
        break;
    default: break;
    }
    Update();
    if (OnMoved)
        OnMoved(this);
    FOldSize = FNewSize;
}

// The inverted bar where the splitter will go, drawn twice to take it away.
void TSplitter::DrawLine()
{
    if (!FParent || !FParent->HandleAllocated())
        return;
    FLineVisible = !FLineVisible;
    const bool horz = FAlign == alLeft || FAlign == alRight;
    const TRect r = horz ? Bounds(FLeft + FSplit, FTop, FWidth, FHeight) : Bounds(FLeft, FTop + FSplit, FWidth, FHeight);
    HDC dc = GetDC(FParent->Handle());
    InvertRect(dc, &r);
    ReleaseDC(FParent->Handle(), dc);
}

void TSplitter::StopSizing()
{
    FControl = nullptr;
    FLineVisible = false;
}

void TSplitter::Paint()
{
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, FWidth, FHeight);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    if (Beveled) {
        const bool horz = FAlign == alLeft || FAlign == alRight;
        r = horz ? Rect(r.Left + 1, r.Top + 2, r.Right - 1, r.Bottom - 2) : Rect(r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
        r = OffsetRect(r, 1, 1);
        c->Brush()->SetColor(clBtnHighlight);
        c->FrameRect(r);
        r = OffsetRect(r, -2, -2);
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
    }
    if (OnPaint)
        OnPaint(this);
}

} // namespace platform
