// Multiple-document forms: the main form's client window, scroll bars,
// arrangement, window menu and tabs, and the documents' messages to it.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/form/bsRibbon.h"
#include "skin/form/bsSkinMDITabsBar.h"
#include "skin/form/bsSkinMainMenu.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Paint.h"

#include <algorithm>
#include <cmath>

namespace skin {

using namespace platform;

namespace {

const std::string ChildItemMarker = "_BSFCHILDITEM";

// The child's name carried by a window-menu item, empty for other items.
std::string ChildNameOfItem(const TMenuItem* AItem)
{
    const std::string& name = AItem->Name();
    const size_t at = name.find(ChildItemMarker);
    if (at == std::string::npos)
        return {};
    return name.substr(0, at) + name.substr(at + ChildItemMarker.size());
}

TMenuItem* FindChildItem(TMenuItem* AMenu, const std::string& AChildName)
{
    for (int i = 0; i < AMenu->Count(); ++i)
        if (AMenu->Items(i)->Name().find(ChildItemMarker) != std::string::npos &&
            ChildNameOfItem(AMenu->Items(i)) == AChildName)
            return AMenu->Items(i);
    return nullptr;
}

} // namespace

// ---- helpers

TbsSkinForm* TbsSkinForm::MainFormComponent() const
{
    TCustomForm* main = Application()->MainForm();
    return main ? FindSkinFormComponent(main) : nullptr;
}

LRESULT TbsSkinForm::SendToMainForm(UINT AMsg, WPARAM W)
{
    TCustomForm* main = Application()->MainForm();
    if (!main || main == FForm || !main->HandleAllocated())
        return 0;
    return SendMessage(main->Handle(), AMsg, W);
}

std::vector<TCustomForm*> TbsSkinForm::MDIChildForms() const
{
    std::vector<TCustomForm*> list;
    if (FForm->FormStyle() != fsMDIForm)
        return list;
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TCustomForm* f = FForm->MDIChildren(i))
            list.push_back(f);
    return list;
}

void TbsSkinForm::SetShowMDIScrollBars(bool AValue)
{
    if (FShowMDIScrollBars == AValue)
        return;
    FShowMDIScrollBars = AValue;
    UpdateMDIScrollBars(true);
}

void TbsSkinForm::SetMDITabsBar(TbsSkinMDITabsBar* AValue)
{
    FMDITabsBar = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

TRect TbsSkinForm::GetMDIClientArea()
{
    const TRect client = FForm->ClientRect();
    TRect a{0, 0, client.Width(), client.Height()};
    for (int i = 0; i < FForm->ControlCount(); ++i) {
        TControl* c = FForm->Controls(i);
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case alLeft: a.Left = std::max(a.Left, c->Left() + c->Width()); break;
        case alTop: a.Top = std::max(a.Top, c->Top() + c->Height()); break;
        case alRight: a.Right = std::min(a.Right, c->Left()); break;
        case alBottom: a.Bottom = std::min(a.Bottom, c->Top()); break;
        default: break;
        }
    }
    return a;
}

// ---- scroll bars

void TbsSkinForm::CreateMDIScrollBars()
{
    if (FMDIHScrollBar)
        return;
    auto make = [this](TScrollBarKind AKind) {
        auto* bar = new TbsSkinScrollBar(this);
        bar->SetVisible(false);
        bar->SetKind(AKind);
        if (AKind == sbHorizontal) {
            bar->SetHeight(17);
            bar->SetSkinDataName("hscrollbar");
        } else {
            bar->SetWidth(17);
            bar->SetSkinDataName("vscrollbar");
        }
        bar->SetSkinData(FSD);
        bar->SetParent(FForm);
        const bool horizontal = AKind == sbHorizontal;
        bar->OnUpButtonClick = [bar](TObject*) { bar->SetPosition(bar->Position() + 10); };
        bar->OnDownButtonClick = [bar](TObject*) { bar->SetPosition(bar->Position() - 10); };
        auto shift = [this, horizontal](TObject*) { MDIScrollChanged(horizontal); };
        bar->OnChange = shift;
        bar->OnPageUp = shift;
        bar->OnPageDown = shift;
        bar->OnLastChange = shift;
        return bar;
    };
    FMDIHScrollBar = make(sbHorizontal);
    FMDIVScrollBar = make(sbVertical);
}

void TbsSkinForm::MDIScrollChanged(bool AHorizontal)
{
    TbsSkinScrollBar* bar = AHorizontal ? FMDIHScrollBar : FMDIVScrollBar;
    int& old = AHorizontal ? FOldHSrollBarPosition : FOldVSrollBarPosition;
    const int delta = old - bar->Position();
    if (delta == 0)
        return;
    old = bar->Position();
    if (AHorizontal)
        OffsetMDIChildrenX(delta);
    else
        OffsetMDIChildrenY(delta);
}

void TbsSkinForm::OffsetMDIChildrenX(int ADelta)
{
    FStopCheckChildMove = true;
    for (TCustomForm* f : MDIChildForms())
        f->SetBounds(f->Left() + ADelta, f->Top(), f->Width(), f->Height());
    FStopCheckChildMove = false;
    UpdateMDIScrollBars(false);
}

void TbsSkinForm::OffsetMDIChildrenY(int ADelta)
{
    FStopCheckChildMove = true;
    for (TCustomForm* f : MDIChildForms())
        f->SetBounds(f->Left(), f->Top() + ADelta, f->Width(), f->Height());
    FStopCheckChildMove = false;
    UpdateMDIScrollBars(false);
}

void TbsSkinForm::UpdateMDIScrollBars(bool ASetRange)
{
    if (!FMDIHScrollBar || !FMDIVScrollBar)
        return;
    TbsSkinScrollBar* hb = FMDIHScrollBar;
    TbsSkinScrollBar* vb = FMDIVScrollBar;
    if (FMDIChildMaximized || !FShowMDIScrollBars) {
        hb->SetVisible(false);
        vb->SetVisible(false);
        return;
    }
    // A shown bar changes the room left, which may call for the other bar:
    // a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const TRect a = GetMDIClientArea();
        const int w = a.Width(), h = a.Height();
        int minL = 100000, minT = 100000, maxR = -100000, maxB = -100000;
        for (TCustomForm* f : MDIChildForms()) {
            if (!f->Visible() || (f->HandleAllocated() && f->Handle() == ChangeVisibleChildHanle))
                continue;
            // The window's own place: a document telling of its move has
            // not taken its new bounds into its fields yet.
            TRect r = f->BoundsRect();
            if (f->HandleAllocated() && FForm->ClientHandle()) {
                GetWindowRect(f->Handle(), r);
                r = MapWindowRect(nullptr, FForm->ClientHandle(), r);
            }
            minL = std::min(minL, r.Left);
            minT = std::min(minT, r.Top);
            maxR = std::max(maxR, r.Right);
            maxB = std::max(maxB, r.Bottom);
        }
        bool needH = minL < 0 || w < maxR;
        bool needV = minT < 0 || h < maxB;
        if (needV && !needH)
            needH = minL < 0 || w - vb->Width() < maxR;
        else if (needH && !needV)
            needV = minT < 0 || h - hb->Height() < maxB;
        bool changed = false;
        if (needH && !hb->Visible()) {
            hb->SetBounds(a.Left, a.Bottom - hb->Height(), w, hb->Height());
            hb->SetVisible(true);
            changed = true;
        } else if (!needH && hb->Visible()) {
            hb->SetVisible(false);
            changed = true;
        }
        if (needV && !vb->Visible()) {
            vb->SetBounds(a.Right - vb->Width(), a.Top, vb->Width(), h - (needH ? hb->Height() : 0));
            vb->SetVisible(true);
            changed = true;
        } else if (!needV && vb->Visible()) {
            vb->SetVisible(false);
            changed = true;
        }
        AlignMDIScrollBars();
        if (hb->Visible()) {
            maxR = std::max(maxR, w);
            hb->SetLargeChange(hb->PageSize());
            if (ASetRange) {
                const int page = w - (vb->Visible() ? vb->Width() : 0);
                const int pos = minL < 0 ? -minL : 0;
                hb->SetRange(0, maxR + pos - 1, pos, page);
                FOldHSrollBarPosition = hb->Position();
            }
            hb->SetLargeChange(hb->PageSize());
        }
        if (vb->Visible()) {
            maxB = std::max(maxB, h);
            if (ASetRange) {
                const int page = h - (hb->Visible() ? hb->Height() : 0);
                const int pos = minT < 0 ? -minT : 0;
                vb->SetRange(0, maxB + pos - 1, pos, page);
                FOldVSrollBarPosition = vb->Position();
            }
            vb->SetLargeChange(vb->PageSize());
        }
        if (!changed || (!vb->Visible() && !hb->Visible()))
            break;
    }
}

void TbsSkinForm::AlignMDIScrollBars()
{
    if (FForm->FormStyle() != fsMDIForm || !FMDIHScrollBar)
        return;
    const TRect a = GetMDIClientArea();
    TbsSkinScrollBar* hb = FMDIHScrollBar;
    TbsSkinScrollBar* vb = FMDIVScrollBar;
    if (hb->Visible()) {
        hb->SetBoth(vb->Visible());
        hb->SetBounds(a.Left, a.Bottom - hb->Height(), a.Width(), hb->Height());
    }
    if (vb->Visible())
        vb->SetBounds(a.Right - vb->Width(), a.Top, vb->Width(), a.Height() - (hb->Visible() ? hb->Height() : 0));
}

// ---- arrangement

void TbsSkinForm::Tile()
{
    if (TileMode == tbHorizontal)
        TileHorizontal();
    else
        TileVertical();
}

void TbsSkinForm::TileHorizontal()
{
    const std::vector<TCustomForm*> kids = MDIChildForms();
    if (kids.empty())
        return;
    RestoreAll();
    const int count = int(kids.size());
    int n = std::max(1, int(std::sqrt(double(count))));
    int rows = count / n + (n * (count / n) < count ? 1 : 0);
    const TRect a = GetMDIClientArea();
    const int cw = a.Width() / n;
    int rh = a.Height() / rows;
    int x = a.Width(), y = a.Height(), placed = 0;
    for (int i = count - 1; i >= 0; --i) {
        kids[size_t(i)]->SetBounds(std::max(x - cw, 0), std::max(y - rh, 0), cw, rh);
        ++placed;
        y -= rh;
        if (y - rh < 0) {
            y = a.Height();
            x -= cw;
            n = std::max(n - 1, 1);
            rows = std::max(1, (count - placed + n - 1) / n);
            rh = a.Height() / rows;
        }
    }
}

void TbsSkinForm::TileVertical()
{
    const std::vector<TCustomForm*> kids = MDIChildForms();
    if (kids.empty())
        return;
    RestoreAll();
    const int count = int(kids.size());
    const int n = std::max(1, int(std::sqrt(double(count))));
    int cols = count / n;
    const TRect a = GetMDIClientArea();
    const int cw = a.Width() / cols;
    int rh = a.Height() / n;
    int x = 0, y = 0, placed = 0;
    for (TCustomForm* f : kids) {
        f->SetBounds(x, y, cw, rh);
        ++placed;
        y += rh;
        if (y + rh > a.Height()) {
            y = 0;
            x += cw;
            cols = std::max(cols - 1, 1);
            const int rows = std::max((count - placed) / cols, 1);
            rh = a.Height() / rows;
        }
    }
}

void TbsSkinForm::Cascade()
{
    const std::vector<TCustomForm*> kids = MDIChildForms();
    if (kids.empty())
        return;
    RestoreAll();
    const TRect a = GetMDIClientArea();
    const int w = a.Width(), h = a.Height();
    // A skin whose client starts at its top edge would give no step at all.
    const int c = std::max(1, FSkinSupport ? NewClRect.Top : DefCaptionHeight() + 3);
    const int count = int(kids.size());
    const int k = (w - int(std::lround(w * 0.8))) / c;
    const int steps = count < k ? count - 1 : k;
    int d = 0;
    for (int i = count - 1; i >= 0; --i) {
        TCustomForm* f = kids[size_t(i)];
        TbsSkinForm* comp = FindSkinFormComponent(f);
        int cw = std::max(w - c * steps, comp ? comp->GetMinWidth() : 0);
        int ch = std::max(h - c * steps, comp ? comp->GetMinHeight() : 0);
        if (f->BorderStyle() == bsSingle) {
            cw = f->Width();
            ch = f->Height();
        }
        if (d + cw > w || d + ch > h)
            d = 0;
        f->SetBounds(d, d, cw, ch);
        d += c;
    }
}

void TbsSkinForm::MinimizeAll()
{
    for (TCustomForm* f : MDIChildForms())
        if (TbsSkinForm* comp = FindSkinFormComponent(f))
            comp->SetWindowState(wsMinimized);
}

void TbsSkinForm::MaximizeAll()
{
    for (TCustomForm* f : MDIChildForms())
        if (TbsSkinForm* comp = FindSkinFormComponent(f); comp && (comp->BorderIcons() & biMaximize))
            comp->SetWindowState(wsMaximized);
}

void TbsSkinForm::RestoreAll() { RestoreAllExcept(nullptr); }

void TbsSkinForm::RestoreAllExcept(HWND AFormHandle)
{
    for (TCustomForm* f : MDIChildForms()) {
        if (AFormHandle && f->HandleAllocated() && f->Handle() == AFormHandle)
            continue;
        TbsSkinForm* comp = FindSkinFormComponent(f);
        if (!comp)
            continue;
        if (comp->WindowState() != wsNormal)
            comp->SetWindowState(wsNormal);
        if (comp->RollUpState())
            comp->SetRollUpState(false);
    }
}

void TbsSkinForm::CloseAll()
{
    const std::vector<TCustomForm*> kids = MDIChildForms();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        (*it)->Close();
}

void TbsSkinForm::ArrangeMinimizedChildren()
{
    for (TCustomForm* f : MDIChildForms())
        if (TbsSkinForm* comp = FindSkinFormComponent(f); comp && comp->WindowState() == wsMinimized) {
            const TPoint p = comp->GetMinimizedPosition();
            f->SetBounds(p.X, p.Y, f->Width(), f->Height());
        }
}

void TbsSkinForm::UpdateMDIChildren()
{
    for (TCustomForm* f : MDIChildForms())
        if (f->HandleAllocated())
            SendMessage(f->Handle(), SKN_CHILDMAXIMIZEFIT);
    if (!FShowMDIScrollBars)
        ArrangeMinimizedChildren();
}

TCustomForm* TbsSkinForm::FindMaximizedMDIChild()
{
    auto maximized = [](TCustomForm* f) {
        TbsSkinForm* comp = f ? FindSkinFormComponent(f) : nullptr;
        return comp && comp->WindowState() == wsMaximized;
    };
    if (TCustomForm* active = FForm->ActiveMDIChild(); maximized(active))
        return active;
    for (TCustomForm* f : MDIChildForms())
        if (maximized(f))
            return f;
    return nullptr;
}

// ---- window menu and tabs

void TbsSkinForm::AddChildToMenu(TCustomForm* Child)
{
    TbsSkinForm* main = MainFormComponent();
    if (!main || !main->Form()->WindowMenu || FindChildItem(main->Form()->WindowMenu, Child->Name()))
        return;
    auto* item = new TMenuItem(this);
    item->SetName(Child->Name() + ChildItemMarker);
    item->Caption = Child->Caption();
    item->OnClick = [main](TObject* Sender) { main->MDIItemClick(Sender); };
    main->Form()->WindowMenu->Add(item);
}

void TbsSkinForm::DeleteChildFromMenu(TCustomForm* Child)
{
    TbsSkinForm* main = MainFormComponent();
    if (!main || !main->Form()->WindowMenu)
        return;
    TMenuItem* menu = main->Form()->WindowMenu;
    if (TMenuItem* item = FindChildItem(menu, Child->Name()))
        delete item;   // leaves its parent menu as it goes
    if (main->Form()->MDIChildCount() == 0)
        for (int i = 0; i < menu->Count(); ++i)
            if (menu->Items(i)->Name().find(ChildItemMarker) != std::string::npos) {
                delete menu->Items(i);
                break;
            }
}

void TbsSkinForm::UpDateChildCaptionInMenu(TCustomForm* Child)
{
    TbsSkinForm* main = MainFormComponent();
    if (main && main->Form()->WindowMenu)
        if (TMenuItem* item = FindChildItem(main->Form()->WindowMenu, Child->Name()))
            item->Caption = Child->Caption();
}

void TbsSkinForm::UpDateChildActiveInMenu()
{
    TbsSkinForm* main = MainFormComponent();
    if (!main || !main->Form()->WindowMenu)
        return;
    TCustomForm* active = main->Form()->ActiveMDIChild();
    TMenuItem* menu = main->Form()->WindowMenu;
    for (int i = 0; i < menu->Count(); ++i)
        if (menu->Items(i)->Name().find(ChildItemMarker) != std::string::npos)
            menu->Items(i)->Checked = active && ChildNameOfItem(menu->Items(i)) == active->Name();
}

void TbsSkinForm::MDIItemClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    const std::string name = ChildNameOfItem(item);
    for (TCustomForm* f : MDIChildForms())
        if (f->Name() == name) {
            if (TbsSkinForm* comp = FindSkinFormComponent(f); comp && comp->WindowState() == wsMinimized)
                comp->SetWindowState(wsNormal);
            f->Show();
            return;
        }
}

void TbsSkinForm::AddChildToBar(TCustomForm* Child)
{
    bool accept = true;
    if (TbsSkinForm* comp = FindSkinFormComponent(Child); comp && comp->OnAcceptToMDITabsBar)
        comp->OnAcceptToMDITabsBar(accept);
    TbsSkinForm* main = MainFormComponent();
    if (accept && main && main->MDITabsBar())
        main->MDITabsBar()->AddTab(Child);
}

void TbsSkinForm::DeleteChildFromBar(TCustomForm* Child)
{
    TbsSkinForm* main = MainFormComponent();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->DeleteTab(Child);
}

void TbsSkinForm::RefreshMDIBarTab(TCustomForm* Child)
{
    TbsSkinForm* main = MainFormComponent();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->RefreshTab(Child);
}

void TbsSkinForm::UpdateMainMenuBarItems()
{
    TbsSkinForm* main = MainFormComponent();
    TbsSkinMainMenuBar* bar = main ? main->MainMenuBar() : nullptr;
    if (bar && (bar->GetChildMainMenu() || bar->ChildMenuIn))
        bar->UpDateItems();
}

void TbsSkinForm::UpdateMDITabs()
{
    TbsSkinForm* main = MainFormComponent();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->UpdateActiveTab();
}

// ---- the client window

void TbsSkinForm::PaintMDIBGDefault(HDC DC)
{
    if (!DC)
        return;
    TCanvas c;
    c.SetHandle(DC);
    TRect r;
    GetClientRect(FForm->ClientHandle() ? FForm->ClientHandle() : FForm->Handle(), r);
    c.Brush()->SetColor(clAppWorkSpace);
    c.FillRect(r);
    DrawLogo(&c);
    c.SetHandle(nullptr);
}

void TbsSkinForm::PaintBG3(HDC DC)
{
    if (!DC || !HasSkin())
        return;
    TbsPicture* picture = ActivePicture(*FSD, FSD->MDIBGPictureIndex);
    if (!picture)
        return PaintBG2(DC);
    TCanvas c;
    c.SetHandle(DC);
    PaintClientPicture(&c, picture, FSD->MDIBGStretchEffect, FSD->MDIBGStretchType);
    c.SetHandle(nullptr);
}

void TbsSkinForm::PaintMDIClient(HDC DC)
{
    if (!HasSkin())
        PaintMDIBGDefault(DC);
    else if (FSD->MDIBGPictureIndex != -1)
        PaintBG3(DC);
    else if (FSD->BGPictureIndex == -1)
        PaintBG(DC);
    else
        PaintBG2(DC);
}

void TbsSkinForm::SubclassMDIClient(bool AAgain)
{
    HWND client = FForm->ClientHandle();
    if (!client || (client == FClientSubclassed && !AAgain))
        return;
    // Subclassed again, the client keeps the procedure it had before the
    // component came, never the component's own.
    const bool again = client == FClientSubclassed;
    FClientSubclassed = client;
    TWndProc previous = SetWindowProc(client, [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        TMessage M;
        M.Msg = m;
        M.WParam = w;
        M.LParam = l;
        NewClientWndProc(M);
        return M.Result;
    });
    if (!again)
        FPrevClientProc = previous;
    RefreshFormSize();
}

void TbsSkinForm::NewClientWndProc(TMessage& M)
{
    HWND client = FClientSubclassed;
    switch (M.Msg) {
    case WM_SIZE: {
        M.Result = CallWindowProc(FPrevClientProc, client, M.Msg, M.WParam, M.LParam);
        UpdateMDIChildren();
        const bool stretched = !FLogoBitMap.Empty() ||
                               (HasSkin() && FSD->StretchEffect && FSD->MDIBGPictureIndex == -1) ||
                               (HasSkin() && FSD->MDIBGPictureIndex != -1 && FSD->MDIBGStretchEffect);
        if (stretched)
            RedrawWindow(client, nullptr, RDW_ERASE | RDW_INVALIDATE);
        UpdateMDIScrollBars(true);
        return;
    }
    case WM_ERASEBKGND:
        PaintMDIClient(reinterpret_cast<HDC>(M.WParam));
        M.Result = 0;
        return;
    case WM_NCCALCSIZE:
    case WM_NCPAINT: M.Result = 0; return;
    case WM_NCACTIVATE: M.Result = 1; return;
    default: M.Result = CallWindowProc(FPrevClientProc, client, M.Msg, M.WParam, M.LParam); return;
    }
}

// ---- messages

bool TbsSkinForm::MDIMessage(TMessage& M)
{
    const TFormStyle style = FForm->FormStyle();
    if (style != fsMDIForm && style != fsMDIChild)
        return false;
    auto afterRestore = [this] {
        UpDateFormNC();
        if (FMainMenuBar)
            FMainMenuBar->MDIChildRestore();
        if (FSkinRibbon)
            FSkinRibbon->MDIChildRestore();
        UpdateMDIScrollBars(true);
    };
    switch (M.Msg) {
    case SKN_CHILDMAXIMIZEFIT:
        if (style == fsMDIChild && FWindowState == wsMaximized)
            if (TbsSkinForm* main = MainFormComponent()) {
                const TRect a = main->GetMDIClientArea();
                FForm->SetBounds(0, 0, a.Width(), a.Height());
            }
        OldWindowProc(M);
        return true;
    case SKN_CHILDMAXIMIZED:
        if (style != fsMDIForm || FInMaximizeAll)
            return false;
        FMDIChildMaximized = true;
        UpDateFormNC();
        if (FMainMenuBar)
            FMainMenuBar->MDIChildMaximize();
        if (FSkinRibbon)
            FSkinRibbon->MDIChildMaximize();
        FInMaximizeAll = true;
        MaximizeAll();
        FInMaximizeAll = false;
        // The caption is the active document's, which may have come last.
        UpDateFormNC();
        UpdateMDIScrollBars(true);
        return true;
    case SKN_CHILDRESTORED:
        if (style != fsMDIForm || FInRestoreAll)
            return false;
        if (!FindMaximizedMDIChild())
            FMDIChildMaximized = false;
        afterRestore();
        return true;
    case SKN_CHILDCHANGED:
        if (style != fsMDIForm || FStopCheckChildMove)
            return false;
        ChangeVisibleChildHanle = reinterpret_cast<HWND>(M.WParam);
        UpdateMDIScrollBars(true);
        ChangeVisibleChildHanle = nullptr;
        return true;
    case SKN_RESTOREALL:
    case SKN_RESTOREALLEXCEPT:
        if (style != fsMDIForm || FInRestoreAll || !FMDIChildMaximized)
            return false;
        FInRestoreAll = true;
        RestoreAllExcept(M.Msg == SKN_RESTOREALL ? nullptr : reinterpret_cast<HWND>(M.WParam));
        FInRestoreAll = false;
        FMDIChildMaximized = false;
        if (M.Msg == SKN_RESTOREALLEXCEPT)
            FForm->Next();
        afterRestore();
        return true;
    case SKN_ISCHILDMAXIMIZED:
        M.Result = style == fsMDIForm && FMDIChildMaximized ? 1 : 0;
        return true;
    default: return false;
    }
}

void TbsSkinForm::MDIAfterMessage(TMessage& M)
{
    const TFormStyle style = FForm->FormStyle();
    if (style != fsMDIForm && style != fsMDIChild)
        return;
    const bool child = style == fsMDIChild;
    const WPARAM self = FForm->HandleAllocated() ? reinterpret_cast<WPARAM>(FForm->Handle()) : 0;
    TbsSkinForm* main = child ? MainFormComponent() : nullptr;
    switch (M.Msg) {
    case WM_DESTROY:
        if (!child)
            return;
        FWindowState = wsNormal;
        SendToMainForm(SKN_CHILDRESTORED);
        // A document freed while shown must not leave an item or a tab
        // behind that still points at it.
        DeleteChildFromMenu(FForm);
        DeleteChildFromBar(FForm);
        UpdateMainMenuBarItems();
        UpdateMDITabs();
        SendToMainForm(SKN_CHILDCHANGED, self);
        return;
    case WM_ACTIVATE:
        if (!child && FSkinnableForm)
            UpdateMainMenuBarItems();
        return;
    case WM_SETTEXT:
        if (!child || !FSkinnableForm)
            return;
        UpDateChildCaptionInMenu(FForm);
        RefreshMDIBarTab(FForm);
        if (FWindowState == wsMaximized && main)
            main->UpDateFormNC();
        return;
    case WM_SHOWWINDOW:
        if (!child) {
            if (M.WParam)
                SubclassMDIClient();
            return;
        }
        if (!FSkinnableForm)
            return;
        if (M.WParam) {
            AddChildToMenu(FForm);
            AddChildToBar(FForm);
            if (SendToMainForm(SKN_ISCHILDMAXIMIZED) == 1 && (FBorderIcons & biMaximize))
                SetWindowState(wsMaximized);
            SendToMainForm(SKN_CHILDCHANGED, 0);
        } else {
            DeleteChildFromMenu(FForm);
            DeleteChildFromBar(FForm);
            SendToMainForm(SKN_CHILDCHANGED, self);
        }
        return;
    case WM_NCACTIVATE:
        if (!child || !FSkinnableForm)
            return;
        if (FWindowState == wsMaximized && main)
            main->UpDateFormNC();
        UpdateMainMenuBarItems();
        UpdateMDITabs();
        UpDateChildActiveInMenu();
        return;
    case WM_MOUSEACTIVATE:
        if (child && FSkinnableForm && !FFormActive && main && main->Form()->ActiveMDIChild() == FForm) {
            FFormActive = true;
            UpdateActiveState(FWindowState != wsMaximized);
        }
        return;
    case WM_MOVE:
    case WM_SIZE:
        if (child)
            SendToMainForm(SKN_CHILDCHANGED, 0);
        return;
    case SKN_AFTERSKINCHANGE:
        if (!child && reinterpret_cast<TbsSkinData*>(M.WParam) == FSD && FSD)
            UpdateMDIChildren();
        return;
    default: return;
    }
}

} // namespace skin
