// The menu bar: its objects, layout, painting, mouse tracking, keyboard
// menu mode and the MDI child's menu and buttons.

#include "skin/form/bsSkinMainMenu.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

void TbsSkinMainMenu::SetSkinData(TbsSkinData* AValue)
{
    FSD = AValue;
    if (FSD)
        FSD->FreeNotification(this);
}

void TbsSkinMainMenu::Notification(TComponent* AComponent, TOperation AOperation)
{
    TMainMenu::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FSD)
        FSD = nullptr;
}

namespace {

TTimer* NewTimer(TComponent* AOwner, uint32_t AInterval, std::function<void()> AProc)
{
    auto* t = new TTimer(AOwner);
    t->SetEnabled(false);
    t->SetInterval(AInterval);
    t->SetOnTimer([AProc = std::move(AProc)](TObject*) { AProc(); });
    return t;
}

} // namespace

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    FDefItemFont.SetName("Tahoma");
    FDefItemFont.SetHeight(13);
    FDefItemFont.SetStyle({});
    FDefItemFont.SetColor(clBtnText);
    FMouseTimer = NewTimer(this, 50, [this] { MouseTimerProc(); });
    FMorphTimer = NewTimer(this, 25, [this] { MorphTimerProc(); });
    FAnimateTimer = NewTimer(this, 25, [this] { AnimateTimerProc(); });
    SetAlign(alTop);
    SetHeight(22);
    SetSkinDataName("mainmenubar");
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar() { ClearObjects(); }

void TbsSkinMainMenuBar::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        ClearObjects();
    }
    if (AComponent == FMergeMenu)
        FMergeMenu = nullptr;
    if (AComponent == BSF)
        BSF = nullptr;
}

void TbsSkinMainMenuBar::SetSkinForm(TbsSkinForm* AValue)
{
    BSF = AValue;
    if (BSF)
        BSF->FreeNotification(this);
}

void TbsSkinMainMenuBar::SetMainMenu(TMainMenu* AValue)
{
    FMainMenu = AValue;
    if (FMainMenu)
        FMainMenu->FreeNotification(this);
    CreateMenu();
    Repaint();
}

void TbsSkinMainMenuBar::SetDefItemFont(TFont* AValue)
{
    FDefItemFont.Assign(AValue);
    GetSkinData();
    if (FIndex == -1)
        Repaint();
}

void TbsSkinMainMenuBar::SetDefaultWidth(int AValue)
{
    FDefaultWidth = AValue;
    GetSkinData();
    if (FIndex == -1 && AValue > 0)
        SetWidth(AValue);
}

void TbsSkinMainMenuBar::SetDefaultHeight(int AValue)
{
    FDefaultHeight = AValue;
    GetSkinData();
    if (FIndex == -1 && AValue > 0)
        SetHeight(AValue);
}

TCustomForm* TbsSkinMainMenuBar::BarForm() const { return BSF ? BSF->Form() : GetParentForm(const_cast<TbsSkinMainMenuBar*>(this)); }

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::ItemOf(int AIndex) const
{
    return AIndex >= 0 && AIndex < ObjectCount() ? dynamic_cast<TbsSkinMainMenuBarItem*>(Object(AIndex)) : nullptr;
}

// ---- skin

void TbsSkinMainMenuBar::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    auto* rec = dynamic_cast<TbsDataSkinMainMenuBar*>(SkinRecord());
    if (!rec) {
        FIndex = -1;
        Picture = nullptr;
        MenuBarItem.clear();
        return;
    }
    SkinRect = rec->SkinRect;
    ItemsRect = rec->ItemsRect;
    MenuBarItem = rec->MenuBarItem;
    CloseButton = rec->CloseButton;
    MaxButton = rec->MaxButton;
    MinButton = rec->MinButton;
    SysMenuButton = rec->SysMenuButton;
    TrackMarkColor = rec->TrackMarkColor;
    TrackMarkActiveColor = rec->TrackMarkActiveColor;
    StretchEffect = rec->StretchEffect;
    ItemTransparent = rec->ItemTransparent;
    Picture = ActivePicture(*FSD, rec->PictureIndex);
}

void TbsSkinMainMenuBar::BeforeChangeSkinData()
{
    FSkinSupport = false;
    TbsSkinControl::BeforeChangeSkinData();
    ClearObjects();
}

void TbsSkinMainMenuBar::ChangeSkinData()
{
    GetSkinData();
    FSkinSupport = FIndex != -1;
    CreateMenu();
    if (FSkinSupport && UseSkinSize)
        SetHeight(RectHeight(SkinRect));
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    Repaint();
}

void TbsSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    if (FIndex != -1 && UseSkinSize)
        AHeight = RectHeight(SkinRect);
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcObjectRects();
    Repaint();
}

// ---- content

void TbsSkinMainMenuBar::ClearObjects()
{
    FObjects.clear();
    ButtonsCount = 0;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

TMainMenu* TbsSkinMainMenuBar::GetChildMainMenu() const
{
    if (FMergeMenu)
        return FMergeMenu;
    TCustomForm* main = Application()->MainForm();
    if (!main || main->FormStyle() != fsMDIForm)
        return nullptr;
    TCustomForm* child = main->ActiveMDIChild();
    if (!child)
        return nullptr;
    for (int c = 0; c < child->ComponentCount(); ++c)
        if (auto* menu = dynamic_cast<TMainMenu*>(child->Components(c)))
            return menu;
    return nullptr;
}

void TbsSkinMainMenuBar::CreateMenu()
{
    ClearObjects();
    if (!FMainMenu)
        return;
    TCustomForm* form = BarForm();
    TMainMenu* child = BSF && ((form && form->FormStyle() == fsMDIForm) || FMergeMenu) ? GetChildMainMenu() : nullptr;
    TbsDataSkinMainMenuBarItem* rec = nullptr;
    if (FSD && !FSD->Empty()) {
        const int index = FSD->GetIndex(MenuBarItem);
        if (index != -1)
            rec = dynamic_cast<TbsDataSkinMainMenuBarItem*>(FSD->ObjectList[size_t(index)].get());
    }
    ChildMenuIn = child != nullptr;
    std::vector<TMenuItem*> items;
    TMenuItem* main = FMainMenu->Items();
    if (child) {
        ScrollMenu = false;
        TMenuItem* other = child->Items();
        auto inChild = [&](uint8_t AGroup) {
            for (int i = 0; i < other->Count(); ++i)
                if (other->Items(i)->GroupIndex == AGroup)
                    return true;
            return false;
        };
        for (int i = 0; i < main->Count(); ++i)
            if (!inChild(main->Items(i)->GroupIndex))
                items.push_back(main->Items(i));
        for (int i = 0; i < other->Count(); ++i)
            items.push_back(other->Items(i));
        std::stable_sort(items.begin(), items.end(),
                         [](TMenuItem* A, TMenuItem* B) { return A->GroupIndex < B->GroupIndex; });
    } else {
        for (int i = 0; i < main->Count(); ++i)
            items.push_back(main->Items(i));
    }
    for (TMenuItem* mi : items) {
        if (!mi->Visible)
            continue;
        auto item = std::make_unique<TbsSkinMainMenuBarItem>(this, rec);
        item->IDName = mi->Name();
        item->Enabled = mi->Enabled;
        item->OldEnabled = mi->Enabled;
        item->MenuItem = mi;
        FObjects.push_back(std::move(item));
    }
    if (FMDIChildMax) {
        CreateMDIButtons();
        if (TbsSkinForm* comp = FindMaximizedMDIChildSkinForm())
            UpdateMDIButtons(comp->BorderIcons());
    }
}

void TbsSkinMainMenuBar::UpDateItems()
{
    CreateMenu();
    Repaint();
    ActiveObject = OldActiveObject = -1;
    FMouseTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::UpDateEnabledItems()
{
    for (auto& obj : FObjects)
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(obj.get()))
            item->Enabled = item->MenuItem->Enabled;
    Repaint();
}

void TbsSkinMainMenuBar::Merge(TMainMenu* Menu)
{
    FMergeMenu = Menu;
    if (Menu)
        Menu->FreeNotification(this);
    UpDateItems();
}

void TbsSkinMainMenuBar::UnMerge()
{
    FMergeMenu = nullptr;
    UpDateItems();
}

// ---- layout and painting

void TbsSkinMainMenuBar::CalcObjectRects()
{
    if (FIndex != -1) {
        NewItemsRect = Rect(ItemsRect.Left, ItemsRect.Top, Width() + ItemsRect.Right - RectWidth(SkinRect), ItemsRect.Bottom);
        if (!UseSkinSize)
            NewItemsRect.Bottom = Height() + ItemsRect.Bottom - RectHeight(SkinRect);
    } else {
        NewItemsRect = Rect(2, 2, Width() - 2, Height() - 2);
    }
    if (!FMDIChildMax || ButtonsCount != 4)
        return;
    const int h = RectHeight(NewItemsRect);
    auto place = [&](TbsMenuBarObject* AButton, bool ALeft) {
        auto* b = static_cast<TbsSkinMainMenuBarButton*>(AButton);
        const int bw = b->FSkinSupport ? RectWidth(b->SkinRect) : h;
        const int bh = b->FSkinSupport ? RectHeight(b->SkinRect) : h;
        const int top = NewItemsRect.Top + h / 2 - bh / 2;
        if (ALeft) {
            b->ObjectRect = Rect(NewItemsRect.Left, top, NewItemsRect.Left + bw, top + bh);
            NewItemsRect.Left += bw + 2;
        } else {
            b->ObjectRect = Rect(NewItemsRect.Right - bw, top, NewItemsRect.Right, top + bh);
            NewItemsRect.Right -= bw + 2;
        }
    };
    place(Object(0), true);
    for (int i = 1; i < 4; ++i)
        place(Object(i), false);
}

void TbsSkinMainMenuBar::CreateToolBarModeImage(TBitmap* B)
{
    int index = FSD->GetControlIndex("resizetoolpanel");
    if (index == -1)
        index = FSD->GetControlIndex("panel");
    auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinCustomControl*>(FSD->CtrlList[size_t(index)].get());
    TBitmap* picture = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
    if (!picture)
        return;
    const int dx = Width() - RectWidth(rec->SkinRect), dy = Height() - RectHeight(rec->SkinRect);
    CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                    Point(rec->RTPoint.X + dx, rec->RTPoint.Y), Point(rec->LBPoint.X, rec->LBPoint.Y + dy),
                    Point(rec->RBPoint.X + dx, rec->RBPoint.Y + dy),
                    Rect(rec->ClRect.Left, rec->ClRect.Top, rec->ClRect.Right + dx, rec->ClRect.Bottom + dy), B, picture,
                    rec->SkinRect, Width(), Height(), true, rec->LeftStretch, rec->TopStretch, rec->RightStretch,
                    rec->BottomStretch, rec->StretchEffect, rec->StretchType);
}

TRect TbsSkinMainMenuBar::GetMarkerRect() const
{
    return Rect(NewItemsRect.Right - 5, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Bottom);
}

void TbsSkinMainMenuBar::DrawMarker(TCanvas* C)
{
    TColor color = FIndex == -1 ? (MarkerActive ? clBtnText : clBtnShadow) : TColor(MarkerActive ? TrackMarkActiveColor : TrackMarkColor);
    DrawArrowImage(C, GetMarkerRect(), color, 2);
}

void TbsSkinMainMenuBar::PaintMenuBar(TCanvas* C)
{
    GetSkinData();
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap b;
    b.SetSize(Width(), Height());
    const int h = RectHeight(SkinRect);
    if (FIndex == -1 || !Picture) {
        b.Canvas()->Brush()->SetColor(clBtnFace);
        b.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    } else if (FSD->MainMenuBarTransparent) {
        PaintParentBackground(this, b.Canvas());
    } else if (UseSkinSize) {
        CreateHSkinImage(ItemsRect.Left, RectWidth(SkinRect) - ItemsRect.Right, &b, Picture, SkinRect, Width(), Height(),
                         StretchEffect);
    } else if (ToolBarMode) {
        CreateToolBarModeImage(&b);
    } else {
        CreateStretchSkinImage(&b, Picture, SkinRect, Rect(ItemsRect.Left, h / 4, ItemsRect.Right, h - h / 4), true);
    }
    CalcObjectRects();
    Scroll = false;
    for (auto& obj : FObjects)
        if (obj->Visible)
            obj->Draw(b.Canvas());
    if (Scroll && ScrollMenu)
        DrawMarker(b.Canvas());
    C->Draw(0, 0, &b);
}

void TbsSkinMainMenuBar::Paint() { PaintMenuBar(Canvas()); }

void TbsSkinMainMenuBar::DrawSkinObject(TbsMenuBarObject* Obj)
{
    const bool isItem = dynamic_cast<TbsSkinMainMenuBarItem*>(Obj) != nullptr;
    if (isItem && FIndex != -1 && (ItemTransparent || (ToolBarMode && ToolBarModeItemTransparent))) {
        Repaint();
        return;
    }
    if (Obj->Visible)
        DrawNow(this, [Obj](TCanvas* C) { Obj->Draw(C); });
}

// ---- mouse

void TbsSkinMainMenuBar::TestActive(int X, int Y)
{
    if (FObjects.empty())
        return;
    OldActiveObject = ActiveObject;
    const TPoint p = Point(X, Y);
    int hit = -1;
    for (int i = 0; i < ObjectCount(); ++i)
        if (Object(i)->Enabled && PtInRect(Object(i)->ObjectRect, p)) {
            hit = i;
            break;
        }
    // While a menu is open the highlight stays on the bar.
    if (hit == -1 && MenuActive && ItemOf(OldActiveObject))
        hit = OldActiveObject;
    ActiveObject = hit;
    if (MouseCaptureObject != -1 && ActiveObject != MouseCaptureObject)
        ActiveObject = -1;
    if (ActiveObject >= ObjectCount())
        ActiveObject = -1;
    if (ActiveObject != OldActiveObject) {
        if (OldActiveObject != -1 && OldActiveObject < ObjectCount() && Object(OldActiveObject)->Enabled)
            Object(OldActiveObject)->MouseLeave();
        if (ActiveObject != -1 && ActiveObject < ObjectCount() && Object(ActiveObject)->Enabled)
            Object(ActiveObject)->MouseEnter();
    }
    if (Scroll && ScrollMenu) {
        const bool in = PtInRect(GetMarkerRect(), p);
        if (in != MarkerActive) {
            MarkerActive = in;
            DrawNow(this, [this](TCanvas* C) { DrawMarker(C); });
        }
    }
}

void TbsSkinMainMenuBar::MouseTimerProc()
{
    if (!HandleAllocated())
        return;
    const TPoint p = ScreenToClient(GetCursorPos());
    if (p.X < 0 || p.Y < 0 || p.X > Width() || p.Y > Height()) {
        FMouseTimer->SetEnabled(false);
        TestActive(-1, -1);
        return;
    }
    TestActive(p.X, p.Y);
}

void TbsSkinMainMenuBar::CMMouseEnter(TMessage& M)
{
    TbsSkinControl::CMMouseEnter(M);
    FMouseTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::CMMouseLeave(TMessage& M)
{
    TbsSkinControl::CMMouseLeave(M);
    FMouseTimer->SetEnabled(false);
    TestActive(-1, -1);
}

void TbsSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    if (!FMouseTimer->Enabled())
        FMouseTimer->SetEnabled(true);
    TbsSkinControl::MouseMove(Shift, X, Y);
}

void TbsSkinMainMenuBar::MouseDown(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    TestActive(X, Y);
    if (ActiveObject != -1) {
        MouseCaptureObject = ActiveObject;
        TbsMenuBarObject* obj = Object(ActiveObject);
        obj->MouseDown(X, Y, Button);
        if ((Shift & ssDouble) && MouseCaptureObject != -1 && MouseCaptureObject < ObjectCount())
            Object(MouseCaptureObject)->DblClick();
    } else if (Scroll && ScrollMenu && PtInRect(GetMarkerRect(), Point(X, Y))) {
        PopupHiddenItems();
    }
}

void TbsSkinMainMenuBar::MouseUp(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    if (MouseCaptureObject != -1 && MouseCaptureObject < ObjectCount())
        Object(MouseCaptureObject)->MouseUp(X, Y, Button);
    MouseCaptureObject = -1;
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinMainMenuBar::PopupHiddenItems()
{
    if (!BSF || !FMainMenu)
        return;
    int shown = 0;
    for (auto& obj : FObjects)
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(obj.get()); item && item->ItemVisible)
            ++shown;
    const TPoint o = ClientToScreen(Point(0, 0));
    const TRect r = OffsetRect(GetMarkerRect(), o.X, o.Y);
    TCustomForm* form = BarForm();
    TMainMenu* child = (form && form->FormStyle() == fsMDIForm) || FMergeMenu ? GetChildMainMenu() : nullptr;
    BSF->SkinMenuOpen();
    if (child)
        BSF->SkinMenu()->Popup2(nullptr, FSD, shown, r, FMainMenu->Items(), child->Items(), false);
    else
        BSF->SkinMenu()->Popup(nullptr, FSD, shown, r, FMainMenu->Items(), false);
}

void TbsSkinMainMenuBar::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_ERASEBKGND:
        M.Result = 1;
        return;
    case WM_SIZE:
        TbsSkinControl::Dispatch(M);
        CalcObjectRects();
        return;
    case WM_MOVE:
        TbsSkinControl::Dispatch(M);
        if (FIndex != -1 && FSD && FSD->MainMenuBarTransparent && Align() == alNone)
            Repaint();
        return;
    case SKN_MENUCLOSED:
        ReleaseSysMenuButton();
        return;
    case SKN_PARENTBGCHANGED:
        if (FIndex != -1 && FSD && FSD->MainMenuBarTransparent)
            Repaint();
        return;
    default:
        TbsSkinControl::Dispatch(M);
    }
}

// ---- timers

void TbsSkinMainMenuBar::MorphTimerProc()
{
    bool stepped = false;
    for (auto& obj : FObjects)
        if (obj->EnableMorphing() && obj->CanMorphing()) {
            obj->DoMorphing();
            stepped = true;
        }
    if (!stepped)
        FMorphTimer->SetEnabled(false);
}

void TbsSkinMainMenuBar::AnimateTimerProc()
{
    bool stepped = false;
    for (auto& obj : FObjects) {
        auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(obj.get());
        if (!item || !item->EnableAnimation())
            continue;
        if (item->Active && item->CurrentFrame <= item->FrameCount)
            ++item->CurrentFrame;
        else if (!item->Active && item->CurrentFrame > 0)
            --item->CurrentFrame;
        else
            continue;
        stepped = true;
        DrawNow(this, [item](TCanvas* C) { item->Draw(C); });
    }
    if (!stepped)
        FAnimateTimer->SetEnabled(false);
}

// ---- keyboard menu mode

bool TbsSkinMainMenuBar::Eligible(int AIndex) const
{
    TbsSkinMainMenuBarItem* item = ItemOf(AIndex);
    return item && item->Enabled && item->ItemVisible;
}

void TbsSkinMainMenuBar::EnterMainMenuMode()
{
    MenuActive = true;
    Repaint();
    int target = -1;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i)
        if (Object(i)->Active) {
            target = i;
            break;
        }
    if (target == -1 && FirstItemIndex() < ObjectCount())
        target = FirstItemIndex();
    if (target == -1)
        return;
    Object(target)->MouseEnter();
    if (!BSF)
        return;
    BSF->HookAppMessages();
    BSF->InMainMenu = true;
    if (BSF->OnMainMenuEnter)
        BSF->OnMainMenuEnter(this);
}

bool TbsSkinMainMenuBar::CheckAccelItem(uint16_t Key)
{
    TCustomForm* form = BarForm();
    if (!BSF || FObjects.empty() || !form || !form->Visible())
        return false;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        if (!Eligible(i))
            continue;
        TbsSkinMainMenuBarItem* item = ItemOf(i);
        if (!IsAccel(Key, item->MenuItem->Caption))
            continue;
        const bool hasSub = item->MenuItem->Count() > 0;
        item->MouseEnter();
        if (!(BSF->InMenu && hasSub))
            item->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

// The eligible item the keyboard stands on: hot or with its menu open.
int TbsSkinMainMenuBar::KeyboardItem() const
{
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i)
        if (Eligible(i) && (Object(i)->Active || Object(i)->FDown))
            return i;
    return -1;
}

void TbsSkinMainMenuBar::NextMainMenuItem()
{
    const int current = KeyboardItem();
    int next = -1;
    if (current != -1) {
        for (int i = current + 1; i < ObjectCount() && next == -1; ++i)
            if (Eligible(i))
                next = i;
        for (int i = FirstItemIndex(); i < current && next == -1; ++i)
            if (Eligible(i))
                next = i;
        ItemOf(current)->MouseLeave();
    } else {
        for (int i = FirstItemIndex(); i < ObjectCount() && next == -1; ++i)
            if (Eligible(i))
                next = i;
    }
    if (next != -1)
        Object(next)->MouseEnter();
}

void TbsSkinMainMenuBar::PriorMainMenuItem()
{
    const int current = KeyboardItem();
    int prior = -1;
    if (current != -1) {
        for (int i = current - 1; i >= FirstItemIndex() && prior == -1; --i)
            if (Eligible(i))
                prior = i;
        for (int i = ObjectCount() - 1; i > current && prior == -1; --i)
            if (Eligible(i))
                prior = i;
        ItemOf(current)->MouseLeave();
    } else {
        for (int i = FirstItemIndex(); i < ObjectCount() && prior == -1; ++i)
            if (Eligible(i))
                prior = i;
    }
    if (prior != -1)
        Object(prior)->MouseEnter();
}

bool TbsSkinMainMenuBar::PressActiveItem()
{
    if (!BSF)
        return false;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        TbsSkinMainMenuBarItem* item = ItemOf(i);
        if (!item)
            continue;
        const bool leafDown = item->FDown && item->MenuItem->Count() == 0;
        if (leafDown || (item->Active && !BSF->InMenu)) {
            item->Active = false;
            item->MouseDown(0, 0, mbLeft);
            return true;
        }
    }
    return false;
}

void TbsSkinMainMenuBar::ReleaseDownItem()
{
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* item = ItemOf(i); item && item->FDown) {
            item->FDown = false;
            item->Active = true;
            DrawSkinObject(item);
            return;
        }
}

void TbsSkinMainMenuBar::LeaveMainMenuMode()
{
    MenuActive = false;
    Repaint();
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        TbsSkinMainMenuBarItem* item = ItemOf(i);
        if (!item || !(item->FDown || item->Active))
            continue;
        item->Active = false;
        item->FMouseIn = false;
        item->FDown = false;
        if (item->EnableAnimation() && !item->InActiveAnimation) {
            item->CurrentFrame = 0;
            DrawSkinObject(item);
        } else {
            item->ReDraw();
        }
        break;
    }
    ActiveObject = OldActiveObject = -1;
}

// ---- MDI child buttons

void TbsSkinMainMenuBar::AddMDIButton(const std::string& AName, TbsStdCommand ACommand, bool AExplicit)
{
    TbsDataSkinMainMenuBarButton* rec = nullptr;
    if (FSD && !FSD->Empty()) {
        const int index = FSD->GetIndex(AName);
        if (index != -1)
            rec = dynamic_cast<TbsDataSkinMainMenuBarButton*>(FSD->ObjectList[size_t(index)].get());
    }
    auto button = std::make_unique<TbsSkinMainMenuBarButton>(this, rec);
    if (AExplicit)
        button->Command = ACommand;
    button->IDName = AName;
    FObjects.insert(FObjects.begin(), std::move(button));
    ++ButtonsCount;
}

void TbsSkinMainMenuBar::CreateMDIButtons()
{
    ButtonsCount = 0;
    if (FIndex == -1) {
        AddMDIButton("MinButton", cmMinimize, true);
        AddMDIButton("MaxButton", cmMaximize, true);
        AddMDIButton("CloseButton", cmClose, true);
        AddMDIButton("SysMenuButton", cmSysMenu, true);
    } else {
        AddMDIButton(MinButton, cmClose, false);
        AddMDIButton(MaxButton, cmClose, false);
        AddMDIButton(CloseButton, cmClose, false);
        AddMDIButton(SysMenuButton, cmClose, false);
    }
}

void TbsSkinMainMenuBar::DeleteMDIButtons()
{
    while (ButtonsCount > 0) {
        FObjects.erase(FObjects.begin());
        --ButtonsCount;
        ActiveObject = MouseCaptureObject = -1;
    }
}

void TbsSkinMainMenuBar::UpdateMDIButtons(TBorderIcons Icons)
{
    for (int i = 0; i < ButtonsCount; ++i) {
        auto* b = static_cast<TbsSkinMainMenuBarButton*>(Object(i));
        b->Enabled = !((b->Command == cmMinimize && !(Icons & biMinimize)) || (b->Command == cmSysMenu && !(Icons & biSystemMenu)));
    }
}

void TbsSkinMainMenuBar::MDIChildMaximize()
{
    if (FMDIChildMax)
        return;
    FMDIChildMax = true;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    CreateMDIButtons();
    if (TbsSkinForm* comp = FindMaximizedMDIChildSkinForm())
        UpdateMDIButtons(comp->BorderIcons());
    Repaint();
}

void TbsSkinMainMenuBar::MDIChildRestore()
{
    TbsSkinForm* comp = FindMaximizedMDIChildSkinForm();
    if (!comp && FMDIChildMax) {
        FMDIChildMax = false;
        DeleteMDIButtons();
        Repaint();
    } else if (comp) {
        UpdateMDIButtons(comp->BorderIcons());
    }
}

void TbsSkinMainMenuBar::ReleaseSysMenuButton()
{
    for (int i = 0; i < ButtonsCount; ++i) {
        auto* b = static_cast<TbsSkinMainMenuBarButton*>(Object(i));
        if (b->Command != cmSysMenu || !b->FDown)
            continue;
        b->FDown = false;
        if (ActiveObject != i) {
            b->Active = false;
            b->FMouseIn = false;
        }
        b->ReDraw();
    }
}

} // namespace skin
