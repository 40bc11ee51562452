// A window of the layered border: what lies under the cursor on it (a
// sizing edge or corner, the caption, a caption button), and the drags
// that size or move the form from it.

#include "skin/form/bsSkinForm_LayerBorder.h"

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

bool IsSizingZone(TbsFormLayerBorderHit AHit)
{
    return AHit >= bsflhLeft && AHit <= bsflhBottomRight;
}

// The cursor that tells what a drag from the zone would do.
TCursor CursorOf(TbsFormLayerBorderHit AHit)
{
    switch (AHit) {
    case bsflhLeft:
    case bsflhRight: return crSizeWE;
    case bsflhTop:
    case bsflhBottom: return crSizeNS;
    case bsflhTopLeft:
    case bsflhBottomRight: return crSizeNWSE;
    case bsflhTopRight:
    case bsflhBottomLeft: return crSizeNESW;
    default: return crDefault;
    }
}

// One axis of a sizing step: a leading (left or top) edge moves only while
// the trailing edge stays, so a size clamped at a limit drops the step; a
// trailing edge just stops at the limit.
bool SizeAxis(bool ALeading, bool ATrailing, int AFrom, int ADelta, int AMin, int AMax, int& ASize, int& APos)
{
    if (ALeading) {
        ASize = std::clamp(AFrom - ADelta, AMin, AMax);
        if (ASize != AFrom - ADelta)
            return false;
        APos += ADelta;
    } else if (ATrailing)
        ASize = std::clamp(AFrom + ADelta, AMin, AMax);
    return true;
}

} // namespace

TbsFormLayerWindow::TbsFormLayerWindow(TbsFormLayerBorder* ALayerBorder, TCustomForm* AForm, TbsFormLayerBorderType AType)
    : TbsLayerWindow(nullptr), FForm(AForm), FLayerBorder(ALayerBorder), BorderType(AType)
{
}

// Without a border rectangle the border has nothing to size by: the mouse
// passes through it to what lies below.
void TbsFormLayerWindow::CreateParams(TCreateParams& AParams)
{
    TbsLayerWindow::CreateParams(AParams);
    AParams.ExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
    const TbsDataSkinLayerFrame* d = FLayerBorder->FData;
    if (!d || IsNullRect(d->BorderRect))
        AParams.ExStyle |= WS_EX_TRANSPARENT;
    if (FForm->FormStyle() == fsStayOnTop)
        AParams.ExStyle |= WS_EX_TOPMOST;
    AParams.WindowClass.Style |= CS_DBLCLKS;
}

void TbsFormLayerWindow::WndProc(TMessage& AMessage)
{
    struct TBusy {
        int& Count;
        explicit TBusy(int& ACount) : Count(ACount) { ++Count; }
        ~TBusy() { --Count; }
    } busy(FLayerBorder->FBusy);
    switch (AMessage.Msg) {
    case WM_ERASEBKGND: AMessage.Result = 1; return;
    case WM_PAINT: {
        TPaintStruct ps;
        BeginPaint(Handle(), ps);
        EndPaint(Handle(), ps);
        AMessage.Result = 0;
        return;
    }
    case WM_MOUSEACTIVATE:
        // The border never takes the activation; a press on it activates
        // the form it belongs to.
        AMessage.Result = MA_NOACTIVATE;
        if (HitTestEnabled()) {
            ActivateForm();
            const TPoint p = ScreenToClient(GetCursorPos());
            FHitMode = HitTest(p.X, p.Y);
        }
        return;
    case WM_SETFOCUS:
        ActivateForm();
        AMessage.Result = 1;
        return;
    case WM_LBUTTONDBLCLK:
        if (FullBorder())
            DblClick2();
        TbsLayerWindow::WndProc(AMessage);
        FLayerBorder->MouseCaptureObject = -1;
        return;
    case CM_MOUSEENTER:
        if (FullBorder())
            FLayerBorder->MouseTimer->SetEnabled(true);
        break;
    case CM_MOUSELEAVE:
        if (FullBorder()) {
            FLayerBorder->MouseTimer->SetEnabled(false);
            FLayerBorder->TestActive(-1, -1);
        }
        break;
    default: break;
    }
    TbsLayerWindow::WndProc(AMessage);
}

bool TbsFormLayerWindow::HitTestEnabled() const
{
    return FLayerBorder->FData && FLayerBorder->FData->HitTestEnable;
}

bool TbsFormLayerWindow::FullBorder() const
{
    return FLayerBorder->FullBorder();
}

void TbsFormLayerWindow::ActivateForm()
{
    if (FForm->HandleAllocated() && GetActiveWindow() != FForm->Handle())
        SetActiveWindow(FForm->Handle());
}

TbsFormLayerBorderHit TbsFormLayerWindow::HitTest(int X, int Y)
{
    TbsFormLayerBorder& b = *FLayerBorder;
    const TbsDataSkinLayerFrame* d = b.FData;
    if (!d)
        return bsflhNone;
    const TPoint p = GetCursorPos();
    const int fl = FForm->Left(), ft = FForm->Top(), fw = FForm->Width(), fh = FForm->Height();
    // The caption zone: the caption strip below the top sizing band.
    TRect c = d->CaptionRect;
    c.Right += fw - RectWidth(d->ClRect);
    c.Top = d->BorderRect.Top + d->HitTestSize;
    c = OffsetRect(c, Left(), Top());
    if (BorderType == bsflTop && d->FullBorder)
        b.TestActive(X, Y);
    else
        b.ActiveObject = -1;
    auto& objects = b.BSF->ObjectList;
    if (b.ActiveObject >= 0 && b.ActiveObject < int(objects.size()))
        return dynamic_cast<TbsSkinCaptionObject*>(objects[size_t(b.ActiveObject)].get()) ? bsflCaption : bsflObject;
    if (!b.CanSizeThroughLayer())
        return bsflhNone;
    const int outerL = fl - b.LeftSize, outerR = fl + fw + b.RightSize;
    switch (BorderType) {
    case bsflLeft: return p.X >= outerL ? bsflhLeft : bsflhNone;
    case bsflRight: return p.X > outerR ? bsflhNone : bsflhRight;
    case bsflTop: {
        const int outerT = ft - b.TopSize, bottom = Top() + Height();
        const TRect tl{outerL, outerT, outerL + b.HitTopLeftX, outerT + b.HitTopLeftY};
        const TRect tr{outerR - b.HitTopRightX, outerT, outerR, outerT + b.HitTopRightY};
        const TRect band{tl.Right, tl.Top, tr.Left, tl.Top + d->HitTestSize};
        const TRect left{tl.Left, tl.Bottom, tl.Left + d->HitTestSize, bottom};
        const TRect right{tr.Left, tr.Bottom, tr.Right, bottom};
        const bool inCaption = PtInRect(c, p);
        if (PtInRect(tl, p) && !inCaption)
            return bsflhTopLeft;
        if (PtInRect(band, p))
            return bsflhTop;
        if (PtInRect(tr, p) && !inCaption)
            return bsflhTopRight;
        if (PtInRect(left, p) && !inCaption)
            return bsflhLeft;
        if (PtInRect(right, p) && !inCaption)
            return bsflhRight;
        return bsflhNone;
    }
    case bsflBottom: {
        const int outerB = ft + fh + b.BottomSize, top = Top();
        const TRect bl{outerL, outerB - b.HitBottomLeftY, outerL + b.HitBottomLeftX, outerB};
        const TRect br{outerR - b.HitBottomRightX, outerB - b.HitBottomRightY, outerR, outerB};
        const TRect band{bl.Right, bl.Top, br.Left, outerB};
        const TRect left{bl.Left, top, fl, bl.Top};
        const TRect right{fl + fw, top, outerR, br.Top};
        if (PtInRect(bl, p))
            return bsflhBottomLeft;
        if (PtInRect(band, p))
            return bsflhBottom;
        if (PtInRect(br, p))
            return bsflhBottomRight;
        if (PtInRect(left, p))
            return bsflhLeft;
        if (PtInRect(right, p))
            return bsflhRight;
        return bsflhNone;
    }
    }
    return bsflhNone;
}

void TbsFormLayerWindow::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsLayerWindow::MouseDown(AButton, AShift, X, Y);
    TbsSkinForm* bsf = FLayerBorder->BSF;
    if (bsf->SkinMenu())
        bsf->SkinMenu()->Hide();
    if (TWinControl* active = FForm->ActiveControl())
        active->Perform(CM_CANCELMODE, 0, 0);
    const TbsFormLayerBorderHit hit = HitTest(X, Y);
    const bool onObject = hit == bsflCaption || hit == bsflObject;
    if (!HitTestEnabled() || (!FLayerBorder->CanSizeThroughLayer() && !onObject))
        return;
    FHitMode = hit;
    FDown = (IsSizingZone(hit) || hit == bsflCaption) && bsf->WindowState() != wsMaximized && AButton == mbLeft;
    MousePos1 = MousePos2 = GetCursorPos();
    auto& objects = bsf->ObjectList;
    const int active = FLayerBorder->ActiveObject;
    if (!FullBorder() || active < 0 || active >= int(objects.size()))
        return;
    if (AButton != mbRight)
        FLayerBorder->MouseCaptureObject = active;
    TbsActiveSkinObject* o = objects[size_t(active)].get();
    o->MouseDown(X, Y, AButton);
    // A press on a quick button of the caption is the button's, not a move.
    if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o); caption && caption->ActiveQuickButton != -1)
        FDown = false;
}

void TbsFormLayerWindow::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsLayerWindow::MouseMove(AShift, X, Y);
    if (!HitTestEnabled())
        return;
    TbsSkinForm* bsf = FLayerBorder->BSF;
    MousePos2 = GetCursorPos();
    const int dx = MousePos2.X - MousePos1.X, dy = MousePos2.Y - MousePos1.Y;
    if (!FDown) {
        bsf->FBorderLayerChangeSize = false;
        FHitMode = HitTest(X, Y);
        Cursor = CursorOf(FHitMode);
        SetCursorShape(CursorShapeOf(Cursor));
        auto& objects = bsf->ObjectList;
        const int active = FLayerBorder->ActiveObject;
        if (FullBorder() && active >= 0 && active < int(objects.size()))
            objects[size_t(active)]->MouseMove(X, Y);
    } else {
        bsf->FBorderLayerChangeSize = true;
        DragStep(dx, dy);
    }
    // Deltas that were not applied are dropped: an edge held at its limit
    // does not run after the cursor when it comes back.
    MousePos1 = MousePos2;
}

void TbsFormLayerWindow::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsLayerWindow::MouseUp(AButton, AShift, X, Y);
    TbsFormLayerBorder& b = *FLayerBorder;
    b.BSF->FBorderLayerChangeSize = false;
    FDown = false;
    MousePos1 = MousePos2 = TPoint{};
    auto& objects = b.BSF->ObjectList;
    const int captured = b.MouseCaptureObject;
    b.MouseCaptureObject = -1;
    if (FullBorder() && captured >= 0 && captured < int(objects.size()) && captured != b.ActiveObject)
        objects[size_t(captured)]->MouseUp(X, Y, AButton);
    const bool onObject = FHitMode == bsflCaption || FHitMode == bsflObject;
    if (!HitTestEnabled() || (!b.CanSizeThroughLayer() && !onObject) || !FullBorder())
        return;
    // The object's command may close the form or hide this border.
    const int active = b.ActiveObject;
    if (active >= 0 && active < int(objects.size()))
        objects[size_t(active)]->MouseUp(X, Y, AButton);
}

void TbsFormLayerWindow::DragStep(int DX, int DY)
{
    if (FHitMode == bsflCaption)
        MoveStep(DX, DY);
    else if (IsSizingZone(FHitMode))
        SizeStep(DX, DY);
}

// Each edge that moves follows the cursor; the opposite edge stays. A
// size clamped at a limit is not applied (its edge would drift from the
// cursor), and an edge grows again only once the cursor is back on its
// sizing band.
void TbsFormLayerWindow::SizeStep(int DX, int DY)
{
    TbsFormLayerBorder& b = *FLayerBorder;
    TbsSkinForm* bsf = b.BSF;
    const int band = b.FData->HitTestSize;
    const int l = FForm->Left(), t = FForm->Top(), wf = FForm->Width(), hf = FForm->Height();
    const int minW = bsf->GetMinWidth(), maxW = std::max(minW, bsf->GetMaxWidth());
    const int minH = bsf->GetMinHeight(), maxH = std::max(minH, bsf->GetMaxHeight());
    const TPoint p = MousePos2;
    const bool left = FHitMode == bsflhLeft || FHitMode == bsflhTopLeft || FHitMode == bsflhBottomLeft;
    const bool right = FHitMode == bsflhRight || FHitMode == bsflhTopRight || FHitMode == bsflhBottomRight;
    const bool top = FHitMode == bsflhTop || FHitMode == bsflhTopLeft || FHitMode == bsflhTopRight;
    const bool bottom = FHitMode == bsflhBottom || FHitMode == bsflhBottomLeft || FHitMode == bsflhBottomRight;
    int dx = DX, dy = DY;
    // The growing tests: an edge grows only while the cursor is on or
    // beyond its band.
    if (left && dx < 0 && p.X > l - b.LeftSize + band)
        dx = 0;
    if (right && dx > 0 && p.X < l + wf + b.RightSize - band)
        dx = 0;
    if (top && dy < 0 && p.Y > t - b.TopSize + band)
        dy = 0;
    if (bottom && dy > 0 && p.Y < t + hf + b.BottomSize - band)
        dy = 0;
    if (!left && !right)
        dx = 0;
    if (!top && !bottom)
        dy = 0;
    int w = wf, h = hf, x = l, y = t;
    if (!SizeAxis(left, right, wf, dx, minW, maxW, w, x) || !SizeAxis(top, bottom, hf, dy, minH, maxH, h, y))
        return;
    if ((dx == 0 && dy == 0) || (w == wf && h == hf))
        return;
    // Shrinking from the top: the border moves first so that it never
    // shows apart from the form.
    if (top && dy > 0)
        b.MoveWithForm2(x, y);
    FForm->SetBounds(x, y, w, h);
    if (FForm->Height() != h)
        b.MoveWithForm();
    if (FForm->HandleAllocated())
        RedrawWindow(FForm->Handle(), nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The caption moves the form, snapping to the work area's edges when the
// form is magnetic.
void TbsFormLayerWindow::MoveStep(int DX, int DY)
{
    TbsFormLayerBorder& b = *FLayerBorder;
    TbsSkinForm* bsf = b.BSF;
    const int l = FForm->Left(), t = FForm->Top();
    int x = l + DX, y = t + DY;
    if (bsf->Magnetic && (DX != 0 || DY != 0)) {
        const int ux = x, uy = y;
        const bool rolled = b.FData->FullBorder && (bsf->RollUpState() || bsf->WindowState() == wsMinimized);
        bsf->MagneticMove(x, y, FForm->Width(), rolled ? b.FData->RollUpFormHeight : FForm->Height());
        // A snapped position is taken only when it lies further in the
        // direction of the drag than the cursor would take the form.
        if ((x != ux || y != uy) && !((DX < 0 && x < ux) || (DX > 0 && x > ux) || (DY < 0 && y < uy) || (DY > 0 && y > uy)))
            return;
    }
    if (x == l && y == t)
        return;
    if (y > t)
        b.MoveWithForm2(x, y);
    FForm->SetBounds(x, y, FForm->Width(), FForm->Height());
    b.MoveWithForm();
}

// A double click on the caption maximizes or restores a sizeable form and
// rolls any other one up or down; on the system menu button it closes.
void TbsFormLayerWindow::DblClick2()
{
    TbsSkinForm* bsf = FLayerBorder->BSF;
    const TPoint p = ScreenToClient(GetCursorPos());
    TbsFormLayerBorderHit hit = HitTest(p.X, p.Y);
    auto& objects = bsf->ObjectList;
    const int active = FLayerBorder->ActiveObject;
    TbsActiveSkinObject* o = active >= 0 && active < int(objects.size()) ? objects[size_t(active)].get() : nullptr;
    if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o); hit == bsflCaption && caption &&
                                                                 caption->ActiveQuickButton != -1)
        hit = bsflObject;
    MousePos1 = MousePos2;
    if (hit == bsflObject) {
        if (auto* button = dynamic_cast<TbsSkinStdButtonObject*>(o); button && button->Command == cmSysMenu)
            FForm->Close();
        return;
    }
    if (hit != bsflCaption)
        return;
    const bool sizeable = bsf->CanResize();
    if (sizeable && bsf->WindowState() == wsMinimized)
        bsf->SetWindowState(wsNormal);
    else if (sizeable && bsf->WindowState() != wsMaximized && !bsf->RollUpState() && (bsf->BorderIcons() & biMaximize)) {
        FDown = false;
        bsf->SetWindowState(wsMaximized);
    } else if (sizeable && bsf->WindowState() == wsMaximized && !bsf->MaxRollUpState) {
        FDown = false;
        bsf->SetWindowState(wsNormal);
    } else
        bsf->SetRollUpState(!bsf->RollUpState());
}

} // namespace skin
