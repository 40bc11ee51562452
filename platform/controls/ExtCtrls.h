#pragma once
// Timers, panels, images, bevels and splitters.

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

// How a splitter shows a drag: not at all, an inverted line or pattern
// that moves and resizes on release, or resizing as the mouse moves.
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar aligned to an edge between two controls that the user drags to
// resize the control before it (the one on the side it is aligned to).
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;
    bool AutoSnap = true;   // a size at or below MinSize snaps to 0
    bool Beveled = false;
    int MinSize = 30;
    TResizeStyle ResizeStyle = rsPattern;
    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;
    void RequestAlign() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    using TGraphicControl::CanResize;
    virtual bool CanResize(int& NewSize);
    // The control the splitter resizes, nil when none touches its edge.
    TControl* FindControl();

private:
    void CalcSplitSize(int X, int Y, int& ANewSize, int& ASplit);
    bool DoCanResize(int& ANewSize);
    void UpdateControlSize();
    void DrawLine();
    void StopSizing();

    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FMaxSize = 0;
    int FNewSize = 0;
    int FOldSize = -1;
    int FSplit = 0;
    bool FLineVisible = false;
};

} // namespace platform
