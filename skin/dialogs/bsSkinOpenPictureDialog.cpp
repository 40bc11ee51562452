#include "skin/dialogs/bsSkinOpenPictureDialog.h"

#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <exception>

namespace skin {

using namespace platform;

namespace {

constexpr int StretchImage = 4;

std::string NameOf(const std::string& APath) { return APath.substr(APath.rfind('/') + 1); }

} // namespace

// ---------------------------------------------------------------- the form

TbsOpenPictureDlgForm::TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                                             bool AToolButtonsTransparent, TCustomImageList* AToolBarImageList)
    : TbsOpenDlgForm(AOwner, ASaveMode, ACtrlSkinData, AToolButtonsTransparent, AToolBarImageList)
{
    TPngImage png;
    LoadDialogPicture("BS_STRETCH_PNG", png);
    PngImgList->PngImages().Add()->SetPngImage(&png);

    const int w = ClientWidth();
    ImagePanel = new TbsSkinPanel(this);
    ImagePanel->SetParent(this);
    ImagePanel->SetBorderStyle(bvFrame);
    ImagePanel->SetBounds(w + 2000, 0, 200, ClientHeight());
    ImagePanel->SetAlign(alRight);
    SBVScrollBar = new TbsSkinScrollBar(this);
    SBVScrollBar->SetKind(sbVertical);
    SBVScrollBar->SetParent(ImagePanel);
    SBVScrollBar->SetAlign(alRight);
    SBVScrollBar->SetDefaultWidth(19);
    SBVScrollBar->SetSkinDataName("vscrollbar");
    SBHScrollBar = new TbsSkinScrollBar(this);
    SBHScrollBar->SetParent(ImagePanel);
    SBHScrollBar->SetAlign(alBottom);
    SBHScrollBar->SetDefaultHeight(19);
    SBHScrollBar->SetSkinDataName("hscrollbar");
    ScrollBox = new TbsSkinScrollBox(this);
    ScrollBox->SetParent(ImagePanel);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetBorderStyle(bvNone);
    ScrollBox->SetHScrollBar(SBHScrollBar);
    ScrollBox->SetVScrollBar(SBVScrollBar);
    Image = new TImage(this);
    Image->SetParent(ScrollBox);
    Image->SetBounds(0, 0, 0, 0);
    PreviewError = new TbsSkinStdLabel(this);
    PreviewError->SetParent(ScrollBox);
    PreviewError->SetAlign(alClient);
    PreviewError->SetWordWrap(true);
    PreviewError->SetVisible(false);

    Splitter = new TbsSkinSplitter(this);
    Splitter->SetParent(this);
    Splitter->SetBounds(w + 1000, 0, 10, ClientHeight());
    Splitter->SetAlign(alRight);
    Splitter->DefaultSize = 10;

    StretchButton = AddToolButton(StretchImage, Caption("MSG_BTN_STRETCH_HINT", "Stretch Picture"),
                                  AToolButtonsTransparent, 27);
    StretchButton->SetLeft(ToolPanel->Width() + 3000);
    StretchButton->SetAlign(alRight);
    StretchButton->SetGroupIndex(2);
    StretchButton->AllowAllUp = true;
    StretchButton->OnClick = [this](TObject*) { StretchButtonClick(); };

    // Fixed places: a wider dialog gives the room to the list and preview.
    const TAnchors fixed = AnchorBit(akLeft) | AnchorBit(akTop);
    FileNameEdit->SetBounds(70, 10, 280, FileNameEdit->Height());
    FilterComboBox->SetBounds(70, 45, 280, 21);
    OpenButton->SetBounds(370, 10, 70, 25);
    CancelButton->SetBounds(370, 45, 70, 25);
    for (TControl* c : {static_cast<TControl*>(FileNameEdit), static_cast<TControl*>(FilterComboBox),
                        static_cast<TControl*>(OpenButton), static_cast<TControl*>(CancelButton)})
        c->SetAnchors(fixed);
}

void TbsOpenPictureDlgForm::FitImage()
{
    if (!Image->Stretch)
        Image->SetBounds(0, 0, Image->Picture()->Width(), Image->Picture()->Height());
    ScrollBox->UpDateScrollRange();
    Image->Invalidate();
}

void TbsOpenPictureDlgForm::ClearPreview()
{
    Image->Picture()->SetGraphic(nullptr);
    PreviewError->SetVisible(false);
    if (!Image->Stretch)
        Image->SetBounds(0, 0, 0, 0);
    ScrollBox->UpDateScrollRange();
}

bool TbsOpenPictureDlgForm::LoadPreview(const std::string& AFileName)
{
    bool ok = true;
    try {
        Image->Picture()->LoadFromFile(AFileName);
        PreviewError->SetVisible(false);
    } catch (const std::exception& E) {
        // Not a picture the readers know, or a damaged one: the preview
        // says so and the dialog goes on.
        ok = false;
        Image->Picture()->SetGraphic(nullptr);
        PreviewError->SetCaption(Format("%s\n\n%s", NameOf(AFileName), E.what()));
        PreviewError->SetVisible(true);
    }
    FitImage();
    return ok;
}

void TbsOpenPictureDlgForm::FLVChange()
{
    const std::string selected = FileListView->GetSelectedFile();
    FileNameEdit->SetText(selected.empty() ? std::string() : NameOf(selected));
    const std::string name = FileNameEdit->Text();
    if (name.empty())
        ClearPreview();
    else
        LoadPreview(bsJoinPath(FileListView->Path(), name));
}

void TbsOpenPictureDlgForm::SetStretched(bool AValue)
{
    Image->SetVisible(false);
    if (AValue) {
        Image->Stretch = true;
        Image->SetAlign(alClient);
    } else {
        Image->SetAlign(alNone);
        Image->SetBounds(0, 0, Image->Picture()->Width(), Image->Picture()->Height());
        Image->Stretch = false;
    }
    ScrollBox->UpDateScrollRange();
    Image->SetVisible(true);
}

void TbsOpenPictureDlgForm::StretchButtonClick() { SetStretched(StretchButton->Down()); }

// ---------------------------------------------------------------- the components

TbsSkinOpenPictureDialog::TbsSkinOpenPictureDialog(TComponent* AOwner) : TbsSkinOpenDialog(AOwner)
{
    FUsesDefaultExt = false;
    FDefaultWidth = 550;
    AlphaBlendValue = 200;
    Title = "Open picture";
    Filter = "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
             "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
    FilterIndex = 1;
}

TbsOpenDlgForm* TbsSkinOpenPictureDialog::CreateForm()
{
    return new TbsOpenPictureDlgForm(Application(), SaveMode, CtrlSkinData(), ToolButtonsTransparent,
                                     ToolBarImageList());
}

void TbsSkinOpenPictureDialog::BeforeShow(TbsOpenDlgForm* AForm)
{
    auto* F = static_cast<TbsOpenPictureDlgForm*>(AForm);
    TbsSkinData* sd = CtrlSkinData();
    F->ImagePanel->SetWidth(ImagePanelWidth);
    F->ImagePanel->SetSkinData(sd);
    F->ScrollBox->SetSkinData(sd);
    F->SBHScrollBar->SetSkinData(sd);
    F->SBVScrollBar->SetSkinData(sd);
    F->Splitter->SetSkinData(sd);
    F->PreviewError->SetSkinData(sd);
    // The Stretch button joins the other tool buttons' skin.
    F->StretchButton->SetSkinDataName(F->BackToolButton->SkinDataName());
    F->StretchButton->SetSkinData(sd);
    F->StretchButton->SetDown(StretchPicture || DialogStretch);
    if (F->StretchButton->Down())
        F->SetStretched(true);
    if (FileExists(FileName()))
        F->LoadPreview(FileName());
}

void TbsSkinOpenPictureDialog::AfterShow(TbsOpenDlgForm* AForm)
{
    auto* F = static_cast<TbsOpenPictureDlgForm*>(AForm);
    DialogStretch = F->StretchButton->Down();
    ImagePanelWidth = F->ImagePanel->Width();
}

TbsSkinSavePictureDialog::TbsSkinSavePictureDialog(TComponent* AOwner) : TbsSkinOpenPictureDialog(AOwner)
{
    Title = "Save file";
    SaveMode = true;
}

} // namespace skin
