#include "skin/controls/bsSkinCtrls_Splitter.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

using namespace platform;

TbsSkinSplitter::TbsSkinSplitter(TComponent* AOwner) : TSplitter(AOwner)
{
    ControlStyle |= csOpaque;
}

void TbsSkinSplitter::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    if (FTransparent)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    Repaint();
}

void TbsSkinSplitter::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
    ChangeSkinData();
}

void TbsSkinSplitter::Notification(TComponent* AComponent, TOperation AOperation)
{
    TSplitter::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FSD)
        FSD = nullptr;
}

void TbsSkinSplitter::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(FSkinDataName);
    FSkinPicture = nullptr;
    if (FIndex == -1)
        return;
    auto* rec = dynamic_cast<TbsDataSkinSplitterControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!rec)
        return;   // a record of another kind gives no face: the platform's look
    LTPt = rec->LTPoint;
    RTPt = rec->RTPoint;
    LBPt = rec->LBPoint;
    SkinRect = rec->SkinRect;
    StretchEffect = rec->StretchEffect;
    FSkinPicture = ActivePicture(*FSD, rec->PictureIndex);
    GripperRect = rec->GripperRect;
    GripperTransparent = rec->GripperTransparent;
    GripperTransparentColor = rec->GripperTransparentColor;
}

void TbsSkinSplitter::ChangeSkinData()
{
    GetSkinData();
    // Without a face of its own the splitter keeps a usable thickness.
    const bool useDefault = !HasSkinFace() || FTransparent;
    if (Horizontal())
        SetHeight(useDefault ? DefaultSize : SkinRect.Height());
    else
        SetWidth(useDefault ? DefaultSize : SkinRect.Width());
    Repaint();
}

// The record names follow the alignment only while the form is designed:
// a form stores the name it wants.
void TbsSkinSplitter::RequestAlign()
{
    TSplitter::RequestAlign();
    if (IsDesigning())
        FSkinDataName = Horizontal() ? "hsplitter" : "vsplitter";
}

void TbsSkinSplitter::Paint()
{
    if (FTransparent || Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (!HasSkinFace() || Align() == alNone || Align() == alClient) {
        TSplitter::Paint();
        return;
    }
    TBitmap b;
    if (Horizontal())
        CreateHSkinImage(LTPt.X, SkinRect.Width() - RTPt.X, &b, FSkinPicture, SkinRect, Width(), Height(),
                         StretchEffect);
    else
        CreateVSkinImage(LTPt.Y, SkinRect.Height() - LBPt.Y, &b, FSkinPicture, SkinRect, Width(), Height(),
                         StretchEffect);
    if (!GripperRect.IsEmpty()) {
        TBitmap g;
        g.SetSize(GripperRect.Width(), GripperRect.Height());
        CopyPiece(&g, Rect(0, 0, g.Width(), g.Height()), FSkinPicture, GripperRect);
        if (GripperTransparent)
            SetFixedKey(g, GripperTransparentColor);
        b.Canvas()->Draw(b.Width() / 2 - g.Width() / 2, b.Height() / 2 - g.Height() / 2, &g);
    }
    Canvas()->Draw(0, 0, &b);
}

} // namespace skin
