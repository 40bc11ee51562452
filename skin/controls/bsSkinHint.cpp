#include "skin/controls/bsSkinHint.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// Every separator becomes a line feed and a carriage return, in this order.
std::string SplitLines(const std::string& AText, const std::string& ASeparator)
{
    if (ASeparator.empty())
        return AText;
    std::string out;
    size_t at = 0;
    for (size_t found; (found = AText.find(ASeparator, at)) != std::string::npos; at = found + ASeparator.size())
        out += AText.substr(at, found - at) + "\n\r";
    return out + AText.substr(at);
}

// The application's hint window becomes a skinned one.
THintWindow* NewSkinHintWindow(TComponent* AOwner) { return new TbsSkinHintWindow(AOwner); }

// The component whose handler the application calls now.
TbsSkinHint* GInstalledHint = nullptr;

} // namespace

std::function<uint64_t()> TbsSkinHintWindow::FadeClock = [] { return GetTickCount(); };

// ---------------------------------------------------------------- window

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TbsSkinHintWindow::CreateParams(TCreateParams& P)
{
    THintWindow::CreateParams(P);
    P.Style &= ~WS_BORDER;
    if (IsXPOrLater())
        P.WindowClass.Style |= CS_DROPSHADOW;
    // Not the plain hint's class, which casts no shadow: the class style is
    // the first registrant's.
    P.WinClassName = "TbsSkinHintWindow";
}

void TbsSkinHintWindow::Dispatch(TMessage& M)
{
    if (M.Msg == WM_NCPAINT)
        return;   // no frame to draw
    if (M.Msg == WM_ERASEBKGND) {
        M.Result = 1;   // the paint covers everything
        return;
    }
    THintWindow::Dispatch(M);
}

TbsSkinHint* TbsSkinHintWindow::GetActiveSkinHint()
{
    TCustomForm* main = Application()->MainForm();
    if (!main)
        return nullptr;
    for (int i = 0; i < main->ComponentCount(); ++i)
        if (auto* h = dynamic_cast<TbsSkinHint*>(main->Components(i)); h && h->Active())
            return h;
    return nullptr;
}

TbsDataSkinHintWindow* TbsSkinHintWindow::SkinRecord() const { return FSD ? FSD->HintWindow.get() : nullptr; }

TbsPicture* TbsSkinHintWindow::HintPicture() const
{
    return FSD ? ActivePicture(*FSD, FSD->HintWindow->WindowPictureIndex) : nullptr;
}

void TbsSkinHintWindow::ActivateHint(TRect ARect, const std::string& AHint)
{
    AExtendedStyle = false;
    FspHint = GetActiveSkinHint();
    if (!FspHint)
        return;
    if (!FspHint->FHintTitle.empty() || FspHint->FHintImageList) {
        ActivateHintEx(ARect, FspHint->FHintTitle, AHint, FspHint->FHintImageIndex, FspHint->FHintImageList);
        return;
    }
    ShowHintWindow({ARect, AHint});
}

void TbsSkinHintWindow::ActivateHintEx(TRect ARect, const std::string& AHintTitle, const std::string& AHint,
                                       int AImageIndex, TCustomImageList* AImageList)
{
    AExtendedStyle = true;
    FspHint = GetActiveSkinHint();
    if (!FspHint || !FspHint->Active())
        return;
    FTitle = AHintTitle;
    FImageIndex = AImageIndex;
    FImageList = AImageList;
    ShowHintWindow({ARect, AHint, true});
}

void TbsSkinHintWindow::ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop)
{
    AExtendedStyle = false;
    FspHint = GetActiveSkinHint();
    if (!FspHint)
        return;
    ShowHintWindow({ARect, AHint, false, &ARect, ATop});
}

void TbsSkinHintWindow::ShowHintWindow(const TShowRequest& ARequest)
{
    TbsSkinData* sd = FspHint->SkinData();
    FSD = (sd && !sd->Empty() && sd->HintWindow->WindowPictureIndex != -1) ? sd : nullptr;
    AssignHintFont(Font());
    SetText(SplitLines(ARequest.Hint, FspHint->LineSeparator));
    int w = 0, h = 0;
    if (ARequest.Extended)
        CalcHintSizeEx(w, h);
    else
        CalcHintSize(w, h);
    TRect r = Bounds(ARequest.At.Left, ARequest.At.Top, w, h);
    if (const TRect* from = ARequest.FromRect) {
        const int left = from->Left + from->Width() / 2 - w / 2;
        r = Bounds(left, ARequest.Top ? from->Top - h : from->Bottom, w, h);
    }
    FitToArea(r);
    SetBoundsRect(r);
    UpdateLayered();
    UpdateHintRegion();
    THintWindow::ActivateHint(r, Text());   // shows it topmost without activating it
    SetVisible(true);
    Repaint();
    FadeIn();
}

void TbsSkinHintWindow::AssignHintFont(TFont* AFont)
{
    TbsDataSkinHintWindow* rec = SkinRecord();
    TbsSkinData* strings = FspHint->SkinData();
    AssignCaptionFont(AFont, FspHint->DefaultFont(), strings, rec && FspHint->UseSkinFont,
                      rec ? static_cast<const TbsSkinFontFields&>(*rec) : TbsSkinFontFields("", 0));
}

TSize TbsSkinHintWindow::TextExtent(const std::string& AText, bool ABold)
{
    TBitmap b;
    b.SetSize(1, 1);
    TCanvas* c = b.Canvas();
    c->SetFont(Font());
    if (ABold) {
        TFontStyles s = c->Font()->Style();
        s.Include(fsBold);
        c->Font()->SetStyle(s);
    }
    TRect r;
    DrawText(c->Handle(), AText, &r, DT_CALCRECT);
    return TSize{r.Width(), r.Height()};
}

// The size of a picture whose client part holds W x H.
void TbsSkinHintWindow::SkinnedSize(int W, int H, int AMargin, int& AWidth, int& AHeight)
{
    TbsDataSkinHintWindow& rec = *SkinRecord();
    TbsPicture* pic = HintPicture();
    const int pw = pic ? pic->Width() : 0, ph = pic ? pic->Height() : 0;
    AWidth = W + rec.ClRect.Left + (pw - rec.ClRect.Right) + AMargin;
    AHeight = H + rec.ClRect.Top + (ph - rec.ClRect.Bottom);
    // The stretched parts must not run into each other.
    int dx = AWidth - pw, dy = AHeight - ph;
    // Grows ASize so that the moving corner AMoving + ADelta stays at or
    // beyond the fixed corner AFixed.
    auto keep = [](int AMoving, int AFixed, int& ASize, int& ADelta, int APicture) {
        if (AMoving + ADelta < AFixed) {
            ASize += AFixed - (AMoving + ADelta);
            ADelta = ASize - APicture;
        }
    };
    keep(rec.RTPoint.X, rec.LTPoint.X, AWidth, dx, pw);
    keep(rec.RBPoint.X, rec.LBPoint.X, AWidth, dx, pw);
    keep(rec.LBPoint.Y, rec.LTPoint.Y, AHeight, dy, ph);
    keep(rec.RBPoint.Y, rec.RTPoint.Y, AHeight, dy, ph);
    NewClRect = Rect(rec.ClRect.Left, rec.ClRect.Top, rec.ClRect.Right + dx, rec.ClRect.Bottom + dy);
    NewLTPoint = rec.LTPoint;
    NewRTPoint = Point(rec.RTPoint.X + dx, rec.RTPoint.Y);
    NewLBPoint = Point(rec.LBPoint.X, rec.LBPoint.Y + dy);
    NewRBPoint = Point(rec.RBPoint.X + dx, rec.RBPoint.Y + dy);
}

void TbsSkinHintWindow::CalcHintSize(int& W, int& H)
{
    const TSize t = TextExtent(Text(), false);
    if (!FSD) {
        W = t.cx + 4;
        H = t.cy + 4;
        return;
    }
    SkinnedSize(t.cx, t.cy, 5, W, H);
}

bool TbsSkinHintWindow::ValidImage() const
{
    return FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count();
}

void TbsSkinHintWindow::CalcHintSizeEx(int& W, int& H)
{
    const TSize t = TextExtent(Text(), false);
    int w = t.cx, h = t.cy, th = 0;
    if (!FTitle.empty()) {
        const TSize title = TextExtent(FTitle, true);
        h += title.cy + 10;
        w = std::max(w, int(title.cx));
        th = title.cy;
    }
    if (ValidImage()) {
        w += FImageList->Width() + 10;
        h = std::max(h, FImageList->Height() + th + 5);
    }
    if (!FSD) {
        W = w + 4;
        H = h + 4;
        return;
    }
    SkinnedSize(w, h, 10, W, H);
}

// A hint that would leave the work area moves to the other side of its
// anchor point, by its whole size, once in each direction.
void TbsSkinHintWindow::FitToArea(TRect& R)
{
    TRect area = Rect(0, 0, Screen()->Width(), Screen()->Height());
    TCustomForm* form = Screen()->ActiveCustomForm();
    if (!form && Application()->MainForm() && Application()->MainForm()->Visible())
        form = Application()->MainForm();
    if (form)
        GetMonitorRect(form->Handle(), true, area);
    const int w = R.Width(), h = R.Height();
    if (R.Right > area.Right)
        R = OffsetRect(R, -(w + 2), 0);
    if (R.Bottom > area.Bottom)
        R = OffsetRect(R, 0, -(h + 2));
}

void TbsSkinHintWindow::UpdateLayered()
{
    if (!IsLayeredWindowsAvailable())
        return;
    const bool blend = FspHint->AlphaBlend;
    const intptr_t ex = GetWindowLong(Handle(), GWL_EXSTYLE);
    if (blend && !FOldAlphaBlend)
        SetWindowLong(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    else if (!blend && FOldAlphaBlend)
        SetWindowLong(Handle(), GWL_EXSTYLE, ex & ~intptr_t(WS_EX_LAYERED));
    FOldAlphaBlend = blend;
    if (blend && FspHint->AlphaBlendAnimation)
        SetLayeredAlpha(Handle(), 0);
    if (blend && FspHint->AlphaBlendValue != FOldAlphaBlendValue) {
        if (!FspHint->AlphaBlendAnimation)
            SetLayeredAlpha(Handle(), FspHint->AlphaBlendValue);
        FOldAlphaBlendValue = FspHint->AlphaBlendValue;
    }
}

void TbsSkinHintWindow::UpdateHintRegion()
{
    TbsDataSkinHintWindow* rec = SkinRecord();
    TbsPicture* mask = rec ? ActivePicture(*FSD, rec->MaskPictureIndex) : nullptr;
    if (!mask) {
        if (FRgn) {
            SetWindowRgn(Handle(), nullptr, false);   // the window frees it
            FRgn = nullptr;
        }
        return;
    }
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, NewLTPoint, NewRTPoint,
                     NewLBPoint, NewRBPoint, NewClRect, mask, Width(), Height());
    // The window owns the new region and frees the one it had.
    SetWindowRgn(Handle(), rgn, false);
    FRgn = rgn;
}

// Raises the window's alpha in tenths, one step each time more than 3 ms
// have passed. The GUI thread waits here and handles no messages.
void TbsSkinHintWindow::FadeIn()
{
    if (!IsLayeredWindowsAvailable() || !FspHint->AlphaBlend || !FspHint->AlphaBlendAnimation)
        return;
    const int target = FspHint->AlphaBlendValue;
    const int step = std::max(1, target / 10);
    int alpha = 0;
    bool first = true;
    int64_t t = 0;
    while (alpha < target) {
        const int64_t now = int64_t(FadeClock());
        if (!first && now - t <= 3)
            continue;
        first = false;
        t = now;
        alpha = std::min(alpha + step, target);
        Repaint();
        SetLayeredAlpha(Handle(), uint8_t(alpha));
    }
}

void TbsSkinHintWindow::Paint()
{
    if (!FspHint)
        return;
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* c = buffer.Canvas();
    if (FSD) {
        TbsDataSkinHintWindow& rec = *SkinRecord();
        TbsPicture* pic = HintPicture();
        CreatePopupSkinImage(rec.LTPoint, rec.RTPoint, rec.LBPoint, rec.RBPoint, rec.ClRect, NewLTPoint, NewRTPoint,
                             NewLBPoint, NewRBPoint, NewClRect, &buffer, pic, Rect(0, 0, pic->Width(), pic->Height()),
                             Width(), Height(), true, rec.LeftStretch, rec.TopStretch, rec.RightStretch,
                             rec.BottomStretch, rec.StretchEffect, rec.StretchType);
    } else {
        TRect r = Rect(0, 0, Width(), Height());
        c->Brush()->SetColor(clInfoBk);
        c->FillRect(r);
        Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    }
    if (AExtendedStyle)
        PaintEx(c);
    else
        PaintPlain(c);
    Canvas()->Draw(0, 0, &buffer);
}

void TbsSkinHintWindow::PaintPlain(TCanvas* C)
{
    C->Brush()->SetStyle(bsClear);
    if (!FSD) {
        C->SetFont(FspHint->DefaultFont());
        C->Font()->SetColor(clInfoText);
        TRect r = Rect(2, 2, Width() - 2, Height() - 2);
        DrawText(C->Handle(), Text(), &r, 0);
        return;
    }
    AssignHintFont(C->Font());
    C->Font()->SetColor(SkinRecord()->FontColor);
    const TSize t = TextExtent(Text(), false);
    const int left = NewClRect.Left + NewClRect.Width() / 2 - t.cx / 2;
    const int top = NewClRect.Top + NewClRect.Height() / 2 - t.cy / 2;
    TRect r = Bounds(left, top, t.cx, t.cy);
    DrawText(C->Handle(), Text(), &r, 0);
}

void TbsSkinHintWindow::PaintEx(TCanvas* C)
{
    C->Brush()->SetStyle(bsClear);
    if (FSD) {
        AssignHintFont(C->Font());
        C->Font()->SetColor(SkinRecord()->FontColor);
    } else {
        C->SetFont(FspHint->DefaultFont());
        C->Font()->SetColor(clInfoText);
    }
    const TRect area = FSD ? NewClRect : Rect(2, 2, Width() - 2, Height() - 2);
    const int inset = FSD ? 5 : 0;
    int a = 0;
    if (!FTitle.empty()) {
        const TSize title = TextExtent(FTitle, true);
        const TFontStyles plain = C->Font()->Style();
        TFontStyles bold = plain;
        bold.Include(fsBold);
        C->Font()->SetStyle(bold);
        TRect r = Bounds(area.Left + inset, area.Top, title.cx, title.cy);
        DrawText(C->Handle(), FTitle, &r, 0);
        C->Font()->SetStyle(plain);
        a = title.cy + 5;
    }
    const TSize t = TextExtent(Text(), false);
    int textLeft = area.Left + inset;
    if (ValidImage()) {
        const int x = area.Left + inset;
        const int y = a != 0 ? area.Top + a : area.Top + area.Height() / 2 - FImageList->Height() / 2;
        FImageList->Draw(C, x, y, FImageIndex, true);
        textLeft = x + FImageList->Width() + 5;
    }
    if (!FSD) {
        TRect r = Rect(textLeft, area.Top + a, area.Right, area.Bottom);
        DrawText(C->Handle(), Text(), &r, 0);
        return;
    }
    const int top = a != 0 ? area.Top + a : area.Top + area.Height() / 2 - t.cy / 2;
    TRect r = Bounds(textLeft, top, t.cx, t.cy);
    DrawText(C->Handle(), Text(), &r, 0);
}

// ---------------------------------------------------------------- component

TbsSkinHint::TbsSkinHint(TComponent* AOwner) : TComponent(AOwner)
{
    HW = new TbsSkinHintWindow(this);
    FHintTimer = new TTimer(this);
    FHintTimer->SetEnabled(false);
    // One handler for the timer's life: it runs what the timer waits for.
    FHintTimer->SetOnTimer([this](TObject*) { HintTimerExpired(); });
    if (IsDesigning())
        return;
    Application()->HintWindowClass = NewSkinHintWindow;
    // Toggled so that an application that rebuilds its hint window on the
    // switch takes the new class.
    Application()->ShowHint = !Application()->ShowHint;
    Application()->ShowHint = !Application()->ShowHint;
    InstallHandler();
    Application()->HintShortPause = 100;
}

// The application must not call a handler or paint a hint of a component
// that is gone.
TbsSkinHint::~TbsSkinHint()
{
    if (GInstalledHint == this) {
        Application()->OnShowHint = nullptr;
        GInstalledHint = nullptr;
    }
    if (auto* w = dynamic_cast<TbsSkinHintWindow*>(Application()->HintWindow()); w && w->FspHint == this) {
        Application()->CancelHint();
        w->FspHint = nullptr;
    }
}

void TbsSkinHint::InstallHandler()
{
    Application()->OnShowHint = [this](std::string& S, bool& C, THintInfo& I) { ShowHintHandler(S, C, I); };
    GInstalledHint = this;
}

void TbsSkinHint::SetActive(bool Value)
{
    FActive = Value;
    if (Value) {
        if (TCustomForm* main = Application()->MainForm())
            for (int i = 0; i < main->ComponentCount(); ++i)
                if (auto* other = dynamic_cast<TbsSkinHint*>(main->Components(i)); other && other != this && other->Active())
                    other->SetActive(false);
    }
    if (!IsDesigning() && FActive)
        InstallHandler();
}

void TbsSkinHint::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
}

void TbsSkinHint::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FHintImageList)
        FHintImageList = nullptr;
}

void TbsSkinHint::ClearTitleAndImage()
{
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
}

void TbsSkinHint::ShowHintHandler(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    ClearTitleAndImage();
    auto copyFrom = [this](auto* AControl) {
        FHintTitle = AControl->HintTitle;
        FHintImageIndex = AControl->HintImageIndex;
        FHintImageList = AControl->HintImageList();
    };
    if (auto* c = dynamic_cast<TbsSkinControl*>(HintInfo.HintControl))
        copyFrom(c);
    else if (auto* g = dynamic_cast<TbsGraphicSkinControl*>(HintInfo.HintControl))
        copyFrom(g);
    if (OnShowHint)
        OnShowHint(HintStr, CanShow, HintInfo);
}

void TbsSkinHint::StartTimer(uint32_t AInterval, TExpiry AExpiry)
{
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(AInterval);
    FExpiry = AExpiry;
    FHintTimer->SetEnabled(true);
}

void TbsSkinHint::HintTimerExpired()
{
    switch (FExpiry) {
    case TExpiry::ShowAtCursor: ShowHintAtCursor(); break;
    case TExpiry::ShowExAtCursor: ShowHintExAtCursor(); break;
    case TExpiry::ShowFromRect: ShowHintFromRect(); break;
    case TExpiry::Hide: HideHint(); break;
    }
}

void TbsSkinHint::ReArmHide() { StartTimer(uint32_t(Application()->HintHidePause), TExpiry::Hide); }

void TbsSkinHint::ActivateHint2(const std::string& AHint)
{
    HintText = AHint;
    ClearTitleAndImage();
    StartTimer(uint32_t(Application()->HintPause), TExpiry::ShowAtCursor);
}

void TbsSkinHint::ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                  TCustomImageList* AImageList)
{
    HintText = AHint;
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    StartTimer(uint32_t(Application()->HintPause), TExpiry::ShowExAtCursor);
}

void TbsSkinHint::ActivateHint3(TRect AFromRect, const std::string& AHint, bool ATop)
{
    FromRect = AFromRect;
    Top = ATop;
    HintText = AHint;
    ClearTitleAndImage();
    StartTimer(uint32_t(Application()->HintPause), TExpiry::ShowFromRect);
}

void TbsSkinHint::ActivateHint(TPoint P, const std::string& AHint)
{
    ClearTitleAndImage();
    HW->ActivateHint(Rect(P.X, P.Y, P.X, P.Y), AHint);
    HW->SetVisible(true);
}

void TbsSkinHint::ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                 TCustomImageList* AImageList)
{
    HW->ActivateHintEx(Rect(P.X, P.Y, P.X, P.Y), AHintTitle, AHint, AImageIndex, AImageList);
    HW->SetVisible(true);
}

void TbsSkinHint::HideHint()
{
    FHintTimer->SetEnabled(false);
    if (!HW->Visible())
        return;
    HW->SetVisible(false);
    HW->ReleaseHandle();
    SetWindowPos(HW->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    ClearTitleAndImage();
}

// The platform gives no access to the pointer's shape; the pointer of its
// desktops reaches 20 pixels below its hot spot, where the application's
// own hints start too.
int TbsSkinHint::GetCursorHeightMargin() const { return 20; }

void TbsSkinHint::ShowHintAtCursor()
{
    TPoint p = GetCursorPos();
    p.Y += GetCursorHeightMargin();
    HW->ActivateHint(Rect(p.X, p.Y, p.X, p.Y), HintText);
    HW->SetVisible(true);
    ReArmHide();
}

void TbsSkinHint::ShowHintExAtCursor()
{
    TPoint p = GetCursorPos();
    p.Y += GetCursorHeightMargin();
    HW->ActivateHintEx(Rect(p.X, p.Y, p.X, p.Y), FHintTitle, HintText, FHintImageIndex, FHintImageList);
    HW->SetVisible(true);
    ReArmHide();
}

void TbsSkinHint::ShowHintFromRect()
{
    HW->ActivateHintFromRect(FromRect, HintText, Top);
    HW->SetVisible(true);
    ReArmHide();
}

} // namespace skin
