// Caption buttons: the standard button with its window command, restore
// looks and built-in look, and the animated object that can act as one.

#include "skin/form/bsSkinForm_Objects.h"

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Helpers.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/Forms.h"

namespace skin {

using namespace platform;

namespace {


// The command's state is in effect: a click would undo it.
bool CommandStateHolds(TbsSkinForm* AForm, TbsStdCommand ACommand, bool AMainFormMinimizes)
{
    switch (ACommand) {
    case cmMaximize: return AForm->WindowState() == wsMaximized;
    case cmMinimize:
        return AForm->WindowState() == wsMinimized &&
               (AMainFormMinimizes || AForm->Form() != Application()->MainForm());
    case cmRollUp: return AForm->RollUpState();
    default: return false;
    }
}

// The hint names what a click will do.
std::string SwitchedHint(TbsSkinForm* AForm, TbsStdCommand ACommand, const std::string& ARestoreHint,
                         const std::string& ATempHint)
{
    const bool restoring = (ACommand == cmRollUp && AForm->RollUpState()) ||
                           (ACommand == cmMinimize && AForm->WindowState() == wsMinimized) ||
                           (ACommand == cmMaximize && AForm->WindowState() == wsMaximized);
    return restoring && !ARestoreHint.empty() ? ARestoreHint : ATempHint;
}

// Commands run on release; the hover is reset before the window changes.
void RunCommand(TbsSkinForm* AForm, TbsStdCommand ACommand, const std::function<void()>& AHideLayer)
{
    switch (ACommand) {
    case cmClose:
        AForm->TestActive(-1, -1, false);
        AForm->Form()->Close();
        break;
    case cmMaximize:
        AForm->TestActive(-1, -1, false);
        if (AHideLayer)
            AHideLayer();
        AForm->SetWindowState(AForm->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        AForm->TestActive(-1, -1, false);
        if (AForm->AlwaysMinimizeToTray) {
            AForm->MinimizeToTray();
            break;
        }
        if (AHideLayer)
            AHideLayer();
        AForm->SetWindowState(AForm->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        break;
    case cmRollUp: AForm->SetRollUpState(!AForm->RollUpState()); break;
    case cmMinimizeToTray:
        AForm->TestActive(-1, -1, false);
        AForm->MinimizeToTray();
        break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

} // namespace

// ---------------------------------------------------------------- standard button

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* AParent, TbsDataSkinObject* AData)
    : TbsSkinButtonObject(AParent, AData)
{
    auto* rec = dynamic_cast<TbsDataSkinStdButton*>(AData);
    if (!rec)
        return;
    Command = rec->Command;
    RestoreRect = rec->RestoreRect;
    RestoreActiveRect = rec->RestoreActiveRect;
    RestoreInActiveRect = rec->RestoreInActiveRect;
    RestoreDownRect = rec->RestoreDownRect;
    RestoreHint = rec->RestoreHint;
    FTempHint = rec->Hint;
    FSkinSupport = true;
    FAlphaNormalImage = rec->FAlphaNormalImage.get();
    FAlphaActiveImage = rec->FAlphaActiveImage.get();
    FAlphaDownImage = rec->FAlphaDownImage.get();
    FAlphaInActiveImage = rec->FAlphaInActiveImage.get();
    FAlphaRestoreNormalImage = rec->FAlphaRestoreNormalImage.get();
    FAlphaRestoreActiveImage = rec->FAlphaRestoreActiveImage.get();
    FAlphaRestoreDownImage = rec->FAlphaRestoreDownImage.get();
    FAlphaInActiveRestoreImage = rec->FAlphaInActiveRestoreImage.get();
}

// On the layered border the look comes from the record's alpha images: a
// missing restore look falls back to the plain one.
void TbsSkinStdButtonObject::DrawAlpha(TCanvas*, TbsBitmap& ABitMap)
{
    if (!HasSkin() || !IsLayeredWindowsAvailable())
        return;
    if (IconCase()) {
        // An icon with its own alpha keeps its transparency; one without is
        // drawn over the colour key, which then becomes see-through.
        int w, h;
        TbsSkinForm::GetSmallIconSize(w, h);
        TbsBitmap icon;
        icon.SetSize(w, h);
        icon.Clear(Parent->IsAlphaIcon ? 0 : 0x007F007F);
        Parent->DrawFormIcon(icon.Canvas(), 0, 0);
        if (Parent->IsAlphaIcon) {
            ComposeOver(ABitMap, ObjectRect.Left, ObjectRect.Top, icon);
            return;
        }
        icon.SetAlpha(255);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((*icon.GetPixelPtr(x, y) & 0x00FFFFFF) == 0x007F007F)
                    *icon.GetPixelPtr(x, y) = 0;
        icon.AlphaBlend = true;
        icon.Draw(ABitMap, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const bool restore = InRestoreState();
    auto pick = [restore](TbsBitmap* APlain, TbsBitmap* ARestore) { return restore && ARestore ? ARestore : APlain; };
    TbsBitmap* image;
    if (Parent->GetFormActive() || IsNullRect(InActiveSkinRect)) {
        if (FDown && !IsNullRect(DownRect) && (Command == cmSysMenu || FMouseIn))
            image = pick(FAlphaDownImage, FAlphaRestoreDownImage);
        else if (FMouseIn && !IsNullRect(ActiveSkinRect))
            image = pick(FAlphaActiveImage, FAlphaRestoreActiveImage);
        else
            image = pick(FAlphaNormalImage, FAlphaRestoreNormalImage);
    } else
        image = pick(FAlphaInActiveImage, FAlphaInActiveRestoreImage);
    if (image && !image->Empty()) {
        image->AlphaBlend = true;
        image->Draw(ABitMap, ObjectRect);
    }
}

bool TbsSkinStdButtonObject::InRestoreState() const
{
    return CommandStateHolds(Parent, Command, false);
}

bool TbsSkinStdButtonObject::IconCase() const
{
    return Command == cmSysMenu && Parent->ShowIcon && SkinRectInAPicture;
}

bool TbsSkinStdButtonObject::CoveredByAppMenuCaption() const
{
    return FSkinSupport && Parent->CoveredByAppMenuCaption(ObjectRect);
}

// A button the application menu's caption covers is out of sight, so it
// takes no clicks either: a press on the menu's caption must not close or
// minimise the form.
bool TbsSkinStdButtonObject::InObjectArea(int X, int Y)
{
    if (CoveredByAppMenuCaption())
        return false;
    return IconCase() || TbsSkinButtonObject::InObjectArea(X, Y);
}

void TbsSkinStdButtonObject::ShowLayer()
{
    if (!IconCase())
        TbsSkinButtonObject::ShowLayer();
}

void TbsSkinStdButtonObject::HideLayer()
{
    if (!IconCase())
        TbsSkinButtonObject::HideLayer();
}

bool TbsSkinStdButtonObject::CanMorphing()
{
    return !IconCase() && TbsSkinButtonObject::CanMorphing();
}

void TbsSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (!HasSkin() || CoveredByAppMenuCaption())
        return;
    if (IconCase()) {
        FMorphKf = 0;
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const bool restore = InRestoreState();
    if (!Enabled || (!FormActive() && !IsNullRect(InActiveSkinRect) && !restore)) {
        TbsSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    if (!restore || IsNullRect(RestoreRect)) {
        // The system-menu button stays pressed while its menu is open.
        if (FDown && !IsNullRect(DownRect) && Command == cmSysMenu)
            CopyLook(Cnvs, ActivePicture, DownRect);
        else
            TbsSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    if (!Parent->GetFormActive() && !IsNullRect(RestoreInActiveRect))
        CopyLook(Cnvs, ActivePicture, RestoreInActiveRect);
    else if (FDown && FMouseIn && !IsNullRect(RestoreDownRect))
        CopyLook(Cnvs, ActivePicture, RestoreDownRect);
    else if (EnableMorphing() && ((Active && FMorphKf != 1) || (!Active && FMorphKf != 0)))
        DrawMorphed(Cnvs, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
    else
        CopyLook(Cnvs, ActivePicture, Active && !IsNullRect(RestoreActiveRect) ? RestoreActiveRect : RestoreRect);
}

void TbsSkinStdButtonObject::DefaultDraw(TCanvas* Cnvs)
{
    if (Command == cmSysMenu && Parent->ShowIcon) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    const TRect r{0, 0, w, h};
    if (FMouseIn) {
        c->Brush()->SetColor(FDown ? DownFillColor : HotFillColor);
        c->FillRect(r);
        c->Brush()->SetColor(HotFrameColor);
        c->FrameRect(r);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    const int x = w / 2 - 5, y = h / 2 - 4;
    const TWindowState state = Parent->WindowState();
    switch (Command) {
    case cmClose: DrawCloseImage(c, x, y, color); break;
    case cmMaximize:
        (state == wsMaximized ? DrawRestoreImage : DrawMaximizeImage)(c, x, y, color);
        break;
    case cmMinimize:
        (state == wsMinimized ? DrawRestoreImage : DrawMinimizeImage)(c, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    case cmRollUp: (Parent->RollUpState() ? DrawRollDownImage : DrawRollUpImage)(c, x, y, color); break;
    case cmMinimizeToTray: DrawMinimizeToTrayImage(c, x, y, color); break;
    case cmDefault: break;
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TbsSkinStdButtonObject::MouseEnter()
{
    if (Command != cmDefault)
        Hint = SwitchedHint(Parent, Command, RestoreHint, FTempHint);
    if (!IconCase())
        TbsSkinButtonObject::MouseEnter();
}

void TbsSkinStdButtonObject::MouseLeave()
{
    if (!IconCase())
        TbsSkinButtonObject::MouseLeave();
}

// The system menu opens on press; no mouse-down event is fired.
void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButtonKind Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    if (!IconCase())
        SetDown(true);
    if (Command == cmSysMenu) {
        MenuItem = Parent->GetSystemMenuItems();
        TrackMenu();
    }
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, TMouseButtonKind Button)
{
    const bool run = Active && Button == mbLeft;
    if (Command == cmClose) {
        // Released before the form closes.
        if (!IconCase())
            TbsSkinButtonObject::MouseUp(X, Y, Button);
        if (run)
            DoCommand();
        return;
    }
    if (run)
        DoCommand();
    if (!IconCase())
        TbsSkinButtonObject::MouseUp(X, Y, Button);
}

void TbsSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->Form()->Close();
}

void TbsSkinStdButtonObject::DoCommand()
{
    RunCommand(Parent, Command, [this] { HideLayer(); });
}

// ---------------------------------------------------------------- animated object

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm* AParent, TbsDataSkinAnimate* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    if (!AData)
        return;
    TimerInterval = AData->TimerInterval < 25 ? 25 : AData->TimerInterval;
    CountFrames = AData->CountFrames;
    Cycle = AData->Cycle;
    ButtonStyle = AData->ButtonStyle;
    Command = AData->Command;
    DownSkinRect = AData->DownSkinRect;
    RestoreRect = AData->RestoreRect;
    RestoreActiveRect = AData->RestoreActiveRect;
    RestoreInActiveRect = AData->RestoreInActiveRect;
    RestoreDownRect = AData->RestoreDownRect;
    RestoreHint = AData->RestoreHint;
    FTempHint = AData->Hint;
}

TbsLayerManager* TbsSkinAnimateObject::GlowManager() const
{
    return MenuItem ? Parent->MenuLayerManager() : Parent->LayerManager();
}

void TbsSkinAnimateObject::ShowLayer() { TbsActiveSkinObject::ShowLayer(); }
void TbsSkinAnimateObject::HideLayer() { TbsActiveSkinObject::HideLayer(); }

bool TbsSkinAnimateObject::InRestoreState() const
{
    return CommandStateHolds(Parent, Command, true);
}

void TbsSkinAnimateObject::Draw(TCanvas* Cnvs, bool)
{
    if (!HasSkin())
        return;
    const bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect r1 = restore ? RestoreRect : SkinRect;
    const TRect r2 = restore ? RestoreActiveRect : ActiveSkinRect;
    const TRect d = restore ? RestoreDownRect : DownSkinRect;
    const TRect i = restore ? RestoreInActiveRect : InActiveSkinRect;
    auto frame = [&](int k) {
        const int w = RectWidth(r1), h = RectHeight(r1);
        return TRect{r2.Left + w * (k - 1), r2.Top, r2.Left + w * k, r2.Top + h};
    };
    if (FMenuTracking) {
        if (!IsNullRect(d)) {
            CopyLook(Cnvs, ActivePicture, d);
            return;
        }
        FFrame = CountFrames;
        CopyLook(Cnvs, ActivePicture, frame(FFrame));
        return;
    }
    if (!FormActive() && !IsNullRect(i))
        CopyLook(Cnvs, ActivePicture, i);
    else if (FDown && FMouseIn && !IsNullRect(d))
        CopyLook(Cnvs, ActivePicture, d);
    else
        CopyLook(Cnvs, ActivePicture, frame(FFrame));
}

void TbsSkinAnimateObject::SetFrame(int AValue)
{
    if (Increment)
        FFrame = AValue > CountFrames ? 1 : AValue;
    else
        FFrame = AValue <= 0 ? CountFrames : AValue;
    DrawSelf();
}

// A frame lasts the smallest multiple of 25 ms not below TimerInterval.
void TbsSkinAnimateObject::ChangeFrame()
{
    if (FInc < TimerInterval) {
        FInc += 25;
        return;
    }
    if (Increment) {
        SetFrame(FFrame + 1);
        if (!Cycle && FFrame == CountFrames)
            Active = false;
    } else {
        SetFrame(FFrame - 1);
        if (FFrame == 1)
            Active = false;
    }
    FInc = 25;
}

void TbsSkinAnimateObject::Start()
{
    FInc = 25;
    FFrame = 1;
    Active = true;
    Parent->AnimateTimer->SetEnabled(true);
}

void TbsSkinAnimateObject::Stop()
{
    SetFrame(1);
    Active = false;
    FInc = 25;
}

// Hovering plays the strip forward (looping with Cycle), leaving plays it
// back to frame 1.
void TbsSkinAnimateObject::MouseEnter()
{
    if (Command != cmDefault)
        Hint = SwitchedHint(Parent, Command, RestoreHint, FTempHint);
    FMouseIn = true;
    if (FMenuTracking)
        return;
    if (ButtonStyle) {
        Active = true;
        Increment = true;
        if (FDown && !IsNullRect(DownSkinRect))
            DrawSelf();
        else
            Parent->AnimateTimer->SetEnabled(true);
    }
    Parent->FireObjectMouseEnter(IDName);
    ShowLayer();
}

void TbsSkinAnimateObject::MouseLeave()
{
    if (!FMouseIn)
        return;
    FMouseIn = false;
    if (FMenuTracking)
        return;
    if (ButtonStyle) {
        Active = true;
        Increment = false;
        if (FDown && !IsNullRect(DownSkinRect))
            DrawSelf();
        else
            Parent->AnimateTimer->SetEnabled(true);
    }
    Parent->FireObjectMouseLeave(IDName);
    HideLayer();
}

void TbsSkinAnimateObject::MouseDown(int X, int Y, TMouseButtonKind Button)
{
    TbsActiveSkinObject::MouseDown(X, Y, Button);
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FFrame = CountFrames;
        FDown = true;
        DrawSelf();
    }
    if (Command == cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft)
        DoCommand();
}

void TbsSkinAnimateObject::MouseUp(int X, int Y, TMouseButtonKind Button)
{
    TbsActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking)
        return;
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FDown = false;
        DrawSelf();
        Parent->AnimateTimer->SetEnabled(true);
    }
    if (Command != cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft)
        DoCommand();
}

void TbsSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->Form()->Close();
}

void TbsSkinAnimateObject::DoCommand()
{
    switch (Command) {
    case cmSysMenu:
        MenuItem = Parent->GetSystemMenuItems();
        TrackMenu();
        break;
    case cmDefault:
        if (MenuItem)
            TrackMenu();
        break;
    default: RunCommand(Parent, Command, nullptr); break;
    }
}

void TbsSkinAnimateObject::TrackMenu()
{
    if (!MenuItem || MenuItem->Count() == 0)
        return;
    const TRect r = ObjectScreenRect();
    FMenuTracking = true;
    Parent->HideGlowLayers();
    if (FMouseIn)
        ShowLayer();
    Parent->PopupObjectMenu(MenuItem, r, FPopupUp);
}

} // namespace skin
