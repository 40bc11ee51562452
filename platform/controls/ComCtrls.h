#pragma once
// The common controls: the progress and track bars here; the header, list view, tree
// view and tab controls in the headers included below.

#include "platform/controls/ComCtrls_Header.h"
#include "platform/controls/ComCtrls_ListView.h"
#include "platform/controls/ComCtrls_Tabs.h"
#include "platform/controls/ComCtrls_TreeView.h"
#include "platform/controls/Controls.h"

namespace platform {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// A control that shows a position within a range: the position always
// lies within [Min, Max]; Changed runs after each change of the position.
class TRangeControl : public TCustomControl {
public:
    explicit TRangeControl(TComponent* AOwner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int AValue);
    void SetMax(int AValue);
    void SetPosition(int AValue);
    void SetRange(int AMin, int AMax);

protected:
    virtual void Changed() {}
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};

class TProgressBar : public TRangeControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Step = 10;
    void StepIt() { SetPosition(FPosition + Step); }
    void StepBy(int ADelta) { SetPosition(FPosition + ADelta); }
    bool Smooth = false;
    TProgressBarOrientation Orientation = pbHorizontal;

protected:
    void Paint() override;
};

// A horizontal track bar: a thumb on a groove that the mouse drags and the
// arrow, page, Home and End keys move. OnChange fires whenever the position
// changes, from code or from the user.
class TTrackBar : public TRangeControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    int PageSize = 2;
    TNotifyEvent OnChange;
    // The thumb's rectangle in client pixels (for painting and hit tests).
    TRect ThumbRect() const;

protected:
    void Changed() override;
    void Paint() override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS; }
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;

private:
    static constexpr int ThumbWidth = 11;
    int PositionAt(int X) const;
};

} // namespace platform
