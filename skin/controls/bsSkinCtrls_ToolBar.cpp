#include "skin/controls/bsSkinCtrls_ToolBar.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Input.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

constexpr int ArrowWidth = 12;
constexpr uint32_t LeavePollInterval = 100;

template <class T, class F>
void ForEachChild(const std::vector<TControl*>& AControls, F AFunc)
{
    const std::vector<TControl*> children(AControls);
    for (TControl* c : children)
        if (auto* t = dynamic_cast<T*>(c))
            AFunc(t);
}

// The speed button names that go with a bar's skin name, while designing:
// menu button, menu button in track mode, other speed buttons.
struct TButtonNames {
    const char* Bar;
    const char* Menu;
    const char* Track;
    const char* Plain;
};
constexpr TButtonNames ButtonNamesTable[] = {
    {"resizetoolpanel", "resizetoolbutton", "resizetoolbutton", "resizetoolbutton"},
    {"panel", "resizebutton", "resizebutton", "resizebutton"},
    {"bigtoolpanel", "bigtoolmenubutton", "bigtoolmenutrackbutton", "bigtoolbutton"},
    {nullptr, "toolmenubutton", "toolmenutrackbutton", "toolbutton"},
};

const TButtonNames& ButtonNamesFor(const std::string& ABar)
{
    for (const TButtonNames& n : ButtonNamesTable)
        if (!n.Bar || ABar == n.Bar)
            return n;
    return ButtonNamesTable[std::size(ButtonNamesTable) - 1];
}

} // namespace

void CentreOnToolBar(TWinControl* AParent, int AHeight, int& ATop)
{
    auto* bar = dynamic_cast<TbsSkinToolBar*>(AParent);
    if (!bar || !bar->AdjustControls)
        return;
    TRect r;
    bar->GetSkinClientRect(r);
    ATop = r.Top + r.Height() / 2 - AHeight / 2;
}

// ---------------------------------------------------------------- construction

TbsSkinToolBar::TbsSkinToolBar(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    FSkinDataName = "toolpanel";
    SetHeight(25);
    SetBorderStyle(bvNone);
    FForceBackground = false;
    FDefaultHeight = 0;
}

TbsSkinToolBar::~TbsSkinToolBar() = default;

void TbsSkinToolBar::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinPanel::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FHotImages)
        SetHotImages(nullptr);
    if (AComponent == FDisabledImages)
        SetDisabledImages(nullptr);
}

// ---------------------------------------------------------------- properties

void TbsSkinToolBar::SetScrollOffset(int Value)
{
    if (Value >= 0)
        FScrollOffset = Value;
}

void TbsSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value >= 1)
        FScrollTimerInterval = Value;
}

void TbsSkinToolBar::SetImages(TCustomImageList* Value)
{
    ChangeReference(this, FImages, Value);
    ForEachChild<TbsSkinSpeedButton>(FControls, [](TbsSkinSpeedButton* B) { B->Repaint(); });
}

void TbsSkinToolBar::SetHotImages(TCustomImageList* Value) { ChangeReference(this, FHotImages, Value); }

void TbsSkinToolBar::SetDisabledImages(TCustomImageList* Value) { ChangeReference(this, FDisabledImages, Value); }

void TbsSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    ForEachChild<TbsSkinSpeedButton>(FControls, [Value](TbsSkinSpeedButton* B) { B->SetFlat(Value); });
}

void TbsSkinToolBar::SetShowCaptions(bool Value)
{
    if (FShowCaptions == Value)
        return;
    FShowCaptions = Value;
    if (AutoShowHideCaptions)
        ForEachChild<TbsSkinSpeedButton>(FControls, [Value](TbsSkinSpeedButton* B) { B->SetShowCaption(Value); });
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TbsSkinToolBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinPanel::SetSkinData(Value);
    ForEachChild<TbsSkinSpeedButton>(FControls, [Value](TbsSkinSpeedButton* B) { B->SetSkinData(Value); });
}

void TbsSkinToolBar::SetSkinDataName(const std::string& Value)
{
    TbsSkinPanel::SetSkinDataName(Value);
    if (!IsDesigning() || IsLoading())
        return;
    const TButtonNames& names = ButtonNamesFor(Value);
    ForEachChild<TbsSkinSpeedButton>(FControls, [&names](TbsSkinSpeedButton* B) {
        auto* menu = dynamic_cast<TbsSkinMenuSpeedButton*>(B);
        B->SetSkinDataName(!menu ? names.Plain : menu->TrackButtonMode() ? names.Track : names.Menu);
    });
}

TbsDataSkinButtonControl* TbsSkinToolBar::ButtonData() const
{
    if (FIndex == -1 || !FSD)
        return nullptr;
    const int i = FSD->GetControlIndex("resizebutton");
    return i < 0 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get());
}

// ---------------------------------------------------------------- layout

void TbsSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TbsSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (AdjustControls) {
        const std::vector<TControl*> children(FControls);
        for (TControl* c : children)
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
    }
    if (!CanScroll)
        return;
    FHSizeOffset = oldWidth > 0 && Width() > oldWidth ? Width() - oldWidth : 0;
    UpdateScroll();
    CentrePlainChildren();
}

void TbsSkinToolBar::AdjustClientRect(TRect& R)
{
    TbsSkinPanel::AdjustClientRect(R);
    if (!CanScroll || !ArrowsShown())
        return;
    const TRect panel = R;
    const int cw = ClientWidth(), ch = ClientHeight();
    R = Rect(-SPosition, 0, -SPosition + std::max(SMax, cw), ch);
    if (FIndex == -1 || IsDesigning()) {
        R.Top = 1;
        R.Bottom -= 1;
    } else if (!(FBorderStyle == bvNone && ResizeMode == 1)) {
        R.Top = panel.Top;
        R.Bottom = panel.Bottom;
    }
}

void TbsSkinToolBar::CentrePlainChildren()
{
    TRect r;
    GetSkinClientRect(r);
    const std::vector<TControl*> children(FControls);
    for (TControl* c : children) {
        if (dynamic_cast<TbsSkinControl*>(c) || dynamic_cast<TbsGraphicSkinControl*>(c) ||
            c->Align() != platform::alNone)
            continue;
        const int top = r.Top + r.Height() / 2 - c->Height() / 2;
        if (c->Top() != top)
            c->SetTop(top);
    }
}

void TbsSkinToolBar::CreateControlSkinImage(TBitmap* B)
{
    if (ArrowsShown() && ResizeMode == 2 && Picture) {
        // Only the middle of the picture: no end cap is cut by an arrow.
        CreateHSkinImageCenter(LTPt.X, SkinWidth() - RTPt.X, B, Picture, SkinRect, Width(), Height(),
                               StretchEffect);
        return;
    }
    TbsSkinPanel::CreateControlSkinImage(B);
}

// ---------------------------------------------------------------- scrolling

void TbsSkinToolBar::UpdateScroll()
{
    // Showing the arrows changes the window's frame, which asks again.
    if (!CanScroll || Width() == 0 || FUpdatingScroll)
        return;
    struct TFlag {
        bool& F;
        explicit TFlag(bool& AF) : F(AF) { F = true; }
        ~TFlag() { F = false; }
    } flag(FUpdatingScroll);
    int a = 0;
    for (TControl* c : FControls)
        if (c->Visible())
            a = std::max(a, c->Left() + c->Width());
    if (a != 0) {
        const int p = SPosition;
        if (a + p <= ClientWidth()) {
            if (p > 0)
                ScrollChildren(-p);
            FHSizeOffset = SMax = SPosition = SPage = 0;
        } else {
            ShowArrows(true);
            // The arrows take client width: the page is what is left.
            const int cw = ClientWidth();
            const int s = p + a - 1;
            if (p > 0 && a < cw && FHSizeOffset > 0) {
                FHSizeOffset = std::min(FHSizeOffset, p);
                SMax = s;
                SPosition = p - FHSizeOffset;
                SPage = cw;
                ScrollChildren(-FHSizeOffset);
            } else if (FHSizeOffset == 0 && s < SMax && p > 0 && a < cw) {
                SMax = s;
                SPosition = p + a - cw;
                SPage = cw;
                ScrollChildren(a - cw);
            } else {
                SMax = s;
                SPage = cw;
            }
            FHSizeOffset = 0;
            SOldPosition = SPosition;
            return;
        }
    }
    ShowArrows(false);
}

// Moves the children by D pixels, left for a positive D.
void TbsSkinToolBar::ScrollChildren(int D)
{
    const std::vector<TControl*> children(FControls);
    for (TControl* c : children)
        c->SetBounds(c->Left() - D, c->Top(), c->Width(), c->Height());
    Repaint();
}

void TbsSkinToolBar::ShowArrows(bool AShow)
{
    if (ArrowsShown() == AShow)
        return;
    FButtons[0].Visible = FButtons[1].Visible = AShow;
    FMouseIn = false;
    PlaceArrows();
    if (!Parent())
        return;
    // The non-client area is calculated again in place: the window, its
    // children and the focus all stay.
    HandleNeeded();
    platform::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                           platform::SWP_FRAMECHANGED | platform::SWP_NOMOVE | platform::SWP_NOSIZE |
                               platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
    Realign();
}

void TbsSkinToolBar::ScrollStep(bool ARight)
{
    const int step = FScrollOffset != 0 ? FScrollOffset : ClientWidth();
    if (ARight)
        SPosition = std::min(SPosition + step, SMax - SPage + 1);
    else
        SPosition = std::max(SPosition - step, 0);
    if (SPosition == SOldPosition) {
        StopScrollTimer();
        return;
    }
    ScrollChildren(SPosition - SOldPosition);
    UpdateScroll();
}

void TbsSkinToolBar::ArrowPress(int AIndex)
{
    FTimerMode = AIndex == 0 ? 1 : 2;
    StartScrollTimer();
}

void TbsSkinToolBar::ArrowRelease(int AIndex)
{
    StopScrollTimer();
    FTimerMode = 0;
    ScrollStep(AIndex == 1);
}

void TbsSkinToolBar::StartScrollTimer()
{
    platform::KillTimer(Handle(), ScrollTimerId);
    platform::SetTimer(Handle(), ScrollTimerId, uint32_t(FScrollTimerInterval));
}

void TbsSkinToolBar::StopScrollTimer()
{
    if (HandleAllocated())
        platform::KillTimer(Handle(), ScrollTimerId);
    FTimerMode = 0;
}

void TbsSkinToolBar::MouseEnter()
{
    FMouseIn = true;
    if (ArrowsShown()) {
        platform::KillTimer(Handle(), LeaveTimerId);
        platform::SetTimer(Handle(), LeaveTimerId, LeavePollInterval);
    }
}

void TbsSkinToolBar::MouseLeave()
{
    if (IsDesigning() || !CanScroll)
        return;
    FMouseIn = false;
    if (platform::WindowFromPoint(platform::GetCursorPos()) == Handle())
        return;
    for (TArrow& a : FButtons)
        if (a.MouseIn && a.Visible) {
            a.MouseIn = false;
            if (FTimerMode != 0)
                StopScrollTimer();
            RepaintArrows();
            return;
        }
}

// ---------------------------------------------------------------- messages

void TbsSkinToolBar::WndProc(TMessage& M)
{
    if (M.Msg == platform::WM_WINDOWPOSCHANGING && HandleAllocated() && Align() == platform::alNone)
        UpdateScroll();
    // Seen here, before a button under the pointer takes the move: leaving
    // an arrow for a button stops a hot scroll too.
    if (M.Msg == platform::WM_MOUSEMOVE)
        LeaveArrows();
    TbsSkinPanel::WndProc(M);
}

void TbsSkinToolBar::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case platform::WM_NCMOUSEMOVE:
        if (CanScroll)
            NCMouseMove(platform::LRESULT(M.WParam));
        break;
    case platform::WM_NCLBUTTONDOWN:
    case platform::WM_NCLBUTTONDBLCLK:
        if (CanScroll)
            NCButton(platform::LRESULT(M.WParam), true);
        break;
    case platform::WM_NCLBUTTONUP:
        if (CanScroll)
            NCButton(platform::LRESULT(M.WParam), false);
        break;
    case platform::WM_DESTROY:
        platform::KillTimer(Handle(), ScrollTimerId);
        platform::KillTimer(Handle(), LeaveTimerId);
        FMouseIn = false;
        break;
    default:
        break;
    }
    TbsSkinPanel::Dispatch(M);
}

void TbsSkinToolBar::NCMouseMove(platform::LRESULT AHit)
{
    const int i = AHit == HTLEFTSCROLLARROW ? 0 : AHit == HTRIGHTSCROLLARROW ? 1 : -1;
    if (i < 0 || FButtons[i].MouseIn)
        return;
    FButtons[i].MouseIn = true;
    FButtons[1 - i].MouseIn = false;
    RepaintArrows();
    if (HotScroll) {
        FTimerMode = i + 1;
        StartScrollTimer();
    }
}

void TbsSkinToolBar::NCButton(platform::LRESULT AHit, bool ADown)
{
    const int i = AHit == HTLEFTSCROLLARROW ? 0 : AHit == HTRIGHTSCROLLARROW ? 1 : -1;
    if (i < 0)
        return;
    FButtons[i].Down = ADown;
    RepaintArrows();
    if (ADown)
        ArrowPress(i);
    else
        ArrowRelease(i);
}

void TbsSkinToolBar::PlaceArrows()
{
    FButtons[0].R = Rect(0, 0, ArrowWidth, Height());
    FButtons[1].R = Rect(Width() - ArrowWidth, 0, Width(), Height());
}

void TbsSkinToolBar::WMSize(TMessage& M)
{
    TbsSkinPanel::WMSize(M);
    if (!CanScroll || !ArrowsShown())
        return;
    PlaceArrows();
    RepaintArrows();
}

void TbsSkinToolBar::WMWindowPosChanging(TMessage& M)
{
    TbsSkinPanel::WMWindowPosChanging(M);
    if (HandleAllocated() && AdjustControls)
        CentrePlainChildren();
}

void TbsSkinToolBar::WMNCCalcSize(TMessage& M)
{
    if (!CanScroll) {
        TbsSkinPanel::WMNCCalcSize(M);
        return;
    }
    GetSkinData();
    TRect* r = M.WParam ? &reinterpret_cast<platform::TNCCalcSizeParams*>(M.LParam)->rgrc[0]
                        : reinterpret_cast<TRect*>(M.LParam);
    if (FButtons[0].Visible)
        r->Left += ArrowWidth;
    if (FButtons[1].Visible)
        r->Right -= ArrowWidth;
    M.Result = 0;
}

void TbsSkinToolBar::RepaintArrows()
{
    if (HandleAllocated())
        platform::SendMessage(Handle(), platform::WM_NCPAINT, 1, 0);
}

void TbsSkinToolBar::WMNCPaint(TMessage& M)
{
    if (!CanScroll) {
        TbsSkinPanel::WMNCPaint(M);
        return;
    }
    if (!ArrowsShown())
        return;
    PlaceArrows();
    platform::HDC dc = platform::GetWindowDC(Handle());
    TCanvas c;
    c.SetHandle(dc);
    for (int i = 0; i < 2; ++i)
        DrawArrow(&c, i);
    c.SetHandle(nullptr);
    platform::ReleaseDC(Handle(), dc);
    M.Result = 0;
}

void TbsSkinToolBar::WMNCHitTest(TMessage& M)
{
    if (IsDesigning() || !CanScroll) {
        TbsSkinPanel::WMNCHitTest(M);
        return;
    }
    if (!FMouseIn)
        MouseEnter();
    const TPoint p = ScreenToClient(Point(platform::GET_X_LPARAM(M.LParam), platform::GET_Y_LPARAM(M.LParam)));
    if (p.X < 0 && FButtons[0].Visible)
        M.Result = HTLEFTSCROLLARROW;
    else if (p.X > ClientWidth() && FButtons[1].Visible)
        M.Result = HTRIGHTSCROLLARROW;
    else
        TbsSkinPanel::WMNCHitTest(M);
}

void TbsSkinToolBar::WMSetCursor(TMessage& M)
{
    const platform::LRESULT hit = int16_t(M.LParam & 0xFFFF);
    if (hit == HTLEFTSCROLLARROW || hit == HTRIGHTSCROLLARROW)
        M.LParam = (M.LParam & ~platform::LPARAM(0xFFFF)) | platform::HTCLIENT;
    TbsSkinPanel::WMSetCursor(M);
}

void TbsSkinToolBar::LeaveArrows()
{
    for (TArrow& a : FButtons)
        if (a.MouseIn && a.Visible) {
            if (FTimerMode != 0)
                StopScrollTimer();
            a.MouseIn = false;
            RepaintArrows();
            return;
        }
}

void TbsSkinToolBar::WMTimer(TMessage& M)
{
    TbsSkinPanel::WMTimer(M);
    if (!CanScroll)
        return;
    if (M.WParam == ScrollTimerId) {
        if (FTimerMode == 1)
            ScrollStep(false);
        else if (FTimerMode == 2)
            ScrollStep(true);
    } else if (M.WParam == LeaveTimerId) {
        if (platform::WindowFromPoint(platform::GetCursorPos()) != Handle()) {
            platform::KillTimer(Handle(), LeaveTimerId);
            MouseLeave();
        }
    }
}

// ---------------------------------------------------------------- arrows

void TbsSkinToolBar::DrawArrow(TCanvas* C, int AIndex)
{
    const TArrow& a = FButtons[AIndex];
    const int w = a.R.Width(), h = a.R.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    GetSkinData();
    TbsDataSkinButtonControl* rec = ButtonData();
    const bool pressed = a.MouseIn && (a.Down || HotScroll);
    TColor arrowColor = platform::clBtnText;
    if (rec && ActivePicture(*FSD, rec->PictureIndex)) {
        TRect piece = rec->SkinRect;
        arrowColor = rec->FontColor;
        if (pressed && !rec->DownSkinRect.IsEmpty()) {
            piece = rec->DownSkinRect;
            arrowColor = rec->DownFontColor;
        } else if (a.MouseIn && !rec->ActiveSkinRect.IsEmpty()) {
            piece = rec->ActiveSkinRect;
            arrowColor = rec->ActiveFontColor;
        }
        CreateRecordImage(&b, *FSD, *rec, piece, w, h);
    } else {
        DrawBuiltInState(b.Canvas(), Rect(0, 0, w, h), pressed, a.MouseIn);
    }
    DrawArrowImage(b.Canvas(), Rect(0, 0, w, h), arrowColor, AIndex == 0 ? 1 : 2);
    C->Draw(a.R.Left, a.R.Top, &b);
}

} // namespace skin
