// The drop shadow of a skinned form, and the component's switch for it.

#include "skin/form/bsSkinForm_Shadow.h"

#include "skin/core/bsUtils_Probes.h"
#include "skin/form/bsSkinForm.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

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
    B.SetSize(AWidth, AHeight);
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            *B.GetPixelPtr(x, y) = TbsColor(DropShadowAlpha(x, y, AWidth, AHeight)) << 24;
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
    // A move only moves the window: the picture is made and handed over
    // again only when the size changes or the window comes back.
    bool repaint = !FWindow->Visible();
    if (!FPicture || FPicture->Width() != r.Width() || FPicture->Height() != r.Height()) {
        FPicture = std::make_unique<TbsBitmap>();
        Paint(*FPicture, r.Width(), r.Height());
        repaint = true;
    }
    FWindow->SetBounds(r.Left + Size, r.Top + Size, r.Width(), r.Height());
    // Shown first: a display shows only what reaches a mapped window.
    if (!FWindow->Visible())
        FWindow->SetVisible(true);
    if (repaint)
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
