#pragma once
// A pair of skinned spin buttons stepping an integer Position between Min and
// Max by Increment, repeating while a button is held (first step after
// 600 ms, then every 100 ms).

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Base.h"

namespace skin {

enum TUDOrientation { udHorizontal, udVertical };

class TbsSkinUpDown : public TbsSkinCustomControl {
public:
    explicit TbsSkinUpDown(TComponent* AOwner);

    // Index 0 is the up button (increases), 1 the down button.
    TbsCBButtonX Buttons[2];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    // Auto-repeat direction: 0 none, 1 decrease, 2 increase.
    int TimerMode = 0;
    // The first (delay) tick of the auto-repeat is pending.
    bool WaitMode = false;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnChange;

    bool UseSkinSize = true;
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation AValue);
    int Increment() const { return FIncrement; }
    void SetIncrement(int AValue) { FIncrement = AValue; }
    int Position() const { return FPosition; }
    void SetPosition(int AValue);
    int Min() const { return FMin; }
    void SetMin(int AValue);
    int Max() const { return FMax; }
    void SetMax(int AValue);

    void GetSkinData() override;
    void CalcSkinLayout(int& W, int& H) override;
    void UpdateSkinRegion() override;
    void CalcButtons();

    void Dispatch(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;

    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer(uint32_t AMs);
    void StopTimer();
    int ArrowKind(int I) const;
    void DrawButton(TCanvas* C, int I);
    void DrawResizeButton(TCanvas* C, int I);
    bool HasUpDownRecord() const;

    TUDOrientation FOrientation = udHorizontal;
    int FIncrement = 1, FPosition = 0, FMin = 0, FMax = 100;
};

} // namespace skin
