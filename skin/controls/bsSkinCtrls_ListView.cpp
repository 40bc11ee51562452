#include "skin/controls/bsSkinCtrls_ListView.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Helpers.h"
#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsSkinData_ViewControls.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Paint.h"

#include <algorithm>

namespace skin {

using namespace platform;

TbsSkinCustomListView::TbsSkinCustomListView(TComponent* AOwner) : TbsSkinViewLink(AOwner, "listview")
{
    Font()->Assign(&FDefaultFont);
}

TbsSkinCustomListView::~TbsSkinCustomListView() { ReleaseHeader(); }

void TbsSkinCustomListView::SetDrawSkin(bool Value)
{
    TbsSkinViewLink::SetDrawSkin(Value);
    if (Value) {
        OnCustomDrawItem = [this](TCustomListView* S, TListItem* I, TCustomDrawState St, bool& D) { SkinCustomDrawItem(S, I, St, D); };
        SetFullDrag(false);
    }
}

void TbsSkinCustomListView::Change(TListItem* AItem, TItemChange AChange)
{
    TCustomListView::Change(AItem, AChange);
    if (!FInCheckScrollBars)
        UpDateScrollBars();
}

// ---- skin

void TbsSkinCustomListView::SkinRecordRead(const TbsDataSkinListView* ARecord)
{
    // An eighth of the text colour over the background.
    if (ARecord)
        FLineColor = MixColors(MixColors(MixColors(ARecord->FontColor, ARecord->BGColor), ARecord->BGColor), ARecord->BGColor);
}

void TbsSkinCustomListView::ChangeSkinData()
{
    TbsSkinViewLink::ChangeSkinData();
    if (ViewStyle() == vsReport && FHeaderHandle)
        InvalidateRect(FHeaderHandle, nullptr, true);
}

// ---- the external scroll bars

void TbsSkinCustomListView::UpDateScrollBars()
{
    if (!HandleAllocated() || FromSB || FInCheckScrollBars || Width() <= 5 || Height() <= 5)
        return;
    if (!FVScrollBar && !FHScrollBar)
        return;
    TScrollInfo v = GetScrollInfo(SB_VERT);
    TScrollInfo h = GetScrollInfo(SB_HORZ);
    int count = Items()->Count();
    TRect item0 = count > 0 ? ItemRect(0, drBounds) : TRect{};
    bool changed = false;
    auto show = [&](TbsSkinScrollBar* B, bool AVisible) { changed |= ShowViewScrollBar(B, AVisible, FInCheckScrollBars); };
    auto steps = [](TbsSkinScrollBar* B, int ASmall, int ALarge) {
        B->SetSmallChange(std::max(1, ASmall));
        B->SetLargeChange(std::max(1, ALarge));
    };
    bool shown = Visible();
    switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon:
        if (FVScrollBar) {
            show(FVScrollBar, v.Max > Height() && shown);
            steps(FVScrollBar, item0.Height() / 2, item0.Height() / 2);
            if (FVScrollBar->Visible())
                FVScrollBar->SetRange(v.Min, v.Max, v.Pos, Height());
        }
        if (FHScrollBar) {
            show(FHScrollBar, h.Max > Width() && shown);
            steps(FHScrollBar, item0.Height() / 2, item0.Height() / 2);
            if (FHScrollBar->Visible())
                FHScrollBar->SetRange(h.Min, h.Max, h.Pos, Width());
        }
        break;
    case vsList:
        if (FVScrollBar)
            show(FVScrollBar, false);
        if (FHScrollBar) {
            show(FHScrollBar, VisibleRowCount() < count && shown);
            int iw = item0.Width() > 0 ? item0.Width() : 1;
            steps(FHScrollBar, 1, 1);
            if (FHScrollBar->Visible())
                FHScrollBar->SetRange(h.Min, h.Max, h.Pos, Width() / iw);
        }
        break;
    case vsReport: {
        int perPage = VisibleRowCount();
        if (FVScrollBar) {
            show(FVScrollBar, perPage < v.Max + 1 && shown);
            steps(FVScrollBar, 1, perPage);
            if (FVScrollBar->Visible())
                FVScrollBar->SetRange(v.Min, v.Max, v.Pos, perPage);
        }
        if (FHScrollBar) {
            show(FHScrollBar, h.Max > Width() && shown);
            if (FHScrollBar->Visible())
                FHScrollBar->SetRange(h.Min, h.Max, h.Pos, Width());
        }
        break;
    }
    }
    if (FVScrollBar && FVScrollBar->Visible())
        FOldVScrollBarPos = FVScrollBar->Position();
    if (FHScrollBar && FHScrollBar->Visible())
        FOldHScrollBarPos = FHScrollBar->Position();
    FinishViewScrollBars(this, FVScrollBar, FHScrollBar, changed, FInCheckScrollBars);
}

void TbsSkinCustomListView::ScrollFromBar(TObject* Sender, TbsSkinScrollBar* ABar, int& AOldPos, const std::function<void(int)>& AScroll)
{
    if (Sender != ABar || !ABar)
        return;
    FromSB = true;
    if (IsEditing() && Selected())
        Selected()->CancelEdit();
    AScroll(ABar->Position() - AOldPos);
    AOldPos = ABar->Position();
    FromSB = false;
}

void TbsSkinCustomListView::OnVScrollBarChange(TObject* Sender)
{
    ScrollFromBar(Sender, FVScrollBar, FOldVScrollBarPos, [this](int ADelta) {
        // Rows in the list and report views, pixels in the icon views.
        if ((ViewStyle() == vsList || ViewStyle() == vsReport) && Items()->Count() > 0)
            ADelta *= ItemRect(0, drBounds).Height();
        Scroll(0, ADelta);
    });
}

void TbsSkinCustomListView::OnHScrollBarChange(TObject* Sender)
{
    ScrollFromBar(Sender, FHScrollBar, FOldHScrollBarPos, [this](int ADelta) {
        if (ViewStyle() != vsList) {
            Scroll(ADelta, 0);
            return;
        }
        // One column a message.
        for (int i = 0; i < std::abs(ADelta); ++i)
            SendMessage(Handle(), WM_HSCROLL, ADelta < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    });
}

// ---- window procedure

void TbsSkinCustomListView::WndProc(TMessage& M)
{
    if (M.Msg == WM_PARENTNOTIFY && LOWORD(M.WParam) == WM_CREATE && ShowColumnHeaders()) {
        HWND child = reinterpret_cast<HWND>(M.LParam);
        if (child && GetClassName(child) == "SysHeader32")
            SubclassHeader(child);
    }
    TCustomListView::WndProc(M);
    switch (M.Msg) {
    case WM_SIZE:
        if (!FInCheckScrollBars && Items()->Count() > 0)
            UpDateScrollBars();
        if (ViewStyle() == vsReport && FHeaderHandle)
            InvalidateRect(FHeaderHandle, nullptr, false);
        break;
    case WM_PAINT:
        if (!FInCheckScrollBars)
            UpDateScrollBars();
        if (ViewStyle() == vsReport && FHeaderHandle && (GridLines() || FDrawSkin) && HandleAllocated()) {
            // The row of pixels just under the header takes the view's colour.
            TRect hr;
            GetWindowRect(FHeaderHandle, hr);
            HDC dc = GetDC(Handle());
            TCanvas c;
            c.SetHandle(dc);
            c.Brush()->SetColor(Color());
            c.FillRect(Rect(0, hr.Height(), Width(), hr.Height() + 1));
            c.SetHandle(nullptr);
            ReleaseDC(Handle(), dc);
        }
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

void TbsSkinCustomListView::Dispatch(TMessage& M)
{
    if (M.Msg != SKN_PAINTHEADERTODC) {
        TbsSkinViewLink::Dispatch(M);
        return;
    }
    if (FHeaderHandle)
        PaintHeader(reinterpret_cast<HDC>(M.WParam));
}

// ---- the header

void TbsSkinCustomListView::SubclassHeader(HWND AHeader)
{
    ReleaseHeader();
    FHeaderHandle = AHeader;
    FDefHeaderProc = SetWindowProc(AHeader, [this](HWND W, UINT Msg, WPARAM WP, LPARAM LP) { return HeaderWndProc(W, Msg, WP, LP); });
}

void TbsSkinCustomListView::ReleaseHeader()
{
    if (FHeaderHandle && IsWindow(FHeaderHandle))
        SetWindowProc(FHeaderHandle, FDefHeaderProc);
    FHeaderHandle = nullptr;
    FDefHeaderProc = nullptr;
}

LRESULT TbsSkinCustomListView::HeaderWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    switch (AMsg) {
    case WM_WINDOWPOSCHANGING:
        // The header reaches 25 pixels past the view, so its right end never shows a gap.
        if (auto* pos = reinterpret_cast<TWindowPos*>(L); pos && !(pos->flags & SWP_NOSIZE))
            pos->cx += 25;
        return 0;
    case WM_PAINT: PaintHeader(reinterpret_cast<HDC>(W)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCDESTROY: {
        TWndProc old = FDefHeaderProc;
        FHeaderHandle = nullptr;
        FDefHeaderProc = nullptr;
        return CallWindowProc(old, AWnd, AMsg, W, L);
    }
    default: break;
    }
    LRESULT result = CallWindowProc(FDefHeaderProc, AWnd, AMsg, W, L);
    switch (AMsg) {
    case WM_MOUSEMOVE:
        if (FDevDown)
            RedrawWindow(AWnd, nullptr, RDW_INVALIDATE);
        break;
    case WM_LBUTTONDOWN: {
        TPoint p = Point(GET_X_LPARAM(L), GET_Y_LPARAM(L));
        FActiveSection = -1;
        int n = int(SendMessage(AWnd, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n && FActiveSection < 0; ++i)
            if (PtInRect(GetHeaderSectionRect(i), p))
                FActiveSection = i;
        THDHitTestInfo hit;
        hit.Pt = p;
        SendMessage(AWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        FDevDown = hit.Flags == HHT_ONDIVIDER;
        FHeaderDown = !FDevDown;
        RedrawWindow(AWnd, nullptr, RDW_INVALIDATE);
        break;
    }
    case WM_LBUTTONUP:
        FHeaderDown = false;
        FDevDown = false;
        FActiveSection = -1;
        if (IsWindow(AWnd))
            RedrawWindow(AWnd, nullptr, RDW_INVALIDATE);
        break;
    default: break;
    }
    return result;
}

TRect TbsSkinCustomListView::GetHeaderSectionRect(int AIndex)
{
    TRect r;
    if (!FHeaderHandle || !SendMessage(FHeaderHandle, HDM_GETITEMRECT, WPARAM(AIndex), reinterpret_cast<LPARAM>(&r)))
        return TRect{};
    return r;
}

void TbsSkinCustomListView::GetHeaderSkinData()
{
    FHIndex = SkinRecordIndex(HeaderSkinDataName);
    if (FHIndex == -1)
        FHIndex = SkinRecordIndex("resizetoolbutton");
    if (FHIndex == -1)
        return;
    // A record of another kind gives no picture: the sections stay unpainted.
    TbsDataSkinControl& any = *FSD->CtrlList[size_t(FHIndex)];
    FHeaderLayout.ReadLayout(*FSD, any);
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(&any);
    if (!rec)
        return;
    HActiveSkinRect = rec->ActiveSkinRect.IsEmpty() ? rec->SkinRect : rec->ActiveSkinRect;
    HDownSkinRect = rec->DownSkinRect.IsEmpty() ? HActiveSkinRect : rec->DownSkinRect;
    HFontColor = rec->FontColor;
    HActiveFontColor = rec->ActiveFontColor;
    HDownFontColor = rec->DownFontColor;
}

void TbsSkinCustomListView::PaintHeader(HDC ADC)
{
    HWND header = FHeaderHandle;
    if (!header)
        return;
    TPaintStruct ps;
    HDC dc = ADC ? ADC : BeginPaint(header, ps);
    TCanvas c;
    c.SetHandle(dc);
    int n = int(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
    int maxRight = 0;
    for (int i = 0; i < n; ++i) {
        TRect r = GetHeaderSectionRect(i);
        DrawHeaderSection(&c, i < Columns()->Count() ? Column(i) : nullptr, r, i == FActiveSection && FHeaderDown);
        maxRight = std::max(maxRight, r.Right);
    }
    TRect wr;
    GetWindowRect(header, wr);
    TRect rest = Rect(maxRight, 0, wr.Width() + 1, wr.Height());
    if (!rest.IsEmpty())
        DrawHeaderRest(&c, rest);
    c.SetHandle(nullptr);
    if (!ADC)
        EndPaint(header, ps);
}

void TbsSkinCustomListView::DrawHeaderSection(TCanvas* Cnvs, TListColumn* Column, TRect R, bool Pressed)
{
    if (R.IsEmpty())
        return;
    TBitmap b;
    b.SetSize(R.Width(), R.Height());
    TCanvas* bc = b.Canvas();
    GetHeaderSkinData();
    TRect all = Rect(0, 0, R.Width(), R.Height());
    if (FHIndex == -1) {
        TRect r = all;
        if (Pressed) {
            Frame3D(bc, r, HotFrameColor, HotFrameColor, 1);
            bc->Brush()->SetColor(DownFillColor);
        } else {
            Frame3D(bc, r, clBtnShadow, clBtnShadow, 1);
            bc->Brush()->SetColor(clBtnFace);
        }
        bc->FillRect(r);
        bc->SetFont(Font());
        bc->Font()->SetColor(clBtnText);
    } else {
        bc->SetFont(Font());
        if (FHeaderLayout.Picture)
            DrawHeaderPicture(&b, Pressed ? HDownSkinRect : FHeaderLayout.SkinRect, false);
        bc->Font()->SetColor(Pressed ? HDownFontColor : HFontColor);
    }
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(bc, Column, Pressed, all);
    } else if (Column) {
        bc->Brush()->SetStyle(bsClear);
        TRect t = Rect(5, 0, b.Width() - 5, b.Height());
        std::string s = Column->Caption();
        int x = t.Left;
        TCustomImageList* images = SmallImages();
        bool image = images && Column->ImageIndex() >= 0 && Column->ImageIndex() < images->Count();
        if (image) {
            EllipsizeText(bc, s, t.Width() - 10 - images->Width());
            int tw = bc->TextWidth(s);
            // A shortened caption stays left whatever the column's alignment.
            if (s == Column->Caption()) {
                if (Column->Alignment() == taRightJustify)
                    x = t.Right - tw - images->Width() - 10;
                else if (Column->Alignment() == taCenter)
                    x = t.Left + t.Width() / 2 - (tw + images->Width() + 10) / 2;
            }
            images->Draw(bc, x, t.Top + t.Height() / 2 - images->Height() / 2, Column->ImageIndex(), Enabled());
            x += images->Width() + 10;
        } else {
            EllipsizeText(bc, s, t.Width());
            int tw = bc->TextWidth(s);
            if (Column->Alignment() == taRightJustify)
                x = t.Right - tw;
            else if (Column->Alignment() == taCenter)
                x = t.Left + t.Width() / 2 - tw / 2;
        }
        int y = t.Top + t.Height() / 2 - bc->TextHeight(s) / 2;
        if (std::abs(bc->Font()->Height()) % 2 == 1)
            --y;
        bc->TextRect(t, x, y, s);
    }
    Cnvs->Draw(R.Left, R.Top, &b);
}

void TbsSkinCustomListView::DrawHeaderRest(TCanvas* Cnvs, TRect E)
{
    GetHeaderSkinData();
    if (FHIndex == -1) {
        Cnvs->Brush()->SetColor(clBtnFace);
        Cnvs->FillRect(E);
        TRect r = E;
        Frame3D(Cnvs, r, clBtnShadow, clBtnShadow, 1);
        return;
    }
    if (!FHeaderLayout.Picture)
        return;
    TBitmap b;
    b.SetSize(E.Width(), E.Height());
    DrawHeaderPicture(&b, FHeaderLayout.SkinRect, true);
    Cnvs->Draw(E.Left, E.Top, &b);
}

void TbsSkinCustomListView::DrawHeaderPicture(TBitmap* B, const TRect& ASrc, bool ARest)
{
    const TbsSkinLayout& h = FHeaderLayout;
    const int w = B->Width(), ht = B->Height();
    if (h.LBPt == TPoint{}) {
        // No bottom corners: a horizontal strip of the record's height, stretched over B.
        TBitmap strip;
        auto strips = ARest ? CreateHSkinImageLeft : CreateHSkinImage;
        strips(h.LTPt.X, ASrc.Width() - h.RTPt.X, &strip, h.Picture, ASrc, w, h.SkinRect.Height(), h.StretchEffect);
        B->Canvas()->StretchDraw(Rect(0, 0, w, ht), &strip);
        return;
    }
    const int dx = w - h.SkinRect.Width(), dy = ht - h.SkinRect.Height();
    TRect cl = h.ClRect;
    cl.Right += dx;
    cl.Bottom += dy;
    auto nine = ARest ? CreateSkinImageNoRight : CreateSkinImage;
    nine(h.LTPt, h.RTPt, h.LBPt, h.RBPt, h.ClRect, h.LTPt, Point(h.RTPt.X + dx, h.RTPt.Y), Point(h.LBPt.X, h.LBPt.Y + dy),
         Point(h.RBPt.X + dx, h.RBPt.Y + dy), cl, B, h.Picture, ASrc, w, ht, true, h.LeftStretch, h.TopStretch,
         h.RightStretch, h.BottomStretch, h.StretchEffect, h.StretchType);
}

} // namespace skin
