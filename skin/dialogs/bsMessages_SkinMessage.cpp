// The message component: builds a box, shows it modally, answers the result.

#include "skin/dialogs/bsMessages.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/dialogs/bsDialogLook.h"

namespace skin {

using namespace platform;

TbsSkinMessage::TbsSkinMessage(TComponent* AOwner) : TComponent(AOwner)
{
    InitDialogFont(FDefaultFont);
    InitDialogFont(FDefaultButtonFont);
}

void TbsSkinMessage::SetSkinData(TbsSkinData* AValue) { ChangeReference(this, FSkinData, AValue); }

void TbsSkinMessage::SetCtrlSkinData(TbsSkinData* AValue) { ChangeReference(this, FCtrlSkinData, AValue); }

void TbsSkinMessage::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSkinData)
        FSkinData = nullptr;
    if (AComponent == FCtrlSkinData)
        FCtrlSkinData = nullptr;
}

TbsMessageLook TbsSkinMessage::Look(bool AWide)
{
    TbsMessageLook l;
    l.SkinData = FSkinData;
    l.CtrlSkinData = FCtrlSkinData;
    l.ButtonSkinDataName = ButtonSkinDataName;
    l.MessageLabelSkinDataName = MessageLabelSkinDataName;
    l.DefaultFont = &FDefaultFont;
    l.DefaultButtonFont = &FDefaultButtonFont;
    l.UseSkinFont = UseSkinFont;
    l.AlphaBlend = AlphaBlend;
    l.AlphaBlendAnimation = AlphaBlendAnimation;
    l.AlphaBlendValue = AlphaBlendValue;
    if (!AWide) {
        l.ShowAgainFlag = ShowAgainFlag;
        l.ShowAgainFlagValue = ShowAgainFlagValue;
    }
    return l;
}

int TbsSkinMessage::Show(TbsMessageFormPtr AForm, const TShowing& AHow)
{
    // Whatever happens while the box is up, the check box is read back.
    struct TReadBack {
        TbsSkinMessage* Owner;
        TbsMessageForm* Form;
        bool Wide;
        ~TReadBack()
        {
            if (!Wide && Form->DisplayCheckBox)
                Owner->ShowAgainFlagValue = !Form->DisplayCheckBox->Checked();
        }
    } readBack{this, AForm.get(), AHow.Wide};

    AForm->HelpContext = AHow.HelpCtx;
    if (AHow.HelpFile)
        AForm->HelpFile = *AHow.HelpFile;
    if (AHow.Positioned && !AHow.Wide && OnSetShowPos) {
        int x = AForm->Left(), y = AForm->Top();
        OnSetShowPos(x, y, AForm->Width(), AForm->Height());
        AForm->SetLeft(x);
        AForm->SetTop(y);
    }
    return AForm->ShowModal();
}

int TbsSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateSkinMessageDialog(Msg, DlgType, Buttons, MsgCentreX, MsgCentreX, Look(false)), {HelpCtx});
}

int TbsSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                               TMsgDlgBtn DefaultButton)
{
    return Show(CreateSkinMessageDialogEx(Msg, DlgType, Buttons, DefaultButton, MsgCentreX, MsgCentreX, Look(false)),
                {HelpCtx});
}

int TbsSkinMessage::MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                  int X, int Y)
{
    return Show(CreateSkinMessageDialog(Msg, DlgType, Buttons, X, Y, Look(false)), {HelpCtx, nullptr, true});
}

int TbsSkinMessage::MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                  int X, int Y, TMsgDlgBtn DefaultButton)
{
    return Show(CreateSkinMessageDialogEx(Msg, DlgType, Buttons, DefaultButton, X, Y, Look(false)),
                {HelpCtx, nullptr, true});
}

int TbsSkinMessage::MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                   const std::string& HelpFileName)
{
    return Show(CreateSkinMessageDialog(Msg, DlgType, Buttons, MsgCentreX, MsgCentreX, Look(false)),
                {HelpCtx, &HelpFileName});
}

int TbsSkinMessage::MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateSkinMessageDialog2(Msg, ACaption, DlgType, Buttons, MsgCentreX, MsgCentreX, Look(false)),
                {HelpCtx});
}

int TbsSkinMessage::MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                    TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName)
{
    return Show(CreateSkinMessageDialog2(Msg, ACaption, DlgType, Buttons, MsgCentreX, MsgCentreX, Look(false)),
                {HelpCtx, &HelpFileName});
}

int TbsSkinMessage::CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                     int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateCustomMessageDialog(Msg, ACaption, AImages, AImageIndex, Buttons, MsgCentreX, MsgCentreX,
                                          Look(false)),
                {HelpCtx});
}

int TbsSkinMessage::CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                     int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultButton)
{
    return Show(CreateCustomMessageDialogEx(Msg, ACaption, AImages, AImageIndex, Buttons, DefaultButton, MsgCentreX,
                                            MsgCentreX, Look(false)),
                {HelpCtx});
}

int TbsSkinMessage::CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                        int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y)
{
    return Show(CreateCustomMessageDialog(Msg, ACaption, AImages, AImageIndex, Buttons, X, Y, Look(false)),
                {HelpCtx, nullptr, true});
}

int TbsSkinMessage::CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                        int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                                        TMsgDlgBtn DefaultButton)
{
    return Show(
        CreateCustomMessageDialogEx(Msg, ACaption, AImages, AImageIndex, Buttons, DefaultButton, X, Y, Look(false)),
        {HelpCtx, nullptr, true});
}

int TbsSkinMessage::CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption,
                                         TCustomImageList* AImages, int AImageIndex, TMsgDlgButtons Buttons,
                                         int HelpCtx, const std::string& HelpFileName)
{
    return Show(CreateCustomMessageDialog(Msg, ACaption, AImages, AImageIndex, Buttons, MsgCentreX, MsgCentreX,
                                          Look(false)),
                {HelpCtx, &HelpFileName});
}

int TbsSkinMessage::WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateWideMessageDialog(Msg, DlgType, Buttons, MsgCentreX, MsgCentreX, Look(true)),
                {HelpCtx, nullptr, false, true});
}

int TbsSkinMessage::WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      int HelpCtx, int X, int Y)
{
    return Show(CreateWideMessageDialog(Msg, DlgType, Buttons, X, Y, Look(true)), {HelpCtx, nullptr, true, true});
}

} // namespace skin
