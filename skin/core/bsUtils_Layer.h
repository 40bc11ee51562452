#pragma once
// A floating picture with per-pixel alpha above other windows (glow frames
// of hovered buttons, layered borders, menu shadows): one click-through,
// never-activated tool window per manager, faded in on a 25 ms timer.
// Where layered windows are not available, showing and hiding do nothing.

#include <memory>

#include "platform/controls/Controls.h"
#include "platform/controls/ExtCtrls.h"
#include "skin/core/bseffects.h"

namespace skin {

class TbsLayerWindow : public platform::TCustomControl {
public:
    explicit TbsLayerWindow(platform::TComponent* AOwner);
    void WndProc(platform::TMessage& AMessage) override;

protected:
    void CreateParams(platform::TCreateParams& AParams) override;
};

class TbsLayerManager : public platform::TComponent {
public:
    explicit TbsLayerManager(platform::TComponent* AOwner);
    ~TbsLayerManager() override;

    // Shows AImage (a TBitmap or TbsBitmap) at screen position X, Y with the
    // grey levels of AImageMask as alpha, fading in to AAlphaBlendValue.
    void Show(int X, int Y, platform::TPersistent* AImage, platform::TPersistent* AImageMask, int AAlphaBlendValue);
    void Hide();
    // Puts a shown layer back into its band (top-most or not) and shows it.
    void Update();
    // One tick of the fade (the timer's handler).
    void FadeStep();

    // B := AImage with alpha from the mask's grey, colours kept within alpha.
    static void MakeLayerBitmap(platform::TPersistent* AImage, platform::TPersistent* AImageMask, TbsBitmap& B);
    // Shows B with constant alpha Alpha as Control's layered window.
    static void UpdateLayeredBitmap(TbsBitmap& B, uint8_t Alpha, platform::TWinControl* Control);

    TbsLayerWindow* LayerWindow = nullptr;
    std::unique_ptr<TbsBitmap> Bmp;
    platform::TTimer* Timer = nullptr;
    int EndAlphaBlendValue = 0;
    int BeginAlphaBlendValue = 0;
    int StepAlphaBlendValue = 0;
    bool IsVisible = false;
    bool TopMostMode = true;

private:
    void StartTimer();
    void StopTimer();
};

} // namespace skin
