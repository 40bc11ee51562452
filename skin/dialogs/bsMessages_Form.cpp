// The message form and its builders.

#include "skin/dialogs/bsMessages.h"

#include "skin/core/bsSkinData_Controls.h"
#include "skin/dialogs/bsDialogLook.h"
#include "skin/dialogs/bsDialogPictures.h"

#include "platform/gfx/PngImage.h"

#include <optional>

namespace skin {

using namespace platform;

const char* const MsgButtonNames[MsgDlgBtnCount] = {"Yes",   "No",  "OK",      "Cancel",   "Abort", "Retry",
                                                    "Ignore", "All", "NoToAll", "YesToAll", "Help",  "Close"};
const char* const MsgButtonKeys[MsgDlgBtnCount] = {
    "MSG_BTN_YES",    "MSG_BTN_NO",  "MSG_BTN_OK",      "MSG_BTN_CANCEL",   "MSG_BTN_ABORT", "MSG_BTN_RETRY",
    "MSG_BTN_IGNORE", "MSG_BTN_ALL", "MSG_BTN_NOTOALL", "MSG_BTN_YESTOALL", "MSG_BTN_HELP",  "MSG_BTN_CLOSE"};
const char* const MsgButtonCaptions[MsgDlgBtnCount] = {"&Yes",    "&No",  "OK",       "Cancel",    "&Abort", "&Retry",
                                                       "&Ignore", "&All", "N&oToAll", "&YesToAll", "&Help",  "Close"};
// Help answers 0, so its click never closes a box.
const int MsgButtonResults[MsgDlgBtnCount] = {mrYes, mrNo,      mrOk,       mrCancel, mrAbort, mrRetry,
                                              mrIgnore, mrAll, mrNoToAll, mrYesToAll, 0, 11};
const char* const MsgDialogKeys[MsgDlgTypeCount] = {"MSG_CAP_WARNING", "MSG_CAP_ERROR", "MSG_CAP_INFORMATION",
                                                    "MSG_CAP_CONFIRM", ""};
const char* const MsgDialogCaptions[MsgDlgTypeCount] = {"Warning", "Error", "Information", "Confirm", ""};
const int MsgIconIds[MsgDlgTypeCount] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION, 0};

void GetButtonCaption(TMsgDlgBtn Btn, TbsSkinData* ASkinData, std::string& ACaption)
{
    ACaption = DialogCaption(ASkinData, MsgButtonKeys[Btn], MsgButtonCaptions[Btn]);
}

void GetMsgCaption(TMsgDlgType DlgType, TbsSkinData* ASkinData, std::string& ACaption)
{
    if (DlgType == mtCustom)
        ACaption.clear();
    else
        ACaption = DialogCaption(ASkinData, MsgDialogKeys[DlgType], MsgDialogCaptions[DlgType]);
}

// ---------------------------------------------------------------- TbsMessageForm

TbsMessageForm::TbsMessageForm(TComponent* AOwner, int X, int Y) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    KeyPreview = true;
    if (X < -10000) {
        Position = poScreenCenter;
    } else {
        Position = poDesigned;
        SetLeft(X);
        SetTop(Y);
    }
    BSF = new TbsSkinForm(this);
    BSF->SetBorderIcons(0);
}

void TbsMessageForm::HelpButtonClick(TObject*)
{
    Application()->HelpContext(HelpContext, HelpFile);
}

// ---------------------------------------------------------------- building

namespace {

// What tells the builders apart.
struct TBuildSpec {
    const std::string* Caption = nullptr;        // nil: the type's title
    TMsgDlgType DlgType = mtCustom;
    bool SystemIcon = true;                      // else the image list's
    TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    std::optional<TMsgDlgBtn> DefaultButton;     // set: overrides the rule
    bool CheckBoxAllowed = true;
};

int ButtonHeight(const TbsMessageLook& L)
{
    TbsSkinData* sd = L.CtrlSkinData;
    if (!sd || sd->Empty())
        return MsgDefaultButtonHeight;
    const int index = sd->GetControlIndex(L.ButtonSkinDataName);
    if (index < 0)
        return MsgDefaultButtonHeight;
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(sd->CtrlList[size_t(index)].get());
    return rec ? rec->SkinRect.Height() : MsgDefaultButtonHeight;
}

void CopyFont(TFont* AFrom, const std::function<void(TFont*)>& ASet)
{
    if (AFrom)
        ASet(AFrom);
}

TbsSkinStdLabel* AddLabel(TbsMessageForm* F, const std::string& Msg, const TbsMessageLook& L)
{
    auto* label = new TbsSkinStdLabel(F);
    F->Message = label;
    CopyFont(L.DefaultFont, [&](TFont* AFont) {
        label->SetFont(AFont);
        label->SetDefaultFont(AFont);
    });
    label->UseSkinFont = L.UseSkinFont;
    label->SkinDataName = L.MessageLabelSkinDataName;
    label->SetSkinData(L.CtrlSkinData);
    label->SetName("Message");
    label->SetParent(F);
    label->SetAutoSize(true);
    label->SetCaption(Msg);
    label->SetBounds(MsgLabelLeft, MsgLabelTop, label->Width(), label->Height());
    return label;
}

void AddIcon(TbsMessageForm* F, const TBuildSpec& S)
{
    const int labelMiddle = F->Message->Top() + F->Message->Height() / 2;
    if (S.SystemIcon) {
        auto* image = new TImage(F);
        image->SetName("Image");
        image->SetParent(F);
        TPngImage icon;
        if (LoadMessageIcon(MsgIconIds[S.DlgType], icon))
            image->Picture()->SetGraphic(&icon);
        image->SetBounds(MsgIconLeft, std::max(labelMiddle - 16, MsgIconMinTop), MsgIconSize, MsgIconSize);
        return;
    }
    if (!S.Images || S.ImageIndex < 0 || S.ImageIndex >= S.Images->Count())
        return;
    auto* image = new TImage(F);
    image->SetName("Image");
    image->SetParent(F);
    image->Transparent = true;
    TBitmap* b = image->Picture()->Bitmap();
    S.Images->GetBitmap(S.ImageIndex, b);
    image->SetBounds(MsgIconLeft, labelMiddle - 16, S.Images->Width(), S.Images->Height());
}

void AddCheckBox(TbsMessageForm* F, const TbsMessageLook& L, int AButtonHeight)
{
    F->SetClientSize(F->ClientWidth(), F->ClientHeight() + 40);
    auto* box = new TbsSkinCheckRadioBox(F);
    F->DisplayCheckBox = box;
    box->SetName("checkbox");
    box->SetDefaultHeight(30);
    box->SetChecked(!L.ShowAgainFlagValue);
    box->SetParent(F);
    CopyFont(L.DefaultFont, [&](TFont* AFont) { box->SetDefaultFont(AFont); });
    box->UseSkinFont = L.UseSkinFont;
    box->SetSkinData(L.CtrlSkinData);
    const int top = F->ClientHeight() - AButtonHeight - 50;
    std::string caption = DialogCaption(L.CtrlSkinData, MsgShowFlagKey, "");
    if (caption.empty())
        caption = MsgShowFlagCaption;
    box->SetCaption(caption);
    // Measured in the font the box will paint with.
    TCanvas* c = F->Canvas();
    if (box->FIndex != -1 && L.UseSkinFont) {
        c->Font()->SetName(box->FontName);
        c->Font()->SetHeight(box->FontHeight);
    } else if (L.DefaultFont) {
        c->Font()->Assign(L.DefaultFont);
    } else {
        c->Font()->Assign(box->DefaultFont());
    }
    const int textWidth = c->TextWidth(caption);
    if (F->ClientWidth() < textWidth + 60)
        F->SetClientSize(textWidth + 60, F->ClientHeight());
    box->SetBounds(5, top, textWidth + 55, box->DefaultHeight());
}

void AddButtons(TbsMessageForm* F, TMsgDlgButtons Buttons, const TBuildSpec& S, const TbsMessageLook& L,
                int AButtonHeight, int ARowWidth)
{
    std::optional<TMsgDlgBtn> defaultButton = S.DefaultButton;
    if (!defaultButton) {
        for (TMsgDlgBtn b : {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes, TMsgDlgBtn::mbRetry})
            if (Buttons.Contains(b)) {
                defaultButton = b;
                break;
            }
    }
    std::optional<TMsgDlgBtn> cancelButton;
    for (TMsgDlgBtn b : {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK})
        if (Buttons.Contains(b)) {
            cancelButton = b;
            break;
        }
    int x = (F->ClientWidth() - ARowWidth) / 2;
    for (int i = 0; i < MsgDlgBtnCount; ++i) {
        const auto btn = TMsgDlgBtn(i);
        if (!Buttons.Contains(btn))
            continue;
        auto* b = new TbsSkinButton(F);
        b->SetParent(F);
        b->SetName(MsgButtonNames[i]);
        b->SetCanFocused(true);
        std::string caption;
        GetButtonCaption(btn, L.CtrlSkinData, caption);
        b->SetCaption(caption);
        b->ModalResult = MsgButtonResults[i];
        if (defaultButton == btn) {
            b->SetDefault(true);
            if (S.DefaultButton)
                F->SetActiveControl(b);
        }
        if (cancelButton == btn)
            b->Cancel = true;
        b->SetDefaultHeight(AButtonHeight);
        b->SetBounds(x, F->ClientHeight() - AButtonHeight - 10, MsgButtonWidth, AButtonHeight);
        CopyFont(L.DefaultButtonFont, [&](TFont* AFont) { b->SetDefaultFont(AFont); });
        b->UseSkinFont = L.UseSkinFont;
        x += MsgButtonWidth + MsgButtonGap;
        if (btn == TMsgDlgBtn::mbHelp)
            b->OnClick = [F](TObject* ASender) { F->HelpButtonClick(ASender); };
        b->SetSkinDataName(L.ButtonSkinDataName);
        b->SetSkinData(L.CtrlSkinData);
    }
}

TbsMessageFormPtr Build(const std::string& Msg, TMsgDlgButtons Buttons, int X, int Y, const TbsMessageLook& L,
                        const TBuildSpec& S)
{
    TbsMessageFormPtr f = std::make_unique<TbsMessageForm>(Application(), X, Y);
    f->BSF->SetSkinData(L.SkinData);
    f->BSF->SetMenusSkinData(L.CtrlSkinData);
    f->BSF->SetAlphaBlend(L.AlphaBlend);
    f->BSF->AlphaBlendAnimation = L.AlphaBlendAnimation;
    f->BSF->SetAlphaBlendValue(L.AlphaBlendValue);

    const int buttonHeight = ButtonHeight(L);
    const int n = Buttons.Count();
    const int rowWidth = n > 0 ? MsgButtonWidth * n + MsgButtonGap * (n - 1) : 0;

    std::string title;
    if (S.Caption)
        title = *S.Caption;
    else if (S.DlgType == mtCustom)
        title = Application()->Title;
    else
        GetMsgCaption(S.DlgType, L.CtrlSkinData, title);
    f->SetCaption(title);

    TbsSkinStdLabel* label = AddLabel(f.get(), Msg, L);
    const int labelRight = label->Left() + label->Width();
    AddIcon(f.get(), S);
    f->SetClientSize(rowWidth < labelRight ? labelRight + 40 : rowWidth + 40, buttonHeight + label->Height() + 50);
    if (L.ShowAgainFlag && S.CheckBoxAllowed)
        AddCheckBox(f.get(), L, buttonHeight);

    if (f->BSF->GetMaxWidth() < f->Width())
        f->SetWidth(f->BSF->GetMaxWidth());
    else if (f->Width() < f->BSF->GetMinWidth())
        f->SetWidth(f->BSF->GetMinWidth());

    AddButtons(f.get(), Buttons, S, L, buttonHeight, rowWidth);
    return f;
}

TBuildSpec TypeSpec(TMsgDlgType DlgType)
{
    TBuildSpec s;
    s.DlgType = DlgType;
    return s;
}

TBuildSpec ImageSpec(const std::string& ACaption, TCustomImageList* AImages, int AImageIndex)
{
    TBuildSpec s;
    s.Caption = &ACaption;
    s.SystemIcon = false;
    s.Images = AImages;
    s.ImageIndex = AImageIndex;
    return s;
}

} // namespace

TbsMessageFormPtr CreateSkinMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int X,
                                          int Y, const TbsMessageLook& ALook)
{
    return Build(Msg, Buttons, X, Y, ALook, TypeSpec(DlgType));
}

TbsMessageFormPtr CreateSkinMessageDialogEx(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                            TMsgDlgBtn DefaultButton, int X, int Y, const TbsMessageLook& ALook)
{
    TBuildSpec s = TypeSpec(DlgType);
    s.DefaultButton = DefaultButton;
    return Build(Msg, Buttons, X, Y, ALook, s);
}

TbsMessageFormPtr CreateSkinMessageDialog2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                           TMsgDlgButtons Buttons, int X, int Y, const TbsMessageLook& ALook)
{
    TBuildSpec s = TypeSpec(DlgType);
    s.Caption = &ACaption;
    return Build(Msg, Buttons, X, Y, ALook, s);
}

TbsMessageFormPtr CreateCustomMessageDialog(const std::string& Msg, const std::string& ACaption,
                                            TCustomImageList* AImages, int AImageIndex, TMsgDlgButtons Buttons, int X,
                                            int Y, const TbsMessageLook& ALook)
{
    return Build(Msg, Buttons, X, Y, ALook, ImageSpec(ACaption, AImages, AImageIndex));
}

TbsMessageFormPtr CreateCustomMessageDialogEx(const std::string& Msg, const std::string& ACaption,
                                              TCustomImageList* AImages, int AImageIndex, TMsgDlgButtons Buttons,
                                              TMsgDlgBtn DefaultButton, int X, int Y, const TbsMessageLook& ALook)
{
    TBuildSpec s = ImageSpec(ACaption, AImages, AImageIndex);
    s.DefaultButton = DefaultButton;
    return Build(Msg, Buttons, X, Y, ALook, s);
}

TbsMessageFormPtr CreateWideMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int X,
                                          int Y, const TbsMessageLook& ALook)
{
    TBuildSpec s = TypeSpec(DlgType);
    s.CheckBoxAllowed = false;
    return Build(Msg, Buttons, X, Y, ALook, s);
}

} // namespace skin
