#pragma once
// Skinned message boxes built in code. A TbsMessageForm holds a message
// label, an icon, an optional "do not show again" check box and a centred
// row of buttons, framed by a skin form; the builders make one unshown from
// a message, a title, an icon source and a set of buttons. TbsSkinMessage is
// the component that shows such boxes modally and answers the button that
// closed them.
//
// Captions come from the control skin's UI string table by key when it has
// one (a missing key gives an empty caption), else from English defaults.

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/core/bsSkinData.h"
#include "skin/form/bsSkinForm.h"

#include "platform/controls/Dialogs.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"

#include <functional>
#include <memory>
#include <string>

namespace skin {

using platform::TMsgDlgBtn;
using platform::TMsgDlgButtons;
using platform::TMsgDlgType;

// ---------------------------------------------------------------- tables

// By button, in TMsgDlgBtn order.
extern const char* const MsgButtonNames[platform::MsgDlgBtnCount];
extern const char* const MsgButtonKeys[platform::MsgDlgBtnCount];
extern const char* const MsgButtonCaptions[platform::MsgDlgBtnCount];
extern const int MsgButtonResults[platform::MsgDlgBtnCount];
// By type, in TMsgDlgType order (mtCustom: no key, no title, no icon).
extern const char* const MsgDialogKeys[platform::MsgDlgTypeCount];
extern const char* const MsgDialogCaptions[platform::MsgDlgTypeCount];
extern const int MsgIconIds[platform::MsgDlgTypeCount];

constexpr const char* MsgShowFlagKey = "MSG_CAP_SHOWFLAG";
constexpr const char* MsgShowFlagCaption = "Do not display this message again";

// Layout of a box, in pixels.
constexpr int MsgButtonWidth = 70, MsgButtonGap = 10, MsgDefaultButtonHeight = 25;
constexpr int MsgLabelLeft = 50, MsgLabelTop = 15, MsgIconLeft = 5, MsgIconSize = 32, MsgIconMinTop = 10;

// Any X below this places a box in the middle of the screen.
constexpr int MsgCentreX = -10001;

void GetButtonCaption(TMsgDlgBtn Btn, TbsSkinData* ASkinData, std::string& ACaption);
void GetMsgCaption(TMsgDlgType DlgType, TbsSkinData* ASkinData, std::string& ACaption);

// ---------------------------------------------------------------- the form

class TbsMessageForm : public platform::TForm {
public:
    // X below -10000 centres the form on the screen (Y is then ignored).
    TbsMessageForm(TComponent* AOwner, int X, int Y);

    TbsSkinForm* BSF = nullptr;
    TbsSkinCheckRadioBox* DisplayCheckBox = nullptr;
    TbsSkinStdLabel* Message = nullptr;

    // Shows the form's help topic, in its HelpFile or the application's.
    void HelpButtonClick(TObject* Sender);
};

// The look of a box, as the message component keeps it.
struct TbsMessageLook {
    TbsSkinData* SkinData = nullptr;       // the frame
    TbsSkinData* CtrlSkinData = nullptr;   // the controls and the UI string table
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    TFont* DefaultFont = nullptr;          // label and check box; nil: the controls' own
    TFont* DefaultButtonFont = nullptr;
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 200;
    bool ShowAgainFlag = false;
    bool ShowAgainFlagValue = false;
};

using TbsMessageFormPtr = std::unique_ptr<TbsMessageForm>;

// Each returns a new form owned by the application, not shown. The title is
// the type's (the application's title for mtCustom) or ACaption; the icon the
// type's or image AImageIndex of AImages (none when out of range). The Ex
// builders make DefaultButton the default and active button (no default
// button when it is not among Buttons); the others take OK, else Yes, else
// Retry. The cancel button is Cancel, else No, else OK.
TbsMessageFormPtr CreateSkinMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                          int X, int Y, const TbsMessageLook& ALook);
TbsMessageFormPtr CreateSkinMessageDialogEx(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                            TMsgDlgBtn DefaultButton, int X, int Y, const TbsMessageLook& ALook);
TbsMessageFormPtr CreateSkinMessageDialog2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                           TMsgDlgButtons Buttons, int X, int Y, const TbsMessageLook& ALook);
TbsMessageFormPtr CreateCustomMessageDialog(const std::string& Msg, const std::string& ACaption,
                                            platform::TCustomImageList* AImages, int AImageIndex,
                                            TMsgDlgButtons Buttons, int X, int Y, const TbsMessageLook& ALook);
TbsMessageFormPtr CreateCustomMessageDialogEx(const std::string& Msg, const std::string& ACaption,
                                              platform::TCustomImageList* AImages, int AImageIndex,
                                              TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton, int X, int Y,
                                              const TbsMessageLook& ALook);
// Never with the check box, whatever ALook asks.
TbsMessageFormPtr CreateWideMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                          int X, int Y, const TbsMessageLook& ALook);

// ---------------------------------------------------------------- the component

using TbsMessageSetShowPosEvent = std::function<void(int& AX, int& AY, int AWidth, int AHeight)>;

class TbsSkinMessage : public platform::TComponent {
public:
    explicit TbsSkinMessage(TComponent* AOwner);

    // The boxes carry the check box "Do not display this message again".
    bool ShowAgainFlag = false;
    // In: the check box starts ticked when false. Out: after a box with the
    // check box, true exactly when it was left unticked.
    bool ShowAgainFlagValue = false;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 200;
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* AValue);
    TbsSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TbsSkinData* AValue);
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* AValue) { FDefaultFont.Assign(AValue); }
    TFont* DefaultButtonFont() { return &FDefaultButtonFont; }
    void SetDefaultButtonFont(TFont* AValue) { FDefaultButtonFont.Assign(AValue); }
    bool UseSkinFont = true;
    // Moves a box placed by a ...Pos member just before it is shown.
    TbsMessageSetShowPosEvent OnSetShowPos;

    // Each shows a box modally and answers the modal result of the button
    // that closed it (2 when the box was closed otherwise).
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                   TMsgDlgBtn DefaultButton);
    int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                      TMsgDlgBtn DefaultButton);
    int MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                       const std::string& HelpFileName);
    int MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                    int HelpCtx);
    int MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                        TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    int CustomMessageDlg(const std::string& Msg, const std::string& ACaption, platform::TCustomImageList* AImages,
                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx);
    int CustomMessageDlg(const std::string& Msg, const std::string& ACaption, platform::TCustomImageList* AImages,
                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultButton);
    int CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, platform::TCustomImageList* AImages,
                            int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, platform::TCustomImageList* AImages,
                            int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                            TMsgDlgBtn DefaultButton);
    int CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption, platform::TCustomImageList* AImages,
                             int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    int WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                          int Y);

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    struct TShowing {
        int HelpCtx = 0;
        const std::string* HelpFile = nullptr;
        bool Positioned = false;   // a ...Pos member: OnSetShowPos may move it
        bool Wide = false;         // never a check box, nothing written back
    };
    TbsMessageLook Look(bool AWide);
    int Show(TbsMessageFormPtr AForm, const TShowing& AHow);

    TbsSkinData* FSkinData = nullptr;
    TbsSkinData* FCtrlSkinData = nullptr;
    TFont FDefaultFont;
    TFont FDefaultButtonFont;
};

} // namespace skin
