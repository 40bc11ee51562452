#include "platform/controls/ComCtrls_Header.h"

#include "platform/core/Collections.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int kDividerZone = 3;   // pixels either side of a divider that grab it
constexpr int kTextMargin = 5;
constexpr int kDragThreshold = 4;   // sideways pixels before a press becomes a drag
} // namespace

THeaderControl::THeaderControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 200;
    FHeight = 20;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    ControlStyle |= csCaptureMouse;
}

void THeaderControl::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.WinClassName = "SysHeader32";
}

const THeaderSection& THeaderControl::Section(int AIndex) const
{
    if (AIndex < 0 || AIndex >= SectionCount())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return FSections[size_t(AIndex)];
}

void THeaderControl::SetSections(std::vector<THeaderSection> ASections)
{
    FSections = std::move(ASections);
    // The order of the same sections is kept; a new set shows in index order.
    if (FOrder.size() != FSections.size()) {
        FOrder.resize(FSections.size());
        for (size_t i = 0; i < FOrder.size(); ++i)
            FOrder[i] = int(i);
        FDragging = false;
    }
    if (FPressed >= SectionCount())
        FPressed = -1;
    if (FTracking >= SectionCount())
        FTracking = -1;
    Invalidate();
}

void THeaderControl::SetSectionWidth(int AIndex, int AWidth)
{
    const THeaderSection& s = Section(AIndex);
    AWidth = std::max(AWidth, std::max(0, s.MinWidth));
    if (s.MaxWidth > 0)
        AWidth = std::min(AWidth, s.MaxWidth);
    if (AWidth == s.Width)
        return;
    FSections[size_t(AIndex)].Width = AWidth;
    Invalidate();
}

bool THeaderControl::IsOrder(const std::vector<int>& AOrder, int ACount)
{
    if (ACount < 0 || AOrder.size() != size_t(ACount))
        return false;
    std::vector<bool> seen(AOrder.size(), false);
    for (int i : AOrder) {
        if (i < 0 || i >= ACount || seen[size_t(i)])
            return false;
        seen[size_t(i)] = true;
    }
    return true;
}

bool THeaderControl::SetOrder(const std::vector<int>& AOrder)
{
    if (!IsOrder(AOrder, SectionCount()))
        return false;
    if (AOrder != FOrder) {
        FOrder = AOrder;
        Invalidate();
    }
    return true;
}

void THeaderControl::SetScrollOffset(int AValue)
{
    if (AValue == FScrollOffset)
        return;
    FScrollOffset = AValue;
    Invalidate();
}

TRect THeaderControl::SectionRect(int AIndex) const
{
    if (AIndex < 0 || AIndex >= SectionCount())
        return TRect{};
    int x = -FScrollOffset;
    for (int i : FOrder) {
        if (i == AIndex)
            break;
        x += FSections[size_t(i)].Width;
    }
    return Rect(x, 0, x + FSections[size_t(AIndex)].Width, FHeight);
}

int THeaderControl::PlaceAt(int X) const
{
    // The place a dragged section drops to: after every other section whose
    // middle lies left of the mouse.
    int place = 0, x = -FScrollOffset;
    for (int i : FOrder) {
        int w = FSections[size_t(i)].Width;
        if (i != FPressed && x + w / 2 < X)
            ++place;
        x += w;
    }
    return place;
}

THDHitTestInfo THeaderControl::HitTest(TPoint P) const
{
    THDHitTestInfo info;
    info.Pt = P;
    if (P.Y < 0 || P.Y >= FHeight || P.X < 0) {
        info.Flags = HHT_NOWHERE;
        return info;
    }
    // A divider is grabbed by a visible section ending near the point, so
    // columns hidden at width 0 beside a visible one do not take its divider.
    int x = -FScrollOffset, divider = -1;
    for (int i : FOrder) {
        int w = FSections[size_t(i)].Width;
        x += w;
        if (std::abs(P.X - x) <= kDividerZone && (divider < 0 || (FSections[size_t(divider)].Width == 0 && w > 0)))
            divider = i;
    }
    if (divider >= 0) {
        info.Flags = HHT_ONDIVIDER;
        info.Item = divider;
        return info;
    }
    for (int i = 0; i < SectionCount(); ++i)
        if (PtInRect(SectionRect(i), P)) {
            info.Flags = HHT_ONHEADER;
            info.Item = i;
            return info;
        }
    info.Flags = HHT_NOWHERE | HHT_TORIGHT;
    return info;
}

void THeaderControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case HDM_GETITEMCOUNT: M.Result = SectionCount(); return;
    case HDM_GETITEMRECT:
        if (auto* r = reinterpret_cast<TRect*>(M.LParam); r && int(M.WParam) >= 0 && int(M.WParam) < SectionCount()) {
            *r = SectionRect(int(M.WParam));
            M.Result = 1;
        } else {
            M.Result = 0;
        }
        return;
    case HDM_HITTEST:
        if (auto* h = reinterpret_cast<THDHitTestInfo*>(M.LParam)) {
            *h = HitTest(h->Pt);
            M.Result = h->Item;
        } else {
            M.Result = -1;
        }
        return;
    case HDM_GETORDERARRAY: {
        auto* order = reinterpret_cast<int*>(M.LParam);
        int n = int(M.WParam);
        if (!order || n != SectionCount()) {
            M.Result = 0;
            return;
        }
        std::copy(FOrder.begin(), FOrder.end(), order);
        M.Result = 1;
        return;
    }
    case HDM_SETORDERARRAY: {
        auto* order = reinterpret_cast<const int*>(M.LParam);
        int n = int(M.WParam);
        M.Result = order && n >= 0 && SetOrder(std::vector<int>(order, order + n)) ? 1 : 0;
        return;
    }
    default: TCustomControl::Dispatch(M);
    }
}

void THeaderControl::DrawSection(TCanvas* C, int AIndex, const TRect& ARect, bool APressed)
{
    const THeaderSection& s = FSections[size_t(AIndex)];
    TRect r = ARect;
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(r);
    if (APressed)
        Frame3D(C, r, clBtnShadow, clBtnShadow, 1);
    else
        Frame3D(C, r, clBtnHighlight, clBtnShadow, 1);
    TRect text = Rect(ARect.Left + kTextMargin, ARect.Top, ARect.Right - kTextMargin, ARect.Bottom);
    if (APressed)
        text = OffsetRect(text, 1, 1);
    if (Images && s.ImageIndex >= 0 && s.ImageIndex < Images->Count()) {
        Images->Draw(C, text.Left, text.Top + (text.Height() - Images->Height()) / 2, s.ImageIndex, FEnabled);
        text.Left += Images->Width() + 4;
    }
    if (text.IsEmpty())
        return;
    HDC dc = C->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FEnabled ? clBtnText : clGrayText));
    UINT align = s.Alignment == taRightJustify ? DT_RIGHT : s.Alignment == taCenter ? DT_CENTER : DT_LEFT;
    DrawText(dc, s.Text, &text, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void THeaderControl::Paint()
{
    TCanvas* c = Canvas();
    TRect clip = c->ClipRect();
    int right = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        TRect r = SectionRect(i);
        right = std::max(right, r.Right);
        if (r.IsEmpty() || IntersectRect(r, clip).IsEmpty())
            continue;
        DrawSection(c, i, r, i == FPressed && FPressedIn);
    }
    TRect rest = Rect(right, 0, std::max(right, FWidth), FHeight);
    if (!rest.IsEmpty()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(rest);
        Frame3D(c, rest, clBtnHighlight, clBtnShadow, 1);
    }
    if (FDragging)
        PaintDragged(c);
}

void THeaderControl::PaintDragged(TCanvas* C)
{
    // The dragged section follows the mouse, and a bar marks where it drops.
    TRect home = SectionRect(FPressed);
    TRect moved = OffsetRect(home, FDragX - FDragStart, 0);
    DrawSection(C, FPressed, moved, true);
    // The marker stands where the drop would put the section, in the layout
    // shown now: at the right edge of the section it would follow.
    int place = PlaceAt(FDragX), x = -FScrollOffset, seen = 0;
    for (int i : FOrder) {
        if (i == FPressed)
            continue;
        if (seen++ == place)
            break;
        x = SectionRect(i).Right;
    }
    C->Brush()->SetColor(clHighlight);
    C->FillRect(Rect(std::max(0, x - 1), 0, std::max(0, x - 1) + 2, FHeight));
}

void THeaderControl::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    THDHitTestInfo hit = HitTest(Point(X, Y));
    if (hit.Flags & HHT_ONDIVIDER) {
        FTracking = hit.Item;
        FTrackStart = X;
        FTrackWidth = FSections[size_t(hit.Item)].Width;
    } else if (hit.Flags & HHT_ONHEADER) {
        FPressed = hit.Item;
        FPressedIn = true;
        FDragStart = FDragX = X;
        InvalidateRect(Handle(), nullptr, false);
    }
}

void THeaderControl::MouseMove(TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseMove(AShift, X, Y);
    if (FTracking >= 0) {
        int before = FSections[size_t(FTracking)].Width;
        SetSectionWidth(FTracking, FTrackWidth + X - FTrackStart);
        if (FSections[size_t(FTracking)].Width != before && OnSectionResize)
            OnSectionResize(this, FTracking);
        return;
    }
    if (FPressed >= 0 && DragReorder && (FDragging || std::abs(X - FDragStart) > kDragThreshold)) {
        FDragging = true;
        FDragX = X;
        Invalidate();
        return;
    }
    if (FPressed >= 0) {
        bool in = PtInRect(SectionRect(FPressed), Point(X, Y));
        if (in != FPressedIn) {
            FPressedIn = in;
            Invalidate();
        }
        return;
    }
    Cursor = (HitTest(Point(X, Y)).Flags & HHT_ONDIVIDER) ? crSizeWE : crDefault;
}

void THeaderControl::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    FTracking = -1;
    int pressed = FPressed;
    if (FDragging) {
        // A drag is not a click.
        int place = PlaceAt(X);
        FDragging = false;
        FPressed = -1;
        FPressedIn = false;
        Invalidate();
        std::vector<int> order = FOrder;
        order.erase(std::find(order.begin(), order.end(), pressed));
        order.insert(order.begin() + place, pressed);
        if (order != FOrder) {
            FOrder = std::move(order);
            if (OnSectionEndDrag)
                OnSectionEndDrag(this, pressed);
        }
        return;
    }
    bool in = FPressedIn && PtInRect(SectionRect(pressed), Point(X, Y));
    FPressed = -1;
    FPressedIn = false;
    if (pressed >= 0) {
        Invalidate();
        if (in && OnSectionClick)
            OnSectionClick(this, pressed);
    }
}

void THeaderControl::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomControl::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == Images)
        Images = nullptr;
}

} // namespace platform
