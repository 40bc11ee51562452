// The form's side of its frame objects: building them from the skin (or the
// unskinned caption buttons), which caption buttons show for the border
// icons, their hints, hover tracking, mouse routing, the timers that
// animate them and the operations on objects by name.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinHint.h"
#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Input.h"
#include "platform/ui/Window.h"

namespace skin {

using namespace platform;

namespace {

struct TCommandHint {
    TbsStdCommand Command;
    const char* Key;
    const char* Text;
};

constexpr TCommandHint CommandHints[] = {
    {cmClose, "CLOSEBUTTON_HINT", "Close"},
    {cmMaximize, "MAXBUTTON_HINT", "Maximize"},
    {cmMinimize, "MINBUTTON_HINT", "Minimize"},
    {cmSysMenu, "MENUBUTTON_HINT", "System menu"},
    {cmRollUp, "ROLLUPBUTTON_HINT", "Roll Up"},
    {cmMinimizeToTray, "TRAYBUTTON_HINT", "Minimize to Tray"},
};

struct TDefaultButton {
    const char* IDName;
    TbsStdCommand Command;
};

constexpr TDefaultButton DefaultButtons[] = {
    {"closebutton", cmClose},     {"maxbutton", cmMaximize},       {"minbutton", cmMinimize},
    {"rollupbutton", cmRollUp},   {"sysmenubutton", cmSysMenu},    {"traybutton", cmMinimizeToTray},
};

// The border icon each window command belongs to (0 for none).
TbsBorderIcons IconOfCommand(TbsStdCommand ACommand)
{
    switch (ACommand) {
    case cmMaximize: return biMaximize;
    case cmMinimize: return biMinimize;
    case cmSysMenu: return biSystemMenu;
    case cmRollUp: return biRollUp;
    case cmMinimizeToTray: return biMinimizeToTray;
    default: return 0;
    }
}

// A caption button (standard, or animated in button style) and its command.
bool CaptionButton(TbsActiveSkinObject* AObject, TbsStdCommand& ACommand)
{
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(AObject)) {
        ACommand = b->Command;
        return true;
    }
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(AObject); a && a->ButtonStyle) {
        ACommand = a->Command;
        return true;
    }
    return false;
}

} // namespace

void TbsSkinForm::ClearObjects()
{
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TbsSkinForm::CreateObjects()
{
    ClearObjects();
    if (!HasSkin())
        return;
    for (const auto& record : FSD->ObjectList) {
        TbsDataSkinObject* data = record.get();
        std::unique_ptr<TbsActiveSkinObject> object;
        // Menu records belong to the menus; a standard button record is
        // tested first, as it extends the plain button record.
        if (dynamic_cast<TbsDataSkinMainMenuItem*>(data) || dynamic_cast<TbsDataSkinMenuItem*>(data) ||
            dynamic_cast<TbsDataSkinMainMenuBarButton*>(data))
            continue;
        if (dynamic_cast<TbsDataSkinStdButton*>(data))
            object = std::make_unique<TbsSkinStdButtonObject>(this, data);
        else if (dynamic_cast<TbsDataSkinButton*>(data))
            object = std::make_unique<TbsSkinButtonObject>(this, data);
        else if (auto* caption = dynamic_cast<TbsDataSkinCaption*>(data))
            object = std::make_unique<TbsSkinCaptionObject>(this, caption);
        else if (auto* animate = dynamic_cast<TbsDataSkinAnimate*>(data))
            object = std::make_unique<TbsSkinAnimateObject>(this, animate);
        else if (dynamic_cast<TbsDataUserObject*>(data))
            object = std::make_unique<TbsUserObject>(this, data);
        if (object)
            ObjectList.push_back(std::move(object));
    }
}

void TbsSkinForm::CreateDefaultObjects()
{
    ClearObjects();
    for (const TDefaultButton& d : DefaultButtons) {
        auto b = std::make_unique<TbsSkinStdButtonObject>(this, nullptr);
        b->IDName = d.IDName;
        b->Command = d.Command;
        b->SkinRectInAPicture = true;
        b->SkinRect = b->ActiveSkinRect = b->DownRect = Rect(0, 0, 1, 1);
        ObjectList.push_back(std::move(b));
    }
    UpdateCaptionButtons();
}

bool TbsSkinForm::HasDialogCloseButton() const
{
    return GetIndex("dialogclosebutton") != -1;
}

void TbsSkinForm::UpdateCaptionButtons()
{
    if (ObjectList.empty())
        return;
    const bool dialog = (FBorderIcons == 0 || FBorderIcons == biSystemMenu) && HasDialogCloseButton();
    for (auto& o : ObjectList) {
        TbsStdCommand command;
        const bool std = dynamic_cast<TbsSkinStdButtonObject*>(o.get()) != nullptr;
        if (HideCaptionButtons) {
            if (std || dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
                o->Enabled = false;
                o->Visible = !o->SkinRectInAPicture;
            }
            continue;
        }
        if (!CaptionButton(o.get(), command))
            continue;
        switch (command) {
        case cmMaximize:
        case cmMinimize:
        case cmRollUp:
        case cmMinimizeToTray:
        case cmSysMenu:
            o->Enabled = (FBorderIcons & IconOfCommand(command)) && !(command == cmSysMenu && DisableSystemMenu);
            // A button drawn as part of the frame picture stays visible.
            o->Visible = o->SkinRectInAPicture ? o->Enabled : true;
            break;
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(o->IDName, visible);
            o->Visible = visible;
            break;
        }
        case cmClose:
            if (!std)
                break;
            if (o->IDName == "dialogclosebutton")
                o->Enabled = o->Visible = dialog;
            else if (dialog)
                o->Enabled = o->Visible = false;
            break;
        }
    }
    UpdateObjectHints();
}

void TbsSkinForm::UpdateObjectHints()
{
    if (!UseDefaultObjectHint || !FSD)
        return;
    TbsResourceStrData* strings = FSD->ResourceStrData();
    auto text = [strings](const char* AKey, const char* AText) {
        return strings ? strings->GetResStr(AKey) : std::string(AText);
    };
    const std::string restore = text("RESTORE_HINT", "Restore");
    auto update = [&](TbsActiveSkinObject* AObject, TbsStdCommand ACommand, std::string& ATempHint,
                      std::string& ARestoreHint) {
        for (const TCommandHint& h : CommandHints)
            if (h.Command == ACommand)
                AObject->Hint = text(h.Key, h.Text);
        ATempHint = AObject->Hint;
        ARestoreHint = restore;
    };
    for (auto& o : ObjectList) {
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()))
            update(b, b->Command, b->FTempHint, b->RestoreHint);
        else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            update(a, a->Command, a->FTempHint, a->RestoreHint);
    }
}

TbsSkinCaptionObject* TbsSkinForm::CaptionObject() const
{
    for (const auto& o : ObjectList)
        if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            return c;
    return nullptr;
}

void TbsSkinForm::TestActive(int X, int Y, bool AllowActive)
{
    // Under a full border the objects are hovered on the border's top
    // strip; a reset reaches them there.
    if (FullBorderShown()) {
        if (X == -1 && Y == -1)
            FBorderLayer->TestActive(-1, -1);
        return;
    }
    if (ObjectList.empty() || !GetFormActive() || FSizeMove || PreviewMode || FForm->BorderStyle() == bsNone ||
        (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized))
        return;
    OldActiveObject = ActiveObject;
    ActiveObject = AllowActive ? ObjectAt(X, Y) : -1;
    // While an object holds the mouse no other one becomes hot.
    if (MouseCaptureObject != -1 && MouseCaptureObject != ActiveObject)
        ActiveObject = -1;
    ChangeActiveObject(OldActiveObject, ActiveObject, true);
}

int TbsSkinForm::ObjectAt(int X, int Y) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TbsActiveSkinObject* o = ObjectList[i].get();
        const TRect& r = o->ObjectRect;
        if (o->Enabled && o->Visible && PtInRect(r, Point(X, Y)) && o->InObjectArea(X - r.Left, Y - r.Top))
            return int(i);
    }
    return -1;
}

// The object left hears of it first, then the one entered; their hints go
// and come with them.
void TbsSkinForm::ChangeActiveObject(int AOld, int ANew, bool AHintAllowed)
{
    const int count = int(ObjectList.size());
    if (ANew == AOld)
        return;
    const bool hints = ShowObjectHint && FSkinHint;
    if (AOld >= 0 && AOld < count) {
        TbsActiveSkinObject* old = ObjectList[size_t(AOld)].get();
        if (old->Enabled && old->Visible) {
            old->MouseLeave();
            if (hints && !old->Hint.empty())
                FSkinHint->HideHint();
        }
    }
    if (ANew >= 0 && ANew < count) {
        TbsActiveSkinObject* now = ObjectList[size_t(ANew)].get();
        if (now->Enabled && now->Visible) {
            now->MouseEnter();
            if (hints && AHintAllowed && !now->Hint.empty())
                FSkinHint->ActivateHint2(now->Hint);
        }
    }
}

void TbsSkinForm::MouseTimerProc()
{
    if (!GetFormActive() || FullBorderShown())
        return;
    const TPoint cursor = GetCursorPos();
    if (WindowFromPoint(cursor) != FForm->Handle()) {
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1, false);
        return;
    }
    if (FSizeMove) {
        MouseTimer->SetEnabled(false);
        return;
    }
    TPoint p = cursor;
    ScreenToFrame(p);
    if (!PtInRect(FSkinSupport ? NewClRect : Rect(3, DefCaptionHeight() + 3, FFormWidth - 3, FFormHeight - 3), p))
        TestActive(p.X, p.Y, true);
    else if (ActiveObject != -1)
        TestActive(-1, -1, true);
}

void TbsSkinForm::ObjectsMouseMove(int X, int Y)
{
    const int index = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (index >= 0 && index < int(ObjectList.size()))
        ObjectList[size_t(index)]->MouseMove(X, Y);
}

void TbsSkinForm::ObjectsMouseDown(TMouseButtonKind Button, int X, int Y)
{
    if (ActiveObject < 0 || ActiveObject >= int(ObjectList.size()))
        return;
    TbsActiveSkinObject* o = ObjectList[size_t(ActiveObject)].get();
    // A press on the caption leaves the mouse free for moving the window.
    if (!dynamic_cast<TbsSkinCaptionObject*>(o) && FForm->HandleAllocated())
        SetCapture(FForm->Handle());
    MouseCaptureObject = ActiveObject;
    o->MouseDown(X, Y, Button);
}

void TbsSkinForm::ObjectsMouseUp(TMouseButtonKind Button, int X, int Y)
{
    if (MouseCaptureObject < 0 || MouseCaptureObject >= int(ObjectList.size())) {
        MouseCaptureObject = -1;
        return;
    }
    TbsActiveSkinObject* o = ObjectList[size_t(MouseCaptureObject)].get();
    MouseCaptureObject = -1;
    if (!dynamic_cast<TbsSkinCaptionObject*>(o) && GetCapture() == FForm->Handle())
        ReleaseCapture();
    // The object's command may close the form or rebuild the list.
    o->MouseUp(X, Y, Button);
}

void TbsSkinForm::ObjectsDblClick()
{
    if (ActiveObject >= 0 && ActiveObject < int(ObjectList.size()))
        ObjectList[size_t(ActiveObject)]->DblClick();
}

void TbsSkinForm::ResetObjectStates()
{
    for (auto& o : ObjectList) {
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
            a->FMouseIn = false;
            a->Active = false;
            a->FFrame = 1;
        } else if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
            o->Active = false;
            o->FMouseIn = false;
            o->FMorphKf = 0;
        }
    }
}

void TbsSkinForm::MorphTimerProc()
{
    bool running = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TbsActiveSkinObject* o = ObjectList[i].get();
        if (o->EnableMorphing() && o->CanMorphing()) {
            o->DoMorphing();
            running = true;
        }
    }
    if (!running)
        MorphTimer->SetEnabled(false);
}

void TbsSkinForm::AnimateTimerProc()
{
    bool running = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TbsActiveSkinObject* o = ObjectList[i].get();
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o)) {
            if (a->Active && (!a->FDown || IsNullRect(a->DownSkinRect))) {
                a->ChangeFrame();
                running = true;
            }
        } else if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o); c && c->EnableAnimation()) {
            if (c->FIncTime < c->AnimateInterval) {
                c->FIncTime += 25;
                running = true;
            } else if (c->Active && c->CurrentFrame <= c->FrameCount) {
                ++c->CurrentFrame;
                DrawSkinObject(c);
                c->FIncTime = 25;
                running = true;
            } else if (!c->Active && c->CurrentFrame > 0) {
                --c->CurrentFrame;
                DrawSkinObject(c);
                c->FIncTime = 25;
                running = true;
            }
        }
    }
    if (!running)
        AnimateTimer->SetEnabled(false);
}

void TbsSkinForm::UpdateActiveState(bool AAnimate)
{
    const bool active = GetFormActive();
    for (auto& o : ObjectList) {
        auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get());
        if (!c || c->Active == active)
            continue;
        c->Active = active;
        if (AAnimate) {
            if (c->EnableAnimation()) {
                c->FIncTime = 25;
                c->CurrentFrame = active ? 1 : c->InActiveAnimation ? c->FrameCount : 0;
                AnimateTimer->SetEnabled(true);
            }
            UpDateFormNC();
            if (c->EnableMorphing())
                MorphTimer->SetEnabled(true);
        } else if (c->EnableMorphing())
            c->FMorphKf = active ? 1 : 0;
        break;
    }
    if (active && OnActivate)
        OnActivate(this);
    if (!active && OnDeActivate)
        OnDeActivate(this);
}

int TbsSkinForm::GetIndex(const std::string& AIDName) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName)
            return int(i);
    return -1;
}

void TbsSkinForm::SetEnabled(const std::string& AIDName, bool AValue)
{
    if (const int i = GetIndex(AIDName); i != -1)
        ObjectList[size_t(i)]->Enabled = AValue;
}

void TbsSkinForm::UserObjectDraw(const std::string& AIDName)
{
    const int i = GetIndex(AIDName);
    if (i == -1 || !FForm->Canvas())
        return;
    if (auto* u = dynamic_cast<TbsUserObject*>(ObjectList[size_t(i)].get()))
        u->Draw(FForm->Canvas(), true);
}

void TbsSkinForm::LinkMenu(const std::string& AIDName, TMenu* AMenu, bool APopupUp)
{
    const int i = GetIndex(AIDName);
    if (i == -1 || !AMenu)
        return;
    TbsActiveSkinObject* o = ObjectList[size_t(i)].get();
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o)) {
        b->MenuItem = AMenu->Items();
        b->FPopupUp = APopupUp;
    } else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o); a && a->ButtonStyle) {
        a->MenuItem = AMenu->Items();
        a->FPopupUp = APopupUp;
    }
}

void TbsSkinForm::HideGlowLayers()
{
    for (TbsLayerManager* m : {FLayerManager, FMenuLayerManager})
        if (m && m->IsVisible)
            m->Hide();
}

void TbsSkinForm::FireObjectPaint(const std::string& IDName, TCanvas* Canvas, const TRect& R)
{
    if (OnPaintEvent)
        OnPaintEvent(IDName, Canvas, R);
}

void TbsSkinForm::FireObjectMouseEnter(const std::string& IDName)
{
    if (OnMouseEnterEvent)
        OnMouseEnterEvent(IDName);
}

void TbsSkinForm::FireObjectMouseLeave(const std::string& IDName)
{
    if (OnMouseLeaveEvent)
        OnMouseLeaveEvent(IDName);
}

void TbsSkinForm::FireObjectMouseDown(const std::string& IDName, int X, int Y, const TRect& R, TMouseButtonKind B)
{
    if (OnMouseDownEvent)
        OnMouseDownEvent(IDName, X, Y, R, B);
}

void TbsSkinForm::FireObjectMouseUp(const std::string& IDName, int X, int Y, const TRect& R, TMouseButtonKind B)
{
    if (OnMouseUpEvent)
        OnMouseUpEvent(IDName, X, Y, R, B);
}

void TbsSkinForm::FireObjectMouseMove(const std::string& IDName, int X, int Y, const TRect& R)
{
    if (OnMouseMoveEvent)
        OnMouseMoveEvent(IDName, X, Y, R);
}

} // namespace skin
