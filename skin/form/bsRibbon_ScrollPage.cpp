#include "skin/form/bsRibbon_ScrollPage.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/form/bsRibbon.h"

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

#include <algorithm>

namespace skin {

using platform::TMessage;

namespace {

// Hit-test answers of the back and forward buttons, the tool bar's.
constexpr platform::LRESULT HitBack = HTLEFTSCROLLARROW;
constexpr platform::LRESULT HitForward = HTRIGHTSCROLLARROW;

int ButtonOfHit(platform::LRESULT AHit) { return AHit == HitBack ? 0 : AHit == HitForward ? 1 : -1; }

} // namespace

TbsScrollingPage::TbsScrollingPage(TComponent* AOwner, bool AVertical) : TCustomControl(AOwner), FVertical(AVertical)
{
    SetBounds(0, 0, 150, 30);
}

TbsScrollingPage::~TbsScrollingPage()
{
    if (HandleAllocated()) {
        platform::KillTimer(FHandle, ScrollTimerId);
        platform::KillTimer(FHandle, MouseTimerId);
    }
}

void TbsScrollingPage::SetCanScroll(bool AValue)
{
    if (FCanScroll == AValue)
        return;
    FCanScroll = AValue;
    if (FCanScroll)
        GetScrollInfo();
    else
        SetButtonsVisible(false);
}

void TbsScrollingPage::SetScrollOffset(int AValue)
{
    if (AValue >= 0)
        FScrollOffset = AValue;
}

void TbsScrollingPage::SetScrollTimerInterval(int AValue)
{
    if (AValue > 0)
        FScrollTimerInterval = AValue;
}

// The controls move with the position, kept within the range: a position
// that changed alone would leave them where they were, and scrolling back
// later would push them past their place.
void TbsScrollingPage::SetPosition(int AValue)
{
    AValue = std::max(0, std::min(AValue, HasScrollButtons() ? SMax - SPage + 1 : 0));
    if (AValue == SPosition)
        return;
    ScrollContent(AValue - SPosition);
    SPosition = SOldPosition = AValue;
    GetScrollInfo();
}

void TbsScrollingPage::GetScrollInfo()
{
    if (ScrollAllowed())
        UpdateScrollState();
}

void TbsScrollingPage::UpDateSize() { SetBounds(Left(), Top(), Width(), Height()); }

void TbsScrollingPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int old = FVertical ? Height() : Width();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    const int now = FVertical ? Height() : Width();
    FSizeOffset = old != 0 && now > old ? now - old : 0;
    if (FCanScroll)
        GetScrollInfo();
}

void TbsScrollingPage::AdjustClientRect(TRect& ARect)
{
    if (FCanScroll) {
        const TRect c = ClientRect();
        ARect = FVertical ? Bounds(0, -SPosition, c.Width(), std::max(SMax, c.Height()))
                          : Bounds(-SPosition, 0, std::max(SMax, c.Width()), c.Height());
    }
    TCustomControl::AdjustClientRect(ARect);
}

// ---------------------------------------------------------------- scroll state

void TbsScrollingPage::UpdateScrollState()
{
    // Showing the buttons changes the frame, which asks again.
    if (FUpdating)
        return;
    struct TGuard {
        bool& F;
        explicit TGuard(bool& A) : F(A) { F = true; }
        ~TGuard() { F = false; }
    } guard(FUpdating);
    int e = 0;
    for (TControl* c : FControls)
        if (c->Visible())
            e = std::max(e, FVertical ? c->Top() + c->Height() : c->Left() + c->Width());
    const int c = ClientExtent();
    if (e != 0 && c < e + SPosition) {
        SetButtonsVisible(true);
        // The page is what the buttons leave of the client area: measured
        // before they appeared, the last part of the content could never be
        // scrolled into view.
        const int page = ClientExtent();
        const int p = SPosition, m = p + e - 1;
        if (p > 0 && e < c && FSizeOffset > 0) {
            FSizeOffset = std::min(FSizeOffset, p);
            SMax = m;
            SPosition -= FSizeOffset;
            SPage = page;
            ScrollContent(-FSizeOffset);
        } else if (FSizeOffset != 0 || m >= SMax || p <= 0 || e >= c) {
            SMax = m;
            SPage = page;
        } else {
            SMax = m;
            SPosition = p + e - c;
            SPage = page;
            ScrollContent(e - c);
        }
        FSizeOffset = 0;
        SOldPosition = SPosition;
        return;
    }
    if (e != 0) {
        if (SPosition > 0)
            ScrollContent(-SPosition);
        FSizeOffset = SMax = SPosition = SPage = 0;
    }
    SOldPosition = SPosition;
    SetButtonsVisible(false);
}

void TbsScrollingPage::ScrollContent(int D)
{
    if (D == 0)
        return;
    const std::vector<TControl*> children(FControls);
    for (TControl* c : children) {
        if (FVertical)
            c->SetBounds(c->Left(), c->Top() - D, c->Width(), c->Height());
        else
            c->SetBounds(c->Left() - D, c->Top(), c->Width(), c->Height());
    }
    ContentScrolled();
}

void TbsScrollingPage::ScrollStep(int ADirection)
{
    const int s = FScrollOffset != 0 ? FScrollOffset : ClientExtent();
    if (ADirection == 0)
        SPosition = std::max(0, SPosition - s);
    else
        SPosition = std::max(0, std::min(SPosition + s, SMax - SPage + 1));
    if (SPosition == SOldPosition) {
        StopScrollTimer();
        return;
    }
    ScrollContent(SPosition - SOldPosition);
    UpdateScrollState();
}

void TbsScrollingPage::ScrollButtonDown(int AIndex)
{
    TimerMode = AIndex == 1 ? 2 : 1;
    StartScrollTimer();
}

void TbsScrollingPage::ScrollButtonUp(int AIndex)
{
    StopScrollTimer();
    ScrollStep(AIndex);
}

void TbsScrollingPage::SetButtonsVisible(bool AValue)
{
    if (Buttons[0].Visible == AValue)
        return;
    Buttons[0].Visible = Buttons[1].Visible = AValue;
    FMouseIn = false;
    if (!AValue) {
        for (TbsPageScrollButton& b : Buttons)
            b.MouseIn = b.Down = false;
        StopScrollTimer();
    }
    PlaceButtons();
    if (!Parent())
        return;
    // The non-client area is calculated again in place, so the window, its
    // children and the focus inside it all stay.
    HandleNeeded();
    platform::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                           platform::SWP_FRAMECHANGED | platform::SWP_NOMOVE | platform::SWP_NOSIZE |
                               platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
    Realign();
}

void TbsScrollingPage::PlaceButtons()
{
    const int w = Width(), h = Height();
    if (FVertical) {
        Buttons[0].R = Rect(0, 0, w, ButtonSize);
        Buttons[1].R = Rect(0, h - ButtonSize, w, h);
    } else {
        Buttons[0].R = Rect(0, 0, ButtonSize, h);
        Buttons[1].R = Rect(w - ButtonSize, 0, w, h);
    }
}

void TbsScrollingPage::RepaintButtons()
{
    if (HandleAllocated())
        platform::SendMessage(FHandle, platform::WM_NCPAINT, 1, 0);
}

// ---------------------------------------------------------------- timers and mouse

void TbsScrollingPage::StartScrollTimer()
{
    platform::KillTimer(Handle(), ScrollTimerId);
    platform::SetTimer(Handle(), ScrollTimerId, uint32_t(FScrollTimerInterval));
}

void TbsScrollingPage::StopScrollTimer()
{
    if (HandleAllocated())
        platform::KillTimer(FHandle, ScrollTimerId);
    TimerMode = 0;
}

void TbsScrollingPage::StartMouseTracking()
{
    FMouseIn = true;
    if (HasScrollButtons()) {
        platform::KillTimer(Handle(), MouseTimerId);
        platform::SetTimer(Handle(), MouseTimerId, MousePollInterval);
    }
}

void TbsScrollingPage::StopMouseTracking()
{
    FMouseIn = false;
    if (!FCanScroll || platform::WindowFromPoint(platform::GetCursorPos()) == FHandle)
        return;
    LeaveButtons();
}

void TbsScrollingPage::LeaveButtons()
{
    for (TbsPageScrollButton& b : Buttons)
        if (b.MouseIn && b.Visible) {
            if (TimerMode != 0)
                StopScrollTimer();
            // A press released outside the window never comes back as a release.
            b.MouseIn = b.Down = false;
            RepaintButtons();
            return;
        }
}

// ---------------------------------------------------------------- messages

void TbsScrollingPage::WndProc(TMessage& M)
{
    if (!FCanScroll) {
        TCustomControl::WndProc(M);
        return;
    }
    switch (M.Msg) {
    case platform::WM_WINDOWPOSCHANGING:
        if (HandleAllocated() && Align() == platform::alNone)
            GetScrollInfo();
        break;
    case platform::WM_NCHITTEST: {
        if (!FMouseIn)
            StartMouseTracking();
        const TPoint p =
            ScreenToClient(Point(platform::GET_X_LPARAM(M.LParam), platform::GET_Y_LPARAM(M.LParam)));
        const int v = FVertical ? p.Y : p.X;
        if (Buttons[0].Visible && v < 0) {
            M.Result = HitBack;
            return;
        }
        if (Buttons[1].Visible && v > ClientExtent()) {
            M.Result = HitForward;
            return;
        }
        break;
    }
    case platform::WM_NCMOUSEMOVE: {
        const int i = ButtonOfHit(platform::LRESULT(M.WParam));
        if (i >= 0 && !Buttons[i].MouseIn) {
            Buttons[i].MouseIn = true;
            Buttons[1 - i].MouseIn = false;
            RepaintButtons();
            if (HotScroll) {
                TimerMode = i + 1;
                StartScrollTimer();
            }
        }
        break;
    }
    case platform::WM_NCLBUTTONDOWN:
    case platform::WM_NCLBUTTONDBLCLK:
    case platform::WM_NCLBUTTONUP: {
        const int i = ButtonOfHit(platform::LRESULT(M.WParam));
        if (i >= 0) {
            const bool down = M.Msg != platform::WM_NCLBUTTONUP;
            Buttons[i].Down = down;
            RepaintButtons();
            if (down)
                ScrollButtonDown(i);
            else
                ScrollButtonUp(i);
        }
        break;
    }
    case platform::WM_MOUSEMOVE:
        LeaveButtons();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(M);
}

void TbsScrollingPage::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case platform::WM_DESTROY:
        platform::KillTimer(FHandle, ScrollTimerId);
        platform::KillTimer(FHandle, MouseTimerId);
        FMouseIn = false;
        break;
    case platform::SKN_PAINTTODC:
        M.Result = 0;
        if (M.WParam && HasScrollButtons()) {
            DrawScrollButtonsToDC(reinterpret_cast<platform::HDC>(M.WParam));
            M.Result = platform::SKN_PAINTTODC_ANSWER;
        }
        return;
    case platform::SKN_PAINTFRAMETODC:
        if (M.LParam != platform::SKN_PAINT_KEY)
            break;
        if (M.WParam && HasScrollButtons())
            DrawScrollButtonsToDC(reinterpret_cast<platform::HDC>(M.WParam));
        M.Result = platform::SKN_PAINT_KEY;
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(M);
}

void TbsScrollingPage::WMNCCalcSize(TMessage& M)
{
    TRect* r = M.WParam ? &reinterpret_cast<platform::TNCCalcSizeParams*>(M.LParam)->rgrc[0]
                        : reinterpret_cast<TRect*>(M.LParam);
    if (FVertical) {
        r->Top += Buttons[0].Visible ? ButtonSize : 0;
        r->Bottom -= Buttons[1].Visible ? ButtonSize : 0;
    } else {
        r->Left += Buttons[0].Visible ? ButtonSize : 0;
        r->Right -= Buttons[1].Visible ? ButtonSize : 0;
    }
    M.Result = 0;
}

void TbsScrollingPage::WMNCPaint(TMessage& M)
{
    M.Result = 0;
    if (!HasScrollButtons())
        return;
    platform::HDC dc = platform::GetWindowDC(FHandle);
    DrawScrollButtonsToDC(dc);
    platform::ReleaseDC(FHandle, dc);
}

void TbsScrollingPage::WMSize(TMessage& M)
{
    TCustomControl::WMSize(M);
    if (!HasScrollButtons() || !ButtonsPlaceable())
        return;
    PlaceButtons();
    RepaintButtons();
}

void TbsScrollingPage::WMSetCursor(TMessage& M)
{
    if (FCanScroll) {
        const platform::LRESULT hit = int16_t(M.LParam & 0xFFFF);
        if (ButtonOfHit(hit) >= 0)
            M.LParam = (M.LParam & ~platform::LPARAM(0xFFFF)) | platform::HTCLIENT;
    }
    TCustomControl::WMSetCursor(M);
}

void TbsScrollingPage::WMTimer(TMessage& M)
{
    TCustomControl::WMTimer(M);
    if (M.WParam == ScrollTimerId) {
        if (TimerMode == 1)
            ScrollStep(0);
        else if (TimerMode == 2)
            ScrollStep(1);
    } else if (M.WParam == MouseTimerId) {
        if (platform::WindowFromPoint(platform::GetCursorPos()) != FHandle) {
            platform::KillTimer(FHandle, MouseTimerId);
            StopMouseTracking();
        }
    }
}

// ---------------------------------------------------------------- drawing

void TbsScrollingPage::WMEraseBkgnd(TMessage& M)
{
    if (M.WParam)
        PaintPageBackground(reinterpret_cast<platform::HDC>(M.WParam));
    M.Result = 1;
}

void TbsScrollingPage::DrawScrollButtonsToDC(platform::HDC ADC)
{
    TCanvas c;
    c.SetHandle(ADC);
    DrawScrollButtons(&c);
    c.SetHandle(nullptr);
}

void TbsScrollingPage::DrawScrollButtons(TCanvas* C)
{
    for (int i = 0; i < 2; ++i)
        if (Buttons[i].Visible)
            DrawScrollButton(C, i);
}

void TbsScrollingPage::DrawScrollButton(TCanvas* C, int AIndex)
{
    const TbsPageScrollButton& b = Buttons[AIndex];
    const int w = b.R.Width(), h = b.R.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap bmp;
    bmp.SetSize(w, h);
    const TRect all = Rect(0, 0, w, h);
    TColor arrow = platform::clBtnText;
    TbsSkinData* sd = HostSkinData();
    const int idx = sd ? sd->GetControlIndex("resizetoolbutton") : -1;
    auto* rec = idx < 0 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(sd->CtrlList[size_t(idx)].get());
    if (rec && ActivePicture(*sd, rec->PictureIndex)) {
        TRect piece = rec->SkinRect;
        arrow = rec->FontColor;
        if (!rec->DownSkinRect.IsEmpty() && b.MouseIn && (b.Down || HotScroll)) {
            piece = rec->DownSkinRect;
            arrow = rec->DownFontColor;
        } else if (b.MouseIn && !rec->ActiveSkinRect.IsEmpty()) {
            piece = rec->ActiveSkinRect;
            arrow = rec->ActiveFontColor;
        }
        CreateRecordImage(&bmp, *sd, *rec, piece, w, h);
    } else {
        DrawBuiltInState(bmp.Canvas(), all, b.MouseIn && (b.Down || HotScroll), b.MouseIn);
    }
    const int kind = FVertical ? (AIndex == 0 ? 3 : 4) : (AIndex == 0 ? 1 : 2);
    DrawArrowImage(bmp.Canvas(), all, arrow, kind);
    C->Draw(b.R.Left, b.R.Top, &bmp);
}

// ---------------------------------------------------------------- the twins

TbsSkinData* TbsRibbonCustomPage::HostSkinData() const
{
    if (!Ribbon || !Ribbon->SkinData())
        return nullptr;
    Ribbon->GetSkinData();
    return Ribbon->FData ? Ribbon->SkinData() : nullptr;
}

void TbsRibbonCustomPage::ContentScrolled()
{
    // A stretched background depends on the scroll position.
    if (Ribbon && Ribbon->FData && Ribbon->FData->StretchEffect)
        Invalidate();
}

TbsAppMenuCustomPage::TbsAppMenuCustomPage(TComponent* AOwner) : TbsScrollingPage(AOwner, true)
{
    FCanScroll = false;
}

TbsSkinData* TbsAppMenuCustomPage::HostSkinData() const
{
    if (!AppMenu || !AppMenu->SkinData())
        return nullptr;
    AppMenu->GetSkinData();
    return AppMenu->FData ? AppMenu->SkinData() : nullptr;
}

} // namespace skin
