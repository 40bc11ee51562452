#pragma once
// The open and save dialogs with a picture preview: beside the file list a
// panel shows the selected file as a picture, at its natural size with
// scroll bars or stretched to the panel. A file that cannot be read as a
// picture shows the reader's error there instead.

#include "skin/boxes/bsSkinBoxCtrls_ScrollBox.h"
#include "skin/controls/bsSkinCtrls_Splitter.h"
#include "skin/dialogs/bsSkinOpenDialog.h"

#include "platform/controls/ExtCtrls.h"

namespace skin {

class TbsOpenPictureDlgForm : public TbsOpenDlgForm {
public:
    TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData, bool AToolButtonsTransparent,
                          TCustomImageList* AToolBarImageList);

    TbsSkinPanel* ImagePanel = nullptr;
    platform::TImage* Image = nullptr;
    TbsSkinScrollBox* ScrollBox = nullptr;
    TbsSkinScrollBar* SBVScrollBar = nullptr;
    TbsSkinScrollBar* SBHScrollBar = nullptr;
    TbsSkinSpeedButton* StretchButton = nullptr;
    TbsSkinSplitter* Splitter = nullptr;
    // The reader's error for the selected file, shown in the preview.
    TbsSkinStdLabel* PreviewError = nullptr;

    void FLVChange() override;
    void StretchButtonClick();
    // Shows the picture of AFileName, or the reader's error when it cannot
    // be read; true when it could.
    bool LoadPreview(const std::string& AFileName);
    // Stretched to the panel, or at natural size with scroll bars.
    void SetStretched(bool AValue);

private:
    void ClearPreview();
    void FitImage();
};

class TbsSkinOpenPictureDialog : public TbsSkinOpenDialog {
public:
    explicit TbsSkinOpenPictureDialog(TComponent* AOwner);

    // Every run starts with the stretched preview.
    bool StretchPicture = false;
    // The preview panel's width, applied at the start of a run and kept
    // from its end.
    int ImagePanelWidth = 190;
    // The Stretch button's state at the end of the last run.
    bool DialogStretch = false;

    TbsOpenPictureDlgForm* PictureForm() const { return static_cast<TbsOpenPictureDlgForm*>(DlgFrm()); }

protected:
    TbsOpenDlgForm* CreateForm() override;
    void BeforeShow(TbsOpenDlgForm* F) override;
    void AfterShow(TbsOpenDlgForm* F) override;
};

class TbsSkinSavePictureDialog : public TbsSkinOpenPictureDialog {
public:
    explicit TbsSkinSavePictureDialog(TComponent* AOwner);
};

} // namespace skin
