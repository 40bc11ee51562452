// The drop shadow of a skinned form, and the component's switch for it.

#include "skin/form/bsSkinForm_Shadow.h"

#include "skin/core/bsUtils_Probes.h"
#include "skin/form/bsSkinForm.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// The shadow's window shows the picture put on it and is never painted.
class TbsShadowWindow : public TbsLayerWindow {
public:
    using TbsLayerWindow::TbsLayerWindow;
    void WndProc(TMessage& AMessage) override
    {
        if (AMessage.Msg == WM_ERASEBKGND) {
            AMessage.Result = 1;
        } else if (AMessage.Msg == WM_PAINT) {
            TPaintStruct ps;
            BeginPaint(Handle(), ps);
            EndPaint(Handle(), ps);
        } else
            TbsLayerWindow::WndProc(AMessage);
    }
};

} // namespace

TbsFormShadow::TbsFormShadow(TComponent* AOwner) : TComponent(AOwner) {}

TbsFormShadow::~TbsFormShadow()
{
    delete FWindow;
    FWindow = nullptr;
}

void TbsFormShadow::Paint(TbsBitmap& B, int AWidth, int AHeight)
{
    const int s = Size;
    B.SetSize(AWidth, AHeight);
    B.Clear(0);
    // Alpha falls off away from the form's edge, and rises over the first
    // pixels of each band so that its ends under the corners are soft.
    auto alpha = [s](int ADepth, int AAlong) {
        const int fall = EdgeAlpha * (s - ADepth) / s;
        return std::min(fall, fall * (AAlong + 1) / s);
    };
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x) {
            const int dx = x - (AWidth - s), dy = y - (AHeight - s);
            int a = 0;
            if (dx >= 0 && dy >= 0)
                a = alpha(std::max(dx, dy), s);
            else if (dx >= 0)
                a = alpha(dx, y);
            else if (dy >= 0)
                a = alpha(dy, x);
            // Black, so the premultiplied colour is nothing but the alpha.
            *B.GetPixelPtr(x, y) = TbsColor(a) << 24;
        }
}

void TbsFormShadow::Sync(TCustomForm* AForm, bool AShow)
{
    const bool want = AShow && IsLayeredWindowsAvailable() && AForm->HandleAllocated() &&
                      IsWindowVisible(AForm->Handle()) && !IsIconic(AForm->Handle()) && AForm->Width() > Size &&
                      AForm->Height() > Size;
    if (!want) {
        Hide();
        return;
    }
    const TRect r = AForm->BoundsRect();
    if (!FWindow) {
        FWindow = new TbsShadowWindow(this);
        FWindow->SetVisible(false);
        const HWND h = FWindow->Handle();
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    }
    if (!FPicture || FPicture->Width() != r.Width() || FPicture->Height() != r.Height()) {
        FPicture = std::make_unique<TbsBitmap>();
        Paint(*FPicture, r.Width(), r.Height());
    }
    FWindow->SetBounds(r.Left + Size, r.Top + Size, r.Width(), r.Height());
    // Shown first: a display shows only what reaches a mapped window.
    if (!FWindow->Visible())
        FWindow->SetVisible(true);
    TbsLayerManager::UpdateLayeredBitmap(*FPicture, 255, FWindow);
    // Just below the form, in the form's band: a stay-on-top form's shadow
    // stays on top with it.
    const HWND h = FWindow->Handle();
    const bool onTop = AForm->FormStyle() == fsStayOnTop;
    if (bool(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != onTop)
        SetWindowPos(h, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(h, AForm->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TbsFormShadow::Hide()
{
    if (FWindow && FWindow->Visible())
        FWindow->SetVisible(false);
}

// ---------------------------------------------------------------- the form's switch

void TbsSkinForm::EnableShadow(bool AShowShadow, bool AHideFormBefore)
{
    if (!IsLayeredWindowsAvailable() || AShowShadow == FHaveShadow)
        return;
    FHaveShadow = AShowShadow;
    const bool hide = AHideFormBefore && FForm->Visible();
    if (hide)
        FForm->Hide();
    SyncShadow();
    if (hide)
        FForm->Show();
}

void TbsSkinForm::SyncShadow()
{
    if (FHaveShadow && !FShadow)
        FShadow = new TbsFormShadow(this);
    if (FShadow)
        FShadow->Sync(FForm, FHaveShadow);
}

} // namespace skin
