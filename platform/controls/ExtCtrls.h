#pragma once
// Timers, panels, images and bevels.

#include "platform/controls/Controls.h"

namespace platform {

// A GUI-thread timer: OnTimer runs from the message loop every Interval ms
// while Enabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t AValue);
    TNotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent AValue);

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    bool FEnabled = true;
    uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    uintptr_t FId = 0;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut V) { FBevelInner = V; Realign(); Invalidate(); }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut V) { FBevelOuter = V; Realign(); Invalidate(); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int V) { FBevelWidth = V; Realign(); Invalidate(); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int V) { FBorderWidth = V; Realign(); Invalidate(); }
    TAlignment Alignment = taCenter;
    TVerticalAlignment VerticalAlignment = taVerticalCenter;
    bool ShowCaption = true;
    void AdjustClientRect(TRect& ARect) override;

protected:
    void Paint() override;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    TPicture* Picture() { return &FPicture; }
    bool Stretch = false;
    bool Center = false;
    bool Transparent = false;

protected:
    void Paint() override;

private:
    TPicture FPicture;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape = bsBox;
    TBevelStyle Style = bsLowered;

protected:
    void Paint() override;
};

} // namespace platform
