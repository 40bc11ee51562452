#include "skin/controls/bsSkinCtrls_TreeView.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsSkinData_ViewControls.h"
#include "skin/core/bseffects.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include <algorithm>
#include <cmath>

namespace skin {

using namespace platform;

TbsSkinCustomTreeView::TbsSkinCustomTreeView(TComponent* AOwner) : TbsSkinViewLink(AOwner, "treeview")
{
    OnAdvancedCustomDrawItem = nullptr;
}

void TbsSkinCustomTreeView::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinViewLink::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FButtonImageList)
        FButtonImageList = nullptr;
}

void TbsSkinCustomTreeView::SetButtonImageList(TCustomImageList* Value) { ChangeReference(this, FButtonImageList, Value); }

void TbsSkinCustomTreeView::SetDrawSkin(bool Value)
{
    TbsSkinViewLink::SetDrawSkin(Value);
    if (Value)
        OnAdvancedCustomDrawItem = [this](platform::TCustomTreeView*, TTreeNode* N, unsigned S, platform::TCustomDrawStage,
                                          bool&, bool& D) { SkinCustomDrawItem(N, S, D); };
}

void TbsSkinCustomTreeView::Change(TTreeNode* ANode)
{
    TCustomTreeView::Change(ANode);
    UpDateScrollBars();
}

void TbsSkinCustomTreeView::SkinRecordRead(const TbsDataSkinTreeView* ARecord)
{
    if (!ARecord) {
        FLineColor = clGray;
        return;
    }
    // A quarter of the text colour over the background; the drawn buttons' frame half of it.
    FLineColor = MixColors(MixColors(ARecord->FontColor, ARecord->BGColor), ARecord->BGColor);
    FButtonColor = MixColors(ARecord->FontColor, ARecord->BGColor);
    TbsPicture* picture = ActivePicture(*FSD, ARecord->PictureIndex);
    if (ARecord->ExpandImageRect.IsEmpty() || ARecord->NoExpandImageRect.IsEmpty() || !picture) {
        FExpandImage.Assign(nullptr);
        FNoExpandImage.Assign(nullptr);
        return;
    }
    // Each button picture becomes a square as wide as its piece.
    for (auto [image, piece] : {std::pair{&FExpandImage, ARecord->ExpandImageRect}, std::pair{&FNoExpandImage, ARecord->NoExpandImageRect}}) {
        image->SetSize(piece.Width(), piece.Width());
        image->Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Width()), picture->Canvas(), piece);
        image->SetTransparent(true);
    }
}

// ---- the external scroll bars

void TbsSkinCustomTreeView::UpDateScrollBars()
{
    if (FInCheckScrollBars || !HandleAllocated() || (!FVScrollBar && !FHScrollBar))
        return;
    bool changed = false;
    auto show = [&](TbsSkinScrollBar* B, bool AVisible) { changed |= ShowViewScrollBar(B, AVisible, FInCheckScrollBars); };
    if (FVScrollBar) {
        TScrollInfo v = GetScrollInfo(SB_VERT);
        int page = VisibleCount();
        unsigned count = unsigned(Items()->Count());
        show(FVScrollBar, v.Max > 0 && page <= v.Max && unsigned(v.Max) < count && Visible());
        if (FVScrollBar->Visible())
            FVScrollBar->SetRange(v.Min, v.Max, v.Pos, page);
    }
    if (FHScrollBar) {
        TScrollInfo h = GetScrollInfo(SB_HORZ);
        show(FHScrollBar, h.Max > Width() && Visible());
        if (FHScrollBar->Visible())
            FHScrollBar->SetRange(h.Min, h.Max, h.Pos, Width());
    }
    FinishViewScrollBars(this, FVScrollBar, FHScrollBar, changed, FInCheckScrollBars);
}

// The bar's whole position is taken, also beyond the 16 bits a scroll
// message carries.
void TbsSkinCustomTreeView::OnVScrollBarChange(TObject* Sender)
{
    if (Sender == FVScrollBar && FVScrollBar)
        ScrollBy(SB_VERT, FVScrollBar->Position());
}

void TbsSkinCustomTreeView::OnHScrollBarChange(TObject* Sender)
{
    if (Sender == FHScrollBar && FHScrollBar)
        ScrollBy(SB_HORZ, FHScrollBar->Position());
}

void TbsSkinCustomTreeView::WndProc(TMessage& M)
{
    TCustomTreeView::WndProc(M);
    switch (M.Msg) {
    case WM_SIZE:
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

// ---- skinned nodes

void TbsSkinCustomTreeView::SkinCustomDrawItem(TTreeNode* Node, unsigned State, bool& DefaultDraw)
{
    // Only a list-box record is read as one; any other leaves the platform drawing.
    auto* rec = FindSkinRecord<TbsDataSkinListBox>(ItemSkinDataName);
    if (!rec)
        return;
    DefaultDraw = false;
    TCanvas* c = Canvas();
    int hpos = GetScrollInfo(SB_HORZ).Pos;
    TRect row = OffsetRect(Node->DisplayRect(false), -hpos, 0);
    TRect text = Node->DisplayRect(true);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(row);
    c->FillRect(text);
    c->Brush()->SetStyle(bsClear);
    TRect r = row;
    r.Left += (ShowRoot() ? Node->Level() : Node->Level() - 1) * Indent();
    DrawNodeLinesAndButton(r, Node);
    r.Left += Indent() + FButtonSize;
    DrawNodeImage(r, AskImageIndex(Node));
    bool focused = Focused();
    if (!(State & cdsSelected)) {
        c->SetFont(Font());
        DrawTextLeftPlain(c, Node->Text(), Rect(text.Left + 2, text.Top + 1, text.Right, text.Bottom));
        return;
    }
    if (text.Width() < 1)
        return;
    TBitmap b;
    b.SetSize(text.Width(), text.Height());
    if (TbsPicture* p = ActivePicture(*FSD, rec->PictureIndex))
        CreateStretchSkinImage(&b, p, focused ? rec->FocusItemRect : rec->ActiveItemRect, rec->ItemTextRect, true);
    TCanvas* bc = b.Canvas();
    bc->SetFont(Font());
    bc->Font()->SetColor(focused ? rec->FocusFontColor : rec->ActiveFontColor);
    bc->Brush()->SetStyle(bsClear);
    DrawTextLeftPlain(bc, Node->Text(), Rect(2, 1, b.Width(), b.Height()));
    c->Draw(text.Left, text.Top, &b);
}

void TbsSkinCustomTreeView::DrawFadingLine(int X1, int X2, int Y)
{
    int w = std::abs(X2 - X1);
    if (w == 0)
        return;
    TbsBitmap line;
    line.SetSize(w, 1);
    COLORREF rgb = ColorToRGB(FLineColor);
    TbsColor colour = (TbsColor(GetRValue(rgb)) << 16) | (TbsColor(GetGValue(rgb)) << 8) | GetBValue(rgb);
    int half = w / 2;
    int step = half > 0 ? int(std::lround(255.0 / half)) : 0;
    int alpha = 255;
    for (int x = 0; x < w; ++x) {
        if (x > half)
            alpha = std::max(0, alpha - step);
        line.PutPixel(x, 0, colour | (TbsColor(alpha) << 24));
    }
    line.AlphaBlend = true;
    line.Draw(Canvas(), X1, Y);
}

void TbsSkinCustomTreeView::DrawNodeLinesAndButton(TRect R, TTreeNode* Node)
{
    if (FButtonImageList)
        FButtonSize = std::max(FButtonImageList->Width(), FButtonImageList->Height()) / 2;
    else if (FExpandImage.Empty() || FNoExpandImage.Empty())
        FButtonSize = 5;
    else
        FButtonSize = FExpandImage.Width() / 2 - 2;
    TCanvas* c = Canvas();
    int b = FButtonSize;
    int x0 = R.Left + Indent() / 2;
    int y = R.Top + R.Height() / 2;
    auto line = [&](int X1, int Y1, int X2, int Y2) {
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    c->Pen()->SetColor(FLineColor);
    if (ShowLines()) {
        if (Node->HasChildren())
            DrawFadingLine(x0 + b - 1, R.Left + Indent() + b - 5, y - 1);
        else
            DrawFadingLine(x0 - 1, R.Left + Indent(), y - 1);
        if (Node != Items()->GetFirstNode())
            line(x0 - 1, y - 1, x0 - 1, R.Top - 1);
        TTreeNode* next = Node->GetNextVisible();
        if ((next && next->Level() == Node->Level()) || Node->GetNextSibling())
            line(x0 - 1, y, x0 - 1, R.Bottom + 1);
    }
    if (Node->HasChildren() && ShowButtons()) {
        if (!FButtonImageList && (FExpandImage.Empty() || FNoExpandImage.Empty())) {
            c->Pen()->SetColor(FButtonColor);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(x0 - b, y - b, x0 + b - 1, y + b - 1);
            c->Pen()->SetColor(Font()->Color());
            line(x0 - b + 2, y - 1, x0 + b - 3, y - 1);
            if (!Node->Expanded())
                line(x0 - 1, y - b + 2, x0 - 1, y + b - 3);
            c->Pen()->SetColor(FLineColor);
        } else if (FButtonImageList) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect(Rect(x0 - b, y - b, x0 + b, y + b));
            int index = Node->Expanded() ? ButtonExpandImageIndex : ButtonNoExpandImageIndex;
            if (index >= 0 && index < FButtonImageList->Count())
                FButtonImageList->Draw(c, x0 - b, y - b, index, Enabled());
        } else {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect(Rect(x0 - b - 2, y - b - 2, x0 + b - 2, y + b - 2));
            c->Draw(x0 - b - 3, y - b - 3, Node->Expanded() ? &FExpandImage : &FNoExpandImage);
        }
        c->Brush()->SetStyle(bsClear);
    }
    if (ShowLines()) {
        int ax = x0;
        for (TTreeNode* p = Node->Parent(); p; p = p->Parent()) {
            ax -= Indent();
            if (p->GetNextSibling())
                line(ax - 1, R.Top, ax - 1, R.Bottom + 1);
        }
    }
}

void TbsSkinCustomTreeView::DrawNodeImage(TRect R, int Index)
{
    TCustomImageList* images = ShownImages();
    if (!images || Index < 0 || Index >= images->Count())
        return;
    int yc = R.Top + R.Height() / 2;
    images->Draw(Canvas(), R.Left - FButtonSize, yc - images->Height() / 2, Index, Enabled());
}

} // namespace skin
