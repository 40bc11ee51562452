#include "skin/core/bsUtils_Layer.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "skin/core/bsUtils_Probes.h"

namespace skin {

using namespace platform;

TbsLayerWindow::TbsLayerWindow(TComponent* AOwner) : TCustomControl(AOwner) {}

void TbsLayerWindow::CreateParams(TCreateParams& AParams)
{
    TCustomControl::CreateParams(AParams);
    AParams.Style = WS_POPUP;
    AParams.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
    AParams.WindowClass.Style |= CS_SAVEBITS;
}

void TbsLayerWindow::WndProc(TMessage& AMessage)
{
    // A layer never takes the focus from the window it decorates.
    if (AMessage.Msg == WM_MOUSEACTIVATE) {
        AMessage.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(AMessage);
}

TbsLayerManager::TbsLayerManager(TComponent* AOwner) : TComponent(AOwner)
{
    Timer = new TTimer(this);
    Timer->SetEnabled(false);
    Timer->SetInterval(25);
    Timer->SetOnTimer([this](TObject*) { FadeStep(); });
}

TbsLayerManager::~TbsLayerManager()
{
    StopTimer();
    delete LayerWindow;
    LayerWindow = nullptr;
}

void TbsLayerManager::MakeLayerBitmap(TPersistent* AImage, TPersistent* AImageMask, TbsBitmap& B)
{
    B.Assign(AImage);
    TbsBitmap Mask;
    Mask.Assign(AImageMask);
    AlphaFromGrayBitmap(B, Mask);
    B.CheckRGBA();
}

void TbsLayerManager::UpdateLayeredBitmap(TbsBitmap& B, uint8_t Alpha, TWinControl* Control)
{
    if (Control == nullptr || !PlatformEntries().UpdateLayeredWindow || B.Empty())
        return;
    TPoint Pos = Point(Control->Left(), Control->Top());
    TSize Size{B.Width(), B.Height()};
    TPoint Src;
    BLENDFUNCTION Blend;
    Blend.BlendOp = AC_SRC_OVER;
    Blend.BlendFlags = 0;
    Blend.SourceConstantAlpha = Alpha;
    Blend.AlphaFormat = AC_SRC_ALPHA;
    PlatformEntries().UpdateLayeredWindow(Control->Handle(), nullptr, &Pos, &Size, B.DC(), &Src, 0, &Blend,
                                          ULW_ALPHA);
}

void TbsLayerManager::Show(int X, int Y, TPersistent* AImage, TPersistent* AImageMask, int AAlphaBlendValue)
{
    if (!IsLayeredWindowsAvailable())
        return;
    if (LayerWindow != nullptr)
        Hide();
    IsVisible = true;
    Bmp = std::make_unique<TbsBitmap>();
    MakeLayerBitmap(AImage, AImageMask, *Bmp);
    LayerWindow = new TbsLayerWindow(this);
    LayerWindow->SetVisible(false);
    LayerWindow->SetBounds(X, Y, Bmp->Width(), Bmp->Height());
    HWND H = LayerWindow->Handle();
    SetWindowLong(H, GWL_EXSTYLE, GetWindowLong(H, GWL_EXSTYLE) | WS_EX_LAYERED);
    UpdateLayeredBitmap(*Bmp, 0, LayerWindow);
    SetWindowPos(H, TopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, X, Y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    EndAlphaBlendValue = AAlphaBlendValue;
    StepAlphaBlendValue = AAlphaBlendValue / 10;
    StartTimer();
}

void TbsLayerManager::Hide()
{
    if (!IsLayeredWindowsAvailable())
        return;
    StopTimer();
    Bmp.reset();
    IsVisible = false;
    if (LayerWindow == nullptr)
        return;
    if (LayerWindow->HandleAllocated())
        SetWindowPos(LayerWindow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    delete LayerWindow;
    LayerWindow = nullptr;
}

void TbsLayerManager::Update()
{
    if (!IsVisible || LayerWindow == nullptr)
        return;
    SetWindowPos(LayerWindow->Handle(), TopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TbsLayerManager::FadeStep()
{
    if (!Bmp || LayerWindow == nullptr)
        return;
    BeginAlphaBlendValue = std::min(BeginAlphaBlendValue + StepAlphaBlendValue, EndAlphaBlendValue);
    UpdateLayeredBitmap(*Bmp, uint8_t(std::clamp(BeginAlphaBlendValue, 0, 255)), LayerWindow);
    if (BeginAlphaBlendValue == EndAlphaBlendValue)
        StopTimer();
}

void TbsLayerManager::StartTimer()
{
    BeginAlphaBlendValue = 0;
    Timer->SetEnabled(true);
}

void TbsLayerManager::StopTimer() { Timer->SetEnabled(false); }

} // namespace skin
