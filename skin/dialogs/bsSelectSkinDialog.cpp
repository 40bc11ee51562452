#include "skin/dialogs/bsSelectSkinDialog.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/dialogs/bsDialogLook.h"

#include "platform/core/Collections.h"

namespace skin {

using namespace platform;

namespace {

// Captions by key: from the controls' string table when it has one (an
// empty answer included), else the built-in text.
struct TCaption {
    const char* Key;
    const char* Text;
};
constexpr TCaption PreviewCaption{"MSG_PREVIEWSKIN", "Preview"};
constexpr TCaption PreviewButtonCaption{"MSG_PREVIEWBUTTON", "Button"};
constexpr TCaption OkCaption{"MSG_BTN_OK", "OK"};
constexpr TCaption CancelCaption{"MSG_BTN_CANCEL", "Cancel"};

std::string CaptionOf(TbsSkinData* ACtrlSkinData, const TCaption& ACaption)
{
    return DialogCaption(ACtrlSkinData, ACaption.Key, ACaption.Text);
}

TbsSkinButton* AddButton(TWinControl* AParent, TComponent* AOwner, const std::string& ACaption, int ALeft, int ATop,
                         int AWidth)
{
    auto* b = new TbsSkinButton(AOwner);
    b->SetParent(AParent);
    b->SetCaption(ACaption);
    b->SetBounds(ALeft, ATop, AWidth, b->Height());
    return b;
}

constexpr int ClientW = 420, ClientH = 240;

} // namespace

// ---------------------------------------------------------------- the form

TbsSelectSkinDlgForm::TbsSelectSkinDlgForm(TComponent* AOwner, TbsCompressedSkinList* ASkinList, int ASkinIndex,
                                           TbsSkinData* ACtrlSkinData)
    : TForm(AOwner), FCSkinList(ASkinList), FCSkinIndex(ASkinIndex)
{
    Build(ACtrlSkinData);
    for (int i = 0; i < ASkinList->Skins().Count(); ++i) {
        const TbsSkinListItem* item = ASkinList->Skins().Items(i);
        SkinsListBox->Items()->Add(item->Description.empty() ? item->Name : item->Description);
    }
    // A start outside the list selects no line.
    SkinsListBox->SetItemIndex(ASkinIndex < SkinsListBox->Items()->Count() ? ASkinIndex : -1);
    // Without a list the model only keeps the number; the list then loads it
    // when it is inside the list.
    PreviewSkinData->SetSkinIndex(ASkinIndex);
    PreviewSkinData->SetSkinList(ASkinList);
    Finish();
}

TbsSelectSkinDlgForm::TbsSelectSkinDlgForm(TComponent* AOwner, TComponent* AForm, TbsCompressedStoredSkin* ADefaultSkin,
                                           TbsSkinData* ACtrlSkinData)
    : TForm(AOwner)
{
    int line = 0;
    for (int i = 0; AForm && i < AForm->ComponentCount(); ++i)
        if (auto* stored = dynamic_cast<TbsCompressedStoredSkin*>(AForm->Components(i))) {
            if (stored == ADefaultSkin)
                line = int(SkinList.size());
            SkinList.push_back(stored);
        }
    if (SkinList.empty())
        throw EListError("List index out of bounds (-1)");
    Build(ACtrlSkinData);
    for (TbsCompressedStoredSkin* stored : SkinList)
        SkinsListBox->Items()->Add(stored->Description.empty() ? stored->Name() : stored->Description);
    SkinsListBox->SetItemIndex(line);
    PreviewSkinData->SetCompressedStoredSkin(SkinList[size_t(line)]);
    Finish();
}

void TbsSelectSkinDlgForm::Build(TbsSkinData* ACtrlSkinData)
{
    Position = poScreenCenter;
    SetBorderStyle(bsSingle);
    BSF = new TbsSkinForm(this);

    PreviewForm = new TForm(this);
    PreviewForm->SetParent(this);
    PreviewForm->SetCaption(CaptionOf(ACtrlSkinData, PreviewCaption));
    // The sample only shows the skin: it takes no input.
    PreviewForm->SetEnabled(false);
    PreviewForm->SetBounds(0, 0, 220, 170);
    PreviewForm->SetVisible(false);

    PreviewSkinData = new TbsSkinData(this);
    if (ACtrlSkinData && ACtrlSkinData->ResourceStrData())
        PreviewSkinData->SetResourceStrData(ACtrlSkinData->ResourceStrData());

    PreviewButton = AddButton(PreviewForm, PreviewForm, CaptionOf(ACtrlSkinData, PreviewButtonCaption), 20, 20, 100);
    PreviewButton->SetSkinData(PreviewSkinData);
    PreviewBSF = new TbsSkinForm(PreviewForm);
    // The sample is never activated (it takes no input) yet shows the
    // skin's active frame.
    PreviewBSF->PreviewMode = true;
    PreviewBSF->SetSkinData(PreviewSkinData);

    OpenButton = AddButton(this, this, CaptionOf(ACtrlSkinData, OkCaption), 260, 200, 70);
    OpenButton->SetDefault(true);
    OpenButton->SetCanFocused(true);
    OpenButton->SetDefaultHeight(25);
    OpenButton->ModalResult = mrOk;
    CancelButton = AddButton(this, this, CaptionOf(ACtrlSkinData, CancelCaption), 340, 200, 70);
    CancelButton->SetCanFocused(true);
    CancelButton->SetDefaultHeight(25);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    SkinsListBox = new TbsSkinListBox(this);
    SkinsListBox->SetParent(this);
    SkinsListBox->SetBounds(10, 10, 170, 170);
    SkinsListBox->OnListBoxClick = [this](TObject* S) { SLBOnChange(S); };
    SkinsListBox->OnListBoxDblClick = [this](TObject* S) { SLBOnDblClick(S); };
}

void TbsSelectSkinDlgForm::Finish()
{
    PreviewForm->SetBounds(190, 10, PreviewForm->Width(), PreviewForm->Height());
    PreviewForm->SetVisible(true);
    SetActiveControl(SkinsListBox->ListBox);
}

void TbsSelectSkinDlgForm::SLBOnChange(TObject*)
{
    const int index = SkinsListBox->ItemIndex();
    if (FCSkinList)
        PreviewSkinData->SetSkinIndex(index);
    else if (index >= 0 && index < int(SkinList.size()))
        PreviewSkinData->SetCompressedStoredSkin(SkinList[size_t(index)]);
}

void TbsSelectSkinDlgForm::SLBOnDblClick(TObject*) { SetModalResult(mrOk); }

// ---------------------------------------------------------------- the component

TbsSelectSkinDialog::TbsSelectSkinDialog(TComponent* AOwner) : TComponent(AOwner)
{
    InitDialogFont(FDefaultFont);
}

void TbsSelectSkinDialog::SetSkinData(TbsSkinData* AValue) { ChangeReference(this, FSD, AValue); }
void TbsSelectSkinDialog::SetSkinList(TbsCompressedSkinList* AValue) { ChangeReference(this, FSkinList, AValue); }
void TbsSelectSkinDialog::SetCtrlSkinData(TbsSkinData* AValue) { ChangeReference(this, FCtrlFSD, AValue); }

void TbsSelectSkinDialog::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FSkinList)
        FSkinList = nullptr;
    if (AComponent == FCtrlFSD)
        FCtrlFSD = nullptr;
}

bool TbsSelectSkinDialog::Execute(int ASkinIndex)
{
    if (!FSkinList)
        return false;
    FSelectedSkin = nullptr;
    FSelectedSkinIndex = -1;
    return Run(new TbsSelectSkinDlgForm(Application(), FSkinList, ASkinIndex, FCtrlFSD), true);
}

bool TbsSelectSkinDialog::Execute(TbsCompressedStoredSkin* ADefaultCompressedSkin)
{
    FSelectedSkin = nullptr;
    return Run(new TbsSelectSkinDlgForm(Application(), Owner(), ADefaultCompressedSkin, FCtrlFSD), false);
}

bool TbsSelectSkinDialog::Run(TbsSelectSkinDlgForm* AForm, bool AListMode)
{
    std::unique_ptr<TbsSelectSkinDlgForm> form(AForm);
    FDlgFrm = AForm;
    struct TClear {
        TbsSelectSkinDlgForm*& Field;
        ~TClear() { Field = nullptr; }
    } clear{FDlgFrm};

    form->SetCaption(Title);
    form->BSF->SetBorderIcons(0);
    form->BSF->SetSkinData(FSD);
    form->BSF->SetMenusSkinData(FCtrlFSD);
    form->BSF->SetAlphaBlend(AlphaBlend);
    form->BSF->AlphaBlendAnimation = AlphaBlendAnimation;
    form->BSF->SetAlphaBlendValue(AlphaBlendValue);
    for (TbsSkinCustomControl* c : std::initializer_list<TbsSkinCustomControl*>{form->OpenButton, form->CancelButton,
                                                                                 form->SkinsListBox})
        c->SetDefaultFont(&FDefaultFont);
    for (TbsSkinCustomControl* c : std::initializer_list<TbsSkinCustomControl*>{form->OpenButton, form->CancelButton,
                                                                                 form->SkinsListBox})
        c->SetSkinData(FCtrlFSD);
    if (!FSD || FSD->Empty())
        form->SetClientSize(ClientW, ClientH);
    else
        form->SetClientSize(std::max(ClientW, form->BSF->GetMinWidth()), std::max(ClientH, form->BSF->GetMinHeight()));

    if (form->ShowModal() != mrOk)
        return false;
    if (AListMode)
        FSelectedSkinIndex = form->PreviewSkinData->SkinIndex();
    else
        FSelectedSkin = form->SelectedSkin();
    return true;
}

} // namespace skin
