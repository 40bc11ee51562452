#include "skin/controls/bsSkinCtrls_ViewLink.h"

#include "skin/core/bsSkinData_ViewControls.h"

#include "platform/controls/ComCtrls.h"

namespace skin {

using namespace platform;

template <class TView, class TRecord>
TbsSkinViewLink<TView, TRecord>::TbsSkinViewLink(TComponent* AOwner, const char* ASkinDataName)
    : TView(AOwner), SkinDataName(ASkinDataName)
{
    FDefaultFont.SetName("Tahoma");
    FDefaultFont.SetHeight(13);
}

template <class TView, class TRecord>
TbsSkinViewLink<TView, TRecord>::~TbsSkinViewLink()
{
    // A bar outliving the view must not call into it.
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b)
            b->OnChange = nullptr;
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::CreateParams(TCreateParams& P)
{
    TView::CreateParams(P);
    // No border and no platform bars: the skinned bars beside the view stand in for them.
    P.Style &= ~(WS_HSCROLL | WS_VSCROLL);
    P.ExStyle &= ~WS_EX_CLIENTEDGE;
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::Notification(TComponent* AComponent, TOperation AOperation)
{
    TView::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
    if (FSD && !FSD->Empty())
        ChangeSkinData();
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::SetDefaultFont(TFont* Value)
{
    FDefaultFont.Assign(Value);
    if (FIndex == -1)
        this->Font()->Assign(Value);
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        this->SetColor(Value);
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::SetVScrollBar(TbsSkinScrollBar* Value)
{
    AttachViewScrollBar(this, FVScrollBar, Value, [this](TObject* S) { OnVScrollBarChange(S); });
    UpDateScrollBars();
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::SetHScrollBar(TbsSkinScrollBar* Value)
{
    AttachViewScrollBar(this, FHScrollBar, Value, [this](TObject* S) { OnHScrollBarChange(S); });
    UpDateScrollBars();
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::CMVisibleChanged(TMessage& M)
{
    TView::CMVisibleChanged(M);
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b)
            b->SetVisible(this->Visible());
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::Dispatch(TMessage& M)
{
    // A window asking for the view's face gets none: the view paints itself.
    if (M.Msg == SKN_PAINTTODC) {
        M.Result = SKN_PAINTTODC_ANSWER;
        return;
    }
    TView::Dispatch(M);
}

template <class TView, class TRecord>
void TbsSkinViewLink<TView, TRecord>::ChangeSkinData()
{
    TFont* font = this->Font();
    FIndex = SkinRecordIndex(SkinDataName);
    if (FIndex == -1) {
        this->SetColor(FDefaultColor);
        font->Assign(&FDefaultFont);
        SkinRecordRead(nullptr);
    } else if (auto* rec = dynamic_cast<TRecord*>(FSD->CtrlList[size_t(FIndex)].get())) {
        AssignCaptionFont(font, &FDefaultFont, FSD, UseSkinFont, *rec);
        font->SetColor(rec->FontColor);
        this->SetColor(rec->BGColor);
        SkinRecordRead(rec);
    }
    font->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : FDefaultFont.Charset());
    UpDateScrollBars();
    TWinControl* parent = this->Parent();
    if (parent && ((FVScrollBar && FVScrollBar->Align() != alNone) || (FHScrollBar && FHScrollBar->Align() != alNone)))
        parent->Realign();
    this->Invalidate();
}

template class TbsSkinViewLink<TCustomListView, TbsDataSkinListView>;
template class TbsSkinViewLink<TCustomTreeView, TbsDataSkinTreeView>;

} // namespace skin
